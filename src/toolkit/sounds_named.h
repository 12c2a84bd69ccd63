#pragma once
// The sounds that several screens play, named once.
#include <QString>

namespace sounds {
inline const QString Click = QStringLiteral("wav\\click.wav");
inline const QString TypeKey = QStringLiteral("wav\\typekey.wav");
inline const QString Thud = QStringLiteral("wav\\thud3.wav");
} // namespace sounds
