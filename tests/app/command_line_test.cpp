// The command-line mode, run as the real program in a child process.

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "sheet/formula_file.h"
#include "tests/support/file_bytes.h"

namespace fs = std::filesystem;

namespace {

struct Outcome {
    std::string out;
    std::string errors;
    int status = -1;
};

std::string Quote(const std::string& arg) {
    std::string quoted = "'";
    for (char c : arg)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

class CommandLineTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Parametrised tests have a "/" in their names: the folder must stay one folder.
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        for (char& c : name) {
            if (c == '/') c = '_';
        }
        root_ = fs::temp_directory_path() / (Prefix() + name);
        fs::remove_all(root_);
        fs::create_directories(root_);
        data_ = root_ / "data";  // never created by the command line
    }
    void TearDown() override {
        fs::remove_all(root_);
        for (const fs::directory_entry& entry : fs::directory_iterator(fs::temp_directory_path()))
            EXPECT_NE(entry.path().filename().string().rfind(Prefix(), 0), 0u) << entry.path();
    }

    static std::string Prefix() { return "tessarin-cli-" + std::to_string(::getpid()) + "-"; }

    // Runs the program with the given arguments, its data folder pointed at data_ and standard
    // input from the shell text input (a redirection or a pipe into the program), if any.
    Outcome Run(const std::string& args, const std::string& input = "< /dev/null",
                const std::string& before = "") {
        const fs::path errors = root_ / "stderr.txt";
        const std::string command = before + "TESSARIN_DATA_DIR=" + Quote(data_.string()) +
                                    " LC_ALL= LC_MESSAGES= " + locale_ + " " +
                                    Quote(TESSARIN_BINARY) + " " + args + " " + input + " 2>" +
                                    Quote(errors.string());
        Outcome run;
        FILE* pipe = popen(command.c_str(), "r");
        char buffer[4096];
        size_t n;
        while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
            run.out.append(buffer, n);
        const int status = pclose(pipe);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.errors = ReadBytes(errors);
        return run;
    }

    // Runs the program with standard input holding input.
    Outcome Eval(const std::string& args, const std::string& input = "") {
        const fs::path inputFile = root_ / "stdin.txt";
        std::ofstream(inputFile, std::ios::binary) << input;
        return Run(args, "< " + Quote(inputFile.string()));
    }

    // The locale variables of the run, after LC_ALL and LC_MESSAGES are emptied.
    std::string locale_ = "LANG=ja_JP.UTF-8";
    fs::path root_, data_;
};

struct EvalCase {
    const char* name;
    const char* args;
    const char* out;
    int status;
};

const EvalCase kEvalCases[] = {
    {"LeftAssociativePower", "--constants /dev/null --eval '2^3^2'", "64\n", 0},
    {"BadTangent", "--eval 'TAN(90)'", "TANの引数が不正\n", 1},
    {"DefaultConstants", "--eval 'PI*2'", "6.28318530717\n", 0},
    {"DefaultsWhenTheFileGivenIsEmpty", "--constants /dev/null --eval PI", "3.14159265358\n", 0},
    {"Grouping", "--eval 1234567.891", "1,234,567.891\n", 0},
    {"NoGrouping", "--comma 0 --eval 1234567.891", "1234567.891\n", 0},
    {"GroupsOfFour", "--comma 4 --eval 123456789", "1,2345,6789\n", 0},
    {"Integer", "--integer --eval 7/2", "4\n", 0},
    {"HexImpliesInteger", "--hex --eval 255", "000000FF\n", 0},
    {"HexDigits", "--hex --hsize 4 --eval -1", "FFFF\n", 0},
    {"Radians", "--radians --eval 'SIN(PI/2)'", "1\n", 0},
    {"Degrees", "--eval 'sin( 30 )'", "0.5\n", 0},
    {"EmptySheetHasNoLines", "--eval A0+1", "? A0\n", 1},
    {"EmptyFormula", "--eval ''", "\n", 0},
    {"ZeroDivide", "--eval 1/0", "ゼロで除算\n", 1},
    {"FullWidthFoldsAsTheInputLine", "--eval '１＋２'", "3\n", 0},
    {"SubnormalLiteral", "--eval 3.3E-4932", "アンダーフロー\n", 1},
    {"LiteralBelowEverySubnormal", "--eval '1E-4960*0'", "アンダーフロー\n", 1},
};

class CommandLineEvalTest : public CommandLineTest,
                            public ::testing::WithParamInterface<EvalCase> {};

TEST_P(CommandLineEvalTest, PrintsResultOrError) {
    const EvalCase& c = GetParam();
    const Outcome run = Eval(c.args);
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(run.status, c.status);
    EXPECT_FALSE(fs::exists(data_)) << "the command line must not write files";
}

INSTANTIATE_TEST_SUITE_P(Cases, CommandLineEvalTest, ::testing::ValuesIn(kEvalCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CommandLineTest, StandardInputGivesOneLinePerFormulaEachOnItsOwnSheet) {
    const Outcome run = Eval("--eval -", "1+2\r\n\nA0\n2*3\n");
    EXPECT_EQ(run.out, "3\n\n? A0\n6\n");
    EXPECT_EQ(run.status, 1);
}

TEST_F(CommandLineTest, StandardInputThatCannotBeReadIsAnError) {
    for (const char* args : {"--eval -", "--sheet -"}) {
        const Outcome run = Run(args, "< " + Quote(root_.string()));  // a folder
        EXPECT_EQ(run.status, 1) << args;
        EXPECT_NE(run.errors.find("ファイルが読み込めません。"), std::string::npos) << args;
    }
}

TEST_F(CommandLineTest, EndlessSheetOnStandardInputStopsAtTheLimit) {
    const Outcome run = Run("--sheet -", "", "head -c 300000000 /dev/zero | ");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.errors.find("256 MB"), std::string::npos) << run.errors;
}

TEST_F(CommandLineTest, RunningOutOfMemoryEndsWithAMessage) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer's shadow memory needs more than the limit";
#endif
    const Outcome run = Run("--sheet -", "", "ulimit -v 200000; head -c 150000000 /dev/zero | ");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.errors.find("メモリが足りません。"), std::string::npos) << run.errors;
}

TEST_F(CommandLineTest, StandardInputLongerThanOneReadWithoutAFinalLineEnd) {
    std::string input, expected;
    for (int i = 0; i < 30000; ++i) {
        input += "1+2\n";
        expected += "3\n";
    }
    const Outcome run = Eval("--eval -", input + "2*3");
    EXPECT_EQ(run.out, expected + "6\n");
    EXPECT_EQ(run.status, 0);
}

// A program that talks to the command line through pipes: it writes one formula and waits
// for its answer before it writes the next.
TEST_F(CommandLineTest, AnswersEachFormulaBeforeTheNextIsWritten) {
    int toChild[2], fromChild[2];
    ASSERT_EQ(pipe(toChild), 0);
    ASSERT_EQ(pipe(fromChild), 0);
    const std::string dataDir = "TESSARIN_DATA_DIR=" + data_.string();
    char* const environment[] = {const_cast<char*>(dataDir.c_str()), nullptr};
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        dup2(toChild[0], STDIN_FILENO);
        dup2(fromChild[1], STDOUT_FILENO);
        for (int fd : {toChild[0], toChild[1], fromChild[0], fromChild[1]})
            close(fd);
        execle(TESSARIN_BINARY, TESSARIN_BINARY, "--eval", "-", static_cast<char*>(nullptr),
               environment);
        _exit(127);
    }
    close(toChild[0]);
    close(fromChild[1]);
    // One answer line; empty when none comes within a generous wait (the child keeps
    // waiting for input, so a missing answer would otherwise hang the test).
    const auto answer = [&] {
        std::string line;
        char c;
        pollfd ready{fromChild[0], POLLIN, 0};
        while (poll(&ready, 1, 20000) == 1 && read(fromChild[0], &c, 1) == 1) {
            line += c;
            if (c == '\n') break;
        }
        return line;
    };
    for (const auto& [formula, result] :
         {std::pair{"1+2\n", "3\n"}, {"A0*2\n", "? A0\n"}, {"2^10\n", "1,024\n"}}) {
        ASSERT_EQ(write(toChild[1], formula, std::strlen(formula)),
                  static_cast<ssize_t>(std::strlen(formula)));
        const std::string line = answer();
        EXPECT_EQ(line, result) << formula;
        if (line != result) {
            kill(child, SIGKILL);
            break;
        }
    }
    close(toChild[1]);
    EXPECT_EQ(answer(), "");  // the end of its input ends the program
    close(fromChild[0]);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1);
}

TEST_F(CommandLineTest, UsesTheUsersConstantFileWithoutRewritingIt) {
    fs::create_directories(data_);
    const std::string constants = "K=1,000\r\nTWOPI=2*PI\r\nPI=3.14\r\n";
    std::ofstream(data_ / "constant.clc", std::ios::binary) << constants;
    EXPECT_EQ(Eval("--eval K+1").out, "1,001\n");
    EXPECT_EQ(Eval("--eval TWOPI").out, "6.28\n");
    EXPECT_EQ(ReadBytes(data_ / "constant.clc"), constants);
    EXPECT_EQ(std::distance(fs::directory_iterator(data_), fs::directory_iterator()), 1);
}

TEST_F(CommandLineTest, WrongArgumentsPrintUsageWithStatusTwo) {
    for (const char* args : {"--bogus", "--eval", "--comma 2 --eval 1", "--hsize 17 --eval 1",
                             "--eval 1 --sheet x.tsf", "--integer", "''", "-"}) {
        const Outcome run = Eval(args);
        EXPECT_EQ(run.status, 2) << args;
        EXPECT_EQ(run.out, "") << args;
    }
}

TEST_F(CommandLineTest, HelpAndVersion) {
    EXPECT_NE(Eval("--help").out.find("--eval"), std::string::npos);
    EXPECT_EQ(Eval("--version").out, "Tessarin 1.25\n");
}

TEST_F(CommandLineTest, ManualPagesNameEveryOptionOfHelp) {
    const std::string help = Eval("--help").out;
    // Every "--" followed by lower-case letters.
    std::vector<std::string> options;
    for (std::size_t at = help.find("--"); at != std::string::npos; at = help.find("--", at + 2)) {
        std::size_t end = at + 2;
        while (end < help.size() && help[end] >= 'a' && help[end] <= 'z')
            ++end;
        if (end > at + 2) options.push_back(help.substr(at, end - at));
    }
    ASSERT_GE(options.size(), 10u) << help;
    for (const char* page : {"/resources/man/tessarin.1", "/resources/man/ja/tessarin.1"}) {
        std::ifstream in(std::string(TESSARIN_SOURCE_DIR) + page);
        std::stringstream text;
        text << in.rdbuf();
        // The page writes each hyphen of an option as "\-".
        std::string source = text.str();
        for (std::size_t at = source.find("\\-"); at != std::string::npos;
             at = source.find("\\-", at))
            source.erase(at, 1);
        for (const std::string& name : options) {
            const bool listed = source.find(".B " + name) != std::string::npos ||
                                source.find(".BI " + name) != std::string::npos;
            EXPECT_TRUE(listed) << page << " lacks " << name;
        }
    }
}

TEST_F(CommandLineTest, SheetIsRecalculatedOnceInRingOrderFromItsCurrentLine) {
    // Line 5 is current: 5 (=1) first, then 6..99, then 0..4. Line 3 reads line 4 before line 4
    // has its value, so it stays empty after the one pass; line 4 reads line 5.
    const fs::path file = root_ / "ring.tsf";
    std::ofstream(file, std::ios::binary) << "050003081\r\n3=A4\r\n4=A5\r\n5=1\r\n";
    const Outcome run = Eval("--sheet " + file.string());
    EXPECT_EQ(run.out, "A3\t? A4\tA4\nA4\t1\tA5\nA5\t1\t1\n");
    EXPECT_EQ(run.status, 0);
}

TEST_F(CommandLineTest, SheetModesComeFromTheFileUnlessGiven) {
    const fs::path file = root_ / "hex.tsf";
    std::ofstream(file, std::ios::binary) << "000113041\r\n0=255\r\n";
    EXPECT_EQ(Eval("--sheet " + file.string()).out, "A0\t00FF\t255\n");
    EXPECT_EQ(Eval("--hsize 2 --sheet " + file.string()).out, "A0\tFF\t255\n");
}

TEST_F(CommandLineTest, SheetWrittenByTheProgramsOwnWriter) {
    FormulaFileContent content;
    content.currentLine = 2;
    content.settings = {0, 0, 0, 3, 8, 1};
    content.formulas[0] = "1000*3";
    content.formulas[1] = "A0/4";
    content.formulas[2] = "金額";  // not a name the evaluator knows: kept, and reported
    const fs::path file = root_ / "written.tsf";
    ASSERT_EQ(WriteFormulaFile(file.string(), content), FileStatus::Ok);
    EXPECT_EQ(Eval("--sheet " + file.string()).out,
              "A0\t3,000\t1000*3\nA1\t750\tA0/4\nA2\t? 金額\t金額\n");
}

TEST_F(CommandLineTest, SheetFromStandardInput) {
    EXPECT_EQ(Eval("--sheet -", "000003081\n0=SIN(30)\n").out, "A0\t0.5\tSIN(30)\n");
}

TEST_F(CommandLineTest, SheetWithALineIndexOutsideTheSheetLoadsWithANotice) {
    const fs::path file = root_ / "index.tsf";
    std::ofstream(file, std::ios::binary) << "-10003081\r\n0=1+2\r\n1=A0*2\r\n";
    const Outcome run = Eval("--sheet " + file.string());
    EXPECT_EQ(run.out, "A0\t3\t1+2\nA1\t6\tA0*2\n");
    EXPECT_EQ(run.errors, file.string() + "\nファイルが読み込めません。\n");
    EXPECT_EQ(run.status, 0);
}

// Lines the sheet cannot hold (a formula where the header belongs, lines past A99) are left
// out, and said so; the rest is printed.
TEST_F(CommandLineTest, SheetWithLinesLeftOutSaysHowMany) {
    const fs::path file = root_ / "noheader.tsf";
    std::ofstream(file, std::ios::binary) << "0=1+2\r\n1=A0*2\r\n100=3\r\n";
    const Outcome run = Eval("--sheet " + file.string());
    EXPECT_EQ(run.out, "A1\t? A0\tA0*2\n");
    EXPECT_EQ(run.errors,
              file.string() +
                  "\nシートに入らない 2 行（A99 より後の行、見出し行の代わりの式）は読み込"
                  "みませんでした。\n");
    EXPECT_EQ(run.status, 0);
}

// A formula file refused says why, after the notice the window shows.
TEST_F(CommandLineTest, RefusedSheetSaysWhy) {
    std::ofstream(root_ / "image.tsf") << std::string("000003081\r\n0=1\0", 15);
    std::ofstream(root_ / "disk.tsf");
    fs::resize_file(root_ / "disk.tsf", (std::uintmax_t{256} << 20) + 1);
    for (const auto& [file, reason] : {std::pair{"image.tsf", "テキストファイルではありません"},
                                       {"disk.tsf", "256 MB を超えています"},
                                       {"none.tsf", std::strerror(ENOENT)}}) {
        const std::string path = (root_ / file).string();
        const Outcome run = Eval("--sheet " + path);
        EXPECT_EQ(run.errors, path + "\nファイルが読み込めません。\n" + reason + "\n") << file;
        EXPECT_EQ(run.status, 1) << file;
    }
}

// A name in another encoding (CP932 from a Windows archive) is a name like any other.
TEST_F(CommandLineTest, SheetWhoseNameIsNotUtf8Opens) {
    const fs::path file = root_ / "\x8C\x76\x8E\x5A.tsf";  // 計算 in CP932
    std::ofstream(file, std::ios::binary) << "000003081\r\n0=6*7\r\n";
    EXPECT_EQ(Eval("--sheet " + Quote(file.string())).out, "A0\t42\t6*7\n");
}

TEST_F(CommandLineTest, OutputThatCannotBeWrittenIsAnError) {
    std::ofstream(root_ / "in.txt") << "000003081\n0=1\n" + std::string(200000, '\n');
    const std::string input = "< " + Quote((root_ / "in.txt").string());
    for (const auto& [args, redirection, error] :
         {std::tuple{"--eval 1+1", "> /dev/full", ENOSPC},
          {"--sheet -", "> /dev/full", ENOSPC},
          {"--help", "> /dev/full", ENOSPC},
          {"--version", ">&-", EBADF},
          {"--eval -", "> /dev/full", ENOSPC}}) {  // full part-way: 200,000 answers
        const Outcome run = Run(args, input + " " + redirection);
        EXPECT_EQ(run.status, 1) << args;
        EXPECT_EQ(run.errors,
                  "tessarin: 標準出力に書き込めません: " + std::string(std::strerror(error)) + "\n")
            << args;
    }
}

// With SIGPIPE ignored, a reader that went away shows as a failed write: reading stops there
// instead of evaluating an endless input forever. The timeout only bounds a failing run.
TEST_F(CommandLineTest, ReaderGoneWithSigpipeIgnoredEndsTheRun) {
    const fs::path status = root_ / "status.txt";
    const Outcome run =
        Run("--eval -", "2>/dev/null; echo $? >" + Quote(status.string()) + "; } | head -n 1",
            "trap '' PIPE; yes 1+1 2>/dev/null | { timeout 60 env ");
    EXPECT_EQ(run.out, "2\n");
    EXPECT_EQ(ReadBytes(status), "1\n");
}

TEST_F(CommandLineTest, OwnTextsFollowTheLocale) {
    for (const auto& [locale, args, redirection, start] :
         {std::tuple{"LANG=C", "--help", "", "usage: tessarin"},
          {"LANG=de_DE.UTF-8 LC_MESSAGES=ja_JP.UTF-8", "--help", "", "使い方: tessarin"},
          {"LANG=C", "--eval 1/0", "", "ゼロで除算\n"},  // results stay as they are
          {"LANG=C", "--eval 1", "> /dev/full", "tessarin: cannot write to standard output: "}}) {
        locale_ = locale;
        const Outcome run = Run(args, std::string("< /dev/null ") + redirection);
        EXPECT_TRUE((run.out + run.errors).starts_with(start)) << locale << " " << args;
    }
}

// Missing, a folder, not text: an error. Empty and UTF-16 files are read.
TEST_F(CommandLineTest, ConstantFileGivenMustBeReadable) {
    std::ofstream(root_ / "image.clc") << std::string("K=1\0\x89PNG", 8);
    std::ofstream(root_ / "empty.clc");
    std::ofstream(root_ / "notepad.clc") << std::string("\xFF\xFEP\0I\0=\0005\0", 10);
    for (const auto& [file, out, status] : {std::tuple{"none.clc", "", 1},
                                            {".", "", 1},
                                            {"image.clc", "", 1},
                                            {"empty.clc", "9.42477796076\n", 0},
                                            {"notepad.clc", "15\n", 0}}) {
        const Outcome run = Eval("--constants " + (root_ / file).string() + " --eval PI*3");
        EXPECT_EQ(run.out, out) << file;
        EXPECT_EQ(run.status, status) << file << run.errors;
    }
}

TEST_F(CommandLineTest, SheetFileThatIsNotTextFails) {
    std::ofstream(root_ / "image.tsf") << std::string("000003081\r\n0=1\0", 15);
    const std::string image = (root_ / "image.tsf").string();
    for (const auto& [args, input] :
         {std::pair{"--sheet " + image, std::string("< /dev/null")}, {"--sheet -", "< " + image}}) {
        const Outcome run = Run(args, input);
        EXPECT_EQ(run.out, "") << args;
        EXPECT_EQ(run.status, 1) << args;
    }
}

TEST_F(CommandLineTest, UnreadableSheetFails) {
    const Outcome run = Eval("--sheet " + (root_ / "missing.tsf").string());
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.status, 1);
}

}  // namespace
