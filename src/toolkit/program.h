#pragma once
// The program-wide values and services, owned by one object that every
// screen reaches by reference. A test builds a fresh one around a temporary
// material folder, with recorders in place of the sound and message boxes.
#include "material_paths.h"
#include "messages.h"
#include "random_source.h"
#include "screen_registry.h"
#include "sound.h"

#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <optional>

struct ShellState {
    // 1 plays sounds, 0 is silent; empty until the main menu first loads,
    // which counts as not 1.
    std::optional<int> SoundOn;
};

struct CatalogueState {
    static constexpr int Capacity = 1000;
    int WorksheetCount = 0;
    // Slots 1 to 1000; slot 0 is never used.
    std::array<QString, Capacity + 1> WorksheetTitles;
};

// A question set: slots 1 to 10 hold questions 1 to 10; slot 0 is never used.
struct QuizTables {
    QString QuizTitle;
    std::array<QString, 11> QuestionText;
    std::array<QString, 11> ChoiceA;
    std::array<QString, 11> ChoiceB;
    std::array<QString, 11> ChoiceC;
    std::array<QString, 11> ChoiceD;
    // The right answer as one digit, "1" = A to "4" = D.
    std::array<QString, 11> CorrectChoice;
};

struct QuizState {
    int CurrentQuestion = 0;
    // Slot q is 1 when question q was last left answered right.
    std::array<int, 11> QuestionRight{};
    QString ResultHeading;
};

// The result of the quiz or activity in progress, read by the results screen.
struct Results {
    int Score = 0;
    int ScoreTotal = 0;
};

class Program {
public:
    Program(QString materialRoot, std::unique_ptr<SoundDevice> sound,
            std::unique_ptr<MessageBoxes> messages);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    ShellState shell;
    CatalogueState catalogue;
    QuizTables questions;
    QuizState quiz;
    Results results;

    const MaterialPaths& paths() const { return paths_; }
    SoundDevice& sound() { return *sound_; }
    MessageBoxes& messages() { return *messages_; }
    ScreenRegistry& screens() { return screens_; }
    RandomSource& random() { return *random_; }
    // Tests put a predictable generator in its place.
    void setRandom(std::unique_ptr<RandomSource> random) { random_ = std::move(random); }

    // Plays a WAV file through the sound control on the backdrop, only while
    // the sound switch is on.
    void PlaySound(const QString& materialPath);

    // Ends the program at once; nothing is saved. Tests replace it.
    std::function<void()> endProgram;

private:
    MaterialPaths paths_;
    std::unique_ptr<SoundDevice> sound_;
    std::unique_ptr<MessageBoxes> messages_;
    std::unique_ptr<RandomSource> random_;
    ScreenRegistry screens_;
};
