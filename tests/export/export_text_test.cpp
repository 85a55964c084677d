#include "export/export_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sheet/sheet_document.h"
#include "tests/support/test_program_objects.h"

namespace {

// A sheet of 100 labelled lines; line 0 and line 2 hold formulas, line 2 failed.
std::vector<ExportLine> SampleSheet() {
    std::vector<ExportLine> lines(100);
    for (int i = 0; i < 100; ++i)
        lines[i].number = "A" + std::to_string(i);
    lines[0] = {"A0", "3", "1+2"};
    lines[2] = {"A2", "ゼロで除算", "1/0"};
    lines[1].result = "left over";  // a result without a formula is not exported
    return lines;
}

struct ExportCase {
    const char* name;
    int eout;
    std::string text;
};

class ExportTextTest : public testing::TestWithParam<ExportCase> {};

TEST_P(ExportTextTest, Builds) {
    EXPECT_EQ(BuildExportText(SampleSheet(), GetParam().eout), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Export, ExportTextTest,
    testing::Values(ExportCase{"AllFields", 7, "A0\t3\t1+2\r\nA2\tゼロで除算\t1/0\r\n"},
                    ExportCase{"FormulaOnly", 4, "1+2\r\n1/0\r\n"},
                    ExportCase{"ResultAndFormula", 6, "3\t1+2\r\nゼロで除算\t1/0\r\n"},
                    ExportCase{"NumberAndFormula", 5, "A0\t1+2\r\nA2\t1/0\r\n"},
                    ExportCase{"NumberAndResult", 3, "A0\t3\r\nA2\tゼロで除算\r\n"},
                    ExportCase{"NumberOnly", 1, "A0\r\nA2\r\n"},
                    ExportCase{"ResultOnly", 2, "3\r\nゼロで除算\r\n"},
                    ExportCase{"NoField", 0, ""},
                    ExportCase{"HigherBitsIgnored", 8 + 4, "1+2\r\n1/0\r\n"}),
    [](const testing::TestParamInfo<ExportCase>& info) { return std::string(info.param.name); });

TEST(ExportText, SheetWithoutFormulasIsEmpty) {
    std::vector<ExportLine> lines(100);
    for (int i = 0; i < 100; ++i)
        lines[i] = {"A" + std::to_string(i), "0", ""};
    EXPECT_EQ(BuildExportText(lines, 7), "");
}

// A field is preceded by a TAB only when the line so far holds text: a formula of blanks has no
// result, and a missing leading field shifts the next one to the front.
TEST(ExportText, EmptyFieldAddsNoTab) {
    const std::vector<ExportLine> lines{{"A0", "", "  "}, {"", "5", "2+3"}};
    EXPECT_EQ(BuildExportText(lines, 6), "  \r\n5\t2+3\r\n");
    EXPECT_EQ(BuildExportText(lines, 3), "A0\t\r\n5\r\n");
    EXPECT_EQ(BuildExportText(lines, 2), "5\r\n");
}

// The sheet's lines, line 0 first whatever line is current.
TEST(ExportText, ReadsTheSheet) {
    TestProgramObjects objects;
    SheetDocument& sheet = objects.sheet;
    for (int line : {99, 50, 0}) {
        sheet.MoveTo(line);
        sheet.ChangeCurrentFormula(std::to_string(line) + "*2");
    }
    sheet.MoveTo(50);
    EXPECT_EQ(BuildExportText(sheet, 7), "A0\t0\t0*2\r\nA50\t100\t50*2\r\nA99\t198\t99*2\r\n");
    EXPECT_EQ(BuildExportText(sheet, 4), "0*2\r\n50*2\r\n99*2\r\n");
}

// The result field keeps its text in a workbook only in hexadecimal display, wherever EOUT
// puts it.
TEST(ExportText, TextFieldOfExport) {
    struct Row {
        int eout, cmode, vmode, field;
    };
    const Row rows[] = {
        {7, 1, 1, 1},  {6, 1, 1, 0},  {2, 1, 1, 0},  {3, 1, 1, 1},
        {5, 1, 1, -1}, {7, 1, 0, -1}, {7, 0, 1, -1}, {7, 0, 0, -1},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(TextFieldOfExport(r.eout, r.cmode, r.vmode), r.field)
            << r.eout << " " << r.cmode << " " << r.vmode;
    }
}

}  // namespace
