#include "app/main_form.h"

#include "app/export_command.h"
#include "app/list_commands.h"
#include "harvest/export_file.h"
#include "skin/embedded_skin.h"
#include "skin/skin_data.h"
#include "skinned/skin_buttons.h"
#include "skinned/skin_checkbox.h"
#include "skinned/skin_edit.h"
#include "skinned/skin_form.h"
#include "skinned/skin_listbox.h"
#include "skinned/skin_menu.h"
#include "skinned/skin_save_dialog.h"
#include "skinned/skin_splitter.h"
#include "skinned/static_controls.h"
#include "text/cp936.h"

namespace lt {

TForm1* Form1 = nullptr;

namespace {

// Code page 936 text from the UTF-8 of this file.
std::string cp(const char* utf8)
{
    return utf8_to_cp936(utf8);
}

TMenuItem* AddItem(TskSkinPopupMenu& menu, const char* caption)
{
    auto* item = new TMenuItem(nullptr);
    item->Caption = cp(caption);
    menu.Items()->Add(item);
    return item;
}

} // namespace

// ---- the run's view of the window ----------------------------------------------

class TForm1::Host final : public HarvestHost {
public:
    explicit Host(TForm1& form) : form_(form), rows_(*form.skSkinListBox1) { }

    std::string KeywordText() override { return form_.edit1->Text(); }
    bool BroadExpansion() override { return form_.skSkinCheckRadioBox1->Checked(); }
    bool MustContain() override { return form_.skSkinCheckRadioBox2->Checked(); }
    void SetStatus(const std::string& text) override { form_.skSkinStdLabel4->SetCaption(text); }
    HarvestRows& Results() override { return rows_; }
    void SetResultsCounter(const std::string& text) override { form_.skSkinStdLabel1->SetCaption(text); }
    Timer& Timer2() override { return form_.Timer2->Base(); }

private:
    // The rows of the results list box.
    class Rows final : public HarvestRows {
    public:
        explicit Rows(TskSkinListBox& list) : list_(list) { }
        int count() const override { return list_.Count(); }
        std::string text(int index) const override { return list_.Items().Strings(index); }
        int lookup(std::string_view phrase) const override { return list_.Items().IndexOf(std::string(phrase)); }
        void append(const std::string& phrase) override { list_.Items().Add(phrase); }
        void clear() override { list_.Clear(); }

    private:
        TskSkinListBox& list_;
    };

    TForm1& form_;
    Rows rows_;
};

// ---- building the window ---------------------------------------------------------

TForm1::TForm1(TComponent* owner) : TForm(owner)
{
    // Handlers that run while the window is being built reach it through Form1.
    Form1 = this;
    SetCaption(cp("Norvanta长尾词查询工具V1.2-修正部分用户不能查询中文长尾词的错误"));
    // The design position; the skinned frame centres the window on the
    // screen when it is first shown.
    SetBounds(311, 83, Width(), Height());
    SetClientSize(827, 629);
    SetColor(clBtnFace);
    Font().SetName(cp("新宋体"));
    Font().SetHeight(-12);
    Font().SetCharset(ANSI_CHARSET);
    Font().SetColor(clWindowText);

    CreateComponents();
    CreateControls();
    host_ = std::make_unique<Host>(*this);
    run_ = std::make_unique<HarvestRun>(*host_, this, Application->Loop());
    WireEvents();
}

TForm1::~TForm1()
{
    // The run goes first: requests still fetching are owned by the window and
    // must find no run to call back into while the rest is torn down.
    run_.reset();
    host_.reset();
    if (Form1 == this)
        Form1 = nullptr;
}

void TForm1::CreateComponents()
{
    skform1 = new TskSkinForm(this);
    skform1->PositionInMonitor = TskPositionInMonitor::skpScreenCenter;
    skform1->SetBorderIcons(biMinimize | biMaximize);
    skform1->UseDefaultSysMenu = true;
    skform1->SetShowIcon(true);
    skform1->AlphaBlend = false;
    skform1->Magnetic = false;
    skform1->DefCaptionFont().SetName(cp("宋体"));
    skform1->DefCaptionFont().SetHeight(-14);
    skform1->DefCaptionFont().SetStyle(fsBold);
    skform1->SetDefMenuItemHeight(20);

    skskindata1 = new TskSkinData(this);
    skskindata1->SetSkinnableForm(true);
    skskindata1->EnableSkinEffects = true;
    skcmprsdstrdskn1 = new TskCompressedStoredSkin(this);
    AssignEmbeddedSkin(*skcmprsdstrdskn1);
    skskindata1->SetSkinIndex(0);
    // Loads the stored skin now, while the window is being built; then the
    // frame takes the window over with it.
    skskindata1->SetCompressedStoredSkin(skcmprsdstrdskn1);
    skform1->SetSkinData(skskindata1);
    // The design's client area inside the skin's frame (835 x 660 in all).
    SetClientSize(827, 629);

    skSkinPopupMenu1 = new TskSkinPopupMenu(this);
    N1 = AddItem(*skSkinPopupMenu1, "所选关键词导出到导出列表");
    N5 = AddItem(*skSkinPopupMenu1, "导出所有关键词到导出列表");
    N2 = AddItem(*skSkinPopupMenu1, "删除选中关键词");
    N4 = AddItem(*skSkinPopupMenu1, "清空所有关键词");
    skSkinPopupMenu2 = new TskSkinPopupMenu(this);
    MenuItem2 = AddItem(*skSkinPopupMenu2, "删除选中关键词");
    N3 = AddItem(*skSkinPopupMenu2, "清空列表");
    O1 = AddItem(*skSkinPopupMenu2, "导出为TXT文件(&O)");

    Timer1 = new TTimer(this);
    Timer1->SetInterval(500);
    Timer1->SetEnabled(true);
    Timer2 = new TTimer(this);
    Timer2->SetInterval(500);
    Timer2->SetEnabled(false);

    // The export's dialog: one text file type; opens where the last export
    // went (the program's own folder at first), replaces a file without a
    // question, and keeps its size and view for the next export.
    skSkinSaveDialog1 = new TskSkinSaveDialog(this);
    skSkinSaveDialog1->Title = cp("导出为TXT文件");
    skSkinSaveDialog1->Filter = cp("文本文件|*.txt");
    skSkinSaveDialog1->FilterIndex = 1;
    skSkinSaveDialog1->OverwritePromt = false;
    skSkinSaveDialog1->CheckFileExists = true;
    skSkinSaveDialog1->MultiSelection = false;
    skSkinSaveDialog1->ShowHiddenFiles = false;
    skSkinSaveDialog1->LVHeaderSkinDataName = "button";
    skSkinSaveDialog1->SetSkinData(skskindata1);
    skSkinSaveDialog1->SetCtrlSkinData(skskindata1);
    WriteExport = [](const std::string& path, std::string_view bytes) { WriteExportFile(path, bytes); };
}

namespace {

template <class T>
T* Place(TComponent* owner, TWinControl* parent, int left, int top, int width, int height)
{
    auto* c = new T(owner);
    c->SetParent(parent);
    c->SetBounds(left, top, width, height);
    return c;
}

// A skinned control bound to the window's skin object `name`.
template <class T>
T* PlaceSkinned(TComponent* owner, TWinControl* parent, TskSkinData* data, const char* name, int left, int top,
    int width, int height)
{
    T* c = Place<T>(owner, parent, left, top, width, height);
    c->SetSkinDataName(name);
    c->SetSkinData(data);
    return c;
}

} // namespace

void TForm1::CreateControls()
{
    TskSkinData* data = skskindata1;
    DisableAlign();

    // The keyword strip.
    skpanel1 = PlaceSkinned<TskSkinPanel>(this, this, data, "panel", 0, 0, 827, 89);
    skpanel1->SetAlign(TAlign::alTop);
    skpanel1->SetBorderStyle(TskSkinBorderStyle::bvFrame);
    skpanel1->SetCaptionMode(false);
    lbl1 = PlaceSkinned<TskSkinStdLabel>(this, skpanel1, data, "stdlabel", 19, 15, 60, 13);
    lbl1->SetCaption(cp("输入关键词"));
    edit1 = PlaceSkinned<TskSkinEdit>(this, skpanel1, data, "edit", 96, 11, 233, 18);
    edit1->SetTabOrder(2);
    for (TskSkinXFormButton** button : {&skSkinXFormButton1, &skSkinXFormButton2}) {
        const bool query = button == &skSkinXFormButton1;
        *button = PlaceSkinned<TskSkinXFormButton>(this, skpanel1, data, "button", query ? 344 : 424, 10, 73, 22);
        TskSkinXFormButton& b = **button;
        b.SetCaption(cp(query ? "查询" : "停止"));
        // Their own font, black in every state, instead of the skin's.
        b.DefaultFont().SetName(cp("宋体"));
        b.DefaultFont().SetHeight(-12);
        b.DefaultFont().SetColor(clBlack);
        b.SetUseSkinFont(false);
        b.SetUseSkinFontColor(false);
        b.DefActiveFontColor = clBlack;
        b.DefDownFontColor = clBlack;
        b.SetCanFocused(false);
    }
    skSkinStdLabel5 = PlaceSkinned<TskSkinStdLabel>(this, skpanel1, data, "stdlabel", 512, 14, 192, 13);
    skSkinStdLabel5->SetCaption(cp("注意：广泛相关最后可能根本不相关"));
    skSkinCheckRadioBox1 = PlaceSkinned<TskSkinCheckRadioBox>(this, skpanel1, data, "checkbox", 341, 38, 484, 25);
    skSkinCheckRadioBox1->SetCaption(
        cp("广泛相关（如：关键词\"QQ空间\"，找到空间、51，则继续穷举和\"空间\"、\"51\"相关的词。）"));
    skSkinStdLabel4 = PlaceSkinned<TskSkinStatusPanel>(this, skpanel1, data, "statuspanel", 21, 52, 308, 21);
    skSkinStdLabel4->SetBorderStyle(TskSkinBorderStyle::bvFrame);
    skSkinStdLabel4->SetEllipsType(TskEllipsType2::sketNoneEllips);
    skSkinCheckRadioBox2 = PlaceSkinned<TskSkinCheckRadioBox>(this, skpanel1, data, "checkbox", 341, 60, 484, 25);
    skSkinCheckRadioBox2->SetCaption(cp("长尾词必须包含关键词"));
    for (TskSkinCheckRadioBox* box : {skSkinCheckRadioBox1, skSkinCheckRadioBox2}) {
        box->SetRadio(false);
        box->SetFlat(true);
        box->SetChecked(true);
    }

    // The advertisement strip.
    WebBrowser1 = Place<TAdStrip>(this, this, 0, 89, 827, 72);
    WebBrowser1->SetAlign(TAlign::alTop);

    // The command strip.
    skSkinPanel1 = PlaceSkinned<TskSkinPanel>(this, this, data, "panel", 0, 161, 827, 48);
    skSkinPanel1->SetAlign(TAlign::alTop);
    skSkinPanel1->SetBorderStyle(TskSkinBorderStyle::bvFrame);
    skSkinPanel1->SetCaptionMode(false);
    struct {
        TskSkinXFormButton** button;
        int left;
        const char* caption;
    } const strip[] = {
        {&skSkinXFormButton4, 8, "全部选入导出列表"},
        {&skSkinXFormButton5, 144, "清空导出列表"},
        {&skSkinXFormButton3, 280, "清空全部数据"},
        {&skSkinXFormButton6, 416, "导出为TXT文本文件"},
    };
    for (const auto& s : strip) {
        *s.button = PlaceSkinned<TskSkinXFormButton>(this, skSkinPanel1, data, "button", s.left, 13, 121, 25);
        (*s.button)->SetCaption(cp(s.caption));
        (*s.button)->SetCanFocused(false);
    }
    skSkinStdLabel2 = PlaceSkinned<TskSkinStdLabel>(this, skSkinPanel1, data, "stdlabel", 552, 18, 240, 13);
    skSkinStdLabel2->SetCaption(cp("提示：下面的列表可以【双击、右键】操作。"));

    // The two lists, each in a group box with its counter in the caption bar.
    auto make_group = [&](int left, int width, const char* caption, TskSkinGroupBox*& group, TskSkinStdLabel*& counter,
                          TskSkinListBox*& list, int list_width, TskSkinPopupMenu* menu) {
        group = PlaceSkinned<TskSkinGroupBox>(this, this, data, "groupbox", left, 209, width, 420);
        group->SetCaption(cp(caption));
        group->SetCaptionMode(true);
        group->SetBorderStyle(TskSkinBorderStyle::bvFrame);
        counter = Place<TskSkinStdLabel>(this, group, 10, 1, 12, 13);
        counter->SetCaption("(0)");
        counter->SetSkinDataName("stdlabel");
        counter->SetSkinData(data);
        list = PlaceSkinned<TskSkinListBox>(this, group, data, "listbox", 1, 23, list_width, 396);
        list->SetAlign(TAlign::alClient);
        list->SetMultiSelect(true);
        list->SetExtendedSelect(true);
        list->SetCaptionMode(false);
        list->SetDefaultCaptionHeight(20);
        list->SetDefaultItemHeight(20);
        list->AutoComplete = true;
        list->PopupMenu = menu;
    };
    make_group(0, 409, "长尾词列表", skSkinGroupBox1, skSkinStdLabel1, skSkinListBox1, 407, skSkinPopupMenu1);
    skSkinGroupBox1->SetAlign(TAlign::alLeft);
    // The results list draws its rows at the fixed height; the export list
    // takes the skin's.
    skSkinListBox1->SetUseSkinItemHeight(false);

    skSkinSplitter1 = Place<TskSkinSplitter>(this, this, 409, 209, 10, 420);
    skSkinSplitter1->SetAlign(TAlign::alLeft);
    skSkinSplitter1->DefaultSize = 10;
    skSkinSplitter1->SetTransparent(false);
    skSkinSplitter1->SetSkinDataName("vsplitter");
    skSkinSplitter1->SetSkinData(data);

    make_group(419, 408, "导出列表", skSkinGroupBox2, skSkinStdLabel3, skSkinListBox2, 406, skSkinPopupMenu2);
    skSkinGroupBox2->SetAlign(TAlign::alClient);
    skSkinListBox2->SetUseSkinItemHeight(true);

    EnableAlign();
}

void TForm1::WireEvents()
{
    OnCreate = [this](TComponent* s) { FormCreate(s); };
    skSkinXFormButton1->OnClick = [this](TComponent* s) { skSkinXFormButton1Click(s); };
    skSkinXFormButton2->OnClick = [this](TComponent* s) { skSkinXFormButton2Click(s); };
    // Set after the run has armed its stop watcher on the same timer, so the
    // tick comes here.
    Timer2->SetOnTimer([this](TComponent* s) { Timer2Timer(s); });
    Timer1->SetOnTimer([this](TComponent* s) { Timer1Timer(s); });
    skSkinListBox1->OnListBoxDblClick = [this](TComponent* s) { skSkinListBox1ListBoxDblClick(s); };
    skSkinListBox2->OnListBoxDblClick = [this](TComponent* s) { skSkinListBox2ListBoxDblClick(s); };
    N1->OnClick = [this](TMenuItem* s) { N1Click(s); };
    N5->OnClick = [this](TMenuItem* s) { N5Click(s); };
    N2->OnClick = [this](TMenuItem* s) { N2Click(s); };
    N4->OnClick = [this](TMenuItem* s) { N4Click(s); };
    MenuItem2->OnClick = [this](TMenuItem* s) { MenuItem2Click(s); };
    N3->OnClick = [this](TMenuItem* s) { N3Click(s); };
    skSkinXFormButton4->OnClick = [this](TComponent* s) { skSkinXFormButton4Click(s); };
    skSkinXFormButton5->OnClick = [this](TComponent* s) { skSkinXFormButton5Click(s); };
    skSkinXFormButton3->OnClick = [this](TComponent* s) { skSkinXFormButton3Click(s); };
    O1->OnClick = [this](TMenuItem* s) { O1Click(s); };
    skSkinXFormButton6->OnClick = [this](TComponent* s) { skSkinXFormButton6Click(s); };
}

// ---- handlers ----------------------------------------------------------------------

void TForm1::FormCreate(TComponent* Sender)
{
    // The advertisement strip shows no page on this platform, so there is
    // nothing to navigate.
}

void TForm1::skSkinXFormButton1Click(TComponent* Sender)
{
    // The hosts and sources are read when a run is about to start; a bad
    // profile file or name is reported as an error and no run starts.
    if (!run_->State().Running && !host_->KeywordText().empty()) {
        SourcesOrError sources = SourcesFromEnvironment(Getenv);
        if (sources.error)
            throw *sources.error;
        run_->SetHosts(ServiceHosts::FromEnvironment(Getenv));
        run_->SetSources(sources.sources->suggest, sources.sources->related);
    }
    run_->skSkinXFormButton1Click(Sender);
}

void TForm1::skSkinXFormButton2Click(TComponent* Sender)
{
    run_->skSkinXFormButton2Click(Sender);
}

void TForm1::Timer2Timer(TComponent* Sender)
{
    run_->Timer2Timer(Sender);
}

void TForm1::Timer1Timer(TComponent* Sender)
{
    skSkinStdLabel1->SetCaption(CounterText(skSkinListBox1->Count()));
    skSkinStdLabel3->SetCaption(CounterText(skSkinListBox2->Count()));
}

void TForm1::skSkinListBox1ListBoxDblClick(TComponent* Sender)
{
    const int row = DoubleClickedRow(*skSkinListBox1);
    if (row >= 0)
        AddRowUnlessListed(*skSkinListBox1, row, *skSkinListBox2);
}

void TForm1::skSkinListBox2ListBoxDblClick(TComponent* Sender)
{
    const int row = DoubleClickedRow(*skSkinListBox2);
    if (row >= 0)
        skSkinListBox2->Items().Delete(row);
}

void TForm1::N1Click(TMenuItem* Sender)
{
    CopySelectedRows(*skSkinListBox1, *skSkinListBox2);
}

void TForm1::N5Click(TMenuItem* Sender)
{
    CopyAllRows(*skSkinListBox1, *skSkinListBox2);
}

void TForm1::N2Click(TMenuItem* Sender)
{
    DeleteSelectedRows(*skSkinListBox1);
}

void TForm1::N4Click(TMenuItem* Sender)
{
    skSkinListBox1->Clear();
}

void TForm1::MenuItem2Click(TMenuItem* Sender)
{
    DeleteSelectedRows(*skSkinListBox2);
}

void TForm1::N3Click(TMenuItem* Sender)
{
    skSkinListBox2->Clear();
}

void TForm1::skSkinXFormButton4Click(TComponent* Sender)
{
    N5->Click();
}

void TForm1::skSkinXFormButton5Click(TComponent* Sender)
{
    skSkinListBox2->Clear();
}

void TForm1::skSkinXFormButton3Click(TComponent* Sender)
{
    skSkinListBox1->Clear();
    skSkinListBox2->Clear();
}

void TForm1::O1Click(TMenuItem* Sender)
{
    ExportCommand(*this);
}

void TForm1::skSkinXFormButton6Click(TComponent* Sender)
{
    O1->Click();
}

} // namespace lt
