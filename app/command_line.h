#pragma once
// The command-line mode: evaluates formulas or a formula file without a window and without
// touching the settings or constant files.

// True when the arguments start the window: none, or a single formula file to open (any
// argument that is not an option).
bool StartsWindow(int argc, char** argv);

// Runs the command line given to the program (argc > 1); returns the exit status.
int RunCommandLine(int argc, char** argv);
