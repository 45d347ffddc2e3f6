#pragma once
// The fonts the text tests measure with. Layout figures depend on them, so a
// test that needs one skips with the package to install when it is missing.

#include <gtest/gtest.h>

#include "gfx/font.h"

namespace lt::test {

// "宋体" and "新宋体" as code page 936 bytes.
inline constexpr const char* kSongTi = "\xCB\xCE\xCC\xE5";
inline constexpr const char* kNewSongTi = "\xD0\xC2\xCB\xCE\xCC\xE5";

inline FontDesc font_desc(const char* name, int height, bool bold = false)
{
    FontDesc d;
    d.name = name;
    d.height = height;
    d.bold = bold;
    return d;
}

// The font when its first face is `family`, else null.
inline FontPtr font_if(const FontDesc& desc, const std::string& family)
{
    FontPtr f = Font::get(desc);
    return f->primary_family() == family ? f : nullptr;
}

} // namespace lt::test

#define LT_REQUIRE_FONT(var, desc, family, package)                                                                    \
    const ::lt::FontPtr var = ::lt::test::font_if(desc, family);                                                       \
    if (!var)                                                                                                          \
    GTEST_SKIP() << "font \"" family "\" is not installed (Debian package " package "); resolved to "                  \
                 << ::lt::Font::get(desc)->primary_family()

#define LT_REQUIRE_UMING(var, height)                                                                                  \
    LT_REQUIRE_FONT(var, ::lt::test::font_desc(::lt::test::kSongTi, height), "AR PL UMing CN", "fonts-arphic-uming")
#define LT_REQUIRE_LIBERATION(var, height)                                                                             \
    LT_REQUIRE_FONT(var, ::lt::test::font_desc("Arial", height), "Liberation Sans", "fonts-liberation2")
