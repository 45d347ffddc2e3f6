// DrawText and its relatives.
//
// Sections:
//   1. Walking a line: character positions with tab stops
//   2. Shortening: end and path ellipsis on whole characters
//   3. Layout: paragraphs, word breaks, alignment
//   4. Public helpers: ellipsis, prefixes and accelerators
//   5. Drawing

#include "gfx/draw_text.h"

#include <algorithm>
#include <optional>

#include "gfx/font_cp936.h"

namespace lt {

namespace {

// ---------------------------------------------------------------------------
// 1. Walking a line

// Calls fn(byte_offset, byte_length, code_point, x, advance) for each
// character of a line, x measured from the line's start. Tabs jump to the
// next multiple of `tab_width` (nothing when it is 0); other control
// characters have no width.
template <class Fn>
int walk_line(const Font& font, std::string_view line, int tab_width, Fn&& fn)
{
    int x = 0;
    for (size_t pos = 0; pos < line.size();) {
        size_t len = 1;
        const char32_t cp = cp936_decode_char(line, pos, &len);
        int advance = 0;
        if (cp == U'\t')
            advance = tab_width > 0 ? (x / tab_width + 1) * tab_width - x : 0;
        else
            advance = font.glyph(cp).advance;
        fn(pos, len, cp, x, advance);
        x += advance;
        pos += len;
    }
    return x;
}

int line_width(const Font& font, std::string_view line, int tab_width)
{
    return walk_line(font, line, tab_width, [](size_t, size_t, char32_t, int, int) {});
}

// ---------------------------------------------------------------------------
// 2. Shortening

// A shortened line: bytes [0, head) of the original, then "...", then the
// original's bytes from `tail` on. Offsets let the accelerator follow.
struct Shortened {
    std::string text;
    size_t head = 0;
    size_t tail = 0;
};

// The longest whole-character prefix of `text` whose width plus `reserve`
// fits `width`, as a byte length.
size_t fitting_prefix(const Font& font, std::string_view text, int tab_width, int width, int reserve)
{
    size_t fit = 0;
    walk_line(font, text, tab_width, [&](size_t pos, size_t len, char32_t, int x, int advance) {
        if (x + advance + reserve <= width && fit == pos)
            fit = pos + len;
    });
    return fit;
}

Shortened shorten_end(const Font& font, std::string_view text, int tab_width, int width)
{
    if (line_width(font, text, tab_width) <= width)
        return {std::string(text), text.size(), text.size()};
    const int ellipsis = font.text_width(kEllipsis);
    const size_t keep = fitting_prefix(font, text, tab_width, width, ellipsis);
    return {std::string(text.substr(0, keep)) + std::string(kEllipsis), keep, text.size()};
}

// Byte offset of the last path separator that starts a character, or npos.
// Scanning by characters matters: 0x5C is also a valid trail byte.
size_t last_separator(std::string_view text)
{
    size_t found = std::string_view::npos;
    for (size_t pos = 0; pos < text.size(); pos += cp936_char_length(text, pos)) {
        if (text[pos] == '/' || text[pos] == '\\')
            found = pos;
    }
    return found;
}

Shortened shorten_path(const Font& font, std::string_view text, int tab_width, int width)
{
    const size_t sep = last_separator(text);
    if (sep == std::string_view::npos)
        return shorten_end(font, text, tab_width, width);
    if (line_width(font, text, tab_width) <= width)
        return {std::string(text), text.size(), text.size()};
    const std::string_view tail = text.substr(sep);
    const int reserve = font.text_width(kEllipsis) + line_width(font, tail, tab_width);
    const size_t keep = fitting_prefix(font, text.substr(0, sep), tab_width, width, reserve);
    return {std::string(text.substr(0, keep)) + std::string(kEllipsis) + std::string(tail), keep, sep};
}

// ---------------------------------------------------------------------------
// 3. Layout

struct Range {
    size_t begin = 0;
    size_t end = 0;
};

bool is_blank(char c)
{
    return c == ' ' || c == '\t';
}

// Breaks one paragraph into lines no wider than `width` where it can: after a
// run of blanks (which hang at the line's end and are not counted), and
// before or after a double-byte character. A word wider than the whole line
// is not split: it stays whole and overflows the rectangle.
void break_paragraph(
    const Font& font, std::string_view text, Range para, int width, int tab_width, std::vector<Range>& lines)
{
    struct Break {
        size_t visible_end;
        size_t next;
    };
    size_t start = para.begin;
    while (true) {
        std::optional<Break> brk;
        int x = 0;
        size_t pos = start;
        bool broke = false;
        while (pos < para.end) {
            if (is_blank(text[pos])) {
                const size_t blank = pos;
                while (pos < para.end && is_blank(text[pos])) {
                    if (text[pos] == ' ')
                        x += font.glyph(U' ').advance;
                    else if (tab_width > 0)
                        x = (x / tab_width + 1) * tab_width;
                    ++pos;
                }
                brk = Break{blank, pos};
                continue;
            }
            size_t len = 1;
            const char32_t cp = cp936_decode_char(text, pos, &len);
            if (len == 2 && pos > start)
                brk = Break{pos, pos};
            const int advance = font.glyph(cp).advance;
            if (x + advance > width && brk && brk->visible_end > start) {
                lines.push_back({start, brk->visible_end});
                start = brk->next;
                broke = true;
                break;
            }
            x += advance;
            pos += len;
            if (len == 2)
                brk = Break{pos, pos};
        }
        if (!broke) {
            lines.push_back({start, para.end});
            return;
        }
    }
}

// Splits at CR LF, LF or CR. A final line break ends the last line without
// opening an empty one; empty text has no lines.
std::vector<Range> paragraphs(std::string_view text)
{
    std::vector<Range> out;
    size_t start = 0;
    for (size_t pos = 0; pos < text.size();) {
        const char c = text[pos];
        if (c == '\r' || c == '\n') {
            out.push_back({start, pos});
            pos += (c == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ? 2 : 1;
            start = pos;
        } else {
            pos += cp936_char_length(text, pos);
        }
    }
    if (start < text.size())
        out.push_back({start, text.size()});
    return out;
}

} // namespace

TextLayout layout_text(const Font& font, std::string_view text, const Rect& rect, unsigned flags)
{
    const FontMetrics& m = font.metrics();
    TextLayout layout;
    layout.line_height = m.height;
    if (flags & DT_TABSTOP) {
        const unsigned chars = (flags >> 8) & 0xFF;
        flags &= ~0xFF00u;
        if (flags & DT_EXPANDTABS)
            layout.tab_width = static_cast<int>(chars ? chars : 8) * m.ave_char_width;
    } else if (flags & DT_EXPANDTABS) {
        layout.tab_width = 8 * m.ave_char_width;
    }

    size_t accel = std::string::npos;
    const std::string display = (flags & DT_NOPREFIX) ? std::string(text) : strip_prefix(text, &accel);
    const int width = rect.width();

    std::vector<Range> ranges;
    if (flags & DT_SINGLELINE) {
        if (!display.empty())
            ranges.push_back({0, display.size()});
    } else {
        for (const Range& para : paragraphs(display)) {
            if (flags & DT_WORDBREAK)
                break_paragraph(font, display, para, width, layout.tab_width, ranges);
            else
                ranges.push_back(para);
        }
    }

    int widest = 0;
    for (size_t i = 0; i < ranges.size(); ++i) {
        const Range r = ranges[i];
        const std::string_view piece = std::string_view(display).substr(r.begin, r.end - r.begin);
        Shortened s{std::string(piece), piece.size(), piece.size()};
        if (flags & DT_PATH_ELLIPSIS)
            s = shorten_path(font, piece, layout.tab_width, width);
        else if (flags & DT_END_ELLIPSIS)
            s = shorten_end(font, piece, layout.tab_width, width);

        TextLine line;
        line.text = std::move(s.text);
        // Where the accelerator landed in this line, if it survived.
        size_t accel_in_line = std::string::npos;
        if (accel != std::string::npos && accel >= r.begin && accel < r.end) {
            const size_t off = accel - r.begin;
            if (off < s.head)
                accel_in_line = off;
            else if (off >= s.tail)
                accel_in_line = off - s.tail + s.head + kEllipsis.size();
        }
        line.width =
            walk_line(font, line.text, layout.tab_width, [&](size_t pos, size_t, char32_t, int x, int advance) {
                if (pos == accel_in_line) {
                    line.underline_x = x;
                    line.underline_width = advance;
                }
            });
        widest = std::max(widest, line.width);
        line.y = rect.top + static_cast<int>(i) * m.height;
        layout.lines.push_back(std::move(line));
    }

    const int lines_height = static_cast<int>(layout.lines.size()) * m.height;
    layout.calc_rect = {rect.left, rect.top, rect.left + widest, rect.top + lines_height};
    layout.height = lines_height;
    if ((flags & DT_SINGLELINE) && !layout.lines.empty()) {
        int y = rect.top;
        if (flags & DT_BOTTOM)
            y = rect.bottom - m.height;
        else if (flags & DT_VCENTER)
            y = rect.top + (rect.height() - m.height) / 2;
        layout.lines[0].y = y;
        if (flags & (DT_BOTTOM | DT_VCENTER))
            layout.height = y + m.height - rect.top;
    }
    for (TextLine& line : layout.lines) {
        if (flags & DT_RIGHT)
            line.x = rect.right - line.width;
        else if (flags & DT_CENTER)
            line.x = rect.left + (width - line.width) / 2;
        else
            line.x = rect.left;
        line.underline_x += line.x;
    }
    return layout;
}

// ---------------------------------------------------------------------------
// 4. Public helpers

std::string end_ellipsis(const Font& font, std::string_view text, int width)
{
    return shorten_end(font, text, 0, width).text;
}

std::string path_ellipsis(const Font& font, std::string_view text, int width)
{
    return shorten_path(font, text, 0, width).text;
}

std::string strip_prefix(std::string_view text, size_t* accel_pos)
{
    std::string out;
    out.reserve(text.size());
    size_t accel = std::string::npos;
    for (size_t pos = 0; pos < text.size();) {
        const size_t len = cp936_char_length(text, pos);
        if (len == 1 && text[pos] == '&') {
            if (pos + 1 < text.size() && text[pos + 1] == '&') {
                out += '&';
                pos += 2;
                continue;
            }
            if (pos + 1 < text.size() && accel == std::string::npos)
                accel = out.size();
            ++pos;
            continue;
        }
        out.append(text.substr(pos, len));
        pos += len;
    }
    if (accel_pos)
        *accel_pos = accel;
    return out;
}

char accelerator_char(std::string_view text)
{
    size_t pos = std::string::npos;
    const std::string display = strip_prefix(text, &pos);
    if (pos == std::string::npos || cp936_is_double(display, pos))
        return 0;
    const char c = display[pos];
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// ---------------------------------------------------------------------------
// 5. Drawing

namespace {

// Draws laid-out lines with the canvas's colours, the font's underline and
// strike-out, and the accelerator underlines.
void draw_lines(Canvas& canvas, const Font& font, const TextLayout& layout, Color color)
{
    const FontMetrics& m = font.metrics();
    const FontDesc& desc = canvas.font();
    const bool opaque = canvas.bk_mode() == BkMode::Opaque;
    for (const TextLine& line : layout.lines) {
        if (opaque && line.width > 0)
            canvas.fill_rect(Rect::from_xywh(line.x, line.y, line.width, m.height), canvas.bk_color());
        const int baseline = line.y + m.ascent;
        walk_line(font, line.text, layout.tab_width, [&](size_t, size_t, char32_t cp, int x, int) {
            if (cp == U'\t')
                return;
            const Glyph& g = font.glyph(cp);
            if (g.width > 0 && g.height > 0)
                canvas.draw_alpha_mask(
                    line.x + x + g.left, baseline - g.top, g.alpha.data(), g.width, g.height, g.width, color);
        });
        const int underline_y = baseline + m.underline_offset;
        if (desc.underline && line.width > 0)
            canvas.fill_rect(Rect::from_xywh(line.x, underline_y, line.width, m.underline_thickness), color);
        if (desc.strikeout && line.width > 0)
            canvas.fill_rect(
                Rect::from_xywh(line.x, baseline - m.strikeout_offset, line.width, m.strikeout_thickness), color);
        if (line.underline_width > 0 && !desc.underline)
            canvas.fill_rect(
                Rect::from_xywh(line.underline_x, underline_y, line.underline_width, m.underline_thickness), color);
    }
}

int draw_text_in(Canvas& canvas, std::string_view text, Rect& rect, unsigned flags, Color color)
{
    const FontPtr font = canvas_font(canvas);
    const TextLayout layout = layout_text(*font, text, rect, flags);
    const bool tabstop = flags & DT_TABSTOP; // the high flag bits are then the tab size
    if (!tabstop && (flags & DT_CALCRECT)) {
        rect = layout.calc_rect;
        return layout.height;
    }
    CanvasSaver saver(canvas);
    if (tabstop || !(flags & DT_NOCLIP))
        canvas.intersect_clip(rect);
    draw_lines(canvas, *font, layout, color);
    return layout.height;
}

} // namespace

FontPtr canvas_font(const Canvas& canvas)
{
    return Font::get(canvas.font());
}

int draw_text(Canvas& canvas, std::string_view text, Rect& rect, unsigned flags)
{
    return draw_text_in(canvas, text, rect, flags, canvas.text_color());
}

Rect measure_text(Canvas& canvas, std::string_view text, const Rect& rect, unsigned flags)
{
    return layout_text(*canvas_font(canvas), text, rect, flags).calc_rect;
}

int draw_text_disabled(Canvas& canvas, std::string_view text, Rect& rect, unsigned flags, Color highlight, Color shadow)
{
    if (flags & DT_CALCRECT && !(flags & DT_TABSTOP))
        return draw_text(canvas, text, rect, flags);
    CanvasSaver saver(canvas);
    canvas.set_bk_mode(BkMode::Transparent);
    Rect moved = rect.offset(1, 1);
    draw_text_in(canvas, text, moved, flags, highlight);
    return draw_text_in(canvas, text, rect, flags, shadow);
}

void ext_text_out(Canvas& canvas, int x, int y, unsigned options, const Rect* rect, std::string_view text)
{
    const FontPtr font = canvas_font(canvas);
    CanvasSaver saver(canvas);
    if (rect && (options & ETO_OPAQUE))
        canvas.fill_rect(*rect, canvas.bk_color());
    if (rect && (options & ETO_CLIPPED))
        canvas.intersect_clip(*rect);
    TextLayout layout;
    layout.line_height = font->metrics().height;
    TextLine line;
    line.text = std::string(text);
    line.x = x;
    line.y = y;
    line.width = line_width(*font, text, 0);
    layout.lines.push_back(std::move(line));
    draw_lines(canvas, *font, layout, canvas.text_color());
}

void text_out(Canvas& canvas, int x, int y, std::string_view text)
{
    ext_text_out(canvas, x, y, 0, nullptr, text);
}

Size text_extent(Canvas& canvas, std::string_view text)
{
    const FontPtr font = canvas_font(canvas);
    return {line_width(*font, text, 0), font->metrics().height};
}

} // namespace lt
