#include "export/excel_control.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "export/cell_reference.h"

namespace {

using Log = std::vector<std::string>;

class RecordingObject;

// Shared by every object of one recording backend: the log, where to fail, and the objects.
struct Backend {
    Log log;
    std::string failAt;     // a logged call that throws instead of answering
    std::string nothingAt;  // a logged call that answers an empty reference
    // The same name always answers the same object, as a spreadsheet's properties do.
    std::map<std::string, AutomationRef> objects;

    AutomationRef Object(const std::string& name);
};

// Stands in for the spreadsheet: logs every call as "object.call" and answers the objects a
// spreadsheet would. "Range" refuses what the spreadsheet refuses.
class RecordingObject : public AutomationObject {
public:
    RecordingObject(Backend& backend, std::string name)
        : backend_(backend), name_(std::move(name)) {}

    AutomationRef GetProperty(const std::string& name) override {
        return Answer(name_ + "." + name, name == "Workbooks"        ? "books"
                                          : name == "ActiveWorkbook" ? "book"
                                          : name == "ActiveSheet"    ? "sheet"
                                                                     : "");
    }
    void SetProperty(const std::string& name, int value) override {
        Record(name_ + "." + name + "=" + std::to_string(value));
    }
    void SetProperty(const std::string& name, const std::string& value) override {
        Record(name_ + "." + name + "=" + value);
    }
    AutomationRef Call(const std::string& name) override {
        return Answer(name_ + "." + name + "()", "");
    }
    AutomationRef Call(const std::string& name, const std::string& argument) override {
        const std::string call = name_ + "." + name + "(" + argument + ")";
        if (name != "Range") return Answer(call, "");
        Record(call);
        ParseCellReference(argument);
        return backend_.Object("range");
    }

private:
    void Record(const std::string& call) {
        backend_.log.push_back(call);
        if (call == backend_.failAt) throw std::runtime_error("refused: " + call);
    }
    AutomationRef Answer(const std::string& call, const std::string& object) {
        Record(call);
        if (object.empty() || call == backend_.nothingAt) return nullptr;
        return backend_.Object(object);
    }

    Backend& backend_;
    std::string name_;
};

AutomationRef Backend::Object(const std::string& name) {
    AutomationRef& object = objects[name];
    if (!object) object = std::make_shared<RecordingObject>(*this, name);
    return object;
}

class ExcelControlTest : public testing::Test {
protected:
    void SetUp() override {
        NewBackend();
        savedFactory_ = SetAutomationFactory([this](const std::string& progId) -> AutomationRef {
            backend_->log.push_back("create " + progId);
            if (progId != "Excel.Application" || backend_->failAt == "create")
                throw std::runtime_error("no such class: " + progId);
            if (backend_->nothingAt == "create") return nullptr;
            application_ = backend_->Object("app");
            return application_;
        });
    }
    void TearDown() override { SetAutomationFactory(savedFactory_); }

    // A fresh recording backend; the earlier ones stay alive as long as the fixture.
    void NewBackend() {
        backends_.push_back(std::make_unique<Backend>());
        backend_ = backends_.back().get();
    }

    std::vector<std::unique_ptr<Backend>> backends_;
    Backend* backend_ = nullptr;
    AutomationRef application_;
    ExcelControl control_{
        [this](const std::string& text) { backend_->log.push_back("clipboard " + text); }};

private:
    AutomationFactory savedFactory_;
};

TEST_F(ExcelControlTest, ExportCallsInOrder) {
    ASSERT_TRUE(ExportToSpreadsheet(control_, "C3", "A0\t3\t1+2\r\n"));
    EXPECT_EQ(backend_->log, (Log{"create Excel.Application", "app.Visible=1", "app.Workbooks",
                                  "books.Add()", "app.ActiveWorkbook", "app.ActiveSheet",
                                  "clipboard A0\t3\t1+2\r\n", "sheet.Range(C3)", "range.Select()",
                                  "sheet.Paste()", "sheet.Range(C3)", "range.Select()"}));
    EXPECT_EQ(control_.application, application_);
    ASSERT_NE(control_.workbooks, nullptr);
    EXPECT_EQ(control_.workbooks, application_->GetProperty("Workbooks"));
    EXPECT_EQ(control_.workbook, application_->GetProperty("ActiveWorkbook"));
    EXPECT_EQ(control_.sheet, application_->GetProperty("ActiveSheet"));
    EXPECT_EQ(control_.range, control_.sheet->Call("Range", "A1"));
}

TEST_F(ExcelControlTest, NextExportReplacesTheReferences) {
    ASSERT_TRUE(ExportToSpreadsheet(control_, "A1", "x\r\n"));
    const AutomationRef first = control_.application;
    NewBackend();
    ASSERT_TRUE(ExportToSpreadsheet(control_, "B2", "y\r\n"));
    EXPECT_NE(control_.application, first);
    EXPECT_EQ(control_.application, application_);
    EXPECT_EQ(control_.sheet, application_->GetProperty("ActiveSheet"));
}

struct StartFailure {
    const char* name;
    std::string failAt;
    std::string nothingAt;
};

class StartExcelFailureTest : public ExcelControlTest,
                              public testing::WithParamInterface<StartFailure> {};

// Whatever fails while starting, the export ends with 0 before the clipboard is touched.
TEST_P(StartExcelFailureTest, GivesZero) {
    backend_->failAt = GetParam().failAt;
    backend_->nothingAt = GetParam().nothingAt;
    EXPECT_EQ(control_.StartExcel(1), 0);
    EXPECT_FALSE(ExportToSpreadsheet(control_, "A1", "1\r\n"));
    for (const std::string& call : backend_->log) {
        EXPECT_EQ(call.find("clipboard"), std::string::npos) << call;
        EXPECT_EQ(call.find("Add"), std::string::npos) << call;
    }
}

INSTANTIATE_TEST_SUITE_P(Export, StartExcelFailureTest,
                         testing::Values(StartFailure{"CreationThrows", "create", ""},
                                         StartFailure{"CreationAnswersNothing", "", "create"},
                                         StartFailure{"VisibleRefused", "app.Visible=1", ""},
                                         StartFailure{"WorkbooksRefused", "app.Workbooks", ""},
                                         StartFailure{"NoWorkbooks", "", "app.Workbooks"}),
                         [](const testing::TestParamInfo<StartFailure>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(ExcelControlTest, NoBackendGivesZero) {
    SetAutomationFactory({});
    EXPECT_FALSE(ExportToSpreadsheet(control_, "A1", "1\r\n"));
    EXPECT_TRUE(backend_->log.empty());
}

// The spreadsheet refuses the cell after the text went to the clipboard; the error's text
// reaches the caller and nothing is pasted.
TEST_F(ExcelControlTest, RefusedCellPropagates) {
    try {
        ExportToSpreadsheet(control_, "XFE1", "1\r\n");
        FAIL() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what()), "セル参照が不正です: XFE1");
    }
    EXPECT_EQ(backend_->log, (Log{"create Excel.Application", "app.Visible=1", "app.Workbooks",
                                  "books.Add()", "app.ActiveWorkbook", "app.ActiveSheet",
                                  "clipboard 1\r\n", "sheet.Range(XFE1)"}));
}

TEST_F(ExcelControlTest, LaterFailuresPropagate) {
    for (const std::string failAt : {"books.Add()", "sheet.Paste()", "range.Select()"}) {
        NewBackend();
        backend_->failAt = failAt;
        EXPECT_THROW(ExportToSpreadsheet(control_, "A1", "1\r\n"), std::runtime_error) << failAt;
        EXPECT_EQ(backend_->log.back(), failAt);
    }
    NewBackend();
    backend_->nothingAt = "app.ActiveSheet";
    EXPECT_THROW(ExportToSpreadsheet(control_, "A1", "1\r\n"), std::runtime_error);
}

}  // namespace
