#include "tools/fake-services/phrase_graph.h"

#include <nlohmann/json.hpp>

#include <cerrno>
#include <charconv>
#include <fstream>
#include <iconv.h>
#include <sstream>
#include <system_error>

namespace lt::fake {

// ---- Reply switches ---------------------------------------------------------

ReplySwitches ReplySwitches::over(const ReplySwitches& base) const
{
    ReplySwitches r = base;
    if (last_modified)
        r.last_modified = last_modified;
    if (chunked)
        r.chunked = chunked;
    if (honour_range)
        r.honour_range = honour_range;
    if (delay_ms)
        r.delay_ms = delay_ms;
    if (empty)
        r.empty = empty;
    if (status)
        r.status = status;
    if (reset)
        r.reset = reset;
    if (cut)
        r.cut = cut;
    if (utf8)
        r.utf8 = utf8;
    return r;
}

Reply Reply::from(const ReplySwitches& s)
{
    Reply r;
    r.last_modified = s.last_modified.value_or(r.last_modified);
    r.chunked = s.chunked.value_or(r.chunked);
    r.honour_range = s.honour_range.value_or(r.honour_range);
    r.delay_ms = s.delay_ms.value_or(r.delay_ms);
    r.empty = s.empty.value_or(r.empty);
    r.status = s.status.value_or(r.status);
    r.reset = s.reset.value_or(r.reset);
    r.cut = s.cut.value_or(r.cut);
    r.utf8 = s.utf8.value_or(r.utf8);
    return r;
}

namespace {

bool parse_int(std::string_view text, int lo, int hi, int& out)
{
    int v = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size() || v < lo || v > hi)
        return false;
    out = v;
    return true;
}

} // namespace

bool parse_switch(std::string_view word, ReplySwitches& into, std::string* error)
{
    std::string_view name = word, value;
    if (auto eq = word.find('='); eq != std::string_view::npos) {
        name = word.substr(0, eq);
        value = word.substr(eq + 1);
    }
    int n = 0;
    if (name == "delay" && parse_int(value, 0, 600000, n)) {
        into.delay_ms = n;
    } else if (name == "status" && parse_int(value, 100, 599, n)) {
        into.status = n;
    } else if (!value.empty()) {
        if (error)
            *error = "bad switch value: " + std::string(word);
        return false;
    } else if (name == "last-modified") {
        into.last_modified = true;
    } else if (name == "no-last-modified") {
        into.last_modified = false;
    } else if (name == "chunked") {
        into.chunked = true;
    } else if (name == "content-length") {
        into.chunked = false;
    } else if (name == "ignore-range") {
        into.honour_range = false;
    } else if (name == "honour-range") {
        into.honour_range = true;
    } else if (name == "empty") {
        into.empty = true;
    } else if (name == "reset") {
        into.reset = true;
    } else if (name == "cut") {
        into.cut = true;
    } else if (name == "utf8") {
        into.utf8 = true;
    } else {
        if (error)
            *error = "unknown switch: " + std::string(word);
        return false;
    }
    return true;
}

// ---- The graph --------------------------------------------------------------

ReplySwitches PhraseEntry::switches_for(Service service) const
{
    return (service == Service::Suggest ? suggest_fault : related_fault).over(fault);
}

namespace {

std::vector<std::string_view> split_tabs(std::string_view line)
{
    std::vector<std::string_view> fields;
    size_t start = 0;
    for (;;) {
        size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::string_view::npos)
            break;
        start = tab + 1;
    }
    return fields;
}

// Every text of an entry must survive the trip to code page 936.
bool encodable(const PhraseEntry& e, std::string* bad)
{
    auto check = [&](const std::string& s) {
        if (utf8_to_cp936(s))
            return true;
        *bad = s;
        return false;
    };
    for (const auto* items : {&e.suggest, &e.related})
        if (*items)
            for (const auto& item : **items)
                if (!check(item))
                    return false;
    for (const auto* raw : {&e.suggest_raw, &e.related_raw})
        if (*raw && !check(**raw))
            return false;
    return true;
}

} // namespace

std::optional<PhraseGraph> PhraseGraph::parse(std::string_view text, std::string* error)
{
    PhraseGraph graph;
    std::map<std::string, PhraseEntry> by_utf8;
    std::map<std::string, int> first_line;
    int line_no = 0;
    auto fail = [&](const std::string& why) {
        if (error)
            *error = "line " + std::to_string(line_no) + ": " + why;
        return std::nullopt;
    };
    size_t pos = 0;
    while (pos < text.size()) {
        size_t nl = text.find('\n', pos);
        std::string_view line = text.substr(pos, nl == std::string_view::npos ? std::string_view::npos : nl - pos);
        pos = nl == std::string_view::npos ? text.size() : nl + 1;
        ++line_no;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#')
            continue;
        auto fields = split_tabs(line);
        if (fields.size() < 2 || fields[0].empty())
            return fail("expected <phrase> TAB <directive> ...");
        std::string phrase(fields[0]);
        std::string_view key = fields[1];
        std::vector<std::string> values(fields.begin() + 2, fields.end());
        PhraseEntry& e = by_utf8[phrase];
        first_line.emplace(phrase, line_no);
        if (key == "suggest" || key == "related") {
            auto& items = key == "suggest" ? e.suggest : e.related;
            if (!items)
                items.emplace();
            items->insert(items->end(), values.begin(), values.end());
        } else if (key == "suggest-raw" || key == "related-raw" || key == "json-raw") {
            if (values.size() != 1)
                return fail(std::string(key) + " takes exactly one value");
            (key == "suggest-raw" ? e.suggest_raw : key == "related-raw" ? e.related_raw : e.json_raw) = values[0];
        } else if (key == "fault" || key == "suggest-fault" || key == "related-fault") {
            ReplySwitches& s = key == "fault" ? e.fault : key == "suggest-fault" ? e.suggest_fault : e.related_fault;
            for (const auto& v : values) {
                std::string why;
                if (!parse_switch(v, s, &why))
                    return fail(why);
            }
        } else {
            return fail("unknown directive: " + std::string(key));
        }
    }
    for (auto& [phrase, entry] : by_utf8) {
        line_no = first_line[phrase];
        std::string why;
        if (!graph.set(phrase, std::move(entry), &why))
            return fail(why);
    }
    return graph;
}

std::optional<PhraseGraph> PhraseGraph::load(const std::string& path, std::string* error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (error)
            *error = "cannot read " + path;
        return std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return parse(text.str(), error);
}

const PhraseEntry* PhraseGraph::find(const std::string& phrase_cp936) const
{
    auto it = entries_.find(phrase_cp936);
    return it == entries_.end() ? nullptr : &it->second;
}

bool PhraseGraph::set(const std::string& phrase_utf8, PhraseEntry entry, std::string* error)
{
    auto key = utf8_to_cp936(phrase_utf8);
    std::string bad;
    if (!key)
        bad = phrase_utf8;
    if (!key || !encodable(entry, &bad)) {
        if (error)
            *error = "not representable in code page 936: " + bad;
        return false;
    }
    entries_[*key] = std::move(entry);
    return true;
}

// ---- Answer bodies ----------------------------------------------------------

namespace {

std::u16string utf8_to_utf16(std::string_view utf8);

// JavaScript escape(): letters, digits and @*_+-./ stay; other code units
// below 256 become %XX, the rest %uXXXX, with upper-case digits.
std::string js_escape(std::string_view utf8)
{
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (char16_t c : utf8_to_utf16(utf8)) {
        bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
            (c < 128 && std::string_view("@*_+-./").find(char(c)) != std::string_view::npos);
        if (plain) {
            out += char(c);
        } else if (c < 256) {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out += "%u";
            for (int shift = 12; shift >= 0; shift -= 4)
                out += hex[(c >> shift) & 15];
        }
    }
    return out;
}

} // namespace

std::string suggest_answer(const PhraseEntry* entry)
{
    if (entry && entry->suggest_raw)
        return *entry->suggest_raw;
    std::string out = "[";
    if (entry && entry->suggest) {
        for (size_t i = 0; i < entry->suggest->size(); ++i) {
            if (i)
                out += ',';
            out += '"' + js_escape((*entry->suggest)[i]) + '"';
        }
    }
    return out + "]";
}

std::string related_page(const PhraseEntry* entry, const std::string& phrase_utf8)
{
    if (entry && entry->related_raw)
        return *entry->related_raw;
    std::string page = "<html><head><meta http-equiv=\"content-type\" content=\"text/html;charset=gb2312\">"
                       "<title>百度搜索_" +
        phrase_utf8 +
        "</title></head><body>\n"
        "<table width=\"100%\"><tr><td>约有 3 篇网页与 " +
        phrase_utf8 + " 相关</td></tr></table>\n";
    if (entry && entry->related && !entry->related->empty()) {
        // The block the harvester cuts out: block start, heading, the table of
        // linked cells, and the block end right after the last link.
        page += "<br><div style=\"background-color:#eff2fa;padding:4px\"><table><tr><td nowrap>"
                "<b>相关搜索</b></td><td><table border=\"0\" cellpadding=\"0\" cellspacing=\"0\"><tr>";
        for (const auto& item : *entry->related) {
            auto bytes = utf8_to_cp936(item).value_or(std::string());
            page += "<td nowrap class=\"f14\"><a href=\"s?wd=" + url_encode(bytes) + "\">" + item + "</a></td>";
        }
        page += "</tr></table></td></tr><tr><td></td></tr></table></div>\n";
    }
    return page + "</body></html>\n";
}

std::string json_answer(const PhraseEntry* entry, const std::string& phrase_utf8, JsonForm form)
{
    if (entry && entry->json_raw)
        return *entry->json_raw;
    nlohmann::json items = nlohmann::json::array();
    if (entry && entry->suggest)
        for (size_t i = 0; i < entry->suggest->size(); ++i) {
            const std::string& item = (*entry->suggest)[i];
            if (form == JsonForm::OpenSearch)
                items.push_back(item);
            else
                items.push_back(nlohmann::json::array({item, i}));
        }
    if (form == JsonForm::OpenSearch)
        return nlohmann::json::array({phrase_utf8, items}).dump();
    return nlohmann::json{{"query", phrase_utf8}, {"data", {{"items", items}}}}.dump();
}

std::string error_page(int status, const std::string& phrase_utf8)
{
    return "<html><body><h1>" + std::to_string(status) + " " + reason_phrase(status) + "</h1>服务暂时不可用, 查询" +
        phrase_utf8 + ", 请稍后再试</body></html>\n";
}

const char* reason_phrase(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 206:
        return "Partial Content";
    case 400:
        return "Bad Request";
    case 403:
        return "Forbidden";
    case 404:
        return "Not Found";
    case 416:
        return "Range Not Satisfiable";
    case 429:
        return "Too Many Requests";
    case 500:
        return "Internal Server Error";
    case 502:
        return "Bad Gateway";
    case 503:
        return "Service Unavailable";
    default:
        return "Status";
    }
}

// ---- Code page helpers ------------------------------------------------------

namespace {

// Opening a converter costs far more than a short conversion, and every
// answer needs several; each thread keeps the ones it has opened.
iconv_t converter(const char* to, const char* from)
{
    struct Cache {
        std::map<std::pair<std::string, std::string>, iconv_t> open;
        ~Cache()
        {
            for (auto& [key, cd] : open)
                iconv_close(cd);
        }
    };
    thread_local Cache cache;
    auto key = std::make_pair(std::string(to), std::string(from));
    auto it = cache.open.find(key);
    if (it == cache.open.end())
        it = cache.open.emplace(key, iconv_open(to, from)).first;
    return it->second;
}

std::optional<std::string> convert(const char* to, const char* from, std::string_view in)
{
    iconv_t cd = converter(to, from);
    if (cd == iconv_t(-1))
        return std::nullopt;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    std::string out(in.size() * 4 + 16, '\0');
    char* src = const_cast<char*>(in.data());
    size_t src_left = in.size();
    char* dst = out.data();
    size_t dst_left = out.size();
    size_t rc = iconv(cd, &src, &src_left, &dst, &dst_left);
    bool ok = rc != size_t(-1) && iconv(cd, nullptr, nullptr, &dst, &dst_left) != size_t(-1);
    if (!ok)
        return std::nullopt;
    out.resize(out.size() - dst_left);
    return out;
}

std::u16string utf8_to_utf16(std::string_view utf8)
{
    auto bytes = convert("UTF-16LE", "UTF-8", utf8).value_or(std::string());
    std::u16string out;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        out += char16_t(uint8_t(bytes[i]) | (uint8_t(bytes[i + 1]) << 8));
    return out;
}

} // namespace

std::optional<std::string> utf8_to_cp936(std::string_view utf8)
{
    return convert("CP936", "UTF-8", utf8);
}
std::optional<std::string> cp936_to_utf8(std::string_view cp936)
{
    return convert("UTF-8", "CP936", cp936);
}

std::string url_encode(std::string_view bytes)
{
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
            c == '_') {
            out += char(c);
        } else if (c == ' ') {
            out += '+';
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

std::string url_decode(std::string_view text)
{
    auto hexval = [](char c) {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        return -1;
    };
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '+') {
            out += ' ';
        } else if (text[i] == '%' && i + 2 < text.size() && hexval(text[i + 1]) >= 0 && hexval(text[i + 2]) >= 0) {
            out += char(hexval(text[i + 1]) * 16 + hexval(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace lt::fake
