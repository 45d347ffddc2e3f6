// Caption accelerators ("&Save"): Alt with the letter, or the plain letter
// while the focus is on a control that takes no text, reaches the control
// whose caption marks it.

#include "tests/skinned/skinned_fixture.h"

#include "skinned/skin_buttons.h"
#include "skinned/skin_checkbox.h"
#include "skinned/skin_edit.h"
#include "skinned/skin_speed_button.h"
#include "skinned/static_controls.h"

#include <functional>
#include <string>

namespace lt::test {
namespace {

struct Accelerators : SkinnedForm {
    TskSkinButton* save = nullptr;
    TskSkinButton* other = nullptr;
    TskSkinCheckRadioBox* broad = nullptr;
    TskSkinSpeedButton* up = nullptr;
    TskSkinStdLabel* label = nullptr;
    TskSkinEdit* edit = nullptr;
    int saves = 0, ups = 0;

    void SetUp() override
    {
        SkinnedForm::SetUp();
        save = Add<TskSkinButton>("button", 10, 10, 80, 25);
        save->SetCaption("&Save");
        save->OnClick = [this](TComponent*) { ++saves; };
        other = Add<TskSkinButton>("button", 100, 10, 80, 25);
        other->SetCaption("Cancel");
        broad = Add<TskSkinCheckRadioBox>("checkbox", 10, 50, 120, 20);
        broad->SetCaption("&Broad");
        up = Add<TskSkinSpeedButton>("toolbutton", 200, 10, 60, 25);
        up->SetCaption("&Up");
        up->OnClick = [this](TComponent*) { ++ups; };
        edit = new TskSkinEdit(form);
        edit->SetParent(form);
        edit->SetBounds(80, 90, 120, 21);
        label = new TskSkinStdLabel(form);
        label->SetParent(form);
        label->SetBounds(10, 92, 60, 13);
        label->SetCaption("&Name");
        label->SetFocusControl(edit);
        pump();
    }

    void Alt(int vk)
    {
        backend.key_down(VK_MENU);
        backend.key(vk);
        backend.key_up(VK_MENU);
        pump();
    }
    TWinControl* Focused() const { return form->ActiveControl(); }
};

TEST_F(Accelerators, ReachTheControlTheCaptionMarks)
{
    struct Case {
        const char* what;
        std::function<void(Accelerators&)> before, act;
        int saves, ups;
        bool broad_checked;
        std::function<TWinControl*(Accelerators&)> focused;
        std::string text;
    };
    auto nothing = [](Accelerators&) {};
    auto on_other = [](Accelerators& t) { t.other->SetFocus(); };
    auto on_edit = [](Accelerators& t) { t.edit->SetFocus(); };
    const Case cases[] = {
        {"Alt+S focuses and clicks the button", on_edit, [](Accelerators& t) { t.Alt('S'); }, 1, 0, false,
            [](Accelerators& t) -> TWinControl* { return t.save; }, ""},
        {"Alt+B focuses and toggles the check box", on_edit, [](Accelerators& t) { t.Alt('B'); }, 0, 0, true,
            [](Accelerators& t) -> TWinControl* { return t.broad; }, ""},
        {"Alt+U clicks the tool button and leaves the focus", on_edit, [](Accelerators& t) { t.Alt('U'); }, 0, 1, false,
            [](Accelerators& t) -> TWinControl* { return t.edit; }, ""},
        {"Alt+N focuses the labelled edit box", on_other, [](Accelerators& t) { t.Alt('N'); }, 0, 0, false,
            [](Accelerators& t) -> TWinControl* { return t.edit; }, ""},
        {"a plain s in the edit box is text", on_edit, [](Accelerators& t) { t.backend.type("s"); }, 0, 0, false,
            [](Accelerators& t) -> TWinControl* { return t.edit; }, "s"},
        {"a plain s on a button clicks Save", on_other, [](Accelerators& t) { t.backend.type("s"); }, 1, 0, false,
            [](Accelerators& t) -> TWinControl* { return t.save; }, ""},
        {"a disabled button ignores its accelerator",
            [](Accelerators& t) {
                t.save->SetEnabled(false);
                t.edit->SetFocus();
            },
            [](Accelerators& t) { t.Alt('S'); }, 0, 0, false, [](Accelerators& t) -> TWinControl* { return t.edit; },
            ""},
        {"a letter no caption marks does nothing", on_edit, [](Accelerators& t) { t.Alt('Q'); }, 0, 0, false,
            [](Accelerators& t) -> TWinControl* { return t.edit; }, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        saves = ups = 0;
        save->SetEnabled(true);
        broad->SetChecked(false);
        edit->SetText("");
        c.before(*this);
        pump();
        c.act(*this);
        pump();
        EXPECT_EQ(saves, c.saves);
        EXPECT_EQ(ups, c.ups);
        EXPECT_EQ(broad->Checked(), c.broad_checked);
        EXPECT_EQ(Focused(), c.focused(*this));
        EXPECT_EQ(edit->Text(), c.text);
    }
}

TEST_F(Accelerators, TheLabelForgetsAFreedFocusControl)
{
    edit->SetFocus();
    delete edit;
    edit = nullptr;
    pump();
    EXPECT_EQ(label->FocusControl(), nullptr);
    Alt('N'); // must not reach the freed box
    EXPECT_EQ(saves, 0);
}

} // namespace
} // namespace lt::test
