// The description's syntax and value kinds, as tables of text in, value out.

#include <gtest/gtest.h>

#include "skin/skin_ini.h"

namespace lt {
namespace {

TEST(SkinIni, SyntaxAndLookup)
{
    SkinIni ini("ignored=before any section\r\n"
                "  [ Alpha ]  \r\n"
                "Key = first\n"
                "; key=comment\r"
                "key=last\r\n"
                "\tSpaced\t=\t value with = sign \t\r\n"
                "no equals sign here\r\n"
                "[alpha]\r\n"
                "other=second section wins\r\n"
                "[Beta]\r\n"
                "tail=no final break");
    struct Row {
        const char* section;
        const char* key;
        const char* expected; // null = not found
    };
    const Row rows[] = {
        {"ALPHA", "other", "second section wins"}, // last occurrence of a section
        {"alpha", "key", nullptr},                 // ... hides the first one
        {"beta", "TAIL", "no final break"},
        {"beta", "missing", nullptr},
        {"gamma", "tail", nullptr},
        {"beta", "no equals sign here", nullptr},
    };
    for (const Row& r : rows) {
        const std::string* v = ini.Find(r.section, r.key);
        if (!r.expected)
            EXPECT_EQ(v, nullptr) << r.section << "/" << r.key;
        else if (!v)
            ADD_FAILURE() << r.section << "/" << r.key << " not found";
        else
            EXPECT_EQ(*v, r.expected) << r.section << "/" << r.key;
    }
    EXPECT_EQ(ini.SectionNames(), (std::vector<std::string>{"Alpha", "alpha", "Beta"}));

    SkinIni one("[s]\nKey=first\n;key=comment\nkey=last\n  Spaced  =  a = b  \n");
    EXPECT_EQ(one.ReadString("S", "KEY", "d"), "last"); // the last duplicate key wins, any case
    EXPECT_EQ(one.ReadString("s", "spaced", "d"), "a = b");
    EXPECT_EQ(one.ReadString("s", "comment", "d"), "d");
}

TEST(SkinIni, Integers)
{
    struct Row {
        const char* text;
        std::int32_t expected; // 77 = the default
    };
    const Row rows[] = {
        {"12", 12},
        {"-12", -12},
        {"+5", 5},
        {"0x1F", 31},
        {"0XfF", 255},
        {"0xFF00000F", std::int32_t(0xFF00000Fu)},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"2147483648", 77},
        {"0x123456789", 77},
        {"12a", 77},
        {"", 77},
        {"0x", 77},
        {"1 2", 77},
        {"$10", 77},
        {"-", 77},
    };
    for (const Row& r : rows) {
        SkinIni ini(std::string("[s]\nv=") + r.text + "\n");
        EXPECT_EQ(ini.ReadInteger("s", "v", 77), r.expected) << "'" << r.text << "'";
    }
    SkinIni flags("[s]\na=1\nb=2\nc=-1\nd=01\ne=0x1\nf=yes\n");
    for (auto [key, expected] :
        {std::pair{"a", true}, {"b", false}, {"c", false}, {"d", true}, {"e", true}, {"f", false}, {"missing", false}})
        EXPECT_EQ(flags.ReadFlag("s", key), expected) << key;
}

TEST(SkinIni, RectanglesAndPoints)
{
    struct Row {
        const char* text;
        Rect expected;
    };
    const Row rects[] = {
        {"1,2,3,4", {1, 2, 3, 4}}, {"-3,4,5,6", {3, 4, 5, 6}}, // signs are dropped
        {" 1 , 2 ,3, 4 ", {1, 2, 3, 4}},                       // blanks are dropped
        {"a1,b2c,3x,4y", {1, 2, 3, 4}},                        // letters too
        {"1,2,3,4,5", {1, 2, 3, 4}},                           // fields past the fourth are ignored
        {"1,,3,4", {}},                                        // a field without digits: the default
        {"1,2,3", {}},                                         // too few fields
        {"", {}}, {"1,2,3,99999999999", {}},                   // beyond 32 bits
    };
    for (const Row& r : rects) {
        SkinIni ini(std::string("[s]\nr=") + r.text + "\n");
        EXPECT_EQ(ini.ReadRect("s", "r"), r.expected) << "'" << r.text << "'";
    }
    struct PRow {
        const char* text;
        Point expected;
    };
    const PRow points[] = {{"9,29", {9, 29}}, {"-2, 7", {2, 7}}, {"a,b", {}}, {"5", {}}, {"1,2,3", {1, 2}}};
    for (const PRow& r : points) {
        SkinIni ini(std::string("[s]\np=") + r.text + "\n");
        EXPECT_EQ(ini.ReadPoint("s", "p"), r.expected) << "'" << r.text << "'";
    }
}

TEST(SkinIni, Enumerations)
{
    struct Row {
        const char* text;
        TFontStyles expected;
    };
    const Row styles[] = {
        {"fsbold", fsBold},
        {"fsbold,fsitalic", fsBold | fsItalic},
        {"fsitalicfsbold", fsBold | fsItalic},
        {"[fsunderline fsstrikeout]", fsUnderline | fsStrikeOut},
        {"FSBOLD", 0},
        {"", 0},
    };
    for (const Row& r : styles)
        EXPECT_EQ(ParseFontStyles(r.text), r.expected) << r.text;

    EXPECT_EQ(ParseStretchType("stfull"), stFull);
    EXPECT_EQ(ParseStretchType("stvert"), stVert);
    EXPECT_EQ(ParseStretchType("sthorz"), stHorz);
    EXPECT_EQ(ParseStretchType("stFull"), stHorz);
    EXPECT_EQ(ParseStretchType(""), stHorz);
    EXPECT_EQ(ParseMorphKind("mkpush"), mkPush);
    EXPECT_EQ(ParseMorphKind("mkPush"), mkDefault);
    EXPECT_EQ(ParseAlignment("taleftjustify"), taLeftJustify);
    EXPECT_EQ(ParseAlignment("tacenter"), taCenter);
    EXPECT_EQ(ParseAlignment("anything"), taRightJustify);
    EXPECT_EQ(ParseInactiveEffect("ieinvert"), ieInvert);
    EXPECT_EQ(ParseInactiveEffect("iebright"), ieGrayScale);
    EXPECT_EQ(ParseStdCommand("cmclose"), cmClose);
    EXPECT_EQ(ParseStdCommand("cmrollup"), cmRollUp);
    EXPECT_EQ(ParseStdCommand("cmminimizetotray"), cmMinimizeToTray);
    EXPECT_EQ(ParseStdCommand("cmwhatever"), cmMinimizeToTray);
    EXPECT_EQ(ParseStdCommand("CMCLOSE"), cmMinimizeToTray);
}

// Missing keys give each kind's default; present keys with unknown words give
// the kind's fallback.
// A key that is missing or does not parse leaves the field as it was: the
// record's initial value is its default.
TEST(SkinIni, ReaderKeepsFieldsWithoutAValue)
{
    SkinIni ini("[s]\nst=stFull\nal=\nie=bogus\nn=12x\nflag=2\nr=1,2\n");
    SkinFieldReader r(ini, "s");
    TStretchType st = stVert, missing_st = stVert;
    TAlignment al = taLeftJustify, missing_al = taLeftJustify;
    TInactiveEffect ie = ieInvert, missing_ie = ieInvert;
    TskStdCommand cmd = cmClose;
    std::int32_t bad_number = 7, missing_number = 8;
    bool flag = true, missing_flag = true;
    Rect short_rect{1, 1, 5, 5};
    std::string missing_text = "kept";
    r.StretchType("st", st);
    r.StretchType("none", missing_st);
    r.Alignment("al", al);
    r.Alignment("none", missing_al);
    r.InactiveEffect("ie", ie);
    r.InactiveEffect("none", missing_ie);
    r.Command("none", cmd);
    r.Integer("n", bad_number);
    r.Integer("none", missing_number);
    r.Flag("flag", flag);
    r.Flag("none", missing_flag);
    r.RectValue("r", short_rect);
    r.String("none", missing_text);
    EXPECT_EQ(st, stHorz);
    EXPECT_EQ(missing_st, stVert);
    EXPECT_EQ(al, taRightJustify);
    EXPECT_EQ(missing_al, taLeftJustify);
    EXPECT_EQ(ie, ieGrayScale);
    EXPECT_EQ(missing_ie, ieInvert);
    EXPECT_EQ(cmd, cmClose);
    EXPECT_EQ(bad_number, 7);
    EXPECT_EQ(missing_number, 8);
    EXPECT_FALSE(flag) << "only 1 turns a flag on";
    EXPECT_TRUE(missing_flag);
    EXPECT_EQ(short_rect, (Rect{1, 1, 5, 5}));
    EXPECT_EQ(missing_text, "kept");
}

TEST(SkinIni, StringLists)
{
    SkinIni ini("[l]\ncount=4\n0=a:b\n1=\n3=d\n[m]\ncount=2147483647\n0=x\n[n]\ncount=-1\n0=x\n");
    EXPECT_EQ(ini.ReadStringList("l", ""), (std::vector<std::string>{"a:b", "", "", "d"}));
    // An absurd count is bounded by the lines that exist.
    EXPECT_EQ(ini.ReadStringList("m", "").size(), 2u);
    EXPECT_TRUE(ini.ReadStringList("n", "").empty());
}

TEST(SkinIni, WriteThenReadBack)
{
    SkinIni ini("[s]\nKey=old\n");
    ini.WriteString("S", "key", "new");
    ini.WriteString("t", "r", FormatRect({1, 2, 3, 4}));
    ini.WriteString("t", "c", FormatColor(0xFF00000F));
    ini.WriteStringList("t", "items", {"a", "b"});
    SkinIni back(ini.Text());
    EXPECT_EQ(back.ReadString("s", "key", ""), "new");
    EXPECT_EQ(back.ReadRect("t", "r"), (Rect{1, 2, 3, 4}));
    EXPECT_EQ(static_cast<Color>(back.ReadInteger("t", "c", 0)), 0xFF00000Fu);
    EXPECT_EQ(back.ReadStringList("t", "items"), (std::vector<std::string>{"a", "b"}));
}

} // namespace
} // namespace lt
