#pragma once
// The two topic menus ("Rationing" and "The Progress of the War") share one
// layout and behaviour and differ only in their data: title, colours,
// picture and the material their entries open.
#include "menu_entry.h"
#include "pictures.h"
#include "program.h"
#include "screen.h"
#include "viewers.h"

#include <QLabel>

struct TopicDesign {
    QString title;
    float titleWidth;
    QColor background;
    QString picture;
    // What the pictures show, for a pupil who cannot see them.
    QString pictureDescription;
    // The picture either keeps its size, centred across the screen at
    // pictureTop, or is stretched over pictureArea.
    bool stretchPicture;
    float pictureTop = 0;
    Place pictureArea{};
    QString questionFile;
    QString quizPicture;
    QString quizPictureDescription;
    // Set for a quiz picture that is not banner-shaped but keeps its subject
    // in the band the quiz's banner cuts from it.
    bool quizPictureFillsBanner = false;
    // The two page sets.
    PageSet keyFacts;
    PageSet notes;
    ScreenId labelling;
    ScreenId ordering;
};

class TopicMenu : public Screen {
    Q_OBJECT
public:
    TopicMenu(Program& program, ScreenId id, TopicDesign design);

    void Form_Load() override;
    void label3_Click(int index);

    // The entries of label3, by their index.
    enum Entry {
        MultipleChoice = 0,
        Labelling = 1,
        Exit = 2,
        Ordering = 3,
        KeyFacts = 4,
        TeachersNotes = 5,
    };

    QLabel* Label1;
    ImageBox* Image1;
    Entries label3;

private:
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
