#include "safe_write.h"

#include <QSaveFile>
#include <utility>

namespace write_faults {
namespace {
Fault& current() {
    static Fault fault;
    return fault;
}
} // namespace

Scope::Scope(Fault fault) : previous_(std::exchange(current(), std::move(fault))) {}

Scope::~Scope() {
    current() = std::move(previous_);
}

bool fails(WriteStep step) {
    const Fault& fault = current();
    return fault && fault(step);
}

} // namespace write_faults

bool replaceFileAtomically(const QString& path, const QByteArray& bytes) {
    using write_faults::fails;
    QSaveFile file(path);
    if (fails(WriteStep::Open) || !file.open(QIODevice::WriteOnly))
        return false;
    if (fails(WriteStep::Write) || file.write(bytes) != bytes.size() || fails(WriteStep::Flush) ||
        !file.flush() || fails(WriteStep::Commit)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
