// The one-line edit model: editing as one table, then the clipboard and
// undo scenarios.

#include "forms/edit_model.h"
#include "platform/messages.h"

#include <gtest/gtest.h>

#include <functional>

namespace lt {
namespace {

// 中 = D6 D0, 網 = BE 57 (its trail byte is the letter W).
const std::string kZhong = "\xD6\xD0";
const std::string kWang = "\xBE\x57";

struct EditCase {
    const char* name;
    std::string text;
    size_t anchor, caret;
    size_t max_length;
    bool read_only;
    std::function<void(EditModel&)> act;
    std::string expected;
    size_t expected_anchor, expected_caret;
};

TEST(EditModel, Editing)
{
    auto key = [](int k, bool shift = false, bool ctrl = false) {
        return [=](EditModel& e) { e.key(k, shift, ctrl); };
    };
    const std::string ab_wang = "a" + kWang + "b"; // a 網 b: boundaries 0 1 3 4
    const std::vector<EditCase> cases = {
        {"type at the caret", "ac", 1, 1, 0, false, [](EditModel& e) { e.type("b"); }, "abc", 2, 2},
        {"typing replaces the selection", "abcd", 1, 3, 0, false, [](EditModel& e) { e.type(kZhong); },
            "a" + kZhong + "d", 3, 3},
        {"control characters are never typed", "ab", 2, 2, 0, false,
            [](EditModel& e) {
                e.type("\r");
                e.type("\x1b");
                e.type("\t");
            },
            "ab", 2, 2},
        {"Left steps over a double-byte character", ab_wang, 3, 3, 0, false, key(VK_LEFT), ab_wang, 1, 1},
        {"Right steps over a double-byte character", ab_wang, 1, 1, 0, false, key(VK_RIGHT), ab_wang, 3, 3},
        {"Shift+Left selects a whole character", ab_wang, 3, 3, 0, false, key(VK_LEFT, true), ab_wang, 3, 1},
        {"Left collapses a selection to its start", ab_wang, 0, 4, 0, false, key(VK_LEFT), ab_wang, 0, 0},
        {"Backspace deletes a whole character", ab_wang, 3, 3, 0, false, key(VK_BACK), "ab", 1, 1},
        {"Delete deletes a whole character", ab_wang, 1, 1, 0, false, key(VK_DELETE), "ab", 1, 1},
        {"Backspace deletes the selection", "abcd", 3, 1, 0, false, key(VK_BACK), "ad", 1, 1},
        {"Backspace at the start does nothing", "ab", 0, 0, 0, false, key(VK_BACK), "ab", 0, 0},
        {"Home and Shift+End", "abc", 1, 1, 0, false,
            [&](EditModel& e) {
                key(VK_HOME)(e);
                key(VK_END, true)(e);
            },
            "abc", 0, 3},
        {"Ctrl+Right jumps over a word and its blanks", "ab cd", 0, 0, 0, false, key(VK_RIGHT, false, true), "ab cd", 3,
            3},
        {"Ctrl+Left jumps to the word start", "ab cd", 5, 5, 0, false, key(VK_LEFT, false, true), "ab cd", 3, 3},
        {"Ctrl+A selects all", "abc", 1, 1, 0, false, key('A', false, true), "abc", 0, 3},
        {"a snapped selection never splits a character", ab_wang, 2, 2, 0, false,
            [](EditModel& e) { e.set_selection(2, 4); }, ab_wang, 1, 4},
        {"max length refuses a typed character that does not fit", "abc", 3, 3, 4, false,
            [](EditModel& e) { e.type(kZhong); }, "abc", 3, 3},
        {"max length cuts a commit at a whole character", "ab", 2, 2, 5, false,
            [](EditModel& e) { e.commit(kZhong + kZhong); }, "ab" + kZhong, 4, 4},
        {"max length counts the replaced selection", "abcd", 0, 4, 4, false, [](EditModel& e) { e.type(kZhong); },
            kZhong, 2, 2},
        {"a commit types its characters and drops the composition", "ab", 1, 1, 0, false,
            [](EditModel& e) {
                e.set_composition(kZhong);
                e.commit(kZhong + "?");
            },
            "a" + kZhong + "?b", 4, 4},
        {"read-only refuses typing and deletion", "abc", 1, 2, 0, true,
            [&](EditModel& e) {
                e.type("x");
                key(VK_BACK)(e);
                key(VK_DELETE)(e);
                e.commit("y");
            },
            "abc", 1, 2},
        {"read-only still moves and selects", "abc", 1, 1, 0, true, key(VK_END, true), "abc", 1, 3},
    };
    for (const EditCase& c : cases) {
        EditModel e;
        e.set_text(c.text);
        e.set_selection(c.anchor, c.caret);
        e.set_max_length(c.max_length);
        e.set_read_only(c.read_only);
        c.act(e);
        SCOPED_TRACE(c.name);
        EXPECT_EQ(e.text(), c.expected);
        EXPECT_EQ(e.anchor(), c.expected_anchor);
        EXPECT_EQ(e.caret(), c.expected_caret);
    }
}

struct Clipboard {
    std::string text;
    void attach(EditModel& e)
    {
        e.ReadClipboard = [this] { return text; };
        e.WriteClipboard = [this](const std::string& s) { text = s; };
    }
};

TEST(EditModel, PasteKeepsTheFirstLineOnly)
{
    const struct {
        std::string clip;
        std::string expected;
    } cases[] = {
        {"QQ" + std::string("\xBF\xD5\xBC\xE4") + "\r\n", "QQ\xBF\xD5\xBC\xE4"},
        {"a\r\nb", "a"},
        {"a\nb", "a"},
        {"a\rb", "a"},
        {"\r\nb", ""},
        {"plain", "plain"},
    };
    for (const auto& c : cases) {
        EditModel e;
        Clipboard clip{c.clip};
        clip.attach(e);
        e.key('V', false, true);
        EXPECT_EQ(e.text(), c.expected) << c.clip;
    }
}

TEST(EditModel, CutCopyPasteAndUndo)
{
    EditModel e;
    Clipboard clip;
    clip.attach(e);
    int changes = 0;
    e.OnChange = [&] { ++changes; };
    e.set_text("hello world");
    e.set_selection(0, 5);
    e.key('X', false, true);
    EXPECT_EQ(clip.text, "hello");
    EXPECT_EQ(e.text(), " world");
    e.key(VK_END, false, false);
    e.key(VK_INSERT, true, false); // Shift+Insert pastes
    EXPECT_EQ(e.text(), " worldhello");

    // One step of undo; undoing again redoes.
    e.key('Z', false, true);
    EXPECT_EQ(e.text(), " world");
    e.undo();
    EXPECT_EQ(e.text(), " worldhello");

    // A run of typing is one step.
    e.set_text("");
    EXPECT_FALSE(e.can_undo());
    for (char c : std::string("abc"))
        e.type(std::string(1, c));
    e.undo();
    EXPECT_EQ(e.text(), "");
    e.undo();
    EXPECT_EQ(e.text(), "abc");
    EXPECT_EQ(e.caret(), 3u);

    // Read-only: copy works, cut and paste do nothing.
    e.set_read_only(true);
    e.select_all();
    clip.text = "other";
    e.key('C', false, true);
    EXPECT_EQ(clip.text, "abc");
    clip.text = "other";
    e.key('X', false, true);
    e.key('V', false, true);
    EXPECT_EQ(e.text(), "abc");
    EXPECT_EQ(clip.text, "other");
    EXPECT_GT(changes, 0);
}

TEST(EditModel, MouseSelection)
{
    EditModel e;
    e.set_text("ab " + kWang + "c de");
    e.press(1, false);
    e.drag(4); // inside 網: snapped back to its start
    EXPECT_EQ(e.sel_start(), 1u);
    EXPECT_EQ(e.sel_end(), 3u);
    e.press(6, true);
    EXPECT_EQ(e.selected_text(), "b " + kWang + "c");
    e.select_word(4);
    EXPECT_EQ(e.selected_text(), kWang + "c");
}

} // namespace
} // namespace lt
