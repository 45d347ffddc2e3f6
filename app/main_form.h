#pragma once
// The main window of longtail, TForm1 (the one instance is Form1): every
// component and control of the window, built in the order the form lists
// them, the handlers each control event is wired to, and the harvest run's
// view of the window (a HarvestHost over its controls).
//
// Layout at the design size (client 827 x 629; the skinned frame adds 4, 27,
// 4 and 4 pixels around it):
//
//   skpanel1        top strip, 89 high: keyword box, 查询, 停止, the two
//                   options and the status panel
//   WebBrowser1     top strip, 72 high: the advertisement strip (empty here)
//   skSkinPanel1    top strip, 48 high: the four list buttons and a hint
//   skSkinGroupBox1 left, 409 wide: the results list and its counter
//   skSkinSplitter1 left of the export group: drag it to resize the results
//   skSkinGroupBox2 the rest: the export list and its counter
//
// Every event of the window goes to one handler below; no other event of
// any control is handled. The list commands live in app/list_commands.h,
// the export in app/export_command.h.
//
// Sections: the advertisement strip - TForm1.

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "forms/controls.h"
#include "forms/forms.h"
#include "forms/menus.h"
#include "harvest/harvest_run.h"
#include "harvest/source_profile.h"

namespace lt {

class TskCompressedStoredSkin;
class TskSkinCheckRadioBox;
class TskSkinData;
class TskSkinEdit;
class TskSkinForm;
class TskSkinGroupBox;
class TskSkinListBox;
class TskSkinPanel;
class TskSkinPopupMenu;
class TskSkinSaveDialog;
class TskSkinSplitter;
class TskSkinStatusPanel;
class TskSkinStdLabel;
class TskSkinXFormButton;

// ---- the advertisement strip ------------------------------------------------

// The strip where the maker's advertisement page would show. This platform
// embeds no web browser (it would run remote script in the process and send
// traffic at every start), so the strip stays empty: a windowless control
// that paints nothing, so the window's own background shows through, and
// fetches nothing.
class TAdStrip : public TGraphicControl {
public:
    explicit TAdStrip(TComponent* owner) : TGraphicControl(owner) { }
};

// ---- TForm1 -------------------------------------------------------------------

class TForm1 : public TForm {
public:
    explicit TForm1(TComponent* owner);
    ~TForm1() override;

    // ---- non-visual components
    TskSkinForm* skform1 = nullptr;
    TskSkinData* skskindata1 = nullptr;
    TskCompressedStoredSkin* skcmprsdstrdskn1 = nullptr;
    TskSkinPopupMenu* skSkinPopupMenu1 = nullptr;   // the results list's menu
    TMenuItem* N1 = nullptr;                        // 所选关键词导出到导出列表
    TMenuItem* N5 = nullptr;                        // 导出所有关键词到导出列表
    TMenuItem* N2 = nullptr;                        // 删除选中关键词
    TMenuItem* N4 = nullptr;                        // 清空所有关键词
    TskSkinPopupMenu* skSkinPopupMenu2 = nullptr;   // the export list's menu
    TMenuItem* MenuItem2 = nullptr;                 // 删除选中关键词
    TMenuItem* N3 = nullptr;                        // 清空列表
    TMenuItem* O1 = nullptr;                        // 导出为TXT文件(&O)
    TTimer* Timer1 = nullptr;                       // the counters, every 500 ms
    TTimer* Timer2 = nullptr;                       // the run's stop watcher
    TskSkinSaveDialog* skSkinSaveDialog1 = nullptr; // the export's file dialog

    // ---- controls, top to bottom
    TskSkinPanel* skpanel1 = nullptr;
    TskSkinStdLabel* lbl1 = nullptr;
    TskSkinEdit* edit1 = nullptr;
    TskSkinXFormButton* skSkinXFormButton1 = nullptr; // 查询
    TskSkinXFormButton* skSkinXFormButton2 = nullptr; // 停止
    TskSkinStdLabel* skSkinStdLabel5 = nullptr;
    TskSkinCheckRadioBox* skSkinCheckRadioBox1 = nullptr; // broad expansion
    TskSkinStatusPanel* skSkinStdLabel4 = nullptr;        // the status panel
    TskSkinCheckRadioBox* skSkinCheckRadioBox2 = nullptr; // must contain the keyword
    TAdStrip* WebBrowser1 = nullptr;
    TskSkinPanel* skSkinPanel1 = nullptr;
    TskSkinXFormButton* skSkinXFormButton4 = nullptr; // 全部选入导出列表
    TskSkinXFormButton* skSkinXFormButton5 = nullptr; // 清空导出列表
    TskSkinXFormButton* skSkinXFormButton3 = nullptr; // 清空全部数据
    TskSkinXFormButton* skSkinXFormButton6 = nullptr; // 导出为TXT文本文件
    TskSkinStdLabel* skSkinStdLabel2 = nullptr;
    TskSkinGroupBox* skSkinGroupBox1 = nullptr;
    TskSkinStdLabel* skSkinStdLabel1 = nullptr; // the results counter
    TskSkinListBox* skSkinListBox1 = nullptr;   // the results list
    TskSkinSplitter* skSkinSplitter1 = nullptr;
    TskSkinGroupBox* skSkinGroupBox2 = nullptr;
    TskSkinStdLabel* skSkinStdLabel3 = nullptr; // the export counter
    TskSkinListBox* skSkinListBox2 = nullptr;   // the export list

    // ---- handlers
    void FormCreate(TComponent* Sender);
    void skSkinXFormButton1Click(TComponent* Sender); // start a run
    void skSkinXFormButton2Click(TComponent* Sender); // stop it
    void Timer2Timer(TComponent* Sender);
    void Timer1Timer(TComponent* Sender);
    void skSkinListBox1ListBoxDblClick(TComponent* Sender);
    void skSkinListBox2ListBoxDblClick(TComponent* Sender);
    void N1Click(TMenuItem* Sender);
    void N5Click(TMenuItem* Sender);
    void N2Click(TMenuItem* Sender);
    void N4Click(TMenuItem* Sender);
    void MenuItem2Click(TMenuItem* Sender);
    void N3Click(TMenuItem* Sender);
    void skSkinXFormButton4Click(TComponent* Sender);
    void skSkinXFormButton5Click(TComponent* Sender);
    void skSkinXFormButton3Click(TComponent* Sender);
    void O1Click(TMenuItem* Sender);
    void skSkinXFormButton6Click(TComponent* Sender);

    // ---- the run
    HarvestRun& Run() { return *run_; }
    // Where Query reads the hosts and source profiles (LONGTAIL_SUGGEST_HOST,
    // LONGTAIL_SEARCH_HOST, LONGTAIL_SOURCES, LONGTAIL_SUGGEST_SOURCE,
    // LONGTAIL_RELATED_SOURCE), as the command-line tool reads them.
    SourceChoice::Getenv Getenv = [](const char* name) -> const char* { return std::getenv(name); };
    // How the export reaches the disk: the path (UTF-8) and the file's bytes.
    // Replaces the file only once every byte is written (harvest/export_file.h);
    // tests put a writer here whose writes stop short.
    std::function<void(const std::string& path, std::string_view bytes)> WriteExport;

private:
    class Host;

    void CreateComponents();
    void CreateControls();
    void WireEvents();

    std::unique_ptr<Host> host_;
    std::unique_ptr<HarvestRun> run_;
};

// The main window, once Application->CreateForm has begun building it.
extern TForm1* Form1;

} // namespace lt
