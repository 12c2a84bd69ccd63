#include "safe_write.h"

#include <QSaveFile>

namespace {
bool fails(const WriteFault& fault, WriteStep step) {
    return fault && fault(step);
}
} // namespace

bool replaceFileAtomically(const QString& path, const QByteArray& bytes, const WriteFault& fault) {
    QSaveFile file(path);
    if (fails(fault, WriteStep::Open) || !file.open(QIODevice::WriteOnly))
        return false;
    if (fails(fault, WriteStep::Write) || file.write(bytes) != bytes.size() ||
        fails(fault, WriteStep::Flush) || !file.flush() || fails(fault, WriteStep::Commit)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
