#include "platform/sheet_speech.h"

#include <utility>

std::string LineReading(const std::string& label, const std::string& formula,
                        const std::string& result) {
    if (formula.empty()) return label + ", 空白";
    return result.empty() ? label + ", " + formula : label + ", " + formula + ", " + result;
}

bool ResultSpeech::Shown(std::string result) {
    shown_ = std::move(result);
    return shown_ != heard_;
}

std::optional<std::string> ResultSpeech::Due() {
    if (shown_ == heard_) return std::nullopt;
    heard_ = shown_;
    if (heard_.empty()) return std::nullopt;
    return heard_;
}
