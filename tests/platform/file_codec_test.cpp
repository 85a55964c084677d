#include "platform/file_codec.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace {

const std::string kBom = "\xEF\xBB\xBF";

struct EncodeCase {
    const char* name;
    std::string text;   // UTF-8
    std::string bytes;  // what the file holds
};

void PrintTo(const EncodeCase& c, std::ostream* os) {
    *os << c.name;
}

class EncodeTest : public testing::TestWithParam<EncodeCase> {};

TEST_P(EncodeTest, EncodesAndReadsBack) {
    const EncodeCase& c = GetParam();
    EXPECT_EQ(EncodeFileText(c.text), c.bytes);
    EXPECT_EQ(DecodeFileText(c.bytes), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Codec, EncodeTest,
    testing::Values(EncodeCase{"Empty", "", ""}, EncodeCase{"Ascii", "WIDTH=600", "WIDTH=600"},
                    EncodeCase{"Hiragana", "あいう", "\x82\xA0\x82\xA2\x82\xA4"},
                    EncodeCase{"Kanji", "円周率=3.14", "\x89\x7E\x8E\xFC\x97\xA6=3.14"},
                    EncodeCase{"CircledDigit", "①", "\x87\x40"},
                    EncodeCase{"FullWidthTilde", "\uFF5E", "\x81\x60"},
                    EncodeCase{"FullWidthMinus", "\uFF0D", "\x81\x7C"},
                    EncodeCase{"BackslashStaysBackslash", "C:\\calc\\", "C:\\calc\\"},
                    EncodeCase{"HalfWidthKatakana", "ｶﾀｶﾅ", "\xB6\xC0\xB6\xC5"},
                    EncodeCase{"WaveDashNeedsUtf8", "A\u301CB", kBom + "A\u301CB"},
                    EncodeCase{"AccentNeedsUtf8", "/home/café", kBom + "/home/café"},
                    EncodeCase{"EmojiNeedsUtf8", "x\U0001F600", kBom + "x\U0001F600"},
                    EncodeCase{"LeadingByteOrderMarkKept", "\uFEFFA", kBom + "\uFEFFA"},
                    EncodeCase{"NulBytes", std::string("A\0B\0", 4), std::string("A\0B\0", 4)},
                    EncodeCase{"NulBesideKanji", std::string("\0円", 4),
                               std::string("\0\x89\x7E", 3)}),
    [](const testing::TestParamInfo<EncodeCase>& info) { return std::string(info.param.name); });

struct DecodeCase {
    const char* name;
    std::string bytes;
    std::string text;
};

void PrintTo(const DecodeCase& c, std::ostream* os) {
    *os << c.name;
}

class DecodeTest : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeTest, Decodes) {
    const DecodeCase& c = GetParam();
    EXPECT_EQ(DecodeFileText(c.bytes), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Codec, DecodeTest,
    testing::Values(DecodeCase{"BomOnly", kBom, ""}, DecodeCase{"BomAscii", kBom + "A=1", "A=1"},
                    // Bytes that are CP932 after the mark are not reinterpreted.
                    DecodeCase{"BomBadUtf8Replaced", kBom + "A\x82\xA0", "A\uFFFD\uFFFD"},
                    DecodeCase{"BomTruncatedSequence", kBom + "\xE3\x81", "\uFFFD\uFFFD"},
                    DecodeCase{"Cp932Yen5C", "\x5C", "\\"},
                    DecodeCase{"Cp932WaveDashByte", "\x81\x60", "\uFF5E"},
                    DecodeCase{"Utf8WithoutBom", "café あ", "café あ"},
                    DecodeCase{"Utf8WithoutBomThatIsAlsoCp932", "\xC3\xA9", "é"},
                    // Ill-formed UTF-8 without the mark is CP932 (here half-width katakana).
                    DecodeCase{"OverlongIsNotUtf8", "\xC0\xAF", "ﾀｯ"},
                    DecodeCase{"BomOverlongReplaced", kBom + "\xC0\xAF", "\uFFFD\uFFFD"},
                    DecodeCase{"BomSurrogateReplaced", kBom + "\xED\xA0\x80", "\uFFFD\uFFFD\uFFFD"},
                    DecodeCase{"BomAboveUnicodeReplaced", kBom + "\xF4\x90\x80\x80",
                               "\uFFFD\uFFFD\uFFFD\uFFFD"},
                    DecodeCase{"InvalidLeadByte",
                               "A\x80"
                               "B",
                               "A\uFFFDB"},
                    DecodeCase{"InvalidLeadBesideKanji", "\x89\x7E\xFD\x89\x7E", "円\uFFFD円"},
                    DecodeCase{"LeadByteAtEnd", "\x89\x7E\x82", "円\uFFFD"},
                    DecodeCase{"LeadByteBeforeBadTrail",
                               "\x82\x0A"
                               "A",
                               "\uFFFD\nA"},
                    DecodeCase{"Utf16LittleEndian", std::string("\xFF\xFE\x41\0\x86\x51", 6),
                               "A円"},
                    DecodeCase{"Utf16BigEndianSurrogatePair",
                               std::string("\xFE\xFF\xD8\x3D\xDE\0", 6), "\U0001F600"}),
    [](const testing::TestParamInfo<DecodeCase>& info) { return std::string(info.param.name); });

TEST(DecodeIfText, TellsTextFromOtherFiles) {
    for (const auto& [bytes, text] : {std::pair{std::string("\x89\x7E=1"), true},
                                      {std::string("\xFF\xFE\x41\0", 4), true},
                                      {std::string("A\0B", 3), false},
                                      {std::string("\xFE\xFF\xDC\x00", 4), false},
                                      {kBom + "\xFF", false},
                                      {kBom + "A", true},
                                      {std::string("\xFD\xA0"), false}}) {
        const std::optional<std::string> decoded = DecodeIfText(bytes);
        EXPECT_EQ(decoded.has_value(), text) << testing::PrintToString(bytes);
        if (decoded) {
            EXPECT_EQ(*decoded, DecodeFileText(bytes));
        }
    }
}

struct SplitCase {
    const char* name;
    std::string text;
    std::vector<std::string> lines;
};

void PrintTo(const SplitCase& c, std::ostream* os) {
    *os << c.name;
}

class SplitTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitTest, Splits) {
    const SplitCase& c = GetParam();
    EXPECT_EQ(SplitLines(c.text), c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Codec, SplitTest,
    testing::Values(SplitCase{"Empty", "", {}}, SplitCase{"OneLineNoEnd", "A", {"A"}},
                    SplitCase{"CrLf", "A\r\nB\r\n", {"A", "B"}},
                    SplitCase{"LoneLf", "A\nB\n", {"A", "B"}},
                    SplitCase{"LoneCr", "A\rB\r", {"A", "B"}},
                    SplitCase{"MixedEnds", "A\r\nB\nC\rD", {"A", "B", "C", "D"}},
                    SplitCase{"LfCrIsTwoEnds", "A\n\rB", {"A", "", "B"}},
                    SplitCase{"EmptyLines", "\r\n\r\n", {"", ""}}, SplitCase{"OnlyCr", "\r", {""}},
                    SplitCase{
                        "NulInsideLine", std::string("A\0B\nC", 5), {std::string("A\0B", 3), "C"}}),
    [](const testing::TestParamInfo<SplitCase>& info) { return std::string(info.param.name); });

TEST(JoinLinesCrLf, EndsEveryLine) {
    EXPECT_EQ(JoinLinesCrLf({}), "");
    EXPECT_EQ(JoinLinesCrLf({""}), "\r\n");
    EXPECT_EQ(JoinLinesCrLf({"A", "B"}), "A\r\nB\r\n");
    EXPECT_EQ(SplitLines(JoinLinesCrLf({"A", "", "B"})), (std::vector<std::string>{"A", "", "B"}));
}

TEST(DecodeFileText, EveryByteValueIsDecodedWithoutLoss) {
    // Any byte string decodes to well-formed UTF-8 that the encoder accepts unchanged.
    std::string bytes;
    for (int i = 0; i < 256; ++i)
        bytes += static_cast<char>(i);
    const std::string text = DecodeFileText(bytes);
    EXPECT_NE(text.find("\uFFFD"), std::string::npos);
    EXPECT_EQ(DecodeFileText(EncodeFileText(text)), text);
}

}  // namespace
