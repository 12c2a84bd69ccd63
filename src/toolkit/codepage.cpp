#include "codepage.h"

#include "codepage1252.h"

// One table for the whole program: the metafile library's, which stands on
// Qt alone and so sits below the toolkit.
namespace codepage {

QString decode1252(QByteArrayView bytes) {
    return metafile::cp1252::decode(bytes);
}

QByteArray encode1252(QStringView text) {
    return metafile::cp1252::encode(text);
}

} // namespace codepage
