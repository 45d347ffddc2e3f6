#include "skinned/skin_file_list.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>

#include "gfx/draw_text.h"
#include "gfx/font.h"
#include "platform/desktop.h"
#include "skinned/shell_icons.h"
#include "skinned/skin_buttons.h"
#include "skinned/skin_edit.h"
#include "skinned/skin_scrollbar.h"
#include "text/cp936.h"

namespace lt {

// Sections: columns - geometry - TskSkinFileListView: entries, view,
// selection, renaming, layout and scrolling, painting, input.

// ---- columns --------------------------------------------------------------------

std::vector<FileListColumn> DefaultFileColumns(int char_width, const std::string& name, const std::string& size,
    const std::string& type, const std::string& modified)
{
    return {
        {name, 25 * char_width, false, SortColumn::Name},
        {size, 10 * char_width, true, SortColumn::Size},
        {type, 10 * char_width, false, SortColumn::Type},
        {modified, 14 * char_width, false, SortColumn::Modified},
    };
}

// ---- geometry ---------------------------------------------------------------------

namespace {

int RowHeight(int line_height)
{
    return std::max(kSmallIconSize, line_height) + 2;
}

int CeilDiv(int a, int b)
{
    return b <= 0 ? 0 : (a + b - 1) / b;
}

} // namespace

FileListGeometry::FileListGeometry(FileListGeometryInput in) : in_(std::move(in))
{
    const int line = std::max(in_.line_height, 1);
    const int char_width = std::max(in_.char_width, 1);
    switch (in_.style) {
    case TViewStyle::vsIcon:
        cell_ = {kIconCellWidth, kCellPadding + kLargeIconSize + 4 + 2 * line + 4};
        per_line_ = std::max(1, in_.view.width / cell_.width);
        break;
    case TViewStyle::vsSmallIcon:
        cell_ = {kSmallIconSize + 6 + 24 * char_width, RowHeight(line)};
        per_line_ = std::max(1, in_.view.width / cell_.width);
        break;
    case TViewStyle::vsList:
        cell_ = {kSmallIconSize + 6 + 24 * char_width, RowHeight(line)};
        per_line_ = std::max(1, in_.view.height / cell_.height);
        break;
    case TViewStyle::vsReport:
        cell_ = {std::accumulate(in_.column_widths.begin(), in_.column_widths.end(), 0), RowHeight(line)};
        per_line_ = 1;
        break;
    }
}

Rect FileListGeometry::Header() const
{
    if (in_.style != TViewStyle::vsReport)
        return {};
    return {0, 0, in_.view.width, std::min(in_.header_height, in_.view.height)};
}

Rect FileListGeometry::Body() const
{
    return {0, Header().bottom, in_.view.width, std::max(in_.view.height, Header().bottom)};
}

Size FileListGeometry::Content() const
{
    switch (in_.style) {
    case TViewStyle::vsIcon:
    case TViewStyle::vsSmallIcon:
        return {per_line_ * cell_.width, CeilDiv(in_.count, per_line_) * cell_.height};
    case TViewStyle::vsList:
        return {CeilDiv(in_.count, per_line_) * cell_.width, per_line_ * cell_.height};
    case TViewStyle::vsReport:
        break;
    }
    return {cell_.width, in_.count * cell_.height};
}

Rect FileListGeometry::ItemRect(int index) const
{
    const Rect body = Body();
    int x = 0, y = 0;
    switch (in_.style) {
    case TViewStyle::vsIcon:
    case TViewStyle::vsSmallIcon:
        x = (index % per_line_) * cell_.width;
        y = (index / per_line_) * cell_.height;
        break;
    case TViewStyle::vsList:
        x = (index / per_line_) * cell_.width;
        y = (index % per_line_) * cell_.height;
        break;
    case TViewStyle::vsReport:
        y = index * cell_.height;
        break;
    }
    return Rect::from_xywh(x - in_.scroll.x, body.top + y - in_.scroll.y, cell_.width, cell_.height);
}

Rect FileListGeometry::IconRect(int index) const
{
    const Rect r = ItemRect(index);
    if (in_.style == TViewStyle::vsIcon)
        return Rect::from_xywh(
            r.left + (r.width() - kLargeIconSize) / 2, r.top + kCellPadding, kLargeIconSize, kLargeIconSize);
    return Rect::from_xywh(
        r.left + kCellPadding, r.top + (r.height() - kSmallIconSize) / 2, kSmallIconSize, kSmallIconSize);
}

Rect FileListGeometry::LabelRect(int index) const
{
    const Rect r = ItemRect(index);
    if (in_.style == TViewStyle::vsIcon)
        return {r.left + kCellPadding, r.top + kCellPadding + kLargeIconSize + 4, r.right - kCellPadding,
            r.bottom - kCellPadding};
    const int left = r.left + kCellPadding + kSmallIconSize + 4;
    int right = r.right - kCellPadding;
    if (in_.style == TViewStyle::vsReport && !in_.column_widths.empty())
        right = r.left + in_.column_widths.front() - kCellPadding;
    return {left, r.top, std::max(left, right), r.bottom};
}

int FileListGeometry::ItemAt(Point p) const
{
    const Rect body = Body();
    if (!body.contains(p) || in_.count == 0)
        return -1;
    const int x = p.x + in_.scroll.x, y = p.y - body.top + in_.scroll.y;
    if (x < 0 || y < 0 || x >= Content().width)
        return -1;
    int index = -1;
    switch (in_.style) {
    case TViewStyle::vsIcon:
    case TViewStyle::vsSmallIcon:
        index = (y / cell_.height) * per_line_ + x / cell_.width;
        break;
    case TViewStyle::vsList: {
        const int row = y / cell_.height;
        if (row >= per_line_)
            return -1;
        index = (x / cell_.width) * per_line_ + row;
        break;
    }
    case TViewStyle::vsReport:
        index = y / cell_.height;
        break;
    }
    return index < in_.count ? index : -1;
}

std::pair<int, int> FileListGeometry::Visible() const
{
    const Rect body = Body();
    int first = 0, last = 0;
    switch (in_.style) {
    case TViewStyle::vsIcon:
    case TViewStyle::vsSmallIcon:
        first = in_.scroll.y / cell_.height * per_line_;
        last = (CeilDiv(in_.scroll.y + body.height(), cell_.height)) * per_line_;
        break;
    case TViewStyle::vsList:
        first = in_.scroll.x / cell_.width * per_line_;
        last = CeilDiv(in_.scroll.x + body.width(), cell_.width) * per_line_;
        break;
    case TViewStyle::vsReport:
        first = in_.scroll.y / cell_.height;
        last = CeilDiv(in_.scroll.y + body.height(), cell_.height);
        break;
    }
    return {std::clamp(first, 0, in_.count), std::clamp(last, 0, in_.count)};
}

int FileListGeometry::ColumnAt(Point p, bool* on_edge) const
{
    if (on_edge)
        *on_edge = false;
    if (!Header().contains(p))
        return -1;
    const int x = p.x + in_.scroll.x;
    int right = 0;
    for (int c = 0; c < static_cast<int>(in_.column_widths.size()); ++c) {
        right += in_.column_widths[static_cast<size_t>(c)];
        if (x >= right - 3 && x <= right + 3) {
            if (on_edge)
                *on_edge = true;
            return c;
        }
        if (x < right)
            return c;
    }
    return -1;
}

Rect FileListGeometry::ColumnRect(int column) const
{
    int left = 0;
    for (int c = 0; c < column && c < static_cast<int>(in_.column_widths.size()); ++c)
        left += in_.column_widths[static_cast<size_t>(c)];
    const int width =
        column < static_cast<int>(in_.column_widths.size()) ? in_.column_widths[static_cast<size_t>(column)] : 0;
    const Rect header = Header();
    return {left - in_.scroll.x, header.top, left + width - in_.scroll.x, header.bottom};
}

int FileListGeometry::Step(int index, int vk) const
{
    const int n = in_.count;
    if (n == 0)
        return -1;
    if (index < 0)
        return vk == VK_END ? n - 1 : 0;
    const int rows_in_page = std::max(1, Body().height() / cell_.height);
    int delta = 0;
    bool stay_outside = false;
    switch (in_.style) {
    case TViewStyle::vsIcon:
    case TViewStyle::vsSmallIcon:
        delta = vk == VK_LEFT ? -1 : vk == VK_RIGHT ? 1 : vk == VK_UP ? -per_line_ : vk == VK_DOWN ? per_line_ : 0;
        if (vk == VK_PRIOR || vk == VK_NEXT)
            delta = (vk == VK_PRIOR ? -1 : 1) * rows_in_page * per_line_;
        stay_outside = vk == VK_UP || vk == VK_DOWN;
        break;
    case TViewStyle::vsList: {
        const int columns_in_page = std::max(1, in_.view.width / cell_.width);
        delta = vk == VK_UP ? -1 : vk == VK_DOWN ? 1 : vk == VK_LEFT ? -per_line_ : vk == VK_RIGHT ? per_line_ : 0;
        if (vk == VK_PRIOR || vk == VK_NEXT)
            delta = (vk == VK_PRIOR ? -1 : 1) * columns_in_page * per_line_;
        break;
    }
    case TViewStyle::vsReport:
        delta = vk == VK_UP ? -1 : vk == VK_DOWN ? 1 : 0;
        if (vk == VK_PRIOR || vk == VK_NEXT)
            delta = (vk == VK_PRIOR ? -1 : 1) * std::max(1, rows_in_page - 1);
        break;
    }
    if (vk == VK_HOME)
        return 0;
    if (vk == VK_END)
        return n - 1;
    const int to = index + delta;
    if (to < 0 || to >= n)
        return stay_outside ? index : std::clamp(to, 0, n - 1);
    return to;
}

Point FileListGeometry::Clamp(Point scroll) const
{
    const Size content = Content();
    const Rect body = Body();
    const bool across = in_.style == TViewStyle::vsList || in_.style == TViewStyle::vsReport;
    const bool down = in_.style != TViewStyle::vsList;
    return {across ? std::clamp(scroll.x, 0, std::max(0, content.width - body.width())) : 0,
        down ? std::clamp(scroll.y, 0, std::max(0, content.height - body.height())) : 0};
}

Point FileListGeometry::ScrollToShow(int index) const
{
    if (index < 0 || index >= in_.count)
        return in_.scroll;
    const Rect r = ItemRect(index);
    const Rect body = Body();
    Point s = in_.scroll;
    if (in_.style == TViewStyle::vsList) {
        if (r.left < body.left)
            s.x -= body.left - r.left;
        else if (r.right > body.right)
            s.x += std::min(r.right - body.right, r.left - body.left);
    } else {
        if (r.top < body.top)
            s.y -= body.top - r.top;
        else if (r.bottom > body.bottom)
            s.y += std::min(r.bottom - body.bottom, r.top - body.top);
    }
    return Clamp(s);
}

// ---- TskSkinFileListView: entries ------------------------------------------------------

TskSkinFileListView::TskSkinFileListView(TComponent* owner) : TskSkinCustomControl(owner)
{
    SetTabStop(true);
    SetColor(clWindow);
    columns_ = DefaultFileColumns(CharWidth(), "Name", "Size", "Type", "Modified");
    auto make_bar = [this](TScrollBarKind kind, const char* name) {
        auto* bar = new TskSkinScrollBar(this);
        bar->SetKind(kind);
        bar->SetSkinDataName(name);
        bar->SetVisible(false);
        bar->SetParent(this);
        bar->OnChange = [this, bar](TComponent*) {
            if (syncing_)
                return;
            Point s = scroll_;
            (bar->Kind() == sbVertical ? s.y : s.x) = bar->Position();
            ScrollTo(s);
        };
        return bar;
    };
    vbar_ = make_bar(sbVertical, "vscrollbar");
    hbar_ = make_bar(sbHorizontal, "hscrollbar");
}

TskSkinFileListView::~TskSkinFileListView() = default;

std::vector<FolderEntry> TskSkinFileListView::Read(const std::string& folder) const
{
    Desktop* desktop = Desktop::current();
    const lt::Cursor before = desktop ? desktop->current_cursor() : lt::Cursor::Arrow;
    if (desktop)
        desktop->set_cursor(lt::Cursor::Wait);
    std::vector<FolderEntry> entries;
    try {
        // Sizes and times are read up front only when they decide the order.
        entries = ReadFolder(folder, mask_, show_hidden_, sort_ == SortColumn::Size || sort_ == SortColumn::Modified);
    } catch (...) {
        if (desktop)
            desktop->set_cursor(before);
        throw;
    }
    SortEntries(entries, sort_, descending_);
    if (desktop)
        desktop->set_cursor(before);
    return entries;
}

const FolderEntry& TskSkinFileListView::Entry(int index) const
{
    FolderEntry& e = entries_.at(static_cast<size_t>(index));
    ReadDetails(folder_, e);
    return e;
}

void TskSkinFileListView::SetFolder(const std::string& folder)
{
    std::vector<FolderEntry> entries = Read(folder);
    EndEdit(false);
    folder_ = folder;
    scroll_ = {};
    Replace(std::move(entries), {}, {});
    focused_ = Count() > 0 ? 0 : -1;
    if (OnFolderChange)
        OnFolderChange(this);
}

void TskSkinFileListView::SetMask(const std::string& mask)
{
    if (mask == mask_)
        return;
    mask_ = mask;
    if (!folder_.empty())
        Refresh();
}

void TskSkinFileListView::SetShowHidden(bool on)
{
    if (on == show_hidden_)
        return;
    show_hidden_ = on;
    if (!folder_.empty())
        Refresh();
}

void TskSkinFileListView::Refresh()
{
    if (folder_.empty())
        return;
    std::vector<FolderEntry> entries = Read(folder_);
    EndEdit(false);
    const std::string focus = focused_ >= 0 && focused_ < Count() ? Entry(focused_).name : std::string();
    std::vector<std::string> selected;
    for (int i : SelectedIndices())
        selected.push_back(Entry(i).name);
    Replace(std::move(entries), focus, selected);
    if (OnFolderChange)
        OnFolderChange(this);
}

void TskSkinFileListView::Replace(
    std::vector<FolderEntry> entries, const std::string& focus_name, const std::vector<std::string>& selected_names)
{
    entries_ = std::move(entries);
    selected_.assign(entries_.size(), 0);
    sel_count_ = 0;
    for (const std::string& name : selected_names)
        if (const int i = IndexOfName(name); i >= 0 && !selected_[static_cast<size_t>(i)]) {
            selected_[static_cast<size_t>(i)] = 1;
            ++sel_count_;
        }
    focused_ = IndexOfName(focus_name);
    if (focused_ < 0 && Count() > 0 && !focus_name.empty())
        focused_ = 0;
    anchor_ = focused_;
    LayOut();
    Invalidate();
}

int TskSkinFileListView::IndexOfName(const std::string& name) const
{
    if (name.empty())
        return -1;
    for (int i = 0; i < Count(); ++i)
        if (entries_[static_cast<size_t>(i)].name == name)
            return i;
    return -1;
}

void TskSkinFileListView::Sort()
{
    const std::string focus = focused_ >= 0 ? Entry(focused_).name : std::string();
    std::vector<std::string> selected;
    for (int i : SelectedIndices())
        selected.push_back(Entry(i).name);
    if (sort_ == SortColumn::Size || sort_ == SortColumn::Modified)
        for (FolderEntry& e : entries_)
            ReadDetails(folder_, e);
    SortEntries(entries_, sort_, descending_);
    Replace(std::move(entries_), focus, selected);
}

// ---- view ---------------------------------------------------------------------------

void TskSkinFileListView::SetViewStyle(TViewStyle style)
{
    if (style == style_)
        return;
    EndEdit(true);
    style_ = style;
    scroll_ = {};
    LayOut();
    ScrollTo(Geometry().ScrollToShow(focused_));
    Invalidate();
}

void TskSkinFileListView::SetColumnCaptions(
    const std::string& name, const std::string& size, const std::string& type, const std::string& modified)
{
    columns_ = DefaultFileColumns(CharWidth(), name, size, type, modified);
    custom_widths_ = false;
    LayOut();
    Invalidate();
}

void TskSkinFileListView::SetColumnWidth(int column, int width)
{
    if (column < 0 || column >= static_cast<int>(columns_.size()))
        return;
    width = std::max(8, width);
    if (columns_[static_cast<size_t>(column)].width == width)
        return;
    columns_[static_cast<size_t>(column)].width = width;
    custom_widths_ = true;
    LayOut();
    Invalidate();
}

void TskSkinFileListView::ClickColumn(int column)
{
    if (column < 0 || column >= static_cast<int>(columns_.size()))
        return;
    EndEdit(true);
    const SortColumn by = columns_[static_cast<size_t>(column)].sort;
    descending_ = by == sort_ ? !descending_ : false;
    sort_ = by;
    Sort();
    Changed();
}

// ---- selection ------------------------------------------------------------------------

bool TskSkinFileListView::IsSelected(int index) const
{
    return index >= 0 && index < Count() && selected_[static_cast<size_t>(index)];
}

int TskSkinFileListView::Selected() const
{
    if (sel_count_ == 0)
        return -1;
    if (IsSelected(focused_))
        return focused_;
    for (int i = 0; i < Count(); ++i)
        if (selected_[static_cast<size_t>(i)])
            return i;
    return -1;
}

std::vector<int> TskSkinFileListView::SelectedIndices() const
{
    std::vector<int> out;
    for (int i = 0; i < Count() && static_cast<int>(out.size()) < sel_count_; ++i)
        if (selected_[static_cast<size_t>(i)])
            out.push_back(i);
    return out;
}

void TskSkinFileListView::SetItemFocused(int index)
{
    if (index < -1 || index >= Count())
        return;
    focused_ = index;
    ScrollTo(Geometry().ScrollToShow(index));
    Invalidate();
    Changed();
}

void TskSkinFileListView::ClearSelection()
{
    if (sel_count_ == 0)
        return;
    std::fill(selected_.begin(), selected_.end(), 0);
    sel_count_ = 0;
    Invalidate();
    Changed();
}

void TskSkinFileListView::SelectOnly(int index)
{
    std::fill(selected_.begin(), selected_.end(), 0);
    sel_count_ = 0;
    if (index >= 0 && index < Count()) {
        selected_[static_cast<size_t>(index)] = 1;
        sel_count_ = 1;
        focused_ = index;
        anchor_ = index;
        ScrollTo(Geometry().ScrollToShow(index));
    }
    Invalidate();
    Changed();
}

void TskSkinFileListView::FocusAndSelect(int index, TShiftState shift, bool by_mouse)
{
    if (index < 0 || index >= Count())
        return;
    if (MultiSelect && (shift & ssShift) && anchor_ >= 0) {
        if (!(shift & ssCtrl))
            std::fill(selected_.begin(), selected_.end(), 0);
        for (int i = std::min(anchor_, index); i <= std::max(anchor_, index); ++i)
            selected_[static_cast<size_t>(i)] = 1;
        sel_count_ = static_cast<int>(std::count(selected_.begin(), selected_.end(), 1));
        focused_ = index;
    } else if (MultiSelect && (shift & ssCtrl)) {
        if (by_mouse) {
            selected_[static_cast<size_t>(index)] ^= 1;
            sel_count_ += selected_[static_cast<size_t>(index)] ? 1 : -1;
        }
        focused_ = index;
        anchor_ = index;
    } else {
        SelectOnly(index);
        return;
    }
    ScrollTo(Geometry().ScrollToShow(index));
    Invalidate();
    Changed();
}

void TskSkinFileListView::Changed()
{
    if (OnChange)
        OnChange(this);
}

// ---- renaming ------------------------------------------------------------------------------

void TskSkinFileListView::EditName(int index)
{
    if (index < 0 || index >= Count())
        return;
    EndEdit(true);
    ScrollTo(Geometry().ScrollToShow(index));
    if (!editor_) {
        editor_ = new TskSkinEdit(this);
        editor_->SetUseSkinFont(false);
        editor_->SetParent(this);
        editor_->OnKeyPress = [this](TComponent*, char& key) {
            if (key == '\r' || key == 0x1B) {
                const bool accept = key == '\r';
                key = 0;
                EndEdit(accept);
            }
        };
        editor_->OnExit = [this](TComponent*) { EndEdit(true); };
    }
    editor_->DefaultFont().Assign(DefaultFont());
    editor_->Font().Assign(DefaultFont());
    const FileListGeometry g = Geometry();
    Rect r = g.LabelRect(index);
    const int height = LineHeight() + 6;
    if (style_ == TViewStyle::vsIcon)
        r = Rect::from_xywh(r.left - 2, r.top - 1, r.width() + 4, height);
    else
        r = Rect::from_xywh(
            r.left - 3, r.top + (r.height() - height) / 2, std::max(r.width() + 6, 12 * CharWidth()), height);
    editing_ = index;
    editing_name_ = Entry(index).name;
    const std::string shown = utf8_to_cp936(editing_name_, &editing_lossless_);
    editor_->SetBounds(r.left, r.top, r.width(), r.height());
    editor_->SetText(shown);
    editor_->Show();
    editor_->SetFocus();
    // The name without its extension is selected, ready to be typed over.
    const std::string_view ext = Entry(index).folder ? std::string_view() : FileExtension(editing_name_);
    editor_->SetSelStart(0);
    editor_->SetSelLength(static_cast<int>(shown.size() - DisplayName(ext).size()));
    Invalidate();
}

void TskSkinFileListView::EndEdit(bool accept)
{
    if (editing_ < 0 || !editor_)
        return;
    editing_ = -1;
    const std::string text = editor_->Text();
    const std::string old_name = std::move(editing_name_);
    const bool had_focus = editor_->Focused();
    editor_->Hide();
    if (had_focus && CanFocus())
        SetFocus();
    Invalidate();
    // The shown text untouched keeps the real name (which the code page may
    // not be able to show).
    if (!accept || text == DisplayName(old_name) || text.empty())
        return;
    // A "?" left standing for a character the code page lacks would become a
    // literal "?" on disk and the real character would be lost; a name typed
    // anew without any "?" loses nothing.
    if (!editing_lossless_ && text.find('?') != std::string::npos)
        throw std::runtime_error("Cannot rename \"" + DisplayName(old_name) +
            "\". The name holds characters that cannot be shown here; type the whole name anew");
    const std::string new_name = cp936_to_utf8(text);
    RenameEntry(folder_, old_name, new_name);
    const int index = IndexOfName(old_name);
    if (index >= 0)
        entries_[static_cast<size_t>(index)].name = new_name;
    Sort();
    SelectOnly(IndexOfName(new_name));
}

// ---- layout and scrolling ------------------------------------------------------------------

int TskSkinFileListView::LineHeight() const
{
    return lt::Font::get(CurrentFont())->metrics().height;
}

int TskSkinFileListView::CharWidth() const
{
    return std::max(1, Font::get(CurrentFont())->metrics().ave_char_width);
}

const TskDataSkinButtonControl* TskSkinFileListView::HeaderObject() const
{
    const TskSkinData* data = SkinData();
    if (!data || data->Empty)
        return nullptr;
    const int index = data->FindSkinControl(HeaderSkinDataName);
    if (index < 0)
        return nullptr;
    return dynamic_cast<const TskDataSkinButtonControl*>(data->SkinControls[static_cast<size_t>(index)].get());
}

int TskSkinFileListView::HeaderHeight() const
{
    int height = LineHeight() + 6;
    if (const auto* object = HeaderObject())
        height = std::max(height, object->skinrect.height());
    return height;
}

FileListGeometry TskSkinFileListView::Geometry() const
{
    FileListGeometryInput in;
    in.style = style_;
    in.view = {ClientWidth() - (vbar_->Visible() ? vbar_->Width() : 0),
        ClientHeight() - (hbar_->Visible() ? hbar_->Height() : 0)};
    in.view.width = std::max(0, in.view.width);
    in.view.height = std::max(0, in.view.height);
    in.count = Count();
    in.line_height = LineHeight();
    in.char_width = CharWidth();
    in.header_height = HeaderHeight();
    for (const FileListColumn& c : columns_)
        in.column_widths.push_back(c.width);
    in.scroll = scroll_;
    return FileListGeometry(std::move(in));
}

void TskSkinFileListView::LayOut()
{
    if (!vbar_ || !hbar_)
        return;
    const bool can_down = style_ != TViewStyle::vsList;
    const bool can_across = style_ == TViewStyle::vsList || style_ == TViewStyle::vsReport;
    bool need_v = false, need_h = false;
    // Twice: one bar's room can make the other one needed.
    for (int pass = 0; pass < 3; ++pass) {
        FileListGeometryInput in = Geometry().Input();
        in.view = {std::max(0, ClientWidth() - (need_v ? vbar_->Width() : 0)),
            std::max(0, ClientHeight() - (need_h ? hbar_->Height() : 0))};
        const FileListGeometry g(in);
        need_v = can_down && g.Content().height > g.Body().height();
        need_h = can_across && g.Content().width > g.Body().width();
    }
    syncing_ = true;
    vbar_->SetVisible(need_v);
    hbar_->SetVisible(need_h);
    const int vw = vbar_->Width(), hh = hbar_->Height();
    if (need_v)
        vbar_->SetBounds(ClientWidth() - vw, 0, vw, std::max(0, ClientHeight() - (need_h ? hh : 0)));
    if (need_h)
        hbar_->SetBounds(0, ClientHeight() - hh, std::max(0, ClientWidth() - (need_v ? vw : 0)), hh);
    syncing_ = false;
    scroll_ = Geometry().Clamp(scroll_);
    SyncBars();
}

void TskSkinFileListView::SyncBars()
{
    const FileListGeometry g = Geometry();
    const Size content = g.Content();
    const Rect body = g.Body();
    syncing_ = true;
    if (vbar_->Visible()) {
        vbar_->SetScrollParams(0, std::max(0, content.height - 1), body.height(), scroll_.y);
        vbar_->SetSmallChange(g.Cell().height);
        vbar_->SetLargeChange(std::max(1, body.height()));
    }
    if (hbar_->Visible()) {
        hbar_->SetScrollParams(0, std::max(0, content.width - 1), body.width(), scroll_.x);
        hbar_->SetSmallChange(style_ == TViewStyle::vsList ? g.Cell().width : 16);
        hbar_->SetLargeChange(std::max(1, body.width()));
    }
    syncing_ = false;
}

void TskSkinFileListView::ScrollTo(Point scroll)
{
    scroll = Geometry().Clamp(scroll);
    if (scroll == scroll_)
        return;
    EndEdit(true);
    scroll_ = scroll;
    SyncBars();
    Invalidate();
}

void TskSkinFileListView::Resized()
{
    TskSkinCustomControl::Resized();
    LayOut();
    Invalidate();
}

void TskSkinFileListView::DefaultFontChanged()
{
    if (!custom_widths_ && columns_.size() == 4)
        columns_ = DefaultFileColumns(
            CharWidth(), columns_[0].caption, columns_[1].caption, columns_[2].caption, columns_[3].caption);
    LayOut();
    Invalidate();
}

void TskSkinFileListView::SetSkinData(TskSkinData* data)
{
    TskSkinCustomControl::SetSkinData(data);
    vbar_->SetSkinData(data);
    hbar_->SetSkinData(data);
    LayOut();
}

void TskSkinFileListView::ApplySkin()
{
    TskSkinCustomControl::ApplySkin();
    vbar_->ApplySkin();
    hbar_->ApplySkin();
    LayOut();
    Invalidate();
}

void TskSkinFileListView::ForgetSkin()
{
    vbar_->ForgetSkin();
    hbar_->ForgetSkin();
    TskSkinCustomControl::ForgetSkin();
}

void TskSkinFileListView::SetEnabled(bool on)
{
    TskSkinCustomControl::SetEnabled(on);
    Invalidate();
}

// ---- painting ---------------------------------------------------------------------------------

void TskSkinFileListView::PaintSkinned(Bitmap& bitmap)
{
    Draw(bitmap);
}

void TskSkinFileListView::PaintUnskinned(Bitmap& bitmap)
{
    Draw(bitmap);
}

void TskSkinFileListView::Draw(Bitmap& bitmap)
{
    Canvas canvas(bitmap);
    canvas.fill_rect(Rect::from_size(bitmap.size()), clWindow);
    // The corner between two bars.
    if (vbar_->Visible() && hbar_->Visible())
        canvas.fill_rect(Rect{vbar_->Left(), hbar_->Top(), ClientWidth(), ClientHeight()}, clBtnFace);
    const FileListGeometry g = Geometry();
    canvas.font() = CurrentFont();
    canvas.set_bk_mode(BkMode::Transparent);
    {
        CanvasSaver saver(canvas);
        canvas.intersect_clip(g.Body());
        const auto [first, last] = g.Visible();
        for (int i = first; i < last; ++i)
            DrawEntry(canvas, g, i);
    }
    if (style_ == TViewStyle::vsReport)
        DrawHeader(canvas, g);
}

void TskSkinFileListView::DrawEntry(Canvas& canvas, const FileListGeometry& g, int index)
{
    const FolderEntry& e = Entry(index);
    const bool large = style_ == TViewStyle::vsIcon;
    DrawShellIcon(canvas, g.IconRect(index).top_left(), e.folder ? ShellIcon::Folder : ShellIcon::File, large);
    const bool selected = IsSelected(index) && index != editing_;
    const bool focused = Focused() || (editor_ && editor_->Focused());
    const Rect label = g.LabelRect(index);
    const std::string text = DisplayName(e.name);
    const lt::Font& font = *lt::Font::get(canvas.font());

    // Where the text goes and the box the selection paints.
    Rect box;
    unsigned flags = DT_NOPREFIX;
    if (large) {
        flags |= DT_CENTER | DT_WORDBREAK;
        Rect measured = label;
        draw_text(canvas, text, measured, flags | DT_CALCRECT);
        const int w = std::min(label.width(), measured.width() + 4);
        const int h = std::min(label.height(), measured.height() + 2);
        box = Rect::from_xywh(label.left + (label.width() - w) / 2, label.top, w, h);
    } else {
        flags |= DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
        const int w = std::min(label.width(), font.text_width(text) + 4);
        box = Rect::from_xywh(label.left, label.top + 1, w, label.height() - 2);
    }
    if (index != editing_) {
        if (selected)
            canvas.fill_rect(box, focused ? clHighlight : clBtnFace);
        canvas.set_text_color(selected && focused ? clHighlightText : Enabled() ? clWindowText : clGrayText);
        Rect text_rect = large ? box : Rect{box.left + 2, box.top, box.right - 2, box.bottom};
        draw_text(canvas, text, text_rect, flags);
        if (index == focused_ && Focused()) {
            canvas.brush().color = clWhite;
            canvas.draw_focus_rect(box);
        }
    }
    if (style_ != TViewStyle::vsReport)
        return;
    // The other columns of the details view.
    const Rect row = g.ItemRect(index);
    canvas.set_text_color(Enabled() ? clWindowText : clGrayText);
    int left = row.left;
    for (size_t c = 0; c < columns_.size(); ++c) {
        const FileListColumn& column = columns_[c];
        if (c > 0) {
            std::string value = column.sort == SortColumn::Size ? SizeText(e)
                : column.sort == SortColumn::Type               ? TypeName(e)
                : column.sort == SortColumn::Modified           ? ModifiedText(e)
                                                                : text;
            Rect cell{left + 6, row.top, left + column.width - 6, row.bottom};
            draw_text(canvas, value, cell,
                DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | (column.right_aligned ? DT_RIGHT : 0));
        }
        left += column.width;
    }
}

void TskSkinFileListView::DrawHeader(Canvas& canvas, const FileListGeometry& g)
{
    const Rect header = g.Header();
    if (header.empty())
        return;
    CanvasSaver saver(canvas);
    canvas.intersect_clip(header);
    const TskDataSkinButtonControl* object = HeaderObject();
    const ButtonSkin skin = object ? ReadButtonSkin(object, object->skinrect) : ButtonSkin{};
    const int n = static_cast<int>(columns_.size());
    // Each column, then the blank rest of the strip as one more header item.
    for (int c = 0; c <= n; ++c) {
        Rect r = g.ColumnRect(c);
        if (c == n)
            r = {r.left, header.top, std::max(r.left, header.right), header.bottom};
        if (r.right <= header.left || r.empty())
            continue;
        const bool down = c < n && c == header_pressed_ && c == header_hot_;
        const bool hot = c < n && c == header_hot_;
        Bitmap item(r.width(), r.height());
        Canvas ic(item);
        Rect area = Rect::from_size(item.size());
        if (object) {
            const SkinShape shape = SkinShape::Fetch(object, SkinData(), item.size());
            const Rect look = down ? skin.looks.down : hot ? skin.looks.active : skin.looks.normal;
            area = ComposeButtonLook(ic, shape.picture, look, shape.geometry, shape.fit, false, item.size());
            ic.set_text_color(ButtonCaptionColor(skin.colors, Enabled(), true, clBtnText, down, hot));
        } else {
            ic.fill_rect(area, clBtnFace);
            if (down)
                ic.frame_rect(area, clBtnShadow);
            else
                ic.frame3d(area, clBtnHighlight, clBtnShadow);
            area = area.inflated(-2, -2);
            ic.set_text_color(clBtnText);
        }
        if (c < n) {
            const FileListColumn& column = columns_[static_cast<size_t>(c)];
            ic.font() = CurrentFont();
            ic.set_bk_mode(BkMode::Transparent);
            Rect text{area.left + 4, area.top, area.right - 4, area.bottom};
            if (down)
                text = text.offset(1, 1);
            draw_text(ic, column.caption, text,
                DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | (column.right_aligned ? DT_RIGHT : 0));
        }
        canvas.draw(r.top_left(), item);
    }
}

// ---- input -----------------------------------------------------------------------------------

LResult TskSkinFileListView::DialogCode() const
{
    return DLGC_WANTARROWS | DLGC_WANTCHARS;
}

LResult TskSkinFileListView::WndProc(Message& m)
{
    if (m.msg == WM_MOUSEWHEEL) {
        const int notches = static_cast<std::int16_t>(hi_word(m.wparam)) / WHEEL_DELTA;
        const FileListGeometry g = Geometry();
        Point s = scroll_;
        if (style_ == TViewStyle::vsList)
            s.x -= notches * g.Cell().width;
        else
            s.y -= notches * 3 * g.Cell().height;
        ScrollTo(s);
        return 0;
    }
    return TskSkinCustomControl::WndProc(m);
}

void TskSkinFileListView::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    std::shared_ptr<bool> alive = alive_;
    TskSkinCustomControl::MouseDown(button, shift, x, y);
    if (!*alive)
        return;
    const FileListGeometry g = Geometry();
    const Point p{x, y};
    // The second press of a double-click on an entry belongs to the
    // double-click; on a header it is one more click.
    if ((shift & ssDouble) && !g.Header().contains(p))
        return;
    EndEdit(true);
    if (CanFocus() && !Focused())
        SetFocus();
    if (button == TMouseButton::mbLeft && g.Header().contains(p)) {
        bool edge = false;
        const int c = g.ColumnAt(p, &edge);
        if (c >= 0 && edge) {
            sizing_column_ = c;
            sizing_origin_ = x - columns_[static_cast<size_t>(c)].width;
        } else {
            header_pressed_ = c;
            header_hot_ = c;
            Invalidate();
        }
        return;
    }
    const int index = g.ItemAt(p);
    if (button == TMouseButton::mbLeft) {
        if (index >= 0)
            FocusAndSelect(index, shift, true);
        else if (!(shift & (ssCtrl | ssShift)))
            ClearSelection();
    } else if (button == TMouseButton::mbRight) {
        if (index < 0)
            ClearSelection();
        else if (!IsSelected(index))
            SelectOnly(index);
        else
            SetItemFocused(index);
        right_pressed_ = true;
    }
}

void TskSkinFileListView::MouseMove(TShiftState shift, int x, int y)
{
    std::shared_ptr<bool> alive = alive_;
    TskSkinCustomControl::MouseMove(shift, x, y);
    if (!*alive)
        return;
    if (sizing_column_ >= 0) {
        SetColumnWidth(sizing_column_, x - sizing_origin_);
        return;
    }
    const FileListGeometry g = Geometry();
    bool edge = false;
    const int c = g.ColumnAt({x, y}, &edge);
    const int hot = header_pressed_ >= 0 ? (c == header_pressed_ && !edge ? c : -1) : (edge ? -1 : c);
    if (hot != header_hot_) {
        header_hot_ = hot;
        Invalidate();
    }
    if (Desktop* desktop = Desktop::current(); desktop && edge && header_pressed_ < 0)
        desktop->set_cursor(lt::Cursor::SizeWE);
}

void TskSkinFileListView::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    std::shared_ptr<bool> alive = alive_;
    TskSkinCustomControl::MouseUp(button, shift, x, y);
    if (!*alive)
        return;
    if (button == TMouseButton::mbLeft) {
        sizing_column_ = -1;
        const int pressed = header_pressed_;
        header_pressed_ = -1;
        if (pressed >= 0) {
            Invalidate();
            bool edge = false;
            if (Geometry().ColumnAt({x, y}, &edge) == pressed && !edge)
                ClickColumn(pressed);
        }
    } else if (button == TMouseButton::mbRight && right_pressed_) {
        right_pressed_ = false;
        const int index = Geometry().ItemAt({x, y});
        if (OnContextMenu)
            OnContextMenu(this, index, ClientToScreen({x, y}));
    }
}

void TskSkinFileListView::MouseLeave()
{
    TskSkinCustomControl::MouseLeave();
    if (header_hot_ >= 0 && header_pressed_ < 0) {
        header_hot_ = -1;
        Invalidate();
    }
}

void TskSkinFileListView::DblClick()
{
    std::shared_ptr<bool> alive = alive_;
    TskSkinCustomControl::DblClick();
    if (!*alive)
        return;
    Desktop* desktop = Desktop::current();
    if (!desktop)
        return;
    const int index = Geometry().ItemAt(ScreenToClient(desktop->cursor_pos()));
    if (index >= 0 && OnOpenItem)
        OnOpenItem(this, index);
}

void TskSkinFileListView::KeyDown(int& key, TShiftState shift)
{
    std::shared_ptr<bool> alive = alive_;
    TskSkinCustomControl::KeyDown(key, shift);
    if (!*alive || key == 0)
        return;
    switch (key) {
    case VK_RETURN:
        if (const int index = Selected(); index >= 0 && OnOpenItem)
            OnOpenItem(this, index);
        key = 0;
        return;
    case VK_F1 + 1:
        EditName(focused_);
        key = 0;
        return;
    case VK_SPACE:
        if (focused_ >= 0)
            FocusAndSelect(focused_, MultiSelect ? shift & ssCtrl : 0, true);
        key = 0;
        return;
    case VK_LEFT:
    case VK_RIGHT:
        if (style_ == TViewStyle::vsReport) {
            ScrollTo(scroll_ + Point{key == VK_LEFT ? -16 : 16, 0});
            key = 0;
            return;
        }
        [[fallthrough]];
    case VK_UP:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT: {
        const int to = Geometry().Step(focused_, key);
        if (to >= 0)
            FocusAndSelect(to, shift, false);
        key = 0;
        return;
    }
    default:
        break;
    }
}

void TskSkinFileListView::KeyPress(char& key)
{
    std::shared_ptr<bool> alive = alive_;
    TskSkinCustomControl::KeyPress(key);
    if (!*alive || key == 0)
        return;
    const auto byte = static_cast<unsigned char>(key);
    // Enter acted in KeyDown; Backspace is the dialog's (up one level).
    if (key == '\r' || key == 8) {
        key = 0;
        return;
    }
    if (byte >= 0x20) {
        key = 0;
        TypeAhead(byte);
    }
}

void TskSkinFileListView::TypeAhead(unsigned char byte)
{
    Desktop* desktop = Desktop::current();
    if (!search_.Feed(byte, desktop ? desktop->loop().now_ms() : 0))
        return;
    const std::string prefix = cp936_to_utf8(search_.Text());
    // One character looks for the next entry (so a repeated letter cycles),
    // a longer text from the focused entry on.
    const bool one = search_.Text().size() == 1 || (search_.Text().size() == 2 && cp936_is_lead(search_.Text()[0]));
    const int from = focused_ < 0 ? 0 : one ? focused_ + 1 : focused_;
    const int found = FindEntryWithPrefix(entries_, from, prefix);
    if (found >= 0)
        SelectOnly(found);
}

void TskSkinFileListView::DoEnter()
{
    TskSkinCustomControl::DoEnter();
    Invalidate();
}

void TskSkinFileListView::DoExit()
{
    TskSkinCustomControl::DoExit();
    Invalidate();
}

} // namespace lt
