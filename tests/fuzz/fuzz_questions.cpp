// Question files, read from disk as the quiz and the wizard read them. A set
// that loads must be markable (every right answer a digit from 1 to 4), and
// a set the wizard would accept must come back unchanged when saved again.
#include "fuzz_support.h"
#include "question_file.h"
#include "worksheet_title.h"

namespace {

bool sameTables(const QuizTables& a, const QuizTables& b) {
    return a.QuizTitle == b.QuizTitle && a.QuestionText == b.QuestionText &&
           a.ChoiceA == b.ChoiceA && a.ChoiceB == b.ChoiceB && a.ChoiceC == b.ChoiceC &&
           a.ChoiceD == b.ChoiceD && a.CorrectChoice == b.CorrectChoice;
}

// What the wizard's boxes would hold after opening the set for editing.
QuestionSheet sheetOf(const QuizTables& t) {
    QuestionSheet sheet;
    sheet.title = t.QuizTitle;
    for (int k = 0; k < 10; ++k) {
        sheet.questions[k] = t.QuestionText[k + 1];
        const std::array<QString, 4> choices = {t.ChoiceA[k + 1], t.ChoiceB[k + 1],
                                                t.ChoiceC[k + 1], t.ChoiceD[k + 1]};
        for (int m = 0; m < 4; ++m) {
            sheet.answers[4 * k + m] = choices[m];
            sheet.ticked[4 * k + m] = t.CorrectChoice[k + 1] == QString::number(m + 1);
        }
    }
    return sheet;
}

// The texts a saved worksheet can hold and read back as typed: one line
// each, no blanks at either end, no opening quote, all in Windows-1252.
bool keepsAsTyped(const QString& text) {
    return worksheet_title::textProblem(text, QString()).isEmpty() && !text.contains(u'\r') &&
           !text.contains(u'\n') && text.trimmed() == text && !text.startsWith(u'"') &&
           !text.contains(u'\t');
}

bool everyTextKeeps(const QuizTables& t) {
    if (!keepsAsTyped(t.QuizTitle))
        return false;
    for (int q = 1; q <= 10; ++q) {
        for (const QString* text :
             {&t.QuestionText[q], &t.ChoiceA[q], &t.ChoiceB[q], &t.ChoiceC[q], &t.ChoiceD[q]}) {
            if (!keepsAsTyped(*text))
                return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz_support::scratch();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzz_support::bytesOf(data, size);
    const QString path = fuzz_support::scratch() + QStringLiteral("/questions.txt");
    fuzz_support::writeFile(path, bytes);

    QuizTables fromFile;
    const bool loaded = loadQuestionFile(path, fromFile);
    QuizTables fromBytes;
    FieldReader reader(bytes);
    FUZZ_CHECK(LoadQuestions(reader, fromBytes) == loaded);
    FUZZ_CHECK(sameTables(fromFile, fromBytes));
    if (!loaded)
        return 0;

    for (int q = 1; q <= 10; ++q) {
        const QString& right = fromFile.CorrectChoice[q];
        FUZZ_CHECK(right.size() == 1 && right[0] >= u'1' && right[0] <= u'4');
    }

    if (everyTextKeeps(fromFile)) {
        const QByteArray saved = composeQuestionFile(sheetOf(fromFile));
        QuizTables again;
        FieldReader savedReader(saved);
        FUZZ_CHECK(LoadQuestions(savedReader, again));
        FUZZ_CHECK(sameTables(again, fromFile));
    }
    return 0;
}
