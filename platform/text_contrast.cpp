#include "platform/text_contrast.h"

#include <cmath>

namespace {

constexpr PlatformColor kBlack = 0x000000;
constexpr PlatformColor kWhite = 0xFFFFFF;

double Linear(unsigned channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double RelativeLuminance(PlatformColor rgb) {
    return 0.2126 * Linear(rgb & 0xFFu) + 0.7152 * Linear((rgb >> 8) & 0xFFu) +
           0.0722 * Linear((rgb >> 16) & 0xFFu);
}

}  // namespace

double ContrastRatio(PlatformColor rgb1, PlatformColor rgb2) {
    const double l1 = RelativeLuminance(rgb1);
    const double l2 = RelativeLuminance(rgb2);
    return (std::fmax(l1, l2) + 0.05) / (std::fmin(l1, l2) + 0.05);
}

PlatformColor ReadableTextColor(PlatformColor background, PlatformColor desired) {
    if (IsSystemColor(background)) return desired;
    if (!IsSystemColor(desired) && ContrastRatio(background, desired) >= kReadableContrast) {
        return desired;
    }
    return ContrastRatio(background, kBlack) >= ContrastRatio(background, kWhite) ? kBlack : kWhite;
}
