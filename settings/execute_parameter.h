#pragma once
// The one settings record of the program, kept in the settings file "TSRN.sts", and the record
// of the current run (computer, system, user, program, start and end time).

#include <cstdint>
#include <string>
#include <vector>

#include "settings/datafile_access.h"
#include "settings/setting_values.h"

struct DisplayModes;

class ExecuteParameter : public DatafileAccess {
public:
    // Every setting at its default; reads and writes no file (command line, tests).
    ExecuteParameter();
    // When the file constructor writes the run record of this start onto the file.
    enum class StartWrite { AtOnce, OnSaveStart };
    // Reads "TSRN.sts" in dataFolder (ending in "/"), fills every setting, records the run and
    // writes the file back, at once or on SaveStart. When another instance held the file so that
    // it could not be read, this run never writes it.
    explicit ExecuteParameter(const std::string& dataFolder,
                              StartWrite startWrite = StartWrite::AtOnce);
    ExecuteParameter(const ExecuteParameter&) = delete;
    ExecuteParameter& operator=(const ExecuteParameter&) = delete;

    // Writes the run record of this start onto the file, for a record made with OnSaveStart (the
    // window writes it once it is shown, so that the disk does not hold up its first frame).
    FileStatus SaveStart();
    // At the end of the run: writes QUIT and the settings this run changed onto the file; the
    // others keep what the file has then (another instance may have changed them). Ok without
    // writing for a record without a file or one another instance held at the start.
    FileStatus SaveAtEnd();

    // The steps of a start and an end on the entries in memory; the file constructor and
    // SaveAtEnd add the reading and writing. Every setting from the entries, its default where
    // an entry is missing or no integer:
    void ReadSettings();
    // The run record of this start, and the entries rewritten as exactly the record and the
    // settings in their fixed order:
    void RecordStart();
    // The end time and the final settings into the entries:
    void RecordQuit();

    // The four display settings, as the formatting takes them. A hand-edited HSIZE outside
    // 1..16 is shown as the nearest of them: more digits than the display has would show zeros.
    DisplayModes Modes() const;

    // The default of an integer setting and the values it takes, as its row of the settings
    // table gives them.
    static const SettingValues& ValuesOf(std::int32_t ExecuteParameter::*setting);
    static std::int32_t DefaultOf(std::int32_t ExecuteParameter::*setting);

    // Run record.
    std::string COMPUTER, OSINFO, USER, PROGRAM, EXEPATH, START, QUIT;

    // Settings, in the order of the file; their keys and defaults are in the table of
    // execute_parameter.cpp, which both constructors apply.
    std::int32_t WIDTH, HEIGHT, LEFT, TOP, RWIDTH;
    std::int32_t TOOL, FUNCTION, STATUS, FLASH, ASK;
    std::int32_t AMODE, CMODE, VMODE, RTIME, RKAKKO, RSUM;
    std::string ECELL;
    std::int32_t EOUT, COMMA, HSIZE, DEGREE, TRANS, TMOST;
    std::string FOLDER;

private:
    // Writes this run's record, the settings it changed since its start, and every other
    // setting as the file has it now.
    FileStatus SaveOwnChanges();

    bool ownsFile_ = false;
    std::vector<std::string> settingsAtStart_;  // as the file gave them, in the file's order
};
