#pragma once
// The worksheet catalogue, "multiple/track.txt": a count on the first line,
// then one title a line, every line ending CR LF. Titles are unique under
// exact comparison and kept in the order they were first saved.
#include "catalogue_state.h"
#include "safe_write.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

namespace catalogue_file {

enum class Health { Sound, Missing, Damaged };

// What the file holds. Every title in it is kept, up to the count and past
// it: a count edited by hand to less than the titles below it must not make
// the next save drop the rest (empty lines past the count are not titles).
// Damaged: not a regular file, too large, no count, or fewer titles than
// the count; the titles are then those that could be read.
struct Listing {
    Health health = Health::Missing;
    QStringList titles;
};
Listing read(const QString& folder);

// The load of the main menu and the catalogue screen: reads the titles into
// the catalogue in memory. A missing file leaves it as it was; a damaged one
// leaves what could be read, never titles of an earlier reading. The table
// holds the first 1000. Says what it found.
Health load(const QString& folder, CatalogueState& catalogue);

// The whole list as the file holds it, for a change; nullopt unless sound.
std::optional<QStringList> readAll(const QString& folder);

enum class Change { Done, Unchanged, Failed };

// Why a change failed, for the teacher's message.
enum class Failure { None, Busy, Locked, Missing, Damaged, Full, Unwritten };

// The teacher's words for a failure, naming the folder where it helps.
QString explain(Failure why, const QString& folder);

// Adds a title at the end unless it is already listed. Fails on a missing
// or damaged catalogue, on one that holds 1000 titles, and on a failed
// write, leaving the file as it was. Other copies of the program on the same
// folder wait their turn, so no title is ever lost between them.
Change trackworksheets(const QString& folder, const QString& title, CatalogueState& catalogue,
                       Failure* why = nullptr);

// Removes the last entry equal to the title; a title that is not listed
// changes nothing. The worksheet file itself stays; afterwards, if given,
// runs once the title is gone, with the lock still held, so no other copy
// can save that title again in between.
Change delworksheet(const QString& folder, const QString& title, CatalogueState& catalogue,
                    Failure* why = nullptr, const std::function<void()>& afterwards = {});

// The file's bytes for a list: " N", then the titles, one a line (quoted
// only where a bare line would not read back as the same title).
QByteArray compose(const QStringList& titles);

// Holds the folder's catalogue lock for as long as it lives, so other copies
// of the program on the same folder wait their turn for a change. The lock
// goes with the program that holds it, however that program ends. A change
// takes milliseconds, so a lock still held after a few seconds means another
// copy is stuck or slow, and the teacher is told rather than kept waiting.
class Lock {
public:
    static constexpr int WaitMs = 5000;
    explicit Lock(const QString& folder);
    ~Lock();
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;
    bool held() const { return held_ != nullptr; }
    // Not held because another holder kept it past the wait (rather than
    // because the lock file could not be made).
    bool busy() const { return busy_; }

private:
    struct Held;
    std::unique_ptr<Held> held_;
    bool busy_ = false;
};

// What a screen does between tries while another copy holds the lock: it
// keeps its window painting. Without one the wait just sleeps.
using Waiting = std::function<void()>;
class WaitingScope {
public:
    explicit WaitingScope(Waiting waiting);
    ~WaitingScope();
    WaitingScope(const WaitingScope&) = delete;
    WaitingScope& operator=(const WaitingScope&) = delete;

private:
    Waiting previous_;
};

// Removes what a save cut short by a crash or a pulled plug left behind: the
// half-written copies "<name>.txt.XXXXXX" of worksheets and the catalogue.
// Only under the lock, when no save of ours can be writing one.
void clearLeftovers(const QString& folder);

// The parts of a change, for callers that hold the lock over more than one
// file: writes the whole list, and refreshes the table from it.
bool write(const QString& folder, const QStringList& titles);
// lastIsNew: the last title was just added, and is not yet counted.
void keep(CatalogueState& catalogue, const QStringList& titles, bool lastIsNew = false);

} // namespace catalogue_file
