#pragma once
// Question and catalogue files are single-byte text in Windows-1252, so "£"
// and the curly quotes of a teacher's word processor survive a round trip.
#include <QByteArray>
#include <QString>

namespace codepage {
QString decode1252(QByteArrayView bytes);
// Characters that Windows-1252 cannot hold become "?".
QByteArray encode1252(QStringView text);
} // namespace codepage
