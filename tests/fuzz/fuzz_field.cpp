// The field reader under every question file and the catalogue: whatever the
// bytes, each field uses up input, reading stops at the end, and a number is
// read from the same field text a plain read gives.
#include "field_reader.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzz_support::bytesOf(data, size);

    FieldReader reader(bytes);
    size_t fields = 0;
    while (const std::optional<QString> field = reader.readField()) {
        // Every field takes at least one byte, so the reading ends.
        FUZZ_CHECK(++fields <= size);
        FUZZ_CHECK(size_t(field->size()) <= size);
        // Only a quoted field may hold a line end.
        FUZZ_CHECK(bytes.contains('"') ||
                   (!field->contains(u'\r') && !field->contains(u'\n') && !field->contains(u',')));
    }
    FUZZ_CHECK(reader.atEnd());
    FUZZ_CHECK(!reader.readField());

    // Numbers and texts interleaved, as the catalogue reads them.
    FieldReader numbers(bytes);
    FieldReader texts(bytes);
    for (bool number = true;; number = !number) {
        const std::optional<QString> text = texts.readField();
        if (!number) {
            FUZZ_CHECK(numbers.readField() == text);
        } else {
            bool ok = false;
            const int value = text ? text->trimmed().toInt(&ok) : 0;
            FUZZ_CHECK(numbers.readInteger() == (ok ? std::optional<int>(value) : std::nullopt));
        }
        if (!text)
            break;
    }
    return 0;
}
