#pragma once
// The two page viewers: the notes viewer ("Key Facts", "Teacher's Notes"
// and the acknowledgments with the animated logo) and the teachers' guide.
// Both show one page of a set at a time, step through it by one rule and
// print the page on show; they differ in how they name their pages and what
// else they show.
#include "controls.h"
#include "menu_entry.h"
#include "page_box.h"
#include "pictures.h"
#include "program.h"
#include "screen.h"

#include <QLabel>
#include <QTimer>

// A set of pages as a menu hands it to the notes viewer.
struct PageSet {
    // The base of the pages' names: page 2 of "key progress" is
    // "key progressb.wmf".
    QString name;
    int count = 1;
    // The first page's file, which a set of one names without a letter.
    QString firstPage;
    // The acknowledgments: the publisher's animated logo and picture beside
    // the page, on their own colour.
    bool withLogo = false;
    // What a teacher calls the set ("Rationing, Key Facts"), for the name
    // of a page kept as a file.
    QString title{};
};

class PageViewer : public Screen {
    Q_OBJECT
public:
    // The entries of Label3, by their index.
    enum Entry { Print = 0, Exit = 1, Next = 2, Previous = 3 };

    PageViewer(Program& program, ScreenId id, const Place& image2);

    void Label3_Click(int index);
    // Read aloud whole: the page on show, in its reading order.
    QStringList readingOrder() const override;

    PageBox* Image1;
    PageBox* Image2;
    QLabel* Label1;
    Entries Label3;

protected:
    // Puts page PageNumber of the set in place, with its counter and
    // entries: back only from page 2 on, on only up to the last page.
    void pageStep();
    // The file of a page of the set on show, in the screen ("wmf") or print
    // ("wmf2") folder.
    virtual QString pageFile(const QString& folder, int page) const = 0;
    // Which page of the set is on show, as a teacher would name it.
    virtual QString pageName() const = 0;
    void showPage(const QString& screenFile, const QString& printFile);
    static QString counterText(int page, int count);

private:
    void printPage();
};

class Teacher final : public PageViewer {
    Q_OBJECT
public:
    static constexpr ScreenId Id = ScreenId::teacher;
    explicit Teacher(Program& program);

    // The way in: the set's first page, over the screen that opens it.
    static void open(Program& program, const PageSet& set);

    void Form_Load() override;
    PictureBox* Picture1() override { return picture1_; }
    void Timer1_Timer();

    PictureBox* Picture2;
    QTimer* Timer1;

    // Page `page` of the set named `set` in a folder: "wmf\\key progressb.wmf".
    static QString pageFile(const QString& folder, const QString& set, int page);
    // Frame n of the logo's animation: "logo\\quorvane0007.gif".
    static QString logoFrameFile(int frame);

protected:
    QString pageFile(const QString& folder, int page) const override;
    QString pageName() const override;

private:
    PictureBox* picture1_;
};

class Guide final : public PageViewer {
    Q_OBJECT
public:
    static constexpr ScreenId Id = ScreenId::guide;
    explicit Guide(Program& program);

    // The way in: page 1 of the guide's three, over the main menu.
    static void open(Program& program);

    void Form_Load() override { SetUpForm(); }

protected:
    // "guide1.wmf" to "guide3.wmf".
    QString pageFile(const QString& folder, int page) const override;
    QString pageName() const override;
};
