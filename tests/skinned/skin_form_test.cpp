// The skinned window frame on the headless desktop with the stored skin, the
// way the program's main window sets it up (835 x 660, minimize and maximize
// buttons): non-client geometry for window sizes, the hit test, caption
// buttons under the mouse, maximize and restore, the system menu and
// Alt+Space, centring, moving and sizing through the platform's loop, hot
// tracking on the window timer, the skin-change relay, the caption text, a
// failed skin load, pixels of the frame against the stored skin, and the
// default frame drawn without a skin. Writes skin_form.png for eyes.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gfx/draw_text.h"
#include "gfx/png.h"
#include "platform/desktop.h"
#include "platform/headless.h"
#include "skin/embedded_skin.h"
#include "skinned/form_broadcast.h"
#include "skinned/skin_control.h"
#include "skinned/skin_edit.h"
#include "skinned/skin_form.h"
#include "skinned/skin_form_interaction.h"
#include "skinned/skin_menu_window.h"
#include "skinned/static_controls.h"
#include "tests/gfx/pixels.h"
#include "text/cp936.h"

namespace lt {
namespace {

Point Centre(const Rect& r)
{
    return {r.left + r.width() / 2, r.top + r.height() / 2};
}

struct SkinFormTest : ::testing::Test {
    VirtualClock clock;
    EventLoop loop{clock};
    HeadlessBackend backend{{1024, 768}};
    Desktop desktop{loop, backend};
    TApplication app{desktop};
    TForm* form = nullptr;
    TskCompressedStoredSkin* stored = nullptr;
    TskSkinData* data = nullptr;
    TskSkinForm* frame = nullptr;
    int closes = 0;

    void SetUp() override
    {
        SetSkinMessageBroadcaster(&FormsSkinBroadcaster());
        app.CreateForm(form);
        form->SetCaption(utf8_to_cp936("Norvanta长尾词查询工具"));
        form->OnClose = [this](TComponent*, TCloseAction& action) {
            ++closes;
            action = TCloseAction::caNone;
        };
        data = NewEmbeddedSkinData(form);
        stored = data->CompressedStoredSkin();
        ASSERT_FALSE(data->Empty);
        frame = new TskSkinForm(form);
        frame->SetBorderIcons(biMinimize | biMaximize);
        frame->SetSkinData(data);
        form->SetBounds(100, 50, 835, 660);
    }

    void Show()
    {
        form->Show();
        pump();
    }

    void pump()
    {
        loop.process_pending();
        loop.advance(0);
    }

    Window& W() const { return *form->WindowHandle(); }
    Point Screen(Point window_point) const { return W().window_to_screen(window_point); }
    // What the window shows (window coordinates).
    const Bitmap& Image() const { return *desktop.image(W()); }
    Bitmap Shot(const Rect& window_rect) const { return Image().copy(window_rect); }
    const Bitmap& Picture(int i) const { return *data->ActivePicture(i); }
    Rect ButtonRect(TskStdCommand command) const { return frame->FindButton(command)->ObjectRect; }

    void Click(Point window_point, MouseButton b = MouseButton::Left)
    {
        backend.click(Screen(window_point), b);
        pump();
    }
    void DoubleClick(Point window_point)
    {
        Click(window_point);
        loop.advance(100);
        Click(window_point);
    }
    int HitTest(Point window_point)
    {
        return static_cast<int>(W().send(WM_NCHITTEST, 0, point_lparam(Screen(window_point))));
    }

    // The captions of the open menu's first window.
    std::vector<std::string> MenuCaptions() const
    {
        std::vector<std::string> out;
        if (TskSkinPopupWindow* w = frame->SkinMenu().Windows(0))
            for (int i = 0; i < w->ItemCount(); ++i)
                out.push_back(w->Items(i).Item().Caption);
        return out;
    }
    // Clicks the open menu's item with this caption; its command runs on the
    // loop's next turn.
    void ClickMenuItem(const std::string& caption)
    {
        TskSkinPopupWindow* w = frame->SkinMenu().Windows(0);
        ASSERT_NE(w, nullptr);
        for (int i = 0; i < w->ItemCount(); ++i)
            if (w->Items(i).Item().Caption == caption) {
                backend.click(Centre(w->ItemScreenRect(i)));
                pump();
                pump();
                return;
            }
        ADD_FAILURE() << "no menu item " << caption;
    }
};

// ---- geometry ---------------------------------------------------------------------------

TEST_F(SkinFormTest, NonClientGeometryFollowsTheWindowSize)
{
    struct Row {
        const char* name;
        Size size;
        Rect client, caption, close, maximize, minimize;
    };
    const Row rows[] = {
        {"main window", {835, 660}, {4, 27, 831, 656}, {5, 4, 765, 24}, {811, 5, 832, 26}, {788, 5, 809, 26},
            {765, 5, 786, 26}},
        {"the minimum", {200, 31}, {4, 27, 196, 27}, {5, 4, 130, 24}, {176, 5, 197, 26}, {153, 5, 174, 26},
            {130, 5, 151, 26}},
        {"very wide", {3000, 660}, {4, 27, 2996, 656}, {5, 4, 2930, 24}, {2976, 5, 2997, 26}, {2953, 5, 2974, 26},
            {2930, 5, 2951, 26}},
        {"narrow and tall", {200, 700}, {4, 27, 196, 696}, {5, 4, 130, 24}, {176, 5, 197, 26}, {153, 5, 174, 26},
            {130, 5, 151, 26}},
    };
    const SkinFrameGeometry& g = frame->Geometry();
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(g.client(r.size), r.client);
        EXPECT_EQ(g.part_rect(r.size, HTCAPTION), r.caption);
        EXPECT_EQ(g.part_rect(r.size, HTCLOSE), r.close);
        EXPECT_EQ(g.part_rect(r.size, HTMAXBUTTON), r.maximize);
        EXPECT_EQ(g.part_rect(r.size, HTMINBUTTON), r.minimize);
        // The roll-up, tray and system-menu buttons take no place.
        EXPECT_TRUE(g.part_rect(r.size, HTSYSMENU).empty());
    }
    EXPECT_EQ(frame->MinimumSize(), (Size{200, 31}));
    EXPECT_EQ(g.margins(), (Rect{4, 27, 4, 4}));

    // The real window asks the frame for its client area.
    Show();
    EXPECT_EQ(W().client_in_window(), (Rect{4, 27, 831, 656}));
    EXPECT_EQ(form->ClientWidth(), 827);
    EXPECT_EQ(form->ClientHeight(), 629);
}

TEST_F(SkinFormTest, SizingByTheCornerMovesTheShapeAndStopsAtTheMinimum)
{
    Show();
    backend.mouse_down(Screen({833, 658}));
    backend.mouse_move(Screen({633, 558}));
    backend.mouse_move(Screen({533, 408}));
    backend.mouse_up(Screen({533, 408}));
    pump();
    EXPECT_EQ(W().bounds(), (Rect{100, 50, 635, 460}));
    EXPECT_EQ(W().client_in_window(), (Rect{4, 27, 531, 406}));
    // The shape follows the size: the top corners are cut, the bottom edge
    // is whole.
    ASSERT_NE(W().region(), nullptr);
    EXPECT_EQ(W().region()->bounds(), (Rect{0, 0, 535, 410}));
    EXPECT_FALSE(W().region()->contains({534, 0}));
    EXPECT_TRUE(W().region()->contains({534, 3}));
    EXPECT_TRUE(W().region()->contains({250, 409}));

    // Far up and left: the window stops at 200 x 31.
    backend.mouse_down(Screen({533, 408}));
    backend.mouse_move(Screen({-200, -300}));
    backend.mouse_up(Screen({-200, -300}));
    pump();
    EXPECT_EQ(W().bounds(), (Rect{100, 50, 300, 81}));
}

TEST_F(SkinFormTest, CaptionDragMovesTheWindow)
{
    Show();
    backend.mouse_down(Screen({300, 12}));
    backend.mouse_move(Screen({350, 42}));
    backend.mouse_up(Screen({350, 42}));
    pump();
    EXPECT_EQ(W().bounds(), (Rect{150, 80, 985, 740}));
    EXPECT_EQ(frame->FrameWindowState(), TskFrameWindowState::Normal);
}

// ---- the hit test -------------------------------------------------------------------------

TEST_F(SkinFormTest, HitTestOfTheSkinnedFrame)
{
    Show();
    struct Row {
        const char* name;
        Point at;
        int answer; // what WM_NCHITTEST answers
        int part;   // what the geometry names
    };
    const Row rows[] = {
        {"caption", {300, 12}, HTCAPTION, HTCAPTION},
        {"caption text start", {9, 12}, HTCAPTION, HTCAPTION},
        {"client", {400, 300}, HTCLIENT, HTCLIENT},
        {"top border", {400, 1}, HTTOP, HTTOP},
        {"bottom border", {400, 658}, HTBOTTOM, HTBOTTOM},
        {"left border", {1, 300}, HTLEFT, HTLEFT},
        {"right border", {833, 300}, HTRIGHT, HTRIGHT},
        {"top-left corner", {5, 5}, HTTOPLEFT, HTTOPLEFT},
        {"top-left corner below the caption", {2, 28}, HTTOPLEFT, HTTOPLEFT},
        {"top-right corner", {830, 2}, HTTOPRIGHT, HTTOPRIGHT},
        {"bottom-right corner", {833, 658}, HTBOTTOMRIGHT, HTBOTTOMRIGHT},
        // The bottom-left corner starts at the hit-test point's y, 202 + dy.
        {"bottom-left corner", {2, 652}, HTBOTTOMLEFT, HTBOTTOMLEFT},
        {"just above the bottom-left corner", {2, 651}, HTLEFT, HTLEFT},
        {"close button", {821, 15}, HTOBJECT, HTCLOSE},
        {"maximize button", {798, 15}, HTOBJECT, HTMAXBUTTON},
        {"minimize button", {775, 15}, HTOBJECT, HTMINBUTTON},
        // A hot button wins over the sizing border under its right edge.
        {"close button on the border", {831, 15}, HTOBJECT, HTTOPRIGHT},
        {"between two buttons", {787, 15}, HTOBJECT, HTOBJECT},
        {"frame below the caption", {400, 25}, HTOBJECT, HTOBJECT},
    };
    const Size size = W().bounds().size();
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(frame->Geometry().part_at(size, r.at), r.part);
        EXPECT_EQ(HitTest(r.at), r.answer);
    }
    // The mask cuts the top corners away: the point belongs to no window.
    EXPECT_EQ(desktop.window_from_point(Screen({0, 0})), nullptr);
    EXPECT_EQ(desktop.window_from_point(Screen({834, 1})), nullptr);
    EXPECT_EQ(desktop.window_from_point(Screen({3, 0})), &W());

    // Maximized, nothing sizes the window.
    frame->Maximize();
    const Size max = W().bounds().size();
    EXPECT_EQ(frame->Geometry().part_at(max, {max.width - 1, max.height - 1}), HTOBJECT);
    EXPECT_EQ(frame->Geometry().part_at(max, {400, 1}), HTOBJECT);
}

TEST_F(SkinFormTest, HitTestWithoutASkin)
{
    frame->SetSkinData(nullptr);
    Show();
    EXPECT_EQ(W().client_in_window(), (Rect{3, 22, 832, 657}));
    const Size size = W().bounds().size();
    struct Row {
        const char* name;
        Point at;
        int answer;
        int part;
    };
    const Row rows[] = {
        {"top-left", {1, 1}, HTTOPLEFT, HTTOPLEFT},
        {"top", {400, 2}, HTTOP, HTTOP},
        {"right", {832, 300}, HTRIGHT, HTRIGHT},
        {"bottom-right", {834, 659}, HTBOTTOMRIGHT, HTBOTTOMRIGHT},
        {"caption", {400, 12}, HTCAPTION, HTCAPTION},
        {"client", {400, 300}, HTCLIENT, HTCLIENT},
        {"close button", Centre(frame->Geometry().part_rect(size, HTCLOSE)), HTOBJECT, HTCLOSE},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(frame->Geometry().part_at(size, r.at), r.part);
        EXPECT_EQ(HitTest(r.at), r.answer);
    }
    // The default buttons sit at the caption strip's right end.
    EXPECT_EQ(frame->Geometry().part_rect(size, HTCLOSE), (Rect{814, 5, 830, 19}));
    EXPECT_EQ(frame->Geometry().part_rect(size, HTMAXBUTTON), (Rect{796, 5, 812, 19}));
}

// ---- caption buttons ------------------------------------------------------------------------

TEST_F(SkinFormTest, CaptionButtonClicksOnlyWhenReleasedOverIt)
{
    Show();
    const Rect close = ButtonRect(cmClose);
    EXPECT_TRUE(test::same_pixels(Picture(0).copy({50, 2, 71, 23}), Shot(close))) << "normal look";

    backend.mouse_down(Screen(Centre(close)));
    pump();
    EXPECT_EQ(frame->PressedObject(), 0);
    EXPECT_TRUE(test::same_pixels(Picture(0).copy({27, 2, 48, 23}), Shot(close))) << "pressed look";
    backend.mouse_move(Screen({400, 300}));
    pump();
    EXPECT_TRUE(test::same_pixels(Picture(0).copy({50, 2, 71, 23}), Shot(close))) << "held off the button";
    backend.mouse_up(Screen({400, 300}));
    pump();
    EXPECT_EQ(closes, 0);
    EXPECT_EQ(frame->PressedObject(), -1);
    EXPECT_EQ(desktop.capture(), nullptr);

    // Back over it before the release: that is a click.
    backend.mouse_down(Screen(Centre(close)));
    backend.mouse_move(Screen({400, 300}));
    backend.mouse_move(Screen(Centre(close)));
    backend.mouse_up(Screen(Centre(close)));
    pump();
    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(test::same_pixels(Picture(0).copy({3, 2, 24, 23}), Shot(close))) << "hot after the click";
}

TEST_F(SkinFormTest, HotTrackingEndsOnTheWindowTimer)
{
    Show();
    const Rect max = ButtonRect(cmMaximize);
    backend.mouse_move(Screen(Centre(max)));
    pump();
    EXPECT_TRUE(test::same_pixels(Picture(0).copy({3, 25, 24, 46}), Shot(max)));
    // Straight off the window: no hit test reaches the frame, its timer
    // notices within 50 ms.
    backend.mouse_move({1020, 760});
    pump();
    EXPECT_EQ(frame->HotObject(), 1);
    loop.advance(50);
    EXPECT_EQ(frame->HotObject(), -1);
    EXPECT_TRUE(test::same_pixels(Picture(0).copy({50, 25, 71, 46}), Shot(max)));
}

TEST_F(SkinFormTest, CaptionButtonLooksAsTheStateSays)
{
    Show();
    const TskSkinStdButtonObject& max = *frame->FindButton(cmMaximize);
    const Bitmap* pic = &Picture(0);
    struct Row {
        const char* name;
        CaptionButtonState state;
        Rect expected;
    };
    const Row rows[] = {
        {"normal", {false, true, true, false, false}, {50, 25, 71, 46}},
        {"hot", {false, true, true, true, false}, {3, 25, 24, 46}},
        {"down", {false, true, true, true, true}, {27, 25, 48, 46}},
        {"inactive", {false, true, false, false, false}, {73, 25, 94, 46}},
        {"inactive and down", {false, true, false, true, true}, {27, 25, 48, 46}},
        {"restore", {true, true, true, false, false}, {50, 48, 71, 69}},
        {"restore hot", {true, true, true, true, false}, {3, 48, 24, 69}},
        {"restore down", {true, true, true, true, true}, {27, 48, 48, 69}},
        {"restore inactive", {true, true, false, true, true}, {73, 48, 94, 69}},
        // No disabled look in the skin: the normal one.
        {"disabled", {false, false, true, false, false}, {50, 25, 71, 46}},
        {"disabled in its second state", {true, false, true, false, false}, {50, 25, 71, 46}},
    };
    for (const Row& r : rows)
        EXPECT_EQ(CaptionButtonLook(max, r.state), (CaptionButtonLookResult{pic, r.expected})) << r.name;
}

// ---- window states ----------------------------------------------------------------------------

TEST_F(SkinFormTest, MaximizeAndRestoreByDoubleClickAndByButton)
{
    backend.set_work_area({0, 0, 1024, 728});
    Show();
    const Rect normal = W().bounds();
    DoubleClick({300, 12});
    EXPECT_EQ(frame->FrameWindowState(), TskFrameWindowState::Maximized);
    EXPECT_EQ(W().bounds(), (Rect{0, 0, 1024, 728}));
    EXPECT_EQ(frame->NormalBounds(), normal);
    EXPECT_FALSE(backend.minimized(W()));
    EXPECT_EQ(W().client_in_window(), (Rect{4, 27, 1020, 724}));
    DoubleClick({300, 12});
    EXPECT_EQ(frame->FrameWindowState(), TskFrameWindowState::Normal);
    EXPECT_EQ(W().bounds(), normal);
    EXPECT_TRUE(frame->NormalBounds().empty());

    // The maximize button, which shows the restore look while maximized.
    Click(Centre(ButtonRect(cmMaximize)));
    EXPECT_EQ(W().bounds(), (Rect{0, 0, 1024, 728}));
    const Rect max = ButtonRect(cmMaximize);
    EXPECT_EQ(max, (Rect{977, 5, 998, 26}));
    EXPECT_TRUE(test::same_pixels(Picture(0).copy({3, 48, 24, 69}), Shot(max))) << "hot restore look";
    Click(Centre(max));
    EXPECT_EQ(W().bounds(), normal);
    EXPECT_TRUE(test::same_pixels(Picture(0).copy({3, 25, 24, 46}), Shot(ButtonRect(cmMaximize))));

    // Minimize leaves the frame's state alone and minimizes the platform window.
    Click(Centre(ButtonRect(cmMinimize)));
    EXPECT_TRUE(backend.minimized(W()));
    EXPECT_EQ(frame->FrameWindowState(), TskFrameWindowState::Normal);
}

TEST_F(SkinFormTest, MaximizedBoundsKeepOnePixelFromTheScreensEdges)
{
    const Rect screen{0, 0, 1024, 768}, work{0, 0, 1024, 728};
    EXPECT_EQ(MaximizedBounds(work, screen, screen, false), work);
    EXPECT_EQ(MaximizedBounds(screen, screen, screen, false), (Rect{1, 1, 1023, 767}));
    EXPECT_EQ(MaximizedBounds(work, screen, screen, true), (Rect{1, 1, 1023, 767}));
    // A magnetic frame dragged near the work area's edges snaps onto them.
    EXPECT_EQ(SnapToArea({4, 100, 404, 400}, work, 5), (Rect{0, 100, 400, 400}));
    EXPECT_EQ(SnapToArea({620, 431, 1020, 731}, work, 5), (Rect{624, 428, 1024, 728}));
    EXPECT_EQ(SnapToArea({6, 100, 406, 400}, work, 5), (Rect{6, 100, 406, 400}));

    Show();
    frame->Maximize();
    EXPECT_EQ(W().bounds(), (Rect{1, 1, 1023, 767}));
}

TEST_F(SkinFormTest, CentredOnTheFirstShowOnly)
{
    backend.set_work_area({0, 0, 1024, 728});
    frame->PositionInMonitor = TskPositionInMonitor::skpScreenCenter;
    Show();
    EXPECT_EQ(W().bounds(), (Rect{95, 54, 930, 714}));
    form->Hide();
    form->SetBounds(10, 10, 835, 660);
    form->Show();
    pump();
    EXPECT_EQ(W().bounds(), (Rect{10, 10, 845, 670}));

    TForm* other = nullptr;
    app.CreateForm(other);
    auto* other_frame = new TskSkinForm(other);
    other_frame->PositionInMonitor = TskPositionInMonitor::skpDesktopCenter;
    other_frame->SetSkinData(data);
    other->SetBounds(0, 0, 400, 300);
    other->Show();
    pump();
    EXPECT_EQ(other->WindowHandle()->bounds(), (Rect{312, 214, 712, 514}));
    EXPECT_EQ(CenteredBounds({0, 0, 1023, 767}, {401, 301}), (Rect{311, 233, 712, 534}));
}

// ---- the system menu ------------------------------------------------------------------------------

TEST_F(SkinFormTest, SystemMenuHoldsWhatTheSettingsAllow)
{
    struct Row {
        const char* name;
        TskBorderIcons icons;
        TskFrameWindowState state;
        bool rolled_up;
        std::vector<std::string> captions;
    };
    const Row rows[] = {
        {"main window", biMinimize | biMaximize, TskFrameWindowState::Normal, false,
            {"Mi&nimize", "Ma&ximize", "-", "&Close"}},
        {"main window maximized", biMinimize | biMaximize, TskFrameWindowState::Maximized, false,
            {"Mi&nimize", "&Restore", "-", "&Close"}},
        {"close only", 0, TskFrameWindowState::Normal, false, {"&Close"}},
        {"all", biSystemMenu | biMinimize | biMaximize | biRollUp | biMinimizeToTray, TskFrameWindowState::Normal,
            false, {"Mi&nimize", "Ma&ximize", "Ro&llUp", "Minimize to &Tray", "-", "&Close"}},
        {"rolled up", biRollUp, TskFrameWindowState::Normal, true, {"&Restore", "-", "&Close"}},
    };
    for (const Row& r : rows) {
        std::vector<std::string> captions;
        for (const SystemMenuEntry& e : SystemMenuEntries(r.icons, r.state, r.rolled_up, nullptr))
            captions.push_back(e.caption);
        EXPECT_EQ(captions, r.captions) << r.name;
    }
    TskResourceStrData strings(nullptr);
    strings.ResStrings = {"MI_MINCAPTION=最小化", "MI_CLOSECAPTION=关闭"};
    const auto entries = SystemMenuEntries(biMinimize, TskFrameWindowState::Normal, false, &strings);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].caption, "最小化");
    EXPECT_EQ(entries[2].caption, "关闭");
    EXPECT_EQ(entries[2].shortcut, ShortCut(VK_F4, false, false, true));
}

TEST_F(SkinFormTest, RightClickOnTheCaptionOpensTheSystemMenuAndItsItemsRunTheCommands)
{
    backend.set_work_area({0, 0, 1024, 728});
    Show();
    int opened = 0;
    frame->OnSkinMenuOpen = [&](TComponent*) { ++opened; };
    Click({300, 12}, MouseButton::Right);
    ASSERT_TRUE(frame->SkinMenu().Visible());
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(MenuCaptions(), (std::vector<std::string>{"Mi&nimize", "Ma&ximize", "-", "&Close"}));
    // The menu opens at the pointer.
    EXPECT_EQ(frame->SkinMenu().Windows(0)->WindowHandle()->bounds().top_left(), Screen({300, 12}));

    ClickMenuItem("Ma&ximize");
    EXPECT_FALSE(frame->SkinMenu().Visible());
    EXPECT_EQ(frame->FrameWindowState(), TskFrameWindowState::Maximized);

    Click({300, 12}, MouseButton::Right);
    EXPECT_EQ(MenuCaptions(), (std::vector<std::string>{"Mi&nimize", "&Restore", "-", "&Close"}));
    ClickMenuItem("&Restore");
    EXPECT_EQ(W().bounds(), (Rect{100, 50, 935, 710}));

    Click({300, 12}, MouseButton::Right);
    ClickMenuItem("&Close");
    EXPECT_EQ(closes, 1);

    // A press anywhere on the frame closes an open menu without a command.
    Click({300, 12}, MouseButton::Right);
    ASSERT_TRUE(frame->SkinMenu().Visible());
    Click({400, 300});
    EXPECT_FALSE(frame->SkinMenu().Visible());

    // A menu of the form's own replaces the built-in one.
    auto* own = new TPopupMenu(form);
    auto* about = new TMenuItem(nullptr);
    about->Caption = "&About";
    own->Items()->Add(about);
    frame->SetSystemMenu(own);
    Click({300, 12}, MouseButton::Right);
    EXPECT_EQ(MenuCaptions(), (std::vector<std::string>{"&About"}));
    frame->SkinMenu().CloseAll();

    // Without a system menu, a right click on the caption opens nothing.
    frame->SetDisableSystemMenu(true);
    Click({300, 12}, MouseButton::Right);
    EXPECT_FALSE(frame->SkinMenu().Visible());
}

TEST_F(SkinFormTest, AltSpaceOpensTheSystemMenuOnlyBelowASystemMenuButton)
{
    Show();
    auto alt_space = [this] {
        backend.key_down(VK_MENU);
        backend.key(VK_SPACE);
        backend.key_up(VK_MENU);
        pump();
    };
    alt_space();
    EXPECT_FALSE(frame->SkinMenu().Visible()) << "the main window has no system-menu button";

    frame->SetBorderIcons(biSystemMenu | biMinimize | biMaximize);
    pump();
    const Rect button = ButtonRect(cmSysMenu);
    EXPECT_EQ(button, (Rect{3, 4, 24, 25}));
    EXPECT_EQ(frame->Geometry().part_rect(W().bounds().size(), HTCAPTION).left, 24);
    alt_space();
    ASSERT_TRUE(frame->SkinMenu().Visible());
    const Rect menu = frame->SkinMenu().Windows(0)->WindowHandle()->bounds();
    EXPECT_EQ(menu.top_left(), Screen({button.left, button.bottom}));
    frame->SkinMenu().CloseAll();

    // A press on the button opens it too; a double-click closes the form.
    Click(Centre(button));
    EXPECT_TRUE(frame->SkinMenu().Visible());
    frame->SkinMenu().CloseAll();
    loop.advance(600);
    DoubleClick(Centre(button));
    EXPECT_EQ(closes, 1);
}

TEST_F(SkinFormTest, ContextMenusOfTheFormShowThroughTheFrame)
{
    Show();
    EXPECT_EQ(FindSkinMenuFrame(form), frame);
    auto* menu = new TskSkinPopupMenu(form);
    for (const char* caption : {"One", "Two"}) {
        auto* item = new TMenuItem(nullptr);
        item->Caption = caption;
        menu->Items()->Add(item);
    }
    menu->Popup(300, 300);
    pump();
    ASSERT_TRUE(frame->SkinMenu().Visible());
    EXPECT_EQ(frame->SkinMenu().MenuSkinData(), data);
    // Moving the window closes it.
    backend.mouse_down(Screen({300, 12}));
    backend.mouse_move(Screen({310, 12}));
    backend.mouse_up(Screen({310, 12}));
    pump();
    EXPECT_FALSE(frame->SkinMenu().Visible());
}

// ---- skin changes ---------------------------------------------------------------------------------

// A skinned control that logs the frame's relay.
class RelayLog : public TskSkinCustomControl {
public:
    RelayLog(TComponent* owner, std::vector<std::string>& log, std::string name)
        : TskSkinCustomControl(owner), log_(log), name_(std::move(name))
    { }
    void ForgetSkin() override
    {
        log_.push_back(name_ + " forget");
        TskSkinCustomControl::ForgetSkin();
    }
    void ApplySkin() override
    {
        log_.push_back(name_ + " apply " + std::to_string(SkinData() && !SkinData()->Empty));
        TskSkinCustomControl::ApplySkin();
    }

private:
    std::vector<std::string>& log_;
    std::string name_;
};

// A windowless part of another family that takes part in the relay.
class RelayTarget : public TGraphicControl, public SkinRelayTarget {
public:
    RelayTarget(TComponent* owner, std::vector<std::string>& log, TskSkinData* data)
        : TGraphicControl(owner), log_(log), data_(data)
    { }
    TskSkinData* RelaySkinData() const override { return data_; }
    void ForgetSkin() override { log_.push_back("target forget"); }
    void ApplySkin() override { log_.push_back("target apply"); }

private:
    std::vector<std::string>& log_;
    TskSkinData* data_;
};

TEST_F(SkinFormTest, SkinChangesReachEveryControlBoundToTheSkinData)
{
    Show();
    std::vector<std::string> log;
    auto* panel = new TskSkinPanel(form);
    panel->SetParent(form);
    panel->SetBounds(10, 10, 300, 200);
    auto* inner = new RelayLog(form, log, "inner");
    inner->SetParent(panel);
    inner->SetSkinDataName("panel");
    inner->SetSkinData(data);
    auto* other_data = new TskSkinData(form);
    auto* stranger = new RelayLog(form, log, "stranger");
    stranger->SetParent(form);
    stranger->SetSkinData(other_data);
    auto* target = new RelayTarget(form, log, data);
    target->SetParent(panel);
    auto* edit = new TskSkinEdit(form);
    edit->SetParent(panel);
    edit->SetSkinData(data);
    ASSERT_TRUE(edit->Skinned());
    int before = 0, after = 0, changed = 0;
    frame->OnBeforeChangeSkinData = [&](TComponent*) {
        ++before;
        EXPECT_FALSE(edit->Skinned()) << "the edit box forgot its object before the skin went";
    };
    frame->OnChangeSkinData = [&](TComponent*) { ++changed; };
    frame->OnAfterChangeSkinData = [&](TComponent*) { ++after; };
    log.clear();

    data->LoadCompressedSkin(stored);
    EXPECT_EQ(log, (std::vector<std::string>{"inner forget", "target forget", "inner apply 1", "target apply"}));
    EXPECT_EQ(before, 1);
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(after, 1);
    EXPECT_TRUE(frame->Skinned());
    EXPECT_EQ(frame->ObjectCount(), 7);
    EXPECT_TRUE(edit->Skinned());

    // A broadcast that names no skin data re-applies every skinned control.
    log.clear();
    W().send(SKM_CHANGE, 0, kSkinMessageLParam);
    EXPECT_EQ(log, (std::vector<std::string>{"inner apply 1", "target apply", "stranger apply 0"}));
}

TEST_F(SkinFormTest, AFailedLoadLeavesTheDefaultFrame)
{
    Show();
    // A package of a version this reader does not know. A failed load ends
    // with the data cleared, Empty and no longer Changing, and every form
    // marked for repainting; no SKM_CHANGE comes.
    const std::vector<std::uint8_t> bad{4, 0, 0, 0};
    data->LoadSkinPackage(bad);
    EXPECT_TRUE(data->Empty);
    EXPECT_FALSE(data->Changing);
    pump();
    pump();
    EXPECT_FALSE(frame->Skinned());
    EXPECT_EQ(W().region(), nullptr);
    EXPECT_EQ(W().client_in_window(), (Rect{3, 22, 832, 657}));
    const Bitmap& img = Image();
    EXPECT_EQ(img.pixel(0, 0), to_pixel(cl3DLight));
    EXPECT_EQ(img.pixel(834, 659), to_pixel(cl3DDkShadow));
    EXPECT_EQ(img.pixel(1, 1), to_pixel(clBtnHighlight));
    EXPECT_EQ(img.pixel(5, 4), to_pixel(clBtnFace));
    // The client background without a skin.
    EXPECT_EQ(img.pixel(400, 300), to_pixel(clBtnFace));
    // The default frame has its caption buttons back.
    EXPECT_NE(frame->FindButton(cmClose), nullptr);

    // The next good load skins the frame again.
    data->LoadCompressedSkin(stored);
    pump();
    EXPECT_TRUE(frame->Skinned());
    EXPECT_EQ(W().client_in_window(), (Rect{4, 27, 831, 656}));
}

// ---- pictures ---------------------------------------------------------------------------------------

TEST_F(SkinFormTest, FrameAndCaptionAreDrawnFromTheStoredSkin)
{
    Show();
    const Bitmap& img = Image();
    const Bitmap& pic = data->Picture;
    // The top edge tiled from the left-top point (a span of 265), the
    // right-top corner piece moved by dx, the bottom-left piece by dy.
    for (Point p : {Point{100, 2}, Point{200, 20}})
        EXPECT_EQ(img.pixel(p.x, p.y), pic.pixel(p.x, p.y)) << p.x << "," << p.y;
    EXPECT_EQ(img.pixel(600, 2), pic.pixel(9 + (600 - 9) % 265, 2));
    EXPECT_EQ(img.pixel(833, 10), pic.pixel(283, 10));
    EXPECT_EQ(img.pixel(2, 657), pic.pixel(2, 207));
    // The client background is the frame picture's client area, tiled.
    EXPECT_EQ(img.pixel(400, 300), pic.pixel(4 + (400 - 4) % 277, 27 + (300 - 27) % 179));

    // The caption text in the active colour with its white shadow, left
    // aligned in the text area.
    const Pixel text = to_pixel(Color{11168318}), shadow = make_pixel(255, 255, 255);
    auto count = [&](Pixel want, const Rect& r) {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += img.pixel(x, y) == want;
        return n;
    };
    EXPECT_GT(count(text, {9, 6, 60, 24}), 20);
    EXPECT_GT(count(shadow, {9, 6, 60, 24}), 5);
    EXPECT_EQ(count(text, {500, 6, 760, 24}), 0) << "a short title leaves the rest of the caption bare";

    // Inactive: another window is active; the text and the buttons change.
    TForm* other = nullptr;
    app.CreateForm(other);
    other->SetBounds(0, 0, 50, 50);
    other->Show();
    pump();
    EXPECT_FALSE(frame->Active());
    EXPECT_GT(count(to_pixel(Color{16111036}), {9, 6, 60, 24}), 20);
    EXPECT_TRUE(test::same_pixels(Picture(0).copy({73, 2, 94, 23}), Shot(ButtonRect(cmClose))));
    EXPECT_TRUE(test::same_pixels(Picture(0).copy({73, 71, 94, 92}), Shot(ButtonRect(cmMinimize))));
}

TEST_F(SkinFormTest, ALongTitleEndsInAnEllipsisOfWholeCharactersBeforeTheMinimizeButton)
{
    Show();
    const int caption_index = frame->Geometry().caption_index();
    const auto& caption = dynamic_cast<const TskSkinCaptionObject&>(frame->Objects(caption_index));
    Bitmap scratch(1, 1);
    Canvas canvas(scratch);
    canvas.font() = CaptionFont(caption.Data, DEFAULT_CHARSET);
    const FontPtr font = canvas_font(canvas);
    std::string title;
    for (int i = 0; i < 40; ++i)
        title += utf8_to_cp936("长尾词查询工具");
    for (int width : {835, 500, 300, 200}) {
        SCOPED_TRACE(width);
        form->SetBounds(100, 50, width, 660);
        const Rect object = frame->Objects(caption_index).ObjectRect;
        const CaptionTextLayout l = LayoutCaptionText(*font, title, caption.Data, object);
        ASSERT_GE(l.text.size(), 3u);
        EXPECT_EQ(l.text.substr(l.text.size() - 3), "...");
        // Whole double-byte characters only: what is left of the title is
        // a run of them.
        const std::string kept = l.text.substr(0, l.text.size() - 3);
        EXPECT_EQ(kept.size() % 2, 0u);
        EXPECT_EQ(title.compare(0, kept.size(), kept), 0);
        EXPECT_LE(font->text_width(l.text), l.area.width());
        EXPECT_LE(l.area.right, ButtonRect(cmMinimize).left);
    }
    const CaptionTextLayout short_title =
        LayoutCaptionText(*font, "Norvanta", caption.Data, frame->Objects(caption_index).ObjectRect);
    EXPECT_EQ(short_title.text, "Norvanta");
    EXPECT_EQ(short_title.flags & (DT_CENTER | DT_RIGHT), 0u);
}

TEST_F(SkinFormTest, FreeingTheFrameGivesTheFormItsPlainFrameBack)
{
    Show();
    Click({300, 12}, MouseButton::Right);
    ASSERT_TRUE(frame->SkinMenu().Visible());
    delete frame;
    frame = nullptr;
    pump();
    EXPECT_EQ(W().region(), nullptr);
    EXPECT_EQ(W().client_in_window(), form->Frame().client(W().bounds().size()));
    for (Window* w : desktop.top_levels())
        EXPECT_FALSE(w->is_popup() && w->visible()) << "a menu window outlived the frame";
    // The plain frame answers the mouse again.
    Click({400, 300});
    EXPECT_EQ(HitTest({400, 10}), HTCAPTION);
}

TEST_F(SkinFormTest, ADegenerateSkinNeitherCrashesNorHangsTheFrame)
{
    Show();
    // Every value the frame reads, at its worst: no frame picture, no
    // client rectangle or corner points, negative and huge picture numbers
    // and rectangles beyond every picture.
    data->FormInfo = TskSkinFormInfo{};
    data->FormInfo.captionrect = {3, 5, 9000, 24};
    data->FormInfo.borderwidth = 100000;
    data->Picture = Bitmap();
    for (auto& o : data->SkinObjects) {
        o->activepictureindex = o->activepictureindex >= 0 ? -2 : 1000;
        o->skinrect = {0, 0, 5000, 5000};
    }
    W().send(SKM_CHANGE, skin_data_param(*data), kSkinMessageLParam);
    for (Size s : {Size{835, 660}, Size{1, 1}, Size{200, 31}, Size{3000, 2000}}) {
        form->SetBounds(0, 0, s.width, s.height);
        W().invalidate();
        pump();
        HitTest({0, 0});
        HitTest({s.width / 2, 1});
        HitTest({s.width - 1, s.height - 1});
    }
    EXPECT_TRUE(frame->Skinned());
}

TEST_F(SkinFormTest, PictureOfTheFrame)
{
    Show();
    form->SetCaption(utf8_to_cp936("Norvanta长尾词查询工具V1.2-修正部分用户不能查询中文长尾词的错误"));
    form->SetBounds(100, 50, 420, 200);
    pump();
    save_png_file("skin_form.png", Image());
    frame->SetSkinData(nullptr);
    pump();
    save_png_file("skin_form_default.png", Image());
}

} // namespace
} // namespace lt
