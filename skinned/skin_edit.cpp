// The skinned edit box: the look of a state, the skin binding, the frame and
// text background, the font and colours, and the context menu.

#include "skinned/skin_edit.h"

#include <algorithm>

#include "forms/forms.h"
#include "platform/desktop.h"
#include "platform/window.h"
#include "skinned/composition.h"
#include "skinned/skin_control.h"
#include "skinned/skin_menu.h"

namespace lt {

// ---- the look of a state ----------------------------------------------------

Rect EditFaceRect(const TskDataSkinEditControl& object, bool active)
{
    return active && !object.activeskinrect.empty() ? object.activeskinrect : object.skinrect;
}

Color EditTextColor(const TskDataSkinEditControl& object, bool enabled, bool active)
{
    if (!enabled)
        return object.disabledfontcolor;
    return active ? object.activefontcolor : object.fontcolor;
}

Rect EditBorder(const TskDataSkinEditControl& object)
{
    const Rect& c = object.clientrect;
    const Size skin = object.skinrect.size();
    return {std::max(c.left, 0), std::max(c.top, 0), std::max(skin.width - c.right, 0),
        std::max(skin.height - c.bottom, 0)};
}

namespace {

// The plain look's border: a button-face and a button-shadow line.
constexpr Rect kPlainBorder{2, 2, 2, 2};

// The context menu, in order; a row without a name is a separator.
struct MenuRow {
    const char* name;
    const char* fallback;
    EditCommand command;
};
constexpr MenuRow kMenuRows[] = {
    {"EDIT_UNDO", "Undo", EditCommand::Undo},
    {nullptr, "-", EditCommand::Undo},
    {"EDIT_CUT", "Cut", EditCommand::Cut},
    {"EDIT_COPY", "Copy", EditCommand::Copy},
    {"EDIT_PASTE", "Paste", EditCommand::Paste},
    {"EDIT_DELETE", "Delete", EditCommand::Delete},
    {nullptr, "-", EditCommand::Undo},
    {"EDIT_SELECTALL", "Select All", EditCommand::SelectAll},
};

} // namespace

// ---- TskSkinEdit ------------------------------------------------------------

TskSkinEdit::TskSkinEdit(TComponent* owner) : TCustomEdit(owner), default_font_(std::make_unique<TFont>())
{
    default_font_->SetDesc(FontDesc{"Arial", 14, false, false, false, false, DEFAULT_CHARSET, clWindowText});
    default_font_->OnChange = [this](TFont*) {
        if (!Skinned()) {
            Resized();
            Invalidate();
        }
    };
    // The border is this control's own non-client area, in both looks.
    SetClientEdge(false);
}

TskSkinEdit::~TskSkinEdit()
{
    // While this box is whole: an open menu of it closes and tells its opener.
    delete menu_;
}

const TskDataSkinEditControl* TskSkinEdit::SkinObject() const
{
    return skin_.Object<TskDataSkinEditControl>(index_);
}

void TskSkinEdit::FetchSkinObject()
{
    index_ = skin_.Find();
    if (!SkinObject())
        index_ = -1;
}

void TskSkinEdit::SetSkinData(TskSkinData* data)
{
    skin_.Set(data);
    if (data && !data->Empty)
        ApplySkin();
}

void TskSkinEdit::ApplySkin()
{
    FetchSkinObject();
    int width = Width(), height = Height();
    if (const TskDataSkinEditControl* object = SkinObject()) {
        if (!object->skinrect.empty())
            height = object->skinrect.height();
    } else {
        if (DefaultWidth > 0)
            width = DefaultWidth;
        if (DefaultHeight > 0)
            height = DefaultHeight;
    }
    if (width != Width() || height != Height())
        TCustomEdit::SetBounds(Left(), Top(), width, height);
    // The border may have changed without the size.
    if (Window* w = WindowHandle())
        w->recalc_frame();
    Resized();
    Invalidate();
}

void TskSkinEdit::ForgetSkin()
{
    index_ = -1;
}

void TskSkinEdit::SetDefaultColor(Color c)
{
    if (c == default_color_)
        return;
    default_color_ = c;
    if (!Skinned())
        Invalidate();
}

void TskSkinEdit::SetUseSkinFont(bool on)
{
    if (on == use_skin_font_)
        return;
    use_skin_font_ = on;
    Resized();
    Invalidate();
}

bool TskSkinEdit::Active() const
{
    return Enabled() && (hot_ || Focused());
}

void TskSkinEdit::SetHot(bool on)
{
    if (on == hot_)
        return;
    hot_ = on;
    Invalidate();
}

void TskSkinEdit::SetBounds(int left, int top, int width, int height)
{
    FetchSkinObject();
    if (const TskDataSkinEditControl* object = SkinObject(); object && !object->skinrect.empty())
        height = object->skinrect.height();
    TCustomEdit::SetBounds(left, top, width, height);
}

void TskSkinEdit::SetEnabled(bool on)
{
    TCustomEdit::SetEnabled(on);
    Invalidate();
}

// ---- look ----

const Bitmap* TskSkinEdit::Picture(const TskDataSkinEditControl& object) const
{
    return SkinData() ? SkinData()->ActivePicture(object.pictureindex) : nullptr;
}

Rect TskSkinEdit::Border() const
{
    if (const TskDataSkinEditControl* object = SkinObject())
        return EditBorder(*object);
    return kPlainBorder;
}

void TskSkinEdit::PaintFace(Canvas& canvas)
{
    const Rect all{0, 0, Width(), Height()};
    if (const TskDataSkinEditControl* object = SkinObject()) {
        const Bitmap* picture = Picture(*object);
        if (!picture || object->skinrect.empty()) {
            canvas.fill_rect(all, default_color_);
            return;
        }
        const int left = object->lefttoppoint.x;
        const int right = object->skinrect.width() - object->righttoppoint.x;
        ComposeHorizontal(
            canvas, *picture, EditFaceRect(*object, Active()), left, right, Width(), object->stretcheffect);
        return;
    }
    canvas.frame_rect(all, clBtnFace);
    canvas.frame_rect(all.inflated(-1, -1), clBtnShadow);
    canvas.fill_rect(all.inflated(-2, -2), default_color_);
}

void TskSkinEdit::PaintBackground(Canvas& canvas, const Rect& client_rect)
{
    // The part of the whole image that lies under the text area.
    Window* w = WindowHandle();
    const Point client = w ? w->client_in_window().top_left() : Border().top_left();
    CanvasSaver keep(canvas);
    canvas.intersect_clip(client_rect);
    canvas.move_origin(-client.x, -client.y);
    PaintFace(canvas);
}

FontDesc TskSkinEdit::TextFont() const
{
    FontDesc desc;
    if (const TskDataSkinEditControl* object = SkinObject())
        desc = use_skin_font_ ? WithSkinFont(Font().Desc(), object->fontname, object->fontheight, object->fontstyle)
                              : Font().Desc();
    else
        desc = default_font_->Desc();
    if (SkinData() && SkinData()->ResourceStrData())
        desc.charset = SkinData()->ResourceStrData()->CharSet;
    return desc;
}

Color TskSkinEdit::TextColor() const
{
    if (const TskDataSkinEditControl* object = SkinObject())
        return EditTextColor(*object, Enabled(), Active());
    return Enabled() ? default_font_->GetColor() : clGrayText;
}

// ---- messages ----

LResult TskSkinEdit::WndProc(Message& m)
{
    switch (m.msg) {
    case WM_NCCALCSIZE: {
        Rect& r = message_rect(m);
        const Rect b = Border();
        r.left += b.left;
        r.top += b.top;
        r.right = std::max(r.right - b.right, r.left);
        r.bottom = std::max(r.bottom - b.bottom, r.top);
        return 0;
    }
    case WM_NCPAINT:
        // Every paint looks the object up again: a skin reloaded since
        // never lends its freed pictures.
        FetchSkinObject();
        PaintFace(message_canvas(m));
        return 0;
    case WM_PAINT:
        FetchSkinObject();
        break;
    case WM_RBUTTONUP: {
        const Point at = lparam_point(m.lparam);
        std::shared_ptr<bool> alive = alive_;
        LResult result = TCustomEdit::WndProc(m);
        if (*alive && !PopupMenu)
            PopupContextMenu(ClientToScreen(at));
        return result;
    }
    default:
        break;
    }
    return TCustomEdit::WndProc(m);
}

void TskSkinEdit::KeyDown(int& key, TShiftState shift)
{
    std::shared_ptr<bool> alive = alive_;
    TCustomEdit::KeyDown(key, shift);
    if (!*alive || key != VK_APPS || PopupMenu)
        return;
    key = 0;
    PopupContextMenu(ClientToScreen({ClientWidth() / 2, ClientHeight() / 2}));
}

void TskSkinEdit::MouseEnter()
{
    SetHot(true);
    TCustomEdit::MouseEnter();
}

void TskSkinEdit::MouseLeave()
{
    SetHot(false);
    TCustomEdit::MouseLeave();
}

void TskSkinEdit::Notification(TComponent* component, TOperation operation)
{
    TCustomEdit::Notification(component, operation);
    if (operation == TOperation::opRemove && component == menu_)
        menu_ = nullptr;
    if (skin_.Dropped(component, operation)) {
        ForgetSkin();
        if (Window* w = WindowHandle())
            w->recalc_frame();
        Invalidate();
    }
}

// ---- the context menu ----

bool TskSkinEdit::CommandEnabled(EditCommand command) const
{
    const EditModel& model = Model();
    switch (command) {
    case EditCommand::Undo:
        return CanUndo();
    case EditCommand::Cut:
    case EditCommand::Delete:
        return model.has_selection() && !ReadOnly();
    case EditCommand::Copy:
        return model.has_selection();
    case EditCommand::Paste: {
        Desktop* desktop = Desktop::current();
        return !ReadOnly() && desktop && !desktop->clipboard_text().empty();
    }
    case EditCommand::SelectAll:
        return model.sel_start() != 0 || model.sel_end() != model.text().size();
    }
    return false;
}

void TskSkinEdit::RunCommand(EditCommand command)
{
    switch (command) {
    case EditCommand::Undo:
        Undo();
        break;
    case EditCommand::Cut:
        CutToClipboard();
        break;
    case EditCommand::Copy:
        CopyToClipboard();
        break;
    case EditCommand::Paste:
        PasteFromClipboard();
        break;
    case EditCommand::Delete:
        ClearSelection();
        break;
    case EditCommand::SelectAll:
        SelectAll();
        break;
    }
}

std::string TskSkinEdit::MenuText(const char* name, const char* fallback) const
{
    // The texts of the form's skin data (its frame's), else of this box's.
    TskSkinData* data = nullptr;
    if (SkinMenuFrame* frame = FindSkinMenuFrame(GetParentForm()))
        data = frame->FrameSkinData();
    if (!data)
        data = SkinData();
    if (data && data->ResourceStrData()) {
        std::string text = data->ResourceStrData()->GetResStr(name);
        if (!text.empty())
            return text;
    }
    return fallback;
}

void TskSkinEdit::PopupContextMenu(Point screen)
{
    delete menu_;
    menu_ = new TskSkinPopupMenu(this);
    menu_->SetPopupForm(GetParentForm());
    for (const MenuRow& row : kMenuRows) {
        auto* item = new TMenuItem(nullptr);
        if (!row.name) {
            item->Caption = row.fallback;
        } else {
            item->Caption = MenuText(row.name, row.fallback);
            item->Enabled = CommandEnabled(row.command);
            item->OnClick = [this, command = row.command](TMenuItem*) { RunCommand(command); };
        }
        menu_->Items()->Add(item);
    }
    menu_->PopupForEdit(this, screen.x, screen.y);
}

} // namespace lt
