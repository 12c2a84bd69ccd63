#include "labelling.h"

#include "controls.h"
#include "twips.h"

namespace {
ActivityDesign rationingDesign() {
    return {{{QStringLiteral("Cheese"), 9000, 3000, 2160, 6480},
             {QStringLiteral("Milk"), 5280, 4080, 3720, 6480},
             {QStringLiteral("Sugar"), 1440, 3720, 600, 6480},
             {QStringLiteral("Meat"), 9000, 6600, 5280, 6480}},
            1455,
            420,
            11.25,
            {QStringLiteral("Rationing"), {0, 240, 3465, 705}, 24},
            scoring::ownSlot};
}

std::vector<PictureFrame> rationingPictures() {
    // Some stored names end in a blank; the material look-up drops it.
    return {{QStringLiteral("Images\\sugar.jpg"), {300, 1320, 3600, 2490}},
            {QStringLiteral("Images\\milk.jpg"), {4680, 480, 2565, 3600}},
            {QStringLiteral("Images\\meat.jpg "), {7920, 3960, 3600, 2775}},
            {QStringLiteral("Images\\cheese.jpg "), {7920, 720, 3600, 2445}}};
}

ActivityDesign progressDesign() {
    return {{{QStringLiteral("Midway in the Pacific Ocean"), 8940, 4320, 4920, 7200},
             {QStringLiteral("Stalingrad in Russia"), 4860, 5460, 2760, 7200},
             {QStringLiteral("El Alamein in the Sahara Desert"), 720, 4320, 7080, 7200}},
            2055,
            660,
            11.25,
            {QStringLiteral("The Armed Forces"), {120, 60, 11625, 705}, 24},
            scoring::ownSlot};
}

std::vector<PictureFrame> progressPictures() {
    return {{QStringLiteral("Images\\EL ALAMEIN.jpg"), {120, 765, 3660, 3480}},
            {QStringLiteral("Images\\MIDWAY.jpg"), {8100, 720, 3660, 3525}},
            {QStringLiteral("Images\\STALINGRAD.jpg "), {3900, 2640, 4080, 2760}}};
}
} // namespace

LabellingScreen::LabellingScreen(Program& program, ScreenId id, ActivityDesign design,
                                 std::vector<PictureFrame> pictures, const QString& instruction,
                                 const Place& instructionPlace)
    : ActivityScreen(program, id, std::move(design)),
      Label7(controls::label(client(), instruction, controls::Yellow,
                             twips::font(QStringLiteral("Times New Roman"), 15.75))),
      pictures_(std::move(pictures)) {
    applyPlace(Label7, instructionPlace);
    putBehindActivity(Label7);
    for (const PictureFrame& picture : pictures_) {
        auto* image = new ImageBox(client(), true);
        applyPlace(image, picture.frame);
        putBehindActivity(image);
        Image1.push_back(image);
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
                      {1080, 5280, 5175, 1065}) {}

ProgressLab::ProgressLab(Program& program)
    : LabellingScreen(program, Id, progressDesign(), progressPictures(),
                      QStringLiteral("Drag the labels to the correct illustrations showing the "
                                     "major battles that were the turning points in the war."),
                      {1800, 6360, 8265, 825}) {}
