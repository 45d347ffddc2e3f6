#pragma once
// Skin image composition: the routines that turn a small rectangle of a skin
// picture into an image of any size, the window region from a mask, glyph
// strips and the placing of a glyph and a caption. They work on bitmaps and
// canvases only, apart from any control, so that the skinned controls, the
// window frame and the popup menus share them.
//
// Coordinates. A skin object describes its picture with a skin rectangle
// (`skinrect`, in picture pixels) and, relative to that rectangle's top-left
// corner, a client rectangle C and four corner points LT, RT, LB, RB. A
// target of W x H pixels has its own corner points LT' RT' LB' RB' and client
// rectangle C' (TargetGeometry), which follow from the size by the resize
// mode (SkinGeometry::fit). The composing routines draw in the logical
// coordinates of the target, (0, 0) being its top-left corner, through any
// canvas: a canvas whose origin is moved composes one part of the target (the
// border strips do that).
//
// Robustness. Every source piece is clamped to the skin rectangle and to its
// picture, every destination to the target; a piece whose span is 0 or less
// (an edge of length 0, a client rectangle outside the corner points) draws
// nothing. No routine loops on an empty tile, divides by zero or reads
// outside a bitmap, whatever the skin says.
//
// Sections:
//   geometry           ResizeMode, TargetGeometry, SkinGeometry, SkinFit
//   pictures           ComposeFixed, ComposeHorizontal, ComposeVertical,
//                      ComposeNinePiece, ComposeClient, ComposeSkin,
//                      ComposeStretchedNinePiece, ComposeBorderStrips
//   regions            SkinRegion
//   glyphs, captions   GlyphSlice, DrawGlyph, LayoutGlyphCaption,
//                      MeasureCaption, DrawCaption

#include <optional>
#include <string_view>

#include "gfx/bitmap.h"
#include "gfx/canvas.h"
#include "gfx/geometry.h"
#include "gfx/region.h"
#include "skin/skin_objects.h"

namespace lt {

// ===========================================================================
// Geometry

// How a skin picture becomes an image of another size. The numbers are the
// ones skin authors and the controls speak of.
enum class ResizeMode : int {
    None = -1,      // no skin rectangle: nothing is drawn and the size is free
    Fixed = 0,      // the skin rectangle copied 1:1; the size is the skin's
    NinePiece = 1,  // corners kept, edges and client tiled or stretched
    Horizontal = 2, // left and right kept, middle filled; height is the skin's
    Vertical = 3,   // top and bottom kept, middle filled; width is the skin's
};

// The corner points and client rectangle of a target of a given size.
struct TargetGeometry {
    Point lefttop, righttop, leftbottom, rightbottom;
    Rect client;

    friend bool operator==(const TargetGeometry&, const TargetGeometry&) = default;
};

// Everything the resize mode, the size rule and the target geometry depend on.
struct SkinFit {
    ResizeMode mode = ResizeMode::None;
    Size size;
    TargetGeometry target;

    friend bool operator==(const SkinFit&, const SkinFit&) = default;
};

// The cut of a skin picture, as a skin object describes it.
struct SkinGeometry {
    Rect skinrect; // picture coordinates
    Rect clientrect;
    Point lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint;
    bool leftstretch = false, topstretch = false, rightstretch = false, bottomstretch = false;
    // Off: the client and the middle spans are tiled; on: stretched (the
    // client by stretchtype).
    bool stretcheffect = false;
    TStretchType stretchtype = stFull;

    static SkinGeometry From(const TskDataSkinCustomControl& object);

    Size skin_size() const { return skinrect.size(); }
    // First matching rule wins: an empty skin rectangle gives None; RB with
    // both coordinates non-zero NinePiece; RT with any non-zero coordinate
    // Horizontal; LB with any non-zero coordinate Vertical; else Fixed.
    ResizeMode mode() const;
    // The target geometry of a W x H target in `mode`, with dw = W - sw and
    // dh = H - sh: LT' = LT always; NinePiece moves RT' right by dw, LB' down
    // by dh, RB' by both and grows C by dw on the right and dh at the bottom;
    // Horizontal moves RT' and grows C by dw on the right; Vertical moves LB'
    // and grows C by dh at the bottom; Fixed and None keep everything.
    TargetGeometry target(Size size, ResizeMode mode) const;
    // The mode, the size rule of the mode applied to `proposed` (Fixed: the
    // skin's size; Horizontal: the skin's height; Vertical: the skin's width;
    // NinePiece and None: untouched) and the target geometry for that size.
    SkinFit fit(Size proposed) const;
};

// ===========================================================================
// Pictures. `src` is the rectangle of `picture` that the geometry cuts: the
// skin rectangle, or a state rectangle of the same size (a button's hot or
// pressed look). Sizes are the target's; the canvas may be any bitmap whose
// logical coordinates are the target's.

// The skin rectangle copied 1:1 to (0, 0).
void ComposeFixed(Canvas& dst, const Bitmap& picture, const Rect& src);

// The horizontal three-piece: the left `left` columns and the right `right`
// columns of `src` copied 1:1 to [0, left) and [width - right, width); the
// middle span between them fills [left, width - right), stretched or tiled
// from its left end (the last copy cut at width - right). Nothing fills the
// middle when the span or its target is 0 or less.
void ComposeHorizontal(
    Canvas& dst, const Bitmap& picture, const Rect& src, int left, int right, int width, bool stretch);
// The same along the vertical axis.
void ComposeVertical(
    Canvas& dst, const Bitmap& picture, const Rect& src, int top, int bottom, int height, bool stretch);

// The nine-piece of a target of `size` with target geometry `t`: four edge
// strips (tiled along their length, or stretched by their stretch flag),
// eight corner pieces copied 1:1 measured from the matching target point,
// then, with draw_client, the client (ComposeClient). Nothing is composed
// when RB.x = LT.x or RB.y = LT.y or the picture is empty.
void ComposeNinePiece(Canvas& dst, const Bitmap& picture, const Rect& src, const SkinGeometry& g,
    const TargetGeometry& t, Size size, bool draw_client = true);

// The client C of `src` over the target client rectangle: tiled in rows and
// columns from its top-left corner without stretcheffect; with it, stFull
// stretches C to it, stHorz stretches C to C's width and the target's height
// and tiles that horizontally, stVert stretches it to the target's width and
// C's height and tiles that vertically.
void ComposeClient(
    Canvas& dst, const Bitmap& picture, const Rect& src, const SkinGeometry& g, const Rect& target_client);

// The whole picture of a target by the fit's mode (None draws nothing).
void ComposeSkin(Canvas& dst, const Bitmap& picture, const Rect& src, const SkinGeometry& g, const SkinFit& fit,
    bool draw_client = true);

// A nine-piece whose corner points are the corners of `clientrect`, every
// edge and the client stretched: the corners keep their size and everything
// between them scales (buttons that do not keep the skin's size).
void ComposeStretchedNinePiece(Canvas& dst, const Bitmap& picture, const Rect& src, const Rect& clientrect, Size size);

// The four strips of the target around the target client rectangle C':
// top W x C'.top, bottom W x (H - C'.bottom), left C'.left x C'.height and
// right (W - C'.right) x C'.height, each composed by the fit's mode without
// the client. Pixels no piece reaches keep `fill`. Strips of no area are
// empty bitmaps.
struct BorderStrips {
    Bitmap top, bottom, left, right;
};
BorderStrips ComposeBorderStrips(
    const Bitmap& picture, const Rect& src, const SkinGeometry& g, const SkinFit& fit, Pixel fill);

// ===========================================================================
// Regions

// The window region a mask gives a target, or nullopt for none (the window
// stays rectangular). The mask marks the window's pixels pure black; its
// pixels outside `mask_src` are not read. Fixed converts the mask directly;
// NinePiece, Horizontal and Vertical compose the mask into the border strips
// with the target's geometry and unite them with the whole target client
// rectangle, so the client always stays visible. A target smaller than the
// corners it must keep apart (NinePiece: RT'.x < LT'.x or RB'.y < RT'.y;
// Horizontal: RT'.x < LT'.x; Vertical: LB'.y < LT'.y) and None give none.
std::optional<Region> SkinRegion(const Bitmap& mask, const Rect& mask_src, const SkinGeometry& g, const SkinFit& fit);

// ===========================================================================
// Glyphs and captions

// Image k (counted from 1) of a strip of `num_glyphs` images side by side:
// [w (k - 1), w k) with w = width div num_glyphs. Empty for a count of 0 or
// less and for k outside 1 .. num_glyphs.
Rect GlyphSlice(Size strip, int num_glyphs, int k);
// Draws image k at `at`, transparent where it has the colour of its
// lower-left pixel.
void DrawGlyph(Canvas& canvas, Point at, const Bitmap& strip, int num_glyphs, int k);

enum TButtonLayout : int { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// Where a glyph and a caption go inside a rectangle.
struct GlyphCaptionPlace {
    Point glyph;
    Point caption;
    Size caption_size;

    friend bool operator==(const GlyphCaptionPlace&, const GlyphCaptionPlace&) = default;
};

// Places a glyph of size `glyph` (0 x 0 for none) and a caption of size
// `caption` in `r`. A margin of -1 centres both as one block, any other
// margin puts the glyph that far from the edge its layout names and the
// caption `spacing` beyond it (no spacing without a glyph). Pressed moves
// both by (+1, +1). Halves round toward zero.
GlyphCaptionPlace LayoutGlyphCaption(
    const Rect& r, int margin, int spacing, TButtonLayout layout, Size glyph, Size caption, bool pressed);
// The caption's size as the layout wants it: measured with word breaks and
// tabs in the width (left and right layouts) or height (top and bottom) that
// the glyph leaves, with the canvas's font; 0 x 0 for an empty caption.
Size MeasureCaption(Canvas& canvas, std::string_view caption, const Rect& r, TButtonLayout layout, Size glyph);
// Draws the caption at its place with a clear background, centred in a cell
// two pixels wider than its measured width, in the canvas's font and text
// colour.
void DrawCaption(Canvas& canvas, std::string_view caption, const GlyphCaptionPlace& place);

} // namespace lt
