#include "platform/face_choice.h"

#include <algorithm>
#include <array>
#include <functional>
#include <string_view>

namespace {

// By each of their names: Qt reports a family by its name in the desktop's language.
constexpr std::array<std::string_view, 8> kTailedPointFamilies = {
    "IPAGothic",   "IPAゴシック",   "IPAMincho",   "IPA明朝",
    "TakaoGothic", "Takaoゴシック", "TakaoMincho", "Takao明朝",
};

bool SameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

int FirstOf(const std::vector<FaceFacts>& candidates,
            const std::function<bool(const FaceFacts&)>& fits) {
    const auto found = std::find_if(candidates.begin(), candidates.end(), fits);
    return found == candidates.end() ? -1 : static_cast<int>(found - candidates.begin());
}

}  // namespace

bool PointReadsClearly(const FaceFacts& face) {
    return face.drawsNumbers &&
           std::none_of(face.names.begin(), face.names.end(), [](const std::string& name) {
               return std::any_of(
                   kTailedPointFamilies.begin(), kTailedPointFamilies.end(),
                   [&name](std::string_view tailed) { return SameName(name, tailed); });
           });
}

int ChooseGridFace(const std::vector<FaceFacts>& candidates) {
    const std::function<bool(const FaceFacts&)> tiers[] = {
        [](const FaceFacts& face) {
            return PointReadsClearly(face) && face.fixedPitch && !face.writesJapanese;
        },
        [](const FaceFacts& face) { return PointReadsClearly(face) && face.fixedPitch; },
        [](const FaceFacts& face) { return PointReadsClearly(face) && !face.writesJapanese; },
        PointReadsClearly,
        [](const FaceFacts& face) { return face.fixedPitch && face.drawsNumbers; },
    };
    for (const auto& fits : tiers) {
        if (const int chosen = FirstOf(candidates, fits); chosen >= 0) return chosen;
    }
    return -1;
}

int ChooseNumberFace(const std::vector<FaceFacts>& candidates) {
    if (!candidates.empty() && PointReadsClearly(candidates.front())) return 0;
    const int chosen = FirstOf(candidates, [](const FaceFacts& face) {
        return !face.writesJapanese && PointReadsClearly(face);
    });
    return chosen >= 0 ? chosen : FirstOf(candidates, PointReadsClearly);
}
