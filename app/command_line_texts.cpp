#include "app/command_line_texts.h"

#include <cstdlib>
#include <string_view>

namespace {

const CommandLineTexts kJapanese{
    "使い方: tessarin [FILE.tsf]            ウィンドウを開く (式ファイルを開く)\n"
    "        tessarin [MODES] --eval FORMULA  FORMULA の結果を表示 ('-': 標準入力から 1 行に 1 "
    "式)\n"
    "        tessarin [MODES] --sheet FILE    式ファイルを計算し直して各行を表示 ('-': 標準入力)\n"
    "        tessarin --help | --version\n"
    "MODES:  --integer  --hex  --radians  --comma N (0, 3, 4)  --hsize N (1..16)\n"
    "        --constants FILE  (ユーザーの定数ファイルの代わり)\n",
    "標準出力に書き込めません",
    "標準入力",
    "ファイルが読み込めません。",
    "%zu MB を超えています",
    "シートに入らない %d 行（A99 より後の行、見出し行の代わりの式）は読み込みませんでした。",
    "定数ファイルが読み込めません",
    "テキストファイルではありません",
    "メモリが足りません。",
};

const CommandLineTexts kEnglish{
    "usage: tessarin [FILE.tsf]            start the window (and open the formula file)\n"
    "       tessarin [MODES] --eval FORMULA  print the result of FORMULA ('-': one per line "
    "from standard input)\n"
    "       tessarin [MODES] --sheet FILE    recalculate a formula file ('-': standard input) "
    "and print its lines\n"
    "       tessarin --help | --version\n"
    "modes: --integer  --hex  --radians  --comma N (0, 3 or 4)  --hsize N (1..16)\n"
    "       --constants FILE  (instead of the user's constant file)\n",
    "cannot write to standard output",
    "standard input",
    "The file cannot be read.",
    "larger than %zu MB",
    "%d line(s) the sheet cannot hold (past A99, or a formula in place of the header) were left "
    "out.",
    "cannot read the constant file",
    "not a text file",
    "out of memory.",
};

// True when the locale that names the language of messages (LC_ALL, else LC_MESSAGES, else
// LANG, the first one set and not empty) is Japanese ("ja", "ja_JP.UTF-8", ...).
bool JapaneseMessages(const char* lcAll, const char* lcMessages, const char* lang) {
    for (const char* value : {lcAll, lcMessages, lang}) {
        if (value != nullptr && *value != '\0') return std::string_view(value).starts_with("ja");
    }
    return false;
}

}  // namespace

const CommandLineTexts& Texts() {
    static const bool japanese =
        JapaneseMessages(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
    return japanese ? kJapanese : kEnglish;
}
