// A real window with the skinned keyword box for the Xvfb smoke test: a
// borderless 340 x 60 form at 50, 50 drawing from the stored skin, with the
// edit box at 20, 20 (233 wide, given 18 pixels high like the main window's)
// and a plain button beside it that has the focus at first.
//
// On stdout: "ready" once shown, then "probe X Y normal R,G,B active R,G,B"
// (a frame pixel on screen and the two colours the skin gives it), "focus"
// when the box takes the focus, "text UTF-8" after each change of its text.
//
// On stdin, the input method as SDL reports it; there is no input method on
// a bare X server, so these lines put the very events an input method makes
// SDL send into SDL's own event queue, from where they take the program's
// normal way (the SDL backend, the desktop, the focused window):
//   compose CURSOR TEXT   SDL_TEXTEDITING with TEXT (UTF-8), cursor in characters
//   commit TEXT           SDL_TEXTINPUT with TEXT (UTF-8)
// It quits at the end of its input or after 30 seconds.

#include <SDL.h>

#include <cstring>
#include <string>

#include "forms/stdctrls.h"
#include "skin/embedded_skin.h"
#include "skin/skin_data.h"
#include "skinned/skin_edit.h"
#include "skinned/skin_menu.h"
#include "tests/skinned/skinned_probe.h"
#include "text/cp936.h"

using namespace lt;
using lt::test::say;

namespace {

std::string rgb_text(Pixel p)
{
    return std::to_string(pixel_red(p)) + "," + std::to_string(pixel_green(p)) + "," + std::to_string(pixel_blue(p));
}

// Runs on the UI thread: one input-method event into SDL's queue.
void push_ime_event(const std::string& line)
{
    SDL_Event e{};
    if (line.rfind("compose ", 0) == 0) {
        const size_t space = line.find(' ', 8);
        const std::string text = space == std::string::npos ? "" : line.substr(space + 1);
        e.type = SDL_TEXTEDITING;
        std::strncpy(e.edit.text, text.c_str(), sizeof e.edit.text - 1);
        e.edit.start = std::atoi(line.c_str() + 8);
        e.edit.length = 0;
    } else if (line.rfind("commit ", 0) == 0) {
        e.type = SDL_TEXTINPUT;
        std::strncpy(e.text.text, line.c_str() + 7, sizeof e.text.text - 1);
    } else {
        return;
    }
    SDL_PushEvent(&e);
}

} // namespace

int main()
{
    lt::test::ProbeApp probe;
    probe.Borderless(Rect::from_xywh(50, 50, 340, 60));
    TForm* form = probe.form;
    TskSkinData* data = NewEmbeddedSkinData(form);
    auto* menus = new TskSkinMenuHost(form);
    menus->SetSkinData(data);

    auto* edit = new TskSkinEdit(form);
    edit->SetParent(form);
    edit->SetBounds(20, 20, 233, 18);
    edit->SetSkinData(data);
    edit->OnEnter = [](TComponent*) { say("focus"); };
    edit->OnChange = [edit](TComponent*) { say("text " + cp936_to_utf8(edit->Text())); };

    // A button holds the focus at first, so the box starts in its normal look.
    auto* button = new TButton(form);
    button->SetParent(form);
    button->SetBounds(262, 18, 70, 25);
    button->SetCaption("Query");
    form->SetActiveControl(button);

    form->Show();
    form->Update();
    say("ready");

    // A left-piece pixel of the frame, 10 pixels down.
    const auto* object = edit->SkinObject();
    const Bitmap* picture = object ? data->ActivePicture(object->pictureindex) : nullptr;
    if (picture) {
        const Point at = edit->WindowHandle()->screen_rect().top_left();
        const Rect normal = EditFaceRect(*object, false), active = EditFaceRect(*object, true);
        say("probe " + std::to_string(at.x) + " " + std::to_string(at.y + 10) + " normal " +
            rgb_text(picture->pixel(normal.left, normal.top + 10)) + " active " +
            rgb_text(picture->pixel(active.left, active.top + 10)));
    }

    probe.QuitAtEndOfInput(push_ime_event);
    probe.Run(30000);
    return 0;
}
