// Runs the real generator on the real material sources and checks what the
// program will find beside it; then the mistakes a teacher-writer may make in
// the drawings and the question sources, each of which must stop the build
// with a message rather than ship a broken file.
#include "generator.h"
#include "output.h"
#include "pictures.h"
#include "questions.h"
#include "testmain.h"

#include <QDirIterator>
#include <QImageReader>
#include <QTest>

namespace {

const QString kSource = QStringLiteral(OSTERVALE_SOURCE "/material");

QMap<QString, QByteArray> snapshot(const QString& root) {
    QMap<QString, QByteArray> files;
    for (QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        const QString path = it.next();
        QFile file(path);
        files.insert(QDir(root).relativeFilePath(path),
                     file.open(QIODevice::ReadOnly) ? file.readAll() : "");
    }
    return files;
}

// Largest step in brightness between neighbouring pixels inside `area`: a
// plain sky changes smoothly, anything drawn on it makes a step.
int largestStep(const QImage& image, const QRect& area) {
    int largest = 0;
    for (int y = area.top(); y < area.bottom(); ++y)
        for (int x = area.left(); x < area.right(); ++x) {
            const int a = qGray(image.pixel(x, y));
            largest = std::max({largest, std::abs(a - qGray(image.pixel(x + 1, y))),
                                std::abs(a - qGray(image.pixel(x, y + 1)))});
        }
    return largest;
}

// A quiz source of `questions` questions, the first one's text given.
QString quizSource(int questions, const QString& first = QStringLiteral("Why, then?")) {
    QString s = QStringLiteral("# a comment\ntitle: Paris, France\nfacts: key paris\n");
    for (int q = 1; q <= questions; ++q)
        s += QStringLiteral("\nQ: %1\nA: a\nB: b, too\nC: c\nD: \u00a3d\nanswer: %2\n")
                 .arg(q == 1 ? first : QStringLiteral("Q%1").arg(q))
                 .arg(QChar(u'A' + q % 4));
    return s;
}

} // namespace

class GeneratedMaterialTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A run into an empty folder writes every picture the screens open,
    // under the name they spell, at its size, drawn (not one flat colour)
    // and baseline JPEG, which some older readers need, the Stalingrad
    // picture with a calm dark sky for the title's yellow lettering and the
    // menu; and an empty worksheet catalogue (the logo's and quizzes' names
    // are held by the package check). A second such run gives the same
    // bytes. Another run over the first rewrites only the file damaged by
    // hand, leaving every other file alone and the teachers' catalogue as
    // they saved it.
    void runsWriteEveryFileAndRepairOnlyWhatWasDamaged() {
        QTemporaryDir home, other;
        const material::GenerationReport report = material::generateMaterial(kSource, home.path());
        QVERIFY2(report.ok() && report.unchanged.isEmpty(), qPrintable(report.errors.join(u'\n')));
        const QMap<QString, QByteArray> firstRun = snapshot(home.path());
        QVERIFY(material::generateMaterial(kSource, other.path()).ok());
        QCOMPARE(snapshot(other.path()), firstRun);
        const std::pair<const char*, QSize> pictures[] = {
            {"spitfism", {320, 240}}, {"spitfire2sm", {320, 240}}, {"rationbook2", {420, 400}},
            {"Stal", {800, 537}},     {"rationsm", {352, 118}},    {"MIDWAY", {244, 235}},
            {"sugar", {240, 166}},    {"milk", {171, 240}},        {"meat", {240, 185}},
            {"cheese", {240, 163}},   {"EL ALAMEIN", {244, 232}},  {"STALINGRAD", {272, 184}}};
        for (const auto& [name, size] : pictures) {
            const QByteArray jpeg =
                firstRun.value(QStringLiteral("Images/%1.jpg").arg(QLatin1String(name)));
            const QImage image = QImage::fromData(jpeg, "jpeg");
            QCOMPARE(image.size(), size);
            QVERIFY2(largestStep(image, image.rect()) > 60, name);
            QVERIFY(jpeg.contains("\xff\xc0") && !jpeg.contains("\xff\xc2"));
        }
        const QImage stal = QImage::fromData(firstRun.value(QStringLiteral("Images/Stal.jpg")));
        QVERIFY(largestStep(stal, QRect(0, 0, stal.width(), 70)) <= 6);
        QVERIFY(largestStep(stal, QRect(500, 0, 300, 300)) <= 6 && qGray(stal.pixel(40, 35)) < 128);
        const QString catalogue = QStringLiteral("multiple/track.txt");
        QCOMPARE(firstRun.value(catalogue), QByteArray(" 0\r\n"));

        const QByteArray saved(" 1\r\nWorksheet one\r\n");
        QString error;
        QCOMPARE(material::writeIfChanged(home.filePath(QStringLiteral("Images/spitfism.jpg")),
                                          "not a picture", &error),
                 material::WriteResult::Written);
        QCOMPARE(material::writeIfChanged(home.filePath(catalogue), saved, &error),
                 material::WriteResult::Written);
        const material::GenerationReport again = material::generateMaterial(kSource, home.path());
        QCOMPARE(again.written, QStringList{QStringLiteral("Images/spitfism.jpg")});
        QCOMPARE(again.unchanged.size(), firstRun.size() - 1);
        QMap<QString, QByteArray> expected = firstRun;
        expected[catalogue] = saved;
        QCOMPARE(snapshot(home.path()), expected);
    }

    // A drawing that is not sound SVG, or uses what the renderer would draw
    // from this machine's fonts or skip without a word, is refused. A quiz
    // source becomes the program's 72-line question file (CR LF, one byte a
    // character, commas stored as "&"); what such a file cannot hold is
    // refused; and a right answer missing from the key facts pages a pupil
    // is sent back to is named.
    void drawingsAndQuizSourcesCompileOrAreRefused() {
        const QByteArray square =
            "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 10 10'><rect width='10' "
            "height='10' fill='#336699'/><rect x='2' y='2' width='6' height='6' fill='#ffcc00'/>";
        QVERIFY(material::renderPicture(square + "</svg>", QSize(16, 16)).error.isEmpty());
        for (const QByteArray& bad : QList<QByteArray>{
                 square.left(60), QByteArray(square).replace("#ffcc00", "url(#nowhere)") + "</svg>",
                 square + "<text x='1' y='9'>A</text></svg>",
                 square + "<defs><filter id='f'/></defs></svg>"}) {
            const material::RenderedPicture p = material::renderPicture(bad, QSize(16, 16));
            QVERIFY2(!p.error.isEmpty() && p.jpeg.isEmpty(), bad.constData());
        }
        const material::CompiledQuestions compiled =
            material::compileQuestionSource(quizSource(10));
        QVERIFY2(compiled.errors.isEmpty(), qPrintable(compiled.errors.join(u'\n')));
        QCOMPARE(compiled.file.count("\r\n"), 72);
        QVERIFY(compiled.file.startsWith("Paris& France\r\n \r\nWhy& then?\r\na\r\nb& too\r\n"
                                         "c\r\n\xA3"
                                         "d\r\n2\r\n"));
        QCOMPARE(compiled.file.split('\n')[14], "3\r");
        QCOMPARE(compiled.file.split('\n')[70], "3\r");
        for (const QString& bad : QStringList{
                 quizSource(9), quizSource(10, QStringLiteral("Fish & chips?")),
                 quizSource(10, QStringLiteral("\"Quoted\"")),
                 quizSource(10, QStringLiteral("Curly \u201cquotes\u201d")),
                 quizSource(10, QString()),
                 quizSource(10).replace(QStringLiteral("answer: B"), QStringLiteral("answer: E")),
                 quizSource(10) + QStringLiteral("hint: none\n"),
                 quizSource(10).replace(QStringLiteral("Paris, France"), QString()),
                 QStringLiteral("A: x\n") + quizSource(10),
                 quizSource(10).remove(QStringLiteral("facts: key paris\n"))}) {
            const material::CompiledQuestions refused = material::compileQuestionSource(bad);
            QVERIFY2(!refused.errors.isEmpty() && refused.file.isEmpty(), qPrintable(bad));
        }
        // A line that is not "key: value" is named for what it is.
        QVERIFY(material::compileQuestionSource(quizSource(10) + QStringLiteral("title\n"))
                    .errors.join(u' ')
                    .contains(QStringLiteral("expected key: value")));
        const QStringList missing = material::answersNotOnPages(
            {"3 September 1939", "U-boats sank ships", "The ships and their food", "Hens",
             "3 December", "Poland"},
            "On 3 September 1939 Britain declared war. U-boats sank ships carrying food.\nIn "
            "the Blitz, 3 ships sank in December.");
        QCOMPARE(missing.size(), 3);
        QVERIFY(missing[0].contains("question 4") && missing[0].endsWith("no hens"));
        QVERIFY(missing[1].endsWith("no 3 december"));
    }
};

OSTERVALE_TEST(GeneratedMaterialTest)
#include "generated_material_test.moc"
