// The skinned frame's geometry: margins and limits, the layout of the frame
// objects, the window region from the mask and the hit test, with and
// without a skin.

#include "skinned/skin_frame_geometry.h"

#include <algorithm>

#include "platform/messages.h"

namespace lt {

namespace {

// The automatic layout's order: close first, from the area's far end.
constexpr TskStdCommand kLayoutOrder[] = {cmClose, cmMaximize, cmMinimize, cmRollUp, cmMinimizeToTray, cmDefault};

} // namespace

int CaptionButtonPart(TskStdCommand command)
{
    switch (command) {
    case cmClose:
        return HTCLOSE;
    case cmMaximize:
        return HTMAXBUTTON;
    case cmMinimize:
        return HTMINBUTTON;
    case cmSysMenu:
        return HTSYSMENU;
    default:
        return HTOBJECT;
    }
}

SkinFrameGeometry::SkinFrameGeometry(
    const TskSkinFormInfo& info, Size picture, const Bitmap* mask, std::vector<FrameObjectSpec> objects)
    : skinned_(true), info_(info), picture_(picture), mask_(mask), objects_(std::move(objects))
{ }

// ---- margins and limits -------------------------------------------------------

Rect SkinFrameGeometry::margins() const
{
    if (!options.bordered)
        return {};
    if (!skinned_)
        return {kDefaultBorder, kDefaultBorder + default_caption_height(), kDefaultBorder, kDefaultBorder};
    const Rect& c = info_.clientrect;
    return {c.left, c.top, picture_.width - c.right, picture_.height - c.bottom};
}

Size SkinFrameGeometry::minimum_size(int min_width, int min_height) const
{
    if (!skinned_)
        return {min_width > 0 ? min_width : 120, std::max(default_caption_height() + 6, min_height)};
    int width = picture_.width;
    if (picture_.width < min_width)
        width = min_width;
    else if (info_.formminwidth > 0)
        width = info_.formminwidth;
    int height = picture_.height - info_.clientrect.height();
    if (!options.rolled_up)
        height = std::max(height, min_height);
    return {width, height};
}

Rect SkinFrameGeometry::client(Size s) const
{
    const Rect m = margins();
    return {m.left, m.top, std::max(m.left, s.width - m.right), std::max(m.top, s.height - m.bottom)};
}

// ---- [FORMINFO] areas ---------------------------------------------------------

Rect SkinFrameGeometry::caption_area(Size s) const
{
    if (!skinned_ || info_.captionrect.empty())
        return {};
    Rect r = info_.captionrect;
    r.right += s.width - picture_.width;
    return r;
}

Rect SkinFrameGeometry::buttons_area(Size s) const
{
    if (!skinned_ || info_.buttonsrect.empty())
        return {};
    Rect r = info_.buttonsrect;
    if (r.left > picture_.width / 2)
        r = r.offset(s.width - picture_.width, 0);
    return r;
}

Rect SkinFrameGeometry::mask_area(Size s) const
{
    if (!skinned_)
        return {};
    Rect r = info_.maskrectarea;
    if (r.empty())
        return {};
    r.right += s.width - picture_.width;
    r.bottom += s.height - picture_.height;
    return r;
}

std::array<Point, 4> SkinFrameGeometry::hit_points(Size s) const
{
    const int dx = s.width - picture_.width, dy = s.height - picture_.height;
    return {info_.hittestlefttoppoint, info_.hittestrighttoppoint + Point{dx, 0},
        info_.hittestleftbottompoint + Point{0, dy}, info_.hittestrightbottompoint + Point{dx, dy}};
}

// ---- layout ---------------------------------------------------------------------

// A rectangle of the frame picture follows the corners it lies in. The four
// corner pieces are half-open (a point on a corner's right or bottom edge is
// outside it); a rectangle is judged by its first and its last pixel.
Rect SkinFrameGeometry::map_frame_rect(const Rect& r, int dx, int dy) const
{
    if (r.empty())
        return r;
    const Point LT = info_.lefttoppoint, RT = info_.righttoppoint, LB = info_.leftbottompoint,
                RB = info_.rightbottompoint;
    const int W = picture_.width, H = picture_.height;
    const Rect tl{0, 0, LT.x, LT.y}, tr{RT.x, 0, W, RT.y}, bl{0, LB.y, LB.x, H}, br{RB.x, RB.y, W, H};
    const Point first{r.left, r.top}, last{r.right - 1, r.bottom - 1};
    auto in = [](const Rect& corner, Point p) { return corner.contains(p); };
    Rect m = r;
    if (in(tl, first)) {
        if (in(tl, last))
            return m;
        if (in(tr, last)) {
            m.right += dx;
        } else if (in(br, last)) {
            m.right += dx;
            m.bottom += dy;
        } else if (in(bl, last)) {
            m.bottom += dy;
        }
        return m;
    }
    if (in(tr, first)) {
        if (in(tr, last))
            return m.offset(dx, 0);
        if (in(br, last)) {
            m = m.offset(dx, 0);
            m.bottom += dy;
        }
        return m;
    }
    if (in(bl, first)) {
        if (in(bl, last))
            return m.offset(0, dy);
        if (in(br, last)) {
            m = m.offset(0, dy);
            m.right += dx;
        }
        return m;
    }
    if (in(br, first) && in(br, last))
        return m.offset(dx, dy);
    return m;
}

bool SkinFrameGeometry::auto_placed(const FrameObjectSpec& o) const
{
    return o.visible && o.has_command() && (o.in_picture || !skinned_);
}

Size SkinFrameGeometry::placed_size(const FrameObjectSpec& o) const
{
    return skinned_ ? o.skinrect.size() : kDefaultButton;
}

std::optional<int> SkinFrameGeometry::layout_buttons(
    std::vector<Rect>& rects, const Rect& area, int offset, bool from_left) const
{
    std::optional<int> edge;
    int pos = from_left ? area.left : area.right;
    for (TskStdCommand command : kLayoutOrder) {
        for (size_t i = 0; i < objects_.size(); ++i) {
            const FrameObjectSpec& o = objects_[i];
            if (!auto_placed(o) || o.command != command)
                continue;
            const Size size = placed_size(o);
            if (from_left) {
                rects[i] = Rect::from_xywh(pos, area.top, size.width, size.height);
                pos = rects[i].right + offset;
            } else {
                rects[i] = Rect::from_xywh(pos - size.width, area.top, size.width, size.height);
                pos = rects[i].left - offset;
            }
            edge = pos;
            // Only custom buttons may come more than once.
            if (command != cmDefault)
                break;
        }
    }
    return edge;
}

std::vector<Rect> SkinFrameGeometry::object_rects(Size s) const
{
    std::vector<Rect> rects(objects_.size());
    if (!options.bordered)
        return rects;
    const int dx = s.width - picture_.width, dy = s.height - picture_.height;
    Rect area, caption_strip;
    int offset = 0;
    bool from_left = false;
    if (skinned_) {
        for (size_t i = 0; i < objects_.size(); ++i) {
            const FrameObjectSpec& o = objects_[i];
            if (o.visible && !o.in_picture)
                rects[i] = map_frame_rect(o.skinrect, dx, dy);
        }
        caption_strip = caption_area(s);
        area = buttons_area(s).empty() ? caption_strip : buttons_area(s);
        offset = info_.buttonsoffset;
        from_left = info_.buttonsinleft;
    } else {
        const Rect strip = default_caption_strip(s);
        const int top = strip.top + (strip.height() - kDefaultButton.height) / 2;
        caption_strip = {
            strip.left + kDefaultButtonGap, top, strip.right - kDefaultButtonGap, top + kDefaultButton.height};
        area = caption_strip;
        offset = kDefaultButtonGap;
    }
    if (area.empty())
        return rects;
    const std::optional<int> edge = layout_buttons(rects, area, offset, from_left);

    // The system-menu button goes to the caption's left end, vertically
    // centred in it, and the caption starts right after it.
    int caption_left = -1;
    for (size_t i = 0; i < objects_.size() && !caption_strip.empty(); ++i) {
        const FrameObjectSpec& o = objects_[i];
        if (!auto_placed(o) || o.command != cmSysMenu)
            continue;
        const Size size = placed_size(o);
        rects[i] = Rect::from_xywh(caption_strip.left, caption_strip.top + (caption_strip.height() - size.height) / 2,
            size.width, size.height);
        caption_left = rects[i].right;
        break;
    }
    const int caption = caption_index();
    if (caption >= 0 && !rects[static_cast<size_t>(caption)].empty()) {
        Rect& c = rects[static_cast<size_t>(caption)];
        if (edge && buttons_area(s).empty()) {
            if (from_left)
                c.left = *edge - offset;
            else
                c.right = *edge + offset;
        }
        if (caption_left >= 0)
            c.left = std::max(c.left, caption_left);
    }
    return rects;
}

int SkinFrameGeometry::caption_index() const
{
    for (size_t i = 0; i < objects_.size(); ++i)
        if (objects_[i].kind == FrameObjectKind::Caption)
            return static_cast<int>(i);
    return -1;
}

int SkinFrameGeometry::object_at(Size s, Point p) const
{
    const std::vector<Rect> rects = object_rects(s);
    for (size_t i = 0; i < rects.size(); ++i)
        if (objects_[i].visible && rects[i].contains(p))
            return static_cast<int>(i);
    return -1;
}

Rect SkinFrameGeometry::default_caption_strip(Size s) const
{
    const int b = kDefaultBorder;
    return Rect{b, b, s.width - b, b + default_caption_height()}.intersected(Rect::from_size(s));
}

// ---- pictures and the region ----------------------------------------------------------

SkinGeometry SkinFrameGeometry::picture_geometry() const
{
    SkinGeometry g;
    g.skinrect = Rect::from_size(picture_);
    g.clientrect = info_.clientrect;
    g.lefttoppoint = info_.lefttoppoint;
    g.righttoppoint = info_.righttoppoint;
    g.leftbottompoint = info_.leftbottompoint;
    g.rightbottompoint = info_.rightbottompoint;
    g.leftstretch = info_.leftstretch;
    g.topstretch = info_.topstretch;
    g.rightstretch = info_.rightstretch;
    g.bottomstretch = info_.bottomstretch;
    g.stretcheffect = info_.stretcheffect;
    g.stretchtype = info_.stretchtype;
    return g;
}

SkinFit SkinFrameGeometry::fit(Size s) const
{
    return {ResizeMode::NinePiece, s, picture_geometry().target(s, ResizeMode::NinePiece)};
}

const std::optional<Region>& SkinFrameGeometry::region(Size s) const
{
    if (region_cache_ && region_cache_->first == s)
        return region_cache_->second;
    std::optional<Region> r;
    if (skinned_ && has_mask() && options.bordered) {
        r = SkinRegion(*mask_, mask_->rect(), picture_geometry(), fit(s));
        const Rect area = mask_area(s).intersected(Rect::from_size(s));
        if (r)
            r->unite(Region(area));
        else if (!area.empty())
            r = Region(area);
    }
    region_cache_.emplace(s, std::move(r));
    return region_cache_->second;
}

bool SkinFrameGeometry::region_contains(Size s, Point p) const
{
    if (!Rect::from_size(s).contains(p))
        return false;
    const std::optional<Region>& r = region(s);
    return !r || r->contains(p);
}

// ---- the hit test ----------------------------------------------------------------------

int SkinFrameGeometry::object_part(Size s, Point p) const
{
    const int i = object_at(s, p);
    if (i < 0)
        return HTOBJECT;
    const FrameObjectSpec& o = objects_[static_cast<size_t>(i)];
    return o.has_command() ? CaptionButtonPart(o.command) : HTOBJECT;
}

int SkinFrameGeometry::part_at(Size s, Point p) const
{
    if (!Rect::from_size(s).contains(p))
        return HTNOWHERE;
    if (!options.bordered)
        return HTCLIENT;
    return skinned_ ? skinned_part_at(s, p) : default_part_at(s, p);
}

int SkinFrameGeometry::skinned_part_at(Size s, Point p) const
{
    const Rect cl = client(s);
    const int caption = caption_index();
    const Rect caption_rect = caption >= 0 ? object_rects(s)[static_cast<size_t>(caption)] : Rect{};
    if (options.rolled_up)
        return caption_rect.contains(p) ? HTCAPTION : object_part(s, p);
    if (!options.maximized && options.sizeable) {
        const int b = info_.borderwidth;
        const Point probes[] = {{p.x - b, p.y - b}, {p.x + b, p.y - b}, {p.x - b, p.y + b}, {p.x + b, p.y + b}};
        bool near = false;
        if (has_mask()) {
            if (!mask_area(s).contains(p))
                for (Point q : probes)
                    near = near || !region_contains(s, q);
        } else {
            for (Point q : probes)
                near = near || !Rect::from_size(s).contains(q);
        }
        if (near) {
            const auto [lt, rt, lb, rb] = hit_points(s);
            if (p.x <= lt.x && p.y <= lt.y)
                return HTTOPLEFT;
            if (p.x >= rt.x && p.y <= rt.y)
                return HTTOPRIGHT;
            if (p.x <= lb.x && p.y >= lb.y)
                return HTBOTTOMLEFT;
            if (p.x >= rb.x && p.y >= rb.y)
                return HTBOTTOMRIGHT;
            const int part = [&] {
                const int parts[] = {HTTOP, HTBOTTOM, HTLEFT, HTRIGHT};
                for (int part : parts)
                    if (part_rect(s, part).contains(p))
                        return part;
                return HTNOWHERE;
            }();
            if (part != HTNOWHERE)
                return part;
        }
    }
    if (cl.contains(p))
        return HTCLIENT;
    // A caption button wins over a caption object drawn under it.
    const int object = object_part(s, p);
    if (object != HTOBJECT)
        return object;
    if (caption_rect.contains(p))
        return HTCAPTION;
    return HTOBJECT;
}

int SkinFrameGeometry::default_part_at(Size s, Point p) const
{
    const Rect strip = default_caption_strip(s);
    const int part = object_part(s, p);
    if (options.rolled_up)
        return part != HTOBJECT ? part : strip.contains(p) ? HTCAPTION : HTOBJECT;
    if (options.sizeable && !options.maximized) {
        const int e = kDefaultBorder - 1, W = s.width, H = s.height;
        const bool left = p.x <= e, right = p.x >= W - 1 - e, top = p.y <= e, bottom = p.y >= H - 1 - e;
        if (left && top)
            return HTTOPLEFT;
        if (right && top)
            return HTTOPRIGHT;
        if (left && bottom)
            return HTBOTTOMLEFT;
        if (right && bottom)
            return HTBOTTOMRIGHT;
        if (left)
            return HTLEFT;
        if (top)
            return HTTOP;
        if (right)
            return HTRIGHT;
        if (bottom)
            return HTBOTTOM;
    }
    // The buttons are no part of the caption that moves the window.
    if (part != HTOBJECT)
        return part;
    if (strip.contains(p))
        return HTCAPTION;
    if (client(s).contains(p))
        return HTCLIENT;
    return HTOBJECT;
}

Rect SkinFrameGeometry::part_rect(Size s, int part) const
{
    if (!options.bordered)
        return part == HTCLIENT ? Rect::from_size(s) : Rect{};
    const int W = s.width, H = s.height;
    const Rect cl = client(s);
    switch (part) {
    case HTCLIENT:
        return cl;
    case HTBORDER:
        return Rect::from_size(s);
    case HTCAPTION: {
        if (skinned_) {
            const int caption = caption_index();
            return caption >= 0 ? object_rects(s)[static_cast<size_t>(caption)] : Rect{};
        }
        // The strip between the system-menu button and the other buttons.
        Rect strip = default_caption_strip(s);
        const std::vector<Rect> rects = object_rects(s);
        for (size_t i = 0; i < rects.size(); ++i) {
            if (rects[i].empty())
                continue;
            if (objects_[i].command == cmSysMenu)
                strip.left = std::max(strip.left, rects[i].right);
            else
                strip.right = std::min(strip.right, rects[i].left);
        }
        return strip.empty() ? Rect{} : strip;
    }
    case HTCLOSE:
    case HTMAXBUTTON:
    case HTMINBUTTON:
    case HTSYSMENU: {
        const std::vector<Rect> rects = object_rects(s);
        for (size_t i = 0; i < rects.size(); ++i)
            if (objects_[i].has_command() && objects_[i].visible && CaptionButtonPart(objects_[i].command) == part)
                return rects[i];
        return {};
    }
    default:
        break;
    }
    if (!options.sizeable)
        return {};
    if (!skinned_) {
        const int b = kDefaultBorder;
        switch (part) {
        case HTLEFT:
            return {0, 0, b, H};
        case HTRIGHT:
            return {W - b, 0, W, H};
        case HTTOP:
            return {0, 0, W, b};
        case HTBOTTOM:
            return {0, H - b, W, H};
        case HTTOPLEFT:
            return {0, 0, b, b};
        case HTTOPRIGHT:
            return {W - b, 0, W, b};
        case HTBOTTOMLEFT:
            return {0, H - b, b, H};
        case HTBOTTOMRIGHT:
            return {W - b, H - b, W, H};
        default:
            return {};
        }
    }
    const auto [lt, rt, lb, rb] = hit_points(s);
    switch (part) {
    case HTTOP:
        return {lt.x, 0, rt.x, cl.top};
    case HTBOTTOM:
        return {lb.x, cl.bottom, rb.x, H};
    case HTLEFT:
        return {0, lt.y, cl.left, lb.y};
    case HTRIGHT:
        return {cl.right, rt.y, W, rb.y};
    case HTTOPLEFT:
        return {0, 0, lt.x + 1, lt.y + 1};
    case HTTOPRIGHT:
        return {rt.x, 0, W, rt.y + 1};
    case HTBOTTOMLEFT:
        return {0, lb.y, lb.x + 1, H};
    case HTBOTTOMRIGHT:
        return {rb.x, rb.y, W, H};
    default:
        return {};
    }
}

} // namespace lt
