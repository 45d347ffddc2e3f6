#include "text/indexed_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

namespace lt {
namespace {

const std::string kQQSpace = "QQ\xBF\xD5\xBC\xE4"; // QQ空间
const std::string kqqSpace = "qq\xBF\xD5\xBC\xE4"; // qq空间
const std::string kWebPage = "\xBE\x57\xED\x93";   // 網頁
const std::string kThread = "\xBE\x77\xED\x93";    // 緒頁: 網 with its trail byte lowered

TEST(IndexedList, LookupRule)
{
    IndexedList list;
    for (const std::string& row : {std::string("abc"), kQQSpace, kWebPage, std::string("x y")})
        list.append(row);
    struct Case {
        std::string phrase;
        int row;
    };
    const Case cases[] = {
        {"ABC", 0},
        {kqqSpace, 1},
        {"qQ\xBF\xD5\xBC\xE4", 1},
        {kQQSpace + " ", -1}, // no trimming
        {" " + kQQSpace, -1},
        {"QQ", -1}, // no prefix match
        {kWebPage, 2},
        {kThread, -1}, // trail bytes are not letters
        {"X Y", 3},
        {"", -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(list.lookup(c.phrase), c.row) << c.phrase;
}

TEST(IndexedList, FindsFirstMatchingRowAsRowsMove)
{
    IndexedList list;
    list.append("a"); // 0
    list.append("B"); // 1
    list.append("b"); // 2
    list.append("c"); // 3
    EXPECT_EQ(list.lookup("b"), 1);

    list.remove(1); // a b c
    EXPECT_EQ(list.lookup("B"), 1);
    EXPECT_EQ(list.lookup("c"), 2);

    list.insert(0, "b"); // b a b c
    EXPECT_EQ(list.lookup("b"), 0);
    EXPECT_EQ(list.lookup("c"), 3);
    list.remove(0); // a b c
    EXPECT_EQ(list.lookup("b"), 1);

    list.insert(3, "C"); // a b c C
    list.remove(2);      // a b C
    EXPECT_EQ(list.lookup("c"), 2);

    list.set_text(0, "c"); // c b C
    EXPECT_EQ(list.lookup("c"), 0);
    EXPECT_EQ(list.lookup("a"), -1);
    list.set_text(0, "z"); // z b C
    EXPECT_EQ(list.lookup("c"), 2);

    list.clear();
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.lookup("z"), -1);
    EXPECT_EQ(list.append("Z"), 0);
    EXPECT_EQ(list.lookup("z"), 0);
}

TEST(IndexedList, AgreesWithLinearSearchUnderRandomEdits)
{
    // A vocabulary large enough to grow the index and to make deletions
    // move colliding entries: case variants, and double-byte characters
    // whose trail bytes are capital or small letters.
    std::vector<std::string> words = {"", "\xBE\x57", "\xBE\x77", "a\xBE\x57", "A\xBE\x57"};
    for (int i = 0; i < 150; ++i) {
        words.push_back("w" + std::to_string(i));
        words.push_back("W" + std::to_string(i));
    }
    auto fold_equal = [](const std::string& a, const std::string& b) {
        if (a.size() != b.size())
            return false;
        for (size_t i = 0; i < a.size(); ++i) {
            if (static_cast<unsigned char>(a[i]) >= 0x81 && i + 1 < a.size()) {
                if (a[i] != b[i] || a[i + 1] != b[i + 1])
                    return false;
                ++i;
            } else if (std::tolower(static_cast<unsigned char>(a[i])) !=
                std::tolower(static_cast<unsigned char>(b[i]))) {
                return false;
            }
        }
        return true;
    };
    IndexedList list;
    std::vector<std::string> mirror;
    uint32_t seed = 12345;
    auto next = [&] { return seed = seed * 1103515245u + 12345u, (seed >> 8) & 0xFFFFFF; };
    for (int step = 0; step < 20000; ++step) {
        const std::string& w = words[next() % words.size()];
        int op = next() % 10;
        int n = static_cast<int>(mirror.size());
        if (op < 4) {
            list.append(w);
            mirror.push_back(w);
        } else if (op < 6) {
            int at = static_cast<int>(next() % (n + 1));
            list.insert(at, w);
            mirror.insert(mirror.begin() + at, w);
        } else if (op < 8 && n > 0) {
            int at = static_cast<int>(next() % n);
            list.remove(at);
            mirror.erase(mirror.begin() + at);
        } else if (op == 8 && n > 0) {
            int at = static_cast<int>(next() % n);
            list.set_text(at, w);
            mirror[at] = w;
        } else if (op == 9 && next() % 500 == 0) {
            list.clear();
            mirror.clear();
        }
        for (int k = 0; k < 4; ++k) {
            const std::string& probe = words[next() % words.size()];
            int expected = -1;
            for (size_t i = 0; i < mirror.size() && expected < 0; ++i)
                if (fold_equal(mirror[i], probe))
                    expected = static_cast<int>(i);
            ASSERT_EQ(list.lookup(probe), expected) << "step " << step << " probe " << probe;
        }
    }
    EXPECT_EQ(list.texts(), mirror);
}

TEST(IndexedList, BadIndexRaisesListErrorAndChangesNothing)
{
    IndexedList list;
    list.append("a");
    std::vector<std::pair<IndexedList::Change, int>> seen;
    list.set_on_change([&](IndexedList::Change c, int i) { seen.emplace_back(c, i); });
    try {
        list.text(1);
        FAIL();
    } catch (const ListError& e) {
        EXPECT_STREQ(e.what(), "List index out of bounds (1)");
    }
    EXPECT_THROW(list.remove(-1), ListError);
    EXPECT_THROW(list.insert(2, "x"), ListError);
    EXPECT_THROW(list.set_text(1, "x"), ListError);
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(list.count(), 1);

    list.insert(1, "b");
    list.set_text(0, "c");
    list.remove(0);
    list.clear();
    using C = IndexedList::Change;
    std::vector<std::pair<C, int>> expected = {{C::Inserted, 1}, {C::Changed, 0}, {C::Deleted, 0}, {C::Cleared, -1}};
    EXPECT_EQ(seen, expected);
}

// Removing marked rows in one pass: the rows left keep their order, the
// lookup answers the first remaining row of each chain, one notice is told
// (none when nothing goes), and the list keeps working afterwards.
TEST(IndexedList, RemoveMarkedKeepsOrderAndLookup)
{
    // Same folded text in rows 0, 2, 5 and 1, 3: chains lose heads, middles and tails.
    const std::vector<std::string> rows = {"a", "B", "A", "b", "c", "a"};
    struct Case {
        const char* name;
        std::vector<uint8_t> marks;
        std::vector<std::string> left;
    };
    const Case cases[] = {
        {"none", {0, 0, 0, 0, 0, 0}, {"a", "B", "A", "b", "c", "a"}},
        {"first", {1, 0, 0, 0, 0, 0}, {"B", "A", "b", "c", "a"}},
        {"last", {0, 0, 0, 0, 0, 1}, {"a", "B", "A", "b", "c"}},
        {"scattered", {1, 0, 1, 1, 0, 0}, {"B", "c", "a"}},
        {"all", {1, 1, 1, 1, 1, 1}, {}},
    };
    using C = IndexedList::Change;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        IndexedList list;
        for (const std::string& row : rows)
            list.append(row);
        std::vector<std::pair<C, int>> seen;
        list.set_on_change([&](C change, int i) { seen.emplace_back(change, i); });

        const int removed = list.remove_marked(c.marks);

        EXPECT_EQ(removed, static_cast<int>(rows.size() - c.left.size()));
        EXPECT_EQ(list.texts(), c.left);
        std::vector<std::pair<C, int>> expected;
        for (size_t i = 0; i < c.marks.size() && expected.empty(); ++i)
            if (c.marks[i])
                expected.emplace_back(C::DeletedMany, static_cast<int>(i));
        EXPECT_EQ(seen, expected);
        for (const char* probe : {"a", "b", "c"}) {
            int first = -1;
            for (size_t i = 0; i < c.left.size() && first < 0; ++i)
                if (c.left[i].size() == 1 && (c.left[i][0] | 0x20) == probe[0])
                    first = static_cast<int>(i);
            EXPECT_EQ(list.lookup(probe), first) << probe;
        }
        // Rows inserted afterwards join the chains at their place.
        list.insert(0, "A");
        EXPECT_EQ(list.lookup("a"), 0);
        list.remove(0);
        list.append("C");
        const auto c_row = std::find(c.left.begin(), c.left.end(), "c") - c.left.begin();
        EXPECT_EQ(list.lookup("c"), static_cast<int>(c_row));
    }
}

} // namespace
} // namespace lt
