#pragma once
// The system clipboard as plain text.

#include <string>

// Empties the clipboard and puts text on it as plain text.
void PutClipboardText(const std::string& text);
