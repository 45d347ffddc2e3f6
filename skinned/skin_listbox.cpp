// The skinned list box: the look of a row, the type-ahead text, the inner
// list (events offered to the owner, repaints limited to what a row
// operation moved) and the skinned control around it (layout, the scroll
// bar that comes and goes with the rows, painting).

#include "skinned/skin_listbox.h"

#include <algorithm>

#include "forms/cp936_chars.h"
#include "forms/menus.h"
#include "gfx/draw_text.h"
#include "platform/desktop.h"
#include "platform/window.h"
#include "skinned/skin_scrollbar.h"
#include "text/ascii.h"
#include "text/cp936.h"

namespace lt {

namespace {

Rect Or(const Rect& r, const Rect& fallback)
{
    return r.empty() ? fallback : r;
}

} // namespace

// ---- row looks ------------------------------------------------------------------

ListRowLook SkinListRowLook(const TskDataSkinListBox& o, bool skin_row_height, bool selected, bool focused, Size row)
{
    const Rect plain = o.itemrect;
    const Rect active = Or(o.activeitemrect, plain);
    const Rect focus = Or(o.focusitemrect, plain);
    ListRowLook look;
    look.text_rect = o.itemtextrect;
    look.text_rect.right += row.width - plain.width();
    if (!skin_row_height) {
        look.image = focused ? focus : selected ? active : plain;
        look.text_rect.bottom += row.height - plain.height();
        look.text_color = focused ? o.focusfontcolor : selected ? o.activefontcolor : o.fontcolor;
        look.focus_rect = focused && o.showfocus;
        return look;
    }
    look.three_piece = true;
    if (focused && !selected) {
        look.image = plain;
        look.focus_rect = true;
    } else if (focused) {
        look.image = focus;
    } else if (selected) {
        look.image = active;
    } else {
        look.image = plain;
    }
    look.stretch = o.stretcheffect && (selected || focused);
    look.text_color = focused && selected ? o.focusfontcolor : selected ? o.activefontcolor : o.fontcolor;
    look.focus_rect = look.focus_rect || (focused && o.showfocus);
    return look;
}

// ---- type-ahead -----------------------------------------------------------------

bool TypeAheadText::Feed(unsigned char byte, std::int64_t now_ms)
{
    restarted_ = !any_ || now_ms - last_ms_ >= kPauseMs;
    if (restarted_) {
        text_.clear();
        lead_ = -1;
    }
    any_ = true;
    last_ms_ = now_ms;
    if (byte == 8) {
        lead_ = -1;
        if (!text_.empty())
            text_.resize(cp936::prev_boundary(text_, text_.size()));
        return true;
    }
    if (lead_ >= 0) {
        text_.push_back(static_cast<char>(lead_));
        text_.push_back(static_cast<char>(byte));
        lead_ = -1;
        return true;
    }
    if (cp936_is_lead(byte)) {
        lead_ = byte;
        return false;
    }
    text_.push_back(static_cast<char>(byte));
    return true;
}

void TypeAheadText::Reset()
{
    text_.clear();
    any_ = false;
    restarted_ = false;
    lead_ = -1;
}

std::uint32_t RowPrefixKey(std::string_view text)
{
    std::uint32_t key = 0;
    const size_t n = std::min<size_t>(text.size(), 4);
    for (size_t i = 0; i < n; ++i) {
        auto c = static_cast<unsigned char>(text[i]);
        if (cp936_is_lead(c) && i + 1 < text.size()) {
            // A double-byte character stays as it is, trail byte included.
            key |= std::uint32_t(c) << (8 * i);
            if (++i < n)
                key |= std::uint32_t(static_cast<unsigned char>(text[i])) << (8 * i);
            continue;
        }
        key |= std::uint32_t(ascii_lower(c)) << (8 * i);
    }
    return key;
}

int FindRowWithPrefix(const std::vector<std::uint32_t>& keys, const std::function<const std::string&(int)>& row_text,
    int from, const std::string& prefix)
{
    const int count = static_cast<int>(keys.size());
    from = std::max(from, 0);
    if (prefix.empty())
        return from < count ? from : -1;
    const std::uint32_t want = RowPrefixKey(prefix);
    const std::uint32_t mask = prefix.size() >= 4 ? ~std::uint32_t(0) : (std::uint32_t(1) << (8 * prefix.size())) - 1;
    const std::uint32_t* key = keys.data();
    for (int i = from; i < count; ++i) {
        if ((key[i] & mask) == want && cp936::starts_with_fold(row_text(i), prefix))
            return i;
    }
    return -1;
}

// ---- TskListBox -----------------------------------------------------------------

TskListBox::TskListBox(TComponent* owner, TskSkinCustomListBox& box) : TCustomListBox(owner), box_(&box)
{
    SetClientEdge(false);
}

TskListBox::~TskListBox()
{
    box_ = nullptr;
}

void TskListBox::CreateParams(lt::CreateParams& p)
{
    TCustomListBox::CreateParams(p);
    p.double_clicks = true;
}

void TskListBox::Invalidate()
{
    if (quiet_) {
        noted_ = true;
        return;
    }
    TCustomListBox::Invalidate();
    if (box_)
        box_->SyncScrollBar();
}

LResult TskListBox::RowOperation(Message& m)
{
    const ListBoxModel& model = Model();
    const int top = model.top_index();
    // Rows drawn by a full repaint before the operation: top through the
    // first one only partly visible.
    const int slots = (model.client_height() + model.item_height() - 1) / model.item_height();
    quiet_ = true;
    noted_ = false;
    LResult r;
    try {
        r = TCustomListBox::WndProc(m);
    } catch (...) {
        quiet_ = false;
        throw;
    }
    quiet_ = false;
    if (r < 0)
        return r;
    const int index =
        m.msg == LB_DELETESTRING ? static_cast<int>(static_cast<std::intptr_t>(m.wparam)) : static_cast<int>(r);
    if (box_) {
        if (m.msg == LB_DELETESTRING)
            box_->RowDeleted(index);
        else
            box_->RowInserted(index, message_string(m));
    }
    if (noted_) {
        noted_ = false;
        Window* w = WindowHandle();
        if (!w) {
        } else if (model.top_index() != top || index < top) {
            w->invalidate();
        } else if (index < top + slots) {
            // The rows from this one down moved by one.
            Rect below{0, (index - top) * model.item_height(), ClientWidth(), ClientHeight()};
            w->invalidate(&below);
        }
    }
    if (box_)
        box_->SyncScrollBar();
    return r;
}

LResult TskListBox::WndProc(Message& m)
{
    switch (m.msg) {
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_DELETESTRING:
        return RowOperation(m);
    case LB_RESETCONTENT: {
        LResult r = TCustomListBox::WndProc(m);
        if (box_)
            box_->RowsCleared();
        return r;
    }
    case LB_DELETESELECTED: {
        // The rows going are the selected ones; note them before they go.
        std::vector<std::uint8_t> marks = Model().selection();
        LResult r = TCustomListBox::WndProc(m);
        if (r > 0 && box_) {
            box_->RowsDeleted(marks);
            box_->SyncScrollBar();
        }
        return r;
    }
    case WM_ERASEBKGND:
        // The rows and the strip below them cover the whole list.
        return 1;
    case WM_MOUSEWHEEL: {
        std::shared_ptr<bool> alive = alive_;
        LResult r = TCustomListBox::WndProc(m);
        if (!*alive || !box_ || !box_->VScrollBar())
            return r;
        // One row further than the list's own three, while the bar shows.
        const int delta = static_cast<std::int16_t>(hi_word(m.wparam));
        if (delta != 0)
            SetTopIndex(TopIndex() + (delta < 0 ? 1 : -1));
        return r;
    }
    default:
        return TCustomListBox::WndProc(m);
    }
}

void TskListBox::PaintWindow(Canvas& canvas, const Rect& update)
{
    // The rows draw from the owner's skin object, looked up afresh so that
    // a reloaded skin is always seen.
    if (box_)
        box_->FetchSkinObject();
    TCustomListBox::PaintWindow(canvas, update);
}

void TskListBox::PaintBackground(Canvas& canvas, const Rect& client_rect)
{
    if (box_)
        box_->PaintListBackground(canvas, client_rect);
    else
        TCustomListBox::PaintBackground(canvas, client_rect);
}

void TskListBox::DrawItem(Canvas& canvas, int index, const Rect& rect, TOwnerDrawState state)
{
    if (box_)
        box_->DrawRow(canvas, index, rect, state);
    else
        TCustomListBox::DrawItem(canvas, index, rect, state);
}

void TskListBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (box_ && box_->OnListBoxMouseDown)
        box_->OnListBoxMouseDown(box_, button, shift, x, y);
}

void TskListBox::MouseMove(TShiftState shift, int x, int y)
{
    if (box_ && box_->OnListBoxMouseMove)
        box_->OnListBoxMouseMove(box_, shift, x, y);
}

void TskListBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    std::shared_ptr<bool> alive = alive_;
    if (box_ && box_->OnListBoxMouseUp)
        box_->OnListBoxMouseUp(box_, button, shift, x, y);
    if (!*alive || !box_ || button != TMouseButton::mbRight)
        return;
    TPopupMenu* menu = box_->PopupMenu;
    if (menu && menu->AutoPopup) {
        const Point screen = ClientToScreen({x, y});
        menu->PopupComponent = box_;
        menu->Popup(screen.x, screen.y);
    }
}

void TskListBox::KeyDown(int& key, TShiftState shift)
{
    std::shared_ptr<bool> alive = alive_;
    if (box_ && box_->OnListBoxKeyDown)
        box_->OnListBoxKeyDown(box_, key, shift);
    if (*alive && key != 0)
        TCustomListBox::KeyDown(key, shift);
}

void TskListBox::KeyUp(int& key, TShiftState shift)
{
    if (box_ && box_->OnListBoxKeyUp)
        box_->OnListBoxKeyUp(box_, key, shift);
}

void TskListBox::KeyPress(char& key)
{
    std::shared_ptr<bool> alive = alive_;
    if (box_ && box_->OnListBoxKeyPress)
        box_->OnListBoxKeyPress(box_, key);
    if (!*alive || key == 0 || !box_)
        return;
    const auto c = static_cast<unsigned char>(key);
    if (box_->AutoComplete && (c == 8 || c >= 0x20)) {
        box_->TypeAhead(c);
        // Typed text is the type-ahead's alone; Backspace, Enter and
        // Escape go on.
        if (c != 8)
            key = 0;
        return;
    }
    TCustomListBox::KeyPress(key);
}

void TskListBox::Click()
{
    if (box_ && box_->OnListBoxClick)
        box_->OnListBoxClick(box_);
}

void TskListBox::DblClick()
{
    if (box_ && box_->OnListBoxDblClick)
        box_->OnListBoxDblClick(box_);
}

void TskListBox::DoEnter()
{
    // The form hears of the focus first (its active control).
    std::shared_ptr<bool> alive = alive_;
    TCustomListBox::DoEnter();
    if (*alive && box_ && box_->OnEnter)
        box_->OnEnter(box_);
}

void TskListBox::DoExit()
{
    std::shared_ptr<bool> alive = alive_;
    TCustomListBox::DoExit();
    if (*alive && box_ && box_->OnExit)
        box_->OnExit(box_);
}

// ---- TskSkinCustomListBox ---------------------------------------------------------

TskSkinCustomListBox::TskSkinCustomListBox(TComponent* owner)
    : TskSkinCustomControl(owner), caption_font_(std::make_unique<TFont>())
{
    TskSkinControl::SetSkinDataName("listbox");
    caption_font_->SetDesc(FontDesc{"Arial", 14, false, false, false, false, DEFAULT_CHARSET, clWindowText});
    caption_font_->OnChange = [this](TFont*) { Invalidate(); };
    SetColor(clWindow);
    SetTabStop(false);
    // The frame is four border strips around the list, which covers the
    // client; nothing builds a bitmap of the whole control.
    SetForceBackground(true);
    TskSkinCustomControl::SetBounds(0, 0, 121, 97);
    list_ = new TskListBox(this, *this);
    list_->SetParent(this);
    list_->SetExtendedSelect(true);
    list_->SetItemHeight(default_item_height_);
    LayOut();
}

TskSkinCustomListBox::~TskSkinCustomListBox()
{
    // The inner list and the bar are children and go with the control;
    // nothing they do from here on reaches back.
    if (list_)
        list_->box_ = nullptr;
    syncing_ = true;
}

void TskSkinCustomListBox::Clear()
{
    list_->Clear();
    SyncScrollBar();
}

int TskSkinCustomListBox::ItemAtPos(Point client, bool existing) const
{
    const Point inner = client - list_->BoundsRect().top_left();
    if (!Rect::from_size({list_->Width(), list_->Height()}).contains(inner))
        return -1;
    return list_->ItemAtPos(inner, existing);
}

int TskSkinCustomListBox::ItemAtCursor() const
{
    Desktop* desktop = Desktop::current();
    if (!desktop)
        return -1;
    return ItemAtPos(ScreenToClient(desktop->cursor_pos()));
}

void TskSkinCustomListBox::SetDefaultItemHeight(int height)
{
    if (height == default_item_height_)
        return;
    default_item_height_ = height;
    ApplyItemHeight();
}

void TskSkinCustomListBox::SetUseSkinItemHeight(bool on)
{
    if (on == use_skin_item_height_)
        return;
    use_skin_item_height_ = on;
    ApplyItemHeight();
}

void TskSkinCustomListBox::ApplyItemHeight()
{
    int height = default_item_height_;
    if (object_ && use_skin_item_height_ && object_->itemrect.height() > 0)
        height = object_->itemrect.height();
    if (height != list_->ItemHeight())
        list_->SetItemHeight(height);
    SyncScrollBar();
}

void TskSkinCustomListBox::SetCaptionMode(bool on)
{
    if (on == caption_mode_)
        return;
    caption_mode_ = on;
    LayOut();
    Invalidate();
}

void TskSkinCustomListBox::SetDefaultCaptionHeight(int height)
{
    if (height == default_caption_height_)
        return;
    default_caption_height_ = std::max(height, 0);
    LayOut();
    Invalidate();
}

int TskSkinCustomListBox::CaptionHeight() const
{
    if (!caption_mode_)
        return 0;
    if (object_ && !object_->captionrect.empty())
        return object_->captionrect.height();
    return default_caption_height_;
}

Rect TskSkinCustomListBox::ListArea() const
{
    const int w = Width(), h = Height();
    Rect area;
    if (object_ && Skinned()) {
        const SkinGeometry& g = Geometry();
        area = g.clientrect;
        area.right += w - g.skinrect.width();
        area.bottom += h - g.skinrect.height();
    } else {
        // The rows start one pixel below the caption, which counts as one
        // pixel high while it is off.
        area = {2, caption_mode_ ? 1 : 2, w - 2, h - 2};
    }
    area.right = std::max(area.right, area.left);
    area.bottom = std::max(area.bottom, area.top);
    return area;
}

Rect TskSkinCustomListBox::CaptionRect() const
{
    if (!caption_mode_)
        return {};
    const Rect area = ListArea();
    return {area.left, area.top, area.right, std::min(area.top + CaptionHeight(), area.bottom)};
}

void TskSkinCustomListBox::LayOut()
{
    if (!list_)
        return;
    Rect area = ListArea();
    area.top = std::min(area.top + CaptionHeight(), area.bottom);
    int right = area.right;
    if (vbar_) {
        Rect bar;
        if (object_ && Skinned()) {
            bar = {area.right - vbar_->Width(), area.top, area.right, area.bottom};
        } else {
            bar = {Width() - 20, area.top, Width() - 1, area.bottom};
        }
        bar.left = std::max(bar.left, area.left);
        vbar_->SetBounds(bar.left, bar.top, bar.width(), bar.height());
        right = bar.left;
    }
    list_->SetBounds(area.left, area.top, std::max(right - area.left, 0), area.height());
}

void TskSkinCustomListBox::CreateScrollBar()
{
    vbar_ = new TskSkinScrollBar(this);
    vbar_->SetKind(sbVertical);
    vbar_->SetParent(this);
    vbar_->SetBounds(Width() - 20, 0, 19, Height());
    vbar_->SetSkinDataName(object_ ? object_->vscrollbarname : std::string("vscrollbar"));
    vbar_->SetSkinData(SkinData());
    vbar_->SetEnabled(Enabled());
    vbar_->OnChange = [this](TComponent*) {
        if (vbar_)
            list_->SetTopIndex(vbar_->Position());
    };
    ScrollBarCreated(*vbar_);
}

void TskSkinCustomListBox::FreeScrollBar()
{
    TskSkinScrollBar* bar = vbar_;
    vbar_ = nullptr;
    delete bar;
}

void TskSkinCustomListBox::SyncScrollBar()
{
    if (syncing_ || !list_)
        return;
    syncing_ = true;
    const ListScrollRange r = list_->ScrollRange();
    const int count = list_->Items().Count();
    const int fit = list_->ClientHeight() / std::max(list_->ItemHeight(), 1);
    if (r.min < r.max && r.max >= r.pos && fit < count) {
        if (!vbar_) {
            CreateScrollBar();
            LayOut();
        }
        vbar_->SetScrollParams(r.min, r.max, fit, r.pos);
        vbar_->SetLargeChange(fit);
    } else if (vbar_) {
        FreeScrollBar();
        LayOut();
    }
    syncing_ = false;
}

void TskSkinCustomListBox::RowInserted(int index, const std::string& text)
{
    keys_.insert(keys_.begin() + index, RowPrefixKey(text));
    search_from_ = std::min(search_from_, index);
}

void TskSkinCustomListBox::RowDeleted(int index)
{
    keys_.erase(keys_.begin() + index);
    search_from_ = std::min(search_from_, index);
}

void TskSkinCustomListBox::RowsDeleted(const std::vector<std::uint8_t>& marks)
{
    size_t kept = 0;
    int first = -1;
    for (size_t i = 0; i < keys_.size(); ++i) {
        if (i < marks.size() && marks[i]) {
            if (first < 0)
                first = static_cast<int>(i);
            continue;
        }
        keys_[kept++] = keys_[i];
    }
    if (first < 0)
        return;
    keys_.resize(kept);
    search_from_ = std::min(search_from_, first);
}

void TskSkinCustomListBox::RowsCleared()
{
    keys_.clear();
    search_from_ = 0;
}

int TskSkinCustomListBox::FindPrefix(const std::string& prefix, int from) const
{
    const ListBoxModel& model = list_->Model();
    return FindRowWithPrefix(
        keys_, [&model](int i) -> const std::string& { return model.text(i); }, from, prefix);
}

std::int64_t TskSkinCustomListBox::NowMs() const
{
    Desktop* desktop = Desktop::current();
    return desktop ? desktop->loop().now_ms() : 0;
}

void TskSkinCustomListBox::TypeAhead(unsigned char byte)
{
    if (!search_.Feed(byte, NowMs()))
        return;
    // A text that only grew can resume where the shorter one matched: no
    // earlier row begins with the shorter text, so none with the longer.
    if (search_.Restarted() || byte == 8)
        search_from_ = 0;
    std::shared_ptr<bool> alive = alive_;
    const std::string& text = search_.Text();
    if (text.empty()) {
        if (Count() > 0) {
            SetItemIndex(0);
            list_->Click();
        }
        return;
    }
    const int row = FindPrefix(text, search_from_);
    search_from_ = row >= 0 ? row : Count();
    if (row < 0)
        return;
    list_->SelectAlone(row);
    if (*alive)
        list_->Click();
}

// ---- skin ----------------------------------------------------------------------------

void TskSkinCustomListBox::FetchSkinObject()
{
    TskSkinCustomControl::FetchSkinObject();
    object_ = dynamic_cast<const TskDataSkinListBox*>(SkinObject());
    if (object_)
        TakeSkinFont(*object_);
}

void TskSkinCustomListBox::ApplySkin()
{
    TskSkinCustomControl::ApplySkin();
    if (vbar_) {
        vbar_->SetSkinDataName(object_ ? object_->vscrollbarname : std::string("vscrollbar"));
        vbar_->SetSkinData(SkinData());
        if (!vbar_->Skinned())
            vbar_->SetBounds(vbar_->Left(), vbar_->Top(), 19, vbar_->Height());
    }
    ApplyItemHeight();
    LayOut();
    SyncScrollBar();
    list_->TCustomListBox::Invalidate();
}

void TskSkinCustomListBox::ForgetSkin()
{
    TskSkinCustomControl::ForgetSkin();
    object_ = nullptr;
    if (vbar_)
        vbar_->ForgetSkin();
}

void TskSkinCustomListBox::SetFocus()
{
    list_->SetFocus();
}

void TskSkinCustomListBox::SetEnabled(bool on)
{
    TskSkinCustomControl::SetEnabled(on);
    list_->SetEnabled(on);
    // A disabled list does not scroll by its bar either.
    if (vbar_)
        vbar_->SetEnabled(on);
}

void TskSkinCustomListBox::Resized()
{
    TskSkinCustomControl::Resized();
    LayOut();
    SyncScrollBar();
}

void TskSkinCustomListBox::DefaultFontChanged()
{
    list_->TCustomListBox::Invalidate();
}

// ---- painting ---------------------------------------------------------------------------

void TskSkinCustomListBox::PaintUnskinned(Bitmap& bitmap)
{
    Canvas canvas(bitmap);
    canvas.fill_rect(ClientRect(), clWindow);
    canvas.frame_rect(ClientRect(), clBtnShadow);
    DrawCaption(canvas);
}

void TskSkinCustomListBox::Paint()
{
    TskSkinCustomControl::Paint();
    if (Skinned() && caption_mode_)
        if (Canvas* canvas = GetCanvas())
            DrawCaption(*canvas);
}

void TskSkinCustomListBox::DrawCaption(Canvas& canvas)
{
    const Rect r = CaptionRect();
    if (r.empty())
        return;
    CanvasSaver keep(canvas);
    canvas.intersect_clip(r);
    const Bitmap* picture = Picture();
    if (object_ && Skinned() && picture && !object_->captionrect.empty()) {
        CanvasSaver at(canvas);
        canvas.move_origin(r.left, r.top);
        ComposeHorizontal(canvas, *picture, object_->captionrect, 0, 0, r.width(), true);
    } else {
        canvas.fill_rect(r, clBtnFace);
    }
    FontDesc font = caption_font_->Desc();
    Color color = font.color;
    if (object_ && Skinned() && UseSkinFont()) {
        font = WithSkinFont(font, object_->captionfontname, object_->captionfontheight, object_->captionfontstyle);
        color = object_->captionfontcolor;
    }
    canvas.font() = font;
    canvas.set_text_color(color);
    canvas.set_bk_mode(BkMode::Transparent);
    Rect text = r.inflated(-4, 0);
    const unsigned align = Alignment == taCenter ? DT_CENTER : Alignment == taRightJustify ? DT_RIGHT : DT_LEFT;
    draw_text(canvas, Caption(), text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | align);
}

void TskSkinCustomListBox::PaintListBackground(Canvas& canvas, const Rect& rect)
{
    const Bitmap* picture = Picture();
    if (!object_ || !Skinned() || !picture) {
        canvas.fill_rect(rect, clWindow);
        return;
    }
    // The skin's client image tiled from the list's top-left corner.
    const Rect client = Geometry().clientrect.offset(Geometry().skinrect.top_left());
    if (client.empty()) {
        canvas.fill_rect(rect, clWindow);
        return;
    }
    CanvasSaver keep(canvas);
    canvas.intersect_clip(rect);
    const Rect all = Rect::from_size({list_->ClientWidth(), list_->ClientHeight()});
    const int x0 = all.left, y0 = all.top;
    const int tw = client.width(), th = client.height();
    // Only the tiles that meet the rectangle.
    const int first_col = (rect.left - x0) / tw, first_row = (rect.top - y0) / th;
    for (int y = y0 + std::max(first_row, 0) * th; y < rect.bottom; y += th)
        for (int x = x0 + std::max(first_col, 0) * tw; x < rect.right; x += tw)
            canvas.draw({x, y}, *picture, client);
}

void TskSkinCustomListBox::DrawRow(Canvas& canvas, int index, const Rect& rect, TOwnerDrawState state)
{
    const bool selected = state & odSelected;
    const bool focused = state & odFocused;
    const Size cell = rect.size();
    const std::string& text = list_->Model().text(index);
    CanvasSaver keep(canvas);
    canvas.move_origin(rect.left, rect.top);
    const Rect row = Rect::from_size(cell);
    canvas.font() = CurrentFont();
    canvas.set_bk_mode(BkMode::Transparent);
    const Bitmap* picture = Picture();
    Rect text_rect;
    bool focus_rect = false;
    if (object_ && Skinned() && picture) {
        const ListRowLook look = SkinListRowLook(*object_, use_skin_item_height_, selected, focused, cell);
        if (!look.image.empty()) {
            if (look.three_piece) {
                ComposeHorizontal(canvas, *picture, look.image, object_->itemleftoffset, object_->itemrightoffset,
                    cell.width, look.stretch);
            } else {
                ComposeStretchedNinePiece(canvas, *picture, look.image, object_->itemtextrect.inflated(-1, -1), cell);
            }
        }
        canvas.set_text_color(look.text_color);
        text_rect = look.text_rect;
        focus_rect = look.focus_rect;
    } else {
        canvas.fill_rect(row, selected ? clHighlight : clWindow);
        canvas.set_text_color(selected ? clHighlightText : DefaultFont().GetColor());
        text_rect = row.inflated(-2, 0);
        focus_rect = focused;
    }
    if (focus_rect) {
        canvas.brush().color = clWhite;
        canvas.draw_focus_rect(row);
    }
    if (OnDrawItem) {
        OnDrawItem(this, canvas, index, cell, text_rect, state);
        return;
    }
    CanvasSaver clip(canvas);
    canvas.intersect_clip(text_rect);
    Rect at{text_rect.left + 2, text_rect.top, text_rect.right, text_rect.bottom};
    draw_text(canvas, text, at, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

} // namespace lt
