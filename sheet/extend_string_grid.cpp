#include "sheet/extend_string_grid.h"

#include <algorithm>
#include <utility>

#include "platform/text_contrast.h"
#include "platform/text_cut.h"

namespace {

constexpr PlatformColor KeepColor = static_cast<PlatformColor>(KeepValue);
constexpr PlatformColor SelectedColor = 0xFFFFC0;
constexpr int EveryOne = -2;
// A number's text is never longer than this; a cell measures at least so much of a line, so that
// a number is cut knowing its exponent.
constexpr std::size_t kLongestNumber = 32;
// The characters numbers and labels are made of. A column of n characters holds n of any of
// them, also in a font whose blank is narrower than its digits.
constexpr const char* kCellCharacters[] = {" ", "0", "1", "2", "3", "4", "5", "6", "7", "8", "9",
                                           "A", "B", "C", "D", "E", "F", "+", "-", ".", ","};

bool IsContinuationByte(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// Frame lines are the background darkened by 64 per byte. A system colour keeps only its small
// index in the low byte, so it gets black lines.
PlatformColor FrameColor(PlatformColor background) {
    PlatformColor result = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int byte = static_cast<int>((background >> shift) & 0xFFu);
        result |= static_cast<PlatformColor>(std::max(byte - 64, 0)) << shift;
    }
    return result;
}

}  // namespace

ExtendStringGrid::ExtendStringGrid() : cells(1), cellCount(1) {}

ExtendStringGrid::~ExtendStringGrid() = default;

void ExtendStringGrid::AttachGrid(GridControl& target) {
    normalStyle = CellStyle(0, kWindowColor);
    markStyle = CellStyle(0, 0xFFE0E0);
    focusStyle = CellStyle(1, kWindowTextColor);
    marginX = 5;
    marginY = 3;
    defaultColChars = 10;
    defaultRowLines = 1;
    frameWidth = 1;
    layout = 0;
    markLimit = 0;
    hoverCol = KeepValue;
    hoverRow = KeepValue;
    ownerDraw = 1;
    hasFocus = 0;
    lines.clear();
    grid = &target;
    canvas = &target.CanvasRef();

    target.userReference = this;
    target.SetDefaultDrawing(false);

    // A handler the window has given the grid already stays in place.
    if (!target.OnClick) target.OnClick = [this] { GridClick(); };
    if (!target.OnDrawCell) {
        target.OnDrawCell = [this](int col, int row, const GridRect& rect, DrawState state) {
            GridDrawCell(col, row, rect, state);
        };
    }
    if (!target.OnEnter) target.OnEnter = [this] { GridEnter(); };
    if (!target.OnExit) target.OnExit = [this] { GridExit(); };
    if (!target.OnGetEditText) {
        target.OnGetEditText = [this](int col, int row, std::string& text) {
            GridGetEditText(col, row, text);
        };
    }
    if (!target.OnKeyDown) {
        target.OnKeyDown = [this](int& key, ShiftState shift) { GridKeyDown(key, shift); };
    }
    if (!target.OnMouseDown) {
        target.OnMouseDown = [this](MouseButton button, ShiftState shift, int x, int y) {
            GridMouseDown(button, shift, x, y);
        };
    }
    if (!target.OnMouseMove) {
        target.OnMouseMove = [this](ShiftState shift, int x, int y) { GridMouseMove(shift, x, y); };
    }
    if (!target.OnSelectCell) {
        target.OnSelectCell = [this](int col, int row, bool& canSelect) {
            GridSelectCell(col, row, canSelect);
        };
    }
    if (!target.OnSetEditText) {
        target.OnSetEditText = [this](int col, int row, const std::string& text) {
            GridSetEditText(col, row, text);
        };
    }
    if (!target.OnTopLeftChanged) target.OnTopLeftChanged = [this] { GridTopLeftChanged(); };

    SetGridSize(target.ColCount(), target.RowCount());
}

void ExtendStringGrid::SetGridSize(int cols, int rows) {
    const bool wasEnabled = grid->Enabled();
    grid->SetEnabled(false);
    SetCurrentCell(grid->FixedCols(), grid->FixedRows());
    grid->SetColCount(std::max(cols, 0));
    grid->SetRowCount(std::max(rows, 0));

    // The records follow the counts the grid actually took, so CellAt never leaves the array.
    const int colCount = grid->ColCount();
    const int rowCount = grid->RowCount();
    cells.assign(static_cast<std::size_t>(colCount) * rowCount, CellProperty{});
    cellCount = colCount * rowCount;
    const int fixedCols = grid->FixedCols();
    const int fixedRows = grid->FixedRows();
    for (int c = 0; c < colCount; ++c) {
        for (int r = 0; r < rowCount; ++r) {
            CellProperty* p = CellAt(c, r);
            if (!p) continue;
            const bool fixed = c < fixedCols || r < fixedRows;
            p->fontColor = kWindowTextColor;
            p->style = fixed ? CellStyle(2, grid->FixedColor()) : normalStyle;
            p->lineCount = 1;
            p->align = 0;
            p->text.clear();
            p->marked = 0;
            p->fixed = fixed ? 1 : 0;
            p->spare = 0;
            grid->SetCells(c, r, std::string());
        }
    }
    FitCells(KeepValue, KeepValue);

    grid->SetEnabled(wasEnabled);
    grid->Repaint();
    Changed();
}

void ExtendStringGrid::FitCells(int widthChars, int heightLines,
                                const std::vector<std::int32_t>& colChars,
                                const std::vector<std::int32_t>& rowLines) {
    canvas->SetFont(grid->Font());
    charWidth = 0;
    for (const char* character : kCellCharacters)
        charWidth = std::max(charWidth, canvas->TextWidth(character));
    charHeight = canvas->TextHeight(" ");
    if (widthChars != KeepValue) grid->SetWidth(widthChars * charWidth + 2 * marginX);
    if (heightLines != KeepValue) grid->SetHeight(heightLines * (charHeight + 2 * marginY));

    bool useDefault = false;
    for (int c = 0; c < grid->ColCount(); ++c) {
        if (static_cast<std::size_t>(c) >= colChars.size() || colChars[c] < 0) useDefault = true;
        const int n = useDefault ? defaultColChars : colChars[c];
        grid->SetColWidth(c, n != 0 ? n * charWidth + 2 * marginX : 0);
    }
    useDefault = false;
    for (int r = 0; r < grid->RowCount(); ++r) {
        if (static_cast<std::size_t>(r) >= rowLines.size() || rowLines[r] < 0) useDefault = true;
        const int n = useDefault ? defaultRowLines : rowLines[r];
        grid->SetRowHeight(r, n != 0 ? n * charHeight + 2 * marginY : 0);
    }

    hoverCol = KeepValue;
    hoverRow = KeepValue;
    grid->Repaint();
    Changed();
}

void ExtendStringGrid::PaintCell(int col, int row, const GridRect& rect, DrawState state) {
    CellProperty* p = CellAt(col, row);
    if (!p || grid->ColWidth(col) <= 2 || grid->RowHeight(row) <= 2) return;
    Canvas& cv = *canvas;
    const PlatformColor background = grid->Color();

    if (ownerDraw != 0) {
        const bool rowSelect = grid->RowSelect();
        const bool current = row == grid->Row() && (col == grid->Col() || rowSelect);
        const int firstCol = grid->FixedCols();

        // With row selection the whole row takes its colours from its first non-fixed cell.
        CellProperty* s = p;
        if (rowSelect && !p->fixed) {
            if (CellProperty* band = CellAt(firstCol, row)) s = band;
        }
        if (grid->RangeSelect()) {
            const GridRect sel = grid->Selection();
            s->marked = sel.left <= col && col <= sel.right && sel.top <= row && row <= sel.bottom;
        }

        PlatformColor b = s->style.color;
        if (!s->fixed && state.selected) b = SelectedColor;
        if (s->marked && markStyle.color != KeepColor) b = markStyle.color;
        int k = s->style.frame;
        if (state.selected && markStyle.frame != KeepValue) k = markStyle.frame;
        PlatformColor f = FrameColor(b);
        if (!state.fixed && current) {
            f = ReadableTextColor(b, focusStyle.color);
            k = focusStyle.frame;
        }
        const bool bottomRight = k == 1 || k == 2;
        const bool topLeft = k == 1 || k == 3;

        GridRect r = rect;
        cv.SetPenColor(background);
        cv.MoveTo(r.right, r.top);
        cv.LineTo(r.left, r.top);
        if (state.fixed || !rowSelect) {
            cv.LineTo(r.left, r.bottom);
            r.left += 1;
            r.top += 1;
            cv.SetBrushColor(b);
            cv.FillRect(r);
            cv.SetPenColor(f);
            for (int i = 0; i < frameWidth; ++i) {
                if (bottomRight) {
                    cv.MoveTo(r.left + i, r.bottom - 1 - i);
                    cv.LineTo(r.right - 1 - i, r.bottom - 1 - i);
                    cv.LineTo(r.right - 1 - i, r.top + i);
                }
                if (topLeft) {
                    cv.MoveTo(r.right - 1 - i, r.top + i);
                    cv.LineTo(r.left + i, r.top + i);
                    cv.LineTo(r.left + i, r.bottom - 1 - i);
                }
            }
        } else {
            // One frame across the whole row: inner cells leave their side edges open.
            const bool first = col == firstCol;
            const bool last = col == grid->ColCount() - 1;
            if (first) {
                cv.LineTo(r.left, r.bottom);
                r.left += 1;
            }
            r.top += 1;
            cv.SetBrushColor(b);
            cv.FillRect(r);
            cv.SetPenColor(f);
            const int gap = first ? 0 : 1;
            for (int i = 0; i < frameWidth; ++i) {
                const int fi = first ? i : 0;
                const int li = last ? i : 0;
                if (bottomRight) {
                    cv.MoveTo(r.left + fi, r.bottom - 1 - i);
                    cv.LineTo(r.right, r.bottom - 1 - i);
                    if (last) {
                        cv.MoveTo(r.right - 1 - i, r.bottom - 1 - i);
                        cv.LineTo(r.right - 1 - i, r.top + i - 1);
                    }
                }
                if (topLeft) {
                    cv.MoveTo(r.right - 1 - li, r.top + i);
                    cv.LineTo(r.left - gap, r.top + i);
                    if (first) {
                        cv.MoveTo(r.left + i, r.top + i);
                        cv.LineTo(r.left + i, r.bottom - i);
                    }
                }
            }
        }

        std::string own;
        if (p->text.empty()) own = grid->Cells(col, row);
        const int avail = r.right - r.left - 2 * marginX;
        const int v = (r.bottom - r.top - 2 * marginY - p->lineCount * charHeight) / 2;
        const int firstTop = r.top + marginY + v;
        const int lineHeight = std::max(charHeight, 1);
        // Only what the cell can show is measured and drawn: lines that start above its
        // bottom, and of each no more characters than its width in pixels (plus one), since
        // every character that advances the pen is at least a pixel wide.
        const std::size_t visibleLines =
            r.bottom > firstTop
                ? static_cast<std::size_t>((r.bottom - firstTop - 1) / lineHeight) + 1
                : 0;
        SplitLines(p->text.empty() ? own : p->text, visibleLines,
                   std::max(static_cast<std::size_t>(std::max(avail, 0)) + 1, kLongestNumber));
        cv.SetFontColor(ReadableTextColor(b, p->fontColor));
        for (std::size_t j = 0; j < lines.size(); ++j) {
            std::string& line = lines[j];
            if (line.empty() || firstTop + static_cast<int>(j + 1) * lineHeight <= r.top) {
                continue;
            }
            int width = cv.TextWidth(line);
            if (width > avail) width = CutToWidth(line, avail);
            int a = p->align;
            if (a == 3) a = (j % 2 == 1) ? 2 : 0;
            int offset = 0;
            if (a == 1) offset = (avail - width) / 2;
            if (a == 2) offset = avail - width;
            offset = std::max(offset, 0);
            cv.TextOut(r.left + marginX + offset,
                       r.top + marginY + v + static_cast<int>(j) * charHeight, line);
        }
    } else {
        cv.SetBrushColor(background);
        cv.FillRect(rect);
    }

    cv.SetPenColor(background);
    cv.SetBrushColor(background);
    cv.SetFontColor(grid->Font().color);
}

CellProperty* ExtendStringGrid::CellAt(int col, int row) {
    return const_cast<CellProperty*>(std::as_const(*this).CellAt(col, row));
}

const CellProperty* ExtendStringGrid::CellAt(int col, int row) const {
    if (!grid || col < 0 || row < 0) return nullptr;
    const int colCount = grid->ColCount();
    const int rowCount = grid->RowCount();
    if (col >= colCount || row >= rowCount) return nullptr;
    long long index;
    if (layout == 0) {
        index = static_cast<long long>(col) * rowCount + row;
    } else if (layout == 1) {
        index = static_cast<long long>(row) * colCount + col;
    } else {
        return nullptr;
    }
    // The grid's counts may briefly differ from the records while they are being rebuilt.
    if (index >= cellCount || index >= static_cast<long long>(cells.size())) return nullptr;
    return &cells[static_cast<std::size_t>(index)];
}

bool ExtendStringGrid::TextFits(int col, int row) {
    const CellProperty* p = CellAt(col, row);
    if (!p) return true;
    const std::string& text = p->text.empty() ? grid->Cells(col, row) : p->text;
    // The cell's drawing leaves one pixel for the separating line and the margins.
    const int avail = grid->ColWidth(col) - 1 - 2 * marginX;
    canvas->SetFont(grid->Font());
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = text.find('\t', start);
        const std::size_t end = tab == std::string::npos ? text.size() : tab;
        if (canvas->TextWidth(text.substr(start, end - start)) > avail) return false;
        if (tab == std::string::npos) return true;
        start = tab + 1;
    }
}

int ExtendStringGrid::MarkedCount() const {
    const auto end = cells.begin() + std::min<std::ptrdiff_t>(cellCount, cells.size());
    return static_cast<int>(
        std::count_if(cells.begin(), end, [](const CellProperty& p) { return p.marked != 0; }));
}

bool ExtendStringGrid::SetCurrentCell(int col, int row) {
    const int colCount = grid->ColCount();
    const int rowCount = grid->RowCount();
    if (col == KeepValue && row == KeepValue) {
        bool found = false;
        for (int c = 0; c < colCount && !found; ++c) {
            for (int r = 0; r < rowCount && !found; ++r) {
                if (!IsFixed(c, r)) {
                    col = c;
                    row = r;
                    found = true;
                }
            }
        }
        if (!found) return false;
    } else if (col == KeepValue) {
        col = grid->Col();
    } else if (row == KeepValue) {
        row = grid->Row();
    }
    if (col < 0 || row < 0 || col >= colCount || row >= rowCount || IsFixed(col, row)) {
        return false;
    }

    // Disabled, so that the object's own select-cell and click handlers stay out of the move;
    // the previous state comes back, so a caller that had disabled the grid keeps it so.
    const bool wasEnabled = grid->Enabled();
    grid->SetEnabled(false);
    grid->SetCol(col);
    grid->SetRow(row);
    grid->SetEnabled(wasEnabled);
    grid->SetFocus();  // the window may not be visible yet; the move stands anyway
    SelectionChanged();
    return true;
}

void ExtendStringGrid::Changed() {}

void ExtendStringGrid::SelectionChanged() {}

void ExtendStringGrid::MarkCells(int col, int row, int mode) {
    if (col == KeepValue) col = grid->Col();
    if (row == KeepValue) row = grid->Row();
    const int colCount = grid->ColCount();
    const int rowCount = grid->RowCount();
    const int fixedCols = grid->FixedCols();
    const int fixedRows = grid->FixedRows();
    const int c0 = col == EveryOne ? 0 : col;
    const int c1 = col == EveryOne ? colCount - 1 : col;
    const int r0 = row == EveryOne ? 0 : row;
    const int r1 = row == EveryOne ? rowCount - 1 : row;
    for (int r = r0; r <= r1; ++r) {
        for (int c = c0; c <= c1; ++c) {
            if (c < fixedCols || r < fixedRows) continue;
            CellProperty* p = CellAt(c, r);
            if (!p) continue;
            p->marked = (mode == 0) ? 0 : (p->marked ? 0 : 1);
        }
    }

    // Over the limit: the earliest marks in row-by-row order go first, never the cell just
    // toggled.
    int excess = MarkedCount() - markLimit;
    for (int r = 0; r < rowCount && excess > 0; ++r) {
        for (int c = 0; c < colCount && excess > 0; ++c) {
            CellProperty* p = CellAt(c, r);
            if (p && p->marked && !(c == col && r == row)) {
                p->marked = 0;
                --excess;
            }
        }
    }

    grid->Repaint();
    SelectionChanged();
}

void ExtendStringGrid::GridClick() {
    if (grid->Enabled()) SelectionChanged();
}

void ExtendStringGrid::GridDrawCell(int col, int row, const GridRect& rect, DrawState state) {
    PaintCell(col, row, rect, state);
}

void ExtendStringGrid::GridEnter() {
    hasFocus = 1;
}

void ExtendStringGrid::GridExit() {
    hasFocus = 0;
}

void ExtendStringGrid::GridGetEditText(int col, int row, std::string& text) {
    if (const CellProperty* p = CellAt(col, row)) text = p->text;
}

void ExtendStringGrid::GridKeyDown(int& key, ShiftState) {
    if (!grid->Enabled()) {
        key = 0;
        return;
    }
    switch (key) {
        case VK_RETURN:
            if (grid->Editing() && !grid->EditorMode()) return;  // the grid opens its editor
            key = 0;
            StepRow(1);
            return;
        case VK_SPACE: {
            key = 0;
            if (grid->OnMouseDown) {
                const GridRect cell = grid->CellRect(grid->Col(), grid->Row());
                grid->OnMouseDown(MouseButton::Left, ShiftState{}, cell.left, cell.top);
            }
            return;
        }
        case VK_LEFT:
        case VK_RIGHT:
            if (grid->RowSelect()) {
                key = 0;
                return;
            }
            if (grid->EditorMode()) return;
            StepColumn(key == VK_LEFT ? -1 : 1);
            key = 0;
            return;
        case VK_UP:
        case VK_DOWN:
            StepRow(key == VK_UP ? -1 : 1);
            key = 0;
            return;
        default:
            return;
    }
}

void ExtendStringGrid::GridMouseDown(MouseButton, ShiftState, int x, int y) {
    int col = 0;
    int row = 0;
    if (!grid->MouseToCell(x, y, col, row)) return;
    if (grid->Enabled() && markLimit != 0 && CellAt(col, row) && !IsFixed(col, row)) {
        MarkCells(col, row, KeepValue);
        Changed();
    }
}

void ExtendStringGrid::GridMouseMove(ShiftState, int x, int y) {
    int col = 0;
    int row = 0;
    if (grid->MouseToCell(x, y, col, row)) {
        hoverCol = col;
        hoverRow = row;
    } else {
        hoverCol = KeepValue;
        hoverRow = KeepValue;
    }
    Changed();
}

void ExtendStringGrid::GridSelectCell(int col, int row, bool& canSelect) {
    if (grid->Enabled() && IsFixed(col, row)) canSelect = false;
}

void ExtendStringGrid::GridSetEditText(int col, int row, const std::string& text) {
    if (CellProperty* p = CellAt(col, row)) p->text = text;
}

void ExtendStringGrid::GridTopLeftChanged() {
    Changed();
}

bool ExtendStringGrid::IsFixed(int col, int row) const {
    if (const CellProperty* p = CellAt(col, row)) return p->fixed != 0;
    return col < grid->FixedCols() || row < grid->FixedRows();
}

void ExtendStringGrid::SplitLines(const std::string& text, std::size_t maxLines,
                                  std::size_t maxCharacters) {
    std::size_t count = 0;
    std::size_t start = 0;
    while (count < maxLines) {
        const std::size_t tab = text.find('\t', start);
        const std::size_t end = tab == std::string::npos ? text.size() : tab;
        std::size_t cut = start;
        for (std::size_t characters = 0; cut < end && characters < maxCharacters; ++characters) {
            ++cut;
            while (cut < end && IsContinuationByte(text[cut]))
                ++cut;
        }
        // Existing strings are reassigned rather than recreated, so their buffers are reused.
        if (count == lines.size()) lines.emplace_back();
        lines[count++].assign(text, start, cut - start);
        if (tab == std::string::npos) break;
        start = tab + 1;
    }
    lines.resize(count);
}

int ExtendStringGrid::CutToWidth(std::string& line, int avail) {
    line =
        FitText(line, avail, [this](const std::string& part) { return canvas->TextWidth(part); });
    return canvas->TextWidth(line);
}

void ExtendStringGrid::StepColumn(int step) {
    const int colCount = grid->ColCount();
    if (colCount <= 0) return;
    const int start = grid->Col();
    const int row = grid->Row();
    int c = start;
    // One full turn at most: a row without non-fixed cells ends back at the start column.
    for (int i = 0; i < colCount; ++i) {
        c = ((c + step) % colCount + colCount) % colCount;
        if (c == start || !IsFixed(c, row)) break;
    }
    SetCurrentCell(c, KeepValue);
}

void ExtendStringGrid::StepRow(int step) {
    const int rowCount = grid->RowCount();
    if (rowCount <= 0) return;
    const int start = grid->Row();
    const int col = grid->Col();
    int r = start;
    for (int i = 0; i < rowCount; ++i) {
        r = ((r + step) % rowCount + rowCount) % rowCount;
        if (r == start || !IsFixed(col, r)) break;
    }
    SetCurrentCell(KeepValue, r);
}
