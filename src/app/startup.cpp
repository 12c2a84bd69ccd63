#include "startup.h"

#include "grey.h"
#include "intro0.h"
#include "labelling.h"
#include "multiple.h"
#include "ordering.h"
#include "titlefrm.h"
#include "topic_menu.h"
#include "welldone.h"
#include "wrong.h"

#include <QDir>
#include <QFontDatabase>

namespace startup {

void registerFallbackFonts(const QString& fontsFolder) {
    if (QFontDatabase::families().contains(QStringLiteral("Tahoma"), Qt::CaseInsensitive))
        return;
    const QDir folder(fontsFolder);
    const QStringList faces = folder.entryList({QStringLiteral("*.ttf")}, QDir::Files);
    for (const QString& face : faces)
        QFontDatabase::addApplicationFont(folder.filePath(face));
}

void defineScreens(Program& program) {
    ScreenRegistry& screens = program.screens();
    screens.defineStage([] { return new Grey; });
    screens.define(ScreenId::Titlefrm, [](Program& p) { return new Titlefrm(p); });
    screens.define(ScreenId::intro0, [](Program& p) { return new Intro0(p); });
    screens.define(ScreenId::rationing, [](Program& p) { return new RationingMenu(p); });
    screens.define(ScreenId::progress, [](Program& p) { return new ProgressMenu(p); });
    screens.define(ScreenId::multiple, [](Program& p) { return new Multiple(p); });
    screens.define(ScreenId::Welldone, [](Program& p) { return new Welldone(p); });
    screens.define(ScreenId::Wrong, [](Program& p) { return new Wrong(p); });
    screens.define(ScreenId::rationinglab, [](Program& p) { return new RationingLab(p); });
    screens.define(ScreenId::progresslab, [](Program& p) { return new ProgressLab(p); });
    screens.define(ScreenId::rationingord, [](Program& p) { return new RationingOrd(p); });
    screens.define(ScreenId::progressord, [](Program& p) { return new ProgressOrd(p); });
}

void showTitleScreen(Program& program) {
    program.screens().form<Titlefrm>().Show();
}

} // namespace startup
