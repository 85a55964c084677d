#pragma once
// The program's version; the build makes its value from the project version in CMakeLists.txt.

extern const char kProductVersion[];
