// Question banks from other programs, as an import reads them: the same
// bytes as GIFT and as Moodle XML. A file is either refused whole or read
// into numbered questions; a question taken is multiple choice with two to
// four answers and one right answer among them, on one line each; and one
// that a worksheet could keep comes back unchanged from our own export in
// either format.
#include "bank_text.h"
#include "fuzz_support.h"
#include "gift.h"
#include "moodle_xml.h"
#include "worksheet_title.h"

namespace {

bool oneLine(const QString& text) {
    return !text.contains(u'\n') && !text.contains(u'\r');
}

bool keepable(const QString& text) {
    if (text.isEmpty() || !worksheet_title::textProblem(text, QString()).isEmpty())
        return false;
    return std::none_of(text.begin(), text.end(),
                        [](QChar c) { return c.unicode() < 32 || c.unicode() == 127; });
}

void comesBack(const bank::Question& q) {
    QuestionSheet sheet;
    sheet.title = QStringLiteral("Fuzz");
    QStringList answers = q.answers;
    while (answers.size() < 4)
        answers.append(QStringLiteral("-"));
    if (!keepable(q.text) || !std::all_of(answers.begin(), answers.end(), keepable) ||
        answers.front().startsWith(u'%'))
        return;
    for (int k = 0; k < 10; ++k) {
        sheet.questions[k] = q.text;
        for (int m = 0; m < 4; ++m)
            sheet.answers[4 * k + m] = answers[m];
        sheet.ticked[4 * k + q.right] = true;
    }
    if (!gift::unwritable(sheet).isEmpty())
        return;
    for (const bank::Reading& again : {gift::read(QString::fromUtf8(gift::write({sheet}))),
                                       moodle_xml::read(moodle_xml::write({sheet}))}) {
        FUZZ_CHECK(again.problem.isEmpty() && again.questions.size() == 10);
        for (const bank::Question& back : again.questions) {
            FUZZ_CHECK(back.refusal.isEmpty());
            FUZZ_CHECK(back.text == q.text && back.answers == answers && back.right == q.right);
            FUZZ_CHECK(bank::categoryTitle(back.category) == sheet.title);
        }
    }
}

void check(const bank::Reading& reading) {
    FUZZ_CHECK(reading.problem.isEmpty() || reading.questions.isEmpty());
    int number = 0;
    for (const bank::Question& q : reading.questions) {
        FUZZ_CHECK(q.number == ++number);
        if (!q.refusal.isEmpty())
            continue;
        FUZZ_CHECK(q.answers.size() >= bank::FewestAnswers &&
                   q.answers.size() <= bank::MostAnswers);
        FUZZ_CHECK(q.right >= 0 && q.right < q.answers.size());
        FUZZ_CHECK(oneLine(q.text) && std::all_of(q.answers.begin(), q.answers.end(), oneLine));
        comesBack(q);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzz_support::bytesOf(data, size);
    check(moodle_xml::read(bytes));
    QString problem;
    if (const std::optional<QString> text = bank_text::decode(bytes, &problem)) {
        FUZZ_CHECK(problem.isEmpty());
        check(gift::read(*text));
        const bank_text::Plain plain = bank_text::fromHtml(*text);
        FUZZ_CHECK(oneLine(plain.text) && plain.text == plain.text.trimmed());
    } else {
        FUZZ_CHECK(!problem.isEmpty());
    }
    return 0;
}
