#pragma once
// The two labelling activities ("Labelling Activity" on a topic menu): name
// labels dragged under pictures.
#include "activity_screen.h"
#include "pictures.h"

#include <vector>

struct PictureFrame {
    QString file;
    Place frame;
    // What the picture shows, for a pupil who cannot see it, in words that
    // do not give away its label.
    QString description;
};

class LabellingScreen : public ActivityScreen {
    Q_OBJECT
public:
    LabellingScreen(Program& program, ScreenId id, ActivityDesign design,
                    std::vector<PictureFrame> pictures, const QString& instruction,
                    const Place& instructionPlace);

    std::vector<ImageBox*> Image1;
    QLabel* Label7;

protected:
    void loadPictures() override;

private:
    // Each answer box named by the picture it belongs to, so a pupil who
    // cannot see the screen knows where a label goes.
    void nameAnswerBoxes();

    std::vector<PictureFrame> pictures_;
};

class RationingLab final : public LabellingScreen {
    Q_OBJECT
public:
    static constexpr ScreenId Id = ScreenId::rationinglab;
    explicit RationingLab(Program& program);
};

class ProgressLab final : public LabellingScreen {
    Q_OBJECT
public:
    static constexpr ScreenId Id = ScreenId::progresslab;
    explicit ProgressLab(Program& program);
};
