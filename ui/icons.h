#pragma once
// The pictures of the tool buttons and menu items, drawn in one style at any size.

#include <QIcon>
#include <QPixmap>

enum class ToolIcon {
    None,
    New,
    Open,
    Save,
    ExportExcel,
    ExportClipboard,
    FormulaMode,
    CalculatorMode,
    Real,
    Integer,
    Decimal,
    Hexadecimal,
    ToolBar,
    FunctionPad,
    StatusBar,
    Help,
    Web,
    Clear,
    Recalculate,
    Settings,
    Version,
};

// Every picture but None, in the order above.
constexpr ToolIcon kAllToolIcons[] = {
    ToolIcon::New,
    ToolIcon::Open,
    ToolIcon::Save,
    ToolIcon::ExportExcel,
    ToolIcon::ExportClipboard,
    ToolIcon::FormulaMode,
    ToolIcon::CalculatorMode,
    ToolIcon::Real,
    ToolIcon::Integer,
    ToolIcon::Decimal,
    ToolIcon::Hexadecimal,
    ToolIcon::ToolBar,
    ToolIcon::FunctionPad,
    ToolIcon::StatusBar,
    ToolIcon::Help,
    ToolIcon::Web,
    ToolIcon::Clear,
    ToolIcon::Recalculate,
    ToolIcon::Settings,
    ToolIcon::Version,
};

// The icon with 16, 24, 32 and 48 pixel pictures (and their disabled looks, made by Qt), each
// drawn when it is first shown; None gives an empty icon.
QIcon ToolIconPicture(ToolIcon icon);
// One picture of the icon at size x size pixels, transparent around the drawing.
QPixmap ToolIconPixmap(ToolIcon icon, int size);
