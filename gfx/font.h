#pragma once
// Resolved fonts: a FontDesc turned into a chain of FreeType faces at one
// size, with text metrics and a glyph cache.
//
// Family names go through fontconfig with the program's own aliases (the
// Song faces the skin names map to AR PL UMing, the Windows sans faces to
// Liberation Sans). Each character takes its glyph from the first face of the
// chain that has it, so Latin fonts still show Chinese. A face's own bitmap
// strike is used where it has one for the size (crisp small hanzi),
// anti-aliased outlines otherwise; bold and italic are synthesised where the
// face has no such style. Fonts are shared and never freed: the program uses
// a handful of descriptions for its whole run. Every call is safe from any
// thread.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "gfx/font_desc.h"

namespace lt {

// The text metrics a control lays text out with, in whole pixels.
struct FontMetrics {
    int ascent = 0;           // baseline to the top of the cell
    int descent = 0;          // baseline to the bottom of the cell
    int height = 0;           // ascent + descent: the line height
    int internal_leading = 0; // height minus the em size
    int ave_char_width = 0;   // width of a typical Latin character; tab stops use it
    int underline_offset = 0; // rows below the baseline to the underline's top
    int underline_thickness = 1;
    int strikeout_offset = 0; // rows above the baseline to the strike-out's top
    int strikeout_thickness = 1;
};

// One rendered character: an 8-bit coverage mask placed relative to the pen
// position on the baseline.
struct Glyph {
    int left = 0; // mask's left edge right of the pen
    int top = 0;  // mask's top row above the baseline
    int width = 0;
    int height = 0;
    int advance = 0;                  // pen movement in pixels
    std::vector<unsigned char> alpha; // width * height coverage values
};

class Font {
public:
    // The shared font for a description; only the family, height, bold and
    // italic take part (underline, strike-out and colour are drawing
    // attributes). Repeated descriptions resolve once per process.
    static std::shared_ptr<const Font> get(const FontDesc& desc);

    virtual ~Font() = default;

    virtual const FontMetrics& metrics() const = 0;
    // The glyph shown for a Unicode code point; control characters have no
    // mask and no advance. The reference stays valid for the process.
    virtual const Glyph& glyph(char32_t cp) const = 0;
    // Width of a run of code page 936 text, tabs and line breaks counting as
    // nothing (layout gives them their meaning).
    virtual int text_width(std::string_view text) const = 0;

    // Family of the first face of the chain, e.g. "AR PL UMing CN"; tests
    // check it to skip when a font package is missing.
    virtual const std::string& primary_family() const = 0;
    // Family of the face that draws `cp`, or empty when none has it.
    virtual std::string family_for(char32_t cp) const = 0;
    // True when `cp` is drawn from a bitmap strike rather than an outline.
    virtual bool uses_strike(char32_t cp) const = 0;
};

using FontPtr = std::shared_ptr<const Font>;

} // namespace lt
