#include "startup_probe.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <thread>
#include <vector>

namespace appgen::bench {
namespace {

using Clock = std::chrono::steady_clock;

struct Connection {
    xcb_connection_t* c = nullptr;
    ~Connection() {
        if (c) xcb_disconnect(c);
    }
};

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The one of the root's children that is mapped and belongs to `pid`, or 0.
xcb_window_t windowShown(xcb_connection_t* c, xcb_window_t root, xcb_atom_t pidAtom, pid_t pid) {
    std::unique_ptr<xcb_query_tree_reply_t, decltype(&std::free)> tree(
        xcb_query_tree_reply(c, xcb_query_tree(c, root), nullptr), &std::free);
    if (!tree) return false;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    const int count = xcb_query_tree_children_length(tree.get());
    std::vector<xcb_get_window_attributes_cookie_t> attributes;
    std::vector<xcb_get_property_cookie_t> pids;
    for (int i = 0; i < count; ++i) {
        attributes.push_back(xcb_get_window_attributes(c, children[i]));
        pids.push_back(xcb_get_property(c, 0, children[i], pidAtom, XCB_ATOM_CARDINAL, 0, 1));
    }
    xcb_window_t shown = 0;
    for (int i = 0; i < count; ++i) {
        std::unique_ptr<xcb_get_window_attributes_reply_t, decltype(&std::free)> a(
            xcb_get_window_attributes_reply(c, attributes[static_cast<std::size_t>(i)], nullptr), &std::free);
        std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> p(
            xcb_get_property_reply(c, pids[static_cast<std::size_t>(i)], nullptr), &std::free);
        if (!a || !p || a->map_state != XCB_MAP_STATE_VIEWABLE || xcb_get_property_value_length(p.get()) != 4) continue;
        if (*static_cast<const std::uint32_t*>(xcb_get_property_value(p.get())) == std::uint32_t(pid)) shown = children[i];
    }
    return shown;
}

// The processor time of every thread of the process so far, from the
// scheduler's own nanosecond counts.
double cpuMilliseconds(pid_t pid) {
    double ns = 0;
    const std::filesystem::path tasks = "/proc/" + std::to_string(pid) + "/task";
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator(tasks, error)) {
        std::ifstream in(task.path() / "schedstat");
        double onCpu = 0;
        if (in >> onCpu) ns += onCpu;
    }
    return ns / 1e6;
}

// The screen's pixels, 32 bits each (the virtual display's depth of 24).
struct Pixels {
    int width = 0, height = 0;
    std::vector<std::uint32_t> data;
    std::uint32_t at(int px, int py) const { return data[std::size_t(py) * std::size_t(width) + std::size_t(px)]; }
};

std::optional<Pixels> grab(xcb_connection_t* c, xcb_drawable_t d, int x, int y, int width, int height) {
    std::unique_ptr<xcb_get_image_reply_t, decltype(&std::free)> image(
        xcb_get_image_reply(c,
                            xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, d, std::int16_t(x), std::int16_t(y),
                                          std::uint16_t(width), std::uint16_t(height), ~0u),
                            nullptr),
        &std::free);
    if (!image || xcb_get_image_data_length(image.get()) != width * height * 4) return std::nullopt;
    Pixels out{width, height, std::vector<std::uint32_t>(std::size_t(width) * std::size_t(height))};
    std::memcpy(out.data.data(), xcb_get_image_data(image.get()), out.data.size() * 4);
    return out;
}

// Whether the window has drawn itself: most of a grid of points over it
// differ from what the screen showed there before the program started (a
// window that has not painted yet shows what lay beneath it).
bool windowPainted(xcb_connection_t* c, xcb_window_t window, xcb_window_t root, const Pixels& before) {
    std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)> g(
        xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr), &std::free);
    if (!g) return false;
    std::unique_ptr<xcb_translate_coordinates_reply_t, decltype(&std::free)> at(
        xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, window, root, 0, 0), nullptr), &std::free);
    const auto now = grab(c, window, 0, 0, g->width, g->height);
    if (!at || !now) return false;
    int differ = 0, points = 0;
    for (int gy = 1; gy < 20; ++gy)
        for (int gx = 1; gx < 10; ++gx) {
            const int px = g->width * gx / 10, py = g->height * gy / 20;
            const int sx = at->dst_x + px, sy = at->dst_y + py;
            if (sx < 0 || sy < 0 || sx >= before.width || sy >= before.height) continue;
            ++points;
            differ += (now->at(px, py) & 0xffffff) != (before.at(sx, sy) & 0xffffff);
        }
    return points > 0 && differ * 2 > points;
}

}  // namespace

std::optional<StartupTime> timeToWindow(const std::string& program, int limitMs) {
    // The display may still be coming up when the benchmark starts with it.
    Connection x;
    for (int attempt = 0; attempt < 40; ++attempt) {
        if (x.c) xcb_disconnect(x.c);
        x.c = xcb_connect(nullptr, nullptr);
        if (!xcb_connection_has_error(x.c)) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (xcb_connection_has_error(x.c)) return std::nullopt;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x.c)).data->root;
    const xcb_atom_t pidAtom = atom(x.c, "_NET_WM_PID");

    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(x.c)).data;
    const auto before = grab(x.c, root, 0, 0, screen->width_in_pixels, screen->height_in_pixels);
    if (!before) return std::nullopt;

    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid < 0) return std::nullopt;
    if (pid == 0) {
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    std::optional<StartupTime> out;
    xcb_window_t window = 0;
    for (;;) {
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        if (!window && (window = windowShown(x.c, root, pidAtom, pid)) != 0)
            out = StartupTime{ms, cpuMilliseconds(pid), 0, 0};
        if (window && windowPainted(x.c, window, root, *before)) {
            out->paintedMs = ms;
            out->paintedCpuMs = cpuMilliseconds(pid);
            break;
        }
        int status = 0;
        if (ms > limitMs || waitpid(pid, &status, WNOHANG) == pid) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    if (out && out->paintedMs == 0) return std::nullopt;
    return out;
}

}  // namespace appgen::bench
