#include "ui/setting_bindings.h"

#include <QAbstractSlider>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <cstddef>

#include "platform/parse_integer.h"

namespace {

void Load(const FlagBox& b, const ExecuteParameter& settings) {
    b.box->setChecked(settings.*b.flag != 0);
}

void Load(const FlagPair& b, const ExecuteParameter& settings) {
    b.on->setChecked(settings.*b.flag != 0);
    b.off->setChecked(settings.*b.flag == 0);
}

void Load(const BitBoxes& b, const ExecuteParameter& settings) {
    for (std::size_t i = 0; i < b.boxes.size(); ++i)
        b.boxes[i]->setChecked((settings.*b.bits & (1 << i)) != 0);
}

void Load(const NumberField& b, const ExecuteParameter& settings) {
    b.field->setText(QString::number(settings.*b.number));
}

void Load(const TextField& b, const ExecuteParameter& settings) {
    b.field->setText(QString::fromStdString(settings.*b.text));
}

void Load(const SliderPosition& b, const ExecuteParameter& settings) {
    const QSignalBlocker quiet(b.slider);
    b.slider->setValue(settings.*b.position);
}

void Store(const FlagBox& b, ExecuteParameter& settings) {
    settings.*b.flag = b.box->isChecked() ? 1 : 0;
}

void Store(const FlagPair& b, ExecuteParameter& settings) {
    settings.*b.flag = b.on->isChecked() ? 1 : 0;
}

void Store(const BitBoxes& b, ExecuteParameter& settings) {
    std::int32_t bits = 0;
    for (std::size_t i = 0; i < b.boxes.size(); ++i)
        if (b.boxes[i]->isChecked()) bits |= 1 << i;
    settings.*b.bits = bits;
}

void Store(const NumberField& b, ExecuteParameter& settings) {
    settings.*b.number = IntegerOr(b.field->text(), ExecuteParameter::DefaultOf(b.number));
}

void Store(const TextField& b, ExecuteParameter& settings) {
    settings.*b.text = b.field->text().toStdString();
}

void Store(const SliderPosition& b, ExecuteParameter& settings) {
    settings.*b.position = b.slider->value();
}

}  // namespace

void LoadSetting(const SettingBinding& binding, const ExecuteParameter& settings) {
    std::visit([&settings](const auto& bound) { Load(bound, settings); }, binding);
}

void StoreSetting(const SettingBinding& binding, ExecuteParameter& settings) {
    std::visit([&settings](const auto& bound) { Store(bound, settings); }, binding);
}

int IntegerOr(const QString& text, int fallback) {
    qsizetype first = 0;
    while (first < text.size() && text[first] == u' ')
        ++first;
    return ParseInteger(text.mid(first).toStdString()).value_or(fallback);
}
