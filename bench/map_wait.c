/* Starts a program and waits for the X server to map its window, for bench/startup-peers.
 *
 * usage: map_wait TITLE SETTLE_MS PROGRAM [ARGUMENTS...]
 *
 * Listens for MapNotify on the root window (Xvfb has no window manager, so top-level windows
 * are the root's children) before starting PROGRAM, so no map can be missed. When a window
 * whose title begins with TITLE is mapped it notes the time, waits SETTLE_MS, reads the peak
 * and current resident set of the process, ends it and prints
 *   map_ms=... hwm_kb=... rss_kb=... size=WIDTHxHEIGHT
 * Exit status 1 when the program ends or 30 seconds pass without such a window. */

#define _GNU_SOURCE
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

/* The window's title, from _NET_WM_NAME (UTF-8) or else WM_NAME; the caller frees it. */
static char* window_title(Display* display, Window window) {
    Atom net_name = XInternAtom(display, "_NET_WM_NAME", False);
    Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = NULL;
    if (XGetWindowProperty(display, window, net_name, 0, 1024, False, utf8, &type, &format, &count,
                           &after, &data) == Success &&
        data) {
        if (type == utf8) return (char*)data;
        XFree(data);
    }
    char* name = NULL;
    if (XFetchName(display, window, &name) && name) return name;
    return NULL;
}

static int matches(Display* display, Window window, const char* title) {
    char* name = window_title(display, window);
    int found = name && strncmp(name, title, strlen(title)) == 0;
    if (name) XFree(name);
    return found;
}

static long status_kb(pid_t pid, const char* field) {
    char path[64], line[256];
    snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
    FILE* file = fopen(path, "r");
    if (!file) return -1;
    long value = -1;
    size_t length = strlen(field);
    while (fgets(line, sizeof line, file)) {
        if (strncmp(line, field, length) == 0 && line[length] == ':') {
            value = strtol(line + length + 1, NULL, 10);
            break;
        }
    }
    fclose(file);
    return value;
}

static void end_child(pid_t pid) {
    kill(pid, SIGTERM);
    for (int i = 0; i < 200; ++i) {
        if (waitpid(pid, NULL, WNOHANG) == pid) return;
        usleep(10000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, NULL, 0);
}

int main(int argc, char** argv) {
    if (argc < 4) {
        fprintf(stderr, "usage: map_wait TITLE SETTLE_MS PROGRAM [ARGUMENTS...]\n");
        return 2;
    }
    const char* title = argv[1];
    const long settle_ms = strtol(argv[2], NULL, 10);
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "map_wait: cannot open the display\n");
        return 2;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const double start = now_ms();
    pid_t pid = fork();
    if (pid == 0) {
        close(ConnectionNumber(display));
        execvp(argv[3], argv + 3);
        _exit(127);
    }
    if (pid < 0) return 2;

    struct pollfd connection = {ConnectionNumber(display), POLLIN, 0};
    while (now_ms() - start < 30000) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type != MapNotify || !matches(display, event.xmap.window, title)) continue;
            const double mapped = now_ms() - start;
            XWindowAttributes attributes;
            XGetWindowAttributes(display, event.xmap.window, &attributes);
            usleep(settle_ms * 1000);
            const long hwm = status_kb(pid, "VmHWM");
            const long rss = status_kb(pid, "VmRSS");
            end_child(pid);
            printf("map_ms=%.1f hwm_kb=%ld rss_kb=%ld size=%dx%d\n", mapped, hwm, rss,
                   attributes.width, attributes.height);
            return hwm < 0 ? 1 : 0;
        }
        if (waitpid(pid, NULL, WNOHANG) == pid) {
            fprintf(stderr, "map_wait: %s ended before its window was mapped\n", argv[3]);
            return 1;
        }
        poll(&connection, 1, 5);
    }
    end_child(pid);
    fprintf(stderr, "map_wait: no window titled %s within 30 s\n", title);
    return 1;
}
