#include "skinned/skin_save_dialog.h"

#include <algorithm>
#include <sys/stat.h>
#include <system_error>

#include "gfx/draw_text.h"
#include "skinned/shell_icons.h"
#include "skinned/skin_buttons.h"
#include "skinned/skin_edit.h"
#include "skinned/skin_form.h"
#include "skinned/skin_menu.h"
#include "skinned/skin_message_box.h"
#include "skinned/skin_speed_button.h"
#include "skinned/skin_toolbar.h"
#include "skinned/static_controls.h"
#include "skinned/tool_glyphs.h"
#include "text/cp936.h"
#include "text/scope_exit.h"

namespace lt {

// ---- texts ----------------------------------------------------------------------

std::string DialogText(const TskSkinData* data, const char* key)
{
    if (data && data->ResourceStrData()) {
        std::string text = data->ResourceStrData()->GetResStr(key);
        if (!text.empty())
            return text;
    }
    const std::string_view name = key;
    for (const std::string& line : DefaultResourceStrings())
        if (line.size() > name.size() && line.compare(0, name.size(), name) == 0 && line[name.size()] == '=')
            return line.substr(name.size() + 1);
    return {};
}

namespace {

bool IsFolder(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool IsFile(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

ShellIcon IconOf(PlaceKind kind)
{
    switch (kind) {
    case PlaceKind::Home:
        return ShellIcon::Home;
    case PlaceKind::Desktop:
        return ShellIcon::Desktop;
    case PlaceKind::Root:
    case PlaceKind::Volume:
        return ShellIcon::Drive;
    case PlaceKind::Folder:
        break;
    }
    return ShellIcon::Folder;
}

} // namespace

// ---- TskSkinShellComboBox -------------------------------------------------------

TskSkinShellComboBox::TskSkinShellComboBox(TComponent* owner) : TskSkinComboBox(owner)
{
    OnComboBoxDrawItem = [this](TComponent*, Canvas& canvas, int index, Size, const Rect& text_rect, TOwnerDrawState) {
        DrawRow(canvas, index, text_rect, false);
    };
    SetOnListBoxDrawItem([this](TComponent*, Canvas& canvas, int index, Size, const Rect& text_rect, TOwnerDrawState) {
        DrawRow(canvas, index, text_rect, true);
    });
}

void TskSkinShellComboBox::SetRows(std::vector<LookInRow> rows, int current)
{
    rows_ = std::move(rows);
    // Filling is no choice of the user's: no OnClick meanwhile.
    TNotifyEvent click = std::move(OnClick);
    OnClick = nullptr;
    ScopeExit restore([&] { OnClick = std::move(click); });
    Items().BeginUpdate();
    Items().Clear();
    for (const LookInRow& row : rows_)
        Items().Add(row.name);
    Items().EndUpdate();
    SetItemIndex(current);
}

void TskSkinShellComboBox::DrawRow(Canvas& canvas, int index, const Rect& text_rect, bool indent)
{
    if (index < 0 || index >= static_cast<int>(rows_.size()))
        return;
    const LookInRow& row = rows_[static_cast<size_t>(index)];
    const int x = text_rect.left + 2 + (indent ? row.level * kSmallIconSize / 2 : 0);
    DrawShellIcon(canvas, {x, text_rect.top + (text_rect.height() - kSmallIconSize) / 2}, IconOf(row.kind), false);
    Rect at{x + kSmallIconSize + 4, text_rect.top, text_rect.right, text_rect.bottom};
    draw_text(canvas, row.name, at, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

// ---- TskSkinFilterComboBox ------------------------------------------------------

TskSkinFilterComboBox::TskSkinFilterComboBox(TComponent* owner) : TskSkinComboBox(owner)
{ }

void TskSkinFilterComboBox::SetFilter(const std::string& filter)
{
    // The same filter (compared as file names are: exactly) changes nothing.
    if (filled_ && filter == filter_)
        return;
    filled_ = true;
    filter_ = filter;
    filters_ = ParseFilter(filter);
    Items().BeginUpdate();
    Items().Clear();
    for (const FileFilter& f : filters_)
        Items().Add(f.description);
    Items().EndUpdate();
}

// ---- TskOpenDlgForm -------------------------------------------------------------------

TskOpenDlgForm::TskOpenDlgForm(TComponent* owner, TskSkinOpenDialog& dialog, bool save_mode)
    : TForm(owner), dialog_(dialog), save_mode_(save_mode)
{
    SetBorderStyle(TFormBorderStyle::bsSizeable);
    Position = TPosition::poScreenCenter;
    SetCaption(dialog.Title);
    frame_ = new TskSkinForm(this);
    frame_->SetBorderIcons(0);
    frame_->PositionInMonitor = TskPositionInMonitor::skpScreenCenter;
    frame_->MinWidth = dialog.DialogMinWidth;
    frame_->MinHeight = dialog.DialogMinHeight;
    frame_->AlphaBlend = dialog.AlphaBlend;
    frame_->AlphaBlendValue = dialog.AlphaBlendValue;
    frame_->AlphaBlendAnimation = dialog.AlphaBlendAnimation;
    frame_->MenusAlphaBlend = dialog.CtrlAlphaBlend;
    frame_->MenusAlphaBlendValue = dialog.CtrlAlphaBlendValue;
    frame_->MenusAlphaBlendAnimation = dialog.CtrlAlphaBlendAnimation;
    frame_->SetMenusSkinData(dialog.CtrlSkinData());
    frame_->SetSkinData(dialog.SkinData());
    SetClientSize(450, 290);
    // Docked in this order: the strips first, then the file area between them.
    BuildToolBar();
    BuildBottom();
    BuildFileArea();
    LayOutBottom();
}

TskOpenDlgForm::~TskOpenDlgForm() = default;

TskSkinData* TskOpenDlgForm::ControlSkin() const
{
    return dialog_.CtrlSkinData();
}

void TskOpenDlgForm::BuildToolBar()
{
    TskSkinData* skin = ControlSkin();
    const TskSkinData* texts = dialog_.SkinData() ? dialog_.SkinData() : skin;
    tool_bar_ = new TskSkinToolBar(this);
    tool_bar_->SetParent(this);
    tool_bar_->SetBorderStyle(TskSkinBorderStyle::bvNone);
    tool_bar_->SetBounds(0, 0, ClientWidth(), 25);
    tool_bar_->SetAlign(TAlign::alTop);
    tool_bar_->SetSkinDataName("toolpanel");
    tool_bar_->SetSkinData(skin);

    const int w = ClientWidth();
    // Docked all at once, so each side is ordered by its position: on the
    // right, from the outside in, the view button, a spacer, New folder, Up,
    // Back.
    tool_bar_->DisableAlign();
    auto spacer = [&](int left, TAlign align) {
        auto* b = new TskSkinBevel(this);
        b->SetParent(tool_bar_);
        b->SetShape(TskBevelShape::skSpacer);
        b->SetBounds(left, 0, 10, 25);
        b->SetAlign(align);
        b->SetSkinData(skin);
    };
    spacer(0, TAlign::alLeft);
    look_in_label_ = new TskSkinStdLabel(this);
    look_in_label_->SetParent(tool_bar_);
    look_in_label_->SetLayout(TTextLayout::tlCenter);
    look_in_label_->SetBounds(10, 0, 60, 25);
    look_in_label_->SetCaption(DialogText(texts, "FLV_LOOKIN"));
    look_in_label_->SetAlign(TAlign::alLeft);
    look_in_label_->SetSkinData(skin);

    auto tool = [&](int left, const char* glyph, const char* hint, TNotifyEvent click) {
        auto* b = new TskSkinSpeedButton(this);
        b->SetParent(tool_bar_);
        b->SetBounds(left, 0, 27, 25);
        b->SetGlyph(LoadToolGlyph(glyph));
        b->SetNumGlyphs(kToolGlyphCount);
        b->HintTitle = DialogText(texts, hint);
        b->OnClick = std::move(click);
        b->SetAlign(TAlign::alRight);
        b->SetSkinDataName("toolbutton");
        b->SetSkinData(skin);
        return b;
    };
    back_ = tool(w - 128, "SK_BACK", "MSG_BTN_BACK_HINT", [this](TComponent*) { GoBack(); });
    up_ = tool(w - 101, "SK_UP", "MSG_BTN_UP_HINT", [this](TComponent*) { GoUp(); });
    new_folder_ = tool(w - 74, "SK_NEWFOLDER", "MSG_BTN_NEWFOLDER_HINT", [this](TComponent*) { CreateFolder(); });
    spacer(w - 47, TAlign::alRight);

    view_menu_ = new TskSkinPopupMenu(this);
    const struct {
        const char* key;
        TViewStyle style;
    } styles[] = {{"MSG_LV_ICON", TViewStyle::vsIcon}, {"MSG_LV_SMALLICON", TViewStyle::vsSmallIcon},
        {"MSG_LV_LIST", TViewStyle::vsList}, {"MSG_LV_DETAILS", TViewStyle::vsReport}};
    for (const auto& s : styles) {
        auto* item = new TMenuItem(nullptr);
        item->Caption = DialogText(texts, s.key);
        item->RadioItem = true;
        item->Tag = static_cast<intptr_t>(s.style);
        item->OnClick = [this, style = s.style](TMenuItem*) { SetViewStyle(style); };
        view_menu_->Items()->Add(item);
    }
    view_ = new TskSkinMenuSpeedButton(this);
    view_->SetParent(tool_bar_);
    view_->SetBounds(w - 37, 0, 37, 25);
    view_->SetGlyph(LoadToolGlyph("SK_LVSTYLE"));
    view_->SetNumGlyphs(kToolGlyphCount);
    view_->HintTitle = DialogText(texts, "MSG_BTN_VIEWMENU_HINT");
    view_->SetSkinPopupMenu(view_menu_);
    view_->SetAlign(TAlign::alRight);
    view_->SetSkinDataName("toolmenubutton");
    view_->SetSkinData(skin);

    look_in_ = new TskSkinShellComboBox(this);
    look_in_->SetParent(tool_bar_);
    look_in_->SetBounds(70, 0, std::max(40, w - 198), 21);
    look_in_->SetAlign(TAlign::alClient);
    look_in_->SetDropDownCount(10);
    look_in_->DefaultFont().Assign(dialog_.DefaultFont());
    look_in_->SetSkinDataName("combobox");
    look_in_->SetSkinData(skin);
    look_in_->ListBox().SetSkinData(skin);
    look_in_->OnClick = [this](TComponent*) {
        const int row = look_in_->ItemIndex();
        if (row >= 0 && row < static_cast<int>(look_in_->Rows().size()))
            EnterFolder(look_in_->Rows()[static_cast<size_t>(row)].path);
    };
    tool_bar_->EnableAlign();
    tool_bar_->SetFlat(dialog_.ToolButtonsTransparent);
}

void TskOpenDlgForm::BuildFileArea()
{
    TskSkinData* skin = ControlSkin();
    const TskSkinData* texts = dialog_.SkinData() ? dialog_.SkinData() : skin;
    file_panel_ = new TskSkinPanel(this);
    file_panel_->SetParent(this);
    file_panel_->SetBorderStyle(TskSkinBorderStyle::bvFrame);
    file_panel_->SetAlign(TAlign::alClient);
    file_panel_->SetSkinDataName("panel");
    file_panel_->SetSkinData(skin);

    file_list_ = new TskSkinFileListView(this);
    file_list_->SetParent(file_panel_);
    file_list_->SetAlign(TAlign::alClient);
    file_list_->HeaderSkinDataName = dialog_.LVHeaderSkinDataName;
    file_list_->MultiSelect = dialog_.MultiSelection;
    file_list_->SetShowHidden(dialog_.ShowHiddenFiles);
    file_list_->DefaultFont().Assign(dialog_.DefaultFont());
    file_list_->SetColumnCaptions(DialogText(texts, "FLV_NAME"), DialogText(texts, "FLV_SIZE"),
        DialogText(texts, "FLV_TYPE"), DialogText(texts, "FLV_MODIFIED"));
    file_list_->SetSkinData(skin);
    file_list_->OnChange = [this](TComponent*) { ListChanged(); };
    file_list_->OnFolderChange = [this](TComponent*) { FolderChanged(); };
    file_list_->OnOpenItem = [this](TComponent*, int index) { OpenItem(index); };
    file_list_->OnContextMenu = [this](TComponent*, int index, Point screen) { ContextMenuAt(index, screen); };
    file_list_->OnKeyDown = [this](TComponent*, int& key, TShiftState shift) { ListKeyDown(key, shift); };
}

void TskOpenDlgForm::BuildBottom()
{
    TskSkinData* skin = ControlSkin();
    const TskSkinData* texts = dialog_.SkinData() ? dialog_.SkinData() : skin;
    bottom_ = new TskSkinPanel(this);
    bottom_->SetParent(this);
    bottom_->SetBorderStyle(TskSkinBorderStyle::bvNone);
    bottom_->SetBounds(0, ClientHeight() - 80, ClientWidth(), 80);
    bottom_->SetAlign(TAlign::alBottom);
    bottom_->SetSkinDataName("panel");
    bottom_->SetSkinData(skin);

    // Sized to their texts and centred on the boxes beside them.
    auto label = [&](int top, const char* key) {
        auto* l = new TskSkinStdLabel(this);
        l->SetParent(bottom_);
        l->SetSkinData(skin);
        l->SetCaption(DialogText(texts, key));
        l->SetBounds(10, top + (21 - l->Height()) / 2, l->Width(), l->Height());
        return l;
    };
    name_label_ = label(10, "MSG_FILENAME");
    type_label_ = label(45, "MSG_FILETYPE");

    name_box_ = new TskSkinEdit(this);
    name_box_->SetParent(bottom_);
    name_box_->SetBounds(70, 10, 200, 21);
    name_box_->SetTabOrder(0);
    name_box_->SetSkinData(skin);
    name_box_->OnKeyPress = [this](TComponent*, char& key) {
        if (key == '\r') {
            key = 0;
            NameBoxEnter();
        }
    };

    type_box_ = new TskSkinFilterComboBox(this);
    type_box_->SetParent(bottom_);
    type_box_->SetBounds(70, 45, 200, 21);
    type_box_->SetTabOrder(1);
    type_box_->SetSkinDataName("combobox");
    type_box_->SetSkinData(skin);
    type_box_->ListBox().SetSkinData(skin);
    type_box_->OnClick = [this](TComponent*) { TypeChanged(); };

    auto button = [&](int top, const std::string& caption) {
        auto* b = new TskSkinButton(this);
        b->SetParent(bottom_);
        b->SetBounds(ClientWidth() - 80, top, 70, 25);
        b->SetCaption(caption);
        b->SetCanFocused(true);
        b->DefaultFont().Assign(dialog_.DefaultFont());
        b->SetSkinDataName("button");
        b->SetSkinData(skin);
        return b;
    };
    save_ = button(10, DialogText(texts, save_mode_ ? "MSG_BTN_SAVE" : "MSG_BTN_OPEN"));
    save_->SetTabOrder(2);
    save_->OnClick = [this](TComponent*) { SaveClick(); };
    cancel_ = button(45, DialogText(texts, "MSG_BTN_CANCEL"));
    cancel_->SetTabOrder(3);
    cancel_->ModalResult = mrCancel;
    cancel_->Cancel = true;
}

void TskOpenDlgForm::LayOutBottom()
{
    if (!bottom_ || !name_box_)
        return;
    // The boxes stretch with the window, 90 pixels short of its right edge;
    // the buttons keep 10 pixels from it.
    const int w = ClientWidth();
    const int box = std::max(20, w - 70 - 90);
    name_box_->SetBounds(70, 10, box, 21);
    type_box_->SetBounds(70, 45, box, 21);
    save_->SetBounds(w - 80, 10, 70, 25);
    cancel_->SetBounds(w - 80, 45, 70, 25);
}

void TskOpenDlgForm::Resized()
{
    TForm::Resized();
    LayOutBottom();
}

const std::string& TskOpenDlgForm::Folder() const
{
    return file_list_->Folder();
}

std::vector<std::string> TskOpenDlgForm::SelectedFiles() const
{
    std::vector<std::string> files;
    for (int i : file_list_->SelectedIndices())
        if (!file_list_->Entry(i).folder)
            files.push_back(file_list_->EntryPath(i));
    return files;
}

// ---- folders ------------------------------------------------------------------------------

void TskOpenDlgForm::EnterFolder(const std::string& folder)
{
    file_list_->SetFolder(folder);
}

void TskOpenDlgForm::FolderChanged()
{
    const std::string& folder = Folder();
    history_.Entered(folder);
    if (!places_read_) {
        // The places are read once a run.
        places_read_ = true;
        home_ = dialog_.Context().home;
        desktop_ = DesktopFolder(home_);
        volumes_ = MountedVolumes();
    }
    std::vector<LookInRow> rows = LookInRows(home_, desktop_, volumes_, folder);
    const int current = CurrentLookInRow(rows, folder);
    look_in_->SetRows(std::move(rows), current);
    up_->SetEnabled(ParentFolder(folder).has_value());
    RaiseFolderChange();
}

void TskOpenDlgForm::GoBack()
{
    if (std::optional<std::string> folder = history_.TakeBack())
        EnterFolder(*folder);
}

void TskOpenDlgForm::GoUp()
{
    if (std::optional<std::string> parent = ParentFolder(Folder()))
        EnterFolder(*parent);
}

void TskOpenDlgForm::Refresh()
{
    file_list_->Refresh();
}

void TskOpenDlgForm::CreateFolder()
{
    const std::string base = cp936_to_utf8(DialogText(ControlSkin(), "MSG_NEWFOLDER"));
    const std::string name = CreateNewFolder(Folder(), base, new_folder_counter_);
    file_list_->Refresh();
    const int index = file_list_->IndexOfName(name);
    if (index < 0)
        return;
    file_list_->SelectOnly(index);
    file_list_->EditName(index);
}

// ---- names and acceptance -------------------------------------------------------------------

void TskOpenDlgForm::SetName(const std::string& name_utf8)
{
    name_ = NameBoxText::FromName(name_utf8);
    name_box_->SetText(name_.shown);
}

std::string TskOpenDlgForm::TypedName() const
{
    const std::string& text = name_box_->Text();
    return text == name_.shown && !name_.original.empty() ? name_.original : cp936_to_utf8(text);
}

bool TskOpenDlgForm::Accept(const std::string& path)
{
    if (save_mode_) {
        if (dialog_.OverwritePromt) {
            const std::string with_type = FinishSavePath(path, type_box_->Mask(), "");
            if (IsFile(with_type)) {
                const TModalResult answer = SkinMessageBox(DialogText(ControlSkin(), "MSG_CAP_WARNING"),
                    DialogText(ControlSkin(), "MSG_OVERWRITE"), TskMessageButtons::OKCancel, dialog_.SkinData(),
                    ControlSkin(), &dialog_.DefaultFont());
                if (answer != mrOk)
                    return false;
            }
        }
        accepted_ = path;
        SetModalResult(mrOk);
        return true;
    }
    // Open mode: with CheckFileExists only an existing file is taken, the
    // name as typed or with the default or the type's extension.
    std::string chosen = path;
    if (dialog_.CheckFileExists) {
        std::vector<std::string> candidates{path};
        if (FileExtension(path).empty()) {
            if (!dialog_.DefaultExt.empty())
                candidates.push_back(path + "." + dialog_.DefaultExt);
            candidates.push_back(FinishSavePath(path, type_box_->Mask(), ""));
        }
        const auto found = std::find_if(candidates.begin(), candidates.end(), IsFile);
        if (found == candidates.end())
            return false;
        chosen = *found;
    }
    accepted_ = chosen;
    SetModalResult(mrOk);
    return true;
}

void TskOpenDlgForm::SaveClick()
{
    if (std::optional<std::string> path = lt::AcceptedPath(Folder(), TypedName()))
        Accept(*path);
}

void TskOpenDlgForm::NameBoxEnter()
{
    const std::string& text = name_box_->Text();
    if (text.find('*') != std::string::npos) {
        file_list_->SetMask(text);
        return;
    }
    const std::string typed = TypedName();
    if (typed.find('/') != std::string::npos) {
        const std::string target = NormalizePath(typed.front() == '/' ? typed : JoinPath(Folder(), typed));
        if (IsFolder(target)) {
            try {
                EnterFolder(target);
            } catch (const EInOutError&) {
                throw std::runtime_error("Error setting path: \"" + DisplayName(target) + "\"");
            }
            name_ = {};
            name_box_->SetText({});
            return;
        }
    }
    // A name, or a path to a file: accepted as Save would.
    SaveClick();
}

void TskOpenDlgForm::TypeChanged()
{
    const std::string mask = type_box_->Mask();
    file_list_->SetMask(mask);
    if (!save_mode_ || name_box_->Text().empty())
        return;
    const std::string before = TypedName();
    const std::string after = NameForFileType(before, mask);
    if (after != before)
        SetName(after);
}

// ---- the list's events ----------------------------------------------------------------------------

void TskOpenDlgForm::ListChanged()
{
    const int index = file_list_->Selected();
    if (index >= 0 && !file_list_->Entry(index).folder)
        SetName(file_list_->Entry(index).name);
    RaiseFolderChange();
}

void TskOpenDlgForm::OpenItem(int index)
{
    if (index < 0 || index >= file_list_->Count())
        return;
    if (file_list_->Entry(index).folder)
        EnterFolder(file_list_->EntryPath(index));
    else
        Accept(file_list_->EntryPath(index));
}

void TskOpenDlgForm::ListKeyDown(int& key, TShiftState shift)
{
    switch (key) {
    case VK_BACK:
        if (!file_list_->Editing())
            GoUp();
        key = 0;
        break;
    case VK_F1 + 4:
        Refresh();
        key = 0;
        break;
    case VK_DELETE:
        DeleteSelected();
        key = 0;
        break;
    case VK_RETURN:
        if (shift & ssAlt) {
            ShowProperties();
            key = 0;
        }
        break;
    default:
        break;
    }
}

void TskOpenDlgForm::ContextMenuAt(int index, Point screen)
{
    // A fresh menu each time; the one before may still be running its
    // command, so it goes with the form rather than now.
    if (context_menu_)
        context_menu_->Items()->Clear();
    else
        context_menu_ = new TskSkinPopupMenu(this);
    TMenuItem* root = context_menu_->Items();
    auto add = [&](const char* caption, bool enabled, std::function<void()> run) {
        auto* item = new TMenuItem(nullptr);
        item->Caption = caption;
        item->Enabled = enabled;
        if (run)
            item->OnClick = [run = std::move(run)](TMenuItem*) { run(); };
        root->Add(item);
    };
    if (index >= 0 && index < file_list_->Count()) {
        // Commands name their entry, which may have moved by the time they run.
        const FolderEntry entry = file_list_->Entry(index);
        const bool deletable = !entry.folder || FolderIsEmpty(file_list_->EntryPath(index));
        add("&Rename", true, [this, name = entry.name] { file_list_->EditName(file_list_->IndexOfName(name)); });
        add("&Delete", deletable, [this, name = entry.name] {
            const int at = file_list_->IndexOfName(name);
            if (at < 0)
                return;
            file_list_->SelectOnly(at);
            DeleteSelected();
        });
        add("-", true, nullptr);
    }
    add("New &Folder", true, [this] { CreateFolder(); });
    add("Re&fresh", true, [this] { Refresh(); });
    context_menu_->Popup(screen.x, screen.y);
}

void TskOpenDlgForm::DeleteSelected()
{
    const int index = file_list_->Selected();
    if (index < 0)
        return;
    const FolderEntry entry = file_list_->Entry(index);
    const std::string path = file_list_->EntryPath(index);
    if (entry.folder && !FolderIsEmpty(path))
        throw std::runtime_error(
            "Cannot delete \"" + DisplayName(entry.name) + "\". " + std::system_category().message(ENOTEMPTY));
    const std::string question = "Do you want to delete \"" + DisplayName(entry.name) + "\"?";
    if (SkinMessageBox(DialogText(ControlSkin(), "MSG_CAP_CONFIRM"), question, TskMessageButtons::YesNo,
            dialog_.SkinData(), ControlSkin(), &dialog_.DefaultFont()) != mrYes)
        return;
    DeleteEntry(Folder(), entry);
    Refresh();
}

void TskOpenDlgForm::ShowProperties()
{
    const int index = file_list_->Selected();
    if (index < 0)
        return;
    const FolderEntry& e = file_list_->Entry(index);
    std::string text = "Name: " + DisplayName(e.name) + "\r\nType: " + TypeName(e) +
        "\r\nLocation: " + DisplayName(Folder()) + "\r\nModified: " + ModifiedText(e);
    if (!e.folder)
        text += "\r\nSize: " + std::to_string(e.size) + " bytes";
    SkinMessageBox(DialogText(ControlSkin(), "MSG_CAP_INFORMATION"), text, TskMessageButtons::OK, dialog_.SkinData(),
        ControlSkin(), &dialog_.DefaultFont());
}

void TskOpenDlgForm::SetViewStyle(TViewStyle style)
{
    file_list_->SetViewStyle(style);
    for (int i = 0; i < view_menu_->Items()->Count(); ++i) {
        TMenuItem* item = view_menu_->Items()->Items(i);
        if (item->Tag == static_cast<intptr_t>(style))
            item->SetChecked(true);
    }
}

void TskOpenDlgForm::RaiseFolderChange()
{
    if (TNotifyEvent handler = dialog_.OnFolderChange)
        handler(&dialog_);
}

// ---- TskSkinOpenDialog ------------------------------------------------------------------

TskSkinOpenDialog::TskSkinOpenDialog(TComponent* owner) : TComponent(owner), default_font_(std::make_unique<TFont>())
{
    default_font_->SetName("Arial");
    default_font_->SetHeight(14);
}

TskSkinOpenDialog::~TskSkinOpenDialog()
{
    delete form_;
}

void TskSkinOpenDialog::SetSkinData(TskSkinData* data)
{
    Repoint(*this, skin_data_, data);
}

void TskSkinOpenDialog::SetCtrlSkinData(TskSkinData* data)
{
    Repoint(*this, ctrl_skin_data_, data);
}

void TskSkinOpenDialog::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation != TOperation::opRemove)
        return;
    if (component == skin_data_)
        skin_data_ = nullptr;
    if (component == ctrl_skin_data_)
        ctrl_skin_data_ = nullptr;
    if (component == form_)
        form_ = nullptr;
}

bool TskSkinOpenDialog::Execute()
{
    if (TNotifyEvent handler = OnShow)
        handler(this);
    TComponent* owner = Application ? static_cast<TComponent*>(Application) : Owner();
    auto* form = new TskOpenDlgForm(owner, *this, save_mode_);
    form_ = form;
    FreeNotification(form);
    ScopeExit free_form([&] {
        if (form_) {
            RemoveFreeNotification(form_);
            delete form_;
            form_ = nullptr;
        }
    });

    form->SetViewStyle(ViewStyle);
    TskSkinFilterComboBox* types = form->TypeBox();
    types->SetFilter(Filter);
    const int type_count = static_cast<int>(types->Filters().size());
    {
        // The kept type, or the last one when it is out of range.
        TNotifyEvent click = std::move(types->OnClick);
        types->OnClick = nullptr;
        types->SetItemIndex(FilterIndex >= 1 && FilterIndex <= type_count ? FilterIndex - 1 : type_count - 1);
        types->OnClick = std::move(click);
    }
    form->FileList()->SetMask(types->Mask());

    // The starting folder; one that cannot be read falls back as a missing
    // one does, and the root is the last resort.
    const FolderContext context = Context();
    std::vector<std::string> starts{StartingFolder(FileName, InitialDir, context), DefaultFolder(context), "/"};
    for (size_t i = 0; i < starts.size(); ++i) {
        try {
            form->EnterFolder(starts[i]);
            break;
        } catch (const EInOutError&) {
            if (i + 1 == starts.size())
                throw;
        }
    }

    // The kept size, but never below what the skinned frame allows (its
    // minimum is of the whole window: less the frame's borders).
    int width = DialogWidth > 0 ? DialogWidth : 450;
    int height = DialogHeight > 0 ? DialogHeight : 290;
    if (skin_data_ && !skin_data_->Empty) {
        const Size min = form->Frame()->MinimumSize();
        width = std::max(width, min.width - (form->Width() - form->ClientWidth()));
        height = std::max(height, min.height - (form->Height() - form->ClientHeight()));
    }
    form->SetClientSize(width, height);
    form->SetName(std::string(NameOfPath(FileName)));
    form->SetActiveControl(form->NameBox());

    const TModalResult result = form->ShowModal();
    // Written back whatever the outcome.
    FilterIndex = types->ItemIndex() + 1;
    DialogWidth = form->ClientWidth();
    DialogHeight = form->ClientHeight();
    ViewStyle = form->FileList()->ViewStyle();

    const bool accepted = result == mrOk && !form->AcceptedPath().empty();
    if (accepted) {
        FileName = save_mode_ ? FinishSavePath(form->AcceptedPath(), types->Mask(), DefaultExt) : form->AcceptedPath();
        files_ = form->SelectedFiles();
        if (files_.empty())
            files_.push_back(FileName);
    }
    if (TNotifyEvent handler = OnClose)
        handler(this);
    return accepted;
}

// ---- TskSkinSaveDialog ------------------------------------------------------------------

TskSkinSaveDialog::TskSkinSaveDialog(TComponent* owner) : TskSkinOpenDialog(owner)
{
    Title = "Save file";
    save_mode_ = true;
}

} // namespace lt
