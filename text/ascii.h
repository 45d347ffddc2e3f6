#pragma once
// ASCII-only case folding for protocol and component names (HTTP header
// names, component names). It never consults the locale, and it folds every
// byte on its own, so it is not for phrases: those go by the character-aware
// rule of the indexed list.

#include <string_view>

namespace lt {

constexpr unsigned char ascii_lower(unsigned char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c;
}

constexpr bool ascii_iequals(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (ascii_lower(static_cast<unsigned char>(a[i])) != ascii_lower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

} // namespace lt
