/* frameprobe: starts a program and measures how long it takes until its window is on the
 * screen with the expected pixels in it.
 *
 *   frameprobe [-p POINTS] [-w WxH] [-i INTERVAL_US] [-l LINGER_MS] [-t TIMEOUT_MS] [-d DUMP -s SETTLE_MS] -- CMD ARGS...
 *
 * The clock starts just before fork(), so the program's whole start-up is counted. The
 * probe listens on the root window for the first top-level window that is mapped (of size
 * WxH if given), then reads that rectangle of the screen back from the X server every
 * INTERVAL_US (-i, default 250 us; MIT-SHM: one cheap request per poll) until every point of POINTS
 * ("x y RRGGBB" per line, relative to the window's corner) shows its colour. Then the
 * program's peak memory is read (VmHWM: wait4's figure would count the probe's own pages,
 * which the child had until exec) and it is ended.
 * With -d, no timing: the window's pixels are written as DUMP.1.ppm after SETTLE_MS and
 * DUMP.2.ppm one second later, from which the caller picks stable points.
 * Prints one line: map_ms frame_ms maxrss_kb polls x y w h (frame_ms -1 on timeout).
 */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <chrono>
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/ipc.h>
#include <sys/resource.h>
#include <sys/shm.h>
#include <sys/wait.h>
#include <unistd.h>

#define MAX_POINTS 65536

struct point { int x, y; unsigned long rgb; };

static struct point points[MAX_POINTS];
static int npoints;

static double now_ms(void)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

static void die(const char *what)
{
    fprintf(stderr, "frameprobe: %s\n", what);
    exit(2);
}

static void read_points(const char *path)
{
    FILE *f = fopen(path, "r");
    if (!f) die("cannot open the points file");
    while (npoints < MAX_POINTS &&
           fscanf(f, "%d %d %lx", &points[npoints].x, &points[npoints].y, &points[npoints].rgb) == 3)
        npoints++;
    fclose(f);
    if (npoints == 0) die("no points");
}

/* The screen rectangle of the window, clipped to the root; reallocated when it changes. */
struct grab {
    int x, y, w, h; /* the window on the screen */
    int ix, iy;     /* where the readable part starts inside the window */
    XImage *image;
    XShmSegmentInfo shm;
};

static void grab_release(Display *dpy, struct grab *g)
{
    if (!g->image) return;
    XShmDetach(dpy, &g->shm);
    XDestroyImage(g->image);
    shmdt(g->shm.shmaddr);
    g->image = NULL;
}

static void grab_setup(Display *dpy, struct grab *g, int x, int y, int w, int h)
{
    int screen = DefaultScreen(dpy);
    int sw = DisplayWidth(dpy, screen), sh = DisplayHeight(dpy, screen);
    grab_release(dpy, g);
    g->x = x, g->y = y, g->w = w, g->h = h;
    /* Only the part that is on the screen can be read. */
    int x0 = x < 0 ? 0 : x, y0 = y < 0 ? 0 : y;
    int x1 = x + w > sw ? sw : x + w, y1 = y + h > sh ? sh : y + h;
    if (x1 <= x0 || y1 <= y0) return;
    g->image = XShmCreateImage(dpy, DefaultVisual(dpy, screen), DefaultDepth(dpy, screen), ZPixmap, NULL,
                               &g->shm, x1 - x0, y1 - y0);
    if (!g->image) die("XShmCreateImage failed");
    g->shm.shmid = shmget(IPC_PRIVATE, g->image->bytes_per_line * g->image->height, IPC_CREAT | 0600);
    if (g->shm.shmid < 0) die("shmget failed");
    g->shm.shmaddr = g->image->data = static_cast<char *>(shmat(g->shm.shmid, NULL, 0));
    g->shm.readOnly = False;
    XShmAttach(dpy, &g->shm);
    XSync(dpy, False);
    shmctl(g->shm.shmid, IPC_RMID, NULL); /* freed when both sides detach */
    g->ix = x0 - x, g->iy = y0 - y;
}

static int grab_read(Display *dpy, struct grab *g)
{
    if (!g->image) return 0;
    return XShmGetImage(dpy, DefaultRootWindow(dpy), g->image, g->x + g->ix, g->y + g->iy, AllPlanes);
}

/* The colour at a point of the window, or -1 where it is off the screen. */
static long grab_pixel(struct grab *g, int x, int y)
{
    if (!g->image) return -1;
    int ix = x - g->ix, iy = y - g->iy;
    if (ix < 0 || iy < 0 || ix >= g->image->width || iy >= g->image->height) return -1;
    return (long)(XGetPixel(g->image, ix, iy) & 0xffffff);
}

/* Peak resident memory of a process in kB, or -1. */
static long peak_kb(pid_t pid)
{
    char path[64], line[256];
    long kb = -1;
    snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
    FILE *f = fopen(path, "r");
    if (!f) return -1;
    while (fgets(line, sizeof line, f))
        if (sscanf(line, "VmHWM: %ld", &kb) == 1) break;
    fclose(f);
    return kb;
}

static int all_points_match(struct grab *g)
{
    for (int i = 0; i < npoints; i++)
        if (grab_pixel(g, points[i].x, points[i].y) != (long)points[i].rgb) return 0;
    return 1;
}

static void dump_ppm(struct grab *g, const char *path)
{
    FILE *f = fopen(path, "wb");
    if (!f) die("cannot write the dump");
    fprintf(f, "P6\n%d %d\n255\n", g->w, g->h);
    for (int y = 0; y < g->h; y++)
        for (int x = 0; x < g->w; x++) {
            long p = grab_pixel(g, x, y);
            if (p < 0) p = 0;
            unsigned char rgb[3] = {(unsigned char)(p >> 16), (unsigned char)(p >> 8), (unsigned char)p};
            fwrite(rgb, 1, 3, f);
        }
    fclose(f);
}

/* Waits up to `ms` for an X event; returns 1 if one is pending. */
static int wait_event(Display *dpy, double ms)
{
    if (XPending(dpy)) return 1;
    struct pollfd p = {ConnectionNumber(dpy), POLLIN, 0};
    return poll(&p, 1, ms < 0 ? 0 : (int)ms) > 0 && XPending(dpy);
}

int main(int argc, char **argv)
{
    const char *points_path = NULL, *dump = NULL;
    int want_w = 0, want_h = 0, linger_ms = 0, timeout_ms = 10000, settle_ms = 2000, interval_us = 250, opt;
    while ((opt = getopt(argc, argv, "p:w:l:t:d:s:i:")) != -1) {
        switch (opt) {
        case 'p': points_path = optarg; break;
        case 'w': if (sscanf(optarg, "%dx%d", &want_w, &want_h) != 2) die("-w wants WxH"); break;
        case 'l': linger_ms = atoi(optarg); break;
        case 't': timeout_ms = atoi(optarg); break;
        case 'd': dump = optarg; break;
        case 's': settle_ms = atoi(optarg); break;
        case 'i': interval_us = atoi(optarg); break;
        default: die("bad option");
        }
    }
    if (optind >= argc) die("no command");
    if (!dump && !points_path) die("need -p or -d");
    if (points_path) read_points(points_path);

    /* Xvfb now and then refuses a connection while it tears down the last program's. */
    Display *dpy = NULL;
    for (int tries = 0; !dpy && tries < 100; tries++)
        if (!(dpy = XOpenDisplay(NULL))) usleep(20000);
    if (!dpy) die("cannot open the display");
    if (!XShmQueryExtension(dpy)) die("no MIT-SHM");
    fcntl(ConnectionNumber(dpy), F_SETFD, FD_CLOEXEC);
    Window root = DefaultRootWindow(dpy);
    XSelectInput(dpy, root, SubstructureNotifyMask);
    XSync(dpy, False);

    double t0 = now_ms();
    pid_t pid = fork();
    if (pid < 0) die("fork failed");
    if (pid == 0) {
        setpgid(0, 0); /* its own group: whatever it starts is ended with it */
        int null = open("/dev/null", O_RDWR);
        dup2(null, 1), dup2(null, 2);
        execvp(argv[optind], argv + optind);
        _exit(127);
    }

    Window target = None;
    struct grab g = {};
    double map_ms = -1, frame_ms = -1;
    long polls = 0;
    while (now_ms() - t0 < timeout_ms) {
        /* Before the map: sleep in poll(), so the probe costs the starting program nothing. */
        if (target == None ? wait_event(dpy, 50) : XPending(dpy)) {
            XEvent e;
            XNextEvent(dpy, &e);
            if (e.type == MapNotify && target == None) {
                XWindowAttributes a;
                if (!XGetWindowAttributes(dpy, e.xmap.window, &a)) continue;
                if (want_w && (a.width != want_w || a.height != want_h)) continue;
                map_ms = now_ms() - t0;
                target = e.xmap.window;
                grab_setup(dpy, &g, a.x, a.y, a.width, a.height);
            } else if (e.type == ConfigureNotify && e.xconfigure.window == target) {
                grab_setup(dpy, &g, e.xconfigure.x, e.xconfigure.y, e.xconfigure.width, e.xconfigure.height);
            }
            continue;
        }
        if (target == None) {
            if (waitpid(pid, NULL, WNOHANG) == pid) die("the program ended before showing a window");
            continue;
        }
        if (dump) {
            double settled = map_ms + settle_ms;
            if (now_ms() - t0 < settled) { wait_event(dpy, settled - (now_ms() - t0)); continue; }
            char path[4096];
            grab_read(dpy, &g);
            snprintf(path, sizeof path, "%s.1.ppm", dump);
            dump_ppm(&g, path);
            while (now_ms() - t0 < settled + 1000)
                if (wait_event(dpy, settled + 1000 - (now_ms() - t0))) {
                    XEvent e;
                    XNextEvent(dpy, &e);
                }
            grab_read(dpy, &g);
            snprintf(path, sizeof path, "%s.2.ppm", dump);
            dump_ppm(&g, path);
            frame_ms = 0;
            break;
        }
        polls++;
        if (grab_read(dpy, &g) && all_points_match(&g)) {
            frame_ms = now_ms() - t0;
            break;
        }
        /* Not a busy loop: on two cores, a probe and an X server copying without pause would
         * take the CPU from the very program being timed (about +20 ms measured). */
        if (interval_us > 0) usleep(interval_us);
    }

    if (linger_ms > 0 && frame_ms >= 0) usleep(linger_ms * 1000);
    long peak = peak_kb(pid);
    kill(-pid, SIGTERM);
    kill(pid, SIGTERM);
    struct rusage usage = {};
    int status;
    double end = now_ms() + 2000;
    while (wait4(pid, &status, WNOHANG, &usage) == 0) {
        if (now_ms() > end) { kill(-pid, SIGKILL); kill(pid, SIGKILL); }
        usleep(1000);
    }
    printf("%.3f %.3f %ld %ld %d %d %d %d\n", map_ms, frame_ms, peak >= 0 ? peak : usage.ru_maxrss, polls, g.x, g.y,
           g.w, g.h);
    grab_release(dpy, &g);
    XCloseDisplay(dpy);
    return frame_ms < 0;
}
