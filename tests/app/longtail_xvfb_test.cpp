// longtail started as a user starts it, on a private Xvfb display (no window
// manager), against fake services in this process: xdotool types a seed into
// the keyword box, turns broad expansion off, presses 查询, waits for the run
// to end, double-clicks a row into the export list, runs 导出所有关键词到导出列表
// from the results list's context menu and closes the window with the
// frame's close button. What the screen shows is checked row by row: a row
// band that shows text differs from the same band of the empty list. A
// second run exports every row through the save dialog and checks the file.
//
// The window is 835 x 660, centred on the 1024 x 768 screen at (95, 54);
// the places below are the design's (the layout test checks them).

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "tests/platform/xvfb_session.h"
#include "tools/fake-services/fake_server.h"

namespace lt::test {
namespace {

// Seed seo, narrow, must-contain on: 网站优化 is dropped by the filter and
// the rows are seo, seo优化, SEO教程, seo优化方法, seo教程视频.
const char kGraph[] = "seo\tsuggest\tseo优化\tSEO教程\t网站优化\n"
                      "seo优化\tsuggest\tseo优化方法\n"
                      "SEO教程\tsuggest\tseo教程视频\n";
constexpr int kRows = 5;
// Each fetch is sent twice (the range repeat); the seed is asked lower-cased
// first and then as typed.
constexpr int kRequests = 2 * (kRows + 1);

// Screen places (window at 95, 54; client at 99, 81).
constexpr int kEditX = 314, kEditY = 105;
constexpr int kBroadX = 448, kBroadY = 131;
constexpr int kQueryX = 479, kQueryY = 102;
constexpr int kCloseX = 95 + 821, kCloseY = 54 + 15;
// Row bands of the two lists: 20 pixels from y 307; the text starts a few
// pixels in from each list's left edge.
constexpr int kResultsX = 102, kExportX = 516, kRowsY = 307, kRowHeight = 20, kBandWidth = 200;
// The list buttons' strip: 全部选入导出列表 and 导出为TXT文本文件, 121 x 25 at
// client (8, 174) and (416, 174).
constexpr int kCopyAllX = 99 + 8 + 60, kExportButtonX = 99 + 416 + 60, kListButtonsY = 81 + 174 + 12;

std::string At(int x, int y)
{
    return std::to_string(x) + " " + std::to_string(y);
}

struct Screen {
    std::string display;
    std::string Band(int x, int row) const
    {
        return area_digest(display, x, kRowsY + row * kRowHeight + 2, kBandWidth, 16);
    }
    // The band once it differs from `before`, read again for up to 5 s: a
    // paint shows on the X server a moment after the program sent it, and
    // later still on a loaded machine.
    std::string BandChanged(int x, int row, const std::string& before) const
    {
        std::string now = Band(x, row);
        for (int i = 0; i < 50 && now == before; ++i) {
            usleep(100 * 1000);
            now = Band(x, row);
        }
        return now;
    }
    void Xdo(const std::string& args) const { run(display, "xdotool " + args); }
};

// longtail on its own Xvfb display against fake services in this process.
struct LongtailXvfb : ::testing::Test {
    std::unique_ptr<fake::FakeServer> server;
    XvfbServer xvfb;
    Child longtail;
    Screen screen;
    std::string id; // the main window

    // Starts the services, the display and the program, and waits for the
    // window; skips without the tools.
    void Start()
    {
        if (const std::string reason = xvfb_skip_reason(); !reason.empty())
            GTEST_SKIP() << reason;
        std::string error;
        auto graph = fake::PhraseGraph::parse(kGraph, &error);
        ASSERT_TRUE(graph) << error;
        server = std::make_unique<fake::FakeServer>(*graph);
        ASSERT_TRUE(server->start());
        const std::string host = "127.0.0.1:" + std::to_string(server->port());

        xvfb.start();
        ASSERT_FALSE(xvfb.display.empty()) << "Xvfb did not report a display";
        screen.display = xvfb.display;
        longtail.start({LT_LONGTAIL_BIN},
            {"DISPLAY=" + xvfb.display, "SDL_VIDEODRIVER=x11", "SDL_FRAMEBUFFER_ACCELERATION=0",
                "LONGTAIL_SUGGEST_HOST=" + host, "LONGTAIL_SEARCH_HOST=" + host,
                "http_proxy=", "https_proxy=", "all_proxy="});
        // The window is up once its title can be found.
        id = WaitForWindow("Norvanta");
        ASSERT_FALSE(id.empty()) << "no window titled Norvanta...";
        usleep(300 * 1000);
    }

    // The first window whose title holds `name`, waiting up to 10 s.
    std::string WaitForWindow(const std::string& name) const
    {
        std::string found;
        for (int i = 0; i < 100 && found.empty(); ++i) {
            found = run(xvfb.display, "xdotool search --name " + name + " 2>/dev/null | head -1");
            if (found.empty())
                usleep(100 * 1000);
        }
        return found;
    }

    // Types the seed seo, turns broad expansion off, presses 查询 and waits
    // for the run's last request.
    void Harvest()
    {
        screen.Xdo("mousemove " + At(kEditX, kEditY) + " click 1");
        usleep(200 * 1000);
        screen.Xdo("type seo");
        screen.Xdo("mousemove " + At(kBroadX, kBroadY) + " click 1");
        screen.Xdo("mousemove " + At(kQueryX, kQueryY) + " click 1");
        for (int i = 0; i < 100 && server->arrivals() < kRequests; ++i)
            usleep(100 * 1000);
        EXPECT_EQ(server->arrivals(), kRequests);
        usleep(500 * 1000);
    }

    // Presses the frame's close button; the program must end with status 0.
    void Close()
    {
        screen.Xdo("mousemove " + At(kCloseX, kCloseY) + " click 1");
        int status = -1;
        for (int i = 0; i < 50; ++i) {
            if (waitpid(longtail.pid, &status, WNOHANG) == longtail.pid) {
                longtail.pid = -1;
                break;
            }
            usleep(100 * 1000);
        }
        ASSERT_EQ(longtail.pid, -1) << "longtail did not end after its close button";
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    }

    void TearDown() override
    {
        longtail.stop();
        xvfb.stop();
    }
};

TEST_F(LongtailXvfb, HarvestPickAndCloseInARealWindow)
{
    Start();
    if (IsSkipped() || HasFatalFailure())
        return;
    const std::string geometry = run(xvfb.display, "xdotool getwindowgeometry " + id);
    EXPECT_NE(geometry.find("Position: 95,54"), std::string::npos) << geometry;
    EXPECT_NE(geometry.find("Geometry: 835x660"), std::string::npos) << geometry;

    std::string empty_results[kRows + 1], empty_export[kRows + 1];
    for (int r = 0; r <= kRows; ++r) {
        empty_results[r] = screen.Band(kResultsX, r);
        empty_export[r] = screen.Band(kExportX, r);
    }

    // The run ends after its last request; the rows then stand still.
    Harvest();
    EXPECT_EQ(server->arrivals(), kRequests) << "nothing more was asked";
    for (int r = 0; r < kRows; ++r)
        EXPECT_NE(screen.BandChanged(kResultsX, r, empty_results[r]), empty_results[r])
            << "results row " << r << " shows text";
    EXPECT_EQ(screen.Band(kResultsX, kRows), empty_results[kRows]) << "no row " << kRows;
    run(xvfb.display, "xwd -root -silent | convert xwd:- " LT_SHOT_DIR "/longtail_xvfb_run.png");

    // A double-click puts row 2 into the export list.
    screen.Xdo("mousemove " + At(kResultsX + 40, kRowsY + 2 * kRowHeight + 10) + " click --repeat 2 --delay 80 1");
    EXPECT_NE(screen.BandChanged(kExportX, 0, empty_export[0]), empty_export[0]) << "export row 0";
    EXPECT_EQ(screen.Band(kExportX, 1), empty_export[1]);

    // The context menu opens on its first item; the second copies all rows.
    screen.Xdo("mousemove " + At(kResultsX + 40, kRowsY + 10) + " click 3");
    usleep(300 * 1000);
    screen.Xdo("key Down Return");
    usleep(500 * 1000);
    for (int r = 0; r < kRows; ++r)
        EXPECT_NE(screen.BandChanged(kExportX, r, empty_export[r]), empty_export[r]) << "export row " << r;
    EXPECT_EQ(screen.Band(kExportX, kRows), empty_export[kRows]) << "each phrase once";
    run(xvfb.display, "xwd -root -silent | convert xwd:- " LT_SHOT_DIR "/longtail_xvfb_export.png");

    // The frame's close button ends the program.
    Close();
}

// The export end to end: the same harvest, 全部选入导出列表 copies every row,
// 导出为TXT文本文件 opens the save dialog, an absolute path typed into its
// name box and Save write the file, which holds the rows in code page 936
// with CR LF and got the type's ".txt".
TEST_F(LongtailXvfb, HarvestCopyAllAndExportThroughTheDialog)
{
    Start();
    if (IsSkipped() || HasFatalFailure())
        return;
    std::string folder = "/tmp/lt-export-XXXXXX";
    ASSERT_NE(mkdtemp(folder.data()), nullptr);
    Harvest();

    screen.Xdo("mousemove " + At(kCopyAllX, kListButtonsY) + " click 1");
    usleep(300 * 1000);
    screen.Xdo("mousemove " + At(kExportButtonX, kListButtonsY) + " click 1");
    // The dialog is its own top-level window, titled 导出为TXT文件.
    const std::string dialog = WaitForWindow("TXT");
    ASSERT_FALSE(dialog.empty()) << "the save dialog did not open";
    usleep(500 * 1000);
    // Client 450 x 290 inside the frame, centred on the screen.
    const std::string geometry = run(xvfb.display, "xdotool getwindowgeometry " + dialog);
    EXPECT_NE(geometry.find("Geometry: 458x321"), std::string::npos) << geometry;
    int left = -1, top = -1;
    const size_t at = geometry.find("Position: ");
    ASSERT_NE(at, std::string::npos) << geometry;
    ASSERT_EQ(std::sscanf(geometry.c_str() + at, "Position: %d,%d", &left, &top), 2) << geometry;
    EXPECT_NEAR(left, (1024 - 458) / 2, 1) << "centred";
    EXPECT_NEAR(top, (768 - 321) / 2, 1) << "centred";

    // The name box has the focus when the dialog opens.
    screen.Xdo("type --delay 20 " + folder + "/keywords");
    usleep(300 * 1000);
    run(xvfb.display,
        "xwd -root -silent | convert xwd:- -crop 458x321+" + std::to_string(left) + "+" + std::to_string(top) +
            " +repage " LT_SHOT_DIR "/longtail_xvfb_dialog.png");
    // Save: 70 x 25 at 10 from the client's right edge, 10 below the bottom
    // strip's top (client 4, 27 inside the frame).
    screen.Xdo("mousemove " + At(left + 4 + 450 - 80 + 35, top + 27 + 290 - 80 + 10 + 12) + " click 1");
    const std::string file = folder + "/keywords.txt";
    std::string bytes;
    for (int i = 0; i < 30 && bytes.empty(); ++i) {
        usleep(100 * 1000);
        std::ifstream in(file, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    // seo, seo优化, SEO教程, seo优化方法, seo教程视频 in code page 936.
    EXPECT_EQ(bytes,
        "seo\r\nseo\xD3\xC5\xBB\xAF\r\nSEO\xBD\xCC\xB3\xCC\r\nseo\xD3\xC5\xBB\xAF\xB7\xBD\xB7\xA8\r\n"
        "seo\xBD\xCC\xB3\xCC\xCA\xD3\xC6\xB5\r\n");
    EXPECT_TRUE(run(xvfb.display, "xdotool search --name TXT 2>/dev/null").empty()) << "the dialog closed";
    run(xvfb.display, "xwd -root -silent | convert xwd:- " LT_SHOT_DIR "/longtail_xvfb_exported.png");
    std::remove(file.c_str());
    rmdir(folder.c_str());

    Close();
}

// Without a display: one line that names the command-line harvester and
// Xvfb, and status 2.
TEST_F(LongtailXvfb, WithoutADisplayItSaysSoInOneLine)
{
    FILE* p = popen("env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER " LT_LONGTAIL_BIN " 2>&1", "r");
    ASSERT_NE(p, nullptr);
    std::string out;
    char buf[512];
    while (fgets(buf, sizeof buf, p))
        out += buf;
    const int status = pclose(p);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << status;
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1) << out;
    EXPECT_NE(out.find("longtail-harvest"), std::string::npos) << out;
    EXPECT_NE(out.find("Xvfb"), std::string::npos) << out;
}

} // namespace
} // namespace lt::test
