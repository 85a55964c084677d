#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

#include "app/command_line.h"
#include "app/command_line_texts.h"
#include "platform/standard_descriptors.h"
#include "platform/system_info.h"

namespace {

// Without any of these Qt finds no display and aborts, after start-up has read and rewritten
// the settings file; the window is not even tried then.
bool DisplayNamed() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value && *value) return true;
    }
    return false;
}

// The window lives in a library of its own beside the program (or in the installed library
// folder), so that the command line starts without loading Qt.
int RunWindow(int argc, char** argv) {
    if (!DisplayNamed()) {
        std::fputs(
            "tessarin: 画面がありません（DISPLAY も WAYLAND_DISPLAY も設定されていません）。\n",
            stderr);
        return 1;
    }
    const std::string folder = ExecutableFolder();
    const std::string name = "libtessarin-window.so";
    void* library = nullptr;
    for (const std::string& path : {folder + name, folder + TESSARIN_WINDOW_LIBRARY_DIR + name}) {
        library = dlopen(path.c_str(), RTLD_LAZY | RTLD_LOCAL);
        if (library) break;
    }
    if (!library) {
        std::fprintf(stderr, "tessarin: cannot load the window library: %s\n", dlerror());
        return 1;
    }
    using Entry = int (*)(int, char**);
    const auto run = reinterpret_cast<Entry>(dlsym(library, "TessarinRunWindow"));
    if (!run) {
        std::fprintf(stderr, "tessarin: the window library has no entry point\n");
        return 1;
    }
    return run(argc, argv);
}

}  // namespace

int main(int argc, char** argv) {
    // A descriptor 0-2 left closed would be taken by the next file or connection opened (the X
    // connection on 2, corrupted by the first warning written there).
    ReserveStandardDescriptors();
    if (StartsWindow(argc, argv)) return RunWindow(argc, argv);
    // Running out of memory ends with a message and a status, not an abort.
    try {
        return RunCommandLine(argc, argv);
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "tessarin: %s\n", Texts().outOfMemory);
        return 1;
    }
}
