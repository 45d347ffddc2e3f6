// The skinned page's passive controls: the main window's top panel with its
// labels and status panel, the two group boxes with their counters (one
// disabled), a panel in caption mode without a skin, a status panel with a
// glyph, and two panels with the splitter between them (drag it).

#include "forms/stdctrls.h"
#include "skinned/skin_splitter.h"
#include "skinned/static_controls.h"
#include "tools/gallery/skinned_page.h"

namespace lt::gallery {
namespace {

// A two-image glyph strip: a green square, and a grey one for the disabled
// look, on a magenta key (the lower-left pixel).
Bitmap SquareGlyphs()
{
    Bitmap strip(24, 12, make_pixel(255, 0, 255));
    strip.fill({2, 2, 10, 10}, make_pixel(40, 160, 60));
    strip.fill({14, 2, 22, 10}, make_pixel(150, 150, 150));
    return strip;
}

TskSkinStdLabel* Label(SectionContext& s, TWinControl* parent, int x, int y, const char* text)
{
    auto* l = s.Add<TskSkinStdLabel>("stdlabel", x, y, 60, 13, parent);
    l->SetCaption(cp(text));
    return l;
}

const SectionRegistration statics_section{
    "labels, panels, splitter", 30, {640, 330}, [](SectionContext& s) {
        // The main window's top strip, shortened.
        auto* top = s.Add<TskSkinPanel>("panel", 0, 0, 640, 89);
        Label(s, top, 19, 15, "输入关键词");
        Label(s, top, 110, 15, "注意：广泛相关最后可能根本不相关");
        Label(s, top, 360, 15, "disabled label")->SetEnabled(false);
        auto* status = s.Add<TskSkinStatusPanel>("statuspanel", 21, 52, 308, 21, top);
        status->SetCaption(cp("正在查询：长尾词查询工具，第 12 轮，已找到 345 个长尾词，请稍候……"));
        auto* glyphed = s.Add<TskSkinStatusPanel>("statuspanel", 340, 52, 140, 21, top);
        glyphed->SetGlyph(SquareGlyphs());
        glyphed->SetNumGlyphs(2);
        glyphed->SetCaption(cp("带图标"));
        auto* greyed = s.Add<TskSkinStatusPanel>("statuspanel", 490, 52, 140, 21, top);
        greyed->SetGlyph(SquareGlyphs());
        greyed->SetNumGlyphs(2);
        greyed->SetCaption(cp("禁用"));
        greyed->SetEnabled(false);

        // The two groups with their counters in the caption bar.
        auto* results = s.Add<TskSkinGroupBox>("groupbox", 0, 95, 200, 120);
        results->SetCaption(cp("长尾词列表"));
        Label(s, results, 10, 1, "(0)");
        Label(s, results, 10, 40, "child inside the frame");
        auto* exports = s.Add<TskSkinGroupBox>("groupbox", 206, 95, 200, 120);
        exports->SetCaption(cp("导出列表"));
        Label(s, exports, 10, 1, "(12)");
        exports->SetEnabled(false);
        for (int i = 0; i < exports->ControlCount(); ++i)
            exports->Controls(i)->SetEnabled(false);

        // A panel in caption mode without a skin object: the plain look.
        auto* plain = s.Add<TskSkinPanel>("", 412, 95, 220, 120);
        plain->SetCaptionMode(true);
        plain->SetCaption(cp("无皮肤的标题"));
        plain->SetGlyph(SquareGlyphs());
        plain->SetNumGlyphs(2);

        // Two panels with the splitter between them.
        auto* row = s.AddPlain<TPanel>(0, 222, 640, 106);
        row->BevelOuter = TBevelCut::bvNone;
        auto* left = s.Add<TskSkinGroupBox>("groupbox", 0, 0, 260, 106, row);
        left->SetAlign(TAlign::alLeft);
        left->SetCaption(cp("拖动右边的分隔条"));
        auto* splitter = new TskSkinSplitter(s.form);
        splitter->SetParent(row);
        splitter->SetAlign(TAlign::alLeft);
        splitter->SetBounds(260, 0, 10, 106);
        splitter->SetSkinData(s.data);
        auto* right = s.Add<TskSkinPanel>("panel", 0, 0, 100, 106, row);
        right->SetAlign(TAlign::alClient);
        Label(s, right, 8, 8, "the rest keeps at least 30 pixels");
    }};

} // namespace
} // namespace lt::gallery
