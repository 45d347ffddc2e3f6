#include "skin/skin_ini.h"

#include <cstdio>

namespace lt {

namespace {

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Blanks and control characters are trimmed from both ends of every line,
// key and value.
std::string_view trim(std::string_view s)
{
    std::size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ')
        ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ')
        --e;
    return s.substr(b, e - b);
}

int hex_digit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

// ---------------------------------------------------------------------------
// Value parsing

std::optional<std::int32_t> ParseSkinInteger(std::string_view text)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i >= text.size())
        return std::nullopt;
    if (text.size() - i > 2 && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        std::string_view digits = text.substr(i + 2);
        if (digits.empty() || digits.size() > 8)
            return std::nullopt;
        std::uint32_t v = 0;
        for (char c : digits) {
            int d = hex_digit(c);
            if (d < 0)
                return std::nullopt;
            v = v * 16 + static_cast<std::uint32_t>(d);
        }
        if (negative)
            v = 0u - v;
        return static_cast<std::int32_t>(v);
    }
    std::int64_t v = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        v = v * 10 + (c - '0');
        if (v > std::int64_t{2147483648})
            return std::nullopt;
    }
    if (negative)
        v = -v;
    if (v > 2147483647 || v < -2147483648LL)
        return std::nullopt;
    return static_cast<std::int32_t>(v);
}

bool ParseSkinFields(std::string_view text, int count, std::int32_t* out)
{
    int field = 0;
    std::int64_t acc = 0;
    bool has_digit = false;
    auto store = [&]() {
        if (field < count) {
            if (!has_digit || acc > 2147483647)
                return false;
            out[field] = static_cast<std::int32_t>(acc);
        }
        ++field;
        acc = 0;
        has_digit = false;
        return true;
    };
    for (char c : text) {
        if (c == ',') {
            if (!store())
                return false;
        } else if (c >= '0' && c <= '9') {
            has_digit = true;
            if (acc <= 2147483647)
                acc = acc * 10 + (c - '0');
        }
    }
    if (!store())
        return false;
    return field >= count;
}

TFontStyles ParseFontStyles(std::string_view text)
{
    TFontStyles s = 0;
    if (text.find("fsbold") != std::string_view::npos)
        s |= fsBold;
    if (text.find("fsitalic") != std::string_view::npos)
        s |= fsItalic;
    if (text.find("fsunderline") != std::string_view::npos)
        s |= fsUnderline;
    if (text.find("fsstrikeout") != std::string_view::npos)
        s |= fsStrikeOut;
    return s;
}

TStretchType ParseStretchType(std::string_view text)
{
    if (text == "stfull")
        return stFull;
    if (text == "stvert")
        return stVert;
    return stHorz;
}

namespace {
constexpr const char* kMorphKinds[] = {
    "mkdefault", "mkgradient", "mkleftgradient", "mkrightgradient", "mkleftslide", "mkrightslide", "mkpush"};
constexpr const char* kInactiveEffects[] = {
    "iebrightness", "iedarkness", "iegrayscale", "ienoise", "iesplitblur", "ieinvert"};
constexpr const char* kCommands[] = {
    "cmclose", "cmmaximize", "cmminimize", "cmsysmenu", "cmdefault", "cmrollup", "cmminimizetotray"};
} // namespace

TMorphKind ParseMorphKind(std::string_view text)
{
    for (int i = 0; i < 7; ++i)
        if (text == kMorphKinds[i])
            return static_cast<TMorphKind>(i);
    return mkDefault;
}

TAlignment ParseAlignment(std::string_view text)
{
    if (text == "taleftjustify")
        return taLeftJustify;
    if (text == "tacenter")
        return taCenter;
    return taRightJustify;
}

TInactiveEffect ParseInactiveEffect(std::string_view text)
{
    for (int i = 0; i < 6; ++i)
        if (text == kInactiveEffects[i])
            return static_cast<TInactiveEffect>(i);
    return ieGrayScale;
}

// Every word that is not a known command means minimize to tray, the writer's
// "cmminimizetotray" included.
TskStdCommand ParseStdCommand(std::string_view text)
{
    for (int i = 0; i < 6; ++i)
        if (text == kCommands[i])
            return static_cast<TskStdCommand>(i);
    return cmMinimizeToTray;
}

std::string FormatFontStyles(TFontStyles styles)
{
    std::string r;
    auto add = [&](TFontStyles bit, const char* word) {
        if (!(styles & bit))
            return;
        if (!r.empty())
            r += ',';
        r += word;
    };
    add(fsBold, "fsbold");
    add(fsItalic, "fsitalic");
    add(fsUnderline, "fsunderline");
    add(fsStrikeOut, "fsstrikeout");
    return r;
}

const char* StretchTypeName(TStretchType t)
{
    return t == stFull ? "stfull" : t == stVert ? "stvert" : "sthorz";
}
const char* MorphKindName(TMorphKind k)
{
    return k >= 0 && k < 7 ? kMorphKinds[k] : kMorphKinds[0];
}
const char* AlignmentName(TAlignment a)
{
    return a == taLeftJustify ? "taleftjustify" : a == taCenter ? "tacenter" : "tarightjustify";
}
const char* InactiveEffectName(TInactiveEffect e)
{
    return e >= 0 && e < 6 ? kInactiveEffects[e] : kInactiveEffects[2];
}
const char* StdCommandName(TskStdCommand c)
{
    return c >= 0 && c < 7 ? kCommands[c] : kCommands[6];
}

// RGB colours are written in decimal like the stored skin; system colours in
// hexadecimal, which reads back to the same bits.
std::string FormatColor(Color c)
{
    char buf[16];
    if (c & 0xFF000000u)
        std::snprintf(buf, sizeof buf, "0x%08X", static_cast<unsigned>(c));
    else
        std::snprintf(buf, sizeof buf, "%u", static_cast<unsigned>(c));
    return buf;
}

std::string FormatRect(const Rect& r)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%d,%d,%d,%d", r.left, r.top, r.right, r.bottom);
    return buf;
}

std::string FormatPoint(const Point& p)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d,%d", p.x, p.y);
    return buf;
}

// ---------------------------------------------------------------------------
// SkinIni

std::size_t SkinIni::CaseInsensitiveHash::operator()(std::string_view s) const
{
    std::size_t h = 14695981039346656037ull;
    for (char c : s)
        h = (h ^ static_cast<unsigned char>(lower(c))) * 1099511628211ull;
    return h;
}

bool SkinIni::CaseInsensitiveEqual::operator()(std::string_view a, std::string_view b) const
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

void SkinIni::Parse(std::string_view text)
{
    sections_.clear();
    last_section_.clear();
    Section* current = nullptr;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        std::size_t next;
        if (end == std::string_view::npos)
            end = next = text.size();
        else if (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n')
            next = end + 2;
        else
            next = end + 1;
        std::string_view line = trim(text.substr(pos, end - pos));
        pos = next;

        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[' && line.back() == ']' && line.size() >= 2) {
            std::string name(trim(line.substr(1, line.size() - 2)));
            last_section_[name] = sections_.size();
            sections_.push_back(Section{std::move(name), {}, {}});
            current = &sections_.back();
            continue;
        }
        if (!current)
            continue;
        std::size_t eq = line.find('=');
        Line l;
        if (eq == std::string_view::npos) {
            l.value = std::string(line);
        } else {
            l.key = std::string(trim(line.substr(0, eq)));
            l.value = std::string(trim(line.substr(eq + 1)));
            l.has_key = true;
            current->last_key[l.key] = current->lines.size();
        }
        current->lines.push_back(std::move(l));
    }
}

const SkinIni::Section* SkinIni::FindSection(std::string_view name) const
{
    auto it = last_section_.find(name);
    return it == last_section_.end() ? nullptr : &sections_[it->second];
}

const std::string* SkinIni::FindIn(const Section* section, std::string_view key)
{
    if (!section)
        return nullptr;
    auto it = section->last_key.find(key);
    return it == section->last_key.end() ? nullptr : &section->lines[it->second].value;
}

const std::string* SkinIni::Find(std::string_view section, std::string_view key) const
{
    return FindIn(FindSection(section), key);
}

std::string SkinIni::ReadString(std::string_view section, std::string_view key, std::string_view def) const
{
    const std::string* v = Find(section, key);
    return v ? *v : std::string(def);
}

// The typed reads go through the field reader, so both follow one set of
// value rules.
std::int32_t SkinIni::ReadInteger(std::string_view section, std::string_view key, std::int32_t def) const
{
    std::int32_t v = def;
    SkinFieldReader(*this, section).Integer(std::string(key).c_str(), v);
    return v;
}

bool SkinIni::ReadFlag(std::string_view section, std::string_view key) const
{
    bool v = false;
    SkinFieldReader(*this, section).Flag(std::string(key).c_str(), v);
    return v;
}

Rect SkinIni::ReadRect(std::string_view section, std::string_view key) const
{
    Rect v;
    SkinFieldReader(*this, section).RectValue(std::string(key).c_str(), v);
    return v;
}

Point SkinIni::ReadPoint(std::string_view section, std::string_view key) const
{
    Point v;
    SkinFieldReader(*this, section).PointValue(std::string(key).c_str(), v);
    return v;
}

std::vector<std::string> SkinIni::ReadStringList(std::string_view section, std::string_view name) const
{
    std::vector<std::string> items;
    std::int32_t count = ReadInteger(section, std::string(name) + "count", 0);
    // A count far beyond the keys that exist would only produce empty
    // strings; the lines of the section bound it.
    const Section* s = FindSection(section);
    if (!s || count <= 0)
        return items;
    if (static_cast<std::size_t>(count) > s->lines.size())
        count = static_cast<std::int32_t>(s->lines.size());
    for (std::int32_t i = 0; i < count; ++i)
        items.push_back(ReadString(section, std::to_string(i), ""));
    return items;
}

SkinIni::Section* SkinIni::section_for_write(std::string_view name)
{
    auto it = last_section_.find(name);
    if (it != last_section_.end())
        return &sections_[it->second];
    last_section_[std::string(name)] = sections_.size();
    sections_.push_back(Section{std::string(name), {}, {}});
    return &sections_.back();
}

void SkinIni::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    Section* s = section_for_write(section);
    auto it = s->last_key.find(key);
    if (it != s->last_key.end()) {
        s->lines[it->second].value = std::string(value);
        return;
    }
    s->last_key[std::string(key)] = s->lines.size();
    s->lines.push_back(Line{std::string(key), std::string(value), true});
}

void SkinIni::WriteStringList(std::string_view section, std::string_view name, const std::vector<std::string>& items)
{
    WriteString(section, std::string(name) + "count", std::to_string(items.size()));
    for (std::size_t i = 0; i < items.size(); ++i)
        WriteString(section, std::to_string(i), items[i]);
}

std::vector<std::string> SkinIni::SectionNames() const
{
    std::vector<std::string> names;
    for (const Section& s : sections_)
        names.push_back(s.name);
    return names;
}

std::string SkinIni::Text() const
{
    std::string out;
    for (const Section& s : sections_) {
        out += '[' + s.name + "]\r\n";
        for (const Line& l : s.lines) {
            if (l.has_key)
                out += l.key + '=' + l.value + "\r\n";
            else
                out += l.value + "\r\n";
        }
    }
    return out;
}

// ---------------------------------------------------------------------------
// Field reader and writer

void SkinFieldReader::Integer(const char* key, std::int32_t& value)
{
    if (const std::string* v = find(key))
        value = ParseSkinInteger(*v).value_or(value);
}
void SkinFieldReader::ColorValue(const char* key, Color& value)
{
    auto v = static_cast<std::int32_t>(value);
    Integer(key, v);
    value = static_cast<Color>(v);
}
// Only 1 turns a flag on; any other number turns it off.
void SkinFieldReader::Flag(const char* key, bool& value)
{
    std::int32_t v = value ? 1 : 0;
    Integer(key, v);
    value = v == 1;
}
void SkinFieldReader::String(const char* key, std::string& value)
{
    if (const std::string* v = find(key))
        value = *v;
}
void SkinFieldReader::RectValue(const char* key, Rect& value)
{
    std::int32_t f[4];
    if (const std::string* v = find(key); v && ParseSkinFields(*v, 4, f))
        value = Rect{f[0], f[1], f[2], f[3]};
}
void SkinFieldReader::PointValue(const char* key, Point& value)
{
    std::int32_t f[2];
    if (const std::string* v = find(key); v && ParseSkinFields(*v, 2, f))
        value = Point{f[0], f[1]};
}
void SkinFieldReader::FontStyle(const char* key, TFontStyles& value)
{
    if (const std::string* v = find(key))
        value = ParseFontStyles(*v);
}
void SkinFieldReader::StretchType(const char* key, TStretchType& value)
{
    if (const std::string* v = find(key))
        value = ParseStretchType(*v);
}
void SkinFieldReader::MorphKind(const char* key, TMorphKind& value)
{
    if (const std::string* v = find(key))
        value = ParseMorphKind(*v);
}
void SkinFieldReader::Alignment(const char* key, TAlignment& value)
{
    if (const std::string* v = find(key))
        value = ParseAlignment(*v);
}
void SkinFieldReader::InactiveEffect(const char* key, TInactiveEffect& value)
{
    if (const std::string* v = find(key))
        value = ParseInactiveEffect(*v);
}
void SkinFieldReader::Command(const char* key, TskStdCommand& value)
{
    if (const std::string* v = find(key))
        value = ParseStdCommand(*v);
}

void SkinFieldWriter::Integer(const char* key, std::int32_t& value)
{
    put(key, std::to_string(value));
}
void SkinFieldWriter::ColorValue(const char* key, Color& value)
{
    put(key, FormatColor(value));
}
void SkinFieldWriter::Flag(const char* key, bool& value)
{
    put(key, value ? "1" : "0");
}
void SkinFieldWriter::String(const char* key, std::string& value)
{
    put(key, value);
}
void SkinFieldWriter::RectValue(const char* key, Rect& value)
{
    put(key, FormatRect(value));
}
void SkinFieldWriter::PointValue(const char* key, Point& value)
{
    put(key, FormatPoint(value));
}
void SkinFieldWriter::FontStyle(const char* key, TFontStyles& value)
{
    put(key, FormatFontStyles(value));
}
void SkinFieldWriter::StretchType(const char* key, TStretchType& value)
{
    put(key, StretchTypeName(value));
}
void SkinFieldWriter::MorphKind(const char* key, TMorphKind& value)
{
    put(key, MorphKindName(value));
}
void SkinFieldWriter::Alignment(const char* key, TAlignment& value)
{
    put(key, AlignmentName(value));
}
void SkinFieldWriter::InactiveEffect(const char* key, TInactiveEffect& value)
{
    put(key, InactiveEffectName(value));
}
void SkinFieldWriter::Command(const char* key, TskStdCommand& value)
{
    put(key, StdCommandName(value));
}

} // namespace lt
