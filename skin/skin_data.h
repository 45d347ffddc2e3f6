#pragma once
// The skin components: the compressed stored skin, a list of stored skins,
// the resource strings, and the skin data that loads a stored skin into
// bitmaps and skin objects and announces the change.
//
// Sections:
//   skin messages and their broadcaster
//   TskCompressedStoredSkin   the compressed block and the package writer
//   TskSkinListItem, TskCompressedSkinList
//   skin-wide description records ([FORMINFO], [POPUPWINDOW], ...)
//   TskSkinData               loading, loaded state, object lookup

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "gfx/bitmap.h"
#include "platform/component.h"
#include "skin/skin_messages.h"
#include "skin/skin_objects.h"

namespace lt {

class TskResourceStrData;

// ---------------------------------------------------------------------------
// Skin messages (skin/skin_messages.h) reach the windows through a
// broadcaster, which the layer that knows the forms provides
// (skinned/form_broadcast.h); the program installs it at start-up.

class SkinMessageBroadcaster {
public:
    virtual ~SkinMessageBroadcaster() = default;
    // Delivers one of a skin data's messages synchronously: first to the
    // skin data's owner form, then to every other form in the application's
    // order, with wParam = the skin data and lParam = kSkinMessageLParam.
    virtual void BroadcastSkinMessage(TskSkinData& data, unsigned message) = 0;
    // A load failed after SKM_BEFORECHANGE: the data is cleared, Empty, and
    // no longer Changing, and no SKM_CHANGE follows. Every form must be
    // repainted, frame included, so that none is left drawn half skinned or
    // without a frame.
    virtual void RepaintAfterFailedLoad(TskSkinData& data) = 0;
};
// With none set (the default), messages go nowhere.
void SetSkinMessageBroadcaster(SkinMessageBroadcaster* broadcaster);
SkinMessageBroadcaster* GetSkinMessageBroadcaster();

// ---------------------------------------------------------------------------

class TskCompressedStoredSkin : public TComponent {
public:
    // Binary value type of a property in the component stream.
    static constexpr std::uint8_t kBinaryValueType = 0x0A;

    explicit TskCompressedStoredSkin(TComponent* owner) : TComponent(owner) { }

    std::string Description;
    // Only stored at run time: no file is read when they are set.
    std::string FileName;
    std::string CompressedFileName;

    // The compressed block: one zlib stream, kept for the component's life.
    const std::vector<std::uint8_t>& CompressedData() const { return data_; }
    void SetCompressedData(std::vector<std::uint8_t> block) { data_ = std::move(block); }
    bool IsEmpty() const { return data_.empty(); }

    // The `CompressedData` property value as the component stream holds it:
    // the value type 0x0A, a 32-bit little-endian count and the block.
    // Reading starts at the value type, replaces the block and returns the
    // bytes taken; a wrong type or a count past the end throws and keeps the
    // block.
    std::size_t ReadCompressedData(std::span<const std::uint8_t> stream);
    void WriteCompressedData(std::vector<std::uint8_t>& stream) const;

    // Builds a package from a skin description file and the bitmaps it names
    // and makes it the block. Without all five required sections nothing
    // changes; a bitmap that cannot be read throws and the old block stays.
    void LoadFromSkinFile(const std::string& path);
    // The compressed skin file: version (3 written, up to 3 accepted), a
    // 32-bit length L and L bytes of zlib stream. The block is cleared first;
    // a greater version, or a length the file does not hold, leaves it empty.
    void LoadFromCompressedFile(const std::string& path);
    void LoadFromCompressedStream(std::istream& stream);
    void SaveToCompressedStream(std::ostream& stream) const;

private:
    std::vector<std::uint8_t> data_;
};

// One entry of a skin list; it holds its own stored skin and writes it to the
// component stream as the property "Skin" in the compressed skin file form.
class TskSkinListItem {
public:
    explicit TskSkinListItem(int index);
    std::string Name;
    TskCompressedStoredSkin& Skin() { return *skin_; }
    const TskCompressedStoredSkin& Skin() const { return *skin_; }

    // The "Skin" property value: type 0x0A, a 32-bit count, then the
    // compressed skin file (8-byte header and block).
    std::size_t ReadSkinProperty(std::span<const std::uint8_t> stream);
    void WriteSkinProperty(std::vector<std::uint8_t>& stream) const;

private:
    std::unique_ptr<TskCompressedStoredSkin> skin_;
};

class TskCompressedSkinList : public TComponent {
public:
    explicit TskCompressedSkinList(TComponent* owner) : TComponent(owner) { }
    // Adds an item named "skSkin<index>".
    TskSkinListItem& Add();
    int Count() const { return static_cast<int>(Skins.size()); }
    std::vector<std::unique_ptr<TskSkinListItem>> Skins;
};

// ---------------------------------------------------------------------------
// Texts the engine shows, as NAME=text lines.

class TskResourceStrData : public TComponent {
public:
    explicit TskResourceStrData(TComponent* owner);
    // 130 lines at creation, one per name, in the default order.
    std::vector<std::string> ResStrings;
    int CharSet = 1;
    // The text after the first "=" of the line for `name`, or "".
    std::string GetResStr(const std::string& name) const;
};

// The default NAME=text lines, in order.
const std::vector<std::string>& DefaultResourceStrings();

// ---------------------------------------------------------------------------
// Skin-wide description records. Field names are the keys.

struct TskSkinFormInfo {
    Point lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint;
    Rect clientrect;
    std::int32_t bgpictureindex = -1, mdibgpictureindex = -1;
    bool leftstretch = false, rightstretch = false, topstretch = false, bottomstretch = false;
    bool stretcheffect = false;
    TStretchType stretchtype = stFull;
    bool mdibgstretcheffect = false;
    TStretchType mdibgstretchtype = stFull;
    Rect maskrectarea;
    Point hittestlefttoppoint, hittestrighttoppoint, hittestleftbottompoint, hittestrightbottompoint;
    Rect buttonsrect, captionrect;
    std::int32_t buttonsoffset = 0;
    bool buttonsinleft = false, mainmenupopupup = false;
    std::int32_t borderwidth = 0, formminwidth = 0;
    bool mditabstransparent = false, mainmenubartransparent = false, autorenderinginactiveimage = false;
    TInactiveEffect inactiveeffect = ieBrightness;

    void Fields(SkinFieldVisitor& v);
    // The adjustments made right after reading: the mask area and hit-test
    // corners of a shaped frame, then the corner points pulled into the
    // client rectangle.
    void Adjust(bool has_mask);
};

// [POPUPWINDOW]: the frame of the popup menu windows (the windows
// themselves are the skinned layer's TskSkinPopupWindow).
struct TskSkinPopupWindowInfo {
    std::int32_t windowpictureindex = -1, maskpictureindex = -1;
    Point lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint;
    Rect itemsrect;
    Color scrollmarkercolor = 0, scrollmarkeractivecolor = 0;
    bool leftstretch = false, rightstretch = false, topstretch = false, bottomstretch = false;
    bool stretcheffect = false;
    TStretchType stretchtype = stFull;

    void Fields(SkinFieldVisitor& v);
};

struct TskSkinHintWindow {
    std::int32_t windowpictureindex = -1, maskpictureindex = -1;
    Point lefttoppoint, righttoppoint, leftbottompoint, rightbottompoint;
    Rect clientrect;
    std::string fontname = "Arial";
    std::int32_t fontheight = 14;
    TFontStyles fontstyle = 0;
    Color fontcolor = 0;
    bool leftstretch = false, rightstretch = false, topstretch = false, bottomstretch = false;
    bool stretcheffect = false;
    TStretchType stretchtype = stFull;

    void Fields(SkinFieldVisitor& v);
};

// All zero until the first load, which resets them to the system colours;
// a description's missing keys keep those.
struct TskSkinColors {
    Color cbtnface = 0, cbtntext = 0, cwindow = 0, cwindowtext = 0;
    Color chighlight = 0, chighlighttext = 0, cbtnhighlight = 0, cbtnshadow = 0;

    void Fields(SkinFieldVisitor& v);
    void SetSystemDefaults();
};

// ---------------------------------------------------------------------------

class TskSkinData : public TComponent {
public:
    explicit TskSkinData(TComponent* owner);
    ~TskSkinData() override;

    // Published properties.
    bool SkinnableForm() const { return skinnable_form_; }
    void SetSkinnableForm(bool value);
    bool EnableSkinEffects = true;
    TskCompressedStoredSkin* CompressedStoredSkin() const { return stored_skin_; }
    // Loads the skin at once; null only clears the reference.
    void SetCompressedStoredSkin(TskCompressedStoredSkin* value);
    TskResourceStrData* ResourceStrData() const { return res_str_data_; }
    void SetResourceStrData(TskResourceStrData* value);
    TskCompressedSkinList* SkinList() const { return skin_list_; }
    void SetSkinList(TskCompressedSkinList* value);
    int SkinIndex() const { return skin_index_; }
    void SetSkinIndex(int value);

    // Set by the form reader while the component stream is read: property
    // setters then only store their values.
    bool ReadingFromStream = false;

    // Loads the skin of `source`. An empty block changes nothing. Bad data
    // throws (EDecompressionError, the bitmap reader's error, EReadError)
    // and leaves the data cleared and Empty; a package version above 3
    // leaves the same state without an exception. Either way Changing is
    // cleared again and every form repainted, with no SKM_CHANGE.
    void LoadCompressedSkin(TskCompressedStoredSkin* source);
    // The same load from a package that is already inflated (tools, fuzzing).
    void LoadSkinPackage(std::span<const std::uint8_t> package);
    void BroadcastSkinMessage(unsigned message);

    // The first object with exactly this name (case-sensitive), or -1.
    int FindSkinObject(std::string_view name) const;
    int FindSkinControl(std::string_view name) const;

    // Loaded state.
    bool Empty = true;
    bool Changing = false;
    Bitmap Picture, InactivePicture, MaskPicture;
    std::vector<std::unique_ptr<Bitmap>> ActivePictures;
    std::string PictureName, InactivePictureName, MaskPictureName;
    std::vector<std::string> ActivePictureNames;
    std::string skinname, skinauthor, authoremail, authorurl, skincomments;
    TskSkinFormInfo FormInfo;
    TskSkinPopupWindowInfo PopupWindow;
    TskSkinHintWindow HintWindow;
    TskSkinColors SkinColors;
    std::vector<std::unique_ptr<TskDataSkinObject>> SkinObjects;
    std::vector<std::unique_ptr<TskDataSkinControl>> SkinControls;

    // The active picture with this number, or null for -1 and any number
    // outside the list.
    const Bitmap* ActivePicture(std::int32_t index) const;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    void ClearSkin();
    void BeginLoad();
    // Reads a whole package; false for a version above 3.
    bool ReadPackage(std::span<const std::uint8_t> package);
    void FinishLoad();
    void FailLoad();
    void ReadDescription(const SkinIni& ini);
    void LoadListItem();

    bool skinnable_form_ = true;
    TskCompressedStoredSkin* stored_skin_ = nullptr;
    TskResourceStrData* res_str_data_ = nullptr;
    TskCompressedSkinList* skin_list_ = nullptr;
    int skin_index_ = 0;
};

} // namespace lt
