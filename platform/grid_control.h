#pragma once
// What the program needs of a string grid control and its drawing surface. The grid object and
// the sheet are written against these interfaces; the desktop provides them with Qt, tests
// with fakes.

#include <cstdint>
#include <functional>
#include <string>

#include "platform/virtual_key.h"

// A platform colour: RGB as 0x00BBGGRR, or a system colour as 0x80000000 + index.
using PlatformColor = std::uint32_t;
inline constexpr PlatformColor kSystemColorFlag = 0x80000000u;

// True for a system colour: one the desktop decides.
inline constexpr bool IsSystemColor(PlatformColor color) {
    return (color & kSystemColorFlag) != 0;
}

// The system colours the program uses, by the part they play.
inline constexpr PlatformColor kWindowColor = 0x80000005;         // window background
inline constexpr PlatformColor kWindowTextColor = 0x80000008;     // window text
inline constexpr PlatformColor kHighlightColor = 0x8000000D;      // selection background
inline constexpr PlatformColor kHighlightTextColor = 0x8000000E;  // selection text
inline constexpr PlatformColor kButtonFaceColor = 0x8000000F;     // fixed cells
inline constexpr PlatformColor kButtonShadowColor = 0x80000010;   // fixed cells' grid lines

inline constexpr std::int32_t KeepValue = 2147483647;  // "keep" / "absent" in grid operations

struct ShiftState {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

enum class MouseButton { Left, Right, Middle };

// Cell or pixel rectangle; for pixels right and bottom are exclusive.
struct GridRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const GridRect&) const = default;
};

struct DrawState {
    bool selected = false;
    bool focused = false;
    bool fixed = false;
};

struct GridFont {
    std::string family;  // empty: the system's default family
    int pixelHeight = 12;
    bool bold = false;
    PlatformColor color = kWindowTextColor;
};

class Canvas {
public:
    virtual ~Canvas() = default;
    virtual void SetFont(const GridFont& font) = 0;
    virtual int TextWidth(const std::string& text) = 0;
    virtual int TextHeight(const std::string& text) = 0;
    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0;            // the end point itself is not painted
    virtual void FillRect(const GridRect& rect) = 0;  // with the brush colour
    virtual void SetPenColor(PlatformColor color) = 0;
    virtual void SetBrushColor(PlatformColor color) = 0;
    virtual void SetFontColor(PlatformColor color) = 0;
    virtual void TextOut(int x, int y, const std::string& text) = 0;  // over the brush colour
};

class GridControl {
public:
    virtual ~GridControl() = default;

    virtual int ColCount() const = 0;
    virtual void SetColCount(int count) = 0;
    virtual int RowCount() const = 0;
    virtual void SetRowCount(int count) = 0;
    virtual int FixedCols() const = 0;
    virtual void SetFixedCols(int count) = 0;
    virtual int FixedRows() const = 0;
    virtual void SetFixedRows(int count) = 0;

    // Setting the column or the row moves the current cell and raises OnClick; setting the
    // value it already has raises nothing. A move by the program collapses the selection.
    virtual int Col() const = 0;
    virtual void SetCol(int col) = 0;
    virtual int Row() const = 0;
    virtual void SetRow(int row) = 0;
    virtual GridRect Selection() const = 0;  // cell indices, left <= right, top <= bottom

    virtual bool RangeSelect() const = 0;
    virtual void SetRangeSelect(bool on) = 0;
    virtual bool RowSelect() const = 0;
    virtual void SetRowSelect(bool on) = 0;
    virtual bool Editing() const = 0;
    virtual void SetEditing(bool on) = 0;
    virtual bool EditorMode() const = 0;  // the in-place editor is showing

    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool on) = 0;
    virtual bool SetFocus() = 0;  // false when the grid cannot take the focus now

    virtual PlatformColor Color() const = 0;
    virtual PlatformColor FixedColor() const = 0;
    virtual const GridFont& Font() const = 0;
    virtual void SetFont(const GridFont& font) = 0;
    virtual bool DefaultDrawing() const = 0;
    virtual void SetDefaultDrawing(bool on) = 0;

    virtual std::string Cells(int col, int row) const = 0;  // the grid's own cell strings
    virtual void SetCells(int col, int row, const std::string& text) = 0;
    virtual int ColWidth(int col) const = 0;
    virtual void SetColWidth(int col, int pixels) = 0;
    virtual int RowHeight(int row) const = 0;
    virtual void SetRowHeight(int row, int pixels) = 0;
    virtual int Width() const = 0;
    virtual void SetWidth(int pixels) = 0;
    virtual int Height() const = 0;
    virtual void SetHeight(int pixels) = 0;

    virtual GridRect CellRect(int col, int row) const = 0;  // pixels; empty when not visible
    virtual bool MouseToCell(int x, int y, int& col, int& row) const = 0;
    virtual void Repaint() = 0;
    virtual Canvas& CanvasRef() = 0;

    void* userReference = nullptr;

    // Event slots. A slot that is empty is not assigned.
    std::function<void()> OnClick;
    std::function<void(int col, int row, const GridRect& rect, DrawState state)> OnDrawCell;
    std::function<void()> OnEnter;
    std::function<void()> OnExit;
    std::function<void(int col, int row, std::string& text)> OnGetEditText;
    std::function<void(int& key, ShiftState shift)> OnKeyDown;  // key := 0 consumes it
    std::function<void(MouseButton button, ShiftState shift, int x, int y)> OnMouseDown;
    std::function<void(ShiftState shift, int x, int y)> OnMouseMove;
    std::function<void(MouseButton button, ShiftState shift, int x, int y)> OnMouseUp;
    std::function<void(int col, int row, bool& canSelect)> OnSelectCell;
    std::function<void(int col, int row, const std::string& text)> OnSetEditText;
    std::function<void()> OnTopLeftChanged;
};
