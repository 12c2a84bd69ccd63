#pragma once
// The printer as the printouts see it: a page of W by H twips (the printable
// area, with the origin at its top-left corner), a current position in
// twips, a font and a colour, lines of text printed one below the other,
// straight lines, pictures drawn at their own size, and the end of the
// document, which sends the page. Any step can fail; once one has, every
// later step does nothing, and the job can only be abandoned.
#include <QColor>
#include <QFont>
#include <QPageSize>
#include <QString>
#include <functional>
#include <memory>

class QLocale;
class QPainter;
class QPrinter;

class PrintSurface {
public:
    virtual ~PrintSurface() = default;

    // Starts the job; false when there is no printer or it will not start.
    virtual bool begin() = 0;
    virtual float ScaleWidth() const = 0;
    virtual float ScaleHeight() const = 0;

    float CurrentX = 0;
    float CurrentY = 0;

    virtual void setFont(const QString& name, double points) = 0;
    virtual void setForeColor(const QColor& colour) = 0;
    // Pen width for lines, in the screen's pixels (15 twips each).
    virtual void setDrawWidth(int pixels) = 0;

    // Prints text at the current position. With a new line, the position
    // then moves down by the font's line height and back to the left edge;
    // without, it moves to the end of the text on the same line.
    virtual bool Print(const QString& text, bool newLine = true) = 0;
    virtual float TextWidth(const QString& text) const = 0;
    virtual float TextHeight() const = 0;
    virtual bool Line(float x1, float y1, float x2, float y2) = 0;
    // Lets a picture draw itself with its top-left corner at (x, y) twips;
    // the painter is set up in twips.
    virtual bool drawPicture(float x, float y, const std::function<void(QPainter&)>& draw) = 0;

    // Sends the page; false when the printer could not take it.
    virtual bool EndDoc() = 0;
    // Abandons a job that failed part-way, so no half page is printed and
    // nothing stays open on the printing service.
    virtual void KillDoc() = 0;
};

// The real surface, on Qt's printer: the system's default printer, or a PDF
// file. Every job is one page drawn in twips from the printable area's
// top-left corner.
class QtPrintSurface final : public PrintSurface {
public:
    // The paper of the country the locale is of: Letter where it is the
    // usual paper (the locale measures in US units), A4 everywhere else.
    static QPageSize::PageSizeId paperFor(const QLocale& locale);
    // The default printer, on the paper of the user's locale; begin() fails
    // when the system has none.
    static std::unique_ptr<QtPrintSurface> defaultPrinter();
    // A PDF file with the margins of a common office printer. An abandoned
    // job leaves no file behind.
    static std::unique_ptr<QtPrintSurface> pdf(const QString& path,
                                               QPageSize::PageSizeId paper = QPageSize::A4);
    ~QtPrintSurface() override;

    bool begin() override;
    float ScaleWidth() const override { return width_; }
    float ScaleHeight() const override { return height_; }
    void setFont(const QString& name, double points) override;
    void setForeColor(const QColor& colour) override;
    void setDrawWidth(int pixels) override;
    bool Print(const QString& text, bool newLine = true) override;
    float TextWidth(const QString& text) const override;
    float TextHeight() const override;
    bool Line(float x1, float y1, float x2, float y2) override;
    bool drawPicture(float x, float y, const std::function<void(QPainter&)>& draw) override;
    bool EndDoc() override;
    void KillDoc() override;

private:
    QtPrintSurface(std::unique_ptr<QPrinter> printer, bool hasPrinter, QPageSize::PageSizeId paper);
    bool healthy() const;

    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;
    bool hasPrinter_;
    bool failed_ = false;
    float width_ = 0;
    float height_ = 0;
    QFont font_;
    QColor colour_ = Qt::black;
    int drawWidth_ = 1;
};
