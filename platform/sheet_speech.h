#pragma once
// What a screen reader hears of the sheet: a line read whole when the user comes to it, and
// when the current line's result is spoken while the user types.

#include <optional>
#include <string>

// A line's label, formula and result ("A1, A0/4, 9"); a line without a formula, its label and
// that it is blank.
std::string LineReading(const std::string& label, const std::string& formula,
                        const std::string& result);

// The result of the current line is spoken once it has stood for a pause in typing (or at once,
// on Return), and only when it differs from what was heard last: typing that changes it and
// back, or a pause that finds it as it was heard, says nothing again.
class ResultSpeech {
public:
    // The result as the display now shows it. True: speak it once typing pauses; false: there is
    // nothing new to say, so any pause pending is over.
    bool Shown(std::string result);
    // The pause ran out, or the user asked for the result: what to speak now, if anything. The
    // result counts as heard from here on.
    std::optional<std::string> Due();
    // The result was heard by other means (the line read whole).
    void Heard() { heard_ = shown_; }
    const std::string& HeardResult() const { return heard_; }

private:
    std::string shown_;
    std::string heard_;
};
