// Worksheets to and from Moodle: an export imported again, files no
// worksheet can come from, and questions a worksheet cannot take. The
// commands run as the program, without a display.
#include "catalogue_file.h"
#include "question_file.h"
#include "support/question_sets.h"
#include "testmain.h"
#include "worksheet_folder.h"
#include "worksheet_import.h"
#include "worksheet_store.h"

#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

void putFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("test: cannot write %s", qPrintable(path));
}

// Every file in the folder, hidden ones too, with its bytes.
QMap<QString, QByteArray> snapshot(const QString& folder) {
    QMap<QString, QByteArray> files;
    for (const QFileInfo& file : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden))
        files[file.fileName()] = fileBytes(file.filePath());
    return files;
}

// Texts holding a comma and every character either format must escape, as a
// teacher could type them into the wizard.
QuestionSheet awkward() {
    QuestionSheet s = test_sets::sheet(QStringLiteral("Blitz {#1}"), test_sets::kPattern);
    const QStringList texts =
        QStringLiteral("Is 2 + 2 = 4 {always} ~ 5 # 7?|Who said \"we shall fight\",|=1940|~never|"
                       "#3|{a}|b}|a:b|Which key: \\ or /, C:\\new\\n?|Is <b>bold</b> > 100%?|"
                       "::Name:: [html] in \u00A3 or \u20AC|back\\slash|50% off|<i>x</i>|x > y, z|"
                       "Tom, Dick, Harry|say \"hi\"|->|// no comment|it's 'single'|end\\")
            .split(u'|');
    for (int k = 0; k < 10; ++k)
        s.questions[k] = texts[k];
    for (int i = 0; i < 40; ++i)
        s.answers[i] = texts[(i + 10) % texts.size()];
    return s;
}

class ExchangeTest : public QObject {
    Q_OBJECT
    QTemporaryDir scratch;
    QString folder;

    QString at(const QString& name) const { return scratch.filePath(name); }

    // The program as a script on a machine with no display runs it: its exit
    // code, or -2 unless success says nothing on standard error and a failure
    // says one line. said: what it printed, standard output first.
    int ostervale(const QStringList& arguments, QString* said = nullptr) {
        QProcess run;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name :
             {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "OSTERVALE_WORKSHEETS"})
            environment.remove(QString::fromLatin1(name));
        run.setProcessEnvironment(environment);
        run.start(QStringLiteral(OSTERVALE_HOME "/ostervale"),
                  arguments + QStringList{QStringLiteral("--worksheets"), folder});
        if (!run.waitForFinished(60000) || run.exitStatus() != QProcess::NormalExit)
            return -1;
        const QString out = QString::fromLocal8Bit(run.readAllStandardOutput());
        const QString err = QString::fromLocal8Bit(run.readAllStandardError());
        if (said)
            *said = out + err;
        return err.count(u'\n') == (run.exitCode() == 0 ? 0 : 1) ? run.exitCode() : -2;
    }

    void save(const QuestionSheet& sheet) {
        CatalogueState catalogue;
        QCOMPARE(worksheet_store::saveworksheet(folder, sheet, catalogue).saved,
                 worksheet_store::Saved::Yes);
    }

private Q_SLOTS:
    void init() {
        folder = at(QStringLiteral("sheets"));
        QDir(folder).removeRecursively();
        QCOMPARE(worksheet_folder::prepare(folder), QString());
    }

    // Exported in either format and imported again under new titles, the
    // worksheets come back byte for byte (commas as commas, not as the "&"
    // the worksheet file keeps), ten a worksheet, in the order asked for.
    // Imported under their categories, they find their own titles taken and
    // replace nothing; nor does an export that is refused. A speed of
    // reading aloud the voice cannot take stops the program, saying why.
    void anExportImportsBackToTheSameWorksheets() {
        const QuestionSheet blitz = awkward();
        save(test_sets::sheet(QStringLiteral("Evacuees"), {4, 3, 2, 1, 4, 3, 2, 1, 4, 3}));
        save(blitz);
        const QString gift = at(QStringLiteral("out.gift"));
        const QString xml = at(QStringLiteral("out.xml"));
        QCOMPARE(ostervale({"--export", blitz.title, "Evacuees", "--to", gift}), 0);
        QCOMPARE(ostervale({"--export-all", "--to", xml}), 0);
        // Named in the worksheet's order, so Moodle's bank sorts them so.
        QVERIFY(fileBytes(gift).contains("\n::Blitz \\{\\#1\\} 01::[plain]"));
        // What Moodle's import looks for in every question, so it takes them
        // without a warning.
        for (const char* needed :
             {"<question type=\"multichoice\">", "<name>", "<questiontext format=\"plain_text\">",
              "<generalfeedback format=\"plain_text\">", "<defaultgrade>1</defaultgrade>",
              "<penalty>", "<hidden>0</hidden>", "<single>true</single>",
              "<shuffleanswers>false</shuffleanswers>", "<answernumbering>ABCD",
              "<answer fraction=\"100\" format=\"plain_text\">"})
            QVERIFY2(fileBytes(xml).count(needed) == 20, needed);
        QCOMPARE(fileBytes(xml).count("<answer fraction=\"0\" format=\"plain_text\">"), 60);

        const auto before = snapshot(folder);
        QString said;
        QCOMPARE(ostervale({"--import", xml}, &said), 1);
        QVERIFY(said.contains(QStringLiteral("already has a worksheet called \"Evacuees\"")));
        QCOMPARE(snapshot(folder), before);
        const QList<std::pair<QString, QStringList>> back{{gift, {blitz.title, "Evacuees"}},
                                                          {xml, {"Evacuees", blitz.title}}};
        for (const auto& [file, order] : back) {
            const QString title = QStringLiteral("Back ") + QFileInfo(file).suffix();
            QCOMPARE(ostervale({"--import", file, "--title", title}), 0);
            for (int n = 0; n < 2; ++n) {
                const QString made = n == 0 ? title : title + QStringLiteral(" 2");
                QByteArray original = fileBytes(worksheet_folder::worksheetFile(folder, order[n]));
                original.replace(0, original.indexOf('\r'), made.toUtf8());
                QCOMPARE(fileBytes(worksheet_folder::worksheetFile(folder, made)), original);
            }
        }
        QCOMPARE(catalogue_file::read(folder).titles,
                 QStringList({"Evacuees", "Blitz {#1}", "Back gift", "Back gift 2", "Back xml",
                              "Back xml 2"}));

        const QString evacueesFile = worksheet_folder::worksheetFile(folder, "Evacuees");
        const QByteArray worksheet = fileBytes(evacueesFile);
        QCOMPARE(ostervale({"--export", "Evacuees", "--to", evacueesFile}), 1);
        QCOMPARE(fileBytes(evacueesFile), worksheet);
        QCOMPARE(ostervale({"--export-all", "--to", xml, "--rate", "2"}, &said), 1);
        QVERIFY(said.contains(QStringLiteral("--rate takes a number from -1 to 1")));
    }

    // Whatever no worksheet can come from is refused whole, with why,
    // before anything is written: the folder keeps every byte. A document
    // type is never read, so no entity of the file's own (a file of the
    // computer's, an expansion bomb) is expanded.
    void aFileThatCannotBeReadChangesNothing() {
        save(test_sets::sheet(QStringLiteral("Kept"), test_sets::kPattern));
        const auto before = snapshot(folder);

        const QByteArray gift = QByteArray("Fine? {=a ~b ~c ~d}\n\n").repeated(10);
        const QString text = QString::fromUtf8(gift);
        const QByteArray utf16(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
        const QByteArray big = gift.repeated((10 << 20) / gift.size() + 1);
        const std::tuple<const char*, QByteArray, const char*> cases[] = {
            {"latin1.gift", "Caf\xE9? {=a ~b ~c ~d}\n\n" + gift, "not UTF-8"},
            {"bom.gift", "\xFF\xFE" + utf16, "UTF-16"},
            {"utf16.txt", utf16, "nul bytes"},
            {"doctype.xml",
             "<?xml version=\"1.0\"?>\n<!DOCTYPE quiz [<!ENTITY j SYSTEM "
             "\"file:///etc/passwd\">]>\n<quiz>&j;</quiz>\n",
             "document type"},
            {"cut.xml", "<?xml version=\"1.0\"?><quiz><question type=\"multichoice\"><questio",
             "well-formed"},
            {"big.gift", big, "larger than 10 MB"},
            {"missing.gift", QByteArray(), "no file"},
        };
        for (const auto& [name, bytes, said] : cases) {
            const QString path = at(QString::fromLatin1(name));
            if (!bytes.isNull())
                putFile(path, bytes);
            const worksheet_import::Report report =
                worksheet_import::importFile(folder, path, QStringLiteral("Title"));
            QVERIFY(report.problem.contains(QLatin1String(said)) && report.made.isEmpty());
            QCOMPARE(snapshot(folder), before);
        }
    }

    // A colleague's GIFT file and a Moodle export: every question a
    // worksheet cannot take is listed with its reason, the others become
    // worksheets as the pupil should read them (markup and escapes gone,
    // missing answers filled), ten a worksheet titled after the category,
    // and a last group short of ten is said and not saved.
    void questionsAWorksheetCannotTakeAreSkippedWithTheirReasons() {
        QString gift = QStringLiteral(R"(// From a colleague
$CATEGORY: $course$/top/History/Home Front

::One::What did \{ and \} mean\: braces? {=Sets ~Blocks #no ~Lists}

::Two::[html]<p>Was <b>rationing</b>&nbsp;fair?</p>{~%0%No =Yes}

The Blitz began in {~1939 =1940 ~1941 ~1942}.

::Four:: Is 1 \= 1 \~ \# \\ \n more?{
=Yes # right
~No
####Well done.
}

True or false? {TRUE}

How many? {#3:1}

Name a city. {=London =Paris}

Match them. {=a -> b =c -> d}

Five? {=a ~b ~c ~d ~e}

Two right? {=a ~%100%b ~c}

Half right? {=a ~%50%b ~c}

Tom & Jerry? {=a ~b}

)");
        gift += QStringLiteral("%1? {=a ~b}\n\nLong answer? {=a ~%2}\n\n")
                    .arg(QString(60, u'x'), QString(31, u'y'));
        for (int n = 5; n <= 11; ++n)
            gift += QStringLiteral("Question %1? {=a ~b ~c ~d}\n\n").arg(n);
        putFile(at(QStringLiteral("colleague.gift")), gift.toUtf8());

        QString xml = QStringLiteral(R"(<?xml version="1.0" encoding="UTF-8"?>
<quiz>
<question type="category"><category><text>$course$/top/Evacuation</text></category></question>
<question type="multichoice"><name><text>First</text></name>
 <questiontext format="html"><text><![CDATA[<p dir="ltr" style="text-align: left;">Where did <strong>evacuees</strong>&nbsp;go?<br></p>]]></text></questiontext>
 <answer fraction="100" format="html"><text>&lt;p&gt;The country&lt;/p&gt;</text></answer>
 <answer fraction="0" format="html"><text><![CDATA[Towns &lt;i&gt;]]></text><feedback format="html"><text>No</text></feedback></answer>
 <answer fraction="-33.33333" format="html"><text>Abroad &#8211; &amp;frac12; far</text></answer>
</question>
<question type="multichoice"><questiontext format="plain_text"><text>Is 3 &lt; 4?</text></questiontext>
 <answer fraction="0" format="plain_text"><text>No</text></answer>
 <answer fraction="100" format="plain_text"><text>&lt;b&gt;Yes&lt;/b&gt;</text></answer></question>
<question type="multichoice"><questiontext format="moodle_auto_format"><text>Line one
  line two?</text></questiontext>
 <answer fraction="100"><text>A</text></answer><answer fraction="0"><text>B</text></answer></question>
<question type="truefalse"><questiontext format="html"><text>True?</text></questiontext>
 <answer fraction="100"><text>true</text></answer><answer fraction="0"><text>false</text></answer></question>
)");
        const auto multichoice = [](const QString& text, const QList<int>& fractions) -> QString {
            QString q = QStringLiteral("<question type=\"multichoice\"><questiontext "
                                       "format=\"html\"><text>%1</text></questiontext>")
                            .arg(text);
            for (const int fraction : fractions)
                q +=
                    QStringLiteral("<answer fraction=\"%1\"><text>x</text></answer>").arg(fraction);
            return q + QStringLiteral("</question>\n");
        };
        for (const QString& text :
             {QStringLiteral("<![CDATA[<p>Who? <img src=\"@@PLUGINFILE@@/face.png\"></p>]]>"),
              QStringLiteral("See the map.</text><file name=\"map.png\" encoding=\"base64\">"
                             "iVBORw0KGgo=</file><text>See the map."),
              QStringLiteral("<![CDATA[What is 2<sup>3</sup>?]]>"),
              QStringLiteral("Caf&amp;eacute; &amp;foo;?"),
              QStringLiteral("<b>Bold</b> question?")})
            xml += multichoice(text, {100, 0});
        for (int n = 4; n <= 10; ++n)
            xml += multichoice(QStringLiteral("Question %1?").arg(n), {0, 0, 0, 100});
        putFile(at(QStringLiteral("export.xml")), (xml + QStringLiteral("</quiz>\n")).toUtf8());

        struct Expected {
            QString file;
            QStringList skippedFor;
            QList<int> filled;
            QStringList made;
            QString leftOver;
            QList<QStringList> first;
        };
        const QList<Expected> expected = {
            {QStringLiteral("colleague.gift"),
             {"true-or-false", "numerical", "short-answer", "matching", "5 answers",
              "2 right answers", "part marks", "\"&\"", "61 characters", "31 characters"},
             {1, 2, 4},
             {"Home Front"},
             QStringLiteral("Home Front 2"),
             {{"What did { and } mean: braces?", "Sets", "Blocks", "Lists", "-", "1"},
              {"Was rationing fair?", "No", "Yes", "-", "-", "2"},
              {"The Blitz began in _____.", "1939", "1940", "1941", "1942", "2"},
              {"Is 1 = 1 ~ # \\ more?", "Yes", "No", "-", "-", "1"}}},
            {QStringLiteral("export.xml"),
             {"true-or-false", "a picture", "picture or another file", "raised or lowered", "&foo;",
              "as markup"},
             {1, 2, 3},
             {"Evacuation"},
             QString(),
             {{"Where did evacuees go?", "The country", "Towns <i>", "Abroad \u2013 \u00BD far",
               "-", "1"},
              {"Is 3 < 4?", "No", "<b>Yes</b>", "-", "-", "2"}}},
        };
        for (const Expected& e : expected) {
            const worksheet_import::Report report =
                worksheet_import::importFile(folder, at(e.file), QString());
            QCOMPARE(report.skipped.size(), e.skippedFor.size());
            for (qsizetype i = 0; i < e.skippedFor.size(); ++i)
                QVERIFY(report.skipped[i].why.contains(e.skippedFor[i]));
            QCOMPARE(report.filled, e.filled);
            QCOMPARE(report.made, e.made);
            QCOMPARE(report.leftOver.isEmpty() ? QString() : report.leftOver[0].title, e.leftOver);
            QuizTables t;
            QVERIFY(loadQuestionFile(worksheet_folder::worksheetFile(folder, e.made[0]), t));
            for (int n = 1; n <= int(e.first.size()); ++n)
                QCOMPARE(QStringList({t.QuestionText[n], t.ChoiceA[n], t.ChoiceB[n], t.ChoiceC[n],
                                      t.ChoiceD[n], t.CorrectChoice[n]}),
                         e.first[n - 1]);
        }
    }
};

} // namespace

OSTERVALE_TEST(ExchangeTest)
#include "test_exchange.moc"
