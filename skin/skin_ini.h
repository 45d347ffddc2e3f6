#pragma once
// The skin description: an ini-style text of sections and key=value lines,
// and the readers and writers of every value kind a skin object uses.
//
// Sections:
//   SkinIni          parsed text; lookups ignore ASCII case and find the last
//                    occurrence of a section or key.
//   value parsing    integers (decimal or 0x hex), rectangles and points
//                    (digits-only fields), font styles, enumerations.
//   SkinFieldVisitor one callback per value kind; a skin object lists its
//                    keys once and the same list serves reading and writing.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "gfx/alignment.h"
#include "gfx/color.h"
#include "gfx/font_desc.h"
#include "gfx/geometry.h"

namespace lt {

enum TStretchType : int { stFull = 0, stHorz = 1, stVert = 2 };
enum TMorphKind : int { mkDefault, mkGradient, mkLeftGradient, mkRightGradient, mkLeftSlide, mkRightSlide, mkPush };
enum TInactiveEffect : int { ieBrightness, ieDarkness, ieGrayScale, ieNoise, ieSplitBlur, ieInvert };
// Commands of frame buttons; the numbers are those the frame dispatches on.
enum TskStdCommand : int {
    cmClose = 0,
    cmMaximize = 1,
    cmMinimize = 2,
    cmSysMenu = 3,
    cmDefault = 4,
    cmRollUp = 5,
    cmMinimizeToTray = 6
};

// ---------------------------------------------------------------------------
// Value parsing, shared by the readers and by tests.

// A 32-bit integer: optional sign, then decimal digits or "0x"/"0X" and up to
// eight hexadecimal digits (taken as the bit pattern, so 0xFF00000F is a
// system colour). Anything else, including overflow, gives nullopt.
std::optional<std::int32_t> ParseSkinInteger(std::string_view text);
// Rectangles and points keep only digits and commas. A value with fewer
// fields than `count`, a field without a digit or a field beyond 32 bits gives
// nullopt (the reader then uses the key's default); fields past `count` are
// ignored.
bool ParseSkinFields(std::string_view text, int count, std::int32_t* out);
TFontStyles ParseFontStyles(std::string_view text);
TStretchType ParseStretchType(std::string_view text);
TMorphKind ParseMorphKind(std::string_view text);
TAlignment ParseAlignment(std::string_view text);
TInactiveEffect ParseInactiveEffect(std::string_view text);
TskStdCommand ParseStdCommand(std::string_view text);

std::string FormatFontStyles(TFontStyles styles);
const char* StretchTypeName(TStretchType t);
const char* MorphKindName(TMorphKind k);
const char* AlignmentName(TAlignment a);
const char* InactiveEffectName(TInactiveEffect e);
const char* StdCommandName(TskStdCommand c);
std::string FormatColor(Color c);
std::string FormatRect(const Rect& r);
std::string FormatPoint(const Point& p);

// ---------------------------------------------------------------------------

class SkinIni {
public:
    SkinIni() = default;
    explicit SkinIni(std::string_view text) { Parse(text); }

    // Replaces the content with the parsed text. Lines end at CR, LF or CR LF;
    // a last line without a break is read like any other.
    void Parse(std::string_view text);

    struct Section;
    bool HasSection(std::string_view section) const { return FindSection(section) != nullptr; }
    // The last occurrence of a section, for readers that look up many keys
    // in one section; null when it is missing.
    const Section* FindSection(std::string_view section) const;
    static const std::string* FindIn(const Section* section, std::string_view key);
    // The value of the last occurrence of `key` in the last occurrence of
    // `section`, or null when either is missing.
    const std::string* Find(std::string_view section, std::string_view key) const;

    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
    std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t def) const;
    bool ReadFlag(std::string_view section, std::string_view key) const;
    Rect ReadRect(std::string_view section, std::string_view key) const;
    Point ReadPoint(std::string_view section, std::string_view key) const;
    // A list stored as <name>count plus keys "0" to count-1.
    std::vector<std::string> ReadStringList(std::string_view section, std::string_view name) const;

    // Writing sets the last occurrence of a key, or appends the key (and the
    // section) when it is missing.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteStringList(std::string_view section, std::string_view name, const std::vector<std::string>& items);

    // Section names in file order (duplicates included).
    std::vector<std::string> SectionNames() const;
    // The text again, one line per entry, each ended by CR LF. Comments and
    // blank lines are not kept.
    std::string Text() const;

private:
    // Section names and keys are looked up ignoring ASCII case, without
    // building lower-case copies for every lookup.
    struct CaseInsensitiveHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const;
    };
    struct CaseInsensitiveEqual {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };
    using NameIndex = std::unordered_map<std::string, std::size_t, CaseInsensitiveHash, CaseInsensitiveEqual>;

    struct Line {
        std::string key;   // empty for a line without "="
        std::string value; // the whole line when there is no "="
        bool has_key = false;
    };

public:
    // Public only as the handle type; its members are for SkinIni.
    struct Section {
        std::string name;
        std::vector<Line> lines;
        NameIndex last_key; // key -> index of its last line
    };

private:
    Section* section_for_write(std::string_view name);

    std::vector<Section> sections_;
    NameIndex last_section_; // name -> index of its last occurrence
};

// ---------------------------------------------------------------------------

// One callback per value kind. A skin object's field list calls these with
// its keys in table order; SkinFieldReader fills the fields from a section,
// SkinFieldWriter writes them back in the same syntax.
//
// A field's default is the value it holds before reading (its initializer in
// the record's declaration): the reader leaves a field alone when its key is
// missing or its value does not parse, so a record is read fresh.
class SkinFieldVisitor {
public:
    virtual ~SkinFieldVisitor() = default;
    virtual void Integer(const char* key, std::int32_t& value) = 0;
    virtual void ColorValue(const char* key, Color& value) = 0;
    virtual void Flag(const char* key, bool& value) = 0;
    virtual void String(const char* key, std::string& value) = 0;
    virtual void RectValue(const char* key, Rect& value) = 0;
    virtual void PointValue(const char* key, Point& value) = 0;
    virtual void FontStyle(const char* key, TFontStyles& value) = 0;
    virtual void StretchType(const char* key, TStretchType& value) = 0;
    virtual void MorphKind(const char* key, TMorphKind& value) = 0;
    virtual void Alignment(const char* key, TAlignment& value) = 0;
    virtual void InactiveEffect(const char* key, TInactiveEffect& value) = 0;
    virtual void Command(const char* key, TskStdCommand& value) = 0;
};

class SkinFieldReader final : public SkinFieldVisitor {
public:
    SkinFieldReader(const SkinIni& ini, std::string_view section) : section_(ini.FindSection(section)) { }
    void Integer(const char* key, std::int32_t& value) override;
    void ColorValue(const char* key, Color& value) override;
    void Flag(const char* key, bool& value) override;
    void String(const char* key, std::string& value) override;
    void RectValue(const char* key, Rect& value) override;
    void PointValue(const char* key, Point& value) override;
    void FontStyle(const char* key, TFontStyles& value) override;
    void StretchType(const char* key, TStretchType& value) override;
    void MorphKind(const char* key, TMorphKind& value) override;
    void Alignment(const char* key, TAlignment& value) override;
    void InactiveEffect(const char* key, TInactiveEffect& value) override;
    void Command(const char* key, TskStdCommand& value) override;

private:
    const std::string* find(const char* key) const { return SkinIni::FindIn(section_, key); }
    const SkinIni::Section* section_;
};

class SkinFieldWriter final : public SkinFieldVisitor {
public:
    SkinFieldWriter(SkinIni& ini, std::string_view section) : ini_(ini), section_(section) { }
    void Integer(const char* key, std::int32_t& value) override;
    void ColorValue(const char* key, Color& value) override;
    void Flag(const char* key, bool& value) override;
    void String(const char* key, std::string& value) override;
    void RectValue(const char* key, Rect& value) override;
    void PointValue(const char* key, Point& value) override;
    void FontStyle(const char* key, TFontStyles& value) override;
    void StretchType(const char* key, TStretchType& value) override;
    void MorphKind(const char* key, TMorphKind& value) override;
    void Alignment(const char* key, TAlignment& value) override;
    void InactiveEffect(const char* key, TInactiveEffect& value) override;
    void Command(const char* key, TskStdCommand& value) override;

private:
    void put(const char* key, std::string_view text) { ini_.WriteString(section_, key, text); }
    SkinIni& ini_;
    std::string section_;
};

} // namespace lt
