// Starts a program and prints the milliseconds from its start until a
// top-level window with the given title is mapped on the X display.
//   startup_timer <title> <program> [arguments...]
// It listens on the root window before the program starts, so no map is
// missed, and ends the program once the window is seen.

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <sys/select.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double nowMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

std::string windowTitle(Display *display, Window window)
{
    // Qt sets _NET_WM_NAME (UTF-8) and WM_NAME; either will do.
    const Atom netWmName = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char *data = nullptr;
    std::string title;
    if (XGetWindowProperty(display, window, netWmName, 0, 1024, False, utf8, &type, &format,
                           &count, &after, &data)
            == Success
        && data) {
        title.assign(reinterpret_cast<char *>(data), count);
        XFree(data);
    }
    if (title.empty()) {
        char *name = nullptr;
        if (XFetchName(display, window, &name) && name) {
            title = name;
            XFree(name);
        }
    }
    return title;
}

int ignoreXErrors(Display *, XErrorEvent *)
{
    return 0; // a window may be gone before its title is read
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <title> <program> [arguments...]\n", argv[0]);
        return 2;
    }
    const std::string wanted = argv[1];
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "cannot open the X display\n");
        return 2;
    }
    XSetErrorHandler(ignoreXErrors);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const double start = nowMs();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[2], argv + 2);
        std::fprintf(stderr, "cannot start %s: %s\n", argv[2], std::strerror(errno));
        _exit(127);
    }

    double mapped = -1;
    const int fd = ConnectionNumber(display);
    while (mapped < 0 && nowMs() - start < 30000) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && windowTitle(display, event.xmap.window) == wanted) {
                mapped = nowMs();
                break;
            }
        }
        if (mapped >= 0)
            break;
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            std::fprintf(stderr, "the program ended before its window was mapped\n");
            return 1;
        }
        fd_set fds;
        FD_ZERO(&fds);
        FD_SET(fd, &fds);
        timeval timeout{0, 20000};
        select(fd + 1, &fds, nullptr, nullptr, &timeout);
    }

    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    XCloseDisplay(display);
    if (mapped < 0) {
        std::fprintf(stderr, "no window titled \"%s\" within 30 s\n", wanted.c_str());
        return 1;
    }
    std::printf("%.2f\n", mapped - start);
    return 0;
}
