#pragma once
// Start-up and shutdown of the windowed program: the program-wide objects, the application
// object and its windows, and the message loop.

#include <QApplication>
#include <QString>
#include <exception>
#include <functional>
#include <memory>
#include <string>

class CalcExpression;
class ExcelControl;
class ExecuteParameter;
class ExtendStringGrid;
class SheetDocument;

// The objects that live for the whole run, created in this order: the settings record (reads
// the settings file), the evaluator (reads the constant file), the sheet, the spreadsheet
// automation and the grid object. They are destroyed in the reverse order. The windows receive
// what they use of them.
class ProgramObjects {
public:
    // dataFolder holds the settings and constant files and ends in "/".
    explicit ProgramObjects(const std::string& dataFolder);
    ~ProgramObjects();
    ProgramObjects(const ProgramObjects&) = delete;
    ProgramObjects& operator=(const ProgramObjects&) = delete;

    // At the end of the run, after the windows: writes the constant file and then the settings
    // file; unwritten is told the path of each that could not be written.
    void SaveAtEnd(const std::function<void(const std::string& path)>& unwritten);

    ExecuteParameter& Settings() { return *settings_; }
    CalcExpression& Calculator() { return *calculator_; }
    SheetDocument& Sheet() { return *sheet_; }
    ExcelControl& Excel() { return *excel_; }
    ExtendStringGrid& SheetGrid() { return *grid_; }

private:
    std::unique_ptr<ExecuteParameter> settings_;
    std::unique_ptr<CalcExpression> calculator_;
    std::unique_ptr<SheetDocument> sheet_;
    std::unique_ptr<ExcelControl> excel_;
    std::unique_ptr<ExtendStringGrid> grid_;
};

// The application object, titled "Tessarin". An exception that escapes an event handler is
// shown in a message box and the program goes on.
class TessarinApplication : public QApplication {
public:
    TessarinApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// The text an exception shows: what() of a standard exception, empty for any other.
QString ExceptionText(const std::exception_ptr& exception);
// Shows the exception in the exception box (an error notice).
void ShowException(const std::exception_ptr& exception);

// Runs the windowed program: objects, application, windows, message loop; returns the exit
// status. A single argument (after Qt's own options) names a formula file to open.
int RunProgram(int argc, char** argv);
