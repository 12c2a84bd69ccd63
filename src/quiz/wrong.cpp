#include "wrong.h"

#include "controls.h"
#include "twips.h"
#include "welldone.h"

namespace {
QFont tahoma(double points) {
    return twips::font(QStringLiteral("Tahoma"), points, true);
}
} // namespace

Wrong::Wrong(Program& program)
    : Screen(program, Id),
      Label6(controls::label(client(), QString(), controls::Yellow, tahoma(20.25))),
      Label4(controls::label(client(),
                             QStringLiteral("You answered the following questions incorrectly."),
                             controls::Yellow, tahoma(15.75), Qt::AlignLeft | Qt::AlignTop)),
      Label5(controls::label(client(), QStringLiteral("Read the Key Facts and try again."),
                             controls::Yellow, tahoma(20.25))),
      Label3(controls::entry(client(), QStringLiteral("Exit"))) {
    place(Label6, 0, 120, 12000, 540);
    place(Label4, 240, 960, 12000, 540);
    for (int k = 0; k < 10; ++k) {
        Label2[k] = controls::label(client(), QString(), Qt::white, tahoma(15.75),
                                    Qt::AlignLeft | Qt::AlignTop);
        Label2[k]->setWordWrap(false);
        place(Label2[k], 120, 1680 + 600 * k, 12000, 540);
        Label2[k]->hide();
    }
    place(Label5, 0, 7920, 12000, 540);
    place(Label3, 10560, 7920, 1245, 495);
    // The entry lies over the last line of advice; it must stay clickable.
    Label3->raise();
    connect(Label3, &MenuEntry::clicked, this, &Wrong::Label3_Click);
}

void Wrong::Label3_Click() {
    program.screens().unload(Welldone::Id);
    program.screens().unload(Id);
}
