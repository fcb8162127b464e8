// Start-up of a program to its visible window: the time from starting it to
// the X server's MapNotify of its top-level window whose title is given (what
// "xdotool search --sync --onlyvisible" waits for, without its polling), and
// the processor time the program used up to then (it is killed at once and its
// rusage read). Median over the runs.
// Usage: ostrane_bench_launch <runs> <window title> <program> [arguments...]
// Prints: "<title> wall_ms cpu_ms width height" (medians, the last window's size).
#include <xcb/xcb.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <string>
#include <vector>

namespace {

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n == 0 ? 0 : n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

std::string Titre(xcb_connection_t* c, xcb_window_t w) {
    auto ck = xcb_get_property(c, 0, w, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 256);
    xcb_get_property_reply_t* r = xcb_get_property_reply(c, ck, nullptr);
    std::string s;
    if (r) {
        s.assign(static_cast<const char*>(xcb_get_property_value(r)), size_t(xcb_get_property_value_length(r)));
        free(r);
    }
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s <runs> <window title> <program> [arguments...]\n", argv[0]);
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    const std::string titre = argv[2];
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    xcb_screen_t* ecran = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const uint32_t masque = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, ecran->root, XCB_CW_EVENT_MASK, &masque);
    xcb_flush(c);

    std::vector<double> murs, cpus;
    int largeur = 0, hauteur = 0;
    for (int i = 0; i < runs; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        const pid_t pid = fork();
        if (pid == 0) {
            execv(argv[3], argv + 3);
            std::perror("execv");
            _exit(127);
        }
        bool vu = false;
        while (!vu) {
            pollfd p{xcb_get_file_descriptor(c), POLLIN, 0};
            if (poll(&p, 1, 20000) <= 0) break;
            while (xcb_generic_event_t* e = xcb_poll_for_event(c)) {
                if ((e->response_type & 0x7f) == XCB_MAP_NOTIFY) {
                    auto* m = reinterpret_cast<xcb_map_notify_event_t*>(e);
                    if (!vu && Titre(c, m->window) == titre) {
                        vu = true;
                        murs.push_back(
                            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
                        auto g = xcb_get_geometry_reply(c, xcb_get_geometry(c, m->window), nullptr);
                        if (g) {
                            largeur = g->width;
                            hauteur = g->height;
                            free(g);
                        }
                    }
                }
                free(e);
            }
            if (xcb_connection_has_error(c)) break;
        }
        kill(pid, SIGKILL);
        rusage u{};
        int status = 0;
        while (wait4(pid, &status, 0, &u) < 0 && errno == EINTR) {}
        if (!vu) {
            std::fprintf(stderr, "the window \"%s\" did not show\n", titre.c_str());
            return 1;
        }
        cpus.push_back(double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 +
                       double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) * 1e-3);
    }
    std::printf("%s %.1f %.1f %d %d\n", titre.c_str(), Median(murs), Median(cpus), largeur, hauteur);
    xcb_disconnect(c);
    return 0;
}
