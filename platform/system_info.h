#pragma once
// What the system says about this run: names, version, the executable, the local time.

#include <string>

std::string ComputerName();           // gethostname; empty when unavailable
std::string UserName();               // passwd entry of the effective user; empty when unavailable
std::string OsVersionText();          // "MJ:%d MI:%d BN:%d PD:%d OT:%s" from uname and os-release
const std::string& ExecutablePath();  // /proc/self/exe
const std::string& ExecutableFolder();  // its folder, ending in "/"
std::string LocalTimeText();            // now, "yyyy/mm/dd hh:mm:ss"

// What decides where the settings and constant files live.
struct DataFolderFacts {
    std::string dataDirVariable;   // $TESSARIN_DATA_DIR, empty when not set
    std::string executableFolder;  // ending in "/"
    bool helpInSharedFolder;       // the help document is in the installed data folder
    bool executableFolderWritable;
    std::string configHomeVariable;  // $XDG_CONFIG_HOME, empty when not set
    std::string home;
};

// The folder of the settings and constant files, ending in "/": $TESSARIN_DATA_DIR when set;
// else, for a portable copy or a build tree, the executable's folder when it can be written; an
// installed program (its help document in the installed data folder, or itself in a system
// folder) never writes beside itself, whoever runs it. Otherwise $XDG_CONFIG_HOME/tessarin/
// (default ~/.config/tessarin/).
std::string ChooseDataFolder(const DataFolderFacts& facts);

// The data folder of this run (see ChooseDataFolder). With create, the folder is made when
// missing.
std::string DataFolder(bool create = true);
// True when the data folder is the executable's own folder (a portable copy).
bool DataFolderIsExecutableFolder();

// The version text from a kernel release ("6.1.0-18-amd64": MJ 6, MI 1, BN 0) and the text of
// /etc/os-release (OT its PRETTY_NAME, unquoted; empty when absent); PD is always 0.
std::string FormatOsVersion(const std::string& kernelRelease, const std::string& osRelease);
// The help document TSRN.HLP: beside the program (a build tree or a portable copy) when it is
// there, else in the installed data folder reached by sharedDataFolder relative to the program's
// folder (for example "../share/tessarin/"); the place beside the program when neither has it.
std::string HelpDocumentPath(const std::string& programFolder, const std::string& sharedDataFolder);

// The user's home folder, ending in "/".
std::string UserHomeFolder();
