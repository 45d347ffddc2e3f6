#pragma once
// A plain font description, the counterpart of the framework's TFont: what a
// control asks for. The text layer resolves it to a face and renders it.

#include <string>

#include "gfx/color.h"

namespace lt {

struct FontDesc {
    std::string name = "Arial"; // family name as code page 936 bytes
    // Negative: character height in pixels (the em size); positive: cell
    // height (ascent + descent); 0: the renderer's default size.
    int height = -11;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    int charset = 1; // 1 = default charset, 0 = ANSI, 134 = GB2312
    Color color = clWindowText;

    friend bool operator==(const FontDesc&, const FontDesc&) = default;
};

} // namespace lt
