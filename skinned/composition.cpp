// Skin image composition: geometry, the pieces and their clamping, the
// three-piece and nine-piece pictures, border strips and regions, glyphs and
// captions.

#include "skinned/composition.h"

#include <algorithm>

#include "gfx/draw_text.h"

namespace lt {

// ---- Geometry ---------------------------------------------------------------

SkinGeometry SkinGeometry::From(const TskDataSkinCustomControl& o)
{
    SkinGeometry g;
    g.skinrect = o.skinrect;
    g.clientrect = o.clientrect;
    g.lefttoppoint = o.lefttoppoint;
    g.righttoppoint = o.righttoppoint;
    g.leftbottompoint = o.leftbottompoint;
    g.rightbottompoint = o.rightbottompoint;
    g.leftstretch = o.leftstretch;
    g.topstretch = o.topstretch;
    g.rightstretch = o.rightstretch;
    g.bottomstretch = o.bottomstretch;
    g.stretcheffect = o.stretcheffect;
    g.stretchtype = o.stretchtype;
    return g;
}

ResizeMode SkinGeometry::mode() const
{
    if (skinrect.empty())
        return ResizeMode::None;
    if (rightbottompoint.x != 0 && rightbottompoint.y != 0)
        return ResizeMode::NinePiece;
    if (righttoppoint.x != 0 || righttoppoint.y != 0)
        return ResizeMode::Horizontal;
    if (leftbottompoint.x != 0 || leftbottompoint.y != 0)
        return ResizeMode::Vertical;
    return ResizeMode::Fixed;
}

TargetGeometry SkinGeometry::target(Size size, ResizeMode mode) const
{
    const int dw = size.width - skinrect.width();
    const int dh = size.height - skinrect.height();
    TargetGeometry t{lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint, clientrect};
    switch (mode) {
    case ResizeMode::NinePiece:
        t.righttop.x += dw;
        t.leftbottom.y += dh;
        t.rightbottom = t.rightbottom + Point{dw, dh};
        t.client.right += dw;
        t.client.bottom += dh;
        break;
    case ResizeMode::Horizontal:
        t.righttop.x += dw;
        t.client.right += dw;
        break;
    case ResizeMode::Vertical:
        t.leftbottom.y += dh;
        t.client.bottom += dh;
        break;
    case ResizeMode::Fixed:
    case ResizeMode::None:
        break;
    }
    return t;
}

SkinFit SkinGeometry::fit(Size proposed) const
{
    SkinFit f;
    f.mode = mode();
    f.size = proposed;
    switch (f.mode) {
    case ResizeMode::Fixed:
        f.size = skin_size();
        break;
    case ResizeMode::Horizontal:
        f.size.height = skinrect.height();
        break;
    case ResizeMode::Vertical:
        f.size.width = skinrect.width();
        break;
    case ResizeMode::NinePiece:
    case ResizeMode::None:
        break;
    }
    f.target = target(f.size, f.mode);
    return f;
}

// ---- Pieces -----------------------------------------------------------------

namespace {

// A piece given relative to `src`, in picture coordinates and clamped to the
// skin rectangle and the picture.
Rect SourcePiece(const Bitmap& picture, const Rect& src, const Rect& piece)
{
    if (piece.empty())
        return {};
    return piece.offset(src.top_left()).intersected(src).intersected(picture.rect());
}

// Copies a piece 1:1 so that its (unclamped) top-left corner lands on `at`.
void CopyPiece(Canvas& dst, const Bitmap& picture, const Rect& src, const Rect& piece, Point at)
{
    const Rect s = SourcePiece(picture, src, piece);
    if (s.empty())
        return;
    const Point moved = s.top_left() - piece.offset(src.top_left()).top_left();
    dst.draw(at + moved, picture, s);
}

// Fills `target` with a piece, stretched or tiled from the target's top-left
// corner; the canvas clips the copies to the target.
void FillPiece(Canvas& dst, const Bitmap& picture, const Rect& src, const Rect& piece, const Rect& target, bool stretch)
{
    const Rect s = SourcePiece(picture, src, piece);
    if (s.empty() || target.empty())
        return;
    if (stretch)
        dst.stretch_draw(target, picture, s);
    else
        dst.tile(target, picture, s);
}

// Limits drawing to the target for the lifetime of the object.
class TargetClip {
public:
    TargetClip(Canvas& c, Size size) : saver_(c) { c.intersect_clip(Rect::from_size(size)); }

private:
    CanvasSaver saver_;
};

} // namespace

// ---- Pictures ---------------------------------------------------------------

void ComposeFixed(Canvas& dst, const Bitmap& picture, const Rect& src)
{
    CopyPiece(dst, picture, src, Rect::from_size(src.size()), {0, 0});
}

void ComposeHorizontal(
    Canvas& dst, const Bitmap& picture, const Rect& src, int left, int right, int width, bool stretch)
{
    const int sw = src.width();
    const int sh = src.height();
    TargetClip clip(dst, {width, sh});
    CopyPiece(dst, picture, src, {0, 0, left, sh}, {0, 0});
    CopyPiece(dst, picture, src, {sw - right, 0, sw, sh}, {width - right, 0});
    FillPiece(dst, picture, src, {left, 0, sw - right, sh}, {left, 0, width - right, sh}, stretch);
}

void ComposeVertical(Canvas& dst, const Bitmap& picture, const Rect& src, int top, int bottom, int height, bool stretch)
{
    const int sw = src.width();
    const int sh = src.height();
    TargetClip clip(dst, {sw, height});
    CopyPiece(dst, picture, src, {0, 0, sw, top}, {0, 0});
    CopyPiece(dst, picture, src, {0, sh - bottom, sw, sh}, {0, height - bottom});
    FillPiece(dst, picture, src, {0, top, sw, sh - bottom}, {0, top, sw, height - bottom}, stretch);
}

void ComposeNinePiece(Canvas& dst, const Bitmap& picture, const Rect& src, const SkinGeometry& g,
    const TargetGeometry& t, Size size, bool draw_client)
{
    const Point LT = g.lefttoppoint, RT = g.righttoppoint, LB = g.leftbottompoint, RB = g.rightbottompoint;
    if (RB.x == LT.x || RB.y == LT.y || picture.empty())
        return;
    const Rect C = g.clientrect;
    const Rect Ct = t.client;
    const int sw = src.width(), sh = src.height();
    const int W = size.width, H = size.height;
    TargetClip clip(dst, size);

    // Edge strips.
    FillPiece(dst, picture, src, {LT.x, 0, RT.x, C.top}, {t.lefttop.x, 0, t.righttop.x, Ct.top}, g.topstretch);
    FillPiece(dst, picture, src, {LB.x, C.bottom, RB.x, sh}, {t.leftbottom.x, Ct.bottom, t.rightbottom.x, H},
        g.bottomstretch);
    FillPiece(dst, picture, src, {0, LT.y, C.left, LB.y}, {0, t.lefttop.y, Ct.left, t.leftbottom.y}, g.leftstretch);
    FillPiece(
        dst, picture, src, {C.right, RT.y, sw, RB.y}, {Ct.right, t.righttop.y, W, t.rightbottom.y}, g.rightstretch);

    // Corner pieces, each copied 1:1 to the place measured from the target
    // corner or point that matches its source one.
    CopyPiece(dst, picture, src, {0, 0, LT.x, C.top}, {0, 0});
    CopyPiece(dst, picture, src, {0, C.top, C.left, LT.y}, {0, Ct.top});
    CopyPiece(dst, picture, src, {RT.x, 0, sw, C.top}, {t.righttop.x, 0});
    CopyPiece(dst, picture, src, {C.right, C.top, sw, RT.y}, {Ct.right, Ct.top});
    CopyPiece(dst, picture, src, {0, LB.y, C.left, sh}, {0, t.leftbottom.y});
    CopyPiece(dst, picture, src, {C.left, C.bottom, LB.x, sh}, {Ct.left, Ct.bottom});
    CopyPiece(dst, picture, src, {RB.x, C.bottom, sw, sh}, {t.rightbottom.x, Ct.bottom});
    CopyPiece(dst, picture, src, {C.right, RB.y, sw, C.bottom}, {Ct.right, t.rightbottom.y});

    if (draw_client)
        ComposeClient(dst, picture, src, g, Ct);
}

void ComposeClient(
    Canvas& dst, const Bitmap& picture, const Rect& src, const SkinGeometry& g, const Rect& target_client)
{
    const Rect s = SourcePiece(picture, src, g.clientrect);
    if (s.empty() || target_client.empty())
        return;
    if (!g.stretcheffect) {
        dst.tile(target_client, picture, s);
        return;
    }
    switch (g.stretchtype) {
    case stFull:
        dst.stretch_draw(target_client, picture, s);
        break;
    case stHorz: {
        Bitmap strip(s.width(), target_client.height());
        Canvas(strip).stretch_draw(strip.rect(), picture, s);
        dst.tile(target_client, strip, strip.rect());
        break;
    }
    case stVert: {
        Bitmap strip(target_client.width(), s.height());
        Canvas(strip).stretch_draw(strip.rect(), picture, s);
        dst.tile(target_client, strip, strip.rect());
        break;
    }
    }
}

void ComposeSkin(
    Canvas& dst, const Bitmap& picture, const Rect& src, const SkinGeometry& g, const SkinFit& fit, bool draw_client)
{
    const int sw = src.width(), sh = src.height();
    switch (fit.mode) {
    case ResizeMode::None:
        break;
    case ResizeMode::Fixed:
        ComposeFixed(dst, picture, src);
        break;
    case ResizeMode::Horizontal:
        ComposeHorizontal(dst, picture, src, g.lefttoppoint.x, sw - g.righttoppoint.x, fit.size.width, g.stretcheffect);
        break;
    case ResizeMode::Vertical:
        ComposeVertical(
            dst, picture, src, g.lefttoppoint.y, sh - g.leftbottompoint.y, fit.size.height, g.stretcheffect);
        break;
    case ResizeMode::NinePiece:
        ComposeNinePiece(dst, picture, src, g, fit.target, fit.size, draw_client);
        break;
    }
}

void ComposeStretchedNinePiece(Canvas& dst, const Bitmap& picture, const Rect& src, const Rect& clientrect, Size size)
{
    SkinGeometry g;
    g.skinrect = src;
    g.clientrect = clientrect;
    g.lefttoppoint = {clientrect.left, clientrect.top};
    g.righttoppoint = {clientrect.right, clientrect.top};
    g.leftbottompoint = {clientrect.left, clientrect.bottom};
    g.rightbottompoint = {clientrect.right, clientrect.bottom};
    g.leftstretch = g.topstretch = g.rightstretch = g.bottomstretch = true;
    g.stretcheffect = true;
    g.stretchtype = stFull;
    ComposeNinePiece(dst, picture, src, g, g.target(size, ResizeMode::NinePiece), size, true);
}

BorderStrips ComposeBorderStrips(
    const Bitmap& picture, const Rect& src, const SkinGeometry& g, const SkinFit& fit, Pixel fill)
{
    const int W = fit.size.width, H = fit.size.height;
    const Rect Ct = fit.target.client;
    auto span = [](int v, int limit) { return std::clamp(v, 0, std::max(limit, 0)); };
    const int client_height = span(Ct.height(), H);
    auto strip = [&](int width, int height, Point at) {
        Bitmap b(width, height, fill);
        if (!b.empty()) {
            Canvas c(b);
            c.set_origin({-at.x, -at.y});
            ComposeSkin(c, picture, src, g, fit, false);
        }
        return b;
    };
    BorderStrips s;
    s.top = strip(W, span(Ct.top, H), {0, 0});
    s.bottom = strip(W, span(H - Ct.bottom, H), {0, Ct.bottom});
    s.left = strip(span(Ct.left, W), client_height, {0, Ct.top});
    s.right = strip(span(W - Ct.right, W), client_height, {Ct.right, Ct.top});
    return s;
}

// ---- Regions ----------------------------------------------------------------

std::optional<Region> SkinRegion(const Bitmap& mask, const Rect& mask_src, const SkinGeometry& g, const SkinFit& fit)
{
    const TargetGeometry& t = fit.target;
    const Rect target = Rect::from_size(fit.size);
    switch (fit.mode) {
    case ResizeMode::None:
        return std::nullopt;
    case ResizeMode::Fixed: {
        const Rect s = mask_src.intersected(mask.rect());
        if (s == mask.rect())
            return Region::from_mask(mask);
        return Region::from_mask(mask.copy(s));
    }
    case ResizeMode::NinePiece:
        if (t.righttop.x < t.lefttop.x || t.rightbottom.y < t.righttop.y)
            return std::nullopt;
        break;
    case ResizeMode::Horizontal:
        if (t.righttop.x < t.lefttop.x)
            return std::nullopt;
        break;
    case ResizeMode::Vertical:
        if (t.leftbottom.y < t.lefttop.y)
            return std::nullopt;
        break;
    }
    // Only pure black belongs to the window, so pixels no piece reaches are
    // left white.
    const BorderStrips s = ComposeBorderStrips(mask, mask_src, g, fit, make_pixel(255, 255, 255));
    const Rect Ct = t.client;
    Region r(Ct.intersected(target));
    r.unite(Region::from_mask(s.top, {0, 0}));
    r.unite(Region::from_mask(s.bottom, {0, Ct.bottom}));
    r.unite(Region::from_mask(s.left, {0, Ct.top}));
    r.unite(Region::from_mask(s.right, {Ct.right, Ct.top}));
    return r;
}

// ---- Glyphs and captions ------------------------------------------------------

Rect GlyphSlice(Size strip, int num_glyphs, int k)
{
    if (num_glyphs <= 0 || k < 1 || k > num_glyphs)
        return {};
    const int w = strip.width / num_glyphs;
    return Rect{w * (k - 1), 0, w * k, strip.height}.intersected(Rect::from_size(strip));
}

void DrawGlyph(Canvas& canvas, Point at, const Bitmap& strip, int num_glyphs, int k)
{
    const Rect slice = GlyphSlice(strip.size(), num_glyphs, k);
    if (!slice.empty())
        canvas.draw_transparent(at, strip, slice);
}

GlyphCaptionPlace LayoutGlyphCaption(
    const Rect& r, int margin, int spacing, TButtonLayout layout, Size glyph, Size caption, bool pressed)
{
    const int gw = glyph.width, gh = glyph.height;
    const int tw = caption.width, th = caption.height;
    if (gw == 0)
        spacing = 0;
    const int cx = r.left + r.width() / 2;
    const int cy = r.top + r.height() / 2;
    GlyphCaptionPlace p;
    p.caption_size = caption;
    if (margin != -1) {
        switch (layout) {
        case blGlyphLeft:
            p.glyph = {r.left + margin, cy - gh / 2};
            p.caption = {r.left + margin + gw + spacing, cy - th / 2};
            break;
        case blGlyphRight:
            p.glyph = {r.right - gw - margin, cy - gh / 2};
            p.caption = {p.glyph.x - spacing - tw, cy - th / 2};
            break;
        case blGlyphTop:
            p.glyph = {cx - gw / 2, r.top + margin};
            p.caption = {cx - tw / 2, p.glyph.y + gh + spacing};
            break;
        case blGlyphBottom:
            p.glyph = {cx - gw / 2, r.bottom - gh - margin};
            p.caption = {cx - tw / 2, p.glyph.y - spacing - th};
            break;
        }
    } else {
        const int m = (gw + tw + spacing) / 2;
        const int v = (th + gh + spacing) / 2;
        switch (layout) {
        case blGlyphLeft:
            p.glyph = {cx - m, cy - gh / 2};
            p.caption = {cx + m - tw, cy - th / 2};
            break;
        case blGlyphRight:
            p.caption = {cx - m, cy - th / 2};
            p.glyph = {cx + m - gw, cy - gh / 2};
            break;
        case blGlyphTop:
            p.glyph = {cx - gw / 2, cy - v};
            p.caption = {cx - tw / 2, cy + v - th};
            break;
        case blGlyphBottom:
            p.caption = {cx - tw / 2, cy - v};
            p.glyph = {cx - gw / 2, cy + v - gh};
            break;
        }
    }
    if (pressed) {
        p.glyph = p.glyph + Point{1, 1};
        p.caption = p.caption + Point{1, 1};
    }
    return p;
}

Size MeasureCaption(Canvas& canvas, std::string_view caption, const Rect& r, TButtonLayout layout, Size glyph)
{
    if (caption.empty())
        return {};
    const bool beside = layout == blGlyphLeft || layout == blGlyphRight;
    const Rect room =
        beside ? Rect{0, 0, r.width() - glyph.width, r.height()} : Rect{0, 0, r.width(), r.height() - glyph.height};
    return measure_text(canvas, caption, room, DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK).size();
}

void DrawCaption(Canvas& canvas, std::string_view caption, const GlyphCaptionPlace& place)
{
    if (caption.empty())
        return;
    CanvasSaver keep(canvas);
    canvas.set_bk_mode(BkMode::Transparent);
    const Point at = place.caption;
    Rect cell{at.x, at.y, at.x + place.caption_size.width + 2, at.y + place.caption_size.height};
    draw_text(canvas, caption, cell, DT_EXPANDTABS | DT_WORDBREAK | DT_VCENTER | DT_CENTER);
}

} // namespace lt
