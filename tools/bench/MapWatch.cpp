// Starts a program and prints, on one line, when its window named "Ondrel" was mapped on the X
// display (milliseconds after the start) and the program's resident memory 1.5 s later (kB),
// then stops it. It listens for the display's map events instead of asking the display over and
// over, so that nothing but the program works while it starts.
//   map-watch PROGRAM [ARGUMENTS...]
#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};

bool NamedOndrel(xcb_connection_t* display, xcb_window_t window) {
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(display, 0, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 64);
    const std::unique_ptr<xcb_get_property_reply_t, FreeDeleter> reply(
        xcb_get_property_reply(display, cookie, nullptr));
    if (!reply) return false;
    const auto* name = static_cast<const char*>(xcb_get_property_value(reply.get()));
    const std::string text(name,
                           static_cast<std::size_t>(xcb_get_property_value_length(reply.get())));
    return text.find("Ondrel") != std::string::npos;
}

long ResidentKilobytes(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: map-watch PROGRAM [ARGUMENTS...]\n", stderr);
        return 2;
    }
    xcb_connection_t* display = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(display)) {
        std::fputs("map-watch: no X display\n", stderr);
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(display)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(display, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(display);

    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    double shownMs = -1;
    while (shownMs < 0) {
        const std::unique_ptr<xcb_generic_event_t, FreeDeleter> event(xcb_wait_for_event(display));
        if (!event) break;
        if ((event->response_type & 0x7f) != XCB_MAP_NOTIFY) continue;
        const Clock::time_point mapped = Clock::now();
        const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event.get());
        if (NamedOndrel(display, map->window))
            shownMs = std::chrono::duration<double, std::milli>(mapped - start).count();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    const long resident = ResidentKilobytes(pid);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    xcb_disconnect(display);
    if (shownMs < 0 || resident < 0) return 1;
    std::printf("%.1f %ld\n", shownMs, resident);
    return 0;
}
