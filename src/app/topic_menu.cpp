#include "topic_menu.h"

#include "activity_screen.h"
#include "controls.h"
#include "intro0.h"
#include "multiple.h"
#include "question_file.h"
#include "sounds_named.h"
#include "twips.h"

namespace {
struct EntryDesign {
    int index;
    const char* caption;
    float left, top, width, height;
};

constexpr EntryDesign kEntries[] = {
    {0, "Multiple Choice", 120, 7920, 3195, 495},
    {1, "Labelling Activity", 3600, 7920, 3195, 495},
    {3, "Ordering Activity", 7080, 7920, 3195, 495},
    {2, "Exit", 10560, 7920, 1245, 495},
    {4, "Key Facts", 6360, 120, 1995, 495},
    {5, "Teacher's Notes", 8640, 120, 3195, 495},
};

TopicDesign rationingDesign() {
    return {QStringLiteral("Rationing"),
            6120,
            QColor(39, 63, 137),
            QStringLiteral("Images\\rationbook2.jpg"),
            false,
            1200,
            {},
            QStringLiteral("multiple\\Rationing.txt"),
            QStringLiteral("images\\rationsm.jpg"),
            ScreenId::rationinglab,
            ScreenId::rationingord};
}

TopicDesign progressDesign() {
    return {QStringLiteral("The Progress of the War"),
            5880,
            QColor(0, 0, 0),
            QStringLiteral("Images\\Stal.jpg"),
            true,
            0,
            QRectF(0, 0, 12000, 8055),
            QStringLiteral("multiple\\The Progress of the War.txt"),
            QStringLiteral("images\\MIDWAY.jpg"),
            ScreenId::progresslab,
            ScreenId::progressord};
}
} // namespace

TopicMenu::TopicMenu(Program& program, ScreenId id, TopicDesign design)
    : Screen(program, id), Label1(nullptr), Image1(new ImageBox(client(), design.stretchPicture)),
      design_(std::move(design)) {
    // The picture lies behind the title and the entries, so it is made first.
    if (design_.stretchPicture) {
        const QRectF& r = design_.pictureRect;
        place(Image1, r.x(), r.y(), r.width(), r.height());
    } else {
        Image1->move(0, twips::toPixels(design_.pictureTop));
    }
    Label1 = controls::label(client(), design_.title, controls::Yellow,
                             twips::font(QStringLiteral("Times New Roman"), 27.75, true),
                             Qt::AlignLeft | Qt::AlignTop);
    place(Label1, 240, 0, design_.titleWidth, 900);
    buildEntries();
}

void TopicMenu::buildEntries() {
    for (const EntryDesign& design : kEntries) {
        auto* entry = new MenuEntry(client(), QString::fromUtf8(design.caption), Qt::black,
                                    twips::font(QStringLiteral("Tahoma"), 15.75, true));
        place(entry, design.left, design.top, design.width, design.height);
        const int index = design.index;
        connect(entry, &MenuEntry::clicked, this, [this, index] { label3_Click(index); });
        addToMenuList(entry);
        label3[index] = entry;
    }
}

void TopicMenu::Form_Load() {
    SetUpForm();
    setBackColor(design_.background);
    if (const auto picture = LoadPicture(program.paths(), design_.picture))
        Image1->setPicture(*picture);
    if (!design_.stretchPicture)
        Image1->move(twips::toPixels((12000 - twips::fromPixels(Image1->width())) / 2),
                     Image1->y());
}

void TopicMenu::label3_Click(int index) {
    switch (index) {
    case 0:
        openQuiz();
        break;
    case 1:
        openActivity(design_.labelling);
        break;
    case 3:
        openActivity(design_.ordering);
        break;
    case 2:
        program.screens().form<Intro0>().Show();
        program.screens().unload(id());
        break;
    default:
        // The page viewers open here once those screens exist.
        break;
    }
    program.PlaySound(sounds::Click);
}

void TopicMenu::openQuiz() {
    if (!loadQuestionFile(program.paths().resolve(design_.questionFile), program.questions)) {
        program.messages().tell(
            QStringLiteral("The questions for this quiz are missing or damaged, so the quiz "
                           "cannot start. Please ask your teacher to reinstall Ostervale."));
        return;
    }
    // The first touch loads the quiz screen, which starts at question 1 with
    // the tables just read.
    auto& quiz = program.screens().form<Multiple>();
    if (const auto picture = LoadPicture(program.paths(), design_.quizPicture))
        quiz.Picture1()->setPicture(*picture);
    quiz.Label5->setText(QStringLiteral("Ostervale"));
    quiz.Show();
}

void TopicMenu::openActivity(ScreenId id) {
    auto& activity = static_cast<ActivityScreen&>(program.screens().get(id));
    activity.Label6->setText(Label1->text());
    activity.Show();
}

RationingMenu::RationingMenu(Program& program) : TopicMenu(program, Id, rationingDesign()) {}

ProgressMenu::ProgressMenu(Program& program) : TopicMenu(program, Id, progressDesign()) {}
