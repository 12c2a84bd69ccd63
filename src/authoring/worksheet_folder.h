#pragma once
// Where teachers' worksheets and their catalogue live. Worksheet files are
// named exactly by their titles: "rationing" must never read or replace
// "Rationing.txt", so they never go through the material look-up, which
// ignores case.
//
// Run from its build folder, the program keeps them in "multiple" beside
// itself, with the topic quizzes. Installed, the material folder is not the
// teacher's to write, so start-up chooses another folder (the user's own, or
// a shared one named on the command line) and records it in the program.
#include "material_paths.h"

#include <QString>

class Program;

// The folder this run keeps worksheets in, as start-up found it.
struct WorksheetPlace {
    // Empty: "multiple" in the material folder.
    QString folder;
    // Why nothing can be saved in the folder, in the words the teacher is
    // told; empty while it can be written.
    QString refusal;
};

namespace worksheet_folder {

// The folder itself, "multiple" beside the program.
QString folder(const MaterialPaths& paths);
// The folder this program keeps worksheets in.
QString folder(Program& program);
// What a save or a delete is refused with, or empty when they may go ahead.
QString refusal(Program& program);

// Makes the folder and its empty catalogue when they are missing (never
// touching a catalogue that exists) and checks that a file can be written
// there. Returns why the folder cannot serve, or empty when it can.
QString prepare(const QString& folder);

// The message for a folder that cannot be written, with the reason.
QString refusalMessage(const QString& folder, const QString& reason);

// "multiple/" + title + ".txt", exactly.
QString worksheetFile(const QString& folder, const QString& title);
QString catalogueFile(const QString& folder);

} // namespace worksheet_folder
