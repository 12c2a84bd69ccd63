#pragma once
// The drag, drop and button engine shared by the four activity screens (the
// labelling and ordering activities of each topic). The
// positions of the labels are the whole state of an activity: a label lies in
// a box when its Left and Top equal the box's, exactly.
#include "activity_design.h"
#include "drag_label.h"
#include "menu_entry.h"
#include "program.h"
#include "screen.h"

#include <QKeyEvent>
#include <QLabel>
#include <vector>

class ActivityScreen : public Screen {
    Q_OBJECT
public:
    ActivityScreen(Program& program, ScreenId id, ActivityDesign design);

    // The way in from a topic menu: the activity under the topic's heading.
    void open(const QString& heading);

protected:
    // Names the screen for assistive technology by its heading and kind
    // ("labelling", "timeline").
    void nameAs(const QString& kind);

public:
    void Form_Load() override;
    // Read aloud whole: the heading, the screen's own texts and pictures
    // (the instructions), the labels where they lie, then each answer box
    // with the label it holds.
    QStringList readingOrder() const override;

    // The buttons of Label3, by their index.
    enum Button { Exit = 0, StartAgain = 1, CheckScore = 2 };

    void Label2_MouseMove(int index, Qt::MouseButtons buttons, float x, float y);
    // A drop of label i with the pointer on the centre of a box: it lies
    // there, then snaps and sounds as any drop does.
    void dropAt(int i, const Place& box);
    void Label2_MouseUp(int index);
    void Label3_Click(int index);

    int n() const { return int(design_.items.size()); }
    const Place& labelPlace(int i) const { return labels_[i]; }
    const Place& slotPlace(int i) const { return slots_[i]; }
    const Place& homePlace(int i) const { return homes_[i]; }
    // Puts label i at a place, as a drag would.
    void setLabelPlace(int i, float left, float top);

    // Drop boxes in the order the keyboard visits them: the answer slots,
    // then the home boxes, each in reading order. Box b is answer slot b for
    // b < n(), home box b - n() after.
    const std::vector<int>& dropOrder() const { return dropOrder_; }
    const Place& boxPlace(int box) const { return box < n() ? slots_[box] : homes_[box - n()]; }
    // The label carried by keyboard, and the box it hovers over; -1 when
    // none is carried.
    int carriedLabel() const { return carried_; }
    int carriedOver() const { return carried_ < 0 ? -1 : dropOrder_[carryStep_]; }
    // The label chosen by a tap, waiting for a tap on a box; -1 when none.
    int chosenLabel() const { return chosen_; }

    QLabel* Label6;
    std::vector<QLabel*> Label1;    // answer slots
    std::vector<DragLabel*> Label2; // the labels the pupil drags
    std::vector<QLabel*> Label4;    // home boxes
    Entries Label3;

protected:
    // Pictures and texts of the screen itself lie behind the boxes and the
    // labels, so a label is never lost behind them.
    void putBehindActivity(QWidget* decoration) { decoration->lower(); }
    // Loads the screen's pictures, between setting the total and clearing
    // the slots.
    virtual void loadPictures() {}

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildBoxesAndLabels();
    void orderDropBoxes();
    bool labelKey(int i, QKeyEvent* key);
    void pickUp(int i);
    void carryTo(int step);
    void putDown();
    void cancelCarry();
    void labelTapped(int i);
    void boxTapped(int box);
    void choose(int i);
    void liftLabel(int i);
    void snapInto(int i, const Place& box, const QWidget* named);
    // The boxes by name, in the order the keyboard's carry visits them.
    QStringList boxNames() const;
    int labelsInSlots() const;

    ActivityDesign design_;
    std::vector<Place> labels_;
    std::vector<Place> slots_;
    std::vector<Place> homes_;
    std::vector<int> dropOrder_;
    int carried_ = -1;
    int carryStep_ = 0;
    Place carriedFrom_;
    int chosen_ = -1;
    QString kind_;
};
