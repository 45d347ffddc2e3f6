// Forms and controls on the headless desktop: injected input, virtual time,
// pixel checks on the presented images.

#include "forms/edit.h"
#include "forms/errors.h"
#include "forms/forms.h"
#include "forms/listbox.h"
#include "forms/splitter.h"
#include "forms/stdctrls.h"
#include "gfx/bitmap.h"
#include "platform/desktop.h"
#include "platform/headless.h"
#include "text/cp936.h"

#include <gtest/gtest.h>

namespace lt {
namespace {

struct Desk {
    VirtualClock clock;
    EventLoop loop{clock};
    HeadlessBackend backend{{800, 600}};
    Desktop desktop{loop, backend};
    TApplication app{desktop};

    Desk() { app.Title = "Gallery"; }
    void pump()
    {
        loop.process_pending();
        loop.advance(0);
    }
};

// A form at a known place with a button, a label, a list box and an edit box.
struct TTestForm : TForm {
    TButton* button;
    TLabel* label;
    TListBox* list;
    TEdit* edit;

    explicit TTestForm(TComponent* owner) : TForm(owner)
    {
        SetBorderStyle(TFormBorderStyle::bsNone);
        SetBounds(100, 50, 400, 300);
        edit = new TEdit(this);
        edit->SetParent(this);
        edit->SetBounds(10, 10, 150, 21);
        edit->SetTabOrder(0);
        button = new TButton(this);
        button->SetParent(this);
        button->SetBounds(170, 10, 75, 25);
        button->SetCaption("OK");
        button->SetTabOrder(1);
        label = new TLabel(this);
        label->SetParent(this);
        label->SetAutoSize(false);
        label->SetBounds(260, 10, 100, 20);
        label->SetCaption("label");
        list = new TListBox(this);
        list->SetParent(this);
        list->SetBounds(10, 50, 200, 100);
        list->SetItemHeight(20);
        list->SetMultiSelect(true);
        list->SetExtendedSelect(true);
        list->SetTabOrder(2);
    }
    Point at(TControl* c, int x, int y) const { return c->ClientToScreen({x, y}); }
};

struct FormFixture : ::testing::Test {
    Desk d;
    TTestForm* form = nullptr;
    void SetUp() override
    {
        d.app.CreateForm(form);
        form->Show();
        d.pump();
    }
};

TEST_F(FormFixture, ClicksAndDoubleClicksReachTheirHandlers)
{
    int button_clicks = 0, label_clicks = 0, list_clicks = 0, list_dbl = 0;
    form->button->OnClick = [&](TComponent* s) {
        EXPECT_EQ(s, form->button);
        ++button_clicks;
    };
    form->label->OnClick = [&](TComponent*) { ++label_clicks; };
    form->list->OnClick = [&](TComponent*) { ++list_clicks; };
    form->list->OnDblClick = [&](TComponent*) { ++list_dbl; };
    for (const char* s : {"a", "b", "c"})
        form->list->Items().Add(s);

    d.backend.click(form->at(form->button, 10, 10));
    d.backend.click(form->at(form->label, 5, 5)); // windowless: routed by the form
    d.pump();
    EXPECT_EQ(button_clicks, 1);
    EXPECT_EQ(label_clicks, 1);

    // A press inside and a release outside is no click.
    d.backend.mouse_down(form->at(form->button, 10, 10));
    d.backend.mouse_up(form->at(form->button, 100, 10));
    d.pump();
    EXPECT_EQ(button_clicks, 1);

    // Two fast clicks on row 1: a click (selection) and a double-click with the caret on row 1.
    d.clock.set(d.clock.now_ms() + 1000);
    d.backend.click(form->at(form->list, 20, 30));
    d.backend.click(form->at(form->list, 20, 30));
    d.pump();
    EXPECT_EQ(list_dbl, 1);
    EXPECT_EQ(list_clicks, 1);
    EXPECT_EQ(form->list->ItemIndex(), 1);
    EXPECT_TRUE(form->list->Selected(1));

    // The blank strip below the rows still raises the double-click; the caret stays.
    d.clock.set(d.clock.now_ms() + 1000);
    d.backend.click(form->at(form->list, 20, 90));
    d.backend.click(form->at(form->list, 20, 90));
    d.pump();
    EXPECT_EQ(list_dbl, 2);
    EXPECT_EQ(form->list->ItemIndex(), 1);
    EXPECT_EQ(form->list->ItemAtPos({20, 90}, true), -1);

    // Slow clicks are two clicks.
    d.clock.set(d.clock.now_ms() + 1000);
    d.backend.click(form->at(form->list, 20, 10));
    d.pump();
    d.clock.set(d.clock.now_ms() + 1000);
    d.backend.click(form->at(form->list, 20, 10));
    d.pump();
    EXPECT_EQ(list_dbl, 2);
}

TEST_F(FormFixture, AHandlerMayFreeItsSenderOrItsForm)
{
    form->button->OnClick = [this](TComponent* sender) {
        form->button = nullptr;
        delete sender;
    };
    Point at = form->at(form->button, 10, 10);
    d.backend.click(at);
    d.pump();
    EXPECT_EQ(form->button, nullptr);
    d.backend.click(at); // nothing there any more
    d.pump();

    bool freed = false;
    form->OnDestroy = [&](TComponent*) { freed = true; };
    form->label->OnClick = [&](TComponent*) { form->Release(); };
    d.backend.click(form->at(form->label, 5, 5));
    d.pump();
    EXPECT_TRUE(freed);
    EXPECT_EQ(d.app.MainForm, nullptr);
}

// A press that is taken away (the button disabled, the platform's
// cancel-mode, a lost capture) leaves the button up and never clicks, even
// when the release comes over the button.
TEST_F(FormFixture, APlainButtonPressTakenAwayNeitherStaysDownNorClicks)
{
    TButton* b = form->button;
    int clicks = 0;
    b->OnClick = [&](TComponent*) { ++clicks; };
    const Point at = form->at(b, 10, 10);
    // The button's top-left shows the raised look's highlight (inside the
    // focus frame when it has the focus); the pressed look has none.
    auto drawn_up = [&] {
        d.pump();
        const Bitmap& shown = d.backend.presented(*form->WindowHandle());
        const Point p = b->BoundsRect().top_left();
        return shown.pixel(p.x, p.y) == to_pixel(clBtnHighlight) ||
            shown.pixel(p.x + 1, p.y + 1) == to_pixel(clBtnHighlight);
    };
    ASSERT_TRUE(drawn_up());

    d.backend.mouse_down(at);
    d.pump();
    ASSERT_TRUE(b->Down());
    EXPECT_FALSE(drawn_up());
    b->SetEnabled(false);
    d.backend.mouse_up(at);
    d.pump();
    b->SetEnabled(true);
    d.backend.mouse_move(at + Point{1, 0});
    d.pump();
    EXPECT_FALSE(b->Down()) << "pressed, disabled, released, enabled, moved over";
    EXPECT_TRUE(drawn_up());

    struct Case {
        const char* what;
        std::function<void()> take_away;
    } cases[] = {
        {"cancel-mode", [&] { b->WindowHandle()->send(WM_CANCELMODE); }},
        {"lost capture", [&] { d.desktop.release_capture(); }},
        {"focus moved away", [&] { form->edit->SetFocus(); }},
    };
    for (const Case& c : cases) {
        d.backend.mouse_down(at);
        d.pump();
        ASSERT_TRUE(b->Down()) << c.what;
        c.take_away();
        d.backend.mouse_move(at + Point{1, 0});
        d.pump();
        EXPECT_FALSE(b->Down()) << c.what;
        d.backend.mouse_up(at);
        EXPECT_FALSE(b->Down()) << c.what;
        EXPECT_TRUE(drawn_up()) << c.what;
    }
    EXPECT_EQ(clicks, 0);

    // Space presses it and its release clicks; Enter clicks at once; two
    // quick clicks are two clicks.
    b->SetFocus();
    d.backend.key_down(VK_SPACE);
    d.pump();
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(drawn_up());
    d.backend.key_up(VK_SPACE);
    d.pump();
    EXPECT_EQ(clicks, 1);
    d.backend.key(VK_RETURN);
    d.pump();
    EXPECT_EQ(clicks, 2);
    d.backend.click(at);
    d.backend.click(at);
    d.pump();
    EXPECT_EQ(clicks, 4);
    EXPECT_TRUE(drawn_up());
}

TEST_F(FormFixture, FocusStartsAtTheFirstTabStopAndTabMoves)
{
    std::vector<std::string> log;
    form->edit->OnEnter = [&](TComponent*) { log.push_back("enter edit"); };
    form->edit->OnExit = [&](TComponent*) { log.push_back("exit edit"); };
    form->button->OnEnter = [&](TComponent*) { log.push_back("enter button"); };
    EXPECT_TRUE(form->edit->Focused());
    d.backend.key(VK_TAB);
    d.pump();
    EXPECT_TRUE(form->button->Focused());
    EXPECT_EQ(form->ActiveControl(), form->button);
    d.backend.key(VK_TAB);
    d.pump();
    EXPECT_TRUE(form->list->Focused());
    d.backend.key_down(VK_SHIFT);
    d.backend.key(VK_TAB);
    d.backend.key_up(VK_SHIFT);
    d.pump();
    EXPECT_TRUE(form->button->Focused());
    EXPECT_EQ(log, (std::vector<std::string>{"exit edit", "enter button", "enter button"}));

    // Clicking the list gives it the focus.
    d.backend.click(form->at(form->list, 5, 5));
    d.pump();
    EXPECT_TRUE(form->list->Focused());
}

TEST_F(FormFixture, TypingImeAndClipboardInTheEditBox)
{
    int changes = 0;
    form->edit->OnChange = [&](TComponent*) { ++changes; };
    d.backend.type("QQ");
    d.backend.compose("kong", 4);
    d.pump();
    EXPECT_EQ(form->edit->Model().composition(), "kong");
    d.backend.commit("空间😀");
    d.backend.key(VK_RETURN); // never typed
    d.pump();
    EXPECT_EQ(form->edit->Text(), "QQ" + utf8_to_cp936("空间") + "?");
    EXPECT_EQ(form->edit->Model().composition(), "");
    EXPECT_GT(changes, 0);

    // Backspace takes the '?' and then a whole double-byte character.
    d.backend.key(VK_BACK);
    d.backend.key(VK_BACK);
    d.pump();
    EXPECT_EQ(form->edit->Text(), "QQ" + utf8_to_cp936("空"));

    // Copy out (UTF-8 outside) and paste in, one line only.
    d.backend.key_down(VK_CONTROL);
    d.backend.key('A');
    d.backend.key('C');
    d.backend.key_up(VK_CONTROL);
    d.pump();
    EXPECT_EQ(d.backend.external_clipboard(), "QQ空");
    d.backend.set_external_clipboard("长尾词\r\nsecond line");
    d.backend.key(VK_END);
    d.backend.key_down(VK_CONTROL);
    d.backend.key('V');
    d.backend.key_up(VK_CONTROL);
    d.pump();
    EXPECT_EQ(form->edit->Text(), utf8_to_cp936("QQ空长尾词"));
}

TEST_F(FormFixture, ListRowsShowTheirRealSelection)
{
    for (const char* s : {"a", "b", "c"})
        form->list->Items().Add(s);
    form->list->SetFocus();
    // Click row 0, Ctrl+click row 1, Ctrl+click row 0: only row 1 selected, caret on row 0.
    d.backend.click(form->at(form->list, 100, 10));
    d.backend.key_down(VK_CONTROL);
    d.clock.set(d.clock.now_ms() + 1000);
    d.backend.click(form->at(form->list, 100, 30));
    d.clock.set(d.clock.now_ms() + 1000);
    d.pump();
    d.backend.click(form->at(form->list, 100, 10));
    d.backend.key_up(VK_CONTROL);
    d.pump();
    ASSERT_EQ(form->list->ItemIndex(), 0);
    ASSERT_FALSE(form->list->Selected(0));
    ASSERT_TRUE(form->list->Selected(1));

    form->list->Invalidate(); // a whole repaint
    d.pump();
    const Bitmap* image = d.desktop.image(*form->WindowHandle());
    ASSERT_NE(image, nullptr);
    auto pixel = [&](int x, int y) {
        Point p = form->list->ClientToScreen({x, y}) - Point{form->Left(), form->Top()};
        return image->pixel(p.x, p.y);
    };
    EXPECT_EQ(pixel(100, 10), to_pixel(clWindow)) << "the caret row is not selected";
    EXPECT_EQ(pixel(100, 30), to_pixel(clHighlight));
    EXPECT_EQ(pixel(100, 50), to_pixel(clWindow));
    EXPECT_EQ(pixel(100, 90), to_pixel(clWindow)) << "the strip below the rows";
}

TEST_F(FormFixture, KeysAndDragsSelectThroughTheDesktop)
{
    for (const char* s : {"a", "b", "c", "d"})
        form->list->Items().Add(s);
    int list_clicks = 0;
    form->list->OnClick = [&](TComponent*) { ++list_clicks; };
    d.backend.click(form->at(form->list, 20, 10));
    d.backend.key_down(VK_SHIFT);
    d.backend.key(VK_DOWN);
    d.backend.key(VK_DOWN);
    d.backend.key_up(VK_SHIFT);
    d.pump();
    EXPECT_EQ(form->list->SelCount(), 3);
    EXPECT_TRUE(form->list->Selected(2));
    EXPECT_EQ(form->list->ItemIndex(), 2);
    EXPECT_EQ(list_clicks, 3);

    // Dragging with the button held extends from the anchor.
    d.clock.set(d.clock.now_ms() + 1000);
    d.backend.mouse_down(form->at(form->list, 20, 70));
    d.backend.mouse_move(form->at(form->list, 20, 30));
    d.backend.mouse_up(form->at(form->list, 20, 30));
    d.pump();
    EXPECT_EQ(form->list->SelCount(), 3);
    EXPECT_FALSE(form->list->Selected(0));
    EXPECT_EQ(form->list->ItemIndex(), 1);

    // The edit box: a drag selects from the press to the release.
    form->edit->SetText("hello world");
    d.clock.set(d.clock.now_ms() + 1000);
    d.backend.mouse_down(form->at(form->edit, 2, 8));
    d.backend.mouse_move(form->at(form->edit, 140, 8));
    d.backend.mouse_up(form->at(form->edit, 140, 8));
    d.pump();
    EXPECT_TRUE(form->edit->Focused());
    EXPECT_EQ(form->edit->SelText(), "hello world");
}

TEST(ListBoxControl, ItemsErrorsAndLookup)
{
    Desk d;
    TTestForm* form;
    d.app.CreateForm(form);
    TStrings& items = form->list->Items();
    auto error_of = [](auto f) -> std::string {
        try {
            f();
        } catch (const EListError& e) {
            return e.what();
        }
        return "(no error)";
    };
    EXPECT_EQ(error_of([&] { items.Strings(form->list->ItemIndex()); }), "List index out of bounds (-1)");
    EXPECT_EQ(items.Add("QQ空间"), 0);
    EXPECT_EQ(items.Add("qq空间"), 1);
    EXPECT_EQ(items.IndexOf("qq空间"), 0);
    EXPECT_EQ(error_of([&] { form->list->Selected(2); }), "List index out of bounds (2)");
    EXPECT_EQ(error_of([&] { items.Insert(5, "x"); }), "Unable to insert a line");
    items.Delete(7); // ignored
    EXPECT_EQ(items.Count(), 2);
    form->list->Clear();
    EXPECT_EQ(items.Count(), 0);
}

TEST(FormsApplication, ModalFormReturnsItsResultAndDisablesTheMainForm)
{
    Desk d;
    TTestForm* main;
    TForm* dialog;
    d.app.CreateForm(main);
    d.app.CreateForm(dialog);
    EXPECT_EQ(d.app.MainForm, main);
    main->Show();
    dialog->SetBorderStyle(TFormBorderStyle::bsNone);
    dialog->Position = TPosition::poScreenCenter;
    dialog->SetBounds(0, 0, 200, 100);
    auto* ok = new TButton(dialog);
    ok->SetParent(dialog);
    ok->SetBounds(10, 10, 75, 25);
    ok->ModalResult = mrOk;
    auto* cancel = new TButton(dialog);
    cancel->SetParent(dialog);
    cancel->SetBounds(100, 10, 75, 25);
    cancel->Cancel = true;
    cancel->ModalResult = mrCancel;

    bool main_enabled_during_modal = true;
    d.loop.post([&] {
        main_enabled_during_modal = main->WindowHandle()->enabled();
        d.backend.click(ok->ClientToScreen({5, 5}));
    });
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_FALSE(main_enabled_during_modal);
    EXPECT_TRUE(main->WindowHandle()->enabled());
    EXPECT_FALSE(dialog->Visible());
    EXPECT_EQ(dialog->Left(), (800 - 200) / 2);
    EXPECT_EQ(dialog->Top(), (600 - 100) / 2);

    // With a frame, the client starts inside the border and below the caption bar.
    dialog->SetBorderStyle(TFormBorderStyle::bsDialog);
    EXPECT_EQ(dialog->ClientToScreen({0, 0}), (Point{dialog->Left() + 3, dialog->Top() + 3 + 19}));
    EXPECT_EQ(ok->ClientToScreen({0, 0}), (Point{dialog->Left() + 3 + 10, dialog->Top() + 3 + 19 + 10}));

    // Escape clicks the cancel button.
    d.loop.post([&] { d.backend.key(VK_ESCAPE); });
    EXPECT_EQ(dialog->ShowModal(), mrCancel);

    EXPECT_THROW({ main->ShowModal(); }, EInvalidOperation);
}

TEST(FormsApplication, AnExceptionEscapingAHandlerShowsTheErrorBoxAndTheProgramGoesOn)
{
    Desk d;
    TTestForm* form;
    d.app.CreateForm(form);
    form->Show();
    d.pump();

    std::string box_caption;
    bool rest_ran = false;
    int clicks = 0;
    form->list->OnDblClick = [&](TComponent*) {
        // While the box is up, note its caption and press Enter on it.
        d.loop.post([&] {
            for (Window* w : d.desktop.top_levels())
                if (w != form->WindowHandle() && w->visible())
                    box_caption = w->text();
            d.backend.key(VK_RETURN);
        });
        form->list->Items().Strings(form->list->ItemIndex()); // an empty list: no such row
        rest_ran = true;
    };
    form->button->OnClick = [&](TComponent*) { ++clicks; };
    d.backend.click(form->at(form->list, 20, 20));
    d.backend.click(form->at(form->list, 20, 20));
    d.pump();
    EXPECT_EQ(box_caption, "Gallery");
    EXPECT_FALSE(rest_ran);

    // The program goes on.
    d.backend.click(form->at(form->button, 5, 5));
    d.pump();
    EXPECT_EQ(clicks, 1);

    // OnException, when assigned, takes the message instead of the box.
    std::string reported;
    d.app.OnException = [&](const std::string& m) { reported = m; };
    d.clock.set(d.clock.now_ms() + 1000);
    d.backend.click(form->at(form->list, 20, 20));
    d.backend.click(form->at(form->list, 20, 20));
    d.pump();
    EXPECT_EQ(reported, "List index out of bounds (-1)");
}

struct TFailingForm;
TFailingForm* Form1 = nullptr;

struct TFailingForm : TForm {
    bool named_while_built = false;
    explicit TFailingForm(TComponent* owner) : TForm(owner)
    {
        // Handlers that run while the form is built reach it through Form1.
        named_while_built = Form1 == this;
        OnCreate = [](TComponent*) { throw std::runtime_error("creation failed"); };
    }
};

TEST(FormsApplication, AnExceptionInOnCreateIsReportedAndTheFormStays)
{
    Desk d;
    std::vector<std::string> reported;
    d.app.OnException = [&](const std::string& m) { reported.push_back(m); };
    d.app.CreateForm(Form1);
    ASSERT_NE(Form1, nullptr);
    EXPECT_TRUE(Form1->named_while_built);
    EXPECT_EQ(reported, std::vector<std::string>{"creation failed"});
    EXPECT_EQ(d.app.MainForm, Form1);
}

TEST(FormsApplication, TimersTickOnVirtualTimeAndErrorsDoNotStopThem)
{
    Desk d;
    int ticks = 0;
    std::vector<std::string> errors;
    d.app.OnException = [&](const std::string& m) { errors.push_back(m); };
    auto* timer = new TTimer(&d.app);
    timer->SetInterval(500);
    timer->SetOnTimer([&](TComponent*) {
        if (++ticks == 2)
            throw std::runtime_error("tick failed");
    });
    d.loop.advance(1499);
    EXPECT_EQ(ticks, 2);
    d.loop.advance(1);
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(errors, std::vector<std::string>{"tick failed"});
    timer->SetEnabled(false);
    d.loop.advance(2000);
    EXPECT_EQ(ticks, 3);
}

// A form with the plain frame: its client, its hit codes and its paint
// follow the frame geometry, and a click on the close button closes it.
TEST(FormsApplication, APlainFrameAnswersAndPaintsItsGeometry)
{
    Desk d;
    TForm* form;
    d.app.CreateForm(form);
    form->SetBounds(100, 50, 300, 200);
    form->SetCaption("Frame");
    form->Show();
    d.pump();
    const Size size{300, 200};
    const FrameGeometry& g = form->Frame();
    EXPECT_EQ(form->ClientRect().size(), g.client(size).size());
    EXPECT_EQ(form->ClientToScreen({0, 0}), (Point{100, 50} + g.client(size).top_left()));

    Window* w = form->WindowHandle();
    for (Point at : {Point{150, 100}, Point{150, 10}, Point{285, 10}, Point{0, 0}, Point{299, 100}, Point{150, 199}})
        EXPECT_EQ(w->send(WM_NCHITTEST, 0, point_lparam(at + Point{100, 50})), g.part_at(size, at))
            << at.x << "," << at.y;

    const Bitmap& shown = d.backend.presented(*w);
    const Rect caption = g.part_rect(size, HTCAPTION), close = g.part_rect(size, HTCLOSE);
    EXPECT_EQ(shown.pixel(caption.left + 1, caption.top + 1), to_pixel(clActiveCaption));
    EXPECT_EQ(shown.pixel(caption.left + 1, caption.bottom - 1), to_pixel(clBtnFace));
    EXPECT_EQ(shown.pixel(close.left + 1, close.top + 1), to_pixel(clBtnFace));
    EXPECT_EQ(shown.pixel(close.left, close.top), to_pixel(clBtnHighlight));

    bool closed = false;
    form->OnClose = [&](TComponent*, TCloseAction&) { closed = true; };
    d.backend.click(Point{100, 50} + close.top_left() + Point{3, 3});
    d.pump();
    EXPECT_TRUE(closed);
}

TEST(FormsApplication, AlignedChildrenFollowTheFormSize)
{
    Desk d;
    TForm* form;
    d.app.CreateForm(form);
    form->SetBorderStyle(TFormBorderStyle::bsNone);
    auto* top = new TPanel(form);
    top->SetParent(form);
    top->SetHeight(40);
    top->SetAlign(TAlign::alTop);
    auto* left = new TPanel(form);
    left->SetParent(form);
    left->SetWidth(100);
    left->SetAlign(TAlign::alLeft);
    auto* list = new TListBox(form);
    list->SetParent(form);
    list->SetAlign(TAlign::alClient);
    form->SetClientSize(500, 300);
    EXPECT_EQ(top->BoundsRect(), Rect::from_xywh(0, 0, 500, 40));
    EXPECT_EQ(left->BoundsRect(), Rect::from_xywh(0, 40, 100, 260));
    EXPECT_EQ(list->BoundsRect(), Rect::from_xywh(100, 40, 400, 260));
    EXPECT_EQ(list->WindowHandle()->bounds(), Rect::from_xywh(100, 40, 400, 260));
    EXPECT_EQ(list->ClientHeight(), 256); // inside the two-pixel client edge
    EXPECT_EQ(list->ScrollRange().page, 256 / 16);
}

TEST(FormsApplication, DraggingTheSplitterResizesTheControlBeforeIt)
{
    Desk d;
    TForm* form;
    d.app.CreateForm(form);
    form->SetBorderStyle(TFormBorderStyle::bsNone);
    form->SetBounds(0, 0, 827, 420);
    auto* group = new TPanel(form);
    group->SetParent(form);
    group->SetBounds(0, 0, 409, 420);
    group->SetAlign(TAlign::alLeft);
    auto* splitter = new TSplitter(form);
    splitter->SetParent(form);
    splitter->SetBounds(409, 0, 10, 420);
    auto* client = new TPanel(form);
    client->SetParent(form);
    client->SetAlign(TAlign::alClient);
    int moved = 0;
    splitter->OnMoved = [&](TComponent*) { ++moved; };
    form->Show();
    d.pump();
    ASSERT_EQ(splitter->ResizeControl(), group);

    const struct {
        int to_x;
        int group_width;
    } drags[] = {
        {314, 309}, // 100 pixels to the left
        {20, 0},    // below MinSize: snapped shut
        {900, 787}, // the client part keeps MinSize (827 - 10 - 30)
        {420, 415}, // the grip was 5 pixels into the splitter at 787
    };
    for (const auto& drag : drags) {
        Point grip = splitter->ClientToScreen({5, 200});
        d.backend.mouse_down(grip);
        d.backend.mouse_move({drag.to_x, 200});
        d.backend.mouse_up({drag.to_x, 200});
        d.pump();
        EXPECT_EQ(group->Width(), drag.group_width) << drag.to_x;
        EXPECT_EQ(splitter->Left(), drag.group_width);
        EXPECT_EQ(client->Left(), drag.group_width + 10);
        EXPECT_EQ(client->Width(), 827 - drag.group_width - 10);
    }
    EXPECT_EQ(moved, 4);

    // The pointer shows the sizing shape over the splitter.
    d.backend.mouse_move(splitter->ClientToScreen({5, 100}));
    d.pump();
    EXPECT_EQ(d.backend.cursor(), Cursor::SizeWE);
}

} // namespace
} // namespace lt
