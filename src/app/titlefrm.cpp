// The title screen, which is also the exit question.
#include "titlefrm.h"

#include "product.h"

#include "controls.h"
#include "intro0.h"
#include "sounds_named.h"
#include "style.h"

Titlefrm::Titlefrm(Program& program)
    : Screen(program, Id), Frame1(new QFrame(client())),
      Label4(
          controls::label(Frame1, QStringLiteral("Ostervale"), Qt::red, style::times(27.75, true))),
      Label1(controls::label(Frame1, QStringLiteral("The war at home and abroad"), Qt::blue,
                             style::times(14.25))),
      Label5(controls::label(Frame1, QStringLiteral("Key facts, quizzes and activities"), Qt::blue,
                             style::times(12))),
      Label3(controls::label(Frame1, QStringLiteral("Quorvane Publishing Ltd"), Qt::blue,
                             style::times(12))),
      Label2(controls::label(
          Frame1, QStringLiteral("For use in schools. Sounds can be switched off on the menu."),
          QColor(0, 128, 0), style::arial(8.25))),
      Command1(new PushButton(QStringLiteral("OK"), Frame1)),
      Command2(new PushButton(QStringLiteral("Exit"), Frame1)), picture1_(new PictureBox(Frame1)) {
    setCaption(QStringLiteral(" "));
    setBackColor(style::TitleGrey);
    setClientSize(5460, 6570);
    Frame1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    // The panel carries the title screen's grey itself, so its texts stay
    // readable when the fallback gives the screen the standard navy.
    controls::setBackColour(Frame1, style::TitleGrey);
    Frame1->setAutoFillBackground(true);
    place(Frame1, 0, -90, 5480, 6660);
    place(Label4, 60, 360, 5355, 705);
    place(picture1_, 300, 1200, 4800, 3600);
    place(Label1, 360, 4980, 4695, 375);
    place(Label5, 480, 5310, 4455, 375);
    place(Label3, 480, 5640, 4455, 375);
    place(Label2, 0, 6420, 5415, 255);
    place(Command1, 1320, 6000, 1335, 375);
    place(Command2, 2760, 6000, 1335, 375);
    connect(Command1, &QPushButton::clicked, this, &Titlefrm::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Titlefrm::Command2_Click);
    controls::nameControls({{"Frame1", Frame1},
                            {"Label4", Label4},
                            {"Label1", Label1},
                            {"Label5", Label5},
                            {"Label3", Label3},
                            {"Label2", Label2},
                            {"Command1", Command1},
                            {"Command2", Command2},
                            {"Picture1", picture1_}});
    setAccessibleName(QStringLiteral("Ostervale: title"));
    picture1_->setAccessibleName(product::MenuPictureDescription);
}

void Titlefrm::Form_Load() {
    if (!normalStartUp())
        fallbackStartUp();
}

bool Titlefrm::normalStartUp() {
    Stage& desktop = program.screens().stage();
    if (desktop.desktopWidthTwips() <= 0 || desktop.desktopHeightTwips() <= 0)
        return false;
    setPlace(desktop.desktopWidthTwips() / 2 - Width() / 2,
             desktop.desktopHeightTwips() / 2 - Height() / 2);
    desktop.bringToFront();
    const auto picture = LoadPicture(program.paths(), product::MenuPicture);
    if (!picture)
        return false;
    picture1_->setPicture(*picture);
    return true;
}

void Titlefrm::fallbackStartUp() {
    SetUpForm();
    Frame1->raise();
    if (const auto picture =
            LoadPicture(program.paths(), QStringLiteral("images\\spitfire2sm.jpg")))
        picture1_->setPicture(*picture);
}

void Titlefrm::openAsExitConfirmation(Program& program) {
    auto& title = program.screens().form<Titlefrm>();
    title.Command1->setText(QStringLiteral("Cancel"));
    title.Show();
}

void Titlefrm::Command1_Click() {
    program.screens().form<Intro0>().Show();
    program.screens().unload(Id);
    program.PlaySound(sounds::Click);
}

void Titlefrm::Command2_Click() {
    program.PlaySound(sounds::Click);
    program.endProgram();
}

#include "moc_titlefrm.cpp"
