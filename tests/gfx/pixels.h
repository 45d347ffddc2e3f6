#pragma once
// Test pictures written as text, one character per pixel, and a whole-buffer
// comparison that names the first differing pixel.

#include <gtest/gtest.h>

#include <cstdio>
#include <initializer_list>
#include <string>
#include <string_view>

#include "gfx/bitmap.h"

namespace lt::test {

// K black, W white, R red, G green, B blue, Y yellow, C cyan, M magenta,
// . grey (the usual background), h and s the button highlight and shadow.
inline Pixel legend(char c)
{
    switch (c) {
    case 'K':
        return make_pixel(0, 0, 0);
    case 'W':
        return make_pixel(255, 255, 255);
    case 'R':
        return make_pixel(255, 0, 0);
    case 'G':
        return make_pixel(0, 255, 0);
    case 'B':
        return make_pixel(0, 0, 255);
    case 'Y':
        return make_pixel(255, 255, 0);
    case 'C':
        return make_pixel(0, 255, 255);
    case 'M':
        return make_pixel(255, 0, 255);
    case '.':
        return make_pixel(128, 128, 128);
    case 'h':
        return to_pixel(clBtnHighlight);
    case 's':
        return to_pixel(clBtnShadow);
    }
    ADD_FAILURE() << "no legend entry for '" << c << "'";
    return 0;
}

inline Bitmap picture(std::initializer_list<std::string_view> rows)
{
    const int h = static_cast<int>(rows.size());
    const int w = h == 0 ? 0 : static_cast<int>(rows.begin()->size());
    Bitmap bmp(w, h);
    int y = 0;
    for (std::string_view row : rows) {
        for (int x = 0; x < w; ++x)
            bmp.set_pixel(x, y, legend(row[static_cast<std::size_t>(x)]));
        ++y;
    }
    return bmp;
}

inline std::string hex(Pixel p)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "#%06X", p);
    return buf;
}

inline ::testing::AssertionResult same_pixels(const Bitmap& expected, const Bitmap& actual)
{
    if (expected.size() != actual.size()) {
        return ::testing::AssertionFailure() << "size: expected " << expected.width() << " x " << expected.height()
                                             << ", got " << actual.width() << " x " << actual.height();
    }
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            if (expected.pixel(x, y) != actual.pixel(x, y)) {
                return ::testing::AssertionFailure()
                    << "at (" << x << ", " << y << ") expected " << hex(expected.pixel(x, y)) << ", got "
                    << hex(actual.pixel(x, y));
            }
        }
    }
    return ::testing::AssertionSuccess();
}

} // namespace lt::test
