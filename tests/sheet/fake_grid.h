#pragma once
// A grid control and a canvas for tests and benchmarks: the grid keeps its state in plain
// members and raises its events like the desktop grid; the canvas writes every drawing call
// as one readable line ("pen 0xBFA0A0", "line 5,10-20,10", "text 7,3 'A1'").

#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "platform/grid_control.h"
#include "platform/memory_grid.h"

class RecordingCanvas : public Canvas {
public:
    // Every character is charWidth pixels wide and charHeight pixels high.
    int charWidth = 7;
    int charHeight = 14;
    bool recording = true;
    std::vector<std::string> calls;

    void SetFont(const GridFont& font) override {
        if (!recording) return;
        Record("font " + std::to_string(font.pixelHeight) + (font.bold ? " bold" : ""));
    }
    int TextWidth(const std::string& text) override {
        return charWidth * MeasuringCanvas::Characters(text);
    }
    int TextHeight(const std::string&) override { return charHeight; }
    void MoveTo(int x, int y) override {
        penX_ = x;
        penY_ = y;
        if (recording) Record("move " + Point(x, y));
    }
    void LineTo(int x, int y) override {
        if (recording) Record("line " + Point(penX_, penY_) + "-" + Point(x, y));
        penX_ = x;
        penY_ = y;
    }
    void FillRect(const GridRect& r) override {
        if (recording) Record("fill " + Point(r.left, r.top) + "-" + Point(r.right, r.bottom));
    }
    void SetPenColor(PlatformColor color) override {
        if (recording) Record("pen " + Hex(color));
    }
    void SetBrushColor(PlatformColor color) override {
        if (recording) Record("brush " + Hex(color));
    }
    void SetFontColor(PlatformColor color) override {
        if (recording) Record("fontcolor " + Hex(color));
    }
    void TextOut(int x, int y, const std::string& text) override {
        if (recording) Record("text " + Point(x, y) + " '" + text + "'");
    }

    // The recorded lines that begin with prefix, in order.
    std::vector<std::string> Calls(const std::string& prefix) const {
        std::vector<std::string> out;
        for (const std::string& call : calls) {
            if (call.rfind(prefix, 0) == 0) out.push_back(call);
        }
        return out;
    }

    static std::string Hex(PlatformColor color) {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "0x%06X", static_cast<unsigned>(color));
        return buffer;
    }

private:
    int penX_ = 0;
    int penY_ = 0;

    void Record(std::string call) { calls.push_back(std::move(call)); }
    static std::string Point(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }
};

class FakeGrid : public MemoryGrid {
public:
    explicit FakeGrid(int cols = 5, int rows = 5) : MemoryGrid(cols, rows) { UseCanvas(canvas); }

    RecordingCanvas canvas;
};
