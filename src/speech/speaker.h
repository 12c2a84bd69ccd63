#pragma once
// The voice that reads texts aloud, as the rest of the program sees it. The
// program's own speaks through the system's speech engine; a test puts one
// in its place that notes what would have been heard.
#include <QString>

class Speaker {
public:
    enum class State {
        // Silent, and able to speak.
        Ready,
        // A text is being read (or is on its way to the voice).
        Speaking,
        // There is no voice to speak with: read-aloud does nothing.
        Off,
    };

    virtual ~Speaker() = default;
    // Reads the text aloud, in place of anything still being read.
    virtual void say(const QString& text) = 0;
    // Stops at once; nothing is said after.
    virtual void stop() = 0;
    virtual State state() const = 0;

protected:
    Speaker() = default;
    Speaker(const Speaker&) = default;
    Speaker& operator=(const Speaker&) = default;
};
