#pragma once
// How the program comes up: the fonts it needs, the screens it knows, and
// the title screen shown first.
#include "program.h"

namespace startup {

// Registers the Tahoma copies in fontsFolder (the faces that match pattern)
// when the system has no Tahoma yet: the fallback face runs wider and would
// clip the entries' captions.
void registerFallbackFonts(const QString& fontsFolder,
                           const QString& pattern = QStringLiteral("*.ttf"));

// Teaches the registry how to build the backdrop and every screen.
void defineScreens(Program& program);

// Ends the program at once, as the title screen's "Exit" asks.
[[noreturn]] void endAtOnce(Program& program);

// Loads and shows the title screen; the backdrop comes up with it.
void showTitleScreen(Program& program);

} // namespace startup
