// track_many FOLDER PREFIX COUNT: adds COUNT titles "PREFIX 0".. to the
// catalogue in FOLDER through the program's own add, as one copy of the
// program among several on a shared worksheet folder would.
#include "catalogue_file.h"

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
        if (catalogue_file::trackworksheets(args[1], title, state) !=
            catalogue_file::Change::Done) {
            std::fprintf(stderr, "track_many: could not add %s\n", qPrintable(title));
            return 1;
        }
    }
    return 0;
}
