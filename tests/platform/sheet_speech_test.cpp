#include "platform/sheet_speech.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

TEST(LineReading, LabelFormulaResultOrBlank) {
    const struct {
        const char* label;
        const char* formula;
        const char* result;
        const char* reading;
    } rows[] = {
        {"A1", "A0/4", "9", "A1, A0/4, 9"},
        {"A7", "1/0", "ゼロで除算", "A7, 1/0, ゼロで除算"},
        {"A2", "", "", "A2, 空白"},
        {"A3", "", "36", "A3, 空白"},  // a result left from before is no formula
        {"A4", "12*", "", "A4, 12*"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(LineReading(row.label, row.formula, row.result), row.reading) << row.reading;
}

// Steps, separated by blanks: "=T" the display shows T ("=" alone: blank), "?" a pause runs out
// or Return asks, "!" the result was heard with its line. Expected: what "?" speaks, in order,
// and whether the last "=" asked to wait for a pause.
TEST(ResultSpeech, SpeaksOnceUntilTheResultChanges) {
    const struct {
        const char* steps;
        std::vector<std::string> spoken;
        bool waits;
    } rows[] = {
        {"=36 ?", {"36"}, true},
        {"=36 ? =36 ?", {"36"}, false},
        {"=36 ? =9 ?", {"36", "9"}, true},
        {"=36 ? =3 =36 ?", {"36"}, false},  // typed away and back before the pause
        {"=1 =12 =式が不完全 =36 ?", {"36"}, true},
        {"=36 ? = ? =36 ?", {"36", "36"}, true},  // a blank line between: heard anew
        {"= ?", {}, false},
        {"=9 ! ?", {}, true},
        {"=9 ! =9 ?", {}, false},
        {"=ゼロで除算 ?", {"ゼロで除算"}, true},
    };
    for (const auto& row : rows) {
        ResultSpeech speech;
        std::vector<std::string> spoken;
        bool waits = false;
        std::istringstream steps(row.steps);
        for (std::string step; steps >> step;) {
            if (step[0] == '=') waits = speech.Shown(step.substr(1));
            if (step == "!") speech.Heard();
            if (step == "?") {
                if (auto due = speech.Due()) spoken.push_back(*due);
            }
        }
        EXPECT_EQ(spoken, row.spoken) << row.steps;
        EXPECT_EQ(waits, row.waits) << row.steps;
    }
}
