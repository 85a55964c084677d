#include "settings/execute_parameter.h"

#include "platform/system_info.h"

ExecuteParameter* executeParameter = nullptr;

namespace {

// The file dialogs start in the program's folder, except for an installed program, whose
// folder is the system's: there they start in the user's home folder.
std::string DefaultFolder(const std::string& exePath) {
    return DataFolderIsExecutableFolder() ? exePath : UserHomeFolder();
}

}  // namespace

ExecuteParameter::ExecuteParameter() : EXEPATH(ExecutableFolder()) {
    PROGRAM = ExecutablePath();
    FOLDER = DefaultFolder(EXEPATH);
}

ExecuteParameter::ExecuteParameter(const std::string& dataFolder) : ownsFile_(true) {
    SetLocation(dataFolder, "TSRN.sts");
    Load();
    // Another instance was reading or writing the file all the while: its settings were not
    // read, so the defaults this run starts with must never be saved over them.
    if (HeldByAnother()) ownsFile_ = false;
    ReadSettings();
    RecordStart();
    if (ownsFile_) Save();
}

ExecuteParameter::~ExecuteParameter() {
    if (!ownsFile_) return;
    RecordQuit();
    Save();
}

void ExecuteParameter::ReadSettings() {
    WIDTH = ReadInteger("WIDTH    ", 600);
    HEIGHT = ReadInteger("HEIGHT   ", 400);
    LEFT = ReadInteger("LEFT     ", 0);
    TOP = ReadInteger("TOP      ", 0);
    RWIDTH = ReadInteger("RWIDTH   ", 28);
    TOOL = ReadInteger("TOOL     ", 1);
    FUNCTION = ReadInteger("FUNCTION ", 1);
    STATUS = ReadInteger("STATUS   ", 1);
    FLASH = ReadInteger("FLASH    ", 1);
    ASK = ReadInteger("ASK      ", 1);
    AMODE = ReadInteger("AMODE    ", 0);
    CMODE = ReadInteger("CMODE    ", 0);
    VMODE = ReadInteger("VMODE    ", 0);
    RTIME = ReadInteger("RTIME    ", 1);
    RKAKKO = ReadInteger("RKAKKO   ", 1);
    RSUM = ReadInteger("RSUM     ", 1);
    ECELL = ReadString("ECELL    ", "A1");
    EOUT = ReadInteger("EOUT     ", 7);
    COMMA = ReadInteger("COMMA    ", 3);
    HSIZE = ReadInteger("HSIZE    ", 8);
    DEGREE = ReadInteger("DEGREE   ", 1);
    TRANS = ReadInteger("TRANS    ", 0);
    TMOST = ReadInteger("TMOST    ", 0);
    EXEPATH = ExecutableFolder();
    // The default looks at the file system: only when the file has no folder.
    FOLDER = HasEntry("FOLDER   ") ? ReadString("FOLDER   ", "") : DefaultFolder(EXEPATH);
}

void ExecuteParameter::RecordStart() {
    COMPUTER = ComputerName();
    OSINFO = OsVersionText();
    USER = UserName();
    PROGRAM = ExecutablePath();
    START = LocalTimeText();
    QUIT.clear();

    // Lines of unknown keys and repeated keys are not carried over.
    ClearEntries();
    WriteString("COMPUTER ", COMPUTER);
    WriteString("OSINFO   ", OSINFO);
    WriteString("USER     ", USER);
    WriteString("PROGRAM  ", PROGRAM);
    WriteString("EXEPATH  ", EXEPATH);
    WriteString("START    ", START);
    WriteString("QUIT     ", QUIT);
    WriteSettings();
}

void ExecuteParameter::RecordQuit() {
    QUIT = LocalTimeText();
    WriteString("QUIT     ", QUIT);
    WriteSettings();
}

void ExecuteParameter::WriteSettings() {
    WriteInteger("WIDTH    ", WIDTH);
    WriteInteger("HEIGHT   ", HEIGHT);
    WriteInteger("LEFT     ", LEFT);
    WriteInteger("TOP      ", TOP);
    WriteInteger("RWIDTH   ", RWIDTH);
    WriteInteger("TOOL     ", TOOL);
    WriteInteger("FUNCTION ", FUNCTION);
    WriteInteger("STATUS   ", STATUS);
    WriteInteger("FLASH    ", FLASH);
    WriteInteger("ASK      ", ASK);
    WriteInteger("AMODE    ", AMODE);
    WriteInteger("CMODE    ", CMODE);
    WriteInteger("VMODE    ", VMODE);
    WriteInteger("RTIME    ", RTIME);
    WriteInteger("RKAKKO   ", RKAKKO);
    WriteInteger("RSUM     ", RSUM);
    WriteString("ECELL    ", ECELL);
    WriteInteger("EOUT     ", EOUT);
    WriteInteger("COMMA    ", COMMA);
    WriteInteger("HSIZE    ", HSIZE);
    WriteInteger("DEGREE   ", DEGREE);
    WriteInteger("TRANS    ", TRANS);
    WriteInteger("TMOST    ", TMOST);
    WriteString("FOLDER   ", FOLDER);
}
