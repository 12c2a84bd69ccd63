#include "field_reader.h"

#include "codepage.h"
#include "outside_file.h"

namespace {
bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}
} // namespace

std::optional<FieldReader> FieldReader::open(const QString& path) {
    std::optional<QByteArray> bytes = outside_file::read(path, outside_file::FieldFileLimit);
    if (!bytes)
        return std::nullopt;
    return FieldReader(std::move(*bytes));
}

std::optional<QString> FieldReader::readField() {
    if (atEnd())
        return std::nullopt;
    skipBlanks();
    if (pos_ < bytes_.size() && bytes_[pos_] == '"')
        return readQuoted();
    return readPlain();
}

std::optional<int> FieldReader::readInteger() {
    const auto field = readField();
    if (!field)
        return std::nullopt;
    bool ok = false;
    const int value = field->trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

void FieldReader::skipBlanks() {
    while (pos_ < bytes_.size() && isBlank(bytes_[pos_]))
        ++pos_;
}

QString FieldReader::readQuoted() {
    const qsizetype start = ++pos_;
    while (pos_ < bytes_.size() && bytes_[pos_] != '"')
        ++pos_;
    const QString text = codepage::decode1252(QByteArrayView(bytes_).sliced(start, pos_ - start));
    // Whatever stands between the closing quote and the next comma or line
    // end is not part of the field.
    while (pos_ < bytes_.size() && bytes_[pos_] != ',' && !isLineEnd(bytes_[pos_]))
        ++pos_;
    consumeLineEnd();
    return text;
}

QString FieldReader::readPlain() {
    const qsizetype start = pos_;
    while (pos_ < bytes_.size() && bytes_[pos_] != ',' && !isLineEnd(bytes_[pos_]))
        ++pos_;
    qsizetype end = pos_;
    while (end > start && isBlank(bytes_[end - 1]))
        --end;
    consumeLineEnd();
    return codepage::decode1252(QByteArrayView(bytes_).sliced(start, end - start));
}

void FieldReader::consumeLineEnd() {
    if (pos_ >= bytes_.size())
        return;
    if (bytes_[pos_] == ',') {
        ++pos_;
    } else if (bytes_[pos_] == '\r') {
        ++pos_;
        if (pos_ < bytes_.size() && bytes_[pos_] == '\n')
            ++pos_;
    } else if (bytes_[pos_] == '\n') {
        ++pos_;
    }
}
