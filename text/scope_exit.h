#pragma once
// Runs a function when the scope that holds it ends, however it ends (a
// return, a break, an exception). For flags and counters that must be put
// back after a nested loop or a handler runs:
//
//     ++depth_;
//     ScopeExit leave([&] { --depth_; });

#include <utility>

namespace lt {

template <class F>
class ScopeExit {
public:
    explicit ScopeExit(F f) : f_(std::move(f)) { }
    ~ScopeExit() { f_(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

private:
    F f_;
};

} // namespace lt
