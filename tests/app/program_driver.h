#pragma once
// Runs the whole windowed program in this process and drives it from inside its message loop, and
// reads the files a run leaves behind. Include in one file per test program.

#include <QApplication>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/window/program.h"
#include "tests/ui/main_window_parts.h"
#include "ui/tfmmain.h"

// What the next run of the program does once its main window is shown and set up; it ends the
// run by closing the window.
inline std::function<void()> drive;

// The run's window of type T; null when it has none.
template <typename T>
T* RunWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<T*>(widget)) return window;
    }
    return nullptr;
}

inline TFMmain* MainWindow() {
    return RunWindow<TFMmain>();
}

// Runs the drive, then ends the run if the drive left the window open (a failed check returns
// from the drive early), so that a failure never leaves the test waiting.
inline void DriveWhenShown() {
    TFMmain* window = MainWindow();
    if (!window || !window->isVisible()) {
        QTimer::singleShot(10, DriveWhenShown);
        return;
    }
    if (drive) drive();
    if (window->isVisible()) window->CloseWithoutQuestion();
}

inline void OnApplicationStart() {
    QTimer::singleShot(0, DriveWhenShown);
}

Q_COREAPP_STARTUP_FUNCTION(OnApplicationStart)

inline char programName[] = "tessarin";

// A run with no argument, or with a formula file named on its command line.
inline int Run(std::string file = std::string()) {
    char* argv[] = {programName, file.data(), nullptr};
    return RunProgram(file.empty() ? 1 : 2, argv);
}

inline std::vector<std::string> Lines(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// The value of "KEY      =value" in the settings lines.
inline std::string Setting(const std::vector<std::string>& lines, const std::string& key) {
    for (const std::string& line : lines) {
        const auto equals = line.find('=');
        if (equals == std::string::npos) continue;
        std::string name = line.substr(0, equals);
        while (!name.empty() && name.back() == ' ')
            name.pop_back();
        if (name == key) return line.substr(equals + 1);
    }
    return "(missing)";
}
