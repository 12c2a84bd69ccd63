#include "page_layout.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QRectF>
#include <QRegularExpression>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace material::pages {

namespace {

// The player lays glyphs out at this pixel size and scales them to the
// picture; measuring at the same size gives the same advances it uses.
constexpr int DesignPixels = 256;
constexpr int TwipsPerPoint = 20;

QFont designFont(const Face& face) {
    QFont font(face.family);
    font.setPixelSize(DesignPixels);
    font.setWeight(face.bold ? QFont::Bold : QFont::Normal);
    font.setItalic(face.italic);
    return font;
}

double twipsPerDesignPixel(const Face& face) {
    return face.points * TwipsPerPoint / DesignPixels;
}

Face boldened(Face face, bool bold) {
    face.bold = face.bold || bold;
    return face;
}

// A word as it stands between blanks; it may change weight part-way, as in
// "**1940**,".
struct Fragment {
    QString text;
    bool bold = false;
};
using Word = QList<Fragment>;

// Blanks inside a bold stretch bind its words together ("**Next Page >>**",
// "**8 January 1940:**"), so a button's name or a date is never split across
// two lines unless it is longer than a line.
// A bold lead-in that ends in a colon ("**5 A:**", "**8 January 1940:**")
// takes the next word with it, so a label never ends a line with what it
// labels on the next.
QList<Word> wordsOf(const QList<Span>& spans) {
    static const QRegularExpression ink(QStringLiteral("\\S"));
    QList<Word> words;
    bool newWord = true;
    bool leadIn = false; // a blank after a lead-in binds rather than parts
    for (const Span& span : spans) {
        const qsizetype first = span.text.indexOf(ink);
        const qsizetype last = span.text.lastIndexOf(ink);
        for (qsizetype i = 0; i < span.text.size(); ++i) {
            const QChar c = span.text[i];
            const bool bound = span.bold && i > first && i < last;
            if (c == u' ' && !bound) {
                if (!leadIn)
                    newWord = true;
                else if (!words.isEmpty() && !words.last().last().text.endsWith(u' '))
                    words.last().append({QStringLiteral(" "), span.bold});
                continue;
            }
            if (newWord)
                words.append(Word());
            newWord = false;
            leadIn = false;
            Word& word = words.last();
            if (word.isEmpty() || word.last().bold != span.bold)
                word.append({QString(), span.bold});
            word.last().text += c;
        }
        if (span.bold && last >= 0 && span.text[last] == u':')
            leadIn = true;
    }
    return words;
}

QList<Word> wordsOf(const QString& text) {
    return wordsOf(QList<Span>{{text, false}});
}

// A stretch of a line in one face, its left end relative to the line's.
struct Run {
    double x = 0;
    QString text;
    Face face;
};

struct Line {
    QList<Run> runs;
    double width = 0;
};

class Layout {
public:
    Layout(const Markup& page, const PageStyle& style, const AspectLookup& aspect)
        : page_(page), style_(style), aspect_(aspect), left_(style.marginLeft),
          right_(style.frame.width() - style.marginRight), em_(style.body.points * TwipsPerPoint) {}

    LaidPage run();

private:
    double pitch(const Face& face) const { return measure_.lineSpacing(face) * style_.lineSpacing; }
    std::pair<double, double> freeSpan(double top, double bottom) const;
    Line lineOf(const QList<Word>& words, qsizetype first, qsizetype count, const Face& face) const;
    qsizetype fit(QList<Word>& words, qsizetype first, const Face& face, double room) const;
    void splitWord(QList<Word>& words, qsizetype at, const Face& face, double room) const;
    void place(const Line& line, double x, double baseline);
    enum class Align { Left, Centre };
    void flow(QList<Word> words, const Face& face, double indent, const QString& bullet,
              std::optional<std::pair<double, double>> within = std::nullopt,
              Align align = Align::Left);
    void heading(const Block& block);
    void picture(const Block& block);
    double gapBefore(const Block& block, const Block* previous) const;
    double floatBottom() const;

    const Markup& page_;
    const PageStyle& style_;
    const AspectLookup& aspect_;
    Measure measure_;
    LaidPage out_;
    double left_;
    double right_;
    double em_;
    double y_ = 0;
    QList<QRectF> floats_;
    std::optional<QRectF> logo_;
};

// The part of the text's width that a band of the page leaves free beside
// the floated pictures (and the logo's corner).
std::pair<double, double> Layout::freeSpan(double top, double bottom) const {
    double l = left_;
    double r = right_;
    QList<QRectF> zones = floats_;
    if (logo_)
        zones.append(*logo_);
    const double middle = (left_ + right_) / 2;
    for (const QRectF& zone : zones) {
        if (zone.top() >= bottom || zone.bottom() <= top)
            continue;
        if (zone.center().x() > middle)
            r = std::min(r, zone.left() - style_.gutter);
        else
            l = std::max(l, zone.right() + style_.gutter);
    }
    return {l, r};
}

// Words first to first + count - 1 as one line: runs of one face each, with
// the blank between two words kept in the run it falls in, so every run is
// measured (and later drawn) as a whole.
Line Layout::lineOf(const QList<Word>& words, qsizetype first, qsizetype count,
                    const Face& face) const {
    Line line;
    for (qsizetype k = first; k < first + count; ++k) {
        bool startOfWord = k > first;
        for (const Fragment& fragment : words[k]) {
            const Face f = boldened(face, fragment.bold);
            if (!line.runs.isEmpty() && line.runs.last().face == f) {
                if (startOfWord)
                    line.runs.last().text += u' ';
                line.runs.last().text += fragment.text;
            } else {
                double x = 0;
                if (!line.runs.isEmpty()) {
                    const Run& last = line.runs.last();
                    x = last.x + measure_.width(last.face, last.text) +
                        (startOfWord ? measure_.width(last.face, QStringLiteral(" ")) : 0);
                }
                line.runs.append({x, fragment.text, f});
            }
            startOfWord = false;
        }
    }
    if (!line.runs.isEmpty())
        line.width =
            line.runs.last().x + measure_.width(line.runs.last().face, line.runs.last().text);
    return line;
}

// A word (or words bound in bold) wider than the room it has is parted
// rather than let run past the edge of the page.
void Layout::splitWord(QList<Word>& words, qsizetype at, const Face& face, double room) const {
    const Word word = words[at];
    QString whole;
    for (const Fragment& f : word)
        whole += f.text;
    const auto piece = [&word](qsizetype from, qsizetype to) {
        Word part;
        qsizetype start = 0;
        for (const Fragment& f : word) {
            const qsizetype a = std::max(from, start);
            const qsizetype b = std::min(to, start + f.text.size());
            if (a < b)
                part.append({f.text.mid(a - start, b - a), f.bold});
            start += f.text.size();
        }
        return part;
    };
    const auto fits = [&](qsizetype chars) {
        return lineOf(QList<Word>{piece(0, chars)}, 0, 1, face).width <= room;
    };
    // Words bound together part at their last blank that leaves the line
    // short enough, after a stop or a colon if one does ("October to November
    // 1942:" / "El Alamein."); a single word too long for any line is broken
    // where the room ends.
    qsizetype head = 0;
    qsizetype tail = 0;
    for (const bool afterStop : {true, false}) {
        for (qsizetype blank = whole.lastIndexOf(u' '); blank > 0 && head == 0;
             blank = whole.lastIndexOf(u' ', blank - 1)) {
            const QChar before = whole[blank - 1];
            if ((!afterStop || before == u':' || before == u'.') && fits(blank)) {
                head = blank;
                tail = blank + 1;
            }
        }
    }
    if (head == 0) {
        head = 1;
        while (head + 1 < whole.size() && fits(head + 1))
            ++head;
        tail = head;
    }
    words[at] = piece(0, head);
    words.insert(at + 1, piece(tail, whole.size()));
}

// How many words from `first` go on a line with `room` twips.
qsizetype Layout::fit(QList<Word>& words, qsizetype first, const Face& face, double room) const {
    if (lineOf(words, first, 1, face).width > room)
        splitWord(words, first, face, room);
    // Words are added by their own widths, which is close; the line as a
    // whole (kerning and all) then has the last word back if it is over.
    const double blank = measure_.width(face, QStringLiteral(" "));
    double estimate = lineOf(words, first, 1, face).width;
    qsizetype count = 1;
    while (first + count < words.size()) {
        const double next = estimate + blank + lineOf(words, first + count, 1, face).width;
        if (next > room)
            break;
        estimate = next;
        ++count;
    }
    while (count > 1 && lineOf(words, first, count, face).width > room)
        --count;
    return count;
}

void Layout::place(const Line& line, double x, double baseline) {
    for (const Run& run : line.runs) {
        const double at = x + run.x;
        out_.texts.append({QPoint(int(std::lround(at)), int(std::lround(baseline))), run.text,
                           run.face, measure_.advances(run.face, run.text)});
    }
}

// Wraps words into lines from the current position down. A bullet, when
// given, stands at the left of the first line and every line is indented.
void Layout::flow(QList<Word> words, const Face& face, double indent, const QString& bullet,
                  std::optional<std::pair<double, double>> within, Align align) {
    const double step = pitch(face);
    const double ascent = measure_.ascent(face);
    const double halfLeading = (step - ascent - measure_.descent(face)) / 2;
    bool first = true;
    for (qsizetype i = 0; i < words.size();) {
        const auto [l, r] = within ? *within : freeSpan(y_, y_ + step);
        const double room = r - l - indent;
        const qsizetype count = fit(words, i, face, room);
        const Line line = lineOf(words, i, count, face);
        const double baseline = y_ + halfLeading + ascent;
        if (first && !bullet.isEmpty())
            place(Line{{Run{0, bullet, face}}, 0}, l, baseline);
        const double x = align == Align::Centre ? l + (r - l - line.width) / 2 : l + indent;
        place(line, x, baseline);
        y_ += step;
        i += count;
        first = false;
    }
}

void Layout::heading(const Block& block) {
    flow(wordsOf(block.spans), style_.heading, 0, QString());
    const double gap = 0.25 * em_;
    const auto [l, r] = freeSpan(y_, y_ + gap + style_.ruleThickness);
    out_.boxes.append({QRect(int(std::lround(l)), int(std::lround(y_ + gap)),
                             int(std::lround(r - l)), style_.ruleThickness),
                       style_.rule});
    y_ += gap + style_.ruleThickness + 0.5 * em_;
}

double Layout::floatBottom() const {
    double bottom = 0;
    for (const QRectF& zone : floats_)
        bottom = std::max(bottom, zone.bottom());
    return bottom;
}

void Layout::picture(const Block& block) {
    const std::optional<double> ratio = aspect_(block.svg);
    if (!ratio) {
        out_.errors.append(QStringLiteral("line ") + QString::number(block.line) +
                           QStringLiteral(": cannot read the drawing ") + block.svg);
        return;
    }
    const double share = std::min(100.0, block.widthPercent * style_.pictureScale);
    const double width = std::round((right_ - left_) * share / 100.0);
    const double height = std::round(width * *ratio);
    double top = y_;
    if (block.side == Side::Centre) {
        top = std::max(y_, floatBottom()) + 0.5 * em_;
    } else {
        // A picture on the same side as one still beside the text goes
        // below it, never over it.
        for (const QRectF& zone : floats_) {
            const bool right = zone.center().x() > (left_ + right_) / 2;
            if (right == (block.side == Side::Right) && zone.bottom() > top)
                top = zone.bottom() + 0.5 * em_;
        }
    }
    double x = left_;
    if (block.side == Side::Right)
        x = right_ - width;
    else if (block.side == Side::Centre)
        x = left_ + (right_ - left_ - width) / 2;
    const QRect rect(int(std::lround(x)), int(std::lround(top)), int(width), int(height));
    out_.pictures.append({rect, block.svg, QImage()});

    // The caption is set under the picture, centred on it, as wide as it.
    const double saved = y_;
    y_ = top + height + 0.15 * em_;
    if (!block.caption.isEmpty())
        flow(wordsOf(block.caption), style_.caption, 0, QString(),
             std::make_pair(double(rect.left()), double(rect.left() + rect.width())),
             Align::Centre);
    const double bottom = y_;
    if (block.side == Side::Centre) {
        y_ = bottom;
    } else {
        // Text beside a caption keeps the same clearance below it as a
        // paragraph keeps from the one before, or the two read as one.
        y_ = saved;
        floats_.append(QRectF(QPointF(x, top), QPointF(x + width, bottom + 0.35 * em_)));
    }
}

double Layout::gapBefore(const Block& block, const Block* previous) const {
    if (!previous || previous->kind == BlockKind::Heading)
        return 0;
    switch (block.kind) {
    case BlockKind::SubHeading:
        return 0.65 * em_;
    case BlockKind::Bullet:
        return previous->kind == BlockKind::Bullet ? 0.2 * em_ : 0.4 * em_;
    case BlockKind::Picture:
        return 0;
    default:
        return previous->kind == BlockKind::SubHeading ? 0.15 * em_ : 0.45 * em_;
    }
}

LaidPage Layout::run() {
    y_ = style_.marginTop;
    if (page_.logo && style_.logoPanel) {
        logo_ = QRectF(*style_.logoPanel);
        out_.boxes.append({*style_.logoPanel, style_.logoColour});
    }
    const Block* previous = nullptr;
    for (const Block& block : page_.blocks) {
        y_ += gapBefore(block, previous);
        switch (block.kind) {
        case BlockKind::Heading:
            heading(block);
            break;
        case BlockKind::SubHeading:
            flow(wordsOf(block.spans), style_.subHeading, 0, QString());
            break;
        case BlockKind::Paragraph:
            flow(wordsOf(block.spans), style_.body, 0, QString());
            break;
        case BlockKind::Bullet:
            flow(wordsOf(block.spans), style_.body, 1.3 * em_, QStringLiteral("\u2022"));
            break;
        case BlockKind::Picture:
            picture(block);
            break;
        }
        // A picture floats beside what follows it, so the gap before the
        // next block is measured from the block before the picture.
        if (block.kind != BlockKind::Picture || block.side == Side::Centre)
            previous = &block;
    }
    out_.contentBottom = int(std::ceil(std::max(y_, floatBottom())));
    const int limit = style_.frame.height() - style_.marginBottom;
    if (out_.contentBottom > limit) {
        const int over = out_.contentBottom - limit;
        out_.errors.append(QStringLiteral("the text is too long for the ") + style_.name +
                           QStringLiteral(" page by ") + QString::number(over) +
                           QStringLiteral(" twips, about ") +
                           QString::number(int(std::ceil(over / pitch(style_.body)))) +
                           QStringLiteral(" lines: shorten it or split the page"));
    }
    return out_;
}

} // namespace

const QFontMetricsF& Measure::metrics(const Face& face) const {
    const QString key = face.family + (face.bold ? u'B' : u'-') + (face.italic ? u'I' : u'-');
    auto found = metrics_.find(key);
    if (found == metrics_.end())
        found = metrics_.emplace(key, QFontMetricsF(designFont(face))).first;
    return found->second;
}

double Measure::width(const Face& face, const QString& text) const {
    return metrics(face).horizontalAdvance(text) * twipsPerDesignPixel(face);
}

QList<int> Measure::advances(const Face& face, const QString& text) const {
    // The caret positions of the laid-out text are where each character
    // starts, kerning included; rounding them rather than the advances
    // keeps the sum equal to the rounded width of the whole text.
    QTextLayout layout(text, designFont(face));
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    const double k = twipsPerDesignPixel(face);
    QList<int> dx;
    dx.reserve(text.size());
    long before = 0;
    for (qsizetype i = 1; i <= text.size(); ++i) {
        const long upTo = std::lround(line.cursorToX(int(i)) * k);
        dx.append(int(upTo - before));
        before = upTo;
    }
    return dx;
}

double Measure::ascent(const Face& face) const {
    return metrics(face).ascent() * twipsPerDesignPixel(face);
}

double Measure::descent(const Face& face) const {
    return metrics(face).descent() * twipsPerDesignPixel(face);
}

double Measure::lineSpacing(const Face& face) const {
    return metrics(face).lineSpacing() * twipsPerDesignPixel(face);
}

PageStyle screenStyle() {
    PageStyle s;
    s.name = QStringLiteral("screen");
    s.frame = QSize(10395, 7800);
    s.marginLeft = 450;
    s.marginTop = 210;
    s.marginRight = 450;
    s.marginBottom = 180;
    // Warm paper and near-black ink: it reads as a page laid on the
    // program's navy screen, and dark-on-light is the easiest to read.
    s.paper = QColor(251, 247, 236);
    s.heading = {QStringLiteral("Times New Roman"), 22, true, false, QColor(0, 0, 110)};
    s.subHeading = {QStringLiteral("Arial"), 13, true, false, QColor(140, 20, 20)};
    s.body = {QStringLiteral("Arial"), 12, false, false, QColor(25, 25, 25)};
    s.caption = {QStringLiteral("Arial"), 12, false, true, QColor(70, 60, 50)};
    s.rule = QColor(140, 20, 20);
    s.ruleThickness = 30;
    s.pictureEdge = QColor(60, 50, 40);
    s.lineSpacing = 1.0;
    s.gutter = 240;
    // Two image pixels to each screen pixel, so a page stays sharp when the
    // program is drawn larger for a whiteboard.
    s.twipsPerImagePixel = 7.5;
    // The notes viewer shows the publisher's animated logo at (8520, 4320)
    // and the still one at (8550, 6240), in twips of a screen whose page
    // area starts 120 twips in: this corner keeps them on their own blue.
    s.logoPanel = QRect(8280, 4200, 10395 - 8280, 7800 - 4200);
    s.logoColour = QColor(49, 130, 212);
    return s;
}

PageStyle printStyle() {
    PageStyle s;
    s.name = QStringLiteral("print");
    s.frame = QSize(9300, 14000);
    s.marginLeft = 60;
    s.marginTop = 0;
    s.marginRight = 60;
    s.marginBottom = 60;
    s.heading = {QStringLiteral("Times New Roman"), 21, true, false, QColor(0, 0, 80)};
    s.subHeading = {QStringLiteral("Arial"), 15, true, false, Qt::black};
    s.body = {QStringLiteral("Arial"), 13, false, false, Qt::black};
    s.caption = {QStringLiteral("Arial"), 12, false, true, QColor(40, 40, 40)};
    s.rule = Qt::black;
    s.ruleThickness = 20;
    s.pictureEdge = Qt::black;
    s.lineSpacing = 1.12;
    s.gutter = 280;
    s.pictureScale = 1.3;
    s.largerSteps = 8;
    // 200 dots an inch: sharp on paper without making the page file large.
    s.twipsPerImagePixel = 7.2;
    return s;
}

namespace {

PageStyle scaled(PageStyle style, double scale) {
    for (Face* face : {&style.heading, &style.subHeading, &style.body, &style.caption})
        face->points *= scale;
    style.gutter = int(std::lround(style.gutter * scale));
    return style;
}

} // namespace

LaidPage layOut(const Markup& page, const PageStyle& style, const AspectLookup& aspect) {
    LaidPage laid = Layout(page, style, aspect).run();
    // A short page on paper is set larger, step by step, for as long as it
    // still fits: it is read from arm's length, and a sheet two-thirds
    // empty helps nobody.
    for (int step = 1; laid.errors.isEmpty() && step <= style.largerSteps; ++step) {
        LaidPage larger = Layout(page, scaled(style, 1.0 + 0.05 * step), aspect).run();
        if (!larger.errors.isEmpty())
            break;
        laid = std::move(larger);
    }
    return laid;
}

QString fontProblem(const PageStyle& style) {
    static const std::map<QString, QStringList> sameWidths = {
        {QStringLiteral("Arial"), {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")}},
        {QStringLiteral("Times New Roman"),
         {QStringLiteral("Liberation Serif"), QStringLiteral("Tinos")}}};
    for (const Face& face : {style.heading, style.subHeading, style.body, style.caption}) {
        const QString found = QFontInfo(designFont(face)).family();
        const auto standIns = sameWidths.find(face.family);
        if (found.compare(face.family, Qt::CaseInsensitive) == 0 ||
            (standIns != sameWidths.end() && standIns->second.contains(found, Qt::CaseInsensitive)))
            continue;
        return QStringLiteral("\"") + face.family + QStringLiteral("\" is drawn here with \"") +
               found +
               QStringLiteral("\", whose letters have other widths; install the Liberation fonts "
                              "(fonts-liberation2) so that pages are laid out as they are shown");
    }
    return {};
}

QSize imagePixels(const QRect& rect, const PageStyle& style) {
    return QSize(std::max(1, int(std::lround(rect.width() / style.twipsPerImagePixel))),
                 std::max(1, int(std::lround(rect.height() / style.twipsPerImagePixel))));
}

} // namespace material::pages
