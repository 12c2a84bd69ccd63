#pragma once
// Reads the comma-and-line separated fields of question files and of the
// worksheet catalogue. The whole file is read into memory and closed at once,
// so a reader never holds a file open behind another screen's back.
#include <QByteArray>
#include <QString>
#include <optional>

class FieldReader {
public:
    explicit FieldReader(QByteArray bytes) : bytes_(std::move(bytes)) {}
    // nullopt when the file cannot be opened or read, is not a regular file,
    // or is larger than any question file or catalogue could be.
    static std::optional<FieldReader> open(const QString& path);

    bool atEnd() const { return pos_ >= bytes_.size(); }
    // nullopt once the input is used up: reading past the end is a failure.
    std::optional<QString> readField();
    // A field holding a whole number, blanks around it allowed.
    std::optional<int> readInteger();

private:
    void skipBlanks();
    QString readQuoted();
    QString readPlain();
    void consumeLineEnd();

    QByteArray bytes_;
    qsizetype pos_ = 0;
};
