#include "platform/text_contrast.h"

#include <gtest/gtest.h>

namespace {

TEST(TextContrast, RatioByTheWcagFormula) {
    struct Row {
        const char* name;
        PlatformColor a, b;
        double ratio;
    };
    const Row rows[] = {
        {"black on white", 0x000000, 0xFFFFFF, 21.0},
        {"same colour", 0x313131, 0x313131, 1.0},
        {"order does not matter", 0xFFFFFF, 0x000000, 21.0},
        {"white on the selection colour", 0xFFFFFF, 0xFFFFC0, 1.11},
        {"mid grey on white", 0x777777, 0xFFFFFF, 4.48},
        {"amber on the result panel", 0x00CEFF, 0x313131, 8.72},
    };
    for (const Row& r : rows)
        EXPECT_NEAR(ContrastRatio(r.a, r.b), r.ratio, 0.01) << r.name;
}

TEST(TextContrast, TextColourOnAFixedBackgroundReads) {
    struct Row {
        const char* name;
        PlatformColor background, desired, chosen;
    };
    const Row rows[] = {
        {"desktop text on the selection colour", 0xFFFFC0, kWindowTextColor, 0x000000},
        {"desktop text on the mark colour", 0xFFE0E0, kWindowTextColor, 0x000000},
        {"desktop text on the result panel", 0x313131, kWindowTextColor, 0xFFFFFF},
        {"amber on the result panel stays", 0x313131, 0x00CEFF, 0x00CEFF},
        {"grey too faint on white", 0xFFFFFF, 0x777777, 0x000000},
        {"dark blue on white stays", 0xFFFFFF, 0x800000, 0x800000},
        {"desktop colours go together", kWindowColor, kWindowTextColor, kWindowTextColor},
        {"fixed colour on a desktop background", kButtonFaceColor, 0x00CEFF, 0x00CEFF},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(ReadableTextColor(r.background, r.desired), r.chosen) << r.name;
        if (!IsSystemColor(r.background)) {
            EXPECT_GE(ContrastRatio(r.background, r.chosen), kReadableContrast) << r.name;
        }
    }
}

}  // namespace
