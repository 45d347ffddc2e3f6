// A skinned form in a real window for the frame's Xvfb smoke test: the
// stored skin and the frame set up as the program's main window (minimize
// and maximize buttons) at 100, 100, 400 x 300, with a skinned panel filling
// the client whose context menu holds "One", "More" (a submenu) and "Two".
// It reports on stdout:
//   ready                      once shown and painted
//   bounds L T W H             after the mouse moved or sized the window
//   maximized L T W H          after a maximize, restored L T W H after a restore
//   menu X Y                   a context menu opened; X, Y is the centre of "Two"
//   command CAPTION            an item's command ran
// It quits by itself after 60 seconds.

#include <cstdio>

#include "skin/embedded_skin.h"
#include "skinned/form_broadcast.h"
#include "skinned/skin_form.h"
#include "skinned/skin_menu.h"
#include "skinned/skin_menu_window.h"
#include "skinned/static_controls.h"
#include "tests/skinned/skinned_probe.h"

using namespace lt;

namespace {

void say(const char* what, const Rect& r)
{
    std::printf("%s %d %d %d %d\n", what, r.left, r.top, r.width(), r.height());
    std::fflush(stdout);
}

TMenuItem* add(TMenuItem& parent, const char* caption)
{
    auto* item = new TMenuItem(nullptr);
    item->Caption = caption;
    item->OnClick = [](TMenuItem* it) {
        std::printf("command %s\n", it->Caption.c_str());
        std::fflush(stdout);
    };
    parent.Add(item);
    return item;
}

} // namespace

int main()
{
    lt::test::ProbeApp probe;
    EventLoop& loop = probe.loop;
    SetSkinMessageBroadcaster(&FormsSkinBroadcaster());

    TForm* form = probe.form;
    form->SetCaption("Skinned frame probe");
    TskSkinData* data = NewEmbeddedSkinData(form);
    auto* frame = new TskSkinForm(form);
    frame->SetBorderIcons(biMinimize | biMaximize);
    frame->SetSkinData(data);
    form->SetBounds(100, 100, 400, 300);

    auto* panel = new TskSkinPanel(form);
    panel->SetParent(form);
    panel->SetAlign(TAlign::alClient);
    panel->SetSkinDataName("panel");
    panel->SetSkinData(data);
    auto* menu = new TskSkinPopupMenu(form);
    add(*menu->Items(), "One");
    TMenuItem* more = add(*menu->Items(), "More");
    more->OnClick = nullptr;
    add(*more, "Sub");
    add(*menu->Items(), "Two");
    panel->PopupMenu = menu;
    frame->OnSkinMenuOpen = [&loop, frame](TComponent*) {
        // The windows exist once the opening is over.
        loop.post([frame] {
            if (TskSkinPopupWindow* w = frame->SkinMenu().Windows(0)) {
                const Rect r = w->ItemScreenRect(w->ItemCount() - 1);
                std::printf("menu %d %d\n", r.left + r.width() / 2, r.top + r.height() / 2);
                std::fflush(stdout);
            }
        });
    };

    // Our own size/move loop reports its end; only a change is news.
    Window* w = form->WindowHandle();
    Rect last = w->bounds();
    frame->OnMaximize = [&last, w](TComponent*) { say("maximized", last = w->bounds()); };
    frame->OnRestore = [&last, w](TComponent*) { say("restored", last = w->bounds()); };
    w->set_proc([&last, previous = w->proc()](Window& win, Message& m) -> LResult {
        const LResult r = win.call_proc(previous, m);
        if (m.msg == WM_EXITSIZEMOVE && win.bounds() != last) {
            last = win.bounds();
            say("bounds", last);
        }
        return r;
    });

    form->Show();
    w->update();
    lt::test::say("ready");
    probe.Run(60000);
    return 0;
}
