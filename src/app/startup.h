#pragma once
// How the program comes up: the fonts it needs, the screens it knows, and
// the title screen shown first.
#include "program.h"

#include <QSize>
#include <QStringList>
#include <optional>

namespace startup {

// Called first thing: under a limit on file sizes (ulimit -f) the system
// ends a process that writes past it, and a teacher's typed worksheet would
// go with it. With the signal ignored the write fails instead, and the save
// says so and leaves the old file as it was.
void ignoreFileSizeSignal();

// Registers the Tahoma copies in fontsFolder (the faces that match pattern)
// when the system has no Tahoma yet: the fallback face runs wider and would
// clip the entries' captions.
void registerFallbackFonts(const QString& fontsFolder,
                           const QString& pattern = QStringLiteral("*.ttf"));

// The largest scale, to a hundredth, at which the 800 x 600 screens fit in
// `available` pixels: 1.8 on a 1920 x 1080 display.
float fittingScale(QSize available);

// The scale the command line asks for: "--scale auto" fits the screens to
// `available`, "--scale 1.5" (or "--scale=1.5") sets it, and without the
// option it is 1. nullopt when the value is no scale from 0.5 to 8.
std::optional<float> scaleFromArguments(const QStringList& arguments, QSize available);

// Teaches the registry how to build the backdrop and every screen, and
// bounds the style's cache of drawn button faces to kStyleCacheKib.
void defineScreens(Program& program);
inline constexpr int kStyleCacheKib = 256;

// Ends the program at once, as the title screen's "Exit" asks.
[[noreturn]] void endAtOnce(Program& program);

// Loads and shows the title screen; the backdrop comes up with it.
void showTitleScreen(Program& program);

} // namespace startup
