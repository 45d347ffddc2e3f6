// Font resolution and glyph rendering.
//
// Sections:
//   1. fontconfig: the program's aliases, loaded in-process once
//   2. Faces and sized faces: FreeType objects shared by every font
//   3. Glyph rendering: strike or outline, synthetic bold and italic
//   4. FtFont: the face chain of one description, metrics, per-character cache
//   5. The process-wide font cache
//
// One mutex guards FreeType and every cache: FreeType objects are not safe for
// concurrent use, and drawing takes it once per character look-up, which is
// cheap next to blending the glyph.

#include "gfx/font.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BITMAP_H
#include FT_SIZES_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>
#include <tuple>
#include <unordered_map>

#include "gfx/font_cp936.h"
#include "text/cp936.h"

namespace lt {

namespace {

std::mutex& font_mutex()
{
    static std::mutex m;
    return m;
}

// ---------------------------------------------------------------------------
// 1. fontconfig

// The skin and the main window name Windows fonts. These aliases map them to
// the installed stand-ins: AR PL UMing (whose 11-16 px strikes look like the
// classic 12 px Song face) for the Song names, Liberation Sans (Arial's
// metrics) for the sans names, each followed by CJK faces for the characters
// the first one lacks.
constexpr const char* kAliasXml = R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <alias binding="same"><family>宋体</family>
    <prefer><family>AR PL UMing CN</family><family>Noto Serif CJK SC</family><family>WenQuanYi Zen Hei Sharp</family><family>WenQuanYi Micro Hei</family></prefer></alias>
  <alias binding="same"><family>SimSun</family>
    <prefer><family>AR PL UMing CN</family><family>Noto Serif CJK SC</family><family>WenQuanYi Zen Hei Sharp</family><family>WenQuanYi Micro Hei</family></prefer></alias>
  <alias binding="same"><family>新宋体</family>
    <prefer><family>AR PL UMing CN</family><family>Noto Serif CJK SC</family><family>WenQuanYi Zen Hei Mono</family><family>WenQuanYi Micro Hei</family></prefer></alias>
  <alias binding="same"><family>NSimSun</family>
    <prefer><family>AR PL UMing CN</family><family>Noto Serif CJK SC</family><family>WenQuanYi Zen Hei Mono</family><family>WenQuanYi Micro Hei</family></prefer></alias>
  <alias binding="same"><family>Arial</family>
    <prefer><family>Liberation Sans</family><family>WenQuanYi Micro Hei</family><family>Noto Sans CJK SC</family></prefer></alias>
  <alias binding="same"><family>MS Sans Serif</family>
    <prefer><family>Liberation Sans</family><family>WenQuanYi Micro Hei</family><family>Noto Sans CJK SC</family></prefer></alias>
</fontconfig>
)";

FcConfig* font_config()
{
    static FcConfig* config = [] {
        FcConfig* c = FcInitLoadConfigAndFonts();
        if (c)
            FcConfigParseAndLoadFromMemory(c, reinterpret_cast<const FcChar8*>(kAliasXml), FcTrue);
        return c;
    }();
    return config;
}

// One face of a resolved chain as fontconfig describes it.
struct ChainEntry {
    std::string file;
    int index = 0;
    std::string family;
    FcCharSet* charset = nullptr; // owned copy; fonts live for the process
    bool synthetic_bold = false;
    bool synthetic_italic = false;
};

// The longest chain kept: the first face plus a few fallbacks covers every
// code page 936 character with the installed CJK fonts.
constexpr size_t kMaxChain = 6;

std::vector<ChainEntry> resolve_chain(const std::string& family_utf8, bool bold, bool italic)
{
    std::vector<ChainEntry> chain;
    FcConfig* config = font_config();
    FcPattern* pattern = FcPatternCreate();
    if (!family_utf8.empty())
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family_utf8.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    // The program's text is Chinese: prefer Simplified Chinese faces among
    // the fallbacks.
    FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("zh-cn"));
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);

    FcResult result = FcResultNoMatch;
    FcFontSet* set = FcFontSort(config, pattern, FcTrue, nullptr, &result);
    for (int i = 0; set && i < set->nfont && chain.size() < kMaxChain; ++i) {
        FcPattern* font = FcFontRenderPrepare(config, pattern, set->fonts[i]);
        if (!font)
            continue;
        // The face's own style, before fontconfig's synthetic-style rules
        // rewrite weight and slant in the prepared pattern.
        int weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
        FcPatternGetInteger(set->fonts[i], FC_WEIGHT, 0, &weight);
        FcPatternGetInteger(set->fonts[i], FC_SLANT, 0, &slant);
        FcChar8* file = nullptr;
        FcChar8* family = nullptr;
        FcCharSet* charset = nullptr;
        int index = 0;
        if (FcPatternGetString(font, FC_FILE, 0, &file) == FcResultMatch &&
            FcPatternGetCharSet(font, FC_CHARSET, 0, &charset) == FcResultMatch) {
            FcPatternGetInteger(font, FC_INDEX, 0, &index);
            FcPatternGetString(font, FC_FAMILY, 0, &family);
            const std::string path = reinterpret_cast<const char*>(file);
            // FcFontSort lists a family once per style and package version;
            // the first listing is the best one, and later styles of the
            // same family add no characters.
            const std::string name = family ? reinterpret_cast<const char*>(family) : "";
            const bool seen = std::any_of(chain.begin(), chain.end(), [&](const ChainEntry& e) {
                return (e.file == path && e.index == index) || (!name.empty() && e.family == name);
            });
            if (!seen) {
                ChainEntry entry;
                entry.file = path;
                entry.index = index;
                entry.family = name;
                entry.charset = FcCharSetCopy(charset);
                entry.synthetic_bold = bold && weight < FC_WEIGHT_DEMIBOLD;
                entry.synthetic_italic = italic && slant == FC_SLANT_ROMAN;
                chain.push_back(std::move(entry));
            }
        }
        FcPatternDestroy(font);
    }
    if (set)
        FcFontSetDestroy(set);
    FcPatternDestroy(pattern);
    return chain;
}

// ---------------------------------------------------------------------------
// 2. Faces and sized faces

FT_Library ft_library()
{
    static FT_Library library = [] {
        FT_Library lib = nullptr;
        FT_Init_FreeType(&lib);
        return lib;
    }();
    return library;
}

// One FT_Face per font file and index; sizes are separate FT_Size objects
// activated before each use, so fonts of one family at many sizes share it.
FT_Face open_face(const std::string& file, int index)
{
    static std::map<std::pair<std::string, int>, FT_Face> faces;
    auto key = std::make_pair(file, index);
    auto it = faces.find(key);
    if (it != faces.end())
        return it->second;
    FT_Face face = nullptr;
    if (!ft_library() || FT_New_Face(ft_library(), file.c_str(), index, &face) != 0)
        face = nullptr;
    if (face)
        FT_Select_Charmap(face, FT_ENCODING_UNICODE);
    faces.emplace(key, face);
    return face;
}

struct CachedGlyph {
    Glyph glyph;
    bool from_strike = false;
};

// A face at one size and synthetic style, with its glyph cache.
struct SizedFace {
    FT_Face face = nullptr;
    FT_Size size = nullptr;
    bool synthetic_bold = false;
    bool synthetic_italic = false;
    std::unordered_map<FT_UInt, CachedGlyph> glyphs;
};

SizedFace* sized_face(FT_Face face, FT_F26Dot6 em, bool bold, bool italic)
{
    using Key = std::tuple<FT_Face, FT_F26Dot6, bool, bool>;
    static std::map<Key, std::unique_ptr<SizedFace>> sized;
    const Key key{face, em, bold, italic};
    auto it = sized.find(key);
    if (it != sized.end())
        return it->second.get();
    auto sf = std::make_unique<SizedFace>();
    sf->face = face;
    sf->synthetic_bold = bold;
    sf->synthetic_italic = italic;
    if (FT_New_Size(face, &sf->size) == 0) {
        FT_Activate_Size(sf->size);
        // An exact integer size that the face has a strike for selects the
        // strike; glyphs missing from it fall back to the outlines.
        FT_Set_Char_Size(face, 0, em, 72, 72);
    } else {
        sf->size = nullptr;
    }
    return sized.emplace(key, std::move(sf)).first->second.get();
}

// ---------------------------------------------------------------------------
// 3. Glyph rendering

// Coverage of a FreeType bitmap as 0-255 values.
void copy_coverage(const FT_Bitmap& source, Glyph& g)
{
    FT_Bitmap converted;
    FT_Bitmap_Init(&converted);
    const FT_Bitmap* bm = &source;
    if (source.pixel_mode != FT_PIXEL_MODE_MONO && source.pixel_mode != FT_PIXEL_MODE_GRAY) {
        if (FT_Bitmap_Convert(ft_library(), &source, &converted, 1) != 0) {
            FT_Bitmap_Done(ft_library(), &converted);
            return;
        }
        bm = &converted;
    }
    g.width = static_cast<int>(bm->width);
    g.height = static_cast<int>(bm->rows);
    g.alpha.assign(static_cast<size_t>(g.width) * g.height, 0);
    const int levels = bm->num_grays > 1 ? bm->num_grays - 1 : 255;
    for (int y = 0; y < g.height; ++y) {
        const unsigned char* row = bm->buffer + static_cast<ptrdiff_t>(y) * bm->pitch;
        unsigned char* out = g.alpha.data() + static_cast<size_t>(y) * g.width;
        for (int x = 0; x < g.width; ++x) {
            if (bm->pixel_mode == FT_PIXEL_MODE_MONO)
                out[x] = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
            else
                out[x] = static_cast<unsigned char>(std::min(255, row[x] * 255 / levels));
        }
    }
    FT_Bitmap_Done(ft_library(), &converted);
}

// Synthetic bold: the mask overprinted one pixel to the right, one pixel
// wider and one pixel more advance. On small strikes this keeps every stroke
// crisp, one pixel heavier, rather than a smeared outline.
void embolden(Glyph& g)
{
    if (g.width > 0) {
        const int w = g.width + 1;
        std::vector<unsigned char> out(static_cast<size_t>(w) * g.height, 0);
        for (int y = 0; y < g.height; ++y) {
            const unsigned char* in = g.alpha.data() + static_cast<size_t>(y) * g.width;
            unsigned char* o = out.data() + static_cast<size_t>(y) * w;
            for (int x = 0; x < w; ++x) {
                const unsigned char a = x < g.width ? in[x] : 0;
                const unsigned char b = x > 0 ? in[x - 1] : 0;
                o[x] = std::max(a, b);
            }
        }
        g.alpha = std::move(out);
        g.width = w;
    }
    g.advance += 1;
}

// Synthetic italic: each row shifted right by a fifth of its height above
// the baseline, the slant of a typical oblique.
void shear(Glyph& g)
{
    if (g.width == 0 || g.height == 0)
        return;
    auto shift = [&](int row) {
        const int above = g.top - row; // rows above the baseline (negative below)
        return above >= 0 ? above / 5 : -((-above + 4) / 5);
    };
    const int lo = std::min(shift(0), shift(g.height - 1));
    const int hi = std::max(shift(0), shift(g.height - 1));
    const int w = g.width + (hi - lo);
    std::vector<unsigned char> out(static_cast<size_t>(w) * g.height, 0);
    for (int y = 0; y < g.height; ++y) {
        const int dx = shift(y) - lo;
        std::copy_n(
            g.alpha.data() + static_cast<size_t>(y) * g.width, g.width, out.data() + static_cast<size_t>(y) * w + dx);
    }
    g.alpha = std::move(out);
    g.width = w;
    g.left += lo;
}

CachedGlyph render_glyph(SizedFace& sf, FT_UInt index)
{
    CachedGlyph cached;
    Glyph& g = cached.glyph;
    if (!sf.size)
        return cached;
    FT_Activate_Size(sf.size);
    FT_Face face = sf.face;
    if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT) != 0)
        return cached;
    FT_GlyphSlot slot = face->glyph;
    cached.from_strike = slot->format == FT_GLYPH_FORMAT_BITMAP;
    if (slot->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0)
        return cached;
    copy_coverage(slot->bitmap, g);
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    g.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    if (sf.synthetic_bold)
        embolden(g);
    if (sf.synthetic_italic)
        shear(g);
    return cached;
}

// ---------------------------------------------------------------------------
// 4. FtFont

int scaled(long units, double em, int upem)
{
    return static_cast<int>(std::lround(static_cast<double>(units) * em / upem));
}

class FtFont final : public Font {
public:
    FtFont(const FontDesc& desc, std::vector<ChainEntry> chain) : chain_(std::move(chain))
    {
        std::lock_guard lock(font_mutex());
        faces_.resize(chain_.size(), nullptr);
        if (!chain_.empty())
            primary_family_ = chain_.front().family;
        FT_Face primary = chain_.empty() ? nullptr : open_face(chain_[0].file, chain_[0].index);
        em_ = em_size(primary, desc.height);
        if (primary)
            faces_[0] = sized_face(primary, em_, chain_[0].synthetic_bold, chain_[0].synthetic_italic);
        compute_metrics(primary);
    }

    const FontMetrics& metrics() const override { return metrics_; }

    const Glyph& glyph(char32_t cp) const override
    {
        std::lock_guard lock(font_mutex());
        return *lookup(cp).glyph;
    }

    int text_width(std::string_view text) const override
    {
        std::lock_guard lock(font_mutex());
        int width = 0;
        for (size_t pos = 0; pos < text.size();) {
            size_t len = 1;
            const char32_t cp = cp936_decode_char(text, pos, &len);
            width += lookup(cp).glyph->advance;
            pos += len;
        }
        return width;
    }

    const std::string& primary_family() const override { return primary_family_; }

    std::string family_for(char32_t cp) const override
    {
        std::lock_guard lock(font_mutex());
        const int i = lookup(cp).face;
        return i >= 0 ? chain_[i].family : std::string();
    }

    bool uses_strike(char32_t cp) const override
    {
        std::lock_guard lock(font_mutex());
        return lookup(cp).strike;
    }

private:
    struct CharEntry {
        const Glyph* glyph = nullptr;
        int face = -1;
        bool strike = false;
    };

    static constexpr long kMaxPixelSize = 1000;

    // Em size in 26.6 pixels. A negative height is the em itself; a positive
    // one is the cell, the face's OS/2 usWinAscent plus usWinDescent (or its
    // ascender minus descender), and the em is height * units-per-em / cell,
    // at least one pixel; 0 takes a 12 px em.
    static FT_F26Dot6 em_size(FT_Face face, int requested)
    {
        // Sizes come from skin files; a wild one must not ask FreeType for
        // gigabyte glyph bitmaps (nor negate INT_MIN).
        const long height = std::clamp<long>(requested, -kMaxPixelSize, kMaxPixelSize);
        if (height < 0)
            return static_cast<FT_F26Dot6>(-height) * 64;
        if (height == 0 || !face)
            return 12 * 64;
        long cell = 0;
        if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2)))
            cell = static_cast<long>(os2->usWinAscent) + os2->usWinDescent;
        if (cell <= 0)
            cell = face->ascender - face->descender;
        if (cell <= 0)
            return static_cast<FT_F26Dot6>(height) * 64;
        return std::max<FT_F26Dot6>(64, std::lround(64.0 * height * face->units_per_EM / cell));
    }

    // Caller holds the font mutex.
    void compute_metrics(FT_Face face)
    {
        const double em = em_ / 64.0;
        FontMetrics& m = metrics_;
        if (!face) {
            m.ascent = static_cast<int>(std::lround(em * 0.8));
            m.descent = static_cast<int>(std::lround(em * 0.2));
        } else {
            const int upem = face->units_per_EM ? face->units_per_EM : 1000;
            auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
            const bool win = os2 && os2->usWinAscent + os2->usWinDescent > 0;
            m.ascent = scaled(win ? os2->usWinAscent : face->ascender, em, upem);
            m.descent = scaled(win ? os2->usWinDescent : -face->descender, em, upem);
            m.underline_offset = std::max(1, scaled(-face->underline_position, em, upem));
            m.underline_thickness = std::max(1, scaled(face->underline_thickness, em, upem));
            if (os2 && os2->yStrikeoutSize > 0) {
                m.strikeout_thickness = std::max(1, scaled(os2->yStrikeoutSize, em, upem));
                m.strikeout_offset = scaled(os2->yStrikeoutPosition, em, upem) + m.strikeout_thickness / 2;
            } else {
                m.strikeout_offset = m.ascent / 3 + 1;
            }
        }
        // Keep the underline inside the cell so it is drawn within the line.
        m.underline_offset = std::min(m.underline_offset, std::max(0, m.descent - m.underline_thickness));
        m.height = m.ascent + m.descent;
        m.internal_leading = std::max(0, m.height - static_cast<int>(std::lround(em)));
        // The average character width is the advance of 'x' (half the em for
        // the CJK faces, whose 'x' is half-width); half the em when the chain
        // has no 'x'.
        m.ave_char_width = lookup(U'x').glyph->advance;
        if (m.ave_char_width <= 0)
            m.ave_char_width = std::max(1, static_cast<int>(std::lround(em / 2)));
    }

    SizedFace* face_at(size_t i) const
    {
        if (!faces_[i]) {
            FT_Face face = open_face(chain_[i].file, chain_[i].index);
            if (!face)
                return nullptr;
            faces_[i] = sized_face(face, em_, chain_[i].synthetic_bold, chain_[i].synthetic_italic);
        }
        return faces_[i];
    }

    // Caller holds the font mutex.
    const CharEntry& lookup(char32_t cp) const
    {
        if (cp < 128 && ascii_[cp].glyph)
            return ascii_[cp];
        auto it = chars_.find(cp);
        if (it != chars_.end())
            return it->second;
        CharEntry entry = make_entry(cp);
        if (cp < 128)
            return ascii_[cp] = entry;
        return chars_.emplace(cp, entry).first->second;
    }

    CharEntry make_entry(char32_t cp) const
    {
        static const Glyph kEmpty;
        CharEntry entry{&kEmpty, -1, false};
        if (cp < 0x20 || cp == 0x7F)
            return entry;
        int face_index = -1;
        FT_UInt glyph_index = 0;
        for (size_t i = 0; i < chain_.size() && face_index < 0; ++i) {
            if (!FcCharSetHasChar(chain_[i].charset, cp))
                continue;
            SizedFace* sf = face_at(i);
            if (!sf)
                continue;
            glyph_index = FT_Get_Char_Index(sf->face, cp);
            if (glyph_index != 0)
                face_index = static_cast<int>(i);
        }
        // No face has it: the primary face's missing-glyph box.
        const int use = face_index >= 0 ? face_index : 0;
        SizedFace* sf = chain_.empty() ? nullptr : face_at(use);
        if (!sf)
            return entry;
        auto git = sf->glyphs.find(glyph_index);
        if (git == sf->glyphs.end())
            git = sf->glyphs.emplace(glyph_index, render_glyph(*sf, glyph_index)).first;
        return CharEntry{&git->second.glyph, face_index, git->second.from_strike};
    }

    std::vector<ChainEntry> chain_;
    std::string primary_family_;
    FT_F26Dot6 em_ = 12 * 64;
    FontMetrics metrics_;
    mutable std::vector<SizedFace*> faces_;
    mutable CharEntry ascii_[128];
    mutable std::unordered_map<char32_t, CharEntry> chars_;
};

} // namespace

// ---------------------------------------------------------------------------
// 5. The process-wide font cache

std::shared_ptr<const Font> Font::get(const FontDesc& desc)
{
    using Key = std::tuple<std::string, int, bool, bool>;
    static std::mutex cache_mutex;
    static std::map<Key, std::shared_ptr<const Font>> cache;
    const Key key{desc.name, desc.height, desc.bold, desc.italic};
    std::lock_guard cache_lock(cache_mutex);
    auto it = cache.find(key);
    if (it != cache.end())
        return it->second;
    std::vector<ChainEntry> chain;
    {
        std::lock_guard lock(font_mutex());
        chain = resolve_chain(cp936_to_utf8(desc.name), desc.bold, desc.italic);
    }
    auto font = std::make_shared<FtFont>(desc, std::move(chain));
    cache.emplace(key, font);
    return font;
}

} // namespace lt
