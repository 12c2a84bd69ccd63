#pragma once
// Replaces a file whole or not at all: a failed save never leaves half a
// file where a teacher's work was, and the old file stays as it was.
#include <QByteArray>
#include <QString>
#include <functional>

// The steps of a replacement. A test can make any of them fail, as a full
// disk, a read-only folder or a pulled plug would.
enum class WriteStep { Open, Write, Flush, Commit, Lock };
// Returns true to make the step fail.
using WriteFault = std::function<bool(WriteStep)>;

bool replaceFileAtomically(const QString& path, const QByteArray& bytes,
                           const WriteFault& fault = {});
