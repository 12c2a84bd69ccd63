// Worksheets to and from Moodle: exports read back by readers of our own
// and imported again, hostile files, and questions a worksheet cannot take.
// The commands run as the program, without a display.
#include "catalogue_file.h"
#include "question_file.h"
#include "support/question_sets.h"
#include "testmain.h"
#include "worksheet_folder.h"
#include "worksheet_import.h"
#include "worksheet_store.h"

#include <QDirIterator>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

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

// Every file under the folder, hidden ones too, with its bytes.
QMap<QString, QByteArray> snapshot(const QString& folder) {
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files[path] = fileBytes(path);
    }
    return files;
}

// One question as a reader of the exported file found it.
struct Exported {
    QString category;
    QString name;
    QString text;
    QStringList answers;
    int right = -1;
};

// A GIFT reader of the least that our export writes, apart from the
// program's own: a category line, then each question's "::name::[plain]"
// and text up to "{" on one line, one answer a line, and "}". It is strict:
// a special character left unescaped in a text spoils the whole file.
const QString kGiftSpecial = QStringLiteral("~=#{}:\\");
bool unescapeGift(QStringView s, QString* out) {
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == u'\\' && i + 1 < s.size() && kGiftSpecial.contains(s[i + 1]))
            *out += s[++i];
        else if (kGiftSpecial.contains(s[i]))
            return false;
        else
            *out += s[i];
    }
    return true;
}
qsizetype unescaped(QStringView s, QStringView mark, qsizetype from) {
    for (qsizetype i = from; i < s.size(); ++i) {
        if (s[i] == u'\\')
            ++i;
        else if (s.sliced(i).startsWith(mark))
            return i;
    }
    return -1;
}
QList<Exported> readGift(const QString& text) {
    QList<Exported> read;
    QString category;
    for (const QString& line : text.split(u'\n')) {
        bool fine = true;
        if (line.startsWith(QStringLiteral("$CATEGORY: "))) {
            category = line.mid(11);
        } else if (line.startsWith(QStringLiteral("::"))) {
            const qsizetype close = unescaped(line, u"::", 2);
            const QStringView rest = QStringView(line).sliced(close + 2);
            const qsizetype open = unescaped(rest, u"{", 0);
            if (close < 0 || !rest.startsWith(u"[plain]") || open < 0 || rest.sliced(open) != u"{")
                return {};
            read.append({category, {}, {}, {}, -1});
            fine = unescapeGift(QStringView(line).sliced(2, close - 2), &read.back().name) &&
                   unescapeGift(rest.sliced(7, open - 8), &read.back().text) &&
                   rest[open - 1] == u' ';
        } else if (line.startsWith(QStringLiteral("\t=")) ||
                   line.startsWith(QStringLiteral("\t~"))) {
            if (line[1] == u'=')
                read.back().right = int(read.back().answers.size());
            read.back().answers.append(QString());
            fine = unescapeGift(QStringView(line).sliced(2), &read.back().answers.back());
        } else {
            fine = line.isEmpty() || line == u"}" || line.startsWith(QStringLiteral("// "));
        }
        if (!fine)
            return {};
    }
    return read;
}

// The same of a Moodle XML export, through Qt's XML reader, with what
// Moodle's import looks for in every question.
QList<Exported> readXml(const QByteArray& bytes) {
    QList<Exported> read;
    QXmlStreamReader xml(bytes);
    QString category;
    const auto textIn = [&xml] {
        QString text;
        while (xml.readNextStartElement()) {
            if (xml.name() == u"text")
                text = xml.readElementText();
            else
                xml.skipCurrentElement();
        }
        return text;
    };
    if (!xml.readNextStartElement() || xml.name() != u"quiz")
        return {};
    while (xml.readNextStartElement()) {
        const QString type = xml.attributes().value(QStringLiteral("type")).toString();
        Exported q{category, {}, {}, {}, -1};
        QStringList seen;
        while (xml.readNextStartElement()) {
            const QString element = xml.name().toString();
            seen.append(element);
            const QString format = xml.attributes().value(QStringLiteral("format")).toString();
            if (element == u"category") {
                category = textIn();
            } else if (element == u"name") {
                q.name = textIn();
            } else if (element == u"questiontext" && format == u"plain_text") {
                q.text = textIn();
            } else if (element == u"answer" && format == u"plain_text") {
                const QString fraction =
                    xml.attributes().value(QStringLiteral("fraction")).toString();
                if (fraction == u"100")
                    q.right = int(q.answers.size());
                else if (fraction != u"0")
                    return {};
                q.answers.append(textIn());
            } else if (element == u"single" || element == u"shuffleanswers") {
                if (xml.readElementText() != (element == u"single" ? u"true" : u"false"))
                    return {};
            } else {
                xml.skipCurrentElement();
            }
        }
        if (type != u"multichoice")
            continue;
        for (const char* needed :
             {"name", "questiontext", "generalfeedback", "defaultgrade", "penalty", "hidden",
              "single", "shuffleanswers", "answernumbering"}) {
            if (!seen.contains(QString::fromLatin1(needed)))
                return {};
        }
        read.append(q);
    }
    return xml.hasError() ? QList<Exported>() : read;
}

// A worksheet whose texts hold a comma and every character either format
// must escape, as a teacher could type them into the wizard.
QuestionSheet awkward() {
    QuestionSheet s = test_sets::sheet(QStringLiteral("Blitz {#1}"), test_sets::kPattern);
    const QStringList questions = {
        QStringLiteral("Who said \"we shall fight\", and when?"),
        QStringLiteral("Is 2 + 2 = 4 {always}?"),
        QStringLiteral("What is 5 ~ 6 # 7?"),
        QStringLiteral("Which key: \\ or /?"),
        QStringLiteral("Is <b>bold</b> > plain?"),
        QStringLiteral("Price in \u00A3, \u20AC or $?"),
        QStringLiteral("::Name:: [html] is it?"),
        QStringLiteral("C:\\new\\n line?"),
        QStringLiteral("100% sure, or 50%?"),
        QStringLiteral("It's 'single' quoted?"),
    };
    const QStringList answers = {QStringLiteral("=1940"),
                                 QStringLiteral("~never"),
                                 QStringLiteral("#3"),
                                 QStringLiteral("{a}"),
                                 QStringLiteral("b}"),
                                 QStringLiteral("a:b"),
                                 QStringLiteral("back\\slash"),
                                 QStringLiteral("50% off"),
                                 QStringLiteral("<i>x</i>"),
                                 QStringLiteral("x > y, z"),
                                 QStringLiteral("Tom, Dick, Harry"),
                                 QStringLiteral("say \"hi\""),
                                 QStringLiteral("->"),
                                 QStringLiteral("// no comment"),
                                 QStringLiteral("\u00A31 10s"),
                                 QStringLiteral("end\\")};
    for (int k = 0; k < 10; ++k)
        s.questions[k] = questions[k];
    for (int i = 0; i < 40; ++i)
        s.answers[i] = answers[i % answers.size()];
    return s;
}

class ExchangeTest : public QObject {
    Q_OBJECT
    QTemporaryDir scratch;
    QString folder;

    QString at(const QString& name) const { return scratch.filePath(name); }

    struct Ran {
        int code = -1;
        QString out;
        QString err;
    };
    // The program as a script on a machine with no display runs it.
    Ran ostervale(const QStringList& arguments) {
        QProcess run;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name :
             {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "OSTERVALE_WORKSHEETS"})
            environment.remove(QString::fromLatin1(name));
        run.setProcessEnvironment(environment);
        run.start(QStringLiteral(OSTERVALE_HOME "/ostervale"),
                  arguments + QStringList{QStringLiteral("--worksheets"), folder});
        if (!run.waitForFinished(60000))
            return {};
        Ran ran{run.exitStatus() == QProcess::NormalExit ? run.exitCode() : -1,
                QString::fromLocal8Bit(run.readAllStandardOutput()),
                QString::fromLocal8Bit(run.readAllStandardError())};
        // Success says nothing on standard error; a failure says one line.
        if (ran.err.count(u'\n') != (ran.code == 0 ? 0 : 1))
            ran.code = -2;
        return ran;
    }

    void save(const QuestionSheet& sheet) {
        CatalogueState catalogue;
        QCOMPARE(worksheet_store::saveworksheet(folder, sheet, catalogue).saved,
                 worksheet_store::Saved::Yes);
    }

    static void compare(const QList<Exported>& read, const QList<QuestionSheet>& sheets) {
        QCOMPARE(read.size(), 10 * sheets.size());
        for (qsizetype i = 0; i < read.size(); ++i) {
            const QuestionSheet& s = sheets[i / 10];
            const int k = int(i % 10);
            QCOMPARE(read[i].category, s.title);
            QCOMPARE(read[i].name, s.title + QStringLiteral(" %1").arg(k + 1, 2, 10, QChar(u'0')));
            QCOMPARE(read[i].text, s.questions[k]);
            QCOMPARE(read[i].answers,
                     QStringList(s.answers.begin() + 4 * k, s.answers.begin() + 4 * k + 4));
            QVERIFY(s.ticked[4 * k + read[i].right]);
        }
    }

private Q_SLOTS:
    void init() {
        folder = at(QStringLiteral("sheets"));
        QDir(folder).removeRecursively();
        QCOMPARE(worksheet_folder::prepare(folder), QString());
    }

    // Both formats carry the texts as typed (commas written as commas, not
    // as the "&" the worksheet file keeps) under the title as category; a
    // title that is not listed writes nothing, not even over an old file.
    void anExportReadsBackAsTheWorksheetsWereTyped() {
        const QuestionSheet blitz = awkward();
        const QuestionSheet evacuees =
            test_sets::sheet(QStringLiteral("Evacuees"), {4, 3, 2, 1, 4, 3, 2, 1, 4, 3});
        save(evacuees);
        save(blitz);

        const QString gift = at(QStringLiteral("out.gift"));
        QCOMPARE(ostervale({"--export", blitz.title, "Evacuees", "--to", gift}).code, 0);
        compare(readGift(QString::fromUtf8(fileBytes(gift))), {blitz, evacuees});

        const QString xml = at(QStringLiteral("out.xml"));
        QCOMPARE(ostervale({"--export-all", "--to", xml}).code, 0);
        compare(readXml(fileBytes(xml)), {evacuees, blitz});

        const QByteArray before = fileBytes(gift);
        const Ran unknown = ostervale({"--export", "Evacuees", "Rationing", "--to", gift});
        QCOMPARE(unknown.code, 1);
        QVERIFY2(unknown.err.contains(QStringLiteral("\"Rationing\"")), qPrintable(unknown.err));
        QCOMPARE(fileBytes(gift), before);
        QCOMPARE(QDir(scratch.path()).entryList(QDir::Files).size(), 2);
        const QString evacueesFile = worksheet_folder::worksheetFile(folder, "Evacuees");
        const QByteArray worksheet = fileBytes(evacueesFile);
        QCOMPARE(ostervale({"--export", "Evacuees", "--to", evacueesFile}).code, 1);
        QCOMPARE(fileBytes(evacueesFile), worksheet);
    }

    // Exported and imported again under new titles, worksheets come back
    // byte for byte, ten a worksheet and numbered; a second import finds
    // the titles taken and replaces nothing.
    void anExportImportsBackToTheSameWorksheetFiles() {
        const QuestionSheet blitz = awkward();
        const QuestionSheet other = test_sets::sheet(QStringLiteral("Other"), test_sets::kPattern);
        save(blitz);
        save(other);
        for (const QString& suffix : {QStringLiteral("gift"), QStringLiteral("xml")}) {
            const QString file = at(QStringLiteral("both.") + suffix);
            QCOMPARE(ostervale({"--export", blitz.title, "Other", "--to", file}).code, 0);
            const QString title = QStringLiteral("Back ") + suffix;
            const Ran imported = ostervale({"--import", file, "--title", title});
            QCOMPARE(imported.code, 0);
            const QStringList titles = {title, title + QStringLiteral(" 2")};
            for (int n = 0; n < 2; ++n) {
                QByteArray original = fileBytes(
                    worksheet_folder::worksheetFile(folder, n == 0 ? blitz.title : "Other"));
                original.replace(0, original.indexOf('\r'), titles[n].toUtf8());
                QCOMPARE(fileBytes(worksheet_folder::worksheetFile(folder, titles[n])), original);
            }
            const auto before = snapshot(folder);
            const Ran again = ostervale({"--import", file, "--title", title});
            QCOMPARE(again.code, 1);
            QVERIFY2(again.out.contains(
                         QStringLiteral("already has a worksheet called \"%1\"").arg(title)),
                     qPrintable(again.out));
            QCOMPARE(snapshot(folder), before);
        }
        QCOMPARE(catalogue_file::read(folder).titles,
                 QStringList({"Blitz {#1}", "Other", "Back gift", "Back gift 2", "Back xml",
                              "Back xml 2"}));
    }

    // Whatever no worksheet can come from is refused whole, with why,
    // before anything is written: the folder keeps every byte, a crash's
    // leftover that any save would clear included, and a folder not yet
    // made is not made.
    void aFileThatCannotBeReadChangesNothing() {
        save(test_sets::sheet(QStringLiteral("Kept"), test_sets::kPattern));
        putFile(folder + QStringLiteral("/Kept.txt.Ab12Cd"), "left by a crash");
        const auto before = snapshot(folder);
        const QString unmade = at(QStringLiteral("unmade"));

        QByteArray laughs = "<?xml version=\"1.0\"?>\n<!DOCTYPE quiz [\n<!ENTITY a \"ha\">\n";
        for (char c = 'b'; c <= 'j'; ++c)
            laughs += "<!ENTITY " + QByteArray(1, c) + " \"" +
                      QByteArray("&" + QByteArray(1, char(c - 1)) + ";").repeated(10) + "\">\n";
        const QByteArray question =
            "<question type=\"multichoice\"><questiontext><text>&j;</text></questiontext>"
            "<answer fraction=\"100\"><text>a</text></answer>"
            "<answer fraction=\"0\"><text>b</text></answer></question>";
        laughs += "]>\n<quiz>" + question + "</quiz>\n";
        QByteArray external = "<?xml version=\"1.0\"?>\n<!DOCTYPE quiz [<!ENTITY j SYSTEM "
                              "\"file:///etc/passwd\">]>\n<quiz>" +
                              question + "</quiz>\n";
        const QString gift = QStringLiteral("Fine? {=a ~b ~c ~d}\n\n").repeated(10);
        QByteArray utf16Xml("\xFF\xFE");
        const QString xml16 = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?><quiz>") +
                              QString::fromUtf8(question).replace(QStringLiteral("&j;"), "a") +
                              QStringLiteral("</quiz>");
        utf16Xml.append(reinterpret_cast<const char*>(xml16.utf16()), xml16.size() * 2);
        const QByteArray utf16Gift(reinterpret_cast<const char*>(gift.utf16()), gift.size() * 2);
        QByteArray big = gift.toUtf8();
        while (big.size() <= 10 << 20)
            big += big;
        struct Case {
            const char* name;
            QByteArray bytes;
            const char* said;
        };
        const QList<Case> cases = {
            {"latin1.gift", "Caf\xE9? {=a ~b ~c ~d}\n\n" + gift.toUtf8(), "not UTF-8"},
            {"utf16.xml", utf16Xml, "UTF-16"},
            {"utf16.txt", utf16Gift, "nul bytes"},
            {"laughs.xml", laughs, "document type"},
            {"external.xml", external, "document type"},
            {"undeclared.xml", "<quiz>" + question + "</quiz>", "well-formed"},
            {"cut.xml", "<?xml version=\"1.0\"?><quiz>" + question.left(60), "well-formed"},
            {"declared.xml", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><quiz/>",
             "ISO-8859-1"},
            {"big.gift", big, "larger than 10 MB"},
            {"comments.gift", "// only a comment\n", "no questions"},
            {"missing.gift", QByteArray(), "no file"},
            {"fifo.gift", QByteArray(), "not a file"},
        };
        for (const Case& c : cases) {
            const QString path = at(QString::fromLatin1(c.name));
            if (!c.bytes.isNull())
                putFile(path, c.bytes);
#ifdef Q_OS_UNIX
            else if (QByteArray(c.name) == "fifo.gift")
                QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
#endif
            for (const QString& into : {folder, unmade}) {
                const worksheet_import::Report report =
                    worksheet_import::importFile(into, path, QStringLiteral("Title"));
                QVERIFY2(report.problem.contains(QLatin1String(c.said)),
                         qPrintable(c.name + (": " + report.problem)));
                QVERIFY(report.made.isEmpty());
            }
            QCOMPARE(snapshot(folder), before);
            QVERIFY(!QFileInfo::exists(unmade));
        }
        const Ran run = ostervale({"--import", at(QStringLiteral("laughs.xml"))});
        QCOMPARE(run.code, 1);
        QVERIFY2(run.err.contains(QStringLiteral("document type")), qPrintable(run.err));
        QCOMPARE(snapshot(folder), before);
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

[html]<img src="@@PLUGINFILE@@/x.png"> Who? {=a ~b}

"Quoted" start? {=a ~b}

Tom & Jerry? {=a ~b}

)");
        gift +=
            QStringLiteral("\u03A9 is what? {=a ~b}\n\n%1? {=a ~b}\n\nLong answer? {=a ~%2}\n\n")
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
              QStringLiteral("Caf&amp;eacute; &amp;foo;?"), QStringLiteral("Tom &amp;amp; Jerry?"),
              QStringLiteral("&#937; is?"), QStringLiteral("<b>Bold</b> question?")})
            xml += multichoice(text, {100, 0});
        xml += multichoice(QStringLiteral("Five?"), {100, 0, 0, 0, 0});
        xml += multichoice(QStringLiteral("Two right?"), {100, 100, 0});
        xml += multichoice(QStringLiteral("Half?"), {100, 50, 0});
        for (int n = 4; n <= 10; ++n)
            xml += multichoice(QStringLiteral("Question %1?").arg(n), {0, 0, 0, 100});
        putFile(at(QStringLiteral("export.xml")), (xml + QStringLiteral("</quiz>\n")).toUtf8());

        struct Expected {
            QString file;
            QStringList skippedFor;
            QList<int> filled;
            QStringList made;
            QStringList leftOver;
            QList<QStringList> first;
        };
        const QList<Expected> expected = {
            {QStringLiteral("colleague.gift"),
             {"true-or-false", "numerical", "short-answer", "matching", "5 answers",
              "2 right answers", "part marks", "a picture", "double quotation mark", "\"&\"",
              "cannot keep", "61 characters", "31 characters"},
             {1, 2, 4},
             {"Home Front"},
             {"Home Front 2"},
             {{"What did { and } mean: braces?", "Sets", "Blocks", "Lists", "-", "1"},
              {"Was rationing fair?", "No", "Yes", "-", "-", "2"},
              {"The Blitz began in _____.", "1939", "1940", "1941", "1942", "2"},
              {"Is 1 = 1 ~ # \\ more?", "Yes", "No", "-", "-", "1"}}},
            {QStringLiteral("export.xml"),
             {"true-or-false", "a picture", "picture or another file", "raised or lowered", "&foo;",
              "\"&\"", "cannot keep", "as markup", "5 answers", "2 right answers", "part marks"},
             {1, 2, 3},
             {"Evacuation"},
             {},
             {{"Where did evacuees go?", "The country", "Towns <i>", "Abroad \u2013 \u00BD far",
               "-", "1"},
              {"Is 3 < 4?", "No", "<b>Yes</b>", "-", "-", "2"},
              {"Line one line two?", "A", "B", "-", "-", "1"}}},
        };
        for (const Expected& e : expected) {
            const worksheet_import::Report report =
                worksheet_import::importFile(folder, at(e.file), QString());
            QCOMPARE(report.problem, QString());
            QStringList why;
            for (const worksheet_import::Skipped& skipped : report.skipped)
                why.append(skipped.why);
            QCOMPARE(why.size(), e.skippedFor.size());
            for (qsizetype i = 0; i < why.size(); ++i)
                QVERIFY2(why[i].contains(e.skippedFor[i]), qPrintable(why[i]));
            QCOMPARE(report.filled, e.filled);
            QCOMPARE(report.made, e.made);
            QStringList leftOver;
            for (const auto& left : report.leftOver)
                leftOver.append(left.title);
            QCOMPARE(leftOver, e.leftOver);
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
