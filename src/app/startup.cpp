#include "startup.h"

#include "grey.h"
#include "intro0.h"
#include "labelling.h"
#include "multiple.h"
#include "ordering.h"
#include "titlefrm.h"
#include "topic_menu.h"
#include "viewers.h"
#include "welldone.h"
#include "wizard.h"
#include "worksheets.h"
#include "wrong.h"

#include <QDir>
#include <QFontDatabase>
#include <cstdio>
#include <cstdlib>

namespace startup {

void registerFallbackFonts(const QString& fontsFolder, const QString& pattern) {
    if (QFontDatabase::families().contains(QStringLiteral("Tahoma"), Qt::CaseInsensitive))
        return;
    const QDir folder(fontsFolder);
    const QStringList faces = folder.entryList({pattern}, QDir::Files);
    for (const QString& face : faces)
        QFontDatabase::addApplicationFont(folder.filePath(face));
}

void defineScreens(Program& program) {
    ScreenRegistry& screens = program.screens();
    screens.defineStage([] { return new Grey; });
    screens.define<Titlefrm>();
    screens.define<Intro0>();
    screens.define<RationingMenu>();
    screens.define<ProgressMenu>();
    screens.define<Multiple>();
    screens.define<Welldone>();
    screens.define<Wrong>();
    screens.define<RationingLab>();
    screens.define<ProgressLab>();
    screens.define<RationingOrd>();
    screens.define<ProgressOrd>();
    screens.define<Teacher>();
    screens.define<Guide>();
    screens.define<Wizard>();
    screens.define<Worksheets>();
}

void endAtOnce(Program& program) {
    // Nothing is saved at exit and nothing may hold the end up: a sound that
    // is still loading would make a normal shutdown (or even releasing the
    // sound) wait on Qt's sample cache, so the windows go and the process
    // ends here and now.
    if (program.screens().stageLoaded())
        program.screens().stage().hide();
    std::fflush(nullptr);
    std::_Exit(0);
}

void showTitleScreen(Program& program) {
    program.screens().form<Titlefrm>().Show();
}

} // namespace startup
