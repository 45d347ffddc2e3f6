// Figures of the whole program, printed, never asserted:
//
//   app_bench start [N]   process start to the first presented frame of the
//                         main window, N times (a display is needed; the
//                         program is this one, re-run as a child)
//   app_bench idle        resident memory once started, and the CPU the open
//                         window takes over 10 s without a run (a display)
//   app_bench run [S]     a broad run of S seconds (30) against fake-services
//                         answering at once from a generated phrase tree: the
//                         UI loop's turn times and the answers per second (a
//                         display)
//   app_bench copy [N]    N phrases (1,000,000) in the results list copied by
//                         全部选入导出列表: the time and the resident memory of
//                         both lists (headless)
//   app_bench export [N]  N phrases (1,000,000) in the export list saved by
//                         导出为TXT文本文件 into a temporary folder, the dialog
//                         accepting a name at once: the whole command, and the
//                         file's bytes built and written (headless)
//
// A loop turn is the UI thread's busy time between two waits for events:
// the posted steps, the window events, the paints and the due timers of one
// pass of the loop.
//
// bench/app/run.sh starts a private Xvfb and runs them all.

#include "app/main_form.h"
#include "forms/forms.h"
#include "net/webget.h"
#include "platform/desktop.h"
#include "platform/event_loop.h"
#include "platform/headless.h"
#include "platform/sdl_backend.h"
#include "skinned/skin_buttons.h"
#include "skinned/skin_edit.h"
#include "skinned/skin_listbox.h"
#include "skinned/skin_save_dialog.h"
#include "text/cp936.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace lt;

int64_t monotonic_ns()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return int64_t(t.tv_sec) * 1000000000 + t.tv_nsec;
}

double resident_mb()
{
    long pages = 0, resident = 0;
    FILE* f = std::fopen("/proc/self/statm", "r");
    if (f) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

double cpu_seconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Stands between the loop and the desktop: notes when the main window has
// been presented, and the busy time of every loop turn.
class TurnMeter final : public EventSource {
public:
    explicit TurnMeter(Desktop& desktop) : desktop_(desktop) { }

    bool dispatch_pending() override
    {
        const int64_t now = monotonic_ns();
        if (last_dispatch_ > 0 && recording)
            turns.push_back(now - last_dispatch_ - waited_);
        last_dispatch_ = now;
        waited_ = 0;
        const bool any = desktop_.dispatch_pending();
        if (!presented_ns && Form1 && Form1->WindowHandle() && desktop_.image(*Form1->WindowHandle()))
            presented_ns = monotonic_ns();
        return any;
    }
    void wait(int timeout_ms) override
    {
        const int64_t start = monotonic_ns();
        desktop_.wait(timeout_ms);
        waited_ += monotonic_ns() - start;
    }
    void wake() override { desktop_.wake(); }

    int64_t presented_ns = 0;
    bool recording = false;
    std::vector<int64_t> turns;

private:
    Desktop& desktop_;
    int64_t last_dispatch_ = 0;
    int64_t waited_ = 0;
};

// The program as main starts it, on a real display, with the meter in the
// loop. `then` runs once the window has been presented.
int with_window(const std::function<void(TApplication&, TurnMeter&)>& then)
{
    webget_global_init();
    RealClock clock;
    EventLoop loop(clock);
    SdlBackend backend;
    Desktop desktop(loop, backend);
    TurnMeter meter(desktop);
    loop.set_event_source(&meter);
    {
        TApplication app(desktop);
        app.Title = utf8_to_cp936("Norvanta长尾词查询工具");
        app.CreateForm(Form1);
        Timer watch(loop);
        watch.SetInterval(1);
        watch.SetOnTimer([&] {
            if (meter.presented_ns) {
                watch.SetEnabled(false);
                then(app, meter);
            }
        });
        app.Run();
    }
    webget_shutdown(2000);
    return 0;
}

// ---- start -------------------------------------------------------------------------

int child_start()
{
    return with_window([](TApplication& app, TurnMeter& meter) {
        std::printf("%lld\n", static_cast<long long>(meter.presented_ns));
        std::fflush(stdout);
        app.Terminate();
    });
}

int bench_start(const char* self, int times)
{
    std::vector<double> ms;
    for (int i = 0; i < times; ++i) {
        int out[2];
        if (pipe(out) != 0)
            return 1;
        const int64_t t0 = monotonic_ns();
        const pid_t pid = fork();
        if (pid == 0) {
            dup2(out[1], 1);
            close(out[0]);
            execl(self, self, "--child-start", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(out[1]);
        char buf[64] = {};
        const ssize_t n = read(out[0], buf, sizeof buf - 1);
        close(out[0]);
        waitpid(pid, nullptr, 0);
        if (n <= 0) {
            std::fprintf(stderr, "app_bench: the child showed no window (is there a display?)\n");
            return 1;
        }
        ms.push_back(double(std::atoll(buf) - t0) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("start to first presented frame: min %.1f ms, median %.1f ms, max %.1f ms (%d runs)\n", ms.front(),
        ms[ms.size() / 2], ms.back(), times);
    return 0;
}

// ---- idle --------------------------------------------------------------------------

int bench_idle()
{
    return with_window([](TApplication& app, TurnMeter&) {
        EventLoop& loop = app.Loop();
        // Settle, then measure.
        loop.start_timer(2000, [&app, &loop] {
            static bool measuring = false;
            static double cpu0 = 0;
            static int64_t t0 = 0;
            if (!measuring) {
                measuring = true;
                std::printf("resident memory after start: %.1f MB\n", resident_mb());
                cpu0 = cpu_seconds();
                t0 = monotonic_ns();
                return;
            }
            const double wall = double(monotonic_ns() - t0) / 1e9;
            if (wall < 10)
                return;
            std::printf("idle CPU over %.1f s: %.3f %% of one core\n", wall, 100.0 * (cpu_seconds() - cpu0) / wall);
            app.Terminate();
        });
    });
}

// ---- run ---------------------------------------------------------------------------

// A phrase tree: every phrase seo<i> suggests seo<4i+1> .. seo<4i+4> and is
// related to seo<4i+1>r and seo<4i+2>r, so a broad run never runs dry.
std::string write_graph(int phrases)
{
    char path[] = "/tmp/app_bench_graphXXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0)
        return "";
    close(fd);
    std::ofstream out(path);
    out << "seo\tsuggest\tseo1\tseo2\tseo3\tseo4\n";
    for (int i = 1; i < phrases; ++i) {
        out << "seo" << i << "\tsuggest";
        for (int k = 1; k <= 4; ++k)
            out << "\tseo" << 4 * i + k;
        out << "\n";
        out << "seo" << i << "\trelated\tseo" << 4 * i + 1 << "r\tseo" << 4 * i + 2 << "r\n";
    }
    return path;
}

int bench_run(int seconds)
{
    const std::string graph = write_graph(200000);
    char dir[] = "/tmp/app_bench_runXXXXXX";
    if (graph.empty() || !mkdtemp(dir))
        return 1;
    const std::string port_file = std::string(dir) + "/port";
    const pid_t server = fork();
    if (server == 0) {
        execl(LT_FAKE_SERVICES_BIN, LT_FAKE_SERVICES_BIN, "--port-file", port_file.c_str(), graph.c_str(),
            static_cast<char*>(nullptr));
        _exit(127);
    }
    std::string port;
    for (int i = 0; i < 200 && port.empty(); ++i) {
        usleep(50 * 1000);
        std::ifstream(port_file) >> port;
    }
    if (port.empty()) {
        std::fprintf(stderr, "app_bench: fake-services did not start\n");
        kill(server, SIGTERM);
        return 1;
    }
    const std::string host = "127.0.0.1:" + port;
    setenv("LONGTAIL_SUGGEST_HOST", host.c_str(), 1);
    setenv("LONGTAIL_SEARCH_HOST", host.c_str(), 1);
    if (chdir(dir) != 0)
        return 1;

    const int status = with_window([seconds](TApplication& app, TurnMeter& meter) {
        TForm1& f = *Form1;
        f.edit1->SetText("seo");
        meter.recording = true;
        f.skSkinXFormButton1->Click();
        const int64_t t0 = monotonic_ns();
        app.Loop().start_timer(seconds * 1000, [&app, &meter, &f, t0] {
            meter.recording = false;
            const double wall = double(monotonic_ns() - t0) / 1e9;
            f.skSkinXFormButton2->Click();
            std::vector<int64_t> t = meter.turns;
            std::sort(t.begin(), t.end());
            const auto pct = [&](double p) { return t.empty() ? 0.0 : double(t[size_t(p * (t.size() - 1))]) / 1e6; };
            const HarvestRun& run = f.Run();
            const int answers = run.Stats(kSuggestSource).answers + run.Stats(kRelatedSource).answers;
            std::printf("run of %.1f s: %d answers (%.0f per second), %d rows in the results list\n", wall, answers,
                answers / wall, f.skSkinListBox1->Count());
            std::printf("loop turns: %zu, median %.3f ms, 99th percentile %.3f ms, max %.3f ms, over 16 ms: %zu\n",
                t.size(), pct(0.5), pct(0.99), t.empty() ? 0.0 : double(t.back()) / 1e6,
                size_t(std::count_if(t.begin(), t.end(), [](int64_t n) { return n > 16000000; })));
            app.Terminate();
        });
    });
    kill(server, SIGTERM);
    waitpid(server, nullptr, 0);
    std::remove(graph.c_str());
    std::remove(port_file.c_str());
    std::remove((std::string(dir) + "/.ini").c_str());
    rmdir(dir);
    return status;
}

// ---- copy --------------------------------------------------------------------------

// The main window shown on a headless screen with virtual time.
struct HeadlessWindow {
    VirtualClock clock;
    EventLoop loop{clock};
    HeadlessBackend backend{{1024, 768}};
    Desktop desktop{loop, backend};
    TApplication app{desktop};

    HeadlessWindow()
    {
        app.CreateForm(Form1);
        Form1->Show();
        loop.process_pending();
        loop.advance(0);
    }
};

int bench_copy(int phrases)
{
    HeadlessWindow window;
    EventLoop& loop = window.loop;
    TForm1& f = *Form1;
    const double base = resident_mb();

    using clock_type = std::chrono::steady_clock;
    auto t0 = clock_type::now();
    TStrings& results = f.skSkinListBox1->Items();
    const std::string prefix = utf8_to_cp936("长尾词");
    results.BeginUpdate();
    for (int i = 0; i < phrases; ++i)
        results.Add(prefix + std::to_string(i));
    results.EndUpdate();
    loop.advance(0);
    const double fill_s = std::chrono::duration<double>(clock_type::now() - t0).count();
    const double filled = resident_mb();

    t0 = clock_type::now();
    f.skSkinXFormButton4Click(f.skSkinXFormButton4); // 全部选入导出列表
    loop.advance(0);
    const double copy_s = std::chrono::duration<double>(clock_type::now() - t0).count();
    const double copied = resident_mb();

    std::printf("%d phrases (%zu bytes each): filling the results list %.2f s, %.0f bytes per phrase\n", phrases,
        prefix.size() + 6, fill_s, (filled - base) * 1024 * 1024 / phrases);
    std::printf("全部选入导出列表: %.2f s for %d rows; both lists %.0f bytes per phrase (resident %.1f MB, %.1f MB "
                "before the rows)\n",
        copy_s, f.skSkinListBox2->Count(), (copied - base) * 1024 * 1024 / phrases, copied, base);
    return 0;
}

int bench_export(int phrases)
{
    HeadlessWindow window;
    EventLoop& loop = window.loop;
    TForm1& f = *Form1;

    TStrings& rows = f.skSkinListBox2->Items();
    const std::string prefix = utf8_to_cp936("长尾词");
    rows.BeginUpdate();
    for (int i = 0; i < phrases; ++i)
        rows.Add(prefix + std::to_string(i));
    rows.EndUpdate();
    loop.advance(0);

    std::string folder = "/tmp/lt-export-bench-XXXXXX";
    if (!mkdtemp(folder.data()))
        throw std::runtime_error("no temporary folder");
    const std::string path = folder + "/keywords.txt";
    // The dialog accepts the path on its first loop turn.
    TskSkinSaveDialog& dialog = *f.skSkinSaveDialog1;
    dialog.OnShow = [&](TComponent*) {
        loop.post([&] {
            if (TskOpenDlgForm* form = dialog.Form()) {
                form->SetName(path);
                form->SaveClick();
            }
        });
    };
    using clock_type = std::chrono::steady_clock;
    double write_s = 0;
    auto write = f.WriteExport;
    f.WriteExport = [&](const std::string& p, std::string_view bytes) {
        const auto t = clock_type::now();
        write(p, bytes);
        write_s = std::chrono::duration<double>(clock_type::now() - t).count();
    };

    std::printf("%d phrases (%zu bytes each) exported by 导出为TXT文本文件:\n", phrases, prefix.size() + 6);
    for (int round = 0; round < 3; ++round) {
        const auto t0 = clock_type::now();
        f.skSkinXFormButton6Click(f.skSkinXFormButton6);
        const double all_s = std::chrono::duration<double>(clock_type::now() - t0).count();
        struct stat st { };
        stat(path.c_str(), &st);
        std::printf("  the command %.3f s (the dialog, the text, the file); writing %lld bytes %.3f s\n", all_s,
            static_cast<long long>(st.st_size), write_s);
    }
    std::remove(path.c_str());
    rmdir(folder.c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    const int n = argc > 2 ? std::atoi(argv[2]) : 0;
    try {
        if (mode == "--child-start")
            return child_start();
        if (mode == "start")
            return bench_start(argv[0], n > 0 ? n : 5);
        if (mode == "idle")
            return bench_idle();
        if (mode == "run")
            return bench_run(n > 0 ? n : 30);
        if (mode == "copy")
            return bench_copy(n > 0 ? n : 1000000);
        if (mode == "export")
            return bench_export(n > 0 ? n : 1000000);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "app_bench: %s\n", e.what());
        return 1;
    }
    std::fprintf(stderr, "usage: app_bench start [N] | idle | run [SECONDS] | copy [PHRASES] | export [PHRASES]\n");
    return 2;
}
