#pragma once
// The worksheet catalogue, "multiple/track.txt": a count on the first line,
// then one title a line, every line ending CR LF. Titles are unique under
// exact comparison and kept in the order they were first saved.
#include "catalogue_state.h"
#include "safe_write.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

namespace catalogue_file {

// The main menu's load: reads the count and the titles into the catalogue in
// memory, stopping silently at the first failure and keeping what it has read
// so far. A count above the table's 1000 slots keeps the first 1000 titles;
// a negative or unreadable count is a failure before anything is stored.
// Returns whether it read it all.
bool loadStoppingAtFailure(const QString& folder, CatalogueState& catalogue);

// The catalogue screen's load: the same, passing over failures.
void loadPassingOverFailures(const QString& folder, CatalogueState& catalogue);

// The whole list as the file holds it, for a change; nullopt when the file
// is missing, unreadable, or ends before its count of titles.
std::optional<QStringList> readAll(const QString& folder);

enum class Change { Done, Unchanged, Failed };

// Adds a title at the end unless it is already listed. Fails on a missing
// or damaged catalogue, on one that holds 1000 titles, and on a failed
// write, leaving the file as it was. Other copies of the program on the same
// folder wait their turn, so no title is ever lost between them.
Change trackworksheets(const QString& folder, const QString& title, CatalogueState& catalogue);

// Removes the last entry equal to the title; a title that is not listed
// changes nothing. The worksheet file itself stays.
Change delworksheet(const QString& folder, const QString& title, CatalogueState& catalogue);

// The file's bytes for a list: " N", then the titles, one a line (quoted
// only where a bare line would not read back as the same title).
QByteArray compose(const QStringList& titles);

// Holds the folder's catalogue lock for as long as it lives, so other copies
// of the program on the same folder wait their turn for a change. The lock
// goes with the program that holds it, however that program ends.
class Lock {
public:
    explicit Lock(const QString& folder);
    ~Lock();
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;
    bool held() const { return held_ != nullptr; }

private:
    struct Held;
    std::unique_ptr<Held> held_;
};

// The parts of a change, for callers that hold the lock over more than one
// file: writes the whole list, and refreshes the table from it.
bool write(const QString& folder, const QStringList& titles);
void keep(CatalogueState& catalogue, const QStringList& titles);

} // namespace catalogue_file
