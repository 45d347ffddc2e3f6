// The skinned page's buttons and check boxes on a skinned panel: push
// buttons in their looks (normal, hot, pressed, focused, disabled, default),
// the main window's buttons with their own font, a glyph button, unskinned
// buttons and a button with default images; check boxes checked, unchecked,
// grey and disabled, a radio group, a framed box and unskinned boxes. The
// live ones answer the mouse in a real window (the repeat button counts its
// clicks in its caption).

#include <memory>
#include <string>

#include "skinned/skin_buttons.h"
#include "skinned/skin_checkbox.h"
#include "skinned/static_controls.h"
#include "tools/gallery/skinned_page.h"

namespace lt::gallery {
namespace {

// A button that always shows one look of the skin (the hot and focused looks
// need a pointer or the focus, which a still picture has no room for). It
// paints through the button's own PaintStateImage.
class LookButton : public TskSkinButton {
public:
    LookButton(TComponent* owner, bool focused_look) : TskSkinButton(owner), focused_look_(focused_look) { }

protected:
    void PaintSkinned(Bitmap& bitmap) override
    {
        const Rect look = focused_look_ && !Looks().focused.empty() ? Looks().focused : Looks().active;
        PaintStateImage(bitmap, look, false, true);
    }

private:
    bool focused_look_;
};

// A three-image glyph strip: up, disabled and down squares on a magenta key.
Bitmap Glyphs()
{
    Bitmap strip(36, 12, make_pixel(255, 0, 255));
    strip.fill({2, 2, 10, 10}, make_pixel(40, 160, 60));
    strip.fill({14, 2, 22, 10}, make_pixel(150, 150, 150));
    strip.fill({26, 2, 34, 10}, make_pixel(200, 60, 40));
    return strip;
}

template <class T>
T* Captioned(SectionContext& s, T* c, const char* text)
{
    c->SetCaption(cp(text));
    return c;
}

void Build(SectionContext& s)
{
    auto* panel = s.Add<TskSkinPanel>("panel", 0, 0, 640, 190);

    // The looks: each button shows the state its caption names.
    auto* normal = s.Add<TskSkinButton>("button", 8, 8, 90, 25, panel);
    Captioned(s, normal, "normal");
    auto* hot = new LookButton(s.form, false);
    hot->SetParent(panel);
    hot->SetBounds(104, 8, 90, 25);
    hot->SetSkinData(s.data);
    Captioned(s, hot, "hot");
    auto* pressed = s.Add<TskSkinButton>("button", 200, 8, 90, 25, panel);
    pressed->SetGroupIndex(1); // latched down
    pressed->SetDown(true);
    Captioned(s, pressed, "pressed");
    auto* focused = new LookButton(s.form, true);
    focused->SetParent(panel);
    focused->SetBounds(296, 8, 90, 25);
    focused->SetSkinData(s.data);
    Captioned(s, focused, "focused");
    Captioned(s, s.Add<TskSkinButton>("button", 392, 8, 90, 25, panel), "disabled")->SetEnabled(false);
    auto* def = s.Add<TskSkinButton>("button", 488, 8, 90, 25, panel);
    def->SetDefault(true); // hot while the focus is on no button
    Captioned(s, def, "default");

    // The main window's buttons: Query and Stop with their own font in
    // black, the lower ones in the skin's font; one repeats its click.
    for (int i = 0; i < 2; ++i) {
        auto* b = s.Add<TskSkinXFormButton>("button", 8 + i * 80, 40, 73, 22, panel);
        b->SetCaption(cp(i == 0 ? "查询" : "停止"));
        b->SetUseSkinFont(false);
        b->SetUseSkinFontColor(false);
        b->DefaultFont().SetDesc(FontDesc{cp("宋体"), -12, false, false, false, false, 134, clBlack});
    }
    auto* repeat = s.Add<TskSkinXFormButton>("button", 168, 40, 121, 25, panel);
    repeat->SetCaption(cp("全部选入导出列表"));
    repeat->RepeatMode = true;
    // Handlers run from a copy: the count lives outside the handler.
    repeat->OnClick = [repeat, clicks = std::make_shared<int>(0)](
                          TComponent*) { repeat->SetCaption(cp("全部选入导出列表 ") + std::to_string(++*clicks)); };
    auto* glyph = s.Add<TskSkinButton>("button", 296, 40, 121, 25, panel);
    glyph->SetGlyph(Glyphs());
    glyph->SetNumGlyphs(3);
    Captioned(s, glyph, "导出为TXT文本文件");

    // Without a skin: the plain look up, latched down and disabled, and a
    // button drawn from default images.
    Captioned(s, s.Add<TskSkinButton>("", 424, 40, 64, 22, panel), "no skin");
    auto* plain_down = s.Add<TskSkinButton>("", 494, 40, 64, 22, panel);
    plain_down->SetGroupIndex(2);
    plain_down->SetDown(true);
    Captioned(s, plain_down, "down");
    Captioned(s, s.Add<TskSkinButton>("", 564, 40, 64, 22, panel), "disabled")->SetEnabled(false);

    // Check boxes as the main window has them, in every state.
    auto* checked = s.Add<TskSkinCheckRadioBox>("checkbox", 8, 72, 150, 25, panel);
    checked->SetChecked(true);
    Captioned(s, checked, "长尾词必须包含关键词");
    Captioned(s, s.Add<TskSkinCheckRadioBox>("checkbox", 168, 72, 100, 25, panel), "unchecked");
    auto* grey = s.Add<TskSkinCheckRadioBox>("checkbox", 272, 72, 100, 25, panel);
    grey->AllowGrayed = true;
    grey->SetState(cbGrayed);
    Captioned(s, grey, "grey");
    auto* off = s.Add<TskSkinCheckRadioBox>("checkbox", 376, 72, 130, 25, panel);
    off->SetChecked(true);
    off->SetEnabled(false);
    Captioned(s, off, "disabled, checked");
    auto* off2 = s.Add<TskSkinCheckRadioBox>("checkbox", 512, 72, 120, 25, panel);
    off2->SetEnabled(false);
    Captioned(s, off2, "disabled");

    // A radio group, a framed box and unskinned boxes.
    for (int i = 0; i < 3; ++i) {
        auto* radio = s.Add<TskSkinCheckRadioBox>("radiobox", 8 + i * 90, 104, 86, 25, panel);
        radio->SetRadio(true);
        radio->GroupIndex = 1;
        radio->SetChecked(i == 1);
        radio->SetCaption(cp("radio ") + std::to_string(i + 1));
    }
    auto* framed = s.Add<TskSkinCheckRadioBox>("checkbox", 280, 104, 120, 25, panel);
    framed->SetFlat(false);
    framed->SetChecked(true);
    Captioned(s, framed, "framed");
    auto* plain = s.Add<TskSkinCheckRadioBox>("", 412, 104, 110, 25, panel);
    plain->SetChecked(true);
    Captioned(s, plain, "no skin");
    auto* plain_grey = s.Add<TskSkinCheckRadioBox>("", 522, 104, 110, 25, panel);
    plain_grey->SetState(cbGrayed);
    Captioned(s, plain_grey, "no skin, grey");

    // A button from default images (unskinned), and a wrapped caption.
    auto* images = s.Add<TskSkinXFormButton>("", 8, 140, 90, 25, panel);
    Bitmap up(90, 30, make_pixel(70, 120, 200)), active(90, 30, make_pixel(90, 160, 240));
    up.fill({0, 26, 90, 30}, make_pixel(40, 80, 150));
    images->SetDefImage(up);
    images->SetDefActiveImage(active);
    images->DefaultFont().SetColor(clWhite);
    images->DefActiveFontColor = clWhite;
    Captioned(s, images, "default images");
    auto* wrapped = s.Add<TskSkinCheckRadioBox>("checkbox", 110, 136, 250, 40, panel);
    wrapped->SetWordWrap(true);
    wrapped->SetChecked(true);
    Captioned(s, wrapped, "广泛相关（如：关键词\"QQ空间\"，找到空间、51，则继续穷举和\"空间\"、\"51\"相关的词。）");
    // The focus rests on a box, so the default button shows it answers Enter.
    s.form->SetActiveControl(checked);
}

const SectionRegistration buttons_section{"buttons, check boxes", 20, {640, 190}, Build};

} // namespace
} // namespace lt::gallery
