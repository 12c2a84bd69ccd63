#include "ordering.h"

#include "controls.h"
#include "line_control.h"
#include "twips.h"

namespace {
const QColor kGreen(0, 255, 0);
const QColor kLightCyan(128, 255, 255);

QFont times(double points) {
    return twips::font(QStringLiteral("Times New Roman"), points);
}
QFont tahomaBold(double points) {
    return twips::font(QStringLiteral("Tahoma"), points, true);
}

ActivityDesign sortDesign() {
    return {
        {{QStringLiteral("In the war shops were well stocked with food."), 6120, 3600, 120, 6840},
         {QStringLiteral("Food was freely available during the war."), 6120, 3000, 120, 7320},
         {QStringLiteral("Only adults were given a ration book."), 6120, 2400, 6120, 5880},
         {QStringLiteral("Children were expected to work on farms. "), 6120, 4200, 120, 5880},
         {QStringLiteral("Everyone in the UK was given a ration book."), 120, 2400, 6120, 6360},
         {QStringLiteral("People exchanged ration vouchers for food."), 120, 3000, 6120, 7320},
         {QStringLiteral("Many people grew their own food during the war."), 120, 3600, 120, 6360},
         {QStringLiteral("Farmers were helped by women in the Land Army."), 120, 4200, 6120, 6840}},
        5685,
        375,
        11.25,
        {QStringLiteral("Rationing"), {0, 0, 2745, 945}, 27.75},
        scoring::sameColumn};
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
    {"9th August 1945", 5880, 2010, 6030},  {"10th August 1945", 6720, 2160, 6870}};

ActivityDesign timelineDesign() {
    return {{{QStringLiteral("Start of the Battle of Britain"), 9120, 2400, 120, 3840},
             {QStringLiteral("Germany invades Poland"), 9120, 720, 2760, 4560},
             {QStringLiteral("Atomic bomb dropped on Hiroshima"), 9120, 4920, 2760, 3840},
             {QStringLiteral("Churchill becomes British Prime Minister"), 9120, 1560, 2760, 3120},
             {QStringLiteral("Japanese attack on Pearl Harbour"), 9120, 3240, 120, 4560},
             {QStringLiteral("Atomic bomb dropped on Nagasaki"), 9120, 5760, 2760, 5280},
             {QStringLiteral("Hitler commits suicide"), 9120, 4080, 120, 5280},
             {QStringLiteral("Japanese surrender"), 9120, 6600, 120, 3120}},
            2595,
            615,
            9.75,
            {QStringLiteral("The Blitz and Air Raids"), {120, 120, 5145, 1185}, 24},
            scoring::ownSlot};
}
} // namespace

RationingOrd::RationingOrd(Program& program)
    : ActivityScreen(program, Id, sortDesign()),
      Label7(controls::label(client(),
                             QStringLiteral("Which of the following sentences about Rationing are "
                                            "true and which are false?"),
                             controls::Yellow, times(20.25))),
      Label8(controls::label(client(), QStringLiteral("Drag the labels into the correct boxes."),
                             kLightCyan, tahomaBold(12), Qt::AlignLeft | Qt::AlignTop)) {
    place(Label7, 4200, 0, 7545, 1305);
    place(Label8, 120, 7860, 2505, 585);
    Label5[0] = controls::label(client(), QStringLiteral("True"), kGreen, times(20.25));
    place(Label5[0], 60, 1800, 5865, 585);
    Label5[2] = controls::label(client(), QStringLiteral("False"), kGreen, times(20.25));
    place(Label5[2], 6060, 1800, 5745, 555);
    for (QWidget* text : {Label7, Label8, Label5[0], Label5[2]})
        putBehindActivity(text);
}

ProgressOrd::ProgressOrd(Program& program)
    : ActivityScreen(program, Id, timelineDesign()),
      Label8(controls::label(client(), QStringLiteral("Complete the timeline."), kGreen,
                             times(27.75))),
      Label9(controls::label(client(), QStringLiteral("Drag the labels into the correct boxes."),
                             kLightCyan, tahomaBold(12), Qt::AlignRight | Qt::AlignTop)),
      Line1(new LineControl(client(), 6120, 840, 6120, 6960, controls::Yellow, 3)) {
    place(Label8, 120, 2160, 5160, 705);
    place(Label9, 120, 7920, 2865, 585);
    for (const TimelineDate& date : kDates) {
        auto* label = controls::label(client(), QString::fromUtf8(date.text), controls::Yellow,
                                      tahomaBold(12), Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(false);
        place(label, 6480, date.top, date.width, 285);
        Label5.push_back(label);
        Line2.push_back(
            new LineControl(client(), 6360, date.tickY, 6120, date.tickY, controls::Yellow, 3));
    }
    for (QWidget* text : {static_cast<QWidget*>(Label8), static_cast<QWidget*>(Label9),
                          static_cast<QWidget*>(Line1)})
        putBehindActivity(text);
    for (std::size_t j = 0; j < Label5.size(); ++j) {
        putBehindActivity(Label5[j]);
        putBehindActivity(Line2[j]);
    }
}
