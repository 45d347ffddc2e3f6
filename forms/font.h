#pragma once
// The framework's font object: a name, a height, a style set, a character set
// and a colour, with a change event. Controls own one each and draw with its
// description.
//
// Height: negative is the character height in pixels
// (the em), positive the cell height; Size is in points at 96 pixels per inch
// and sets a character height.

#include "gfx/font_desc.h"

#include <functional>
#include <string>

namespace lt {

class TFont {
public:
    TFont() = default;
    TFont(const TFont&) = delete;
    TFont& operator=(const TFont&) = delete;

    const std::string& Name() const { return desc_.name; }
    void SetName(const std::string& name);
    int Height() const { return desc_.height; }
    void SetHeight(int height);
    int Size() const;
    void SetSize(int points);
    TFontStyles Style() const;
    void SetStyle(TFontStyles style);
    int Charset() const { return desc_.charset; }
    void SetCharset(int charset);
    Color GetColor() const { return desc_.color; }
    void SetColor(Color color);

    // Copies every attribute (one change event at most).
    void Assign(const TFont& source) { SetDesc(source.desc_); }
    const FontDesc& Desc() const { return desc_; }
    void SetDesc(const FontDesc& desc);

    // Raised after any attribute changed.
    std::function<void(TFont* sender)> OnChange;

private:
    void changed();

    // The framework's default: MS Sans Serif, 8 points, window-text colour.
    FontDesc desc_{"MS Sans Serif", -11, false, false, false, false, DEFAULT_CHARSET, clWindowText};
};

} // namespace lt
