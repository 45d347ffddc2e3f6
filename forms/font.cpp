#include "forms/font.h"

namespace lt {

namespace {
constexpr int kPixelsPerInch = 96;
}

void TFont::changed()
{
    if (OnChange)
        OnChange(this);
}

void TFont::SetDesc(const FontDesc& desc)
{
    if (desc == desc_)
        return;
    desc_ = desc;
    changed();
}

void TFont::SetName(const std::string& name)
{
    FontDesc d = desc_;
    d.name = name;
    SetDesc(d);
}

void TFont::SetHeight(int height)
{
    FontDesc d = desc_;
    d.height = height;
    SetDesc(d);
}

int TFont::Size() const
{
    // Rounded to the nearest point, halves away from zero.
    int h = -desc_.height;
    return (h * 72 + (h >= 0 ? kPixelsPerInch / 2 : -kPixelsPerInch / 2)) / kPixelsPerInch;
}

void TFont::SetSize(int points)
{
    SetHeight(-((points * kPixelsPerInch + (points >= 0 ? 36 : -36)) / 72));
}

TFontStyles TFont::Style() const
{
    return desc_.styles();
}

void TFont::SetStyle(TFontStyles style)
{
    FontDesc d = desc_;
    d.set_styles(style);
    SetDesc(d);
}

void TFont::SetCharset(int charset)
{
    FontDesc d = desc_;
    d.charset = charset;
    SetDesc(d);
}

void TFont::SetColor(Color color)
{
    FontDesc d = desc_;
    d.color = color;
    SetDesc(d);
}

} // namespace lt
