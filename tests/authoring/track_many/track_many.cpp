// track_many FOLDER PREFIX COUNT: saves COUNT worksheets titled "PREFIX 0"..
// into FOLDER through the program's own save, as one copy of the program
// among several on a shared worksheet folder would.
#include "catalogue_file.h"
#include "support/question_sets.h"
#include "worksheet_store.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 4)
        return 2;
    CatalogueState state;
    for (int i = 0; i < args[3].toInt(); ++i) {
        const QString title = args[2] + u' ' + QString::number(i);
        const auto outcome = worksheet_store::saveworksheet(
            args[1], test_sets::sheet(title, test_sets::kPattern), state);
        if (outcome.saved != worksheet_store::Saved::Yes) {
            std::fprintf(stderr, "track_many: could not save %s\n", qPrintable(title));
            return 1;
        }
    }
    return 0;
}
