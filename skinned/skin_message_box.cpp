#include "skinned/skin_message_box.h"

#include <algorithm>
#include <memory>

#include "gfx/draw_text.h"
#include "gfx/font.h"
#include "skinned/skin_buttons.h"
#include "skinned/skin_form.h"
#include "skinned/static_controls.h"

namespace lt {

TModalResult SkinMessageBox(const std::string& caption, const std::string& text, TskMessageButtons buttons,
    TskSkinData* frame_skin, TskSkinData* control_skin, const TFont* font)
{
    struct Choice {
        const char* caption;
        TModalResult result;
    };
    std::vector<Choice> choices;
    switch (buttons) {
    case TskMessageButtons::OK:
        choices = {{"OK", mrOk}};
        break;
    case TskMessageButtons::OKCancel:
        choices = {{"OK", mrOk}, {"Cancel", mrCancel}};
        break;
    case TskMessageButtons::YesNo:
        choices = {{"&Yes", mrYes}, {"&No", mrNo}};
        break;
    }
    constexpr int kButtonWidth = 75, kButtonHeight = 25, kGap = 10, kMargin = 16, kTextWidth = 320;

    TComponent* owner = Application ? static_cast<TComponent*>(Application) : nullptr;
    auto* form = new TForm(owner);
    std::unique_ptr<TForm> keep(form);
    form->SetBorderStyle(TFormBorderStyle::bsDialog);
    form->SetCaption(caption);
    auto* frame = new TskSkinForm(form);
    frame->SetBorderIcons(0);
    frame->PositionInMonitor = TskPositionInMonitor::skpScreenCenter;
    frame->SetSkinData(frame_skin);

    auto* label = new TskSkinStdLabel(form);
    label->SetParent(form);
    if (font)
        label->DefaultFont().Assign(*font);
    label->SetWordWrap(true);
    label->SetAutoSize(false);
    label->SetSkinData(control_skin);
    // The text's height at the label's width.
    const FontPtr face = lt::Font::get(label->DrawFont());
    const Rect text_rect =
        layout_text(*face, text, Rect::from_xywh(0, 0, kTextWidth, 4000), DT_WORDBREAK | DT_NOPREFIX).calc_rect;
    const int text_height = std::max(face->metrics().height, text_rect.height());
    label->SetBounds(kMargin, kMargin, kTextWidth, text_height);
    label->SetCaption(text);

    const int client_width = kTextWidth + 2 * kMargin;
    const int row_width = static_cast<int>(choices.size()) * (kButtonWidth + kGap) - kGap;
    const int top = kMargin + text_height + kMargin;
    TskSkinButton* first = nullptr;
    for (size_t i = 0; i < choices.size(); ++i) {
        auto* b = new TskSkinButton(form);
        b->SetParent(form);
        b->SetBounds((client_width - row_width) / 2 + static_cast<int>(i) * (kButtonWidth + kGap), top, kButtonWidth,
            kButtonHeight);
        b->SetCaption(choices[i].caption);
        b->ModalResult = choices[i].result;
        b->SetCanFocused(true);
        b->SetSkinDataName("button");
        if (font)
            b->DefaultFont().Assign(*font);
        b->SetSkinData(control_skin);
        if (i == 0) {
            b->SetDefault(true);
            first = b;
        }
        b->Cancel = i + 1 == choices.size();
    }
    form->SetClientSize(client_width, top + kButtonHeight + kMargin);
    form->SetActiveControl(first);
    const TModalResult result = form->ShowModal();
    if (result == mrOk || result == mrYes || result == mrNo)
        return result;
    return buttons == TskMessageButtons::YesNo ? mrNo : buttons == TskMessageButtons::OK ? mrOk : mrCancel;
}

} // namespace lt
