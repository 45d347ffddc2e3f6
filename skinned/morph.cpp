#include "skinned/morph.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace lt {

namespace {

// w N + (1 - w) A in one channel, rounded to the nearest with halves away
// from zero (as lround does; the value is never negative, and taking its
// whole part off is exact, so the test of the fraction is too).
inline unsigned MixChannel(unsigned n, unsigned a, double w)
{
    const double v = w * n + (1.0 - w) * a;
    unsigned r = static_cast<unsigned>(v);
    if (v - r >= 0.5)
        ++r;
    return std::min(r, 255u);
}

Pixel Mix(Pixel n, Pixel a, double w)
{
    return make_pixel(MixChannel(pixel_red(n), pixel_red(a), w), MixChannel(pixel_green(n), pixel_green(a), w),
        MixChannel(pixel_blue(n), pixel_blue(a), w));
}

int Round(double v)
{
    return static_cast<int>(std::lround(v));
}

// Clamps to [lo, hi] with the lower bound winning when a one-column picture
// makes hi fall below it.
int ClampColumns(int v, int lo, int hi)
{
    return std::max(lo, std::min(v, hi));
}

// Applies one weight per column (or per row) to the whole picture.
void ApplyWeights(Bitmap& n, const Bitmap& a, const std::vector<double>& weights, bool rows)
{
    for (int y = 0; y < n.height(); ++y) {
        Pixel* out = n.row(y);
        const Pixel* in = a.row(y);
        for (int x = 0; x < n.width(); ++x) {
            const double w = weights[static_cast<size_t>(rows ? y : x)];
            if (w < 1.0)
                out[x] = Mix(out[x], in[x], w);
        }
    }
}

// The centre band of mkgradient along one axis of `len` pixels.
std::vector<double> GradientWeights(int len, double f, bool rows)
{
    std::vector<double> w(static_cast<size_t>(len), 1.0);
    const int a = Round(len * f);
    const int lo = std::max(0, len / 2 - a / 2);
    const int hi = std::min(len - 1, len / 2 + a / 2);
    const int s = rows ? (len - 1 - a) / 2 : (len - a) / 2;
    const double step = s > 0 ? 1.0 / s : (rows ? 0.0 : 1.0);
    for (int x = lo; x <= hi; ++x)
        w[static_cast<size_t>(x)] = 0.0;
    double weight = 0.0;
    for (int x = lo; x >= 0; --x, weight = std::min(1.0, weight + step))
        w[static_cast<size_t>(x)] = std::min(1.0, weight);
    weight = 0.0;
    for (int x = hi; x < len; ++x, weight = std::min(1.0, weight + step))
        w[static_cast<size_t>(x)] = std::min(1.0, weight);
    return w;
}

// Column `dst` of the result becomes column `src` of `from`.
void CopyColumn(Bitmap& out, int dst, const Bitmap& from, int src)
{
    for (int y = 0; y < out.height(); ++y)
        out.row(y)[dst] = from.row(y)[src];
}

} // namespace

void MorphBlend(Bitmap& n, const Bitmap& a, double f, TMorphKind kind)
{
    if (n.size() != a.size() || n.empty())
        return;
    f = std::clamp(f, 0.0, 1.0);
    const int W = n.width();
    // The column ranges below are clamped to the picture's columns, so a
    // picture one column wide takes A's column whole.
    switch (kind) {
    case mkGradient:
        if (W >= n.height())
            ApplyWeights(n, a, GradientWeights(W, f, false), false);
        else
            ApplyWeights(n, a, GradientWeights(n.height(), f, true), true);
        return;
    case mkLeftGradient: {
        const int edge = ClampColumns(Round(W * f), 1, W - 1);
        std::vector<double> w(static_cast<size_t>(W), 1.0);
        for (int x = 0; x <= std::min(edge, W - 1); ++x)
            w[static_cast<size_t>(x)] = std::min(1.0, static_cast<double>(x) / edge);
        ApplyWeights(n, a, w, false);
        return;
    }
    case mkRightGradient: {
        const int edge = ClampColumns(W - Round(W * f), 0, W - 1);
        std::vector<double> w(static_cast<size_t>(W), 1.0);
        for (int x = W - 1; x >= edge; --x)
            w[static_cast<size_t>(x)] = std::min(1.0, static_cast<double>(W - 1 - x) / (W - edge));
        ApplyWeights(n, a, w, false);
        return;
    }
    case mkLeftSlide: {
        const int b = ClampColumns(Round(W * f), 1, W - 1);
        for (int x = 0; x < b; ++x)
            CopyColumn(n, x, a, W - b + x);
        return;
    }
    case mkRightSlide: {
        const int b = ClampColumns(Round(W * f), 1, W - 1);
        for (int x = 0; x < b; ++x)
            CopyColumn(n, W - b + x, a, x);
        return;
    }
    case mkPush: {
        const int edge = ClampColumns(Round(W * f), 0, W - 1);
        const Bitmap before = n;
        for (int x = 0; x <= edge; ++x)
            CopyColumn(n, x, a, W - edge - 1 + x);
        for (int x = edge + 1; x < W; ++x)
            CopyColumn(n, x, before, x - edge - 1);
        return;
    }
    case mkDefault:
    default:
        ApplyWeights(n, a, std::vector<double>(static_cast<size_t>(W), 1.0 - f), false);
        return;
    }
}

MorphTick StepMorph(double f, bool hot)
{
    constexpr double kStep = 0.2;
    if (hot && f < 1.0)
        f = std::min(1.0, f + kStep);
    else if (!hot && f > 0.0)
        f = std::max(0.0, f - kStep);
    else
        return {hot ? 1.0 : 0.0, true};
    // Sums of 0.2 leave rounding dust (0.6000000000000001): stay on the
    // steps, so the walk back down ends at 0 and not one tick later.
    const double snapped = std::round(f * 5.0) / 5.0;
    if (std::abs(f - snapped) < 1e-9)
        f = snapped;
    return {f, false};
}

bool MorphTimer::start(Window* window)
{
    if (running_)
        return true;
    if (!window)
        return false;
    window->set_timer(id_, kInterval);
    running_ = true;
    return true;
}

void MorphTimer::stop(Window* window)
{
    if (running_ && window)
        window->kill_timer(id_);
    running_ = false;
}

bool MorphTimer::tick(Window* window, std::uintptr_t id, bool hot)
{
    if (id != id_)
        return false;
    const MorphTick t = StepMorph(factor_, hot);
    factor_ = t.factor;
    if (t.done)
        stop(window);
    return true;
}

} // namespace lt
