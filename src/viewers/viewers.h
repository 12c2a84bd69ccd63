#pragma once
// The two page viewers: the notes viewer (key facts, teacher's notes and
// the acknowledgments with the animated logo) and the teachers' guide. Both
// show one page at a time, step through their set and print the page on
// show; they differ in how they name their pages and what else they show.
#include "controls.h"
#include "menu_entry.h"
#include "page_box.h"
#include "pictures.h"
#include "program.h"
#include "screen.h"

#include <QLabel>
#include <QTimer>

class PageViewer : public Screen {
    Q_OBJECT
public:
    // The entries of Label3, by their index.
    enum Entry { Print = 0, Exit = 1, Next = 2, Previous = 3 };

    PageViewer(Program& program, ScreenId id, const Place& image2);

    void Label3_Click(int index);

    PageBox* Image1;
    PageBox* Image2;
    QLabel* Label1;
    Entries Label3;

protected:
    // Puts page PageNumber of the set in place, with its counter and entries.
    virtual void pageStep() = 0;
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
    void pageStep() override;

private:
    PictureBox* picture1_;
};

class Guide final : public PageViewer {
    Q_OBJECT
public:
    static constexpr ScreenId Id = ScreenId::guide;
    explicit Guide(Program& program);

    void Form_Load() override { SetUpForm(); }

protected:
    void pageStep() override;
};
