#include "forms/cp936_chars.h"

namespace lt::cp936 {

size_t floor_boundary(std::string_view s, size_t pos)
{
    size_t at = 0;
    while (at < s.size()) {
        size_t next = next_boundary(s, at);
        if (next > pos)
            break;
        at = next;
    }
    return at;
}

size_t prev_boundary(std::string_view s, size_t pos)
{
    return floor_boundary(s, pos - 1);
}

namespace {
// Compares n bytes of a and b from the start under the fold; both strings must
// hold at least n bytes.
bool fold_prefix_equal(std::string_view a, std::string_view b, size_t n)
{
    size_t i = 0;
    while (i < n) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (cp936_is_lead(x)) {
            // Equal leads put both strings at the same boundary, so the trails
            // are compared as they stand.
            if (x != y)
                return false;
            if (i + 1 < n && a[i + 1] != b[i + 1])
                return false;
            i += 2;
            continue;
        }
        if (x >= 'A' && x <= 'Z')
            x += 32;
        if (y >= 'A' && y <= 'Z')
            y += 32;
        if (x != y)
            return false;
        ++i;
    }
    return true;
}
} // namespace

bool equal_fold(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && fold_prefix_equal(a, b, a.size());
}

bool starts_with_fold(std::string_view s, std::string_view prefix)
{
    if (prefix.size() > s.size())
        return false;
    // A prefix that ends in the middle of one of s's characters is no prefix.
    if (prefix.size() < s.size() && floor_boundary(s, prefix.size()) != prefix.size())
        return false;
    return fold_prefix_equal(s, prefix, prefix.size());
}

} // namespace lt::cp936
