#pragma once
// The main window on a headless 1024 x 768 screen with virtual time: built
// the way start-up builds it (the application, its title, Form1), shown, and
// driven by injected mouse, keys and input-method text.
//
//   struct MyTest : lt::test::MainWindow { };
//   TEST_F(MyTest, ...) {
//       Click(w().skSkinXFormButton1);
//       pump();
//   }

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_form.h"
#include "forms/forms.h"
#include "platform/desktop.h"
#include "platform/headless.h"
#include "skinned/skin_form.h"
#include "skinned/skin_listbox.h"
#include "skinned/skin_menu.h"
#include "skinned/skin_menu_window.h"
#include "text/cp936.h"

namespace lt::test {

inline std::string cp(const std::string& utf8)
{
    return utf8_to_cp936(utf8);
}

inline std::string utf8(const std::string& cp936)
{
    return cp936_to_utf8(cp936);
}

struct MainWindow : ::testing::Test {
    VirtualClock clock;
    EventLoop loop{clock};
    HeadlessBackend backend{{1024, 768}};
    Desktop desktop{loop, backend};
    TApplication app{desktop};
    // What reached the application's error box, when a test catches it.
    std::vector<std::string> errors;

    void SetUp() override
    {
        app.Title = cp("Norvanta长尾词查询工具");
        app.CreateForm(Form1);
        Form1->Show();
        pump();
    }

    TForm1& w() const { return *Form1; }

    // Runs what is queued and paints.
    void pump()
    {
        loop.process_pending();
        loop.advance(0);
    }

    // Takes every error the application would show into `errors` instead.
    void CatchErrors()
    {
        app.OnException = [this](const std::string& message) { errors.push_back(message); };
    }

    Point Centre(const TControl* c) const { return c->ClientToScreen({c->Width() / 2, c->Height() / 2}); }

    void Click(Point screen, MouseButton b = MouseButton::Left)
    {
        backend.click(screen, b);
        pump();
    }
    void Click(const TControl* c) { Click(Centre(c)); }
    void DoubleClick(Point screen)
    {
        backend.click(screen);
        backend.click(screen);
        pump();
    }

    // The middle of a row of a list, in screen coordinates (rows below the
    // last one lie on the blank strip).
    Point RowPoint(const TskSkinListBox* list, int row) const
    {
        const TskListBox& inner = list->ListBox();
        const int y = (row - list->TopIndex()) * list->ItemHeight() + list->ItemHeight() / 2;
        return inner.ClientToScreen({20, y});
    }

    // Fills a list with rows (UTF-8).
    void Fill(TskSkinListBox* list, const std::vector<std::string>& rows)
    {
        for (const std::string& r : rows)
            list->Items().Add(cp(r));
        pump();
    }
    std::vector<std::string> RowsOf(const TskSkinListBox* list) const
    {
        std::vector<std::string> out;
        for (int i = 0; i < list->Count(); ++i)
            out.push_back(utf8(list->Items().Strings(i)));
        return out;
    }

    // The open popup menu's first window, or nullptr.
    TskSkinPopupWindow* MenuWindow() const
    {
        TskSkinMenu& menu = w().skform1->SkinMenu();
        return menu.Visible() ? menu.Windows(0) : nullptr;
    }

    // Right-clicks a list at `at` and clicks the item `index` of the menu
    // that opens; the command runs on the next loop turn.
    void RunMenuItem(const TskSkinListBox* list, Point at, int index)
    {
        backend.mouse_move(at);
        backend.mouse_down(at, MouseButton::Right);
        backend.mouse_up(at, MouseButton::Right);
        pump();
        TskSkinPopupWindow* menu = MenuWindow();
        ASSERT_NE(menu, nullptr) << "the context menu did not open";
        const Rect r = menu->ItemScreenRect(index);
        Click({r.left + r.width() / 2, r.top + r.height() / 2});
        pump();
    }

    // Types text the way an input method delivers it: a composition, then
    // the commit (UTF-8).
    void TypeThroughInputMethod(const std::string& text)
    {
        backend.compose(text, 0);
        pump();
        backend.commit(text);
        pump();
    }
};

} // namespace lt::test
