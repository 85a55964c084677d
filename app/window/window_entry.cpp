// The entry point of the window library, which the program loads when it starts the window.

#include "app/window/program.h"

extern "C" __attribute__((visibility("default"))) int TessarinRunWindow(int argc, char** argv) {
    return RunProgram(argc, argv);
}
