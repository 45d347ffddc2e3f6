// A real window with the skinned lists for the Xvfb smoke test: a borderless
// 520 x 430 form at 50, 50 drawing from the stored skin, with the results
// list's kind (1,000,000 rows, fixed 20-pixel rows) at 10, 10 (300 x 396)
// and a drop-down list of 20 rows at 330, 10.
//
// On stdout: "ready" once shown; "thumb X Y" (the screen point of the list's
// scroll-bar thumb), "rows X Y W H" (the rows' screen rectangle) and "combo
// X Y" (the box's centre); then "top N" whenever the list's top row
// changes, "dropdown X Y W H" when the drop-down opens (its screen
// rectangle) with "row5 X Y" (where its row 5 is), and "picked N TEXT" when
// a row is picked. It quits at the end of its input or after 30 seconds.

#include <string>

#include "skin/embedded_skin.h"
#include "skin/skin_data.h"
#include "skinned/skin_combobox.h"
#include "skinned/skin_listbox.h"
#include "skinned/skin_scrollbar.h"
#include "tests/skinned/skinned_probe.h"

using namespace lt;
using lt::test::say;

namespace {

std::string xy(Point p)
{
    return std::to_string(p.x) + " " + std::to_string(p.y);
}

} // namespace

int main()
{
    lt::test::ProbeApp probe;
    probe.Borderless(Rect::from_xywh(50, 50, 520, 430));
    TForm* form = probe.form;
    TskSkinData* data = NewEmbeddedSkinData(form);

    auto* list = new TskSkinListBox(form);
    list->SetParent(form);
    list->SetBounds(10, 10, 300, 396);
    list->SetMultiSelect(true);
    list->SetUseSkinItemHeight(false);
    list->SetSkinData(data);
    list->Items().BeginUpdate();
    for (int i = 0; i < 1'000'000; ++i)
        list->Items().Add("long tail keyword " + std::to_string(i));
    list->Items().EndUpdate();

    auto* combo = new TskSkinComboBox(form);
    combo->SetParent(form);
    combo->SetBounds(330, 10, 170, 21);
    combo->SetSkinData(data);
    for (int i = 0; i < 20; ++i)
        combo->Items().Add("item " + std::to_string(i));
    combo->SetItemIndex(0);
    combo->OnDropDown = [combo](TComponent*) {
        // Said once the list is placed, on the next loop turn.
        Desktop::current()->loop().mailbox()->post([combo] {
            TskPopupListBox& popup = combo->ListBox();
            say("dropdown " + xy({popup.Left(), popup.Top()}) + " " + std::to_string(popup.Width()) + " " +
                std::to_string(popup.Height()));
            const TskListBox& inner = popup.ListBox();
            say("row5 " + xy(inner.ClientToScreen({40, (5 - popup.TopIndex()) * popup.ItemHeight() + 10})));
        });
    };
    combo->OnClick = [combo](
                         TComponent*) { say("picked " + std::to_string(combo->ItemIndex()) + " " + combo->Text()); };

    form->Show();
    form->Update();
    say("ready");
    TskSkinScrollBar* bar = list->VScrollBar();
    if (bar) {
        const Rect thumb = bar->PartRect(ScrollBarPart::Thumb);
        say("thumb " + xy(bar->ClientToScreen({thumb.left + thumb.width() / 2, thumb.top + thumb.height() / 2})));
    }
    const TskListBox& inner = list->ListBox();
    say("rows " + xy(inner.ClientToScreen({0, 0})) + " " + std::to_string(inner.Width()) + " " +
        std::to_string(inner.Height()));
    say("combo " + xy(combo->ClientToScreen({combo->Width() / 2, combo->Height() / 2})));

    int top = list->TopIndex();
    probe.loop.start_timer(50, [list, &top] {
        if (list->TopIndex() != top) {
            top = list->TopIndex();
            say("top " + std::to_string(top));
        }
    });

    probe.QuitAtEndOfInput();
    probe.Run(30000);
    return 0;
}
