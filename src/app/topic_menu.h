#pragma once
// The two topic menus share one layout and behaviour and differ only in
// their data: title, colours, picture and the material their entries open.
#include "menu_entry.h"
#include "pictures.h"
#include "program.h"
#include "screen.h"

#include <QLabel>
#include <map>

struct TopicDesign {
    QString title;
    float titleWidth;
    QColor background;
    QString picture;
    // The picture either keeps its size, centred across the screen at
    // pictureTop, or is stretched over pictureRect.
    bool stretchPicture;
    float pictureTop;
    QRectF pictureRect;
    QString questionFile;
    QString quizPicture;
    ScreenId labelling;
    ScreenId ordering;
};

class TopicMenu : public Screen {
    Q_OBJECT
public:
    TopicMenu(Program& program, ScreenId id, TopicDesign design);

    void Form_Load() override;
    void label3_Click(int index);

    QLabel* Label1;
    ImageBox* Image1;
    // 0 "Multiple Choice", 1 "Labelling Activity", 2 "Exit", 3 "Ordering
    // Activity", 4 "Key Facts", 5 "Teacher's Notes".
    std::map<int, MenuEntry*> label3;

private:
    void buildEntries();
    void openQuiz();
    void openActivity(ScreenId id);

    TopicDesign design_;
};

class RationingMenu final : public TopicMenu {
    Q_OBJECT
public:
    static constexpr ScreenId Id = ScreenId::rationing;
    explicit RationingMenu(Program& program);
};

class ProgressMenu final : public TopicMenu {
    Q_OBJECT
public:
    static constexpr ScreenId Id = ScreenId::progress;
    explicit ProgressMenu(Program& program);
};
