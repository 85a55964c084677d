#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
        std::puts("Tessarin 1.25");
        return 0;
    }
    std::puts("usage: tessarin [--eval FORMULA | --sheet FILE] [--help] [--version]");
    return 0;
}
