// Display decoding of code page 936.
//
// glibc's iconv does the table work once: every possible pair is decoded at
// first use into a flat table, so later look-ups need neither a converter
// nor its per-thread state.

#include "gfx/font_cp936.h"

#include "text/cp936.h"

#include <iconv.h>

#include <vector>

namespace lt {

namespace {

// The pair table spans every lead byte and every byte a trail can be.
constexpr unsigned kLeadFirst = 0x81, kLeadLast = 0xFE;
constexpr unsigned kTrailFirst = 0x40, kTrailLast = 0xFE;
constexpr unsigned kTrailCount = kTrailLast - kTrailFirst + 1;

// Decodes one byte sequence with a fresh conversion state; 0 when the
// converter rejects it or yields more than one character.
char32_t iconv_one(iconv_t cd, const unsigned char* bytes, size_t count)
{
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char in[2] = {static_cast<char>(bytes[0]), count > 1 ? static_cast<char>(bytes[1]) : '\0'};
    char32_t out[2] = {0, 0};
    char* inp = in;
    char* outp = reinterpret_cast<char*>(out);
    size_t inleft = count, outleft = sizeof(out);
    if (iconv(cd, &inp, &inleft, &outp, &outleft) == static_cast<size_t>(-1) || inleft != 0)
        return 0;
    return outleft == sizeof(out) - sizeof(char32_t) ? out[0] : 0;
}

struct PairTable {
    std::vector<char32_t> pairs; // indexed by (lead - 0x81) * kTrailCount + trail - 0x40
    PairTable() : pairs((kLeadLast - kLeadFirst + 1) * kTrailCount, U'?')
    {
        iconv_t cp936 = iconv_open("UTF-32LE", "CP936");
        iconv_t gb18030 = iconv_open("UTF-32LE", "GB18030");
        for (unsigned lead = kLeadFirst; lead <= kLeadLast; ++lead) {
            for (unsigned trail = kTrailFirst; trail <= kTrailLast; ++trail) {
                if (!cp936_is_trail(static_cast<unsigned char>(trail)))
                    continue;
                const unsigned char bytes[2] = {static_cast<unsigned char>(lead), static_cast<unsigned char>(trail)};
                char32_t cp = cp936 != reinterpret_cast<iconv_t>(-1) ? iconv_one(cp936, bytes, 2) : 0;
                if (cp == 0 && gb18030 != reinterpret_cast<iconv_t>(-1))
                    cp = iconv_one(gb18030, bytes, 2);
                if (cp != 0)
                    pairs[(lead - kLeadFirst) * kTrailCount + (trail - kTrailFirst)] = cp;
            }
        }
        if (cp936 != reinterpret_cast<iconv_t>(-1))
            iconv_close(cp936);
        if (gb18030 != reinterpret_cast<iconv_t>(-1))
            iconv_close(gb18030);
    }
};

const PairTable& pair_table()
{
    static const PairTable table;
    return table;
}

} // namespace

size_t cp936_char_length(std::string_view text, size_t pos)
{
    if (pos + 1 < text.size() && cp936_is_lead(static_cast<unsigned char>(text[pos])) &&
        cp936_is_trail(static_cast<unsigned char>(text[pos + 1])))
        return 2;
    return 1;
}

char32_t cp936_decode_char(std::string_view text, size_t pos, size_t* length)
{
    const size_t len = cp936_char_length(text, pos);
    if (length)
        *length = len;
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (len == 2) {
        const auto trail = static_cast<unsigned char>(text[pos + 1]);
        return pair_table().pairs[(lead - kLeadFirst) * kTrailCount + (trail - kTrailFirst)];
    }
    if (lead < 0x80)
        return lead;
    return lead == 0x80 ? U'\u20AC' : U'?';
}

} // namespace lt
