#include "moodle_xml.h"

#include "bank_text.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace moodle_xml {
namespace {

const QString kPlain = QStringLiteral("plain_text");

void textElement(QXmlStreamWriter& xml, const QString& element, const QString& text,
                 bool withFormat = true) {
    xml.writeStartElement(element);
    if (withFormat)
        xml.writeAttribute(QStringLiteral("format"), kPlain);
    xml.writeTextElement(QStringLiteral("text"), text);
    xml.writeEndElement();
}

void writeQuestion(QXmlStreamWriter& xml, const QuestionSheet& sheet, int k) {
    xml.writeStartElement(QStringLiteral("question"));
    xml.writeAttribute(QStringLiteral("type"), QStringLiteral("multichoice"));
    textElement(xml, QStringLiteral("name"), bank::questionName(sheet.title, k), false);
    textElement(xml, QStringLiteral("questiontext"), sheet.questions[k]);
    textElement(xml, QStringLiteral("generalfeedback"), QString());
    xml.writeTextElement(QStringLiteral("defaultgrade"), QStringLiteral("1"));
    xml.writeTextElement(QStringLiteral("penalty"), QStringLiteral("0.3333333"));
    xml.writeTextElement(QStringLiteral("hidden"), QStringLiteral("0"));
    xml.writeTextElement(QStringLiteral("single"), QStringLiteral("true"));
    // The worksheet's order and letters, so its printed answer key holds.
    xml.writeTextElement(QStringLiteral("shuffleanswers"), QStringLiteral("false"));
    xml.writeTextElement(QStringLiteral("answernumbering"), QStringLiteral("ABCD"));
    for (const char* feedback :
         {"correctfeedback", "partiallycorrectfeedback", "incorrectfeedback"})
        textElement(xml, QString::fromLatin1(feedback), QString());
    for (int m = 0; m < 4; ++m) {
        xml.writeStartElement(QStringLiteral("answer"));
        xml.writeAttribute(QStringLiteral("fraction"),
                           sheet.ticked[4 * k + m] ? QStringLiteral("100") : QStringLiteral("0"));
        xml.writeAttribute(QStringLiteral("format"), kPlain);
        xml.writeTextElement(QStringLiteral("text"), sheet.answers[4 * k + m]);
        textElement(xml, QStringLiteral("feedback"), QString());
        xml.writeEndElement();
    }
    xml.writeEndElement();
}

// A text-holding element (<questiontext>, <answer>, <name>): its <text>,
// its format, and whether anything beside the text comes with it.
struct Held {
    QString text;
    QString format;
    bool file = false;
    // Elements inside <text>: HTML written into the file unescaped.
    bool markup = false;
};

QString readText(QXmlStreamReader& xml, bool* markup) {
    QString text;
    while (xml.readNext() != QXmlStreamReader::Invalid) {
        if (xml.isEndElement())
            break;
        if (xml.isCharacters())
            text += xml.text();
        else if (xml.isStartElement()) {
            *markup = true;
            xml.skipCurrentElement();
        }
    }
    return text;
}

Held readHeld(QXmlStreamReader& xml) {
    Held held;
    held.format = xml.attributes().value(QStringLiteral("format")).toString();
    while (xml.readNextStartElement()) {
        if (xml.name() == u"text") {
            held.text = readText(xml, &held.markup);
        } else {
            held.file = held.file || xml.name() == u"file";
            xml.skipCurrentElement();
        }
    }
    return held;
}

// The text as a worksheet would show it, in its format (HTML where none is
// named, as Moodle has written it since questions had formats).
bank_text::Plain shown(const Held& held) {
    if (held.file)
        return {{},
                QStringLiteral("it holds a picture or another file, which a worksheet "
                               "cannot show.")};
    if (held.markup)
        return {{},
                QStringLiteral("its HTML is written into the file as markup rather than "
                               "as text, so it cannot be read for sure.")};
    if (held.format == kPlain || held.format == u"markdown")
        return {bank_text::oneLine(held.text), {}};
    return bank_text::fromHtml(held.text);
}

QString kindOf(QStringView type) {
    struct Kind {
        const char16_t* type;
        const char* words;
    };
    static const Kind kinds[] = {
        {u"truefalse", "a true-or-false question"},
        {u"shortanswer", "a short-answer question"},
        {u"essay", "an essay question"},
        {u"matching", "a matching question"},
        {u"numerical", "a numerical question"},
        {u"cloze", "an embedded-answers (cloze) question"},
        {u"description", "a description"},
    };
    for (const Kind& kind : kinds) {
        if (type == QStringView(kind.type))
            return QString::fromLatin1(kind.words);
    }
    return QStringLiteral("a question of the type \"%1\"").arg(type);
}

class Reader {
public:
    explicit Reader(const QByteArray& bytes) : xml_(bytes) {}

    bank::Reading read() {
        if (!reachRoot())
            return failed();
        while (xml_.readNextStartElement()) {
            if (xml_.name() == u"question")
                question();
            else
                xml_.skipCurrentElement();
        }
        if (xml_.hasError())
            return failed();
        return reading_;
    }

private:
    bank::Reading failed() {
        if (problem_.isEmpty())
            problem_ = QStringLiteral("it is not well-formed XML (line %1: %2).")
                           .arg(xml_.lineNumber())
                           .arg(xml_.errorString());
        return {problem_, {}};
    }

    // Up to <quiz>, refusing on the way whatever could make the reader
    // expand entities or read the file in another encoding.
    bool reachRoot() {
        while (!xml_.atEnd()) {
            switch (xml_.readNext()) {
            case QXmlStreamReader::StartDocument:
                if (const QStringView encoding = xml_.documentEncoding();
                    !encoding.isEmpty() && encoding.compare(u"UTF-8", Qt::CaseInsensitive) != 0) {
                    problem_ = QStringLiteral("it says it is written in %1; save it as UTF-8 and "
                                              "try again.")
                                   .arg(encoding);
                    return false;
                }
                break;
            case QXmlStreamReader::DTD:
                problem_ = QStringLiteral("it declares a document type (<!DOCTYPE>), which a "
                                          "Moodle question file never does; its entities are "
                                          "not read.");
                return false;
            case QXmlStreamReader::StartElement:
                if (xml_.name() == u"quiz")
                    return true;
                problem_ = QStringLiteral("it is XML but not a Moodle question file (it begins "
                                          "with <%1>, not <quiz>).")
                               .arg(xml_.name());
                return false;
            default:
                break;
            }
        }
        return false;
    }

    void question() {
        const QString type = xml_.attributes().value(QStringLiteral("type")).toString();
        if (type == u"category") {
            category();
            return;
        }
        bank::Question q;
        q.number = ++number_;
        q.category = category_;
        Held text, name;
        QList<Held> answers;
        QList<double> marks;
        bool marksRead = true;
        while (xml_.readNextStartElement()) {
            if (xml_.name() == u"questiontext") {
                text = readHeld(xml_);
            } else if (xml_.name() == u"name") {
                name = readHeld(xml_);
            } else if (xml_.name() == u"answer") {
                bool number = false;
                marks.append(xml_.attributes().value(QStringLiteral("fraction")).toDouble(&number));
                marksRead = marksRead && number;
                answers.append(readHeld(xml_));
            } else {
                xml_.skipCurrentElement();
            }
        }
        const bank_text::Plain plain = shown(text);
        q.text = plain.text;
        q.label = plain.text.isEmpty() ? bank_text::oneLine(name.text) : plain.text;
        if (type != u"multichoice")
            q.refusal = kindOf(type) + QStringLiteral(", not multiple choice.");
        else if (!marksRead)
            q.refusal = QStringLiteral("an answer's mark (fraction) is not a number.");
        else
            q.refusal = bank::judgeMarks(marks, &q.right);
        if (q.refusal.isEmpty())
            q.refusal = plain.refusal;
        for (const Held& answer : answers) {
            const bank_text::Plain shownAnswer = shown(answer);
            q.answers.append(shownAnswer.text);
            if (q.refusal.isEmpty())
                q.refusal = shownAnswer.refusal;
        }
        reading_.questions.append(q);
    }

    // <category><text>path</text></category>, or the path alone as older
    // files have it.
    void category() {
        while (xml_.readNextStartElement()) {
            if (xml_.name() != u"category") {
                xml_.skipCurrentElement();
                continue;
            }
            QString path;
            while (xml_.readNext() != QXmlStreamReader::Invalid && !xml_.isEndElement()) {
                if (xml_.isCharacters())
                    path += xml_.text();
                else if (xml_.isStartElement() && xml_.name() == u"text")
                    path = readText(xml_, &ignoredMarkup_);
                else if (xml_.isStartElement())
                    xml_.skipCurrentElement();
            }
            category_ = path.trimmed();
        }
    }

    QXmlStreamReader xml_;
    bank::Reading reading_;
    QString problem_;
    QString category_;
    int number_ = 0;
    bool ignoredMarkup_ = false;
};

} // namespace

QByteArray write(const QList<QuestionSheet>& sheets) {
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(2);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("quiz"));
    xml.writeComment(QStringLiteral(" Worksheets from Ostervale, for Moodle's XML import. "));
    for (const QuestionSheet& sheet : sheets) {
        xml.writeStartElement(QStringLiteral("question"));
        xml.writeAttribute(QStringLiteral("type"), QStringLiteral("category"));
        textElement(xml, QStringLiteral("category"), sheet.title, false);
        xml.writeEndElement();
        for (int k = 0; k < int(sheet.questions.size()); ++k)
            writeQuestion(xml, sheet, k);
    }
    xml.writeEndDocument();
    return bytes;
}

bank::Reading read(const QByteArray& bytes) {
    QString problem;
    if (!bank_text::decode(bytes, &problem))
        return {problem, {}};
    return Reader(bytes).read();
}

} // namespace moodle_xml
