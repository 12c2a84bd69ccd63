#pragma once
// Replaces a file whole or not at all: a failed save never leaves half a
// file where a teacher's work was.
#include <QByteArray>
#include <QString>

bool replaceFileAtomically(const QString& path, const QByteArray& bytes);
