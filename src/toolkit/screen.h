#pragma once
// A screen: a framed panel on the stage with its own caption bar (no close,
// minimise or maximise button, so it is left only through its own entries).
// Controls live on its client area, placed in twips. The registry builds a
// screen on first touch and runs its Form_Load before anything else sees it.
#include "controls.h"
#include "screen_id.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <span>
#include <vector>

class MenuEntry;
class Program;
class QTimer;

// The client area. Its mouse moves are the screen's Form_MouseMove: the
// pointer is over the background, or over a text or picture, which pass
// their moves on.
class FormSurface : public QWidget {
    Q_OBJECT
public:
    explicit FormSurface(QWidget* parent);

Q_SIGNALS:
    void mouseMoved();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
};

class Screen : public QWidget {
    Q_OBJECT
public:
    // The frame and caption bar at scale 1; they grow with the scale.
    static constexpr int FramePixels = 3;
    static constexpr int CaptionPixels = 18;
    static int framePixels();
    static int captionPixels();

    // A control array of entries, indexed as the screen numbers them. An
    // index the screen does not have is a wiring slip: reading it throws
    // (and the guarded handler carries on) instead of quietly adding an
    // empty entry for the next line to crash on.
    class Entries {
    public:
        MenuEntry* operator[](int index) const { return entries_.at(index); }
        MenuEntry* at(int index) const { return entries_.at(index); }
        bool contains(int index) const { return entries_.contains(index); }
        auto begin() const { return entries_.cbegin(); }
        auto end() const { return entries_.cend(); }
        void add(int index, MenuEntry* entry) { entries_.insert_or_assign(index, entry); }

    private:
        std::map<int, MenuEntry*> entries_;
    };

    Screen(Program& program, ScreenId id);

    ScreenId id() const { return id_; }
    virtual void Form_Load() = 0;
    // Clears the highlight of the screen's menu list.
    virtual void Form_MouseMove();
    virtual QWidget* Picture1() { return nullptr; }
    // Everything the screen says when read aloud whole, in reading order:
    // by default every text, caption and picture description on it, row by
    // row. A screen with an order of its own (the quiz, a page) says so.
    virtual QStringList readingOrder() const;

    // The standard set-up every screen applies to itself as it loads.
    void SetUpForm();

    // Makes the screen visible in front of everything open on the stage,
    // with the keyboard in it.
    void Show();
    // Gives the keyboard to this screen, so no key reaches a screen beneath.
    void takeFocus();
    // The control that had the keyboard on another screen when this one was
    // shown over it, while it exists: the entry that opened this screen,
    // when the pupil opened it from the keyboard.
    QWidget* opener() const { return opener_; }
    bool openedByKeyboard() const { return openedByKeyboard_; }
    // Gives the keyboard back to a control of this screen, with its ring
    // when `byKeyboard`; when the control is gone or cannot take keys, as
    // takeFocus does.
    void returnFocusTo(QWidget* control, bool byKeyboard);

    QString Caption() const { return caption_; }
    void setCaption(const QString& caption);
    QColor BackColor() const;
    void setBackColor(const QColor& colour);

    // Outer place and size in twips; fractions are kept.
    float Left() const { return left_; }
    float Top() const { return top_; }
    float Width() const { return width_; }
    float Height() const { return height_; }
    void setPlace(float left, float top);
    void setSize(float width, float height);
    void setClientSize(float width, float height);

    FormSurface* client() const { return client_; }
    const std::vector<MenuEntry*>& menuList() const { return menuList_; }

protected:
    enum class Hover { Highlight, Fixed };
    // Builds a row of entries from its design table, named arrayName[index]
    // as the design names them. Each click runs onClick(index); a
    // highlighted entry joins the screen's hover list.
    Entries addEntries(const char* arrayName, std::span<const controls::EntryDesign> designs,
                       std::function<void(int)> onClick, Hover hover = Hover::Highlight);
    Entries addEntries(std::span<const controls::EntryDesign> designs,
                       std::function<void(int)> onClick, Hover hover = Hover::Highlight) {
        return addEntries("Label3", designs, std::move(onClick), hover);
    }
    // The control that takes the keyboard when the screen is shown; the
    // screen itself when it has no control for keys.
    virtual QWidget* focusTarget();
    // Puts the screen's Tab stops in reading order each time it is shown;
    // a screen with an order of its own keeps it by overriding this.
    virtual void orderTabStops();
    bool focusNextPrevChild(bool next) override;
    void paintEvent(QPaintEvent* event) override;

    Program& program;

private:
    void applyGeometry();

    ScreenId id_;
    FormSurface* client_;
    QString caption_;
    float left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    std::vector<MenuEntry*> menuList_;
    QPointer<QWidget> opener_;
    bool openedByKeyboard_ = false;
};

// Runs an event handler so that nothing it throws leaves the event loop:
// the failure is logged, `onFailure` (if any) tells the user, and the
// program carries on.
void runGuarded(const std::function<void()>& handler,
                const std::function<void()>& onFailure = {}) noexcept;

// A timer fires from the event loop as a click does, and its handler is
// guarded the same way. A handler that fails stops its timer: it would only
// fail again at the next tick.
void onTimeout(QTimer* timer, std::function<void()> handler);
// The same for a handler run once, `msec` from now, while `context` lives.
void afterDelay(int msec, QObject* context, std::function<void()> handler);
