#pragma once
// Runs a program as a child process for the end-to-end tests: its own
// working folder, extra environment, stdout and stderr captured whole. The
// child is ended by its pid if it outlives the guard time, so a hung
// program fails its test instead of hanging the suite.

#include <map>
#include <string>
#include <vector>

namespace lt::e2e {

struct ChildResult {
    int exit_code = -1;  // -1 when the child did not exit normally
    bool killed = false; // ended by the guard
    std::string out;
    std::string err;
};

// Environment entries in `env` are added (or replace the inherited ones);
// proxy variables are always dropped, since loopback must not go through one.
ChildResult run_child(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env,
    const std::string& cwd, int guard_ms = 60000);

// A fresh folder under the system's temporary folder, removed with its
// contents when the object goes.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

std::string read_file(const std::string& path);
std::vector<std::string> lines_of(const std::string& text);

} // namespace lt::e2e
