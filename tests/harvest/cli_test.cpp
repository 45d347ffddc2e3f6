// longtail-harvest as a process: its command line, what it prints, its
// export file and its exit codes, against loopback stand-ins of the services.

#include "tests/net/loopback_server.h"
#include "text/cp936.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace lt {
namespace {

namespace fs = std::filesystem;
using test::http_answer;
using test::LoopbackServer;

std::string slurp(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// The request target of a raw request ("GET <target> HTTP/1.1").
std::string target_of(const std::string& request)
{
    size_t a = request.find(' ') + 1;
    return request.substr(a, request.find(' ', a) - a);
}

struct Outcome {
    int exit_code = -1;
    std::string out, err;
};

class CliTest : public ::testing::Test {
protected:
    CliTest()
    {
        char pattern[] = "/tmp/cli-test-XXXXXX";
        dir = mkdtemp(pattern);
    }
    ~CliTest() override { fs::remove_all(dir); }

    // Starts the tool with both services pointed at server. Everything is
    // prepared before fork: the child of a threaded process may only make
    // plain system calls.
    // stdout_fd, when given, is the child's stdout instead of a file.
    pid_t start(const std::vector<std::string>& args, const LoopbackServer* server, int stdout_fd = -1,
        const std::vector<std::string>& extra_env = {})
    {
        std::vector<std::string> env_text;
        for (char** e = environ; *e; ++e)
            if (std::strncmp(*e, "LONGTAIL_", 9) != 0)
                env_text.emplace_back(*e);
        if (server) {
            std::string host = "127.0.0.1:" + std::to_string(server->port());
            env_text.push_back("LONGTAIL_SUGGEST_HOST=" + host);
            env_text.push_back("LONGTAIL_SEARCH_HOST=" + host);
        }
        env_text.insert(env_text.end(), extra_env.begin(), extra_env.end());
        std::vector<char*> envp, argv{const_cast<char*>(LONGTAIL_HARVEST_BIN)};
        for (std::string& e : env_text)
            envp.push_back(e.data());
        envp.push_back(nullptr);
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        int out = stdout_fd >= 0 ? fcntl(stdout_fd, F_DUPFD_CLOEXEC, 0)
                                 : open((dir / "stdout").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        int err = open((dir / "stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        pid_t pid = fork();
        if (pid == 0) {
            if (chdir(dir.c_str()) != 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0)
                _exit(127);
            execve(argv[0], argv.data(), envp.data());
            _exit(127);
        }
        close(out);
        close(err);
        return pid;
    }

    Outcome finish(pid_t pid)
    {
        Outcome o;
        int status = 0;
        // Bounded: a tool that hangs is ended by its id.
        for (int waited = 0; waitpid(pid, &status, WNOHANG) == 0; waited += 10) {
            if (waited > 30000) {
                kill(pid, SIGKILL);
                waitpid(pid, &status, 0);
                ADD_FAILURE() << "longtail-harvest did not end";
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        o.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        o.out = slurp(dir / "stdout");
        o.err = slurp(dir / "stderr");
        return o;
    }

    Outcome run(const std::vector<std::string>& args, const LoopbackServer* server = nullptr)
    {
        return finish(start(args, server));
    }

    fs::path dir;
};

// The suggestion service knows one answer; the search has no related block.
LoopbackServer::Reply services(const std::string& request, int)
{
    std::string target = target_of(request);
    if (target == "/include/keywords.php?k=qq%BF%D5%BC%E4")
        return {http_answer("200 OK", utf8_to_cp936("[\"QQ空间密码\",\"qq空间登录\",\"空间说说\"]"))};
    if (target.rfind("/include/keywords.php?k=", 0) == 0)
        return {http_answer("200 OK", "[]")};
    return {http_answer("200 OK", "<html>nothing related</html>")};
}

TEST_F(CliTest, PrintsAndExportsTheResultsList)
{
    LoopbackServer server(services);
    const std::string exported = (dir / "k.txt").string();
    Outcome o = run({"--narrow", "--export", exported, "QQ空间"}, &server);
    EXPECT_EQ(o.exit_code, 0) << o.err;
    EXPECT_EQ(o.out, "QQ空间\nQQ空间密码\nqq空间登录\n");
    EXPECT_EQ(slurp(exported), utf8_to_cp936("QQ空间\r\nQQ空间密码\r\nqq空间登录\r\n"));
    EXPECT_NE(o.err.find("正在查询：qq空间\n"), std::string::npos) << o.err;
    EXPECT_NE(o.err.find("查询完毕，这个词再也查不了了！\n"), std::string::npos) << o.err;
    for (const std::string& r : server.requests())
        EXPECT_EQ(target_of(r).rfind("/include/keywords.php?k=", 0), 0u) << "narrow run asked the search";

    // Broad and quiet: the search is asked too, and stderr stays empty.
    o = run({"--quiet", "QQ空间"}, &server);
    EXPECT_EQ(o.exit_code, 0);
    EXPECT_EQ(o.out, "QQ空间\nQQ空间密码\nqq空间登录\n");
    EXPECT_EQ(o.err, "");
    bool asked_search = false;
    for (const std::string& r : server.requests())
        asked_search |= target_of(r).rfind("/s?wd=", 0) == 0;
    EXPECT_TRUE(asked_search);

    // --any admits what does not contain the seed.
    o = run({"--narrow", "--any", "--quiet", "QQ空间"}, &server);
    EXPECT_EQ(o.out, "QQ空间\nQQ空间密码\nqq空间登录\n空间说说\n");
}

TEST_F(CliTest, UsageErrorsAndHelp)
{
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"--bogus", "a"},
        {"a", "b"},
        {"😀"},
        {"--max-seconds", "soon", "a"},
        {"--export"},
    };
    for (const auto& args : bad) {
        Outcome o = run(args);
        EXPECT_EQ(o.exit_code, 2) << (args.empty() ? "" : args[0]);
        EXPECT_EQ(std::count(o.err.begin(), o.err.end(), '\n'), 1) << o.err;
        EXPECT_EQ(o.out, "");
    }
    Outcome help = run({"--help"});
    EXPECT_EQ(help.exit_code, 0);
    EXPECT_EQ(help.out.rfind("usage: longtail-harvest", 0), 0u);
}

TEST_F(CliTest, StopByTimeOrInterrupt)
{
    LoopbackServer server(services);
    // Stop at once: the answers in flight are still admitted, nothing more
    // is asked, and the watcher reports.
    Outcome o = run({"--narrow", "--max-seconds", "0", "QQ空间"}, &server);
    EXPECT_EQ(o.exit_code, 0);
    EXPECT_EQ(o.out, "QQ空间\nQQ空间密码\nqq空间登录\n");
    EXPECT_NE(o.err.find("手动停止查询完毕\n"), std::string::npos) << o.err;
    for (const std::string& r : server.requests())
        EXPECT_EQ(target_of(r), "/include/keywords.php?k=qq%BF%D5%BC%E4");

    // Ctrl-C while the first answer is held back; it is let go once the
    // watcher has reported, and is still admitted.
    LoopbackServer held([&](const std::string& request, int index) {
        if (index == 0)
            held.wait_released();
        return services(request, index);
    });
    pid_t pid = start({"--narrow", "QQ空间"}, &held);
    ASSERT_TRUE(held.wait_requests(1));
    kill(pid, SIGINT);
    for (int waited = 0; slurp(dir / "stderr").find("手动停止查询完毕") == std::string::npos && waited < 10000;
         waited += 10)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    held.release();
    o = finish(pid);
    EXPECT_EQ(o.exit_code, 0);
    EXPECT_EQ(o.out, "QQ空间\nQQ空间密码\nqq空间登录\n");
    EXPECT_NE(o.err.find("手动停止查询完毕\n正在手动停止查询....\n"), std::string::npos) << o.err;
}

// A server that sends its head and then a byte every 200 ms for ever.
LoopbackServer::Reply dripping(const std::string&, int)
{
    return {"HTTP/1.1 200 OK\r\nContent-Length: 1000000\r\n\r\n" + std::string(1000000, 'x'), false, false, 200};
}

TEST_F(CliTest, MaxSecondsBoundsTheProgramEvenWhenAServerNeverFinishes)
{
    LoopbackServer server(dripping);
    const auto started = std::chrono::steady_clock::now();
    Outcome o = run({"--narrow", "--verbose", "--max-seconds", "0.5", "QQ空间"}, &server);
    // Stop at 0.5 s, a 2 s grace, then the cancel (seen within a second).
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(8));
    EXPECT_EQ(o.exit_code, 0) << o.err;
    EXPECT_EQ(o.out, "QQ空间\n");
    EXPECT_NE(o.err.find("longtail-harvest: suggestion request for qq空间 failed: cancelled\n"), std::string::npos)
        << o.err;

    // Without Stop, the deadline ends each fetch; the run then ends by itself.
    Outcome d =
        finish(start({"--narrow", "--verbose", "QQ空间"}, &server, -1, {"LONGTAIL_FETCH_DEADLINE_SECONDS=0.5"}));
    EXPECT_EQ(d.exit_code, 0) << d.err;
    EXPECT_EQ(d.out, "QQ空间\n");
    EXPECT_NE(d.err.find("failed: timed out: the fetch took longer than 0.5 s\n"), std::string::npos) << d.err;
    EXPECT_NE(d.err.find("查询完毕，这个词再也查不了了！\n"), std::string::npos) << d.err;
}

TEST_F(CliTest, VerboseSaysWhyEachRequestFailedAndTheStatusTextsDoNot)
{
    LoopbackServer server([](const std::string& request, int index) {
        if (target_of(request) == "/include/keywords.php?k=QQ%BF%D5%BC%E4")
            return LoopbackServer::Reply{http_answer("503 Service Unavailable", "busy")};
        return services(request, index);
    });
    Outcome o = run({"--narrow", "--verbose", "QQ空间"}, &server);
    EXPECT_EQ(o.exit_code, 0);
    EXPECT_EQ(o.out, "QQ空间\nQQ空间密码\nqq空间登录\n");
    EXPECT_NE(
        o.err.find("longtail-harvest: suggestion request for QQ空间 failed: HTTP status 503\n"), std::string::npos)
        << o.err;
    Outcome plain = run({"--narrow", "QQ空间"}, &server);
    EXPECT_EQ(plain.err.find("failed"), std::string::npos) << plain.err;
}

TEST_F(CliTest, UnwritableStdoutIsReportedAndTheExportStillWritten)
{
    LoopbackServer server(services);
    int closed_pipe[2];
    ASSERT_EQ(pipe2(closed_pipe, O_CLOEXEC), 0);
    close(closed_pipe[0]);
    int full = open("/dev/full", O_WRONLY | O_CLOEXEC);
    ASSERT_GE(full, 0);
    struct Case {
        const char* name;
        int fd;
        const char* error;
    } cases[] = {{"closed pipe", closed_pipe[1], "Broken pipe"}, {"full device", full, "No space left on device"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string exported = (dir / "k.txt").string();
        fs::remove(exported);
        Outcome o = finish(start({"--narrow", "--quiet", "--export", exported, "QQ空间"}, &server, c.fd));
        EXPECT_EQ(o.exit_code, 1);
        EXPECT_EQ(o.err, std::string("longtail-harvest: cannot write to stdout: ") + c.error + "\n");
        EXPECT_EQ(slurp(exported), utf8_to_cp936("QQ空间\r\nQQ空间密码\r\nqq空间登录\r\n"));

        Outcome help = finish(start({"--help"}, nullptr, c.fd));
        EXPECT_EQ(help.exit_code, 1);
        EXPECT_EQ(help.err, std::string("longtail-harvest: cannot write to stdout: ") + c.error + "\n");
    }
    close(closed_pipe[1]);
    close(full);
}

} // namespace
} // namespace lt
