#include "skin/skin_data.h"

#include <istream>
#include <ostream>

#include "gfx/little_endian.h"
#include "skin/skin_package.h"

namespace lt {

// ---------------------------------------------------------------------------
// Broadcaster

namespace {
SkinMessageBroadcaster* g_broadcaster = nullptr;

// A binary property value: type byte, 32-bit count, bytes. Returns the bytes.
std::span<const std::uint8_t> read_binary_value(std::span<const std::uint8_t> stream, std::size_t& consumed)
{
    if (stream.size() < 5 || stream[0] != TskCompressedStoredSkin::kBinaryValueType)
        throw std::runtime_error("Invalid property value");
    std::uint32_t count = load_le32(stream.data() + 1);
    if (count > stream.size() - 5)
        throw EReadError();
    consumed = 5 + std::size_t{count};
    return stream.subspan(5, count);
}

// The compressed skin file form: version, length, block. A version above 3
// or a length beyond the bytes gives an empty block.
std::vector<std::uint8_t> block_from_compressed_file(std::span<const std::uint8_t> file)
{
    if (file.size() < 8)
        return {};
    auto version = load_le32s(file.data());
    auto length = load_le32s(file.data() + 4);
    if (version > kSkinPackageVersion || length < 0 || static_cast<std::size_t>(length) > file.size() - 8)
        return {};
    return {file.begin() + 8, file.begin() + 8 + length};
}

std::vector<std::uint8_t> compressed_file_from_block(const std::vector<std::uint8_t>& block)
{
    std::vector<std::uint8_t> out;
    append_le32(out, static_cast<std::uint32_t>(kSkinPackageVersion));
    append_le32(out, static_cast<std::uint32_t>(block.size()));
    out.insert(out.end(), block.begin(), block.end());
    return out;
}
} // namespace

void SetSkinMessageBroadcaster(SkinMessageBroadcaster* broadcaster)
{
    g_broadcaster = broadcaster;
}
SkinMessageBroadcaster* GetSkinMessageBroadcaster()
{
    return g_broadcaster;
}

// ---------------------------------------------------------------------------
// TskCompressedStoredSkin

std::size_t TskCompressedStoredSkin::ReadCompressedData(std::span<const std::uint8_t> stream)
{
    std::size_t consumed = 0;
    auto bytes = read_binary_value(stream, consumed);
    data_.assign(bytes.begin(), bytes.end());
    return consumed;
}

void TskCompressedStoredSkin::WriteCompressedData(std::vector<std::uint8_t>& stream) const
{
    stream.push_back(kBinaryValueType);
    append_le32(stream, static_cast<std::uint32_t>(data_.size()));
    stream.insert(stream.end(), data_.begin(), data_.end());
}

void TskCompressedStoredSkin::LoadFromSkinFile(const std::string& path)
{
    std::optional<std::vector<std::uint8_t>> package = BuildSkinPackage(path);
    if (!package)
        return;
    data_ = DeflateSkinPackage(*package);
}

void TskCompressedStoredSkin::LoadFromCompressedFile(const std::string& path)
{
    data_.clear();
    data_ = block_from_compressed_file(ReadSkinFile(path));
}

void TskCompressedStoredSkin::LoadFromCompressedStream(std::istream& stream)
{
    data_.clear();
    stream.clear();
    stream.seekg(0);
    std::vector<std::uint8_t> file((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
    data_ = block_from_compressed_file(file);
}

void TskCompressedStoredSkin::SaveToCompressedStream(std::ostream& stream) const
{
    std::vector<std::uint8_t> file = compressed_file_from_block(data_);
    stream.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
}

// ---------------------------------------------------------------------------
// Skin list

TskSkinListItem::TskSkinListItem(int index)
    : Name("skSkin" + std::to_string(index)), skin_(std::make_unique<TskCompressedStoredSkin>(nullptr))
{ }

std::size_t TskSkinListItem::ReadSkinProperty(std::span<const std::uint8_t> stream)
{
    std::size_t consumed = 0;
    auto file = read_binary_value(stream, consumed);
    skin_->SetCompressedData(block_from_compressed_file(file));
    return consumed;
}

void TskSkinListItem::WriteSkinProperty(std::vector<std::uint8_t>& stream) const
{
    std::vector<std::uint8_t> file = compressed_file_from_block(skin_->CompressedData());
    stream.push_back(TskCompressedStoredSkin::kBinaryValueType);
    append_le32(stream, static_cast<std::uint32_t>(file.size()));
    stream.insert(stream.end(), file.begin(), file.end());
}

TskSkinListItem& TskCompressedSkinList::Add()
{
    Skins.push_back(std::make_unique<TskSkinListItem>(Count()));
    return *Skins.back();
}

// ---------------------------------------------------------------------------
// Skin-wide records

#define INT(f) v.Integer(#f, f)
#define COLOR(f) v.ColorValue(#f, f)
#define FLAG(f) v.Flag(#f, f)
#define RECT(f) v.RectValue(#f, f)
#define POINT(f) v.PointValue(#f, f)
#define CORNERS()                                                                                                      \
    POINT(lefttoppoint);                                                                                               \
    POINT(righttoppoint);                                                                                              \
    POINT(leftbottompoint);                                                                                            \
    POINT(rightbottompoint)
#define STRETCHES()                                                                                                    \
    FLAG(leftstretch);                                                                                                 \
    FLAG(rightstretch);                                                                                                \
    FLAG(topstretch);                                                                                                  \
    FLAG(bottomstretch)

void TskSkinFormInfo::Fields(SkinFieldVisitor& v)
{
    CORNERS();
    RECT(clientrect);
    INT(bgpictureindex);
    INT(mdibgpictureindex);
    STRETCHES();
    FLAG(stretcheffect);
    v.StretchType("stretchtype", stretchtype);
    FLAG(mdibgstretcheffect);
    v.StretchType("mdibgstretchtype", mdibgstretchtype);
    RECT(maskrectarea);
    POINT(hittestlefttoppoint);
    POINT(hittestrighttoppoint);
    POINT(hittestleftbottompoint);
    POINT(hittestrightbottompoint);
    RECT(buttonsrect);
    RECT(captionrect);
    INT(buttonsoffset);
    FLAG(buttonsinleft);
    FLAG(mainmenupopupup);
    INT(borderwidth);
    INT(formminwidth);
    FLAG(mditabstransparent);
    FLAG(mainmenubartransparent);
    FLAG(autorenderinginactiveimage);
    v.InactiveEffect("inactiveeffect", inactiveeffect);
}

void TskSkinFormInfo::Adjust(bool has_mask)
{
    if (has_mask) {
        maskrectarea = maskrectarea.empty() ? clientrect : maskrectarea.united(clientrect);
        auto fill = [](Point& hit, const Point& corner) {
            if (hit.x == 0)
                hit.x = corner.x;
            if (hit.y == 0)
                hit.y = corner.y;
        };
        fill(hittestlefttoppoint, lefttoppoint);
        fill(hittestrighttoppoint, righttoppoint);
        fill(hittestleftbottompoint, leftbottompoint);
        fill(hittestrightbottompoint, rightbottompoint);
    }
    if (rightbottompoint.x == lefttoppoint.x || rightbottompoint.y == lefttoppoint.y)
        return;
    const Rect& c = clientrect;
    lefttoppoint = {std::max(lefttoppoint.x, c.left), std::max(lefttoppoint.y, c.top)};
    righttoppoint = {std::min(righttoppoint.x, c.right), std::max(righttoppoint.y, c.top)};
    leftbottompoint = {std::max(leftbottompoint.x, c.left), std::min(leftbottompoint.y, c.bottom)};
    rightbottompoint = {std::min(rightbottompoint.x, c.right), std::min(rightbottompoint.y, c.bottom)};
}

void TskSkinPopupWindowInfo::Fields(SkinFieldVisitor& v)
{
    INT(windowpictureindex);
    INT(maskpictureindex);
    CORNERS();
    RECT(itemsrect);
    COLOR(scrollmarkercolor);
    COLOR(scrollmarkeractivecolor);
    STRETCHES();
    FLAG(stretcheffect);
    v.StretchType("stretchtype", stretchtype);
}

void TskSkinHintWindow::Fields(SkinFieldVisitor& v)
{
    INT(windowpictureindex);
    INT(maskpictureindex);
    CORNERS();
    RECT(clientrect);
    v.String("fontname", fontname);
    INT(fontheight);
    v.FontStyle("fontstyle", fontstyle);
    COLOR(fontcolor);
    STRETCHES();
    FLAG(stretcheffect);
    v.StretchType("stretchtype", stretchtype);
}

void TskSkinColors::Fields(SkinFieldVisitor& v)
{
    COLOR(cbtnface);
    COLOR(cbtntext);
    COLOR(cwindow);
    COLOR(cwindowtext);
    COLOR(chighlight);
    COLOR(chighlighttext);
    COLOR(cbtnhighlight);
    COLOR(cbtnshadow);
}

void TskSkinColors::SetSystemDefaults()
{
    *this = TskSkinColors{
        clBtnFace, clBtnText, clWindow, clWindowText, clHighlight, clHighlightText, clBtnHighlight, clBtnShadow};
}

#undef INT
#undef COLOR
#undef FLAG
#undef RECT
#undef POINT
#undef CORNERS
#undef STRETCHES

// ---------------------------------------------------------------------------
// TskSkinData

TskSkinData::TskSkinData(TComponent* owner) : TComponent(owner)
{ }

TskSkinData::~TskSkinData() = default;

void TskSkinData::SetSkinnableForm(bool value)
{
    if (value == skinnable_form_)
        return;
    skinnable_form_ = value;
    if (!ReadingFromStream)
        BroadcastSkinMessage(SKM_SKINNABLECHANGE);
}

void TskSkinData::SetCompressedStoredSkin(TskCompressedStoredSkin* value)
{
    if (stored_skin_)
        RemoveFreeNotification(stored_skin_);
    stored_skin_ = value;
    if (!value)
        return;
    FreeNotification(value);
    LoadCompressedSkin(value);
}

void TskSkinData::SetResourceStrData(TskResourceStrData* value)
{
    if (res_str_data_)
        RemoveFreeNotification(res_str_data_);
    res_str_data_ = value;
    if (value)
        FreeNotification(value);
    BroadcastSkinMessage(SKM_RESSTRCHANGE);
}

void TskSkinData::SetSkinList(TskCompressedSkinList* value)
{
    if (skin_list_)
        RemoveFreeNotification(skin_list_);
    skin_list_ = value;
    if (!value)
        return;
    FreeNotification(value);
    LoadListItem();
}

void TskSkinData::SetSkinIndex(int value)
{
    if (value == skin_index_)
        return;
    if (!skin_list_) {
        skin_index_ = value;
        return;
    }
    if (value < 0 || value >= skin_list_->Count())
        return;
    skin_index_ = value;
    LoadListItem();
}

void TskSkinData::LoadListItem()
{
    if (skin_index_ >= 0 && skin_index_ < skin_list_->Count())
        LoadCompressedSkin(&skin_list_->Skins[static_cast<std::size_t>(skin_index_)]->Skin());
}

void TskSkinData::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation != TOperation::opRemove)
        return;
    if (component == stored_skin_)
        stored_skin_ = nullptr;
    if (component == res_str_data_)
        res_str_data_ = nullptr;
    if (component == skin_list_)
        skin_list_ = nullptr;
}

void TskSkinData::BroadcastSkinMessage(unsigned message)
{
    if (g_broadcaster)
        g_broadcaster->BroadcastSkinMessage(*this, message);
}

int TskSkinData::FindSkinObject(std::string_view name) const
{
    for (std::size_t i = 0; i < SkinObjects.size(); ++i)
        if (SkinObjects[i]->Name == name)
            return static_cast<int>(i);
    return -1;
}

int TskSkinData::FindSkinControl(std::string_view name) const
{
    for (std::size_t i = 0; i < SkinControls.size(); ++i)
        if (SkinControls[i]->Name == name)
            return static_cast<int>(i);
    return -1;
}

const Bitmap* TskSkinData::ActivePicture(std::int32_t index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= ActivePictures.size())
        return nullptr;
    return ActivePictures[static_cast<std::size_t>(index)].get();
}

void TskSkinData::ClearSkin()
{
    SkinObjects.clear();
    SkinControls.clear();
    ActivePictures.clear();
    PopupWindow.windowpictureindex = PopupWindow.maskpictureindex = -1;
    HintWindow.windowpictureindex = HintWindow.maskpictureindex = -1;
    ActivePictureNames.clear();
    SkinColors.SetSystemDefaults();
    Picture = Bitmap();
    InactivePicture = Bitmap();
    MaskPicture = Bitmap();
    PictureName.clear();
    MaskPictureName.clear();
}

void TskSkinData::LoadCompressedSkin(TskCompressedStoredSkin* source)
{
    if (!source || source->IsEmpty())
        return;
    BeginLoad();
    bool loaded = false;
    try {
        loaded = ReadPackage(InflateSkinBlock(source->CompressedData()));
    } catch (...) {
        FailLoad();
        throw;
    }
    loaded ? FinishLoad() : FailLoad();
}

void TskSkinData::LoadSkinPackage(std::span<const std::uint8_t> package)
{
    BeginLoad();
    bool loaded = false;
    try {
        loaded = ReadPackage(package);
    } catch (...) {
        FailLoad();
        throw;
    }
    loaded ? FinishLoad() : FailLoad();
}

void TskSkinData::BeginLoad()
{
    Empty = true;
    Changing = true;
    BroadcastSkinMessage(SKM_BEFORECHANGE);
    ClearSkin();
}

void TskSkinData::FinishLoad()
{
    Empty = false;
    BroadcastSkinMessage(SKM_CHANGE);
    Changing = false;
    BroadcastSkinMessage(SKM_AFTERCHANGE);
}

// Nothing stays half loaded, and no window is left waiting for a skin that
// will not come: the frames paint their default look again.
void TskSkinData::FailLoad()
{
    ClearSkin();
    Changing = false;
    if (g_broadcaster)
        g_broadcaster->RepaintAfterFailedLoad(*this);
}

bool TskSkinData::ReadPackage(std::span<const std::uint8_t> package)
{
    SkinPackageContents contents;
    if (!ParseSkinPackage(package, contents))
        return false;
    Picture = std::move(contents.picture);
    InactivePicture = std::move(contents.inactive_picture);
    MaskPicture = std::move(contents.mask_picture);
    ActivePictures.reserve(contents.active_pictures.size());
    for (Bitmap& b : contents.active_pictures)
        ActivePictures.push_back(std::make_unique<Bitmap>(std::move(b)));
    SkinIni ini(
        std::string_view(reinterpret_cast<const char*>(contents.description.data()), contents.description.size()));
    ReadDescription(ini);
    return true;
}

void TskSkinData::ReadDescription(const SkinIni& ini)
{
    skinname = ini.ReadString("VERSION", "skinname", "");
    skinauthor = ini.ReadString("VERSION", "skinauthor", "");
    authoremail = ini.ReadString("VERSION", "authoremail", "");
    authorurl = ini.ReadString("VERSION", "authorurl", "");
    skincomments = ini.ReadString("VERSION", "skincomments", "");
    PictureName = ini.ReadString("PICTURES", "picture", "");
    InactivePictureName = ini.ReadString("PICTURES", "inactivepicture", "");
    MaskPictureName = ini.ReadString("PICTURES", "mask", "");
    ActivePictureNames = ini.ReadStringList("PICTURES", "activepictures");

    // Each record is read fresh: a missing key keeps the record's default.
    FormInfo = TskSkinFormInfo{};
    SkinFieldReader form(ini, "FORMINFO");
    FormInfo.Fields(form);
    FormInfo.Adjust(!MaskPictureName.empty());
    PopupWindow = TskSkinPopupWindowInfo{};
    SkinFieldReader popup(ini, "POPUPWINDOW");
    PopupWindow.Fields(popup);
    HintWindow = TskSkinHintWindow{};
    SkinFieldReader hint(ini, "HINTWINDOW");
    HintWindow.Fields(hint);
    SkinColors.SetSystemDefaults();
    SkinFieldReader colors(ini, "SKINCOLORS");
    SkinColors.Fields(colors);

    // Each entry is "name:type"; an entry without ":" or of an unknown type
    // creates nothing.
    auto read_list = [&ini](const char* section, auto create, auto& list) {
        for (const std::string& entry : ini.ReadStringList(section, "")) {
            std::size_t colon = entry.find(':');
            if (colon == std::string::npos)
                continue;
            auto object = create(std::string_view(entry).substr(colon + 1), entry.substr(0, colon));
            if (!object)
                continue;
            object->ReadData(ini);
            list.push_back(std::move(object));
        }
    };
    read_list("SKINOBJECTS", CreateSkinObject, SkinObjects);
    read_list("SKINCONTROLS", CreateSkinControl, SkinControls);
}

} // namespace lt
