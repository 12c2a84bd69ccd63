#include "intro0.h"

#include "catalogue_file.h"
#include "controls.h"
#include "sounds_named.h"
#include "titlefrm.h"
#include "topic_menu.h"
#include "twips.h"

namespace {
const QColor kBlack(0, 0, 0);
const QColor kNavy(0, 0, 128);

struct EntryDesign {
    int index;
    const char* caption;
    float left, top, width, height;
    double points;
    bool navy;
    bool enabled;
};

// Topics without material are greyed: they are listed so pupils see the
// whole course, but they can never be clicked.
constexpr EntryDesign kEntries[] = {
    {20, "Teachers' Guide", 120, 1080, 3075, 495, 14.25, true, true},
    {15, "The Start of the War", 120, 2160, 3075, 375, 12, false, false},
    {0, "The Blitz and Air Raids", 120, 2880, 3075, 375, 12, false, false},
    {1, "Evacuation", 120, 3600, 3075, 375, 12, false, false},
    {2, "Rationing", 120, 4320, 3075, 375, 12, false, true},
    {3, "Clothes", 120, 5040, 3075, 375, 12, false, false},
    {4, "Code-breaking", 120, 5760, 3075, 375, 12, false, false},
    {5, "Key Leaders", 3360, 2160, 3075, 375, 12, false, false},
    {6, "The Armed Forces", 3360, 2880, 3075, 375, 12, false, false},
    {7, "The Battle of Britain", 3360, 3600, 3075, 375, 12, false, false},
    {9, "The Progress of the War", 3360, 4320, 3075, 375, 12, false, true},
    {8, "The Atomic Bomb", 3360, 5040, 3075, 375, 12, false, false},
    {10, "Preventing War", 3360, 5760, 3075, 375, 12, false, false},
    {17, "Multiple Choice Wizard", 6840, 5640, 4635, 495, 18, true, true},
    {18, "Worksheet Catalogue", 6840, 6480, 4635, 495, 18, true, true},
    {19, "Acknowledgments", 120, 7920, 3075, 495, 14.25, true, true},
    {16, "Exit", 10560, 7920, 1245, 495, 18, false, true},
};

} // namespace

Intro0::Intro0(Program& program)
    : Screen(program, Id),
      Label1(controls::label(client(), QStringLiteral("Ostervale"), controls::Yellow,
                             twips::font(QStringLiteral("Tahoma"), 32.25, true))),
      Label3(controls::label(client(),
                             QStringLiteral("Greyed topics are not part of this edition."),
                             controls::Yellow, twips::font(QStringLiteral("Tahoma"), 9.75))),
      Image1(new ImageBox(client(), false)), Option1(soundOption(QStringLiteral("Sound On"), 120)),
      Option2(soundOption(QStringLiteral("Sound Off"), 480)), Timer1(new QTimer(this)) {
    place(Label1, 0, 120, 12000, 900);
    place(Label3, 0, 8280, 12000, 375);
    place(Image1, 6720, 1200, 4980, 3630);
    Option1->setChecked(true);
    Timer1->setInterval(1);
    connect(Timer1, &QTimer::timeout, this, &Intro0::Timer1_Timer);
    connect(Option1, &QRadioButton::clicked, this, [this] { this->program.shell.SoundOn = 1; });
    connect(Option2, &QRadioButton::clicked, this, [this] { this->program.shell.SoundOn = 0; });
    buildEntries();
}

QRadioButton* Intro0::soundOption(const QString& caption, float top) {
    auto* option = new QRadioButton(caption, client());
    controls::setTextColour(option, controls::Yellow);
    option->setFont(twips::font(QStringLiteral("Tahoma"), 9.75, true));
    // Buttons fill with the Button role by default; these take the screen's colour.
    option->setBackgroundRole(QPalette::Window);
    option->setAutoFillBackground(true);
    place(option, 10440, top, 1455, 255);
    return option;
}

void Intro0::buildEntries() {
    for (const EntryDesign& design : kEntries) {
        auto* entry =
            new MenuEntry(client(), QString::fromUtf8(design.caption), design.navy ? kNavy : kBlack,
                          twips::font(QStringLiteral("Tahoma"), design.points, true));
        entry->setBorder(true);
        entry->setEnabled(design.enabled);
        place(entry, design.left, design.top, design.width, design.height);
        const int index = design.index;
        connect(entry, &MenuEntry::clicked, this, [this, index] { Label2_Click(index); });
        addToMenuList(entry);
        Label2[index] = entry;
    }
}

void Intro0::Form_Load() {
    SetUpForm();
    if (const auto picture = LoadPicture(program.paths(), QStringLiteral("Images\\spitfism.jpg")))
        Image1->setPicture(*picture);
    for (QRadioButton* option : {Option1, Option2})
        controls::setBackColour(option, BackColor());
    program.shell.SoundOn = 1;
    Timer1->start();
}

void Intro0::Timer1_Timer() {
    // Runs once per load of the menu; a missing or damaged catalogue is not
    // the pupil's business here, so nothing is reported.
    catalogue_file::loadStoppingAtFailure(program.paths(), program.catalogue);
    Timer1->stop();
}

void Intro0::Label2_Click(int index) {
    ScreenRegistry& screens = program.screens();
    switch (index) {
    case 2:
        screens.form<RationingMenu>().Show();
        break;
    case 9:
        screens.form<ProgressMenu>().Show();
        break;
    case 16: {
        auto& title = screens.form<Titlefrm>();
        title.Command1->setText(QStringLiteral("Cancel"));
        title.Show();
        break;
    }
    default:
        // The guide, the acknowledgments, the wizard and the catalogue open
        // their screens here once those screens exist.
        break;
    }
    program.PlaySound(sounds::Click);
}
