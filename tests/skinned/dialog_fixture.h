#pragma once
// The file dialog on a headless desktop with the stored skin, over a
// temporary folder tree that stands for the program's folder and the home
// folder. A run is driven by steps: each runs in a loop turn of its own
// while the dialog is open (after the input the step before queued has
// arrived), and the run fails when the dialog is still open after the last.
//
//   Run({[&](TskOpenDlgForm& f) { Type("keywords"); },
//        [&](TskOpenDlgForm& f) { Click(f.SaveButton()); }});

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "forms/forms.h"
#include "platform/desktop.h"
#include "platform/headless.h"
#include "skin/embedded_skin.h"
#include "skin/skin_data.h"
#include "skinned/skin_buttons.h"
#include "skinned/skin_edit.h"
#include "skinned/skin_save_dialog.h"
#include "tests/skinned/temp_tree.h"

namespace lt::test {

struct DialogFixture : ::testing::Test {
    VirtualClock clock;
    EventLoop loop{clock};
    HeadlessBackend backend{{1024, 768}};
    Desktop desktop{loop, backend};
    TApplication app{desktop};
    TForm* main = nullptr;
    TskSkinData* data = nullptr;
    TskSkinSaveDialog* dialog = nullptr;
    TempTree tree;
    // Messages the application's error box would have shown.
    std::vector<std::string> errors;

    void SetUp() override
    {
        app.CreateForm(main);
        main->SetBounds(0, 0, 300, 200);
        data = NewEmbeddedSkinData(main);
        ASSERT_FALSE(data->Empty);
        app.OnException = [this](const std::string& message) { errors.push_back(message); };
        main->Show();
        tree.Make({"prog/", "home/"});
        dialog = new TskSkinSaveDialog(main);
        dialog->SetSkinData(data);
        dialog->SetCtrlSkinData(data);
        dialog->Context = [this] { return Context(); };
        pump();
    }

    // The program's folder (writable) and the home folder inside the tree.
    FolderContext Context() const
    {
        FolderContext c = FolderContext::System();
        c.program_folder = tree.Path("prog");
        c.home = tree.Path("home");
        c.working = tree.Root();
        return c;
    }

    void pump()
    {
        loop.process_pending();
        loop.advance(0);
    }

    // Runs Execute with the steps; returns its result.
    bool Run(std::vector<std::function<void(TskOpenDlgForm&)>> steps)
    {
        // The chain outlives this call in the loop's queue: it keeps its own
        // state and stops once the run is over.
        struct Chain {
            std::vector<std::function<void(TskOpenDlgForm&)>> steps;
            size_t next = 0;
            bool over = false;
        };
        auto chain = std::make_shared<Chain>();
        chain->steps = std::move(steps);
        auto step = std::make_shared<std::function<void()>>();
        *step = [this, chain, weak = std::weak_ptr<std::function<void()>>(step)] {
            TskOpenDlgForm* form = dialog->Form();
            if (chain->over || !form || !form->Visible())
                return;
            if (chain->next < chain->steps.size()) {
                chain->steps[chain->next++](*form);
                // The next step waits for this one's input to arrive (a
                // step that opens a modal box itself posts that call).
                if (auto again = weak.lock())
                    loop.post([again] { (*again)(); });
                return;
            }
            ADD_FAILURE() << "the dialog is still open after the last step";
            form->SetModalResult(mrCancel);
        };
        loop.post([step] { (*step)(); });
        const bool result = dialog->Execute();
        chain->over = true;
        pump();
        EXPECT_EQ(chain->next, chain->steps.size()) << "the dialog closed before the last step";
        return result;
    }

    // Input at a control's client point (its centre by default).
    void Click(TControl* c, Point at = {-1, -1})
    {
        if (at.x < 0)
            at = {c->Width() / 2, c->Height() / 2};
        backend.click(c->ClientToScreen(at));
    }
    void DoubleClick(TControl* c, Point at)
    {
        backend.click(c->ClientToScreen(at));
        backend.click(c->ClientToScreen(at));
    }
    void Key(int vk) { backend.key(vk); }
    void Type(const std::string& utf8) { backend.type(utf8); }
    // Replaces the name box's text as the user would: select all, type.
    void TypeName(TskOpenDlgForm& f, const std::string& utf8)
    {
        f.NameBox()->SetFocus();
        f.NameBox()->SelectAll();
        backend.type(utf8);
    }
};

} // namespace lt::test
