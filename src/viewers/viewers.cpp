// The page viewers: key facts, teacher's notes, the acknowledgments and the teachers' guide.
#include "viewers.h"

#include "page_state.h"
#include "player.h"
#include "print_service.h"
#include "style.h"

namespace {
const controls::EntryDesign kEntries[] = {
    {.index = PageViewer::Print, .caption = "Print", .place = {10680, 120, 1125, 495}},
    {.index = PageViewer::Exit, .caption = "Exit", .place = {10680, 7920, 1125, 495}},
    {.index = PageViewer::Next, .caption = "Next Page", .place = {6720, 7920, 2685, 495}},
    {.index = PageViewer::Previous,
     .caption = "Previous Page",
     .place = {1320, 7920, 2685, 495},
     .enabled = false},
};
const Place kImage1{120, 0, 10485, 11955};
const QColor kAcknowledgmentsBack(49, 130, 212);
const QString kPublisherPicture = QStringLiteral("logo\\quorvane2.bmp");
constexpr int kGuidePages = 3;
} // namespace

PageViewer::PageViewer(Program& program, ScreenId id, const Place& image2)
    : Screen(program, id), Image1(new PageBox(client())),
      Image2(new PageBox(client(), PageBox::Reading::WhenAsked)),
      Label1(controls::label(client(), QString(), style::Black, style::tahomaBold(15.75))) {
    // The page lies behind every other control.
    Image1->lower();
    place(Image1, kImage1);
    place(Image2, {image2.left, image2.top, kImage1.width, kImage1.height});
    Image2->hide();
    Label1->setAutoFillBackground(true);
    controls::setBackColour(Label1, style::White);
    place(Label1, 4200, 7920, 2295, 495);
    Label3 = addEntries("Label3", kEntries, [this](int index) { Label3_Click(index); });
    controls::nameControls({{"Image1", Image1}, {"Image2", Image2}, {"Label1", Label1}});
    Image1->setAccessibleName(QStringLiteral("Page"));
    Image2->setAccessibleName(QStringLiteral("Page for printing"));
}

QStringList PageViewer::readingOrder() const {
    return {Image1->allWords()};
}

QString PageViewer::counterText(int page, int count) {
    return QStringLiteral("Page ") + QString::number(page) + QStringLiteral(" of ") +
           QString::number(count);
}

void PageViewer::showPage(const QString& screenFile, const QString& printFile) {
    Image1->LoadPicture(program.paths(), screenFile);
    Image2->LoadPicture(program.paths(), printFile);
}

void PageViewer::pageStep() {
    const PageState& pages = program.state<PageState>();
    const bool hasPrevious = pages.PageNumber > 1;
    const bool hasNext = pages.PageNumber < pages.PageCount;
    // Greying the entry the keyboard is on would send it on to Exit, and the
    // next Enter would close the viewer: it moves to the other way first.
    Label3[Previous]->setEnabled(hasPrevious || Label3[Previous]->isEnabled());
    Label3[Next]->setEnabled(hasNext || Label3[Next]->isEnabled());
    const QWidget* keyboard = window()->focusWidget();
    if (!hasNext && keyboard == Label3[Next])
        Label3[Previous]->setFocus(Qt::TabFocusReason);
    if (!hasPrevious && keyboard == Label3[Previous])
        Label3[Next]->setFocus(Qt::TabFocusReason);
    Label3[Previous]->setEnabled(hasPrevious);
    Label3[Next]->setEnabled(hasNext);
    showPage(pageFile(QStringLiteral("wmf"), pages.PageNumber),
             pageFile(QStringLiteral("wmf2"), pages.PageNumber));
    Label1->setText(counterText(pages.PageNumber, pages.PageCount));
}

void PageViewer::Label3_Click(int index) {
    int& page = program.state<PageState>().PageNumber;
    switch (index) {
    case Print:
        printPage();
        break;
    case Exit:
        program.screens().unload(id());
        break;
    case Next:
        ++page;
        pageStep();
        break;
    case Previous:
        --page;
        pageStep();
        break;
    }
}

void PageViewer::printPage() {
    // The print version of the page on show; one that cannot be read cannot
    // be printed, which the teacher is told as for any printing problem.
    if (!Image2->page()) {
        program.messages().tell(print_service::ProblemMessage);
        return;
    }
    const metafile::Metafile& page = *Image2->page();
    print_service::printPage(program, pageName(), [&page](QPainter& painter) {
        metafile::draw(page, painter, QRectF(QPointF(0, 0), page.sizeInTwips()));
    });
}

Teacher::Teacher(Program& program)
    : PageViewer(program, Id, {0, 0, 0, 0}), Picture2(new PictureBox(client())),
      Timer1(new QTimer(this)), picture1_(new PictureBox(client())) {
    place(picture1_, 8520, 4320, 1800, 1800);
    place(Picture2, 8550, 6240, 1800, 1335);
    picture1_->hide();
    Picture2->hide();
    Timer1->setInterval(25);
    onTimeout(Timer1, [this] { Timer1_Timer(); });
    controls::nameControls({{"Picture1", picture1_}, {"Picture2", Picture2}});
    picture1_->setAccessibleName(QStringLiteral("Publisher's logo"));
    Picture2->setAccessibleName(
        QStringLiteral("The publisher's emblem: an open book and a quill pen"));
    setAccessibleName(QStringLiteral("Key Facts and Teacher's Notes"));
}

void Teacher::open(Program& program, const PageSet& set) {
    PageState& pages = program.state<PageState>();
    pages.PageCount = set.count;
    pages.PageSetName = set.name;
    pages.PageSetTitle = set.title.isEmpty() ? set.name : set.title;
    // The first touch loads the viewer, which starts at page 1 of this set.
    auto& notes = program.screens().form<Teacher>();
    notes.showPage(QStringLiteral("wmf\\") + set.firstPage,
                   QStringLiteral("wmf2\\") + set.firstPage);
    if (set.withLogo) {
        if (const auto picture = LoadPicture(program.paths(), kPublisherPicture))
            notes.Picture2->setPicture(*picture);
        notes.setBackColor(kAcknowledgmentsBack);
        notes.Timer1->start();
    }
    notes.Show();
}

void Teacher::Form_Load() {
    SetUpForm();
    const PageState& pages = program.state<PageState>();
    if (pages.PageCount == 1) {
        Label1->hide();
        Label3[Next]->hide();
        Label3[Previous]->hide();
    }
    program.state<PageState>().PageNumber = 1;
    Label1->setText(counterText(1, pages.PageCount));
}

QString Teacher::pageFile(const QString& folder, const QString& set, int page) {
    return folder + u'\\' + set + QChar(u'a' + page - 1) + QStringLiteral(".wmf");
}

QString Teacher::logoFrameFile(int frame) {
    return (frame < 10 ? QStringLiteral("logo\\quorvane000") : QStringLiteral("logo\\quorvane00")) +
           QString::number(frame) + QStringLiteral(".gif");
}

QString Teacher::pageFile(const QString& folder, int page) const {
    return pageFile(folder, program.state<PageState>().PageSetName, page);
}

QString Teacher::pageName() const {
    const PageState& pages = program.state<PageState>();
    return pages.PageCount > 1
               ? pages.PageSetTitle + QStringLiteral(", page ") + QString::number(pages.PageNumber)
               : pages.PageSetTitle;
}

void Teacher::Timer1_Timer() {
    int& frame = program.state<PageState>().LogoFrame;
    frame = (frame + 1) % 20;
    if (const auto picture = LoadPicture(program.paths(), logoFrameFile(frame)))
        picture1_->setPicture(*picture);
    picture1_->show();
    Picture2->show();
}

Guide::Guide(Program& program) : PageViewer(program, Id, {120, -240, 0, 0}) {
    Label1->setText(counterText(1, kGuidePages));
    setAccessibleName(QStringLiteral("Teachers' Guide"));
}

void Guide::open(Program& program) {
    PageState& pages = program.state<PageState>();
    pages.PageCount = kGuidePages;
    pages.PageSetName = QStringLiteral("guide");
    auto& guide = program.screens().form<Guide>();
    pages.PageNumber = 1;
    guide.showPage(guide.pageFile(QStringLiteral("wmf"), 1),
                   guide.pageFile(QStringLiteral("wmf2"), 1));
    guide.Show();
}

QString Guide::pageFile(const QString& folder, int page) const {
    return folder + QStringLiteral("\\guide") + QString::number(page) + QStringLiteral(".wmf");
}

QString Guide::pageName() const {
    return QStringLiteral("Teachers' Guide, page ") +
           QString::number(program.state<PageState>().PageNumber);
}

#include "moc_viewers.cpp"
