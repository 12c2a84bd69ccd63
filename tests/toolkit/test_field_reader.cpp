#include "codepage.h"
#include "field_reader.h"
#include "testmain.h"

#include <QTest>

class FieldReaderTest : public QObject {
    Q_OBJECT

    static QStringList readAll(const QByteArray& bytes) {
        FieldReader reader(bytes);
        QStringList fields;
        while (auto field = reader.readField())
            fields << *field;
        return fields;
    }

private Q_SLOTS:
    void fields_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("one field a line")
            << QByteArray("Title\r\n \r\nQ1\r\n") << QStringList{"Title", "", "Q1"};
        QTest::newRow("leading blanks and tabs skipped")
            << QByteArray("  \tabc\r\n") << QStringList{"abc"};
        QTest::newRow("trailing blanks dropped") << QByteArray("abc   \r\n") << QStringList{"abc"};
        QTest::newRow("empty line is an empty field")
            << QByteArray("a\r\n\r\nb\r\n") << QStringList{"a", "", "b"};
        QTest::newRow("raw comma splits a line")
            << QByteArray("Paris, France\r\nx\r\n") << QStringList{"Paris", "France", "x"};
        QTest::newRow("quoted field keeps commas and blanks")
            << QByteArray("\"  a, b \"\r\nc\r\n") << QStringList{"  a, b ", "c"};
        QTest::newRow("text after a closing quote is dropped")
            << QByteArray("\"a\" tail\r\nb\r\n") << QStringList{"a", "b"};
        QTest::newRow("bare LF and a last line without an end")
            << QByteArray("a\nb") << QStringList{"a", "b"};
        QTest::newRow("nothing at all") << QByteArray() << QStringList{};
    }
    void fields() {
        QFETCH(QByteArray, input);
        QFETCH(QStringList, fields);
        QCOMPARE(readAll(input), fields);
    }

    void integersAllowBlanksAndRefuseTextAndTheEndStaysTheEnd() {
        FieldReader reader(" 3 \r\n7\r\nseven\r\n");
        QCOMPARE(reader.readInteger(), std::optional<int>(3));
        QCOMPARE(reader.readInteger(), std::optional<int>(7));
        QCOMPARE(reader.readInteger(), std::nullopt);
        QVERIFY(!reader.readField() && !reader.readField());
    }

    void windows1252RoundTrip() {
        const QString text = QStringLiteral("£5 – “café” €");
        const QByteArray bytes = codepage::encode1252(text);
        QCOMPARE(bytes.size(), text.size());
        QCOMPARE(bytes.at(0), '\xA3');
        QCOMPARE(codepage::decode1252(bytes), text);
        QCOMPARE(readAll(bytes + "\r\n"), QStringList{text});
        QCOMPARE(codepage::encode1252(QStringLiteral("日")), QByteArray("?"));
    }

    void everyByteSurvivesAReadAndAWrite() {
        // Including the five that Windows-1252 leaves undefined (0x81, 0x8D,
        // 0x8F, 0x90, 0x9D): a file from another editor comes back as it was.
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        QCOMPARE(codepage::encode1252(codepage::decode1252(all)), all);
    }
};

OSTERVALE_TEST(FieldReaderTest)
#include "test_field_reader.moc"
