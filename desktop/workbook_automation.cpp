#include "desktop/workbook_automation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <map>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "desktop/workbook_folder.h"
#include "desktop/xlsx_library.h"
#include "export/automation.h"
#include "export/cell_reference.h"
#include "export/pasted_text.h"

namespace {

constexpr std::size_t kCellTextLimit = 32767;  // bytes a worksheet cell's text may hold

const char* const kXlsxMimeType =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet";

[[noreturn]] void Fail(const std::string& text) {
    throw std::runtime_error(text);
}

[[noreturn]] void UnknownMember(const std::string& object, const std::string& name) {
    Fail(object + " に " + name + " がありません。");
}

// The absolute path of an executable program, searched on the PATH unless it names a path.
QString Executable(const QString& program) {
    if (program.contains('/')) {
        const QFileInfo info(program);
        return info.isFile() && info.isExecutable() ? info.absoluteFilePath() : QString();
    }
    return QStandardPaths::findExecutable(program);
}

// True when xdg-mime names a desktop program for .xlsx files.
bool DesktopHasSpreadsheetProgram() {
    const QString xdgMime = Executable("xdg-mime");
    if (xdgMime.isEmpty()) return false;
    QProcess query;
    query.start(xdgMime, {"query", "default", kXlsxMimeType});
    if (!query.waitForFinished(5000)) {
        query.kill();
        query.waitForFinished(1000);
        return false;
    }
    return query.exitStatus() == QProcess::NormalExit && query.exitCode() == 0 &&
           !query.readAllStandardOutput().trimmed().isEmpty();
}

// Text a cell can hold: cut at the cell limit, on a character boundary.
std::string CellText(const std::string& field) {
    if (field.size() <= kCellTextLimit) return field;
    std::size_t end = kCellTextLimit;
    while (end > 0 && (static_cast<unsigned char>(field[end]) & 0xC0) == 0x80)
        --end;
    return field.substr(0, end);
}

// Closes the workbook when a write fails before the normal close.
struct WorkbookCloser {
    const XlsxLibrary* xlsx;
    void operator()(lxw_workbook* workbook) const { xlsx->workbook_close(workbook); }
};

struct Application;

class Worksheet : public AutomationObject, public std::enable_shared_from_this<Worksheet> {
public:
    explicit Worksheet(std::weak_ptr<Application> application)
        : application_(std::move(application)) {}

    AutomationRef GetProperty(const std::string& name) override {
        UnknownMember("Worksheet", name);
    }
    void SetProperty(const std::string& name, int) override { UnknownMember("Worksheet", name); }
    void SetProperty(const std::string& name, const std::string&) override {
        UnknownMember("Worksheet", name);
    }
    AutomationRef Call(const std::string& name) override { UnknownMember("Worksheet", name); }
    AutomationRef Call(const std::string& name, const std::string& argument) override;
    AutomationRef Paste(std::span<const PastedRow> rows) override;

    // Makes cell the selected cell; the first selection after a paste shows the workbook.
    void Select(const CellReference& cell);

private:
    // Writes the workbook as a new file in the workbook folder and returns its path.
    QString Write() const;

    std::weak_ptr<Application> application_;
    std::map<std::pair<int, int>, PastedCell> cells_;  // by (row, column)
    CellReference selected_;
    bool pasted_ = false;
};

class Range : public AutomationObject {
public:
    Range(std::shared_ptr<Worksheet> sheet, CellReference cell)
        : sheet_(std::move(sheet)), cell_(cell) {}

    AutomationRef GetProperty(const std::string& name) override { UnknownMember("Range", name); }
    void SetProperty(const std::string& name, int) override { UnknownMember("Range", name); }
    // The rows arrive typed, a field meant as text already a text: the format is not kept.
    void SetProperty(const std::string& name, const std::string&) override {
        if (name != "NumberFormat") UnknownMember("Range", name);
    }
    AutomationRef Call(const std::string& name) override {
        if (name != "Select") UnknownMember("Range", name);
        sheet_->Select(cell_);
        return nullptr;
    }
    AutomationRef Call(const std::string& name, const std::string&) override {
        UnknownMember("Range", name);
    }

private:
    std::shared_ptr<Worksheet> sheet_;
    CellReference cell_;
};

class Workbook : public AutomationObject {
public:
    explicit Workbook(std::weak_ptr<Application> application)
        : sheet(std::make_shared<Worksheet>(std::move(application))) {}

    AutomationRef GetProperty(const std::string& name) override {
        if (name != "ActiveSheet") UnknownMember("Workbook", name);
        return sheet;
    }
    void SetProperty(const std::string& name, int) override { UnknownMember("Workbook", name); }
    void SetProperty(const std::string& name, const std::string&) override {
        UnknownMember("Workbook", name);
    }
    AutomationRef Call(const std::string& name) override { UnknownMember("Workbook", name); }
    AutomationRef Call(const std::string& name, const std::string&) override {
        UnknownMember("Workbook", name);
    }

    const std::shared_ptr<Worksheet> sheet;
};

// The state of one started spreadsheet program, shared by its objects.
struct Application {
    QStringList command;
    int visible = 0;
    std::vector<std::shared_ptr<Workbook>> workbooks;
};

class WorkbooksObject : public AutomationObject {
public:
    explicit WorkbooksObject(std::shared_ptr<Application> application)
        : application_(std::move(application)) {}

    AutomationRef GetProperty(const std::string& name) override {
        UnknownMember("Workbooks", name);
    }
    void SetProperty(const std::string& name, int) override { UnknownMember("Workbooks", name); }
    void SetProperty(const std::string& name, const std::string&) override {
        UnknownMember("Workbooks", name);
    }
    AutomationRef Call(const std::string& name) override {
        if (name != "Add") UnknownMember("Workbooks", name);
        application_->workbooks.push_back(std::make_shared<Workbook>(application_));
        return application_->workbooks.back();
    }
    AutomationRef Call(const std::string& name, const std::string&) override {
        UnknownMember("Workbooks", name);
    }

private:
    std::shared_ptr<Application> application_;
};

class ApplicationObject : public AutomationObject {
public:
    explicit ApplicationObject(QStringList command)
        : application_(std::make_shared<Application>()),
          workbooks_(std::make_shared<WorkbooksObject>(application_)) {
        application_->command = std::move(command);
    }

    AutomationRef GetProperty(const std::string& name) override {
        if (name == "Workbooks") return workbooks_;
        if (name == "ActiveWorkbook") return ActiveWorkbook();
        if (name == "ActiveSheet") return ActiveWorkbook()->sheet;
        UnknownMember("Excel.Application", name);
    }
    void SetProperty(const std::string& name, int value) override {
        if (name != "Visible") UnknownMember("Excel.Application", name);
        application_->visible = value;
    }
    void SetProperty(const std::string& name, const std::string&) override {
        UnknownMember("Excel.Application", name);
    }
    AutomationRef Call(const std::string& name) override {
        UnknownMember("Excel.Application", name);
    }
    AutomationRef Call(const std::string& name, const std::string&) override {
        UnknownMember("Excel.Application", name);
    }

private:
    std::shared_ptr<Workbook> ActiveWorkbook() const {
        if (application_->workbooks.empty()) Fail("ブックがありません。");
        return application_->workbooks.back();
    }

    std::shared_ptr<Application> application_;
    std::shared_ptr<WorkbooksObject> workbooks_;
};

AutomationRef Worksheet::Call(const std::string& name, const std::string& argument) {
    if (name != "Range") UnknownMember("Worksheet", name);
    return std::make_shared<Range>(shared_from_this(), ParseCellReference(argument));
}

// From the selected cell, one row per row, one column per field; an empty text empties its
// cell. A text is never taken as a formula.
AutomationRef Worksheet::Paste(std::span<const PastedRow> rows) {
    std::size_t width = 0;
    for (const PastedRow& row : rows)
        width = std::max(width, row.size());
    if (selected_.row + rows.size() > static_cast<std::size_t>(kWorksheetRows) ||
        selected_.column + width > static_cast<std::size_t>(kWorksheetColumns)) {
        Fail("貼り付ける範囲がワークシートに収まりません。");
    }
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            const std::pair<int, int> key{selected_.row + static_cast<int>(r),
                                          selected_.column + static_cast<int>(c)};
            const PastedCell& cell = rows[r][c];
            if (const auto* text = std::get_if<std::string>(&cell); text && text->empty()) {
                cells_.erase(key);
            } else if (text) {
                cells_[key] = CellText(*text);
            } else {
                cells_[key] = cell;
            }
        }
    }
    pasted_ = true;
    return nullptr;
}

void Worksheet::Select(const CellReference& cell) {
    selected_ = cell;
    if (!pasted_) return;
    pasted_ = false;
    const std::shared_ptr<Application> application = application_.lock();
    if (!application || application->visible == 0) return;
    const QString path = Write();
    QStringList arguments = application->command.mid(1);
    arguments << path;
    if (!QProcess::startDetached(application->command.front(), arguments)) {
        Fail("表計算ソフトを起動できません: " + application->command.front().toStdString());
    }
}

QString Worksheet::Write() const {
    const QString folder = QFile::decodeName(PrepareWorkbookFolder().c_str());
    QTemporaryFile file(folder + "/" + kWorkbookPrefix + "XXXXXX" + kWorkbookSuffix);
    file.setAutoRemove(false);
    if (!file.open()) Fail("ブックを書き込めません: " + folder.toStdString());
    const QString path = file.fileName();
    file.close();

    const std::string pathBytes = QFile::encodeName(path).toStdString();
    std::string tempFolder = QFile::encodeName(folder).toStdString();
    const XlsxLibrary* xlsx = LoadXlsxLibrary();
    lxw_workbook_options options{};
    options.tmpdir = tempFolder.data();
    std::unique_ptr<lxw_workbook, WorkbookCloser> workbook(
        xlsx ? xlsx->workbook_new_opt(pathBytes.c_str(), &options) : nullptr, WorkbookCloser{xlsx});
    lxw_worksheet* sheet =
        workbook ? xlsx->workbook_add_worksheet(workbook.get(), nullptr) : nullptr;
    bool written = sheet != nullptr;
    for (const auto& [key, value] : cells_) {
        if (!written) break;
        const auto row = static_cast<lxw_row_t>(key.first);
        const auto column = static_cast<lxw_col_t>(key.second);
        const lxw_error error =
            std::holds_alternative<double>(value)
                ? xlsx->worksheet_write_number(sheet, row, column, std::get<double>(value), nullptr)
                : xlsx->worksheet_write_string(sheet, row, column,
                                               std::get<std::string>(value).c_str(), nullptr);
        written = error == LXW_NO_ERROR;
    }
    if (written) {
        xlsx->worksheet_set_selection(
            sheet, static_cast<lxw_row_t>(selected_.row), static_cast<lxw_col_t>(selected_.column),
            static_cast<lxw_row_t>(selected_.row), static_cast<lxw_col_t>(selected_.column));
        written = xlsx->workbook_close(workbook.release()) == LXW_NO_ERROR;
    }
    if (!written) {
        workbook.reset();
        QFile::remove(path);
        Fail("ブックを書き込めません: " + path.toStdString());
    }
    return path;
}

}  // namespace

std::optional<QStringList> FindSpreadsheetCommand() {
    const QString chosen = qEnvironmentVariable("TESSARIN_SPREADSHEET").trimmed();
    if (!chosen.isEmpty()) {
        QStringList command = QProcess::splitCommand(chosen);
        if (command.isEmpty()) return std::nullopt;
        command.front() = Executable(command.front());
        if (command.front().isEmpty()) return std::nullopt;
        return command;
    }
    for (const char* office : {"soffice", "libreoffice"}) {
        const QString program = Executable(office);
        if (!program.isEmpty()) return QStringList{program, "--calc"};
    }
    const QString xdgOpen = Executable("xdg-open");
    if (!xdgOpen.isEmpty() && DesktopHasSpreadsheetProgram()) return QStringList{xdgOpen};
    return std::nullopt;
}

void InstallWorkbookAutomation() {
    SetAutomationFactory([](const std::string& progId) -> AutomationRef {
        if (progId != "Excel.Application") Fail("オブジェクトを作成できません: " + progId);
        std::optional<QStringList> command = FindSpreadsheetCommand();
        if (!command) Fail("表計算ソフトが見つかりません。");
        return std::make_shared<ApplicationObject>(std::move(*command));
    });
}
