#include "desktop/colors.h"

#include <iterator>

namespace {

// The palette role that plays the part of each system colour index; -1 has none.
constexpr int kRoleOfSystemColor[] = {
    QPalette::Button,           // 0 scroll bar
    QPalette::Window,           // 1 desktop
    QPalette::Highlight,        // 2 active caption
    QPalette::Mid,              // 3 inactive caption
    QPalette::Window,           // 4 menu
    QPalette::Base,             // 5 window background
    QPalette::Shadow,           // 6 window frame
    QPalette::WindowText,       // 7 menu text
    QPalette::Text,             // 8 window text
    QPalette::HighlightedText,  // 9 caption text
    QPalette::Button,           // 10 active border
    QPalette::Button,           // 11 inactive border
    QPalette::Mid,              // 12 application workspace
    QPalette::Highlight,        // 13 highlight
    QPalette::HighlightedText,  // 14 highlighted text
    QPalette::Button,           // 15 button face
    QPalette::Dark,             // 16 button shadow
    QPalette::PlaceholderText,  // 17 grey text
    QPalette::ButtonText,       // 18 button text
    QPalette::WindowText,       // 19 inactive caption text
    QPalette::Light,            // 20 button highlight
    QPalette::Shadow,           // 21 3-D dark shadow
    QPalette::Midlight,         // 22 3-D light
    QPalette::ToolTipText,      // 23 tool tip text
    QPalette::ToolTipBase,      // 24 tool tip background
};

}  // namespace

QColor ToQColor(PlatformColor rgb) {
    return QColor(int(rgb & 0xFF), int((rgb >> 8) & 0xFF), int((rgb >> 16) & 0xFF));
}

QColor ToQColor(PlatformColor color, const QPalette& palette) {
    if (!IsSystemColor(color)) return ToQColor(color);
    const PlatformColor index = color & ~kSystemColorFlag;
    if (index >= std::size(kRoleOfSystemColor)) return QColor(Qt::black);
    return palette.color(QPalette::Active, QPalette::ColorRole(kRoleOfSystemColor[index]));
}
