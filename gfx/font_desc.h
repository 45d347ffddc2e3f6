#pragma once
// A plain font description, the counterpart of the framework's TFont: what a
// control asks for. The text layer resolves it to a face and renders it.

#include <string>

#include "gfx/color.h"

namespace lt {

// The font style set: a bit per attribute, as skin descriptions and the
// framework font name them.
enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;

// Character sets a font may ask for.
inline constexpr int ANSI_CHARSET = 0;
inline constexpr int DEFAULT_CHARSET = 1;
inline constexpr int GB2312_CHARSET = 134;

struct FontDesc {
    std::string name = "Arial"; // family name as code page 936 bytes
    // Negative: character height in pixels (the em size); positive: cell
    // height (ascent + descent); 0: the renderer's default size.
    int height = -11;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    int charset = DEFAULT_CHARSET;
    Color color = clWindowText;

    TFontStyles styles() const
    {
        return (bold ? fsBold : 0u) | (italic ? fsItalic : 0u) | (underline ? fsUnderline : 0u) |
            (strikeout ? fsStrikeOut : 0u);
    }
    void set_styles(TFontStyles s)
    {
        bold = s & fsBold;
        italic = s & fsItalic;
        underline = s & fsUnderline;
        strikeout = s & fsStrikeOut;
    }

    friend bool operator==(const FontDesc&, const FontDesc&) = default;
};

} // namespace lt
