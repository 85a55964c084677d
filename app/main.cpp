#include "app/command_line.h"
#include "ui/program.h"

int main(int argc, char** argv) {
    return argc > 1 ? RunCommandLine(argc, argv) : RunProgram(argc, argv);
}
