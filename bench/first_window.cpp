// How long a user waits for the first window: each program is started as a
// whole new process, and the clock runs from just before its exec until the
// X server has its first window painted. The signal is the server's own: the
// DAMAGE extension reports every drawing into the program's windows, and a
// window counts as painted once it is on screen and its pixels are no longer
// one flat colour (a window mapped but not yet drawn shows a single colour).
//
// The program and the yardstick are run interleaved, pair after pair, the
// order swapped every pair; the first pairs only warm the disk cache. Prints
// the median of each and their ratio, the median of the pairs' own ratios
// (a pair shares the machine's load of its moment), and each one's peak
// resident memory at that moment (VmHWM).
//
//   first_window PAIRS PROGRAM YARDSTICK [YARDSTICK ARGUMENTS...]
// Needs DISPLAY pointing at an X server with nothing else on it (Xvfb).

#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;

struct Sample
{
    double milliseconds = 0;
    long peakKilobytes = 0;
};

class Server
{
public:
    Server()
    {
        int screenNumber = 0;
        m_connection = xcb_connect(nullptr, &screenNumber);
        if (xcb_connection_has_error(m_connection))
            fail("cannot connect to the X server in DISPLAY");
        xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
        for (int i = 0; i < screenNumber; ++i)
            xcb_screen_next(&screens);
        m_root = screens.data->root;
        const xcb_query_extension_reply_t *damage = xcb_get_extension_data(m_connection, &xcb_damage_id);
        if (!damage || !damage->present)
            fail("the X server has no DAMAGE extension");
        m_damageEvent = damage->first_event + XCB_DAMAGE_NOTIFY;
        free(xcb_damage_query_version_reply(m_connection, xcb_damage_query_version(m_connection, 1, 1), nullptr));
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(m_connection);
    }
    ~Server() { xcb_disconnect(m_connection); }

    Sample run(const std::vector<std::string> &command)
    {
        waitUntilEmpty();
        std::vector<char *> argv;
        for (const std::string &word : command)
            argv.push_back(const_cast<char *>(word.c_str()));
        argv.push_back(nullptr);
        m_windows.clear();
        m_mapped.clear();
        const Clock::time_point start = Clock::now();
        pid_t pid = 0;
        if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
            fail(("cannot start " + command[0]).c_str());
        Clock::time_point painted;
        bool done = false;
        while (!done) {
            xcb_generic_event_t *event = nextEvent(Clock::now() - start);
            if (!event) {
                kill(pid, SIGKILL);
                waitpid(pid, nullptr, 0);
                fail(("no window painted by " + command[0]).c_str());
            }
            const Clock::time_point seen = Clock::now();
            const uint8_t type = event->response_type & 0x7f;
            if (type == XCB_CREATE_NOTIFY) {
                const auto *created = reinterpret_cast<xcb_create_notify_event_t *>(event);
                if (created->parent == m_root) {
                    // Watched from its creation, so no drawing can slip by.
                    const xcb_damage_damage_t damage = xcb_generate_id(m_connection);
                    xcb_damage_create(m_connection, damage, created->window, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
                    xcb_flush(m_connection);
                    m_windows.insert(created->window);
                }
            } else if (type == XCB_MAP_NOTIFY) {
                const xcb_window_t window = reinterpret_cast<xcb_map_notify_event_t *>(event)->window;
                if (m_windows.count(window)) {
                    m_mapped.insert(window);
                    done = isPainted(window);
                    painted = seen;
                }
            } else if (type == XCB_DESTROY_NOTIFY) {
                const xcb_window_t window = reinterpret_cast<xcb_destroy_notify_event_t *>(event)->window;
                m_windows.erase(window);
                m_mapped.erase(window);
            } else if (type == m_damageEvent) {
                const auto *damaged = reinterpret_cast<xcb_damage_notify_event_t *>(event);
                // Re-arm the report for the next drawing.
                xcb_damage_subtract(m_connection, damaged->damage, XCB_NONE, XCB_NONE);
                xcb_flush(m_connection);
                if (m_mapped.count(damaged->drawable)) {
                    done = isPainted(damaged->drawable);
                    painted = seen;
                }
            }
            free(event);
        }
        Sample sample;
        sample.milliseconds = std::chrono::duration<double, std::milli>(painted - start).count();
        sample.peakKilobytes = peakKilobytes(pid);
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        return sample;
    }

private:
    [[noreturn]] static void fail(const char *why)
    {
        std::fprintf(stderr, "first_window: %s\n", why);
        std::exit(1);
    }

    // The next event, or nothing once the run has taken 20 s.
    xcb_generic_event_t *nextEvent(Clock::duration elapsed)
    {
        const int left = 20000 - int(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
        for (;;) {
            if (xcb_generic_event_t *event = xcb_poll_for_event(m_connection))
                return event;
            if (xcb_connection_has_error(m_connection))
                fail("lost the X server");
            pollfd fd{xcb_get_file_descriptor(m_connection), POLLIN, 0};
            if (left <= 0 || poll(&fd, 1, left) == 0)
                return nullptr;
        }
    }

    bool isPainted(xcb_window_t window)
    {
        xcb_get_geometry_reply_t *geometry =
            xcb_get_geometry_reply(m_connection, xcb_get_geometry(m_connection, window), nullptr);
        if (!geometry)
            return false;
        xcb_get_image_reply_t *image =
            xcb_get_image_reply(m_connection,
                                xcb_get_image(m_connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0, geometry->width,
                                              geometry->height, ~0u),
                                nullptr);
        free(geometry);
        if (!image)
            return false;
        const auto *pixels = reinterpret_cast<const uint32_t *>(xcb_get_image_data(image));
        const int count = xcb_get_image_data_length(image) / 4;
        std::set<uint32_t> colours;
        for (int i = 0; i < count && colours.size() < 16; ++i)
            colours.insert(pixels[i] & 0xFFFFFF);
        free(image);
        return colours.size() >= 16; // text and a photograph, not a flat fill
    }

    static long peakKilobytes(pid_t pid)
    {
        std::ifstream status("/proc/" + std::to_string(pid) + "/status");
        std::string line;
        while (std::getline(status, line))
            if (line.rfind("VmHWM:", 0) == 0)
                return std::atol(line.c_str() + 6);
        return 0;
    }

    // The windows of the previous run are gone before the next one starts.
    void waitUntilEmpty()
    {
        const Clock::time_point start = Clock::now();
        for (;;) {
            xcb_query_tree_reply_t *tree =
                xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, m_root), nullptr);
            const int children = tree ? xcb_query_tree_children_length(tree) : 0;
            free(tree);
            if (children == 0)
                break;
            if (Clock::now() - start > std::chrono::seconds(5))
                fail("the windows of the previous run stay on the server");
            usleep(1000);
        }
        while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection))
            free(event);
    }

    xcb_connection_t *m_connection = nullptr;
    xcb_window_t m_root = 0;
    uint8_t m_damageEvent = 0;
    std::set<xcb_window_t> m_windows; // top-level windows of the running program
    std::set<xcb_window_t> m_mapped;
};

template <typename T>
T median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: first_window PAIRS PROGRAM YARDSTICK [YARDSTICK ARGUMENTS...]\n");
        return 2;
    }
    const int pairs = std::max(1, std::atoi(argv[1]));
    const int warmUp = 2;
    const std::vector<std::string> program{argv[2]};
    const std::vector<std::string> yardstick(argv + 3, argv + argc);
    Server server;
    std::vector<double> programTimes, yardstickTimes, pairRatios;
    std::vector<long> programPeaks, yardstickPeaks;
    for (int pair = 0; pair < warmUp + pairs; ++pair) {
        Sample a, b;
        if (pair % 2 == 0) {
            a = server.run(program);
            b = server.run(yardstick);
        } else {
            b = server.run(yardstick);
            a = server.run(program);
        }
        if (pair < warmUp)
            continue;
        programTimes.push_back(a.milliseconds);
        yardstickTimes.push_back(b.milliseconds);
        pairRatios.push_back(a.milliseconds / b.milliseconds);
        programPeaks.push_back(a.peakKilobytes);
        yardstickPeaks.push_back(b.peakKilobytes);
        std::printf("pair %2d: program %6.1f ms, minimal Qt program %6.1f ms\n", pair - warmUp + 1, a.milliseconds,
                    b.milliseconds);
    }
    const double programMedian = median(programTimes);
    const double yardstickMedian = median(yardstickTimes);
    std::printf("\nfirst window painted, from exec, median of %d interleaved pairs:\n", pairs);
    std::printf("  program            %6.1f ms   peak memory so far %6.1f MB\n", programMedian,
                median(programPeaks) / 1024.0);
    std::printf("  minimal Qt program %6.1f ms   peak memory so far %6.1f MB\n", yardstickMedian,
                median(yardstickPeaks) / 1024.0);
    std::printf("  ratio              %6.2f   (median of the pairs' ratios %.2f)\n", programMedian / yardstickMedian,
                median(pairRatios));
    return 0;
}
