// The skinned edit box on the headless desktop with the stored skin, driven
// by injected mouse, keys, typed text and input-method events: its height
// and border, the frame's pictures and the text colours by state, the
// context menu's commands as one table, Chinese through the input method,
// pasting several lines, Enter and Escape, a skin change, and freeing the box
// while its menu is open. Writes skin_edit.png (the test's working folder)
// for eyes.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/stdctrls.h"
#include "gfx/png.h"
#include "skinned/skin_edit.h"
#include "skinned/skin_menu.h"
#include "skinned/skin_menu_window.h"
#include "tests/gfx/pixels.h"
#include "tests/skinned/skinned_fixture.h"
#include "text/cp936.h"

namespace lt {
namespace {

std::string cp(const char* utf8)
{
    return utf8_to_cp936(utf8);
}

Point Centre(const Rect& r)
{
    return {r.left + r.width() / 2, r.top + r.height() / 2};
}

int Count(const Bitmap& b, Pixel p)
{
    int n = 0;
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x)
            n += b.pixel(x, y) == p;
    return n;
}

struct SkinEditTest : test::SkinnedForm {
    TskSkinMenuHost* host = nullptr;
    TskSkinEdit* edit = nullptr;

    void SetUp() override
    {
        test::SkinnedForm::SetUp();
        host = new TskSkinMenuHost(form);
        host->SetSkinData(data);
        // The keyword box as the main window places it.
        edit = Add<TskSkinEdit>("edit", 96, 11, 233, 18);
        pump();
    }

    // The stored skin's edit object, to vary for a test.
    TskDataSkinEditControl& EditObject()
    {
        const int index = data->FindSkinControl("edit");
        return dynamic_cast<TskDataSkinEditControl&>(*data->SkinControls.at(static_cast<size_t>(index)));
    }

    // The text area as the screen shows it.
    Bitmap TextArea()
    {
        const Point at = edit->ClientToScreen({0, 0});
        return Shot(Rect::from_xywh(at.x, at.y, edit->ClientWidth(), edit->ClientHeight()));
    }

    void Type(int vk, bool ctrl = false)
    {
        if (ctrl)
            backend.key_down(VK_CONTROL);
        backend.key(vk);
        if (ctrl)
            backend.key_up(VK_CONTROL);
        pump();
    }

    TskSkinPopupWindow* MenuWindow() { return host->SkinMenu().Visible() ? host->SkinMenu().Windows(0) : nullptr; }
};

// ---- look ----------------------------------------------------------------------

TEST_F(SkinEditTest, TakesTheSkinsHeightAndBorderWhateverItIsGiven)
{
    // The stored skin's edit rectangle is 60 x 21 with a 3-pixel border.
    EXPECT_EQ(edit->Height(), 21) << "the 18 pixels given are overridden";
    EXPECT_EQ(edit->ClientRect(), (Rect{0, 0, 227, 15}));
    edit->SetBounds(96, 11, 150, 40);
    EXPECT_EQ(edit->BoundsRect(), Rect::from_xywh(96, 11, 150, 21)) << "any width, the skin's height";

    // Without its object the box keeps its size, with the plain 2-pixel
    // border, or takes DefaultHeight.
    edit->SetText(cp("长尾词"));
    edit->ForgetSkin();
    edit->SetSkinDataName("no such object");
    edit->ApplySkin();
    EXPECT_FALSE(edit->Skinned());
    EXPECT_EQ(edit->ClientRect(), (Rect{0, 0, 146, 17}));
    edit->DefaultHeight = 25;
    edit->ApplySkin();
    EXPECT_EQ(edit->Height(), 25);

    // Back on the skin: its height and border again, the text kept.
    edit->SetSkinDataName("edit");
    edit->ApplySkin();
    EXPECT_TRUE(edit->Skinned());
    EXPECT_EQ(edit->Height(), 21);
    EXPECT_EQ(edit->ClientRect(), (Rect{0, 0, 144, 15}));
    EXPECT_EQ(edit->Text(), cp("长尾词"));
}

TEST_F(SkinEditTest, FrameAndTextFollowHotFocusAndDisabled)
{
    // The frame: skinrect 2,60,62,81 and activeskinrect 2,83,62,104 of
    // picture 1; lefttoppoint.x 4, righttoppoint.x 56: a 4-pixel left piece,
    // a 4-pixel right piece and a 52-pixel middle tiled across 233 pixels.
    const Bitmap& picture = Picture(1);
    const Point normal{2, 60}, active{2, 83};
    ASSERT_NE(picture.pixel(normal.x, normal.y + 10), picture.pixel(active.x, active.y + 10));
    struct Probe {
        Point at;   // in the box
        Point from; // in the state rectangle
    };
    const Probe probes[] = {
        {{0, 10}, {0, 10}},    // left piece
        {{3, 0}, {3, 0}},      // left piece, top border
        {{232, 10}, {59, 10}}, // right piece
        {{230, 20}, {57, 20}}, // right piece, bottom border
        {{100, 1}, {48, 1}},   // middle, second copy
        {{4, 19}, {4, 19}},    // middle, first copy
        {{100, 10}, {48, 10}}, // under the text area, right of the text
    };
    // The text colours, made distinct (the stored skin uses one colour for
    // normal and active text).
    TskDataSkinEditControl& object = EditObject();
    const Color ink_normal = rgb(0, 0, 200), ink_active = rgb(200, 0, 0), ink_disabled = rgb(0, 150, 0);
    object.fontcolor = ink_normal;
    object.activefontcolor = ink_active;
    object.disabledfontcolor = ink_disabled;

    auto* other = Add<TskSkinEdit>("edit", 96, 60, 100, 18);
    edit->SetText("WWW MMM");
    edit->AutoSelect = false; // no highlight over the text when it takes the focus
    struct State {
        const char* name;
        std::function<void()> enter;
        Point frame;
        Color ink;
    };
    const State states[] = {
        {"normal", [] {}, normal, ink_normal},
        {"pointer over the unfocused box",
            [&] {
                backend.mouse_move({200, 20});
            },
            active, ink_active},
        {"pointer left",
            [&] {
                backend.mouse_move({10, 200});
            },
            normal, ink_normal},
        {"focused", [&] { edit->SetFocus(); }, active, ink_active},
        {"focus elsewhere", [&] { other->SetFocus(); }, normal, ink_normal},
        {"disabled under the pointer",
            [&] {
                edit->SetEnabled(false);
                backend.mouse_move({200, 20});
            },
            normal, ink_disabled},
    };
    for (const State& s : states) {
        SCOPED_TRACE(s.name);
        s.enter();
        pump();
        const Bitmap shot = Shot(edit->BoundsRect());
        for (const Probe& p : probes)
            EXPECT_EQ(test::hex(shot.pixel(p.at.x, p.at.y)),
                test::hex(picture.pixel(s.frame.x + p.from.x, s.frame.y + p.from.y)))
                << "at (" << p.at.x << ", " << p.at.y << ")";
        const Bitmap text = TextArea();
        for (Color c : {ink_normal, ink_active, ink_disabled}) {
            if (c == s.ink)
                EXPECT_GT(Count(text, to_pixel(c)), 20);
            else
                EXPECT_EQ(Count(text, to_pixel(c)), 0);
        }
    }
}

// ---- the context menu ----------------------------------------------------------

TEST_F(SkinEditTest, ContextMenuCommandsAsOneTable)
{
    enum Item { Undo = 0, Cut = 2, Copy = 3, Paste = 4, Delete = 5, SelectAll = 7, None = -1 };
    struct Case {
        const char* name;
        const char* text; // UTF-8
        int sel_start, sel_length;
        const char* typed; // typed at the selection before the menu opens
        bool read_only;
        const char* clipboard; // UTF-8, as another program left it
        // Undo, Cut, Copy, Paste, Delete, Select All
        std::vector<bool> enabled;
        int choose;
        const char* text_after;
        const char* clipboard_after;
        const char* selected_after;
    };
    const Case cases[] = {
        {"undo the typing", "abc", 3, 0, "xy", false, "clip", {true, false, false, true, false, true}, Undo, "abc",
            "clip", ""},
        {"cut", "hello world", 0, 5, "", false, "", {false, true, true, false, true, true}, Cut, " world", "hello", ""},
        {"copy from a read-only box", "hello world", 6, 5, "", true, "x", {false, false, true, false, false, true},
            Copy, "hello world", "world", "world"},
        {"paste keeps the first line", "ab", 2, 0, "", false, "QQ空间\r\nsecond line",
            {false, false, false, true, false, true}, Paste, "abQQ空间", "QQ空间\r\nsecond line", ""},
        {"delete a double-byte selection", "中文abc", 0, 4, "", false, "keep", {false, true, true, true, true, true},
            Delete, "abc", "keep", ""},
        {"select all", "abc", 1, 0, "", false, "", {false, false, false, false, false, true}, SelectAll, "abc", "",
            "abc"},
        {"everything selected already", "abc", 0, 3, "", false, "", {false, true, true, false, true, false}, None,
            "abc", "", "abc"},
        {"a disabled command does nothing", "abc", 0, 3, "", true, "x", {false, false, true, false, false, false}, Cut,
            "abc", "x", "abc"},
    };
    edit->SetFocus();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        edit->SetReadOnly(false);
        edit->SetText("");
        edit->SetText(cp(c.text)); // with no undo step
        edit->SetSelStart(c.sel_start);
        edit->SetSelLength(c.sel_length);
        if (*c.typed) {
            backend.type(c.typed);
            pump();
        }
        edit->SetReadOnly(c.read_only);
        backend.set_external_clipboard(c.clipboard);

        backend.click(Centre(edit->BoundsRect()), MouseButton::Right);
        pump();
        TskSkinPopupWindow* window = MenuWindow();
        ASSERT_TRUE(window);
        TMenuItem& root = *edit->ContextMenu()->Items();
        ASSERT_EQ(root.Count(), 8);
        const int commands[] = {Undo, Cut, Copy, Paste, Delete, SelectAll};
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(root.Items(commands[i])->Enabled, c.enabled[static_cast<size_t>(i)])
                << root.Items(commands[i])->Caption;

        if (c.choose == None) {
            Type(VK_ESCAPE);
        } else {
            backend.click(Centre(window->ItemScreenRect(c.choose)));
            pump();
            pump();
            if (MenuWindow())
                Type(VK_ESCAPE); // a disabled item leaves the menu open
        }
        EXPECT_FALSE(host->SkinMenu().Visible());
        EXPECT_EQ(edit->Text(), cp(c.text_after));
        EXPECT_EQ(backend.external_clipboard(), c.clipboard_after);
        EXPECT_EQ(edit->SelText(), cp(c.selected_after));
        EXPECT_TRUE(edit->Focused());
        EXPECT_EQ(Shot(edit->BoundsRect()).pixel(0, 10), Picture(1).pixel(2, 83 + 10)) << "focused: the active look";
    }

    // The captions, and the context-menu key opens the menu at the box's centre.
    Type(VK_APPS);
    ASSERT_TRUE(MenuWindow());
    const Point centre = edit->ClientToScreen({edit->ClientWidth() / 2, edit->ClientHeight() / 2});
    EXPECT_EQ(edit->ContextMenu()->PopupPoint(), centre);
    std::vector<std::string> captions;
    for (int i = 0; i < edit->ContextMenu()->Items()->Count(); ++i)
        captions.push_back(edit->ContextMenu()->Items()->Items(i)->Caption);
    EXPECT_EQ(captions, (std::vector<std::string>{"Undo", "-", "Cut", "Copy", "Paste", "Delete", "-", "Select All"}));
    Type(VK_ESCAPE);

    // The form's skin data names the texts when it has resource strings.
    auto* strings = new TskResourceStrData(form);
    for (std::string& line : strings->ResStrings)
        if (line.rfind("EDIT_UNDO=", 0) == 0)
            line = "EDIT_UNDO=" + cp("撤销(&U)");
    data->SetResourceStrData(strings);
    backend.click(Centre(edit->BoundsRect()), MouseButton::Right);
    pump();
    ASSERT_TRUE(MenuWindow());
    EXPECT_EQ(edit->ContextMenu()->Items()->Items(0)->Caption, cp("撤销(&U)"));
    EXPECT_EQ(edit->ContextMenu()->Items()->Items(2)->Caption, "Cut");
    Type(VK_ESCAPE);
}

TEST_F(SkinEditTest, FreeingTheBoxWhileItsMenuIsOpenClosesTheMenu)
{
    edit->SetText("abc");
    backend.click(Centre(edit->BoundsRect()), MouseButton::Right);
    pump();
    ASSERT_TRUE(host->SkinMenu().Visible());
    delete edit;
    pump();
    EXPECT_FALSE(host->SkinMenu().Visible());
    EXPECT_EQ(host->SkinMenu().Opener(), nullptr);
}

// ---- typing --------------------------------------------------------------------

TEST_F(SkinEditTest, ChineseThroughTheInputMethod)
{
    TskDataSkinEditControl& object = EditObject();
    object.activefontcolor = rgb(200, 0, 0);
    std::vector<std::string> changes;
    edit->OnChange = [&](TComponent*) { changes.push_back(edit->Text()); };
    edit->SetFocus();
    pump();
    const Pixel ink = to_pixel(object.activefontcolor);
    const int caret = Count(TextArea(), ink);
    EXPECT_GT(caret, 0) << "the caret";

    // The composition is drawn at the caret but is not text yet.
    backend.compose("zhong wen", 9);
    pump();
    EXPECT_EQ(edit->Model().composition(), "zhong wen");
    EXPECT_EQ(edit->Text(), "");
    EXPECT_GT(Count(TextArea(), ink), caret + 40) << "the composition and its underline on the skin";
    backend.compose("中文", 2);
    pump();
    EXPECT_EQ(edit->Model().composition(), cp("中文"));
    EXPECT_TRUE(changes.empty());

    // The commit arrives as UTF-8 and is held in code page 936; what the
    // code page cannot hold becomes '?'.
    backend.commit("中文");
    pump();
    EXPECT_EQ(edit->Text(), cp("中文"));
    EXPECT_EQ(changes.back(), cp("中文"));
    EXPECT_EQ(edit->Model().composition(), "");
    backend.commit("😀");
    backend.type("qq");
    pump();
    EXPECT_EQ(edit->Text(), cp("中文?qq"));
    EXPECT_EQ(changes.back(), cp("中文?qq"));

    // Backspace takes a whole double-byte character.
    Type(VK_LEFT);
    Type(VK_LEFT);
    Type(VK_LEFT);
    Type(VK_BACK);
    EXPECT_EQ(edit->Text(), cp("中?qq"));

    save_png_file("skin_edit.png", *desktop.image(*form->WindowHandle()));
}

TEST_F(SkinEditTest, PastingSeveralLinesKeepsTheFirst)
{
    const struct {
        const char* clipboard;
        const char* text;
    } cases[] = {
        {"QQ空间\r\n", "QQ空间"},
        {"a\r\nb", "a"},
        {"long tail\nkeyword", "long tail"},
        {"first\rsecond", "first"},
        {"\r\nnothing before the break", ""},
    };
    edit->SetFocus();
    for (const auto& c : cases) {
        edit->SetText("");
        backend.set_external_clipboard(c.clipboard);
        Type('V', true);
        EXPECT_EQ(edit->Text(), cp(c.text)) << c.clipboard;
    }
}

TEST_F(SkinEditTest, EnterAndEscapeAreNeverTypedAndGoToTheForm)
{
    struct Case {
        const char* name;
        bool with_buttons;
        int vk;
        const char* clicked; // which button acted, "" for none
    };
    const Case cases[] = {
        {"Enter in the keyword box starts nothing", false, VK_RETURN, ""},
        {"Escape without a cancel button", false, VK_ESCAPE, ""},
        {"Enter with a default button", true, VK_RETURN, "default"},
        {"Escape with a cancel button", true, VK_ESCAPE, "cancel"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string clicked;
        std::vector<int> pressed;
        std::vector<TButton*> buttons;
        if (c.with_buttons) {
            for (const char* name : {"default", "cancel"}) {
                auto* b = new TButton(form);
                b->SetParent(form);
                b->SetBounds(10, 100 + 30 * static_cast<int>(buttons.size()), 75, 25);
                b->Default = std::string(name) == "default";
                b->Cancel = !b->Default;
                b->OnClick = [&clicked, name](TComponent*) { clicked = name; };
                buttons.push_back(b);
            }
        }
        int changes = 0;
        edit->SetText(cp("长尾词"));
        edit->OnChange = [&](TComponent*) { ++changes; };
        edit->OnKeyPress = [&](TComponent*, char& key) { pressed.push_back(key); };
        edit->SetFocus();
        pump();
        Type(c.vk);
        EXPECT_EQ(edit->Text(), cp("长尾词"));
        EXPECT_EQ(changes, 0);
        EXPECT_EQ(pressed, (std::vector<int>{c.vk == VK_RETURN ? '\r' : 0x1B})) << "OnKeyPress sees it";
        EXPECT_EQ(clicked, c.clicked);
        EXPECT_TRUE(edit->Focused());
        for (TButton* b : buttons)
            delete b;
    }
}

} // namespace
} // namespace lt
