#pragma once
// The command-line mode: evaluates formulas or a formula file without a window and without
// touching the settings or constant files.

// Runs the command line given to the program (argc > 1); returns the exit status.
int RunCommandLine(int argc, char** argv);
