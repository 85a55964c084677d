#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "platform/file_codec.h"

namespace {

const std::string kBom = "\xEF\xBB\xBF";

struct AmbiguousCase {
    const char* name;
    std::string text;  // UTF-8
};

void PrintTo(const AmbiguousCase& c, std::ostream* os) {
    *os << c.name;
}

class AmbiguousBytesTest : public testing::TestWithParam<AmbiguousCase> {};

// Half-width katakana whose CP932 bytes happen to be well-formed UTF-8 ("ﾃｩ" is C3 A9, which
// is "é"): the reader takes such bytes as UTF-8, so the writer must mark the file as UTF-8.
TEST_P(AmbiguousBytesTest, ReadsBackUnchanged) {
    const std::string& text = GetParam().text;
    const std::string bytes = EncodeFileText(text);
    EXPECT_EQ(bytes, kBom + text);
    EXPECT_EQ(DecodeFileText(bytes), text);
}

INSTANTIATE_TEST_SUITE_P(Codec, AmbiguousBytesTest,
                         testing::Values(AmbiguousCase{"TwoKatakana", "ﾃｩ"},
                                         AmbiguousCase{"InFormulaLine", "41=\x03ﾂｴ"},
                                         AmbiguousCase{"ConstantName", "ﾃｩ=1"},
                                         AmbiguousCase{"KanjiAndKatakana", "燿ｱ"}),  // E0 A0 B1
                         [](const testing::TestParamInfo<AmbiguousCase>& info) {
                             return info.param.name;
                         });

// Katakana that do not form UTF-8 stay in CP932, as before.
TEST(AmbiguousBytesTest, KatakanaThatIsNoUtf8StaysCp932) {
    EXPECT_EQ(EncodeFileText("ﾃｽﾄ"), "\xC3\xBD\xC4");
    EXPECT_EQ(DecodeFileText("\xC3\xBD\xC4"), "ﾃｽﾄ");
}

}  // namespace
