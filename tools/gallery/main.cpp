// The forms gallery: a form with the plain controls in a real window, for
// eyes. Type into the edit box and press Add to append it to the list;
// "Add 10,000" fills the list, "Dialog..." shows a modal form and "Fail"
// raises an exception in its click handler to show the error box.
//
// With --skinned it shows the skinned page instead (tools/gallery/
// skinned_page.h): every skinned control family in its states. With --png
// FILE it runs without a display on a virtual screen, paints the page once,
// writes it to FILE and exits.
//
// Usage: gallery [--skinned] [--png FILE] [--quit-after MS]

#include "forms/edit.h"
#include "forms/forms.h"
#include "forms/listbox.h"
#include "forms/stdctrls.h"
#include "platform/desktop.h"
#include "platform/headless.h"
#include "platform/sdl_backend.h"
#include "text/cp936.h"
#include "tools/gallery/skinned_page.h"

#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>

namespace lt {
namespace {

std::string cp(const char* utf8)
{
    return utf8_to_cp936(utf8);
}

template <class T>
T* make(TWinControl* parent, int left, int top, int width, int height)
{
    T* c = new T(parent->GetParentForm());
    c->SetParent(parent);
    c->SetBounds(left, top, width, height);
    return c;
}

class TGalleryForm : public TForm {
public:
    explicit TGalleryForm(TComponent* owner) : TForm(owner)
    {
        SetCaption(cp("Forms gallery - 长尾词查询工具"));
        SetClientSize(560, 400);
        Position = TPosition::poScreenCenter;
        Font().SetName(cp("宋体"));
        Font().SetHeight(-12);

        auto* top = make<TPanel>(this, 0, 0, 560, 72);
        top->SetAlign(TAlign::alTop);
        auto* prompt = make<TLabel>(top, 12, 14, 0, 0);
        prompt->SetCaption(cp("输入关键词"));
        edit_ = make<TEdit>(top, 90, 10, 200, 21);
        edit_->SetTabOrder(0);
        auto* add = make<TButton>(top, 300, 8, 75, 25);
        add->SetCaption("&Add");
        add->Default = true;
        add->SetTabOrder(1);
        add->OnClick = [this](TComponent*) {
            if (!edit_->Text().empty())
                list_->Items().Add(edit_->Text());
            edit_->SetText("");
        };
        auto* many = make<TButton>(top, 385, 8, 80, 25);
        many->SetCaption("Add 10,000");
        many->OnClick = [this](TComponent*) {
            TStrings& items = list_->Items();
            items.BeginUpdate();
            for (int i = 0; i < 10000; ++i)
                items.Add(cp("关键词 ") + std::to_string(items.Count()));
            items.EndUpdate();
        };
        auto* dialog = make<TButton>(top, 12, 40, 75, 25);
        dialog->SetCaption("Dialog...");
        dialog->OnClick = [this](TComponent*) { show_dialog(); };
        auto* fail = make<TButton>(top, 95, 40, 75, 25);
        fail->SetCaption("Fail");
        fail->OnClick = [this](TComponent*) { list_->Items().Strings(list_->Items().Count()); };
        auto* disabled = make<TButton>(top, 178, 40, 75, 25);
        disabled->SetCaption("Disabled");
        disabled->SetEnabled(false);
        counter_ = make<TLabel>(top, 300, 45, 0, 0);

        list_ = make<TListBox>(this, 0, 72, 280, 300);
        list_->SetAlign(TAlign::alLeft);
        list_->SetMultiSelect(true);
        list_->SetItemHeight(20);
        list_->SetTabOrder(2);
        for (const char* s : {"QQ空间", "qq空间登录", "长尾词", "网页游戏", "long tail keyword", "关键词挖掘"})
            list_->Items().Add(cp(s));
        list_->SetSelected(1, true);
        list_->SetSelected(3, true);
        list_->OnDblClick = [this](TComponent*) {
            int row = list_->ItemIndex();
            if (row >= 0 && row < list_->Items().Count())
                status_->SetCaption(cp("双击: ") + list_->Items().Strings(row));
        };

        auto* right = make<TPanel>(this, 280, 72, 280, 300);
        right->SetAlign(TAlign::alClient);
        right->BevelOuter = TBevelCut::bvLowered;
        right->SetCaption(cp("导出列表 (client area)"));

        status_ = make<TLabel>(this, 0, 380, 560, 20);
        status_->SetAutoSize(false);
        status_->SetAlign(TAlign::alBottom);
        status_->SetCaption(cp("就绪"));

        timer_ = new TTimer(this);
        timer_->SetInterval(500);
        timer_->SetOnTimer(
            [this](TComponent*) { counter_->SetCaption("(" + std::to_string(list_->Items().Count()) + ")"); });
        SetActiveControl(edit_);
    }

private:
    void show_dialog()
    {
        TForm* dlg = new TForm(this);
        dlg->SetBorderStyle(TFormBorderStyle::bsDialog);
        dlg->SetCaption("Modal dialog");
        dlg->SetClientSize(260, 90);
        dlg->Position = TPosition::poMainFormCenter;
        auto* text = make<TLabel>(dlg, 12, 12, 0, 0);
        text->SetCaption(cp("这是一个模态窗口。"));
        auto* ok = make<TButton>(dlg, 90, 50, 75, 25);
        ok->SetCaption("OK");
        ok->ModalResult = mrOk;
        ok->Default = true;
        auto* cancel = make<TButton>(dlg, 172, 50, 75, 25);
        cancel->SetCaption("Cancel");
        cancel->ModalResult = mrCancel;
        cancel->Cancel = true;
        int result = dlg->ShowModal();
        status_->SetCaption(result == mrOk ? "Dialog: OK" : "Dialog: Cancel");
        delete dlg;
    }

    TEdit* edit_;
    TListBox* list_;
    TLabel* counter_;
    TLabel* status_;
    TTimer* timer_;
};

} // namespace
} // namespace lt

namespace {

struct Options {
    int quit_after = 0;
    bool skinned = false;
    std::string png;
};

lt::TForm* create_page(lt::TApplication& app, const Options& o)
{
    if (o.skinned)
        return lt::gallery::CreateSkinnedPage(app);
    lt::TGalleryForm* form;
    app.CreateForm(form);
    return form;
}

// Paints the page once on a virtual screen and writes it as a PNG.
int write_png(const Options& o)
{
    lt::VirtualClock clock;
    lt::EventLoop loop(clock);
    lt::HeadlessBackend backend({1280, 1024});
    lt::Desktop desktop(loop, backend);
    lt::TApplication app(desktop);
    app.Title = "Gallery";
    lt::TForm* form = create_page(app, o);
    form->Show();
    loop.process_pending();
    loop.advance(0);
    backend.snapshot_window(*form->WindowHandle(), o.png);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    Options o;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quit-after") == 0 && i + 1 < argc)
            o.quit_after = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--png") == 0 && i + 1 < argc)
            o.png = argv[++i];
        else if (std::strcmp(argv[i], "--skinned") == 0)
            o.skinned = true;
    }
    try {
        if (!o.png.empty())
            return write_png(o);
        lt::RealClock clock;
        lt::EventLoop loop(clock);
        lt::SdlBackend backend;
        lt::Desktop desktop(loop, backend);
        lt::TApplication app(desktop);
        app.Title = "Forms gallery";
        create_page(app, o);
        if (o.quit_after > 0)
            loop.start_timer(o.quit_after, [&app] { app.Terminate(); });
        app.Run();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "gallery: %s\n", e.what());
        return 1;
    }
    return 0;
}
