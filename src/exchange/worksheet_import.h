#pragma once
// Makes worksheets of a question bank from Moodle or another quiz program
// (GIFT or Moodle XML). Every question is held to what the wizard would let
// a teacher type and save; each ten that pass, in the file's order, are
// saved as one worksheet through the wizard's own save, under the folder's
// lock, and never in place of a worksheet already there.
#include <QList>
#include <QString>
#include <QStringList>

namespace worksheet_import {

// Written into the boxes of answers a question does not have, as a teacher
// would to get a question of two or three answers past the wizard.
inline const QString kNoAnswer = QStringLiteral("-");

struct Skipped {
    int number = 0;
    QString label;
    QString why;
};

struct NotSaved {
    QString title;
    QString why;
};

struct Report {
    // Why the file was not read, or the folder could not take worksheets;
    // nothing was written.
    QString problem;
    int questions = 0;
    QStringList made;
    QList<NotSaved> notSaved;
    QList<Skipped> skipped;
    // The questions of the worksheets made that came with fewer than four
    // answers.
    QList<int> filled;
    // The questions too few to fill a last worksheet, and the title it
    // would have had.
    struct LeftOver {
        QString title;
        QList<int> numbers;
    };
    QList<LeftOver> leftOver;
};

// title: the worksheets' title; empty to take each question's category.
Report importFile(const QString& folder, const QString& path, const QString& title);

} // namespace worksheet_import
