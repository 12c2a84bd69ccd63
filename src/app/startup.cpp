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
#include <QPixmapCache>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#ifdef Q_OS_UNIX
#include <csignal>
#endif

namespace startup {

// The one system-specific step of start-up; elsewhere there is no such
// signal.
void ignoreFileSizeSignal() {
#ifdef Q_OS_UNIX
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

void registerFallbackFonts(const QString& fontsFolder, const QString& pattern) {
    if (QFontDatabase::families().contains(QStringLiteral("Tahoma"), Qt::CaseInsensitive))
        return;
    const QDir folder(fontsFolder);
    const QStringList faces = folder.entryList({pattern}, QDir::Files);
    for (const QString& face : faces)
        QFontDatabase::addApplicationFont(folder.filePath(face));
}

float fittingScale(QSize available) {
    if (available.isEmpty())
        return 1.0f;
    const double fit = std::min(available.width() / 800.0, available.height() / 600.0);
    // Down to a hundredth, never up: the screens must fit whole.
    return float(std::floor(fit * 100.0 + 1e-9) / 100.0);
}

std::optional<float> scaleFromArguments(const QStringList& arguments, QSize available) {
    const QString option = QStringLiteral("--scale");
    std::optional<QString> value;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == option)
            value = i + 1 < arguments.size() ? arguments[i + 1] : QString();
        else if (arguments[i].startsWith(option + u'='))
            value = arguments[i].mid(option.size() + 1);
    }
    if (!value)
        return 1.0f;
    if (*value == QStringLiteral("auto"))
        return fittingScale(available);
    bool ok = false;
    const float factor = value->toFloat(&ok);
    if (!ok || !(factor >= 0.5f && factor <= 8.0f))
        return std::nullopt;
    return factor;
}

void defineScreens(Program& program) {
    // The style keeps each button's drawn face in this cache, under a key
    // that holds the button's own palette, so no face is ever used again once
    // its screen is thrown away; at Qt's default limit the cache would grow
    // by some 30 KB a screen opened, to 10 MB. A small cache still serves
    // the screens that are up.
    QPixmapCache::setCacheLimit(kStyleCacheKib);
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
