// The topic menus: Rationing, and The Progress of the War.
#include "topic_menu.h"

#include "activity_screen.h"
#include "intro0.h"
#include "multiple.h"
#include "product.h"
#include "quiz_session.h"
#include "sounds_named.h"
#include "style.h"
#include "viewers.h"

namespace {
const controls::EntryDesign kTopicMenuEntries[] = {
    {.index = TopicMenu::MultipleChoice,
     .caption = "Multiple Choice",
     .place = {120, 7920, 3195, 495}},
    {.index = TopicMenu::Labelling,
     .caption = "Labelling Activity",
     .place = {3600, 7920, 3195, 495}},
    {.index = TopicMenu::Ordering,
     .caption = "Ordering Activity",
     .place = {7080, 7920, 3195, 495}},
    {.index = TopicMenu::Exit, .caption = "Exit", .place = {10560, 7920, 1245, 495}},
    {.index = TopicMenu::KeyFacts, .caption = "Key Facts", .place = {6360, 120, 1995, 495}},
    {.index = TopicMenu::TeachersNotes,
     .caption = "Teacher's Notes",
     .place = {8640, 120, 3195, 495}},
};

TopicDesign rationingDesign() {
    return {.title = QStringLiteral("Rationing"),
            .titleWidth = 6120,
            .background = style::ScreenBack,
            .picture = QStringLiteral("Images\\rationbook2.jpg"),
            .pictureDescription = QStringLiteral(
                "A ration book from the Ministry of Food, with a pencil and loose coupons"),
            .stretchPicture = false,
            .pictureTop = 1200,
            .questionFile = QStringLiteral("multiple\\Rationing.txt"),
            .quizPicture = QStringLiteral("images\\rationsm.jpg"),
            .quizPictureDescription = QStringLiteral(
                "A grocer's counter with a ration book, scales, sugar, butter, tea and eggs"),
            .keyFacts = {.name = QStringLiteral("key rationing"),
                         .count = 1,
                         .firstPage = QStringLiteral("key rationing.wmf"),
                         .title = QStringLiteral("Rationing, Key Facts")},
            .notes = {.name = QStringLiteral("rationing"),
                      .count = 2,
                      .firstPage = QStringLiteral("rationinga.wmf"),
                      .title = QStringLiteral("Rationing, Teacher's Notes")},
            .labelling = ScreenId::rationinglab,
            .ordering = ScreenId::rationingord};
}

TopicDesign progressDesign() {
    return {.title = QStringLiteral("The Progress of the War"),
            .titleWidth = 5880,
            .background = style::Black,
            .picture = QStringLiteral("Images\\Stal.jpg"),
            .pictureDescription =
                QStringLiteral("A ruined city in the snow, smoke rising from its factories"),
            .stretchPicture = true,
            .pictureArea = {0, 0, 12000, 8055},
            .questionFile = QStringLiteral("multiple\\The Progress of the War.txt"),
            .quizPicture = QStringLiteral("images\\MIDWAY.jpg"),
            .quizPictureDescription =
                QStringLiteral("An aircraft carrier at sea, with American planes flying over it"),
            // Shared with the labelling activity, which shows it whole; the
            // drawing keeps its subject across the middle for the banner.
            .quizPictureFillsBanner = true,
            .keyFacts = {.name = QStringLiteral("key progress"),
                         .count = 3,
                         .firstPage = QStringLiteral("key progressa.wmf"),
                         .title = QStringLiteral("The Progress of the War, Key Facts")},
            .notes = {.name = QStringLiteral("progress"),
                      .count = 2,
                      .firstPage = QStringLiteral("progressa.wmf"),
                      .title = QStringLiteral("The Progress of the War, Teacher's Notes")},
            .labelling = ScreenId::progresslab,
            .ordering = ScreenId::progressord};
}
} // namespace

TopicMenu::TopicMenu(Program& program, ScreenId id, TopicDesign design)
    : Screen(program, id), Label1(nullptr), Image1(new ImageBox(client(), design.stretchPicture)),
      design_(std::move(design)) {
    // The picture lies behind the title and the entries, so it is made first.
    if (design_.stretchPicture) {
        place(Image1, design_.pictureArea);
    } else {
        Image1->move(0, twips::toPixels(design_.pictureTop));
    }
    Label1 = controls::label(client(), design_.title, style::Yellow, style::times(27.75, true),
                             Qt::AlignLeft | Qt::AlignTop);
    place(Label1, 240, 0, design_.titleWidth, 900);
    label3 = addEntries("label3", kTopicMenuEntries, [this](int index) { label3_Click(index); });
    Image1->setAccessibleName(design_.pictureDescription);
    controls::nameControls({{"Label1", Label1}, {"Image1", Image1}});
    setAccessibleName(design_.title);
}

void TopicMenu::Form_Load() {
    SetUpForm();
    setBackColor(design_.background);
    if (const auto picture = LoadPicture(program.paths(), design_.picture))
        Image1->setPicture(*picture);
    if (!design_.stretchPicture)
        Image1->move(twips::toPixels((style::ScreenWidth - twips::fromPixels(Image1->width())) / 2),
                     Image1->y());
}

void TopicMenu::label3_Click(int index) {
    switch (index) {
    case MultipleChoice:
        openQuiz();
        break;
    case Labelling:
        openActivity(design_.labelling);
        break;
    case Ordering:
        openActivity(design_.ordering);
        break;
    case Exit:
        program.screens().form<Intro0>().Show();
        program.screens().unload(id());
        break;
    case KeyFacts:
        Teacher::open(program, design_.keyFacts);
        break;
    case TeachersNotes:
        Teacher::open(program, design_.notes);
        break;
    }
    program.PlaySound(sounds::Click);
}

void TopicMenu::openQuiz() {
    if (!quiz_session::load(program, program.paths().resolve(design_.questionFile))) {
        program.messages().tell(
            QStringLiteral("The questions for this quiz are missing or damaged, so the quiz "
                           "cannot start. Please ask your teacher to reinstall Ostervale."));
        return;
    }
    Multiple::open(program, LoadPicture(program.paths(), design_.quizPicture).value_or(QPixmap()),
                   product::Title, design_.quizPictureDescription, design_.quizPictureFillsBanner);
}

void TopicMenu::openActivity(ScreenId id) {
    if (auto* activity = dynamic_cast<ActivityScreen*>(program.screens().get(id)))
        activity->open(design_.title);
}
RationingMenu::RationingMenu(Program& program) : TopicMenu(program, Id, rationingDesign()) {}

ProgressMenu::ProgressMenu(Program& program) : TopicMenu(program, Id, progressDesign()) {}

#include "moc_topic_menu.cpp"
