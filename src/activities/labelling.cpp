// The labelling activities of the two topics.
#include "labelling.h"

#include "style.h"

#include <cstdlib>

namespace {
ActivityDesign rationingDesign() {
    return {
        .items = {{.text = QStringLiteral("Cheese"), .slot = {9000, 3000}, .home = {2160, 6480}},
                  {.text = QStringLiteral("Milk"), .slot = {5280, 4080}, .home = {3720, 6480}},
                  {.text = QStringLiteral("Sugar"), .slot = {1440, 3720}, .home = {600, 6480}},
                  {.text = QStringLiteral("Meat"), .slot = {9000, 6600}, .home = {5280, 6480}}},
        .labelWidth = 1455,
        .labelHeight = 420,
        .labelPoints = 11.25,
        .heading = {QStringLiteral("Rationing"), {0, 240, 3465, 705}, 24},
        .score = scoring::ownSlot};
}

std::vector<PictureFrame> rationingPictures() {
    // Some stored names end in a blank; the material look-up drops it.
    return {{QStringLiteral("Images\\sugar.jpg"),
             {300, 1320, 3600, 2490},
             QStringLiteral("a blue paper bag folded over at the top, beside a few white cubes")},
            {QStringLiteral("Images\\milk.jpg"),
             {4680, 480, 2565, 3600},
             QStringLiteral("a tall glass bottle full of something white, with a cap")},
            {QStringLiteral("Images\\meat.jpg "),
             {7920, 3960, 3600, 2775},
             QStringLiteral("two raw red chops edged with fat, on paper on a wooden board")},
            {QStringLiteral("Images\\cheese.jpg "),
             {7920, 720, 3600, 2445},
             QStringLiteral("a yellow wedge with a rind on a board, beside a small knife")}};
}

ActivityDesign progressDesign() {
    return {.items = {{.text = QStringLiteral("Midway in the Pacific Ocean"),
                       .slot = {8940, 4320},
                       .home = {4920, 7200}},
                      {.text = QStringLiteral("Stalingrad in Russia"),
                       .slot = {4860, 5460},
                       .home = {2760, 7200}},
                      {.text = QStringLiteral("El Alamein in the Sahara Desert"),
                       .slot = {720, 4320},
                       .home = {7080, 7200}}},
            .labelWidth = 2055,
            .labelHeight = 660,
            .labelPoints = 11.25,
            .heading = {QStringLiteral("The Armed Forces"), {120, 60, 11625, 705}, 24},
            .score = scoring::ownSlot};
}

std::vector<PictureFrame> progressPictures() {
    return {{QStringLiteral("Images\\EL ALAMEIN.jpg"),
             {120, 765, 3660, 3480},
             QStringLiteral("tanks crossing hot, sandy ground under a blazing sun")},
            {QStringLiteral("Images\\MIDWAY.jpg"),
             {8100, 720, 3660, 3525},
             QStringLiteral("an aircraft carrier at sea, with American planes flying over it")},
            {QStringLiteral("Images\\STALINGRAD.jpg "),
             {3900, 2640, 4080, 2760},
             QStringLiteral("a tank in the snow before a ruined factory")}};
}
} // namespace

LabellingScreen::LabellingScreen(Program& program, ScreenId id, ActivityDesign design,
                                 std::vector<PictureFrame> pictures, const QString& instruction,
                                 const Place& instructionPlace)
    : ActivityScreen(program, id, std::move(design)),
      Label7(controls::label(client(), instruction, style::Yellow, style::times(15.75))),
      pictures_(std::move(pictures)) {
    place(Label7, instructionPlace);
    // The rationing instruction needs three pixels more than its box.
    controls::growToFit(Label7);
    putBehindActivity(Label7);
    for (const PictureFrame& picture : pictures_) {
        auto* image = new ImageBox(client(), true);
        place(image, picture.frame);
        putBehindActivity(image);
        image->setObjectName(controls::designName("Image1", int(Image1.size())));
        // Described, not named: the names are what the pupil has to find.
        image->setAccessibleName(QStringLiteral("Picture of ") + picture.description);
        Image1.push_back(image);
    }
    nameAnswerBoxes();
    Label7->setObjectName(QStringLiteral("Label7"));
}

void LabellingScreen::nameAnswerBoxes() {
    // Each answer box lies just under its picture (or over its lower edge):
    // the picture above it whose width spans the box's left edge, nearest.
    for (std::size_t j = 0; j < Label1.size(); ++j) {
        const QRect box = Label1[j]->geometry();
        const PictureFrame* nearest = nullptr;
        int gap = 0;
        for (std::size_t p = 0; p < pictures_.size(); ++p) {
            const QRect picture = Image1[p]->geometry();
            if (box.left() < picture.left() || box.left() > picture.right())
                continue;
            const int distance = std::abs(box.top() - picture.bottom());
            if (!nearest || distance < gap) {
                nearest = &pictures_[p];
                gap = distance;
            }
        }
        if (nearest)
            Label1[j]->setAccessibleName(QStringLiteral("Answer box for the picture of ") +
                                         nearest->description);
    }
}

void LabellingScreen::loadPictures() {
    for (std::size_t i = 0; i < pictures_.size(); ++i) {
        // A missing picture leaves its frame empty; the activity still works.
        if (const auto picture = LoadPicture(program.paths(), pictures_[i].file))
            Image1[i]->setPicture(*picture);
    }
}

RationingLab::RationingLab(Program& program)
    : LabellingScreen(program, Id, rationingDesign(), rationingPictures(),
                      QStringLiteral("Drag the labels to the correct illustrations of some of the "
                                     "food that was rationed in Britain during the war."),
                      {1080, 5280, 5175, 1065}) {
    nameAs(QStringLiteral("labelling"));
}

ProgressLab::ProgressLab(Program& program)
    : LabellingScreen(program, Id, progressDesign(), progressPictures(),
                      QStringLiteral("Drag the labels to the correct illustrations showing the "
                                     "major battles that were the turning points in the war."),
                      {1800, 6360, 8265, 825}) {
    nameAs(QStringLiteral("labelling"));
}

#include "moc_labelling.cpp"
