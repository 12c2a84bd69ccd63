// The Worksheet Catalogue.
#include "worksheets.h"

#include "catalogue_file.h"
#include "catalogue_screen_state.h"
#include "catalogue_state.h"
#include "multiple.h"
#include "product.h"
#include "question_file.h"
#include "quiz_session.h"
#include "screen_waiting.h"
#include "sounds_named.h"
#include "style.h"
#include "wizard.h"
#include "worksheet_folder.h"

#include <QFileInfo>
#include <QScopedValueRollback>
#include <algorithm>
#include <vector>

namespace {
const QString kCorrupted = QStringLiteral("This worksheet seems to be corrupted.");
const QColor kRed{255, 0, 0};
const QColor kBlue{0, 0, 255};
constexpr float kSlotTop = 720;
constexpr float kSlotPitch = 600;

const controls::EntryDesign kPaging[] = {
    {.index = Worksheets::Previous,
     .caption = "<< Previous Page",
     .place = {2640, 7920, 3195, 495}},
    {.index = Worksheets::Next, .caption = "Next Page >>", .place = {6000, 7920, 3195, 495}},
};

std::vector<controls::EntryDesign> titleSlotsAndExit() {
    std::vector<controls::EntryDesign> designs{{.index = Worksheets::Exit,
                                                .caption = "Exit",
                                                .place = {10560, 7920, 1245, 495},
                                                .points = 18}};
    for (int k = Worksheets::FirstSlot; k <= Worksheets::LastSlot; ++k) {
        const bool left = k <= Worksheets::SlotsPerColumn;
        const int row = (k - 1) % Worksheets::SlotsPerColumn;
        designs.push_back(
            {.index = k,
             .caption = "",
             .place = {left ? 120.0f : 6120.0f, kSlotTop + kSlotPitch * row, 5715, 375},
             .points = 12});
    }
    return designs;
}
} // namespace

Worksheets::Worksheets(Program& program)
    : Screen(program, Id), Label1(controls::label(client(), QStringLiteral("Worksheets Catalogue"),
                                                  style::Yellow, style::tahomaBold(24))),
      Check1(modeBox(QStringLiteral("Edit Worksheet"), style::Yellow, 120)),
      Check2(modeBox(QStringLiteral("Delete Worksheet"), kRed, 9240)),
      Label4(new BoxLabel(QStringLiteral("Page 1"), client())) {
    place(Label1, 0, 0, 12000, 780);
    controls::setTextColour(Label4, kBlue);
    controls::setBackColour(Label4, style::White);
    Label4->setAutoFillBackground(true);
    Label4->setFont(style::tahomaBold(15.75));
    Label4->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    place(Label4, 120, 7920, 1995, 495);
    connect(Check1, &QCheckBox::clicked, this, &Worksheets::Check1_Click);
    connect(Check2, &QCheckBox::clicked, this, &Worksheets::Check2_Click);
    Label2 = addEntries("Label2", titleSlotsAndExit(), [this](int index) { Label2_Click(index); });
    Label3 = addEntries(
        "Label3", kPaging, [this](int index) { label3_Click(index); }, Hover::Fixed);
    for (int k = FirstSlot; k <= LastSlot; ++k)
        Label2[k]->hide();
    for (const auto& [index, paging] : Label3)
        paging->hide();
    controls::nameControls(
        {{"Label1", Label1}, {"Check1", Check1}, {"Check2", Check2}, {"Label4", Label4}});
    setAccessibleName(QStringLiteral("Worksheets Catalogue"));
}

Worksheets::~Worksheets() {
    catalogue().reloaded = nullptr;
}

CheckBox* Worksheets::modeBox(const QString& caption, const QColor& colour, float left) {
    auto* box = new CheckBox(client());
    box->setText(caption);
    box->setFont(style::tahomaBold(12));
    controls::setTextColour(box, colour);
    place(box, left, 120, 2535, 375);
    return box;
}

CatalogueState& Worksheets::catalogue() {
    return program.state<CatalogueState>();
}

CatalogueScreenState& Worksheets::state() {
    return program.state<CatalogueScreenState>();
}

QString Worksheets::folder() const {
    return worksheet_folder::folder(program);
}

void Worksheets::Form_Load() {
    SetUpForm();
    const catalogue_file::Health health = catalogue_file::load(folder(), catalogue());
    for (CheckBox* box : {Check1, Check2})
        controls::setBackColour(box, style::BoxBack);
    state().CataloguePage = 0;
    for (int k = FirstSlot; k <= LastSlot; ++k)
        Label2[k]->setFont(style::tahomaBold(12));
    workpage();
    // From now on, whoever fills the table anew (a save, the main menu's
    // reading, another copy's change seen by either) also redraws the page.
    catalogue().reloaded = [this] {
        if (!deleting_)
            workpage();
    };
    // A missing list is just an empty one; a damaged one hides worksheets
    // and refuses every change until it is repaired, so the teacher is told,
    // once the catalogue is on show behind the message.
    if (health == catalogue_file::Health::Damaged)
        afterDelay(0, this, [this] {
            program.messages().tell(
                catalogue_file::explain(catalogue_file::Failure::Damaged, folder()));
        });
}

void Worksheets::Check1_Click() {
    if (Check1->isChecked())
        Check2->setChecked(false);
}

void Worksheets::Check2_Click() {
    if (Check2->isChecked())
        Check1->setChecked(false);
}

void Worksheets::showTitles(int last) {
    const int first = SlotsPerPage * state().CataloguePage;
    for (int k = FirstSlot; k <= LastSlot; ++k) {
        Label2[k]->hide();
        Label2[k]->setText(QString());
        slotTitles_[k].clear();
    }
    for (int i = first + 1; i <= std::min(last, CatalogueState::Capacity); ++i) {
        MenuEntry* slot = Label2[i - first];
        slotTitles_[i - first] = catalogue().WorksheetTitles[i];
        controls::showText(slot, slotTitles_[i - first]);
        slot->show();
    }
}

void Worksheets::workpage() {
    const int p = state().CataloguePage;
    const int n = catalogue().WorksheetCount;
    Label3[Previous]->setVisible(p > 0);
    Label4->setText(QStringLiteral("Page ") + QString::number(p + 1));
    // "Next Page >>" shows for as long as titles follow, so every title the
    // catalogue can hold is within reach, the thousandth on page 42.
    const bool more = n >= SlotsPerPage * (p + 1) + 1;
    Label3[Next]->setVisible(more);
    showTitles(more ? SlotsPerPage * (p + 1) : n);
}

void Worksheets::label3_Click(int index) {
    state().CataloguePage += index == Next ? 1 : -1;
    workpage();
    program.PlaySound(sounds::Click);
}

void Worksheets::Label2_Click(int index) {
    if (index == Exit) {
        program.PlaySound(sounds::Click);
        if (Screen* menu = program.screens().get(ScreenId::intro0))
            menu->Show();
        program.screens().unload(Id);
        return;
    }
    program.PlaySound(sounds::Click);
    if (index < FirstSlot || index > LastSlot || Label2[index]->isHidden())
        return;
    const QString title = slotTitles_[index];
    const auto corrupted = [this] { program.messages().tell(kCorrupted); };
    runGuarded(
        [&] {
            if (!openTitle(title))
                corrupted();
        },
        corrupted);
}

bool Worksheets::openTitle(const QString& title) {
    // The file is read whatever the mode. One that cannot be read can be
    // neither run nor edited, but it can be deleted, or a broken entry would
    // stay listed for ever.
    const bool read = quiz_session::load(program, worksheet_folder::worksheetFile(folder(), title));
    if (Check2->isChecked()) {
        deleteTitle(title, !read);
        return true;
    }
    if (!read)
        return false;
    if (Check1->isChecked()) {
        editworksheet();
        return true;
    }
    return runAsQuiz();
}

void Worksheets::editworksheet() {
    auto& wizard = program.screens().form<Wizard>();
    wizard.fillFromTables();
    wizard.Show();
}

void Worksheets::deleteTitle(const QString& title, bool unreadable) {
    // A folder that cannot be written is said so before the question, not
    // after the teacher has agreed to a delete that cannot happen.
    if (const QString refusal = worksheet_folder::refusal(program); !refusal.isEmpty()) {
        program.messages().tell(refusal);
        return;
    }
    // The question stands alone, with an empty title bar.
    if (!program.messages().confirm(
            QStringLiteral("Are you sure that you want to delete the worksheet ") + title + u'?',
            QString()))
        return;
    state().WorksheetToDelete = title;
    const QString file = worksheet_folder::worksheetFile(folder(), title);
    // A worksheet that cannot be read goes with its title; a good one stays
    // in the folder, as it always has. It is looked at again under the lock,
    // in case another copy has just saved a good one in its place.
    const auto removeUnreadable = [&] {
        QuizTables scratch;
        if (unreadable && QFileInfo(file).isFile() && !loadQuestionFile(file, scratch))
            QFile::remove(file);
    };
    catalogue_file::Failure why = catalogue_file::Failure::None;
    if (!delworksheet(&why, removeUnreadable)) {
        program.messages().tell(
            QStringLiteral("The worksheet %1 could not be deleted, because the list of "
                           "worksheets could not be changed.\n\n")
                .arg(title) +
            catalogue_file::explain(why, folder()));
        return;
    }
    // The titles close up on the page on show; the paging entries and the
    // page number stay as they were.
    showTitles(std::min(catalogue().WorksheetCount, SlotsPerPage * (state().CataloguePage + 1)));
}

bool Worksheets::delworksheet(catalogue_file::Failure* why,
                              const std::function<void()>& afterwards) {
    const ScreenWaiting waiting;
    const QScopedValueRollback<bool> deleting(deleting_, true);
    return catalogue_file::delworksheet(folder(), state().WorksheetToDelete, catalogue(), why,
                                        afterwards) != catalogue_file::Change::Failed;
}

bool Worksheets::runAsQuiz() {
    // Under the main menu's picture and the product title, as the menu shows
    // them; the menu itself is not loaded for them, which would switch the
    // sound back on behind a teacher who had switched it off.
    Multiple::open(program, LoadPicture(program.paths(), product::MenuPicture).value_or(QPixmap()),
                   product::Title, product::MenuPictureDescription);
    return true;
}

#include "moc_worksheets.cpp"
