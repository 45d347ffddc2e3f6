#pragma once
// What the real-window smoke tests share: child processes talked to through
// pipes (a private Xvfb server, a probe program), the X tools run against
// the private display, and reading the screen's pixels back with xwd and
// convert. Every process started here is stopped by its pid.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace lt::test {

inline bool on_path(const std::string& tool)
{
    return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
}

// The first of the tools that is not installed, or "" when all are.
inline std::string missing_tool(const std::vector<std::string>& tools)
{
    for (const std::string& t : tools)
        if (!on_path(t))
            return t;
    return "";
}

// A child process with its stdout (or another descriptor) readable through a
// pipe and, when asked for, its stdin writable through another.
struct Child {
    pid_t pid = -1;
    int out = -1;
    int in = -1;

    void start(const std::vector<std::string>& argv, const std::vector<std::string>& env, int extra_fd = -1,
        bool with_stdin = false)
    {
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        int to_child[2] = {-1, -1};
        if (with_stdin) {
            ASSERT_EQ(pipe(to_child), 0);
        }
        pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            dup2(fds[1], extra_fd >= 0 ? extra_fd : 1);
            if (extra_fd >= 0) {
                int devnull = open("/dev/null", O_WRONLY);
                dup2(devnull, 1);
            }
            if (with_stdin) {
                dup2(to_child[0], 0);
                close(to_child[1]);
            }
            for (const std::string& e : env)
                putenv(const_cast<char*>(e.c_str()));
            std::vector<char*> args;
            for (const std::string& a : argv)
                args.push_back(const_cast<char*>(a.c_str()));
            args.push_back(nullptr);
            execvp(args[0], args.data());
            _exit(127);
        }
        close(fds[1]);
        out = fds[0];
        if (with_stdin) {
            close(to_child[0]);
            in = to_child[1];
        }
    }

    // Reads one line, waiting at most timeout_ms; empty on time-out or end.
    std::string read_line(int timeout_ms)
    {
        std::string line;
        char c;
        while (true) {
            pollfd p{out, POLLIN, 0};
            if (poll(&p, 1, timeout_ms) <= 0)
                return "";
            if (read(out, &c, 1) != 1)
                return line;
            if (c == '\n')
                return line;
            line.push_back(c);
        }
    }

    // Writes one line to the child's stdin.
    void write_line(const std::string& line)
    {
        std::string text = line + "\n";
        ASSERT_EQ(write(in, text.data(), text.size()), static_cast<ssize_t>(text.size()));
    }

    void stop()
    {
        if (in >= 0) {
            close(in);
            in = -1;
        }
        if (pid > 0) {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
            pid = -1;
        }
        if (out >= 0) {
            close(out);
            out = -1;
        }
    }
    ~Child() { stop(); }
};

// Why a real-window test must skip (a tool it needs is not installed), or ""
// when it can run.
inline std::string xvfb_skip_reason()
{
    if (const std::string tool = missing_tool({"Xvfb", "xdotool", "xwd", "convert"}); !tool.empty())
        return tool + " is not installed; the real-window smoke test needs Xvfb, xdotool, xwd and convert";
    return "";
}

// Starts a private Xvfb server on a display it picks itself; display is
// empty when it did not report one.
struct XvfbServer {
    Child server;
    std::string display;

    void start()
    {
        server.start({"Xvfb", "-displayfd", "3", "-screen", "0", "1024x768x24", "-nolisten", "tcp"}, {}, 3);
        std::string number = server.read_line(10000);
        if (!number.empty())
            display = ":" + number;
    }
    void stop() { server.stop(); }
};

// A probe program on a private Xvfb display, run as an SDL program runs
// there (the x11 video driver, no framebuffer acceleration); its stdout, and
// its stdin when asked for, through the pipes of `probe`.
struct XvfbProbe {
    XvfbServer xvfb;
    Child probe;

    // A fatal failure when Xvfb reports no display (wrap the call in
    // ASSERT_NO_FATAL_FAILURE).
    void start(const std::string& program, bool with_stdin = false)
    {
        xvfb.start();
        ASSERT_FALSE(xvfb.display.empty()) << "Xvfb did not report a display";
        probe.start({program}, {"DISPLAY=" + xvfb.display, "SDL_VIDEODRIVER=x11", "SDL_FRAMEBUFFER_ACCELERATION=0"}, -1,
            with_stdin);
    }
    void stop()
    {
        probe.stop();
        xvfb.stop();
    }
};

// Runs a shell command against the display and returns its output without
// the trailing line break.
inline std::string run(const std::string& display, const std::string& command)
{
    std::string out;
    FILE* f = popen(("DISPLAY=" + display + " " + command).c_str(), "r");
    if (!f)
        return out;
    char buf[256];
    while (fgets(buf, sizeof buf, f))
        out += buf;
    pclose(f);
    while (!out.empty() && (out.back() == '\n' || out.back() == ' '))
        out.pop_back();
    return out;
}

// "r,g,b" of one screen pixel.
inline std::string pixel(const std::string& display, int x, int y)
{
    std::string p = "p{" + std::to_string(x) + "," + std::to_string(y) + "}";
    return run(display,
        "xwd -root -silent | convert xwd:- -format '%[fx:int(255*" + p + ".r+0.5)],%[fx:int(255*" + p +
            ".g+0.5)],%[fx:int(255*" + p + ".b+0.5)]' info:");
}

// Reads the pixel until it shows `want` or about two seconds pass: the X
// server shows a paint a moment after the program sent it.
inline std::string pixel_settled(const std::string& display, int x, int y, const std::string& want)
{
    std::string got;
    for (int i = 0; i < 20; ++i) {
        got = pixel(display, x, y);
        if (got == want)
            break;
        usleep(100 * 1000);
    }
    return got;
}

// A digest of the pixels of a screen rectangle, to see whether it changed.
inline std::string area_digest(const std::string& display, int x, int y, int w, int h)
{
    return run(display,
        "xwd -root -silent | convert xwd:- -crop " + std::to_string(w) + "x" + std::to_string(h) + "+" +
            std::to_string(x) + "+" + std::to_string(y) + " +repage -format '%#' info:");
}

// Reads the digest of a screen rectangle until it differs from `before` or
// about two seconds pass, and returns the last one read: a paint shows on the
// X server a moment after the program sent it.
inline std::string area_digest_changed(
    const std::string& display, int x, int y, int w, int h, const std::string& before)
{
    std::string after;
    for (int i = 0; i < 20 && (after.empty() || after == before); ++i) {
        usleep(100 * 1000);
        after = area_digest(display, x, y, w, h);
    }
    return after;
}

} // namespace lt::test
