// The ordering activities: the true-or-false sort and the timeline.
#include "ordering.h"

#include "line_control.h"
#include "style.h"

namespace {
using style::tahomaBold;
using style::times;
const QColor kLightCyan(128, 255, 255);

ActivityDesign sortDesign() {
    return {.items = {{.text = QStringLiteral("In the war shops were well stocked with food."),
                       .slot = {6120, 3600},
                       .home = {120, 6840}},
                      {.text = QStringLiteral("Food was freely available during the war."),
                       .slot = {6120, 3000},
                       .home = {120, 7320}},
                      {.text = QStringLiteral("Only adults were given a ration book."),
                       .slot = {6120, 2400},
                       .home = {6120, 5880}},
                      {.text = QStringLiteral("Children were expected to work on farms. "),
                       .slot = {6120, 4200},
                       .home = {120, 5880}},
                      {.text = QStringLiteral("Everyone in the UK was given a ration book."),
                       .slot = {120, 2400},
                       .home = {6120, 6360}},
                      {.text = QStringLiteral("People exchanged ration vouchers for food."),
                       .slot = {120, 3000},
                       .home = {6120, 7320}},
                      {.text = QStringLiteral("Many people grew their own food during the war."),
                       .slot = {120, 3600},
                       .home = {120, 6360}},
                      {.text = QStringLiteral("Farmers were helped by women in the Land Army."),
                       .slot = {120, 4200},
                       .home = {6120, 6840}}},
            .labelWidth = 5685,
            .labelHeight = 375,
            .labelPoints = 11.25,
            .heading = {QStringLiteral("Rationing"), {0, 0, 2745, 945}, 27.75},
            .score = scoring::sameColumn};
}

struct TimelineDate {
    const char* text;
    float top, width, tickY;
};

// Date j sits beside the answer slot of the event that happened then; the
// indexes of events and dates differ, only their places pair them.
constexpr TimelineDate kDates[] = {
    {"1st September 1939", 810, 2460, 960}, {"10th May 1940", 1680, 1800, 1830},
    {"10th July 1940", 2520, 1785, 2670},   {"7th December 1941", 3360, 2385, 3510},
    {"30th April 1945", 4200, 1890, 4350},  {"6th August 1945", 5040, 2010, 5190},
    {"9th August 1945", 5880, 2010, 6030},  {"15th August 1945", 6720, 2160, 6870}};

ActivityDesign timelineDesign() {
    return {.items = {{.text = QStringLiteral("Start of the Battle of Britain"),
                       .slot = {9120, 2400},
                       .home = {120, 3840}},
                      {.text = QStringLiteral("Germany invades Poland"),
                       .slot = {9120, 720},
                       .home = {2760, 4560}},
                      {.text = QStringLiteral("Atomic bomb dropped on Hiroshima"),
                       .slot = {9120, 4920},
                       .home = {2760, 3840}},
                      {.text = QStringLiteral("Churchill becomes British Prime Minister"),
                       .slot = {9120, 1560},
                       .home = {2760, 3120}},
                      {.text = QStringLiteral("Japanese attack on Pearl Harbour"),
                       .slot = {9120, 3240},
                       .home = {120, 4560}},
                      {.text = QStringLiteral("Atomic bomb dropped on Nagasaki"),
                       .slot = {9120, 5760},
                       .home = {2760, 5280}},
                      {.text = QStringLiteral("Hitler commits suicide"),
                       .slot = {9120, 4080},
                       .home = {120, 5280}},
                      {.text = QStringLiteral("Japanese surrender"),
                       .slot = {9120, 6600},
                       .home = {120, 3120}}},
            .labelWidth = 2595,
            .labelHeight = 615,
            .labelPoints = 9.75,
            .heading = {QStringLiteral("The Blitz and Air Raids"), {120, 120, 5145, 1185}, 24},
            .score = scoring::ownSlot};
}
} // namespace

RationingOrd::RationingOrd(Program& program)
    : ActivityScreen(program, Id, sortDesign()),
      Label7(controls::label(client(),
                             QStringLiteral("Which of the following sentences about Rationing are "
                                            "true and which are false?"),
                             style::Yellow, times(20.25))),
      Label8(controls::label(client(), QStringLiteral("Drag the labels into the correct boxes."),
                             kLightCyan, tahomaBold(12), Qt::AlignLeft | Qt::AlignTop)) {
    place(Label7, 4200, 0, 7545, 1305);
    place(Label8, 120, 7860, 2505, 585);
    Label5[0] = controls::label(client(), QStringLiteral("True"), style::Green, times(20.25));
    place(Label5.at(0), 60, 1800, 5865, 585);
    Label5[2] = controls::label(client(), QStringLiteral("False"), style::Green, times(20.25));
    place(Label5.at(2), 6060, 1800, 5745, 555);
    for (QWidget* text : {Label7, Label8, Label5.at(0), Label5.at(2)})
        putBehindActivity(text);
    controls::nameControls({{"Label7", Label7},
                            {"Label8", Label8},
                            {"Label5[0]", Label5.at(0)},
                            {"Label5[2]", Label5.at(2)}});
    nameAs(QStringLiteral("true or false"));
}

ProgressOrd::ProgressOrd(Program& program)
    : ActivityScreen(program, Id, timelineDesign()),
      Label8(controls::label(client(), QStringLiteral("Complete the timeline."), style::Green,
                             times(27.75))),
      Label9(controls::label(client(), QStringLiteral("Drag the labels into the correct boxes."),
                             kLightCyan, tahomaBold(12), Qt::AlignRight | Qt::AlignTop)),
      Line1(new LineControl(client(), 6120, 840, 6120, 6960, style::Yellow, 3)) {
    place(Label8, 120, 2160, 5160, 705);
    place(Label9, 120, 7920, 2865, 585);
    for (const TimelineDate& date : kDates) {
        auto* label = controls::label(client(), QString::fromUtf8(date.text), style::Yellow,
                                      tahomaBold(12), Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(false);
        place(label, 6480, date.top, date.width, 285);
        controls::growToFit(label);
        Label5.push_back(label);
        Line2.push_back(
            new LineControl(client(), 6360, date.tickY, 6120, date.tickY, style::Yellow, 3));
    }
    for (QWidget* text : {static_cast<QWidget*>(Label8), static_cast<QWidget*>(Label9),
                          static_cast<QWidget*>(Line1)})
        putBehindActivity(text);
    for (std::size_t j = 0; j < Label5.size(); ++j) {
        putBehindActivity(Label5[j]);
        putBehindActivity(Line2[j]);
    }
    controls::nameControls({{"Label8", Label8}, {"Label9", Label9}, {"Line1", Line1}});
    controls::nameArray("Label5", Label5);
    controls::nameArray("Line2", Line2);
    nameAs(QStringLiteral("timeline"));
}

#include "moc_ordering.cpp"
