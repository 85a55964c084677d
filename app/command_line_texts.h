#pragma once
// The command line's own texts (usage and messages) in the user's language: Japanese under a
// Japanese locale, English otherwise. Results and the evaluator's error texts are results and
// are never translated.

#include <string>

struct CommandLineTexts {
    const char* usage;
    const char* cannotWrite;          // followed by ": " and the system's reason
    const char* standardInput;        // the name of standard input in a file notice
    const char* cannotReadFile;       // the line after a file's name
    const char* tooLarge;             // the reason for a file too large, the limit in MB for "%zu"
    const char* linesLeftOut;         // the lines the sheet cannot hold, their count for "%d"
    const char* cannotReadConstants;  // followed by ": " and the system's reason
    const char* notText;              // the reason for a file that is not text
    const char* outOfMemory;
};

// The texts for this process's environment.
const CommandLineTexts& Texts();
