#pragma once
// The phrase graph a fake-services instance answers from, and the answer
// bodies it renders.
//
// Sections: reply switches (how an answer is delivered) - the graph (what is
// answered for each phrase) - answer bodies - code page helpers.
//
// Graph file (UTF-8, one directive a line, fields separated by TAB):
//
//   # a comment; blank lines are ignored
//   <phrase> TAB suggest TAB <item> TAB <item> ...
//   <phrase> TAB related TAB <item> TAB <item> ...
//   <phrase> TAB suggest-raw TAB <answer text sent as it stands>
//   <phrase> TAB related-raw TAB <page text sent as it stands>
//   <phrase> TAB json-raw TAB <JSON document the JSON endpoints send as it stands>
//   <phrase> TAB fault TAB <switch> TAB <switch> ...     (both services)
//   <phrase> TAB suggest-fault TAB <switch> ...           (suggestion service)
//   <phrase> TAB related-fault TAB <switch> ...           (web search)
//
// Phrases and items are matched and sent as code page 936 bytes; the file's
// UTF-8 is converted when it is read, and text that code page 936 cannot hold
// is an error (json-raw excepted: it is sent in UTF-8 as written). Repeated
// suggest/related lines for one phrase add items.
// Switch words are those of parse_switch() below.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lt::fake {

enum class Service { Suggest, Related };

// ---- Reply switches ---------------------------------------------------------

// How one answer is delivered. Each field may be left unset so that a phrase's
// own switches override the server-wide ones field by field.
struct ReplySwitches {
    std::optional<bool> last_modified; // send a Last-Modified header
    std::optional<bool> chunked;       // no Content-Length: chunked body
    std::optional<bool> honour_range;  // answer a Range header with 206/416
    std::optional<int> delay_ms;       // wait before answering
    std::optional<bool> empty;         // 200 with an empty body
    std::optional<int> status;         // an error page with this status
    std::optional<bool> reset;         // reset the connection instead of answering
    std::optional<bool> cut;           // send half the body, then reset
    std::optional<bool> utf8;          // body in UTF-8 instead of code page 936

    // Fields set here win over those of base.
    ReplySwitches over(const ReplySwitches& base) const;
};

// The switches with every field decided.
struct Reply {
    bool last_modified = false;
    bool chunked = false;
    bool honour_range = true;
    int delay_ms = 0;
    bool empty = false;
    int status = 200;
    bool reset = false;
    bool cut = false;
    bool utf8 = false;

    static Reply from(const ReplySwitches& s);
};

// Applies one switch word: last-modified, no-last-modified, chunked,
// content-length, ignore-range, honour-range, delay=MS, empty, status=N,
// reset, cut, utf8. Returns false (with a reason) for anything else.
bool parse_switch(std::string_view word, ReplySwitches& into, std::string* error);

// ---- The graph --------------------------------------------------------------

struct PhraseEntry {
    std::optional<std::vector<std::string>> suggest; // items, UTF-8
    std::optional<std::vector<std::string>> related; // items, UTF-8
    std::optional<std::string> suggest_raw;          // UTF-8
    std::optional<std::string> related_raw;          // UTF-8
    std::optional<std::string> json_raw;             // UTF-8, any characters
    ReplySwitches fault;
    ReplySwitches suggest_fault;
    ReplySwitches related_fault;

    ReplySwitches switches_for(Service service) const;
};

class PhraseGraph {
public:
    // Parses graph text; on failure returns nothing and names the line.
    static std::optional<PhraseGraph> parse(std::string_view text, std::string* error);
    static std::optional<PhraseGraph> load(const std::string& path, std::string* error);

    // The entry of a phrase given as code page 936 bytes, exact match.
    const PhraseEntry* find(const std::string& phrase_cp936) const;
    // Adds or replaces one phrase's entry (phrase in UTF-8).
    bool set(const std::string& phrase_utf8, PhraseEntry entry, std::string* error);

private:
    std::map<std::string, PhraseEntry> entries_; // keyed by code page 936 bytes
};

// ---- Answer bodies (UTF-8; the server converts them for the wire) ------------

// ["%u957F%u5C3E",...] with each item escaped the way JavaScript escape()
// does; [] when the phrase has no entry.
std::string suggest_answer(const PhraseEntry* entry);
// A result page; when the phrase has related items it carries the
// related-search block, with one linked cell per item.
std::string related_page(const PhraseEntry* entry, const std::string& phrase_utf8);
// The suggestion items as JSON: OpenSearch ["phrase", ["item", ...]], or a
// document with the list at data.items, each item as [item, rank]. A
// json-raw document is sent instead when the phrase has one.
enum class JsonForm { OpenSearch, Path };
std::string json_answer(const PhraseEntry* entry, const std::string& phrase_utf8, JsonForm form);
// An error page that echoes the phrase between commas, so that a client that
// parses error pages as answers shows it.
std::string error_page(int status, const std::string& phrase_utf8);
const char* reason_phrase(int status);

// ---- Code page helpers ----------------------------------------------------

std::optional<std::string> utf8_to_cp936(std::string_view utf8);
std::optional<std::string> cp936_to_utf8(std::string_view cp936);
// Percent-encodes bytes the way the harvester's requests do (space as "+").
std::string url_encode(std::string_view bytes);
// Reverses url_encode for a query value: %XX to the byte, "+" to a space.
std::string url_decode(std::string_view text);

} // namespace lt::fake
