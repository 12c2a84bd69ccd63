#pragma once
// What names the program on its screens: the product title, and the main
// menu's picture, under which a worksheet from the catalogue runs as a quiz.
#include <QString>

namespace product {
inline const QString Title = QStringLiteral("Ostervale");
inline const QString MenuPicture = QStringLiteral("Images\\spitfism.jpg");
inline const QString MenuPictureDescription =
    QStringLiteral("A Spitfire fighter climbing among the clouds");
} // namespace product
