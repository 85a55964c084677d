#pragma once
// What the sheet needs of the window that shows it.

#include <string>

class SheetWindow {
public:
    virtual ~SheetWindow() = default;
    // Hands the current line's result text, or a failure, to the digit display.
    virtual void ShowDigits(const std::string& text, bool failed) = 0;
    // Refreshes sum, average and count in the status bar.
    virtual void UpdateStatusBar() = 0;
    // Sets the input line's text as the program does; its change handling then runs.
    virtual void SetInputText(const std::string& text) = 0;
    // Brings the window in line with the settings, recalculating all lines when asked.
    virtual void RefreshWindow(bool recalculate) = 0;
};
