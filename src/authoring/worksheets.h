#pragma once
// The Worksheet Catalogue ("Worksheets Catalogue"): the teachers' saved
// worksheets, 24 titles a page.
// A click on a title runs it as a quiz, opens it in the wizard, or removes
// it from the catalogue, as the two mode boxes say.
#include "catalogue_file.h"
#include "controls.h"
#include "menu_entry.h"
#include "program.h"
#include "screen.h"

#include <QLabel>
#include <array>
#include <functional>

struct CatalogueState;
struct CatalogueScreenState;

class Worksheets final : public Screen {
    Q_OBJECT
public:
    static constexpr ScreenId Id = ScreenId::worksheets;
    // Label2: "Exit", then the title slots 1 to 24 of the page on show, the
    // left column (1 to 12) before the right.
    enum Entry { Exit = 0, FirstSlot = 1, LastSlot = 24 };
    static constexpr int SlotsPerPage = 24;
    static constexpr int SlotsPerColumn = 12;
    // Label3, the paging entries.
    enum Paging { Previous = 0, Next = 1 };

    explicit Worksheets(Program& program);
    ~Worksheets() override;

    void Form_Load() override;
    void Check1_Click();
    void Check2_Click();
    void Label2_Click(int index);
    void label3_Click(int index);
    // Redraws the page CataloguePage.
    void workpage();
    // Opens the wizard on the question tables, over the catalogue.
    void editworksheet();
    // Removes WorksheetToDelete from the catalogue; false when the catalogue
    // could not be read or written, which leaves it as it was, with why.
    // afterwards runs once the title is gone, before another copy can act.
    bool delworksheet(catalogue_file::Failure* why = nullptr,
                      const std::function<void()>& afterwards = {});

    QLabel* Label1;
    CheckBox* Check1;
    CheckBox* Check2;
    Entries Label2;
    Entries Label3;
    BoxLabel* Label4;

private:
    CatalogueState& catalogue();
    CatalogueScreenState& state();
    QString folder() const;
    // The steps after the click sound; false when the worksheet or the
    // catalogue let them down.
    bool openTitle(const QString& title);
    // unreadable: the worksheet file could not be read, and goes with its
    // title.
    void deleteTitle(const QString& title, bool unreadable);
    bool runAsQuiz();
    // Empties every slot, then shows titles 24p + 1 to last on page p.
    void showTitles(int last);
    CheckBox* modeBox(const QString& caption, const QColor& colour, float left);

    // The whole title behind each slot's caption (which shows only what
    // fits): a click acts on what the teacher saw, even if the table has
    // changed under the page since.
    std::array<QString, LastSlot + 1> slotTitles_;
    // A delete refreshes the page its own way.
    bool deleting_ = false;
};
