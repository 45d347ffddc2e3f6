#pragma once
// Morph blends: the picture of a skinned part halfway between its normal
// look N and its active look A, for state changes that fade over time
// (buttons, check boxes, menu items). The morph factor f runs from 0 (N) to
// 1 (A).
//
// A pixel of weight w becomes w N + (1 - w) A in each channel, rounded and
// clamped to 0..255. Weights that step from column to column (or row to row)
// add up step by step and stop at 1.
//
//   mkdefault        every pixel (1 - f) N + f A
//   mkgradient       a centre band of A, round(W f) wide (across the longer
//                    side), fading into N over the columns that remain
//   mkleftgradient   A at the left edge fading to N at column round(W f)
//   mkrightgradient  the same from the right edge
//   mkleftslide      A's right end slides in from the left
//   mkrightslide     A's left end slides in from the right
//   mkpush           A pushes N out to the right

#include <cstdint>

#include "gfx/bitmap.h"
#include "platform/window.h"
#include "skin/skin_ini.h"

namespace lt {

// Replaces `normal` with the blend; when the sizes differ it stays as it is.
void MorphBlend(Bitmap& normal, const Bitmap& active, double f, TMorphKind kind);

// One tick of a control's morph timer (buttons, framed check boxes; every
// 20 ms): the factor moves 0.2 toward 1 while the control is hot and toward
// 0 while it is not; a tick that finds it already there sets it exactly and
// says the morph is done (the timer stops).
struct MorphTick {
    double factor = 0.0;
    bool done = false;
};
MorphTick StepMorph(double f, bool hot);

// A control's morph factor with the 20 ms timer that walks it, run on the
// control's window under timer id `id`. A redraw request starts it (one at a
// time); each tick steps the factor (StepMorph) and the control repaints.
class MorphTimer {
public:
    static constexpr int kInterval = 20;

    explicit MorphTimer(std::uintptr_t id) : id_(id) { }

    double factor() const { return factor_; }
    void set_factor(double f) { factor_ = f; }
    bool running() const { return running_; }
    // Returns false when there is no window to run on.
    bool start(Window* window);
    void stop(Window* window);
    // Handles the tick of this timer: steps the factor and stops the timer
    // when the factor has arrived. Returns false for another timer's tick.
    bool tick(Window* window, std::uintptr_t id, bool hot);

private:
    std::uintptr_t id_;
    double factor_ = 0.0;
    bool running_ = false;
};

} // namespace lt
