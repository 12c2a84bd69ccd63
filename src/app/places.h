#pragma once
// Where a run finds its material, keeps worksheets and sends printouts.
//
// Run from its build folder, the program has its material beside itself and
// keeps worksheets there too. Installed (P/bin/ostervale), the material is
// read-only in P/share/ostervale and worksheets go to the user's data folder
// (or a shared school folder, when one is named), created on first use.
#include "program.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace places {

// The environment variable naming a worksheet folder, as --worksheets does.
inline constexpr char kWorksheetsVariable[] = "OSTERVALE_WORKSHEETS";
// The environment variable naming a folder for printouts, as --print-to does.
inline constexpr char kPrintToVariable[] = "OSTERVALE_PRINT_TO";

struct Layout {
    QString material;
    // The material came from the installed share folder, not from beside
    // the program.
    bool installed = false;
};

// The material folder for a program in programFolder: beside it when the
// material is there (the build folder), else ../share/ostervale when that
// holds it. When neither does, beside the program, where the missing
// pictures will be looked for.
Layout locate(const QString& programFolder);

// The worksheet folder: the one named on the command line, else the one in
// the environment, else the user's data folder when installed, else
// "multiple" in the material folder. A relative name is taken from the
// current folder. Empty when installed and the user has no data folder.
QString worksheetFolder(const QString& fromCommandLine, const QString& fromEnvironment,
                        const Layout& layout, const QString& userDataFolder);

// What the command line asked for.
struct Options {
    QString worksheets;
    // --repair-catalogue: rebuild the worksheet catalogue and end, with no
    // window.
    bool repairCatalogue = false;
    // --export TITLE... or --export-all, into the file --to names: write
    // worksheets for Moodle and end, with no window.
    QStringList exportTitles;
    bool exportAll = false;
    QString exportTo;
    // --import FILE, under --title when given: make worksheets of a
    // Moodle question file and end, with no window.
    QString importFile;
    QString importTitle;
    // --print-to: the folder that takes every printout as a PDF file.
    QString printTo;
    // --voice and --rate: the voice that reads aloud and how fast; "list"
    // lists the voices and ends, with no window.
    QString voice;
    std::optional<double> rate;
};

// Whether the command line asks for something done without a window (the
// catalogue's repair, an export or import, the list of voices, --help,
// --version), looked at before the program decides whether it needs a
// display.
bool needsNoWindow(int argc, char** argv);

// Rebuilds the catalogue of the worksheet folder that a start with these
// options would use, says what it did on standard output (or why not on
// standard error), and returns the process's exit code.
int repairCatalogue(const Options& options, const Layout& layout);

// Does what the options ask of a run without a window (the repair, an export
// or an import on the worksheet folder a start with them would use, or the
// list of voices), and returns the process's exit code.
int runWithoutWindow(const Options& options, const Layout& layout);

// Reads the program's own options (Qt's have been taken out already). On
// --help, --version or a mistake it prints and ends the process, as a
// command-line program does.
Options readOptions(const QStringList& arguments);

// Chooses and prepares the worksheet folder for this run and records it in
// the program. Returns the message the teacher must be told when nothing can
// be saved there; the program still runs, with saving refused.
QString placeWorksheets(Program& program, const Options& options, const Layout& layout);

// The folder for printouts: the one named on the command line, else the one
// in the environment, else none (printouts go to the printer). "~/" at the
// start is the home folder, as a desktop entry cannot say it otherwise; a
// relative name is taken from the current folder.
QString printFolder(const QString& fromCommandLine, const QString& fromEnvironment);

// Sends every printout of this run to a new PDF file in the folder for
// printouts, when one is named, with its time from `now`. Returns the message
// the teacher must be told when nothing can be kept there; every printout
// then tells of a problem.
QString placePrintouts(Program& program, const Options& options,
                       std::function<QDateTime()> now = &QDateTime::currentDateTime);

} // namespace places
