#pragma once
// Message boxes with OK, or OK and Cancel. Screens ask through this so that a
// test can read what the box said and answer it in advance.
#include <QString>

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual void tell(const QString& text) = 0;
    // true for OK, false for Cancel. The caption is the box's title bar.
    virtual bool confirm(const QString& text, const QString& caption) = 0;
};

class QtMessageBoxes final : public MessageBoxes {
public:
    // The boxes are modal over the stage, the program's one window.
    void tell(const QString& text) override;
    bool confirm(const QString& text, const QString& caption) override;
};
