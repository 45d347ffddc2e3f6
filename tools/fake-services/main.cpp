// fake-services: serves both search services on loopback from a phrase graph
// file, so the harvester can run without a network.
//
//   fake-services [--port N] [--port-file F] [--log F] [--tls-dir D [--tls-port N]] [--<switch>...] GRAPH
//
// The first line on stdout is "PORT <n>" once the server listens; with
// --tls-dir a second line "TLS-PORT <n>" follows, for the same services over
// TLS with a certificate made on the spot (D/ca.pem is its CA). SIGTERM or
// SIGINT stops it cleanly (exit 0). Switches are the graph file's switch words
// with two leading dashes (--chunked, --delay=50, --status=503, ...); they
// apply to every answer unless a phrase's own switches say otherwise.

#include "tools/fake-services/fake_server.h"
#include "tools/fake-services/test_certificates.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

namespace {

int usage(const char* why)
{
    std::fprintf(stderr,
        "fake-services: %s\n"
        "usage: fake-services [--port N] [--port-file F] [--log F] [--tls-dir D [--tls-port N]]\n"
        "         [--last-modified] [--chunked]\n"
        "         [--ignore-range] [--delay=MS] [--empty] [--status=N] [--reset] [--cut] [--utf8] GRAPH\n",
        why);
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    using namespace lt::fake;
    std::string graph_path, port_file, log_path, tls_dir;
    int port = 0, tls_port = 0;
    ReplySwitches defaults;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--port" || arg == "--port-file" || arg == "--log" || arg == "--tls-dir" || arg == "--tls-port") {
            const char* v = i + 1 < argc ? argv[++i] : nullptr;
            if (!v)
                return usage(("missing value for " + arg).c_str());
            if (arg == "--port")
                port = std::atoi(v);
            else if (arg == "--tls-port")
                tls_port = std::atoi(v);
            else if (arg == "--port-file")
                port_file = v;
            else if (arg == "--tls-dir")
                tls_dir = v;
            else
                log_path = v;
        } else if (arg.rfind("--", 0) == 0) {
            std::string why;
            if (!parse_switch(arg.substr(2), defaults, &why))
                return usage(why.c_str());
        } else if (graph_path.empty()) {
            graph_path = arg;
        } else {
            return usage("more than one graph file");
        }
    }
    if (graph_path.empty())
        return usage("no graph file");
    if (port < 0 || port > 65535 || tls_port < 0 || tls_port > 65535)
        return usage("bad port");

    std::string error;
    auto graph = PhraseGraph::load(graph_path, &error);
    if (!graph) {
        std::fprintf(stderr, "fake-services: %s: %s\n", graph_path.c_str(), error.c_str());
        return 1;
    }

    // The signals are taken synchronously by this thread; every server thread
    // inherits the blocked mask, so none of them is interrupted.
    sigset_t stop_signals;
    sigemptyset(&stop_signals);
    sigaddset(&stop_signals, SIGTERM);
    sigaddset(&stop_signals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stop_signals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    FakeServer server(std::move(*graph), defaults);
    if (!log_path.empty() && !server.open_log(log_path)) {
        std::fprintf(stderr, "fake-services: cannot open log %s\n", log_path.c_str());
        return 1;
    }
    if (!tls_dir.empty()) {
        TestCertificates certs;
        if (!make_test_certificates(tls_dir, certs, &error) ||
            !server.enable_tls(certs.server_cert, certs.server_key, uint16_t(tls_port), &error)) {
            std::fprintf(stderr, "fake-services: %s\n", error.c_str());
            return 1;
        }
    }
    if (!server.start(uint16_t(port), &error)) {
        std::fprintf(stderr, "fake-services: %s\n", error.c_str());
        return 1;
    }
    if (!port_file.empty()) {
        // Written whole under a temporary name, so a reader never sees half a number.
        std::string tmp = port_file + ".tmp";
        std::ofstream(tmp) << server.port() << "\n";
        std::rename(tmp.c_str(), port_file.c_str());
    }
    std::printf("PORT %u\n", unsigned(server.port()));
    if (!tls_dir.empty())
        std::printf("TLS-PORT %u\n", unsigned(server.tls_port()));
    std::fflush(stdout);

    int sig = 0;
    sigwait(&stop_signals, &sig);
    server.stop();
    return 0;
}
