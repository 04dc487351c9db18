// mapwait COMMAND [ARG...]: starts COMMAND on the X display in DISPLAY,
// waits for the first map of a top-level window whose _NET_WM_PID is the
// command's, and prints the time from exec to that map in microseconds and
// the command's VmRSS and VmHWM in KiB at that moment; then ends it.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

long WindowPid(Display* display, Window window)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    long pid = -1;
    if (XGetWindowProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), 0, 1, False, XA_CARDINAL,
                           &type, &format, &count, &after, &data) == Success && data && count == 1)
        pid = *reinterpret_cast<long*>(data);
    if (data)
        XFree(data);
    return pid;
}

long StatusKiB(pid_t pid, const char* field)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0)
            return std::strtol(line.c_str() + std::strlen(field), nullptr, 10);
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "mapwait: no display\n");
        return 2;
    }
    // Listen before the child exists, so that no map is missed.
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[1], argv + 1);
        _exit(127);
    }

    const auto deadline = start + std::chrono::seconds(20);
    int status = 0;
    while (std::chrono::steady_clock::now() < deadline) {
        if (!XPending(display)) {
            pollfd fd{ConnectionNumber(display), POLLIN, 0};
            poll(&fd, 1, 10);
            if (waitpid(child, &status, WNOHANG) == child) {
                std::fprintf(stderr, "mapwait: %s ended before mapping a window\n", argv[1]);
                return 1;
            }
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type != MapNotify || WindowPid(display, event.xmap.window) != child)
            continue;
        const auto mapped = std::chrono::steady_clock::now();
        const long rss = StatusKiB(child, "VmRSS:");
        const long hwm = StatusKiB(child, "VmHWM:");
        const auto us = std::chrono::duration_cast<std::chrono::microseconds>(mapped - start).count();
        std::printf("%lld %ld %ld\n", static_cast<long long>(us), rss, hwm);
        kill(child, SIGTERM);
        waitpid(child, &status, 0);
        return 0;
    }
    kill(child, SIGKILL);
    waitpid(child, &status, 0);
    std::fprintf(stderr, "mapwait: no window mapped\n");
    return 1;
}
