#include "platform/face_choice.h"

#include <gtest/gtest.h>

namespace {

FaceFacts Fixed(std::vector<std::string> names, bool japanese = false) {
    return {std::move(names), true, japanese, true};
}

FaceFacts Proportional(std::vector<std::string> names, bool japanese = false) {
    return {std::move(names), false, japanese, true};
}

const FaceFacts kIpaGothic = Fixed({"IPAGothic", "IPAゴシック"}, true);
const FaceFacts kIpaPGothic = Proportional({"IPAPGothic", "IPA Pゴシック"}, true);
const FaceFacts kIpaMincho = Fixed({"IPAMincho", "IPA明朝"}, true);
const FaceFacts kIpaPMincho = Proportional({"IPAPMincho"}, true);
const FaceFacts kDejaVuMono = Fixed({"DejaVu Sans Mono"});
const FaceFacts kDejaVuSans = Proportional({"DejaVu Sans"});
const FaceFacts kDejaVuSerif = Proportional({"DejaVu Serif"});
const FaceFacts kNotoSans = Proportional({"Noto Sans"});
const FaceFacts kNotoSansCjk = Proportional({"Noto Sans CJK JP"}, true);
// fontconfig gives this face no spacing: its symbols are of many widths.
const FaceFacts kNotoMonoCjk = Proportional({"Noto Sans Mono CJK JP"}, true);
// Fixed-pitch by fontconfig, but without digits.
const FaceFacts kSignWriting = {{"Noto Sans SignWriting"}, true, false, false};

// The candidates are fontconfig's answers on the common Japanese desktops' font sets, under a
// Japanese locale; the first is what it answers for the font asked for.
TEST(FaceChoice, NumbersGetAFaceWhosePointReadsAsOne) {
    struct Row {
        const char* name;
        bool grid;  // the grid's face, else a text's
        std::vector<FaceFacts> candidates;
        int chosen;
    };
    const Row rows[] = {
        {"grid, IPA beside DejaVu", true, {kIpaGothic, kDejaVuMono, kIpaPGothic}, 1},
        {"grid, IPA beside Noto", true, {kIpaGothic, kSignWriting, kNotoMonoCjk, kNotoSans}, 3},
        {"grid, a fixed-pitch Japanese face", true, {kNotoSans, Fixed({"VL Gothic"}, true)}, 1},
        {"grid, IPA only", true, {kIpaGothic, kIpaPGothic, kIpaMincho, kIpaPMincho}, 1},
        {"grid, DejaVu only", true, {kDejaVuMono, kDejaVuSans}, 0},
        {"grid, a proportional desktop font", true, {kDejaVuSans, kDejaVuMono}, 1},
        {"grid, no face reads clearly", true, {kSignWriting, kIpaGothic, kIpaMincho}, 1},
        {"grid, nothing installed", true, {}, -1},
        {"text, IPA beside Noto", false, {kIpaGothic, kNotoSans, kNotoSansCjk, kIpaPGothic}, 1},
        {"text, a Mincho memo", false, {kIpaMincho, kDejaVuSerif, kIpaGothic}, 1},
        {"text, IPA only", false, {kIpaGothic, kIpaPGothic, kIpaMincho, kIpaPMincho}, 1},
        {"text, its own face reads clearly", false, {kNotoSansCjk, kNotoSans}, 0},
        {"text, no face reads clearly", false, {kIpaGothic, kIpaMincho}, -1},
    };
    for (const Row& row : rows) {
        const int chosen =
            row.grid ? ChooseGridFace(row.candidates) : ChooseNumberFace(row.candidates);
        EXPECT_EQ(chosen, row.chosen) << row.name;
    }
}

}  // namespace
