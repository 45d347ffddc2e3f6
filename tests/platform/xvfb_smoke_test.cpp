// Opens a real SDL window on a private Xvfb display (no window manager),
// clicks it, types into it, opens a popup from it and drags it with
// xdotool, and reads the screen's pixels back with xwd and convert.
// Every process started here is stopped by its pid.

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

namespace {

bool on_path(const std::string& tool)
{
    return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
}

// A child process with its stdout readable through a pipe.
struct Child {
    pid_t pid = -1;
    int out = -1;

    void start(const std::vector<std::string>& argv, const std::vector<std::string>& env, int extra_fd = -1)
    {
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            dup2(fds[1], extra_fd >= 0 ? extra_fd : 1);
            if (extra_fd >= 0) {
                int devnull = open("/dev/null", O_WRONLY);
                dup2(devnull, 1);
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

    void stop()
    {
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

std::string run(const std::string& display, const std::string& command)
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
std::string pixel(const std::string& display, int x, int y)
{
    std::string p = "p{" + std::to_string(x) + "," + std::to_string(y) + "}";
    return run(display,
        "xwd -root -silent | convert xwd:- -format '%[fx:int(255*" + p + ".r+0.5)],%[fx:int(255*" + p +
            ".g+0.5)],%[fx:int(255*" + p + ".b+0.5)]' info:");
}

// Reads the pixel until it shows `want` or about two seconds pass: the X
// server shows a paint a moment after the program sent it.
std::string pixel_settled(const std::string& display, int x, int y, const std::string& want)
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

TEST(XvfbSmoke, RealWindowShowsItsShapeAndPaintsAndAnswersClicksKeysAndDrags)
{
    for (const char* tool : {"Xvfb", "xdotool", "xwd", "convert"}) {
        if (!on_path(tool))
            GTEST_SKIP() << tool
                         << " is not installed; the real-window smoke test needs Xvfb, xdotool, xwd and convert";
    }
    Child xvfb;
    xvfb.start({"Xvfb", "-displayfd", "3", "-screen", "0", "1024x768x24", "-nolisten", "tcp"}, {}, 3);
    std::string number = xvfb.read_line(10000);
    ASSERT_FALSE(number.empty()) << "Xvfb did not report a display";
    const std::string display = ":" + number;

    Child probe;
    probe.start({LT_XVFB_PROBE}, {"DISPLAY=" + display, "SDL_VIDEODRIVER=x11", "SDL_FRAMEBUFFER_ACCELERATION=0"});
    ASSERT_EQ(probe.read_line(10000), "ready");

    EXPECT_EQ(pixel_settled(display, 100, 100, "255,0,0"), "255,0,0") << "the client's red paint is on screen";
    EXPECT_EQ(pixel_settled(display, 100, 55, "0,0,255"), "0,0,255") << "the caption strip";
    EXPECT_EQ(pixel(display, 20, 20), "0,0,0") << "outside the window";
    EXPECT_EQ(pixel(display, 240, 190), "0,0,0") << "the region's notch shows the screen behind";
    EXPECT_EQ(pixel(display, 220, 190), "255,0,0");

    run(display, "xdotool mousemove 100 100 click 1");
    EXPECT_EQ(probe.read_line(5000), "clicked");
    EXPECT_EQ(pixel_settled(display, 100, 100, "0,255,0"), "0,255,0");

    run(display, "xdotool type 'a Z'");
    EXPECT_EQ(probe.read_line(5000), "char 97");
    EXPECT_EQ(probe.read_line(5000), "char 32");
    EXPECT_EQ(probe.read_line(5000), "char 90");

    // A popup shows without taking the keys from the main window.
    run(display, "xdotool mousemove 120 120 click 3");
    EXPECT_EQ(probe.read_line(5000), "popup");
    EXPECT_EQ(pixel_settled(display, 140, 140, "255,255,0"), "255,255,0");
    run(display, "xdotool type b");
    EXPECT_EQ(probe.read_line(5000), "char 98");
    run(display, "xdotool mousemove 130 130 click 1");
    EXPECT_EQ(probe.read_line(5000), "popup click main active");

    // Our own move loop drags the borderless window by its caption; there
    // is no window manager on this display.
    EXPECT_EQ(pixel_settled(display, 100, 100, "0,255,0"), "0,255,0");
    run(display, "xdotool mousemove 100 58 mousedown 1 mousemove 150 90 mousemove 200 158 mouseup 1");
    EXPECT_EQ(probe.read_line(5000), "moved 150 150");
    EXPECT_EQ(pixel_settled(display, 200, 200, "0,255,0"), "0,255,0") << "the window at its new place";
    EXPECT_EQ(pixel_settled(display, 100, 100, "0,0,0"), "0,0,0") << "its old place is bare";
    EXPECT_EQ(pixel(display, 340, 290), "0,0,0") << "the notch moved with the window";
    EXPECT_EQ(pixel(display, 320, 290), "0,255,0");

    probe.stop();
    xvfb.stop();
}

} // namespace
