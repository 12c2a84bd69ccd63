#pragma once
#include <QString>

namespace sounds {
inline const QString Click = QStringLiteral("wav\\click.wav");
}
