// The main menu.
#include "intro0.h"

#include "catalogue_file.h"
#include "catalogue_state.h"
#include "product.h"
#include "sounds_named.h"
#include "style.h"
#include "titlefrm.h"
#include "topic_menu.h"
#include "viewers.h"
#include "worksheet_folder.h"

namespace {
using controls::EntryDesign;

// Topics without material are greyed: they are listed so pupils see the
// whole course, but they can never be clicked.
const EntryDesign kIntroEntries[] = {
    {.index = Intro0::Guide,
     .caption = "Teachers' Guide",
     .place = {120, 1080, 3075, 495},
     .points = 14.25,
     .colour = style::Navy},
    {.index = Intro0::StartOfTheWar,
     .caption = "The Start of the War",
     .place = {120, 2160, 3075, 375},
     .points = 12,
     .enabled = false},
    {.index = Intro0::Blitz,
     .caption = "The Blitz and Air Raids",
     .place = {120, 2880, 3075, 375},
     .points = 12,
     .enabled = false},
    {.index = Intro0::Evacuation,
     .caption = "Evacuation",
     .place = {120, 3600, 3075, 375},
     .points = 12,
     .enabled = false},
    {.index = Intro0::Rationing,
     .caption = "Rationing",
     .place = {120, 4320, 3075, 375},
     .points = 12},
    {.index = Intro0::Clothes,
     .caption = "Clothes",
     .place = {120, 5040, 3075, 375},
     .points = 12,
     .enabled = false},
    {.index = Intro0::CodeBreaking,
     .caption = "Code-breaking",
     .place = {120, 5760, 3075, 375},
     .points = 12,
     .enabled = false},
    {.index = Intro0::KeyLeaders,
     .caption = "Key Leaders",
     .place = {3360, 2160, 3075, 375},
     .points = 12,
     .enabled = false},
    {.index = Intro0::ArmedForces,
     .caption = "The Armed Forces",
     .place = {3360, 2880, 3075, 375},
     .points = 12,
     .enabled = false},
    {.index = Intro0::BattleOfBritain,
     .caption = "The Battle of Britain",
     .place = {3360, 3600, 3075, 375},
     .points = 12,
     .enabled = false},
    {.index = Intro0::Progress,
     .caption = "The Progress of the War",
     .place = {3360, 4320, 3075, 375},
     .points = 12},
    {.index = Intro0::AtomicBomb,
     .caption = "The Atomic Bomb",
     .place = {3360, 5040, 3075, 375},
     .points = 12,
     .enabled = false},
    {.index = Intro0::PreventingWar,
     .caption = "Preventing War",
     .place = {3360, 5760, 3075, 375},
     .points = 12,
     .enabled = false},
    {.index = Intro0::Wizard,
     .caption = "Multiple Choice Wizard",
     .place = {6840, 5640, 4635, 495},
     .points = 18,
     .colour = style::Navy},
    {.index = Intro0::Catalogue,
     .caption = "Worksheet Catalogue",
     .place = {6840, 6480, 4635, 495},
     .points = 18,
     .colour = style::Navy},
    {.index = Intro0::Acknowledgments,
     .caption = "Acknowledgments",
     .place = {120, 7920, 3075, 495},
     .points = 14.25,
     .colour = style::Navy},
    {.index = Intro0::Exit, .caption = "Exit", .place = {10560, 7920, 1245, 495}, .points = 18},
};

} // namespace

Intro0::Intro0(Program& program)
    : Screen(program, Id),
      Label1(controls::label(client(), product::Title, style::Yellow, style::tahomaBold(32.25))),
      Label3(controls::label(client(),
                             QStringLiteral("Greyed topics are not part of this edition."),
                             style::Yellow, style::tahoma(9.75))),
      Image1(new ImageBox(client(), false)), Option1(soundOption(QStringLiteral("Sound On"), 120)),
      Option2(soundOption(QStringLiteral("Sound Off"), 480)), Timer1(new QTimer(this)) {
    place(Label1, 0, 120, 12000, 900);
    place(Label3, 0, 8280, 12000, 375);
    place(Image1, 6720, 1200, 4980, 3630);
    Option1->setChecked(true);
    Timer1->setInterval(1);
    onTimeout(Timer1, [this] { Timer1_Timer(); });
    connect(Option1, &QRadioButton::clicked, this, [this] { this->program.shell.SoundOn = 1; });
    connect(Option2, &QRadioButton::clicked, this, [this] { this->program.shell.SoundOn = 0; });
    Label2 = addEntries("Label2", kIntroEntries, [this](int index) { Label2_Click(index); });
    controls::nameControls({{"Label1", Label1},
                            {"Label3", Label3},
                            {"Image1", Image1},
                            {"Option1", Option1},
                            {"Option2", Option2}});
    setAccessibleName(QStringLiteral("Main menu"));
    Image1->setAccessibleName(product::MenuPictureDescription);
}

OptionButton* Intro0::soundOption(const QString& caption, float top) {
    auto* option = new OptionButton(caption, client());
    controls::setTextColour(option, style::Yellow);
    option->setFont(style::tahomaBold(9.75));
    place(option, 10440, top, 1455, 255);
    return option;
}

void Intro0::Form_Load() {
    SetUpForm();
    if (const auto picture = LoadPicture(program.paths(), product::MenuPicture))
        Image1->setPicture(*picture);
    for (QRadioButton* option : {Option1, Option2})
        controls::setBackColour(option, BackColor());
    program.shell.SoundOn = 1;
    Timer1->start();
}

void Intro0::Timer1_Timer() {
    // Runs once per load of the menu; a missing or damaged catalogue is not
    // the pupil's business here, so nothing is reported.
    catalogue_file::load(worksheet_folder::folder(program), program.state<CatalogueState>());
    Timer1->stop();
}

void Intro0::openAcknowledgments() {
    // A set of one page: whatever set the viewer showed last, it must not
    // count pages the acknowledgments do not have.
    Teacher::open(program, {.name = QStringLiteral("acknowledgments"),
                            .count = 1,
                            .firstPage = QStringLiteral("acknowledgments.wmf"),
                            .withLogo = true,
                            .title = QStringLiteral("Acknowledgments")});
}

void Intro0::Label2_Click(int index) {
    ScreenRegistry& screens = program.screens();
    switch (index) {
    case Rationing:
        screens.form<RationingMenu>().Show();
        break;
    case Progress:
        screens.form<ProgressMenu>().Show();
        break;
    case Exit:
        Titlefrm::openAsExitConfirmation(program);
        break;
    case Acknowledgments:
        openAcknowledgments();
        break;
    case Guide:
        ::Guide::open(program);
        break;
    case Wizard:
        if (Screen* wizard = screens.get(ScreenId::wizard))
            wizard->Show();
        break;
    case Catalogue:
        if (Screen* catalogue = screens.get(ScreenId::worksheets)) {
            catalogue->Show();
            screens.unload(Id);
        }
        break;
    default:
        break;
    }
    program.PlaySound(sounds::Click);
}

#include "moc_intro0.cpp"
