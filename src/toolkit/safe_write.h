#pragma once
// Replaces a file whole or not at all: a failed save never leaves half a
// file where a teacher's work was, and the old file stays as it was.
#include <QByteArray>
#include <QString>
#include <functional>

// The steps of a replacement, and the lock that guards a shared folder.
enum class WriteStep { Open, Write, Flush, Commit, Lock };

bool replaceFileAtomically(const QString& path, const QByteArray& bytes);

namespace write_faults {

// Returns true to make the step fail, as a full disk, a read-only folder or
// a pulled plug would.
using Fault = std::function<bool(WriteStep)>;

// The one seam under every replacement and every lock of the program: while
// a Scope lives, each step asks its fault first. For tests only.
class Scope {
public:
    explicit Scope(Fault fault);
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

private:
    Fault previous_;
};

// Whether the step is to fail now.
bool fails(WriteStep step);

} // namespace write_faults
