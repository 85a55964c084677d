#include "settings/execute_parameter.h"

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

// One entry of the settings file: its key as the file spells it, the member that holds it, and
// its default with, for an integer, the values it takes.
struct Setting {
    std::string_view key;
    std::variant<IntegerMember, TextMember> member;
    std::variant<SettingValues, std::string_view, DefaultFolderTag> value;
};

using V = SettingValues;

// The settings in the order of the file. Keys are padded to nine characters, as the file has
// always written them.
const Setting kSettings[] = {
    {"WIDTH    ", &ExecuteParameter::WIDTH, V::Any(600)},
    {"HEIGHT   ", &ExecuteParameter::HEIGHT, V::Any(400)},
    {"LEFT     ", &ExecuteParameter::LEFT, V::Any(0)},
    {"TOP      ", &ExecuteParameter::TOP, V::Any(0)},
    {"RWIDTH   ", &ExecuteParameter::RWIDTH, V::Any(28)},
    {"TOOL     ", &ExecuteParameter::TOOL, V::Flag(1)},
    {"FUNCTION ", &ExecuteParameter::FUNCTION, V::Flag(1)},
    {"STATUS   ", &ExecuteParameter::STATUS, V::Flag(1)},
    {"FLASH    ", &ExecuteParameter::FLASH, V::Flag(1)},
    {"ASK      ", &ExecuteParameter::ASK, V::Flag(1)},
    {"AMODE    ", &ExecuteParameter::AMODE, V::Flag(0)},
    {"CMODE    ", &ExecuteParameter::CMODE, V::Flag(kDefaultCmode)},
    {"VMODE    ", &ExecuteParameter::VMODE, V::Flag(kDefaultVmode)},
    {"RTIME    ", &ExecuteParameter::RTIME, V::Flag(1)},
    {"RKAKKO   ", &ExecuteParameter::RKAKKO, V::Flag(1)},
    {"RSUM     ", &ExecuteParameter::RSUM, V::Flag(1)},
    {"ECELL    ", &ExecuteParameter::ECELL, "A1"},
    {"EOUT     ", &ExecuteParameter::EOUT, V::Range(7, 0, 7)},
    {"COMMA    ", &ExecuteParameter::COMMA, V::OneOf(kDefaultComma, {0, 3, 4})},
    {"HSIZE    ", &ExecuteParameter::HSIZE, V::Range(kDefaultHsize, 1, 16)},
    {"DEGREE   ", &ExecuteParameter::DEGREE, V::Flag(1)},
    {"TRANS    ", &ExecuteParameter::TRANS, V::Range(0, 0, 10)},
    {"TMOST    ", &ExecuteParameter::TMOST, V::Flag(0)},
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
    return std::get<SettingValues>(setting.value).defaultValue;
}

std::string TextDefault(const Setting& setting, const std::string& exePath) {
    if (std::holds_alternative<DefaultFolderTag>(setting.value)) return DefaultFolder(exePath);
    return std::string(std::get<std::string_view>(setting.value));
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

ExecuteParameter::ExecuteParameter(const std::string& dataFolder, StartWrite startWrite)
    : ownsFile_(true) {
    SetLocation(dataFolder, "TSRN.sts");
    // Another instance was reading or writing the file all the while: its settings were not
    // read, so the defaults this run starts with must never be saved over them.
    if (Load() == FileStatus::HeldByAnother) ownsFile_ = false;
    ReadSettings();
    for (const Setting& setting : kSettings)
        settingsAtStart_.push_back(SettingText(*this, setting));
    RecordStart();
    if (startWrite == StartWrite::AtOnce) SaveStart();
}

FileStatus ExecuteParameter::SaveStart() {
    return ownsFile_ ? SaveOwnChanges() : FileStatus::Ok;
}

FileStatus ExecuteParameter::SaveAtEnd() {
    if (!ownsFile_) return FileStatus::Ok;
    RecordQuit();
    return SaveOwnChanges();
}

DisplayModes ExecuteParameter::Modes() const {
    return {CMODE, VMODE, COMMA, ValuesOf(&ExecuteParameter::HSIZE).Within(HSIZE)};
}

const SettingValues& ExecuteParameter::ValuesOf(IntegerMember setting) {
    for (const Setting& row : kSettings) {
        const auto* member = std::get_if<IntegerMember>(&row.member);
        if (member && *member == setting) return std::get<SettingValues>(row.value);
    }
    static const SettingValues unknown;  // every integer member has its row
    return unknown;
}

std::int32_t ExecuteParameter::DefaultOf(IntegerMember setting) {
    return ValuesOf(setting).defaultValue;
}

FileStatus ExecuteParameter::SaveOwnChanges() {
    // Another window on the same data folder may have written the file since this run read it:
    // a setting this run did not change keeps what the file has now.
    return SaveMerged([this](const DatafileAccess& onDisk) {
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
