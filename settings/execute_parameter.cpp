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

ExecuteParameter::~ExecuteParameter() {}
