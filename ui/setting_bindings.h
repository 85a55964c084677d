#pragma once
// Controls bound to members of the settings record: each binding names a control, the setting it
// shows and how it shows it, so that a dialog loads and stores all of them by one loop each.

#include <QString>
#include <array>
#include <cstdint>
#include <string>
#include <variant>

#include "settings/execute_parameter.h"

class QAbstractSlider;
class QCheckBox;
class QLineEdit;
class QRadioButton;

using IntegerSetting = std::int32_t ExecuteParameter::*;
using TextSetting = std::string ExecuteParameter::*;

// A flag as a check box.
struct FlagBox {
    QCheckBox* box;
    IntegerSetting flag;
};

// A flag as two radio buttons: on is checked while the flag is set, off while it is not.
struct FlagPair {
    QRadioButton* on;
    QRadioButton* off;
    IntegerSetting flag;
};

// A bit set as one check box per bit, from bit 1 up. Storing rebuilds the set from the boxes
// alone, so bits that have no box are dropped.
struct BitBoxes {
    std::array<QCheckBox*, 3> boxes;
    IntegerSetting bits;
};

// A number as decimal text; text that is no number stores the setting's default.
struct NumberField {
    QLineEdit* field;
    IntegerSetting number;
};

// A text as typed.
struct TextField {
    QLineEdit* field;
    TextSetting text;
};

// A slider's position. Loading sends no change signal: the dialog decides what a load previews.
struct SliderPosition {
    QAbstractSlider* slider;
    IntegerSetting position;
};

using SettingBinding =
    std::variant<FlagBox, FlagPair, BitBoxes, NumberField, TextField, SliderPosition>;

void LoadSetting(const SettingBinding& binding, const ExecuteParameter& settings);
void StoreSetting(const SettingBinding& binding, ExecuteParameter& settings);

// A text as a decimal integer (leading blanks, then the form ParseInteger reads), or fallback
// when it is not one.
int IntegerOr(const QString& text, int fallback);
