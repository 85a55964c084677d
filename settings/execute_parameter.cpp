#include "settings/execute_parameter.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "platform/system_info.h"
#include "settings/display_modes.h"

namespace {

using IntegerMember = std::int32_t ExecuteParameter::*;
using TextMember = std::string ExecuteParameter::*;

// The default of FOLDER, which depends on where the program is installed.
struct DefaultFolderTag {};

// One entry of the settings file: its key as the file spells it, the member that holds it and
// its default.
struct Setting {
    std::string_view key;
    std::variant<IntegerMember, TextMember> member;
    std::variant<std::int32_t, std::string_view, DefaultFolderTag> defaultValue;
};

// The settings in the order of the file. Keys are padded to nine characters, as the file has
// always written them.
const Setting kSettings[] = {
    {"WIDTH    ", &ExecuteParameter::WIDTH, 600},
    {"HEIGHT   ", &ExecuteParameter::HEIGHT, 400},
    {"LEFT     ", &ExecuteParameter::LEFT, 0},
    {"TOP      ", &ExecuteParameter::TOP, 0},
    {"RWIDTH   ", &ExecuteParameter::RWIDTH, 28},
    {"TOOL     ", &ExecuteParameter::TOOL, 1},
    {"FUNCTION ", &ExecuteParameter::FUNCTION, 1},
    {"STATUS   ", &ExecuteParameter::STATUS, 1},
    {"FLASH    ", &ExecuteParameter::FLASH, 1},
    {"ASK      ", &ExecuteParameter::ASK, 1},
    {"AMODE    ", &ExecuteParameter::AMODE, 0},
    {"CMODE    ", &ExecuteParameter::CMODE, 0},
    {"VMODE    ", &ExecuteParameter::VMODE, 0},
    {"RTIME    ", &ExecuteParameter::RTIME, 1},
    {"RKAKKO   ", &ExecuteParameter::RKAKKO, 1},
    {"RSUM     ", &ExecuteParameter::RSUM, 1},
    {"ECELL    ", &ExecuteParameter::ECELL, "A1"},
    {"EOUT     ", &ExecuteParameter::EOUT, 7},
    {"COMMA    ", &ExecuteParameter::COMMA, 3},
    {"HSIZE    ", &ExecuteParameter::HSIZE, 8},
    {"DEGREE   ", &ExecuteParameter::DEGREE, 1},
    {"TRANS    ", &ExecuteParameter::TRANS, 0},
    {"TMOST    ", &ExecuteParameter::TMOST, 0},
    {"FOLDER   ", &ExecuteParameter::FOLDER, DefaultFolderTag{}},
};

constexpr std::string_view kQuitKey = "QUIT     ";

// The run record, written at the top of the file and never read back.
struct RunEntry {
    std::string_view key;
    TextMember member;
};

const RunEntry kRunRecord[] = {
    {"COMPUTER ", &ExecuteParameter::COMPUTER}, {"OSINFO   ", &ExecuteParameter::OSINFO},
    {"USER     ", &ExecuteParameter::USER},     {"PROGRAM  ", &ExecuteParameter::PROGRAM},
    {"EXEPATH  ", &ExecuteParameter::EXEPATH},  {"START    ", &ExecuteParameter::START},
    {kQuitKey, &ExecuteParameter::QUIT},
};

// The file dialogs start in the program's folder, except for an installed program, whose
// folder is the system's: there they start in the user's home folder.
std::string DefaultFolder(const std::string& exePath) {
    return DataFolderIsExecutableFolder() ? exePath : UserHomeFolder();
}

std::int32_t IntegerDefault(const Setting& setting) {
    return std::get<std::int32_t>(setting.defaultValue);
}

std::string TextDefault(const Setting& setting, const std::string& exePath) {
    if (std::holds_alternative<DefaultFolderTag>(setting.defaultValue)) {
        return DefaultFolder(exePath);
    }
    return std::string(std::get<std::string_view>(setting.defaultValue));
}

// A setting's value as the file writes it.
std::string SettingText(const ExecuteParameter& record, const Setting& setting) {
    if (const auto* integer = std::get_if<IntegerMember>(&setting.member)) {
        return std::to_string(record.**integer);
    }
    return record.*std::get<TextMember>(setting.member);
}

// A setting's value as a file gives it (the default where the entry is missing or no integer),
// as the file writes it.
std::string SettingTextIn(const DatafileAccess& file, const Setting& setting,
                          const std::string& exePath) {
    if (std::holds_alternative<IntegerMember>(setting.member)) {
        return std::to_string(file.ReadInteger(setting.key, IntegerDefault(setting)));
    }
    const std::optional<std::string_view> value = file.Entry(setting.key);
    return value ? std::string(*value) : TextDefault(setting, exePath);
}

}  // namespace

ExecuteParameter::ExecuteParameter() : EXEPATH(ExecutableFolder()) {
    PROGRAM = ExecutablePath();
    for (const Setting& setting : kSettings) {
        if (const auto* integer = std::get_if<IntegerMember>(&setting.member)) {
            this->** integer = IntegerDefault(setting);
        } else {
            this->*std::get<TextMember>(setting.member) = TextDefault(setting, EXEPATH);
        }
    }
}

ExecuteParameter::ExecuteParameter(const std::string& dataFolder) : ownsFile_(true) {
    SetLocation(dataFolder, "TSRN.sts");
    // Another instance was reading or writing the file all the while: its settings were not
    // read, so the defaults this run starts with must never be saved over them.
    if (Load() == FileStatus::HeldByAnother) ownsFile_ = false;
    ReadSettings();
    for (const Setting& setting : kSettings)
        settingsAtStart_.push_back(SettingText(*this, setting));
    RecordStart();
    if (ownsFile_) SaveOwnChanges();
}

ExecuteParameter::~ExecuteParameter() {
    if (!ownsFile_) return;
    RecordQuit();
    SaveOwnChanges();
}

DisplayModes ExecuteParameter::Modes() const {
    return {CMODE, VMODE, COMMA, std::clamp(HSIZE, 1, 16)};
}

std::int32_t ExecuteParameter::DefaultOf(IntegerMember setting) {
    for (const Setting& row : kSettings) {
        const auto* member = std::get_if<IntegerMember>(&row.member);
        if (member && *member == setting) return IntegerDefault(row);
    }
    return 0;  // every integer member has its row
}

void ExecuteParameter::SaveOwnChanges() {
    // Another window on the same data folder may have written the file since this run read it:
    // a setting this run did not change keeps what the file has now.
    SaveMerged([this](const DatafileAccess& onDisk) {
        std::vector<std::pair<std::string_view, std::string>> entries;
        entries.reserve(std::size(kRunRecord) + std::size(kSettings));
        // The run record as this run wrote it, whatever its members hold by now.
        for (const RunEntry& entry : kRunRecord)
            entries.emplace_back(entry.key, ReadString(entry.key, ""));
        for (std::size_t i = 0; i < std::size(kSettings); ++i) {
            std::string text = SettingText(*this, kSettings[i]);
            if (text == settingsAtStart_[i]) text = SettingTextIn(onDisk, kSettings[i], EXEPATH);
            entries.emplace_back(kSettings[i].key, std::move(text));
        }
        SetEntries(entries);
    });
}

void ExecuteParameter::RecordStart() {
    COMPUTER = ComputerName();
    OSINFO = OsVersionText();
    USER = UserName();
    PROGRAM = ExecutablePath();
    START = LocalTimeText();
    QUIT.clear();

    // Lines of unknown keys and repeated keys are not carried over: the entries become the run
    // record and the settings in their fixed order.
    std::vector<std::pair<std::string_view, std::string>> entries;
    entries.reserve(std::size(kRunRecord) + std::size(kSettings));
    for (const RunEntry& entry : kRunRecord)
        entries.emplace_back(entry.key, this->*entry.member);
    for (const Setting& setting : kSettings)
        entries.emplace_back(setting.key, SettingText(*this, setting));
    SetEntries(entries);
}

void ExecuteParameter::RecordQuit() {
    QUIT = LocalTimeText();
    // The run record stays as the start wrote it.
    WriteString(kQuitKey, QUIT);
    for (const Setting& setting : kSettings)
        WriteString(setting.key, SettingText(*this, setting));
}

void ExecuteParameter::ReadSettings() {
    EXEPATH = ExecutableFolder();
    for (const Setting& setting : kSettings) {
        if (const auto* integer = std::get_if<IntegerMember>(&setting.member)) {
            this->** integer = ReadInteger(setting.key, IntegerDefault(setting));
        } else {
            // A default may look at the file system: only when the file has no entry.
            const std::optional<std::string_view> value = Entry(setting.key);
            this->*std::get<TextMember>(setting.member) =
                value ? std::string(*value) : TextDefault(setting, EXEPATH);
        }
    }
}
