// Loading a stored skin: the message sequence, the package variants, the
// state bad data leaves, the package writer and the stored forms of a block.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "gfx/bmp.h"
#include "gfx/little_endian.h"
#include "skin/skin_package.h"
#include "tests/skin/skin_fixture.h"

namespace lt {
namespace {

using test::Compress;
using test::MessageRecorder;
using test::Package;
using test::PackageSpec;

struct Loaded {
    TskCompressedStoredSkin stored{nullptr};
    TskSkinData data{nullptr};
    void Load(const std::vector<std::uint8_t>& block)
    {
        stored.SetCompressedData(block);
        data.LoadCompressedSkin(&stored);
    }
};

void ExpectCleared(const TskSkinData& d)
{
    EXPECT_TRUE(d.Empty);
    EXPECT_FALSE(d.Changing);
    EXPECT_TRUE(d.SkinObjects.empty());
    EXPECT_TRUE(d.SkinControls.empty());
    EXPECT_TRUE(d.ActivePictures.empty());
    EXPECT_TRUE(d.Picture.empty());
    EXPECT_TRUE(d.MaskPicture.empty());
    EXPECT_EQ(d.SkinColors.cbtnface, clBtnFace);
    EXPECT_EQ(d.FindSkinObject("caption"), -1);
}

TEST(SkinData, LoadSendsBeforeChangeAfter)
{
    MessageRecorder rec;
    Loaded s;
    EXPECT_TRUE(s.data.Empty);
    EXPECT_EQ(s.data.SkinColors.cbtnface, 0u); // zero until the first load
    s.stored.SetCompressedData(Compress(Package({})));
    s.data.SetCompressedStoredSkin(&s.stored);
    EXPECT_EQ(rec.messages, (std::vector<unsigned>{SKM_BEFORECHANGE, SKM_CHANGE, SKM_AFTERCHANGE}));
    EXPECT_EQ(rec.empty_at_message, (std::vector<bool>{true, false, false}));
    EXPECT_EQ(rec.repaints, 0);
    EXPECT_FALSE(s.data.Empty);
    EXPECT_FALSE(s.data.Changing);
    EXPECT_EQ(s.data.Picture.size(), (Size{2, 2}));
    ASSERT_EQ(s.data.ActivePictures.size(), 1u);
    ASSERT_EQ(s.data.FindSkinObject("caption"), 0);
    EXPECT_EQ(static_cast<TskDataSkinCaption&>(*s.data.SkinObjects[0]).fontheight, 16);

    // An empty block, or no component at all, changes nothing and says nothing.
    TskCompressedStoredSkin empty(nullptr);
    s.data.SetCompressedStoredSkin(&empty);
    s.data.SetCompressedStoredSkin(nullptr);
    EXPECT_EQ(rec.messages.size(), 3u);
    EXPECT_FALSE(s.data.Empty);
    EXPECT_EQ(s.data.FindSkinObject("caption"), 0);
}

TEST(SkinData, PackageVariants)
{
    struct Row {
        const char* name;
        PackageSpec pkg;
        std::size_t active;
        bool inactive, mask;
    };
    PackageSpec v2;
    v2.version = 2;
    PackageSpec none;
    none.active_count = 0;
    PackageSpec negative;
    negative.active_count = -5;
    PackageSpec all;
    all.inactive = all.mask = true;
    all.active_count = 3;
    PackageSpec old;
    old.version = -7;
    const Row rows[] = {
        {"version 3", {}, 1, false, false},
        {"version 2 extra pairs", v2, 1, false, false},
        {"no active pictures", none, 0, false, false},
        {"negative count", negative, 0, false, false},
        {"all pictures", all, 3, true, true},
        {"negative version", old, 1, false, false},
    };
    for (const Row& r : rows) {
        Loaded s;
        s.Load(Compress(Package(r.pkg)));
        EXPECT_FALSE(s.data.Empty) << r.name;
        EXPECT_EQ(s.data.ActivePictures.size(), r.active) << r.name;
        EXPECT_EQ(s.data.InactivePicture.empty(), !r.inactive) << r.name;
        EXPECT_EQ(s.data.MaskPicture.empty(), !r.mask) << r.name;
        EXPECT_EQ(s.data.FindSkinObject("caption"), 0) << r.name;
        if (r.active) {
            EXPECT_EQ(s.data.ActivePictures[0]->pixel(0, 0), make_pixel(0x50, 0x50, 0x50)) << r.name;
        }
    }
}

// Every kind of bad data leaves the skin cleared and Empty, with no change
// message, whatever was loaded before; Changing is cleared again and the
// forms are repainted once, so no window waits for a skin that never comes.
TEST(SkinData, BadDataLeavesTheSkinCleared)
{
    std::vector<std::uint8_t> good = Package({});
    std::vector<std::uint8_t> bad_checksum = Compress(good);
    bad_checksum.back() ^= 0xFF;
    std::vector<std::uint8_t> cut_stream = Compress(good);
    cut_stream.resize(cut_stream.size() / 2);
    std::vector<std::uint8_t> not_bm = good;
    not_bm[5] = 'X'; // first byte of the frame picture
    std::vector<std::uint8_t> cut_bitmap(good.begin(), good.begin() + 20);
    std::vector<std::uint8_t> cut_version(good.begin(), good.begin() + 3);
    // A count of 0x7FFFFFFF pictures with none following.
    PackageSpec no_pictures;
    no_pictures.active_count = 0;
    no_pictures.description = "";
    std::vector<std::uint8_t> many = Package(no_pictures);
    many[many.size() - 1] = 0x7F;
    std::fill(many.end() - 4, many.end() - 1, 0xFF);
    std::vector<std::uint8_t> huge(kMaxSkinPackageSize + 1, 0);
    PackageSpec v4;
    v4.version = 4;

    struct Row {
        const char* name;
        std::vector<std::uint8_t> block;
        const char* error; // null: no exception
    };
    const Row rows[] = {
        {"not zlib", {1, 2, 3, 4, 5, 6}, "compression error"},
        {"bad checksum", bad_checksum, "compression error"},
        {"stream cut short", cut_stream, "compression error"},
        {"inflates beyond the limit", Compress(huge), "compression error"},
        {"bitmap not BM", Compress(not_bm), ""},
        {"bitmap past the end", Compress(cut_bitmap), ""},
        {"version cut short", Compress(cut_version), "Stream read error"},
        {"count beyond the data", Compress(many), ""},
        {"version 4", Compress(Package(v4)), nullptr},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        MessageRecorder rec;
        Loaded s;
        s.Load(Compress(Package({})));
        ASSERT_FALSE(s.data.Empty);
        rec.messages.clear();
        if (r.error) {
            try {
                s.Load(r.block);
                ADD_FAILURE() << "no exception";
            } catch (const std::exception& e) {
                if (*r.error) {
                    EXPECT_STREQ(e.what(), r.error);
                }
            }
        } else {
            EXPECT_NO_THROW(s.Load(r.block));
        }
        ExpectCleared(s.data);
        EXPECT_EQ(rec.messages, (std::vector<unsigned>{SKM_BEFORECHANGE}));
        EXPECT_EQ(rec.repaints, 1);
        EXPECT_FALSE(rec.changing_at_repaint);
        EXPECT_EQ(s.stored.CompressedData(), r.block); // the block is kept for another try
    }
}

// The skin-wide records take their defaults again when the next skin's
// description leaves their keys out.
TEST(SkinData, ANewLoadDoesNotKeepTheOldSkinsValues)
{
    PackageSpec full;
    full.description = "[POPUPWINDOW]\nitemsrect=1,2,3,4\nwindowpictureindex=0\n[HINTWINDOW]\nfontheight=20\n"
                       "[SKINCOLORS]\ncbtnface=255\n[FORMINFO]\nbuttonsoffset=5\n";
    PackageSpec bare;
    bare.description = "";
    Loaded s;
    s.Load(Compress(Package(full)));
    EXPECT_EQ(s.data.PopupWindow.itemsrect, (Rect{1, 2, 3, 4}));
    EXPECT_EQ(s.data.HintWindow.fontheight, 20);
    EXPECT_EQ(s.data.SkinColors.cbtnface, 255u);
    EXPECT_EQ(s.data.FormInfo.buttonsoffset, 5);
    s.Load(Compress(Package(bare)));
    EXPECT_TRUE(s.data.PopupWindow.itemsrect.empty());
    EXPECT_EQ(s.data.PopupWindow.windowpictureindex, -1);
    EXPECT_EQ(s.data.HintWindow.fontheight, 14);
    EXPECT_EQ(s.data.HintWindow.fontname, "Arial");
    EXPECT_EQ(s.data.SkinColors.cbtnface, clBtnFace);
    EXPECT_EQ(s.data.FormInfo.buttonsoffset, 0);
}

TEST(SkinData, BytesAfterTheStreamAreIgnored)
{
    Loaded s;
    std::vector<std::uint8_t> block = Compress(Package({}));
    block.insert(block.end(), {9, 9, 9});
    s.Load(block);
    EXPECT_FALSE(s.data.Empty);
}

TEST(SkinData, FormInfoAdjustments)
{
    struct Row {
        const char* name;
        const char* pictures;
        const char* forminfo;
        Point lefttop, hittest_leftbottom;
        Rect maskrectarea;
    };
    const char* corners =
        "righttoppoint=274,30\nleftbottompoint=8,200\nrightbottompoint=274,200\nclientrect=4,27,281,206\n";
    const Row rows[] = {
        {"inside: unchanged", "mask=m.bmp", "lefttoppoint=9,29\nhittestleftbottompoint=0,202\n", {9, 29}, {8, 202},
            {4, 27, 281, 206}},
        {"pulled into the client", "mask=m.bmp", "lefttoppoint=2,29\n", {4, 29}, {8, 200}, {4, 27, 281, 206}},
        {"mask area widened", "mask=m.bmp", "lefttoppoint=9,29\nmaskrectarea=0,0,10,10\n", {9, 29}, {8, 200},
            {0, 0, 281, 206}},
        {"no mask: kept as read", "", "lefttoppoint=9,29\nhittestleftbottompoint=0,202\nmaskrectarea=1,1,2,2\n",
            {9, 29}, {0, 202}, {1, 1, 2, 2}},
    };
    for (const Row& r : rows) {
        PackageSpec pkg;
        pkg.description = std::string("[PICTURES]\n") + r.pictures + "\n[FORMINFO]\n" + corners + r.forminfo;
        Loaded s;
        s.Load(Compress(Package(pkg)));
        EXPECT_EQ(s.data.FormInfo.lefttoppoint, r.lefttop) << r.name;
        EXPECT_EQ(s.data.FormInfo.hittestleftbottompoint, r.hittest_leftbottom) << r.name;
        EXPECT_EQ(s.data.FormInfo.maskrectarea, r.maskrectarea) << r.name;
    }
    // Equal corner x (or y) skips the pull into the client rectangle.
    PackageSpec flat;
    flat.description = "[FORMINFO]\nlefttoppoint=1,1\nrightbottompoint=1,50\nclientrect=4,4,40,40\n";
    Loaded s;
    s.Load(Compress(Package(flat)));
    EXPECT_EQ(s.data.FormInfo.lefttoppoint, (Point{1, 1}));
}

// The package writer builds from the generated stored skin's sources; the
// loaded result has the same objects as the embedded block and the same
// bitmaps as the files.
TEST(SkinData, PackageRoundTrip)
{
    const std::string dir = LT_SKIN_ASSET_DIR "/";
    Loaded built;
    built.stored.LoadFromSkinFile(dir + "skin.ini");
    ASSERT_FALSE(built.stored.IsEmpty());
    EXPECT_EQ(built.stored.CompressedData()[0], 0x78);
    EXPECT_EQ(built.stored.CompressedData()[1], 0xDA);
    built.data.LoadCompressedSkin(&built.stored);
    ASSERT_FALSE(built.data.Empty);
    EXPECT_TRUE(built.data.Picture == load_bmp_file(dir + built.data.PictureName));
    EXPECT_TRUE(built.data.MaskPicture == load_bmp_file(dir + built.data.MaskPictureName));
    ASSERT_EQ(built.data.ActivePictures.size(), built.data.ActivePictureNames.size());
    for (std::size_t i = 0; i < built.data.ActivePictures.size(); ++i)
        EXPECT_TRUE(*built.data.ActivePictures[i] == load_bmp_file(dir + built.data.ActivePictureNames[i])) << i;

    // Writing every object back and reading the text again changes nothing.
    SkinIni written;
    for (const auto& o : built.data.SkinObjects)
        o->WriteData(written);
    for (const auto& c : built.data.SkinControls)
        c->WriteData(written);
    SkinIni reread(written.Text());
    SkinIni rewritten;
    for (const auto& o : built.data.SkinObjects) {
        auto copy = CreateSkinObject(o->SkinType(), o->Name);
        copy->ReadData(reread);
        copy->WriteData(rewritten);
    }
    for (const auto& c : built.data.SkinControls) {
        auto copy = CreateSkinControl(c->SkinType(), c->Name);
        copy->ReadData(reread);
        copy->WriteData(rewritten);
    }
    EXPECT_EQ(written.Text(), rewritten.Text());
}

TEST(SkinData, PackageWriterFailuresKeepTheBlock)
{
    namespace fs = std::filesystem;
    fs::path dir = fs::current_path() / "writer";
    fs::create_directories(dir);
    auto write = [&](const char* name, const std::string& text) {
        WriteSkinFile((dir / name).string(), std::vector<std::uint8_t>(text.begin(), text.end()));
    };
    const std::string sections = "[VERSION]\n[FORMINFO]\n[SKINOBJECTS]\n[SKINCONTROLS]\n";
    write("missing-section.ini", "[VERSION]\n[PICTURES]\npicture=nothere.bmp\n[FORMINFO]\n[SKINOBJECTS]\n");
    write("missing-bitmap.ini", sections + "[PICTURES]\npicture=nothere.bmp\n");
    write("fine.ini", sections + "[PICTURES]\nactivepicturescount=1\n0=tiny.bmp\n");
    auto tiny = test::TinyBmp();
    WriteSkinFile((dir / "tiny.bmp").string(), tiny);

    TskCompressedStoredSkin stored(nullptr);
    stored.SetCompressedData({1, 2, 3});
    stored.LoadFromSkinFile((dir / "missing-section.ini").string());
    EXPECT_EQ(stored.CompressedData(), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_THROW(stored.LoadFromSkinFile((dir / "missing-bitmap.ini").string()), std::runtime_error);
    EXPECT_EQ(stored.CompressedData(), (std::vector<std::uint8_t>{1, 2, 3}));
    stored.LoadFromSkinFile((dir / "fine.ini").string());
    std::vector<std::uint8_t> package = InflateSkinBlock(stored.CompressedData());
    SkinPackageContents c;
    ASSERT_TRUE(ParseSkinPackage(package, c));
    EXPECT_EQ(c.version, 3);
    EXPECT_TRUE(c.picture.empty());
    ASSERT_EQ(c.active_picture_bytes.size(), 1u);
    EXPECT_TRUE(std::equal(tiny.begin(), tiny.end(), c.active_picture_bytes[0].begin()));
    std::string text(c.description.begin(), c.description.end());
    EXPECT_EQ(text.substr(0, 11), "[VERSION]\r\n");
    EXPECT_EQ(text.substr(text.size() - 12), "0=tiny.bmp\r\n");
}

TEST(SkinData, StoredForms)
{
    TskCompressedStoredSkin stored(nullptr);
    std::vector<std::uint8_t> block = Compress(Package({}));
    stored.SetCompressedData(block);

    // The component stream's binary property value.
    std::vector<std::uint8_t> stream;
    stored.WriteCompressedData(stream);
    ASSERT_EQ(stream.size(), block.size() + 5);
    EXPECT_EQ(stream[0], 0x0A);
    EXPECT_EQ(load_le32(stream.data() + 1), block.size());
    TskCompressedStoredSkin read_back(nullptr);
    EXPECT_EQ(read_back.ReadCompressedData(stream), stream.size());
    EXPECT_EQ(read_back.CompressedData(), block);
    std::vector<std::uint8_t> short_stream(stream.begin(), stream.end() - 1);
    EXPECT_THROW(read_back.ReadCompressedData(short_stream), std::exception);
    EXPECT_EQ(read_back.CompressedData(), block);

    // The compressed skin file: version 3, length, block.
    std::stringstream file;
    stored.SaveToCompressedStream(file);
    TskCompressedStoredSkin from_file(nullptr);
    from_file.LoadFromCompressedStream(file);
    EXPECT_EQ(from_file.CompressedData(), block);
    std::string bytes = file.str();
    bytes[0] = 4;
    std::stringstream newer(bytes);
    from_file.LoadFromCompressedStream(newer);
    EXPECT_TRUE(from_file.IsEmpty());
    bytes[0] = 3;
    bytes[4] = static_cast<char>(0xFF); // a length beyond the file
    std::stringstream too_long(bytes);
    from_file.LoadFromCompressedStream(too_long);
    EXPECT_TRUE(from_file.IsEmpty());

    // A skin list item stores the file form as its "Skin" property.
    TskSkinListItem item(4);
    EXPECT_EQ(item.Name, "skSkin4");
    item.Skin().SetCompressedData(block);
    std::vector<std::uint8_t> prop;
    item.WriteSkinProperty(prop);
    EXPECT_EQ(prop.size(), block.size() + 13);
    TskSkinListItem other(0);
    other.ReadSkinProperty(prop);
    EXPECT_EQ(other.Skin().CompressedData(), block);
}

TEST(SkinData, SkinListAndIndex)
{
    MessageRecorder rec;
    TskCompressedSkinList list(nullptr);
    list.Add().Skin().SetCompressedData(Compress(Package({})));
    PackageSpec two;
    two.active_count = 2;
    list.Add().Skin().SetCompressedData(Compress(Package(two)));
    TskSkinData data(nullptr);
    data.SetSkinIndex(5); // no list: only stored
    EXPECT_EQ(data.SkinIndex(), 5);
    data.SetSkinIndex(1);
    data.SetSkinList(&list);
    EXPECT_EQ(data.ActivePictures.size(), 2u);
    data.SetSkinIndex(7); // out of range: ignored
    EXPECT_EQ(data.SkinIndex(), 1);
    data.SetSkinIndex(0);
    EXPECT_EQ(data.ActivePictures.size(), 1u);
    rec.messages.clear();
    data.SetSkinnableForm(false);
    data.SetResourceStrData(nullptr);
    EXPECT_EQ(rec.messages, (std::vector<unsigned>{SKM_SKINNABLECHANGE, SKM_RESSTRCHANGE}));
}

TEST(SkinData, DestroyedReferencesAreCleared)
{
    TskSkinData data(nullptr);
    auto stored = std::make_unique<TskCompressedStoredSkin>(nullptr);
    auto strings = std::make_unique<TskResourceStrData>(nullptr);
    data.SetCompressedStoredSkin(stored.get());
    data.SetResourceStrData(strings.get());
    stored.reset();
    strings.reset();
    EXPECT_EQ(data.CompressedStoredSkin(), nullptr);
    EXPECT_EQ(data.ResourceStrData(), nullptr);
}

TEST(ResourceStrings, NamesAndDefaults)
{
    TskResourceStrData strings(nullptr);
    ASSERT_EQ(strings.ResStrings.size(), 130u);
    EXPECT_EQ(strings.ResStrings.front(), "MI_MINCAPTION=Mi&nimize");
    EXPECT_EQ(strings.ResStrings.back(), "DBNAV_REFRESH=Refresh data");
    EXPECT_EQ(strings.CharSet, 1);
    EXPECT_EQ(strings.GetResStr("CLOSEBUTTON_HINT"), "Close");
    EXPECT_EQ(strings.GetResStr("FLV_LOOKIN"), "Look in: ");
    EXPECT_EQ(strings.GetResStr("MI_MIN"), "");
    EXPECT_EQ(strings.GetResStr("NOSUCHNAME"), "");
    strings.ResStrings.push_back("X=a=b");
    EXPECT_EQ(strings.GetResStr("X"), "a=b");
}

} // namespace
} // namespace lt
