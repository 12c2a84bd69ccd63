// The worksheet catalogue, "multiple/track.txt", as the menus load it and as
// the wizard and the catalogue screen change it. Whatever the file holds:
// both loads agree with readAll, a change that fails or changes nothing
// leaves the bytes as they were, and a change that is done leaves a file
// that reads back as the old list with just that title added or removed.
#include "catalogue_file.h"
#include "fuzz_support.h"
#include "worksheet_folder.h"

#include <QDir>

namespace {

const QString& folder() {
    static const QString path = [] {
        const QString p = fuzz_support::scratch() + QStringLiteral("/multiple");
        QDir().mkpath(p);
        return p;
    }();
    return path;
}

QString catalogue() {
    return worksheet_folder::catalogueFile(folder());
}

QStringList listed(const CatalogueState& state) {
    QStringList titles;
    for (int i = 1; i <= state.WorksheetCount; ++i)
        titles.append(state.WorksheetTitles[i]);
    return titles;
}

void checkLoads(const std::optional<QStringList>& all) {
    CatalogueState loaded;
    const catalogue_file::Health health = catalogue_file::load(folder(), loaded);
    FUZZ_CHECK((health == catalogue_file::Health::Sound) == all.has_value());
    FUZZ_CHECK(loaded.WorksheetCount >= 0 && loaded.WorksheetCount <= CatalogueState::Capacity);
    // A sound list is held whole up to the table's size; a damaged one as far
    // as it can be read, never longer.
    if (all)
        FUZZ_CHECK(listed(loaded) ==
                   all->first(qMin<qsizetype>(all->size(), CatalogueState::Capacity)));
}

void checkAdd(const QByteArray& bytes, const std::optional<QStringList>& before,
              const QString& title) {
    fuzz_support::writeFile(catalogue(), bytes);
    CatalogueState state;
    const catalogue_file::Change result = catalogue_file::trackworksheets(folder(), title, state);
    const QByteArray after = fuzz_support::readFile(catalogue());
    if (result != catalogue_file::Change::Done) {
        FUZZ_CHECK(after == bytes);
        FUZZ_CHECK(result == catalogue_file::Change::Failed || (before && before->contains(title)));
        // A readable list with room for a new title must take it.
        FUZZ_CHECK(!before || before->contains(title) ||
                   before->size() >= CatalogueState::Capacity);
        return;
    }
    FUZZ_CHECK(before && !before->contains(title) && before->size() < CatalogueState::Capacity);
    const std::optional<QStringList> now = catalogue_file::readAll(folder());
    FUZZ_CHECK(now && now->count(title) == 1);
    FUZZ_CHECK(*now == *before + QStringList{title});
    // An open catalogue screen keeps the list it was opened with.
    FUZZ_CHECK(state.WorksheetCount == before->size());
}

void checkRemove(const QByteArray& bytes, const std::optional<QStringList>& before,
                 const QString& title) {
    fuzz_support::writeFile(catalogue(), bytes);
    CatalogueState state;
    const catalogue_file::Change result = catalogue_file::delworksheet(folder(), title, state);
    const QByteArray after = fuzz_support::readFile(catalogue());
    if (result != catalogue_file::Change::Done) {
        FUZZ_CHECK(after == bytes);
        FUZZ_CHECK(result ==
                   (before ? catalogue_file::Change::Unchanged : catalogue_file::Change::Failed));
        FUZZ_CHECK(!before || !before->contains(title));
        return;
    }
    FUZZ_CHECK(before && before->contains(title));
    QStringList expected = *before;
    expected.removeAt(expected.lastIndexOf(title));
    FUZZ_CHECK(catalogue_file::readAll(folder()) == expected);
    FUZZ_CHECK(listed(state) ==
               expected.first(qMin<qsizetype>(expected.size(), CatalogueState::Capacity)));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    folder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzz_support::bytesOf(data, size);
    fuzz_support::writeFile(catalogue(), bytes);

    const std::optional<QStringList> before = catalogue_file::readAll(folder());
    FUZZ_CHECK(fuzz_support::readFile(catalogue()) == bytes);
    checkLoads(before);

    // A title the file does not hold, and one it does (chosen by the input,
    // so the fuzzer reaches every place in the list).
    checkAdd(bytes, before, QStringLiteral("Evacuees of 1939"));
    if (before && !before->isEmpty()) {
        const QString& held = before->at(qsizetype(size % size_t(before->size())));
        checkAdd(bytes, before, held);
        checkRemove(bytes, before, held);
    }
    checkRemove(bytes, before, QStringLiteral("Evacuees of 1939"));
    return 0;
}
