// track_many FOLDER PREFIX COUNT: saves COUNT worksheets titled "PREFIX 0"..
// into FOLDER through the program's own save, as one copy of the program
// among several on a shared worksheet folder would.
// track_many FOLDER --hold: takes the catalogue's lock, says "held" and waits
// to be killed, as a copy of the program that dies mid-save.
#include "catalogue_file.h"
#include "support/question_sets.h"
#include "worksheet_store.h"

#include <QCoreApplication>
#include <QThread>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 3 && args[2] == QStringLiteral("--hold")) {
        const catalogue_file::Lock lock(args[1]);
        if (!lock.held())
            return 1;
        std::printf("held\n");
        std::fflush(stdout);
        QThread::sleep(600);
        return 0;
    }
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
