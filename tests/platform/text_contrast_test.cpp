#include "platform/text_contrast.h"

#include <gtest/gtest.h>

namespace {

TEST(TextContrast, TextColourOnAFixedBackgroundReads) {
    EXPECT_NEAR(ContrastRatio(0x000000, 0xFFFFFF), 21.0, 0.01);
    EXPECT_NEAR(ContrastRatio(0x777777, 0xFFFFFF), 4.48, 0.01);  // just below what reads
    struct Row {
        const char* name;
        PlatformColor background, desired, chosen;
    };
    const Row rows[] = {
        {"desktop text on the selection colour", 0xFFFFC0, kWindowTextColor, 0x000000},
        {"desktop text on the result panel", 0x313131, kWindowTextColor, 0xFFFFFF},
        {"amber on the result panel stays", 0x313131, 0x00CEFF, 0x00CEFF},
        {"grey too faint on white", 0xFFFFFF, 0x777777, 0x000000},
        {"desktop colours go together", kWindowColor, kWindowTextColor, kWindowTextColor},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(ReadableTextColor(r.background, r.desired), r.chosen) << r.name;
        if (!IsSystemColor(r.background)) {
            EXPECT_GE(ContrastRatio(r.background, r.chosen), kReadableContrast) << r.name;
        }
    }
}

}  // namespace
