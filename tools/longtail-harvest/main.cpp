// longtail-harvest: one harvest run from the command line.
//
// It stands in for the window: the seed is the keyword box, --narrow and
// --any clear the two check boxes (both start checked, as in the window),
// Query is pressed once, and Stop after --max-seconds or on Ctrl-C. When the
// run has ended and no request is still fetching, the results list is printed
// one row per line in UTF-8 (and written to the export file when asked).
// After Stop, requests still in flight get a short grace and are then
// cancelled, so the program ends even when a server never finishes.
//
// Either chain may take its source from a profile file (--sources, --suggest,
// --related, or the LONGTAIL_* variables the window reads); a run that does
// so prints each chain's statistics on stderr at the end. A default run
// prints what it always printed.
//
// Sections: command line - the host (the window's part of the run) - main.

#include "harvest/export_file.h"
#include "harvest/harvest_run.h"
#include "net/webget.h"
#include "platform/event_loop.h"
#include "platform/timer.h"
#include "text/cp936.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace lt {
namespace {

const char kUsage[] =
    "usage: longtail-harvest [--narrow] [--any] [--max-seconds N] [--export FILE] [--quiet] [--verbose]\n"
    "                        [--sources FILE] [--suggest NAME] [--related NAME] [--stats FILE] SEED\n"
    "       longtail-harvest [--sources FILE] --list-sources\n";
const char kHelp[] = "Harvests long-tail keywords for SEED from the suggestion service and, unless\n"
                     "--narrow, the related searches of the web search; prints the results list,\n"
                     "one phrase per line in UTF-8, once the run has ended.\n"
                     "\n"
                     "  --narrow         do not walk the related searches (broad expansion off)\n"
                     "  --any            admit phrases that do not contain SEED (must-contain off)\n"
                     "  --max-seconds N  press Stop after N seconds (Ctrl-C presses it too)\n"
                     "  --export FILE    also write the results to FILE: code page 936, CR LF after\n"
                     "                   every row\n"
                     "  --quiet          do not print the status texts to stderr\n"
                     "  --verbose        print why each failed request failed, on stderr\n"
                     "  --sources FILE   read source profiles from FILE (INI)\n"
                     "  --suggest NAME   the suggestion chain asks the profile NAME\n"
                     "  --related NAME   the related chain asks the profile NAME\n"
                     "  --stats FILE     write each chain's statistics to FILE as JSON\n"
                     "  --list-sources   print the profiles that can be chosen and exit\n"
                     "  --help           print this help\n"
                     "\n"
                     "The built-in profiles soso-suggest and baidu-related are the defaults.\n"
                     "Environment: LONGTAIL_SUGGEST_HOST and LONGTAIL_SEARCH_HOST (host or host:port)\n"
                     "replace the hosts of the built-in profiles; LONGTAIL_SOURCES,\n"
                     "LONGTAIL_SUGGEST_SOURCE and LONGTAIL_RELATED_SOURCE stand for --sources,\n"
                     "--suggest and --related when those are not given; LONGTAIL_NO_PROGRESS_SECONDS\n"
                     "and LONGTAIL_FETCH_DEADLINE_SECONDS replace a request's time limits (60 s\n"
                     "without a byte, 120 s in all); SSL_CERT_FILE names the CA certificates that\n"
                     "https profiles trust instead of the system's.\n";

// After Stop, how long requests still in flight may take before they are
// cancelled, and how long the cancelled ones may take to report before the
// rows are printed all the same.
constexpr int kStopGraceMs = 2000;
constexpr int kCancelGraceMs = 3000;

// ---------------------------------------------------------------- command line

struct Options {
    bool broad = true;
    bool must_contain = true;
    bool quiet = false;
    bool verbose = false;
    bool list_sources = false;
    std::optional<std::string> sources_file, suggest_source, related_source, stats_path;
    std::optional<double> max_seconds;
    std::optional<std::string> export_path;
    std::string seed; // code page 936
};

// Writes all of text to stdout; false, with errno set, when some of it could
// not be written.
bool write_stdout(const std::string& text)
{
    errno = 0;
    if (!text.empty() && std::fwrite(text.data(), 1, text.size(), stdout) != text.size())
        return false;
    return std::fflush(stdout) == 0;
}

// The one line that reports an unwritable stdout.
void report_stdout_failure(int error)
{
    std::fprintf(stderr, "longtail-harvest: cannot write to stdout: %s\n", std::strerror(error ? error : EIO));
}

[[noreturn]] void usage_error(const std::string& problem)
{
    std::fprintf(stderr, "longtail-harvest: %s (see --help)\n", problem.c_str());
    std::exit(2);
}

Options parse(int argc, char** argv)
{
    Options o;
    std::optional<std::string> seed;
    bool options_done = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&](const std::string& name) -> std::string {
            if (arg.size() > name.size() && arg.compare(0, name.size() + 1, name + "=") == 0)
                return arg.substr(name.size() + 1);
            if (i + 1 >= argc)
                usage_error(name + " needs a value");
            return argv[++i];
        };
        auto is = [&](const std::string& name) { return arg == name || arg.rfind(name + "=", 0) == 0; };
        if (options_done || arg.empty() || arg[0] != '-' || arg == "-") {
            if (seed)
                usage_error("only one SEED may be given");
            seed = arg;
        } else if (arg == "--") {
            options_done = true;
        } else if (arg == "--help" || arg == "-h") {
            if (!write_stdout(std::string(kUsage) + kHelp)) {
                report_stdout_failure(errno);
                std::exit(1);
            }
            std::exit(0);
        } else if (arg == "--narrow") {
            o.broad = false;
        } else if (arg == "--any") {
            o.must_contain = false;
        } else if (arg == "--quiet") {
            o.quiet = true;
        } else if (arg == "--verbose") {
            o.verbose = true;
        } else if (is("--max-seconds")) {
            std::string text = value("--max-seconds");
            char* end = nullptr;
            errno = 0;
            double seconds = std::strtod(text.c_str(), &end);
            if (text.empty() || *end != '\0' || errno != 0 || !(seconds >= 0) || seconds > INT_MAX / 1000)
                usage_error("--max-seconds needs a number of seconds, not \"" + text + "\"");
            o.max_seconds = seconds;
        } else if (is("--export")) {
            o.export_path = value("--export");
            if (o.export_path->empty())
                usage_error("--export needs a file name");
        } else if (arg == "--list-sources") {
            o.list_sources = true;
        } else if (is("--sources") || is("--suggest") || is("--related") || is("--stats")) {
            const std::string name = arg.substr(0, arg.find('='));
            std::optional<std::string>& into = name == "--sources" ? o.sources_file
                : name == "--suggest"                              ? o.suggest_source
                : name == "--related"                              ? o.related_source
                                                                   : o.stats_path;
            into = value(name);
            if (into->empty())
                usage_error(name + " needs a value");
        } else {
            usage_error("unknown option " + arg);
        }
    }
    if (o.list_sources) {
        if (seed)
            usage_error("--list-sources takes no SEED");
        return o;
    }
    if (!seed)
        usage_error("SEED is missing");
    bool lossless = false;
    o.seed = utf8_to_cp936(*seed, &lossless);
    if (!lossless)
        usage_error("SEED holds a character that code page 936 cannot hold");
    return o;
}

// ---------------------------------------------------------------- the host

class CliHost : public HarvestHost {
public:
    CliHost(EventLoop& loop, const Options& options) : options_(options), timer2_(loop) { }

    std::string KeywordText() override { return options_.seed; }
    bool BroadExpansion() override { return options_.broad; }
    bool MustContain() override { return options_.must_contain; }
    void SetStatus(const std::string& text) override
    {
        if (options_.quiet || text == status_)
            return;
        status_ = text;
        std::fprintf(stderr, "%s\n", cp936_to_utf8(text).c_str());
    }
    HarvestRows& Results() override { return rows_; }
    const IndexedList& ResultRows() const { return results_; }
    void SetResultsCounter(const std::string&) override { }
    Timer& Timer2() override { return timer2_; }

private:
    const Options& options_;
    std::string status_;
    IndexedList results_;
    IndexedListRows rows_{results_};
    Timer timer2_;
};

// What the run keeps silent about, on stderr: why each failed request failed
// (--verbose), and a chain that pauses after failures (unless --quiet).
class FailureReporter : public HarvestObserver {
public:
    explicit FailureReporter(const Options& options) : options_(options) { }

    void RequestFailed(int32_t kind, const std::string& phrase, const FetchFailure& failure) override
    {
        if (options_.verbose)
            std::fprintf(stderr, "longtail-harvest: %s request for %s failed: %s\n",
                kind == kSuggestSource ? "suggestion" : "related-search", cp936_to_utf8(phrase).c_str(),
                DescribeFetchFailure(failure).c_str());
    }
    void ChainPaused(int32_t kind, const SourceProfile& source, int failures_in_a_row, int pause_ms) override
    {
        if (!options_.quiet)
            std::fprintf(stderr, "longtail-harvest: %s source %s failed %d times in a row; pausing it for %.1f s\n",
                kind == kSuggestSource ? "suggest" : "related", source.name.c_str(), failures_in_a_row,
                pause_ms / 1000.0);
    }

private:
    const Options& options_;
};

// The profiles of the two chains: the command line's choice, and for what it
// leaves unsaid the environment's. Exits with status 2 on a bad choice.
ConfiguredSources configure_sources(const Options& options, SourceChoice& choice)
{
    choice = SourceChoice::FromEnvironment(std::getenv);
    auto take = [](const std::optional<std::string>& given, std::string& into, std::string& from, const char* name) {
        if (given) {
            into = *given;
            from = name;
        }
    };
    take(options.sources_file, choice.file, choice.file_from, "--sources");
    take(options.suggest_source, choice.suggest, choice.suggest_from, "--suggest");
    take(options.related_source, choice.related, choice.related_from, "--related");
    try {
        return ConfigureSources(choice, ServiceHosts::FromEnvironment());
    } catch (const SourceConfigError& e) {
        std::fprintf(stderr, "longtail-harvest: %s\n", e.what());
        std::exit(2);
    }
}

// One line per profile: name, format, URL template, where it is defined.
std::string source_list(const ConfiguredSources& sources)
{
    std::string out;
    for (const SourceProfile& p : sources.available)
        out += p.name + "\t" + AnswerFormatName(p.format) + (p.callback ? "+callback" : "") + "\t" + p.url + "\t" +
            p.origin + "\n";
    return out;
}

std::atomic<bool> g_interrupted{false};

extern "C" void on_sigint(int)
{
    g_interrupted = true;
}

// ---------------------------------------------------------------- main

int run_cli(int argc, char** argv)
{
    // First of all: it also keeps a closed stdout from ending the program
    // by SIGPIPE before the failed write can be reported.
    webget_global_init();
    const Options options = parse(argc, argv);
    SourceChoice choice;
    const ConfiguredSources sources = configure_sources(options, choice);
    if (options.list_sources) {
        if (!write_stdout(source_list(sources))) {
            report_stdout_failure(errno);
            return 1;
        }
        return 0;
    }

    // The first Ctrl-C presses Stop; a second one ends the program at once.
    struct sigaction sa { };
    sa.sa_handler = on_sigint;
    sa.sa_flags = SA_RESETHAND;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, nullptr);

    RealClock clock;
    EventLoop loop(clock);
    TComponent owner(nullptr);
    CliHost host(loop, options);
    HarvestRun run(host, &owner, loop);
    run.SetSources(sources.suggest, sources.related);
    FailureReporter reporter(options);
    run.SetObserver(&reporter);

    // Stop, then a grace for the requests in flight, then they are
    // cancelled, then the rows are printed even if some never report.
    Timer grace(loop);
    grace.SetEnabled(false);
    bool cancelled = false;
    grace.SetOnTimer([&] {
        if (!cancelled) {
            cancelled = true;
            run.CancelRequests();
            grace.SetInterval(kCancelGraceMs);
        } else {
            grace.SetEnabled(false);
            loop.quit();
        }
    });
    bool stop_pressed = false;
    auto press_stop = [&] {
        if (!stop_pressed) {
            stop_pressed = true;
            run.skSkinXFormButton2Click(nullptr);
            grace.SetInterval(kStopGraceMs);
            grace.SetEnabled(true);
        }
    };

    run.skSkinXFormButton1Click(nullptr);

    Timer stop_after(loop);
    stop_after.SetEnabled(false);
    if (options.max_seconds) {
        int ms = static_cast<int>(std::llround(*options.max_seconds * 1000));
        if (ms <= 0) {
            press_stop();
        } else {
            stop_after.SetInterval(ms);
            stop_after.SetOnTimer([&] {
                stop_after.SetEnabled(false);
                press_stop();
            });
            stop_after.SetEnabled(true);
        }
    }

    // Ended: the run is no longer Running, the stop watcher has reported, and
    // every request has reported.
    Timer watch(loop);
    watch.SetInterval(50);
    watch.SetOnTimer([&] {
        if (g_interrupted)
            press_stop();
        if (!run.State().Running && !host.Timer2().Enabled() && run.RequestsInFlight() == 0)
            loop.quit();
    });
    loop.run();

    std::string out;
    for (const std::string& row : host.ResultRows().texts())
        out += cp936_to_utf8(row) + "\n";
    const bool printed = write_stdout(out);
    const int stdout_error = errno;

    // The export does not depend on stdout: it is written either way.
    int status = 0;
    if (options.export_path) {
        try {
            WriteExportFile(*options.export_path, ExportBytes(host.ResultRows()));
        } catch (const std::exception& e) {
            std::fprintf(stderr, "longtail-harvest: %s\n", e.what());
            status = 1;
        }
    }
    if (!printed) {
        report_stdout_failure(stdout_error);
        status = 1;
    }

    // Statistics: on stderr when sources were chosen (a default run prints
    // what it always printed) or asked for, and as JSON with --stats.
    std::vector<SourceStats> stats = {run.Stats(kSuggestSource)};
    if (options.broad || run.Stats(kRelatedSource).requests > 0)
        stats.push_back(run.Stats(kRelatedSource));
    if (!options.quiet && (!choice.Default() || options.verbose || options.stats_path))
        for (const SourceStats& s : stats)
            std::fprintf(stderr, "longtail-harvest: %s\n", StatsLine(s).c_str());
    if (options.stats_path) {
        try {
            WriteExportFile(*options.stats_path, StatsJson(stats));
        } catch (const std::exception& e) {
            std::fprintf(stderr, "longtail-harvest: %s\n", e.what());
            status = 1;
        }
    }
    webget_shutdown(2000);
    return status;
}

} // namespace
} // namespace lt

int main(int argc, char** argv)
{
    return lt::run_cli(argc, argv);
}
