#pragma once
// Late-bound automation in the spreadsheet's own names ("Excel.Application", "Visible",
// "Workbooks", "Add", "ActiveWorkbook", "ActiveSheet", "Range", "Select", "Paste",
// "NumberFormat"). A backend
// installs the factory that creates its objects; every failure throws std::runtime_error with a
// readable text.

#include <functional>
#include <memory>
#include <span>
#include <string>

#include "export/pasted_text.h"

class AutomationObject {
public:
    virtual ~AutomationObject() = default;
    virtual std::shared_ptr<AutomationObject> GetProperty(const std::string& name) = 0;
    virtual void SetProperty(const std::string& name, int value) = 0;
    virtual void SetProperty(const std::string& name, const std::string& value) = 0;
    // A method, or a property that takes an argument ("Range"); the result may be empty.
    virtual std::shared_ptr<AutomationObject> Call(const std::string& name) = 0;
    virtual std::shared_ptr<AutomationObject> Call(const std::string& name,
                                                   const std::string& argument) = 0;
    // "Paste" of a block that the caller also put on the clipboard as text. A backend that can
    // take the typed rows overrides this and needs no clipboard round trip; the spreadsheet
    // program itself pastes the clipboard.
    virtual std::shared_ptr<AutomationObject> Paste(std::span<const PastedRow> rows) {
        static_cast<void>(rows);
        return Call("Paste");
    }
};

using AutomationRef = std::shared_ptr<AutomationObject>;
using AutomationFactory = std::function<AutomationRef(const std::string& progId)>;

// Creates a new object of the class progId through the installed factory; throws when no
// factory is installed or the factory fails. Never returns an empty reference.
AutomationRef CreateAutomationObject(const std::string& progId);

// Installs the factory (an empty one removes it) and returns the one it replaces.
AutomationFactory SetAutomationFactory(AutomationFactory factory);
