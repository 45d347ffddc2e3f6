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

#include "gfx/bitmap.h"
#include "skin/skin_ini.h"

namespace lt {

// Replaces `normal` with the blend; when the sizes differ it stays as it is.
void MorphBlend(Bitmap& normal, const Bitmap& active, double f, TMorphKind kind);

} // namespace lt
