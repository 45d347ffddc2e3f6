#include "forms/frame_geometry.h"

#include <algorithm>

#include "platform/messages.h"

namespace lt {

int PlainFrameGeometry::border_width() const
{
    switch (style_) {
    case TFormBorderStyle::bsNone:
        return 0;
    case TFormBorderStyle::bsSizeable:
    case TFormBorderStyle::bsSizeToolWin:
        return 4;
    default:
        return 3;
    }
}

int PlainFrameGeometry::caption_height() const
{
    switch (style_) {
    case TFormBorderStyle::bsNone:
        return 0;
    case TFormBorderStyle::bsToolWindow:
    case TFormBorderStyle::bsSizeToolWin:
        return 16;
    default:
        return 19;
    }
}

bool PlainFrameGeometry::sizeable() const
{
    return style_ == TFormBorderStyle::bsSizeable || style_ == TFormBorderStyle::bsSizeToolWin;
}

Rect PlainFrameGeometry::client(Size window) const
{
    const int b = border_width(), top = b + caption_height();
    return {b, top, std::max(b, window.width - b), std::max(top, window.height - b)};
}

Rect PlainFrameGeometry::part_rect(Size window, int part) const
{
    const int b = border_width(), h = caption_height();
    const int w = window.width, ht = window.height;
    const int g = kCornerGrip;
    if (part == HTCLIENT)
        return client(window);
    // The caption bar and its close button never reach outside the window
    // or over the border, however small the window is.
    const Rect caption = h ? Rect{b, b, w - b, b + h}.intersected({b, b, w - b, ht - b}) : Rect{};
    if (part == HTCAPTION)
        return caption;
    if (part == HTCLOSE) {
        const int size = h - 4;
        return Rect::from_xywh(w - b - 2 - size, b + 2, size, size).intersected(caption);
    }
    if (part == HTBORDER)
        return b ? Rect::from_size(window) : Rect{};
    if (!sizeable())
        return {};
    switch (part) {
    case HTLEFT:
        return {0, 0, b, ht};
    case HTRIGHT:
        return {w - b, 0, w, ht};
    case HTTOP:
        return {0, 0, w, b};
    case HTBOTTOM:
        return {0, ht - b, w, ht};
    case HTTOPLEFT:
        return {0, 0, g, g};
    case HTTOPRIGHT:
        return {w - g, 0, w, g};
    case HTBOTTOMLEFT:
        return {0, ht - g, g, ht};
    case HTBOTTOMRIGHT:
        return {w - g, ht - g, w, ht};
    default:
        return {};
    }
}

int PlainFrameGeometry::part_at(Size window, Point p) const
{
    if (!Rect::from_size(window).contains(p))
        return HTNOWHERE;
    if (client(window).contains(p))
        return HTCLIENT;
    if (part_rect(window, HTCLOSE).contains(p))
        return HTCLOSE;
    const int b = border_width();
    if (sizeable()) {
        const int g = kCornerGrip;
        const bool left = p.x < b, right = p.x >= window.width - b;
        const bool top = p.y < b, bottom = p.y >= window.height - b;
        const bool near_left = p.x < g, near_right = p.x >= window.width - g;
        const bool near_top = p.y < g, near_bottom = p.y >= window.height - g;
        if ((top && near_left) || (left && near_top))
            return HTTOPLEFT;
        if ((top && near_right) || (right && near_top))
            return HTTOPRIGHT;
        if ((bottom && near_left) || (left && near_bottom))
            return HTBOTTOMLEFT;
        if ((bottom && near_right) || (right && near_bottom))
            return HTBOTTOMRIGHT;
        if (top)
            return HTTOP;
        if (bottom)
            return HTBOTTOM;
        if (left)
            return HTLEFT;
        if (right)
            return HTRIGHT;
    }
    if (part_rect(window, HTCAPTION).contains(p))
        return HTCAPTION;
    return HTBORDER;
}

} // namespace lt
