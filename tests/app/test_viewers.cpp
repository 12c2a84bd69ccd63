#include "page_state.h"
#include "print_service.h"
#include "shell_fixture.h"
#include "support/recording_surface.h"
#include "testmain.h"
#include "viewers.h"
#include "writer.h"

#include <QTest>
#include <QtEndian>

class ViewersTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ShellFixture> f;
    QList<QList<QPointF>> printedPictures;

    ScreenRegistry& screens() { return f->program->screens(); }
    PageState& pages() { return f->program->state<PageState>(); }

    // A page whose only text names it, so a test can tell which file is shown.
    void writePage(const QString& file, const QString& name, int width, int height) {
        metafile::MetafileWriter w;
        w.begin(width, height);
        w.textOut(100, 100, name);
        f->write(file, w.finish());
    }
    // Which page a box holds, by the file it read.
    static QString shown(const PageBox* box) {
        const QFileInfo file(box->file());
        return box->page() ? file.dir().dirName() + u'/' + file.fileName() : QString();
    }
    static QList<bool> entryStates(PageViewer& v) {
        return {v.Label3[PageViewer::Previous]->isEnabled(),
                v.Label3[PageViewer::Next]->isEnabled()};
    }
    // The top bit of the length of the page's first picture record, as a bad
    // sector might flip it: the record then claims to run far past the end.
    static QByteArray withPictureLengthFlipped(QByteArray bytes) {
        qsizetype at = 22 + 18; // past the placeable and the standard header
        while (at + 6 <= bytes.size()) {
            const quint32 words = qFromLittleEndian<quint32>(bytes.constData() + at);
            if (qFromLittleEndian<quint16>(bytes.constData() + at + 4) ==
                metafile::gdi::record::StretchDib) {
                bytes[at + 3] = char(bytes[at + 3] ^ 0x80);
                return bytes;
            }
            if (words < 3)
                break;
            at += 2 * qsizetype(words);
        }
        return {};
    }
    Teacher& openFromTopic(int topic, int entry) {
        gui::click(f->openTopic(topic).label3.at(entry));
        return screens().form<Teacher>();
    }

private Q_SLOTS:
    void init() {
        f = std::make_unique<ShellFixture>();
        for (const char* folder : {"wmf", "wmf2", "logo"})
            QDir(f->dir.path()).mkpath(QString::fromLatin1(folder));
        for (const char* name : {"key rationing", "key progressa", "key progressb", "key progressc",
                                 "rationinga", "rationingb", "progressa", "progressb", "guide1",
                                 "guide2", "guide3", "acknowledgments"}) {
            const QString n = QString::fromUtf8(name);
            writePage(QStringLiteral("wmf/%1.wmf").arg(n), n, 10400, 7800);
            writePage(QStringLiteral("wmf2/%1.wmf").arg(n), n, 9300, 14000);
        }
        for (int frame = 0; frame < 20; ++frame) {
            QImage logo(120, 120, QImage::Format_RGB32);
            logo.fill(QColor(frame, 0, 0));
            QVERIFY(logo.save(f->path(Teacher::logoFrameFile(frame).replace(u'\\', u'/')), "BMP"));
        }
        QImage still(120, 89, QImage::Format_RGB32);
        still.fill(Qt::darkBlue);
        QVERIFY(still.save(f->path(QStringLiteral("logo/quorvane2.bmp")), "BMP"));
        printedPictures.clear();
        f->program->state<Printing>().openPrinter = [this](const PrintJob&) {
            auto surface = std::make_unique<RecordingSurface>();
            surface->onDone = [this](const RecordingSurface& s) {
                printedPictures.append(s.pictures);
            };
            return std::unique_ptr<PrintSurface>(std::move(surface));
        };
    }
    void cleanup() { f.reset(); }

    void aThreePageSetStepsThroughItsPages() {
        Teacher& v = openFromTopic(Intro0::Progress, TopicMenu::KeyFacts);
        QVERIFY(screens().isShowing(ScreenId::teacher));
        QCOMPARE(v.Label1->text(), QStringLiteral("Page 1 of 3"));
        QCOMPARE(shown(v.Image1), QStringLiteral("wmf/key progressa.wmf"));
        QCOMPARE(shown(v.Image2), QStringLiteral("wmf2/key progressa.wmf"));
        QCOMPARE(entryStates(v), (QList<bool>{false, true}));
        gui::click(v.Label3[PageViewer::Next]);
        QCOMPARE(v.Label1->text(), QStringLiteral("Page 2 of 3"));
        QCOMPARE(shown(v.Image1), QStringLiteral("wmf/key progressb.wmf"));
        QCOMPARE(entryStates(v), (QList<bool>{true, true}));
        gui::click(v.Label3[PageViewer::Next]);
        QCOMPARE(v.Label1->text(), QStringLiteral("Page 3 of 3"));
        QCOMPARE(shown(v.Image2), QStringLiteral("wmf2/key progressc.wmf"));
        QCOMPARE(entryStates(v), (QList<bool>{true, false}));
        gui::click(v.Label3[PageViewer::Previous]);
        gui::click(v.Label3[PageViewer::Previous]);
        QCOMPARE(pages().PageNumber, 1);
        QCOMPARE(entryStates(v), (QList<bool>{false, true}));
        // The viewers are silent.
        QCOMPARE(f->sound->played.size(), 3);
    }

    void theGuideCountsToThreeFromTheMainMenu() {
        gui::click(f->openMainMenu().Label2.at(Intro0::Guide));
        auto& guide = screens().form<Guide>();
        QVERIFY(screens().isShowing(ScreenId::guide));
        QCOMPARE(guide.Label1->text(), QStringLiteral("Page 1 of 3"));
        QCOMPARE(shown(guide.Image1), QStringLiteral("wmf/guide1.wmf"));
        gui::click(guide.Label3[PageViewer::Next]);
        gui::click(guide.Label3[PageViewer::Next]);
        QCOMPARE(guide.Label1->text(), QStringLiteral("Page 3 of 3"));
        QCOMPARE(shown(guide.Image2), QStringLiteral("wmf2/guide3.wmf"));
        QCOMPARE(entryStates(guide), (QList<bool>{true, false}));
    }

    void aOnePageSetHasNoCounterAndNoPaging() {
        Teacher& v = openFromTopic(Intro0::Rationing, TopicMenu::KeyFacts);
        QVERIFY(v.Label1->isHidden());
        QVERIFY(v.Label3[PageViewer::Next]->isHidden());
        QVERIFY(v.Label3[PageViewer::Previous]->isHidden());
        QCOMPARE(shown(v.Image1), QStringLiteral("wmf/key rationing.wmf"));
        gui::click(v.Label3[PageViewer::Exit]);
        QVERIFY(!screens().isLoaded(ScreenId::teacher));
        QVERIFY(screens().isShowing(ScreenId::rationing));
    }

    // Each set starts at its own first page, whatever was read before.
    void everyOpeningStartsAtPageOneOfItsOwnSet() {
        Teacher& facts = openFromTopic(Intro0::Progress, TopicMenu::KeyFacts);
        gui::click(facts.Label3[PageViewer::Next]);
        gui::click(facts.Label3[PageViewer::Exit]);
        auto& menu = screens().form<ProgressMenu>();
        gui::click(menu.label3.at(TopicMenu::TeachersNotes));
        Teacher& notes = screens().form<Teacher>();
        QCOMPARE(notes.Label1->text(), QStringLiteral("Page 1 of 2"));
        QCOMPARE(shown(notes.Image1), QStringLiteral("wmf/progressa.wmf"));
        gui::click(notes.Label3[PageViewer::Next]);
        QCOMPARE(shown(notes.Image1), QStringLiteral("wmf/progressb.wmf"));
        QCOMPARE(entryStates(notes), (QList<bool>{true, false}));
        gui::click(notes.Label3[PageViewer::Exit]);
        gui::click(menu.label3.at(TopicMenu::Exit));
        gui::click(screens().form<Intro0>().Label2.at(Intro0::Acknowledgments));
        QCOMPARE(pages().PageNumber, 1);
        QCOMPARE(pages().PageCount, 1);
        QVERIFY(screens().form<Teacher>().Label3[PageViewer::Next]->isHidden());
    }

    void printTakesThePrintVersionOfThePageOnShow() {
        Teacher& v = openFromTopic(Intro0::Rationing, TopicMenu::TeachersNotes);
        gui::click(v.Label3[PageViewer::Next]);
        gui::click(v.Label3[PageViewer::Print]);
        QVERIFY(f->messages->shown.isEmpty());
        QCOMPARE(printedPictures, QList<QList<QPointF>>{{QPointF(1000, 1000)}});
        QCOMPARE(v.Image2->page()->sizeInTwips(), QSizeF(9300, 14000));
        // A print version that cannot be read is a printing problem.
        f->remove("wmf2/rationinga.wmf");
        gui::click(v.Label3[PageViewer::Previous]);
        gui::click(v.Label3[PageViewer::Print]);
        QCOMPARE(f->messages->shown, QStringList{print_service::ProblemMessage});
        QCOMPARE(printedPictures.size(), 1);
    }

    void aMissingPageLeavesTheAreaEmptyAndTheProgramRunning() {
        f->remove("wmf/progressa.wmf");
        f->write(QStringLiteral("wmf/progressb.wmf"), "not a metafile");
        Teacher& v = openFromTopic(Intro0::Progress, TopicMenu::TeachersNotes);
        QVERIFY(!v.Image1->page());
        gui::click(v.Label3[PageViewer::Next]);
        QVERIFY(!v.Image1->page());
        QCOMPARE(v.Label1->text(), QStringLiteral("Page 2 of 2"));
        QVERIFY(!v.Image1->grab().toImage().isNull());
    }

    // Real pages, damaged as a copy or a disk may damage them. Cut before
    // their first word, a page keeps only its paper and a rule: that is no
    // page to a pupil, and the box says it cannot be shown, exactly as for a
    // missing page. A page cut after some of its text shows what it has.
    void aDamagedPageWithNothingToReadSaysSo_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("damage");
        QTest::addColumn<bool>("shown");
        QTest::newRow("intact") << "key rationing"
                                << "none" << true;
        QTest::newRow("cut to a quarter") << "key rationing"
                                          << "quarter" << false;
        QTest::newRow("cut to a half") << "key progressb"
                                       << "half" << false;
        QTest::newRow("a bit flipped") << "key rationing"
                                       << "flip" << false;
        QTest::newRow("cut after its first lines") << "guide1"
                                                   << "half" << true;
    }
    void aDamagedPageWithNothingToReadSaysSo() {
        QFETCH(QString, page);
        QFETCH(QString, damage);
        QFETCH(bool, shown);
        QFile generated(QStringLiteral(OSTERVALE_HOME "/wmf/") + page + QStringLiteral(".wmf"));
        QVERIFY(generated.open(QIODevice::ReadOnly));
        QByteArray bytes = generated.readAll();
        if (damage == u"quarter" || damage == u"half")
            bytes.truncate(bytes.size() / (damage == u"quarter" ? 4 : 2));
        else if (damage == u"flip")
            bytes = withPictureLengthFlipped(bytes);
        QVERIFY(!bytes.isEmpty());
        f->write(QStringLiteral("wmf/damaged.wmf"), bytes);
        const auto seen = [this](const QString& file, bool* loaded) {
            PageBox box(nullptr);
            box.resize(700, 800);
            *loaded = box.LoadPicture(f->program->paths(), file);
            return box.grab().toImage();
        };
        bool loaded = false, missingLoaded = true;
        const QImage damaged = seen(QStringLiteral("wmf\\damaged.wmf"), &loaded);
        const QImage notice = seen(QStringLiteral("wmf\\no such page.wmf"), &missingLoaded);
        QVERIFY(!missingLoaded);
        QCOMPARE(loaded, shown);
        QCOMPARE(damaged == notice, !shown);
    }

    void theLogoRunsOnAcrossTwoOpenings() {
        // The frames are named as the material has them.
        QCOMPARE(Teacher::logoFrameFile(12), QStringLiteral("logo\\quorvane0012.gif"));
        Intro0& menu = f->openMainMenu();
        gui::click(menu.Label2.at(Intro0::Acknowledgments));
        auto* notes = &screens().form<Teacher>();
        QVERIFY(notes->Label1->isHidden());
        QVERIFY(notes->Picture1()->isHidden() && notes->Picture2->isHidden());
        QCOMPARE(shown(notes->Image1), QStringLiteral("wmf/acknowledgments.wmf"));
        QCOMPARE(notes->Picture2->pixmap().size(), QSize(120, 89));
        for (int i = 0; i < 22; ++i)
            notes->Timer1_Timer();
        QCOMPARE(pages().LogoFrame, 2);
        QVERIFY(!notes->Picture1()->isHidden());
        QCOMPARE(notes->Picture1()->pixmap().toImage().pixelColor(5, 5).red(), 2);
        gui::click(notes->Label3[PageViewer::Exit]);
        gui::click(menu.Label2.at(Intro0::Acknowledgments));
        notes = &screens().form<Teacher>();
        QVERIFY(notes->Picture1()->isHidden());
        QVERIFY(notes->Timer1->isActive());
        notes->Timer1_Timer();
        QCOMPARE(pages().LogoFrame, 3);
        QVERIFY(!notes->Picture2->isHidden());
    }
};

OSTERVALE_TEST(ViewersTest)
#include "test_viewers.moc"
