/* Starts a program and times it until its window is mapped and first drawn, then reads its idle
 * memory.
 *
 *   map_timer [--title TITLE] [--idle-ms MS] [--timeout-ms MS] -- PROGRAM [ARGS...]
 *
 * Prints one line: "map_ms=<ms from fork to the MapNotify> cpu_ms=<main thread CPU time by then>
 * drawn_ms=<ms from fork to the first drawing into that window, -1 when none came within 3 s>
 * uss_kb=<Private_Clean+Private_Dirty> rss_kb=<Rss> pss_kb=<Pss>", then kills the program and
 * reaps it. Exit status 0 on success,
 * 1 when the program exited or no window came in time, 2 on bad usage or X errors.
 *
 * No window manager runs under Xvfb, so top-level windows map directly as children of the
 * root window: SubstructureNotify on the root sees them. With --title only a window whose
 * _NET_WM_NAME (or WM_NAME) is exactly TITLE counts, so helper windows of the toolkit do not.
 * The drawing is seen through the DAMAGE extension: every top-level window gets a damage object
 * as it is created, so that no drawing can come before the watch. A window mapped but not yet
 * drawn shows nothing of the program, which is why both times count. */
#define _POSIX_C_SOURCE 200809L

#include <errno.h>
#include <poll.h>
#include <signal.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <xcb/damage.h>
#include <xcb/xcb.h>

static double nowMs(void) {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (double)ts.tv_sec * 1e3 + (double)ts.tv_nsec / 1e6;
}

static xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* r =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, (uint16_t)strlen(name), name), NULL);
    xcb_atom_t a = r ? r->atom : XCB_ATOM_NONE;
    free(r);
    return a;
}

/* 1 when the window's name property equals `title`. */
static int nameIs(xcb_connection_t* c, xcb_window_t w, xcb_atom_t property, xcb_atom_t type,
                  const char* title) {
    xcb_get_property_reply_t* r =
        xcb_get_property_reply(c, xcb_get_property(c, 0, w, property, type, 0, 1024), NULL);
    int same = 0;
    if (r && r->format == 8) {
        const int len = xcb_get_property_value_length(r);
        same =
            len == (int)strlen(title) && memcmp(xcb_get_property_value(r), title, (size_t)len) == 0;
    }
    free(r);
    return same;
}

/* CPU time the program's main thread has used so far, in ms: the start-up's critical path, and
 * unlike the elapsed time it hardly moves when other work loads the machine. -1 when unreadable. */
static double cpuMs(pid_t pid) {
    char path[64];
    snprintf(path, sizeof path, "/proc/%d/task/%d/schedstat", (int)pid, (int)pid);
    FILE* f = fopen(path, "r");
    unsigned long long ns = 0;
    const int ok = f && fscanf(f, "%llu", &ns) == 1;
    if (f)
        fclose(f);
    return ok ? (double)ns / 1e6 : -1;
}

/* Private_Clean + Private_Dirty (the unique set), Rss and Pss, in kB; 0 when unreadable. */
static void readMemory(pid_t pid, long* uss, long* rss, long* pss) {
    char path[64];
    snprintf(path, sizeof path, "/proc/%d/smaps_rollup", (int)pid);
    *uss = *rss = *pss = 0;
    FILE* f = fopen(path, "r");
    if (!f)
        return;
    char line[256];
    long v;
    while (fgets(line, sizeof line, f)) {
        if (sscanf(line, "Private_Clean: %ld kB", &v) == 1 ||
            sscanf(line, "Private_Dirty: %ld kB", &v) == 1)
            *uss += v;
        else if (sscanf(line, "Rss: %ld kB", &v) == 1)
            *rss = v;
        else if (sscanf(line, "Pss: %ld kB", &v) == 1)
            *pss = v;
    }
    fclose(f);
}

static void stop(pid_t pid) {
    kill(pid, SIGTERM);
    const struct timespec tick = {0, 10000000L};
    for (int i = 0; i < 200; ++i) {
        if (waitpid(pid, NULL, WNOHANG) == pid)
            return;
        nanosleep(&tick, NULL);
    }
    kill(pid, SIGKILL);
    waitpid(pid, NULL, 0);
}

static void usage(void) {
    fprintf(
        stderr,
        "usage: map_timer [--title TITLE] [--idle-ms MS] [--timeout-ms MS] -- PROGRAM [ARGS...]\n");
    exit(2);
}

int main(int argc, char** argv) {
    const char* title = NULL;
    long idleMs = 1500;
    long timeoutMs = 20000;
    int i = 1;
    for (; i < argc; ++i) {
        if (strcmp(argv[i], "--") == 0) {
            ++i;
            break;
        }
        if (i + 1 >= argc)
            usage();
        if (strcmp(argv[i], "--title") == 0)
            title = argv[++i];
        else if (strcmp(argv[i], "--idle-ms") == 0)
            idleMs = atol(argv[++i]);
        else if (strcmp(argv[i], "--timeout-ms") == 0)
            timeoutMs = atol(argv[++i]);
        else
            usage();
    }
    if (i >= argc)
        usage();

    xcb_connection_t* c = xcb_connect(NULL, NULL);
    if (xcb_connection_has_error(c)) {
        fprintf(stderr, "map_timer: cannot connect to the X server\n");
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const xcb_atom_t netWmName = atom(c, "_NET_WM_NAME");
    const xcb_atom_t utf8 = atom(c, "UTF8_STRING");
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_void_cookie_t sel = xcb_change_window_attributes_checked(c, root, XCB_CW_EVENT_MASK, &mask);
    xcb_generic_error_t* err =
        xcb_request_check(c, sel); /* also a round trip: selected from here on */
    if (err) {
        fprintf(stderr, "map_timer: cannot watch the root window\n");
        return 2;
    }

    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(c, &xcb_damage_id);
    if (!damage || !damage->present) {
        fprintf(stderr, "map_timer: the X server has no DAMAGE extension\n");
        return 2;
    }
    free(xcb_damage_query_version_reply(c, xcb_damage_query_version(c, 1, 1), NULL));
    const uint8_t damageNotify = (uint8_t)(damage->first_event + XCB_DAMAGE_NOTIFY);

    const double start = nowMs();
    const pid_t pid = fork();
    if (pid < 0) {
        perror("map_timer: fork");
        return 2;
    }
    if (pid == 0) {
        close(xcb_get_file_descriptor(c));
        execvp(argv[i], argv + i);
        perror("map_timer: exec");
        _exit(127);
    }

    double mappedAt = -1;
    double cpuAtMap = -1;
    xcb_window_t mapped = XCB_WINDOW_NONE;
    /* Drawing into a window before it maps is drawing all the same: kept until the map tells
     * which window counts. */
    enum { kMaxDrawn = 64 };
    xcb_window_t drawnWindows[kMaxDrawn];
    double drawnTimes[kMaxDrawn];
    int drawnCount = 0;
    double drawnAt = -1;
    struct pollfd pfd = {xcb_get_file_descriptor(c), POLLIN, 0};
    while (mappedAt < 0) {
        xcb_generic_event_t* e;
        while (mappedAt < 0 && (e = xcb_poll_for_event(c)) != NULL) {
            const uint8_t type = e->response_type & 0x7f;
            if (type == XCB_CREATE_NOTIFY) {
                const xcb_create_notify_event_t* n = (const xcb_create_notify_event_t*)e;
                xcb_damage_create(c, xcb_generate_id(c), n->window,
                                  XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
                xcb_flush(c);
            } else if (type == damageNotify) {
                const xcb_damage_notify_event_t* n = (const xcb_damage_notify_event_t*)e;
                if (drawnCount < kMaxDrawn) {
                    drawnWindows[drawnCount] = n->drawable;
                    drawnTimes[drawnCount++] = nowMs();
                }
            } else if (type == XCB_MAP_NOTIFY) {
                /* Read before the title's round trips, while the program goes on. */
                const double at = nowMs();
                const double cpu = cpuMs(pid);
                const xcb_map_notify_event_t* m = (const xcb_map_notify_event_t*)e;
                if (!title || nameIs(c, m->window, netWmName, utf8, title) ||
                    nameIs(c, m->window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, title)) {
                    mappedAt = at;
                    cpuAtMap = cpu;
                    mapped = m->window;
                }
            }
            free(e);
        }
        if (mappedAt >= 0)
            break;
        if (xcb_connection_has_error(c)) {
            fprintf(stderr, "map_timer: X connection lost\n");
            stop(pid);
            return 2;
        }
        if (waitpid(pid, NULL, WNOHANG) == pid) {
            fprintf(stderr, "map_timer: %s exited before mapping a window\n", argv[i]);
            return 1;
        }
        if (nowMs() - start > (double)timeoutMs) {
            fprintf(stderr, "map_timer: no window%s%s%s mapped in %ld ms\n",
                    title ? " titled \"" : "", title ? title : "", title ? "\"" : "", timeoutMs);
            stop(pid);
            return 1;
        }
        if (poll(&pfd, 1, 50) < 0 && errno != EINTR) {
            perror("map_timer: poll");
            stop(pid);
            return 2;
        }
    }

    for (int d = 0; d < drawnCount && drawnAt < 0; ++d)
        if (drawnWindows[d] == mapped)
            drawnAt = drawnTimes[d];
    while (drawnAt < 0 && nowMs() - mappedAt < 3000) {
        xcb_generic_event_t* e;
        while (drawnAt < 0 && (e = xcb_poll_for_event(c)) != NULL) {
            if ((e->response_type & 0x7f) == damageNotify &&
                ((const xcb_damage_notify_event_t*)e)->drawable == mapped)
                drawnAt = nowMs();
            free(e);
        }
        if (drawnAt < 0 && poll(&pfd, 1, 20) < 0 && errno != EINTR)
            break;
    }

    /* Idle: the program settles (first paint, deferred work) before its memory is read. */
    struct timespec idle = {idleMs / 1000, (idleMs % 1000) * 1000000L};
    while (nanosleep(&idle, &idle) != 0 && errno == EINTR) {
    }
    if (waitpid(pid, NULL, WNOHANG) == pid) {
        fprintf(stderr, "map_timer: %s exited while idle\n", argv[i]);
        return 1;
    }
    long uss, rss, pss;
    readMemory(pid, &uss, &rss, &pss);
    stop(pid);
    xcb_disconnect(c);
    printf("map_ms=%.1f cpu_ms=%.1f drawn_ms=%.1f uss_kb=%ld rss_kb=%ld pss_kb=%ld\n",
           mappedAt - start, cpuAtMap, drawnAt < 0 ? -1.0 : drawnAt - start, uss, rss, pss);
    return 0;
}
