#pragma once
// A walk through the main screens that saves each as a picture and ends the
// program: for the screenshots in the README and the desktop metadata, and
// for checking that an installed copy comes up to its main menu on a
// machine nobody watches.
//
//   OSTERVALE_SCREENSHOTS=DIR ostervale
//
// Nobody answers a message box on such a run, so messages are printed on
// standard error instead, each on a line starting "ostervale: message:".
// The process ends with 0 when every screen came up and was saved, and 1
// at the first that did not.
#include "messages.h"
#include "program.h"

#include <QString>
#include <QStringList>
#include <memory>

namespace screen_tour {

inline constexpr char kVariable[] = "OSTERVALE_SCREENSHOTS";

// The picture names, in the order the walk takes them.
QStringList shotNames();

class PrintedMessages final : public MessageBoxes {
public:
    void tell(const QString& text) override;
    // Always Cancel: nothing a walk confirms may change anything.
    bool confirm(const QString& text, const QString& caption) override;
};

// Starts the walk once the event loop runs; the title screen must be up.
void start(Program& program, const QString& folder);

} // namespace screen_tour
