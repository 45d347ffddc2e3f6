// The main window as built at start-up: every control at its place with its
// text, the components' settings, a few controls in their skinned look, the
// state right after start, and how the window lays out when resized and when
// the splitter is dragged.

#include "tests/app/app_fixture.h"

#include "skin/skin_data.h"
#include "skinned/skin_buttons.h"
#include "skinned/skin_checkbox.h"
#include "skinned/skin_edit.h"
#include "skinned/skin_splitter.h"
#include "skinned/static_controls.h"

namespace lt::test {
namespace {

struct MainWindowLayout : MainWindow {
    // A pixel of the window as shown, at a point of a control (from the
    // top-left corner of its bounds, its frame included).
    Pixel At(const TControl* c, Point p) const
    {
        const Window& win = *w().WindowHandle();
        const Point screen = c->Parent()->ClientToScreen({c->Left() + p.x, c->Top() + p.y});
        const Point in_window = screen - win.screen_rect().top_left();
        return desktop.image(win)->pixel(in_window.x, in_window.y);
    }
    // The pixel of a control object's skin picture at (dx, dy) from its
    // skin rectangle's top-left corner.
    Pixel SkinPixel(const std::string& object, Point d) const
    {
        const TskSkinData& data = *w().skskindata1;
        const int index = data.FindSkinControl(object);
        EXPECT_GE(index, 0) << object;
        const TskDataSkinControl& o = *data.SkinControls.at(static_cast<size_t>(index));
        return data.ActivePicture(o.pictureindex)->pixel(o.skinrect.left + d.x, o.skinrect.top + d.y);
    }
};

// Where a control's bounds differ from the design, the skin decides: the
// edit box takes the skin's height 21, push buttons the button object's
// height 22, the status panel the statuspanel object's 20, the splitter the
// skin's width 5; docked children fill what their parent offers (a group box
// offers (1, 15, W - 1, H - 1), so each list starts 15 pixels down and is 404
// high); labels size themselves to their caption, so only their place holds.
TEST_F(MainWindowLayout, EveryControlAtItsPlaceWithItsText)
{
    TForm1& f = w();
    EXPECT_EQ(utf8(f.Caption()), "Norvanta长尾词查询工具V1.2-修正部分用户不能查询中文长尾词的错误");
    EXPECT_EQ(utf8(app.Title), "Norvanta长尾词查询工具");
    EXPECT_EQ(f.Width(), 835);
    EXPECT_EQ(f.Height(), 660);
    EXPECT_EQ(f.ClientWidth(), 827);
    EXPECT_EQ(f.ClientHeight(), 629);
    EXPECT_EQ(f.Left(), (1024 - 835) / 2 + 1) << "centred on the screen at the first show";
    EXPECT_EQ(f.Top(), (768 - 660) / 2);

    const TWinControl* form = &f;
    struct Row {
        const char* name;
        const TControl* control;
        const TWinControl* parent;
        TAlign align;
        Rect bounds; // left, top, width, height (for labels only the place counts)
        const char* text;
        bool label = false;
    } const rows[] = {
        {"skpanel1", f.skpanel1, form, TAlign::alTop, {0, 0, 827, 89}, ""},
        {"lbl1", f.lbl1, f.skpanel1, TAlign::alNone, {19, 15, 60, 13}, "输入关键词", true},
        {"edit1", f.edit1, f.skpanel1, TAlign::alNone, {96, 11, 233, 21}, ""},
        {"skSkinXFormButton1", f.skSkinXFormButton1, f.skpanel1, TAlign::alNone, {344, 10, 73, 22}, "查询"},
        {"skSkinXFormButton2", f.skSkinXFormButton2, f.skpanel1, TAlign::alNone, {424, 10, 73, 22}, "停止"},
        {"skSkinStdLabel5", f.skSkinStdLabel5, f.skpanel1, TAlign::alNone, {512, 14, 192, 13},
            "注意：广泛相关最后可能根本不相关", true},
        {"skSkinCheckRadioBox1", f.skSkinCheckRadioBox1, f.skpanel1, TAlign::alNone, {341, 38, 484, 25},
            "广泛相关（如：关键词\"QQ空间\"，找到空间、51，则继续穷举和\"空间\"、\"51\"相关的词。）"},
        {"skSkinStdLabel4", f.skSkinStdLabel4, f.skpanel1, TAlign::alNone, {21, 52, 308, 20}, ""},
        {"skSkinCheckRadioBox2", f.skSkinCheckRadioBox2, f.skpanel1, TAlign::alNone, {341, 60, 484, 25},
            "长尾词必须包含关键词"},
        {"WebBrowser1", f.WebBrowser1, form, TAlign::alTop, {0, 89, 827, 72}, ""},
        {"skSkinPanel1", f.skSkinPanel1, form, TAlign::alTop, {0, 161, 827, 48}, ""},
        {"skSkinXFormButton4", f.skSkinXFormButton4, f.skSkinPanel1, TAlign::alNone, {8, 13, 121, 22},
            "全部选入导出列表"},
        {"skSkinXFormButton5", f.skSkinXFormButton5, f.skSkinPanel1, TAlign::alNone, {144, 13, 121, 22},
            "清空导出列表"},
        {"skSkinXFormButton3", f.skSkinXFormButton3, f.skSkinPanel1, TAlign::alNone, {280, 13, 121, 22},
            "清空全部数据"},
        {"skSkinXFormButton6", f.skSkinXFormButton6, f.skSkinPanel1, TAlign::alNone, {416, 13, 121, 22},
            "导出为TXT文本文件"},
        {"skSkinStdLabel2", f.skSkinStdLabel2, f.skSkinPanel1, TAlign::alNone, {552, 18, 240, 13},
            "提示：下面的列表可以【双击、右键】操作。", true},
        {"skSkinGroupBox1", f.skSkinGroupBox1, form, TAlign::alLeft, {0, 209, 409, 420}, "长尾词列表"},
        {"skSkinStdLabel1", f.skSkinStdLabel1, f.skSkinGroupBox1, TAlign::alNone, {10, 1, 12, 13}, "(0)", true},
        {"skSkinListBox1", f.skSkinListBox1, f.skSkinGroupBox1, TAlign::alClient, {1, 15, 407, 404}, ""},
        {"skSkinSplitter1", f.skSkinSplitter1, form, TAlign::alLeft, {409, 209, 5, 420}, ""},
        {"skSkinGroupBox2", f.skSkinGroupBox2, form, TAlign::alClient, {414, 209, 413, 420}, "导出列表"},
        {"skSkinStdLabel3", f.skSkinStdLabel3, f.skSkinGroupBox2, TAlign::alNone, {10, 1, 12, 13}, "(0)", true},
        {"skSkinListBox2", f.skSkinListBox2, f.skSkinGroupBox2, TAlign::alClient, {1, 15, 411, 404}, ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        ASSERT_NE(r.control, nullptr);
        EXPECT_EQ(r.control->Parent(), r.parent);
        EXPECT_EQ(r.control->Align(), r.align);
        EXPECT_EQ(r.control->Left(), r.bounds.left);
        EXPECT_EQ(r.control->Top(), r.bounds.top);
        if (!r.label) {
            EXPECT_EQ(r.control->Width(), r.bounds.right);
            EXPECT_EQ(r.control->Height(), r.bounds.bottom);
        }
        EXPECT_EQ(utf8(r.control->Caption()), r.text);
    }

    // The skin objects each control draws from.
    EXPECT_EQ(f.skpanel1->SkinDataName(), "panel");
    EXPECT_EQ(f.skSkinPanel1->SkinDataName(), "panel");
    EXPECT_EQ(f.skSkinGroupBox1->SkinDataName(), "groupbox");
    EXPECT_EQ(f.skSkinGroupBox2->SkinDataName(), "groupbox");
    EXPECT_EQ(f.edit1->SkinDataName(), "edit");
    EXPECT_EQ(f.skSkinStdLabel4->SkinDataName(), "statuspanel");
    EXPECT_EQ(f.skSkinCheckRadioBox1->SkinDataName(), "checkbox");
    EXPECT_EQ(f.skSkinListBox1->SkinDataName(), "listbox");
    EXPECT_EQ(f.skSkinListBox2->SkinDataName(), "listbox");
    EXPECT_EQ(f.skSkinSplitter1->SkinDataName(), "vsplitter");
    for (const TskSkinStdLabel* l : {f.lbl1, f.skSkinStdLabel5, f.skSkinStdLabel2, f.skSkinStdLabel1})
        EXPECT_TRUE(l->Skinned());
    for (const TskSkinButton* b : {f.skSkinXFormButton1, f.skSkinXFormButton2, f.skSkinXFormButton3,
             f.skSkinXFormButton4, f.skSkinXFormButton5, f.skSkinXFormButton6}) {
        EXPECT_EQ(b->SkinDataName(), "button");
        EXPECT_TRUE(b->Skinned());
        EXPECT_FALSE(b->CanFocused());
    }
    EXPECT_TRUE(f.edit1->Skinned());
    EXPECT_EQ(f.edit1->TabOrder(), 2);

    // Query and Stop draw with their own black 宋体; the others with the skin's.
    for (const TskSkinButton* b : {f.skSkinXFormButton1, f.skSkinXFormButton2}) {
        EXPECT_FALSE(b->UseSkinFont());
        EXPECT_FALSE(b->UseSkinFontColor());
        EXPECT_EQ(utf8(b->DefaultFont().Name()), "宋体");
        EXPECT_EQ(b->DefaultFont().Height(), -12);
        EXPECT_EQ(b->DefaultFont().GetColor(), clBlack);
    }
    EXPECT_TRUE(f.skSkinXFormButton4->UseSkinFont());
    EXPECT_EQ(utf8(f.Font().Name()), "新宋体");
    EXPECT_EQ(f.Font().Height(), -12);

    // The lists: several rows selectable, fixed 20-pixel rows in the
    // results, the skin's (20 as well) in the export list, each with its menu.
    for (const TskSkinListBox* l : {f.skSkinListBox1, f.skSkinListBox2}) {
        EXPECT_TRUE(l->MultiSelect());
        EXPECT_TRUE(l->ExtendedSelect());
        EXPECT_FALSE(l->CaptionMode());
        EXPECT_TRUE(l->AutoComplete);
        EXPECT_EQ(l->ItemHeight(), 20);
    }
    EXPECT_FALSE(f.skSkinListBox1->UseSkinItemHeight());
    EXPECT_TRUE(f.skSkinListBox2->UseSkinItemHeight());
    EXPECT_EQ(f.skSkinListBox1->PopupMenu, f.skSkinPopupMenu1);
    EXPECT_EQ(f.skSkinListBox2->PopupMenu, f.skSkinPopupMenu2);
}

TEST_F(MainWindowLayout, ComponentsAndTheirSettings)
{
    TForm1& f = w();
    auto captions = [](const TskSkinPopupMenu* m) {
        std::vector<std::string> out;
        for (int i = 0; i < m->Items()->Count(); ++i)
            out.push_back(utf8(m->Items()->Items(i)->Caption));
        return out;
    };
    EXPECT_EQ(captions(f.skSkinPopupMenu1),
        (std::vector<std::string>{
            "所选关键词导出到导出列表", "导出所有关键词到导出列表", "删除选中关键词", "清空所有关键词"}));
    EXPECT_EQ(f.skSkinPopupMenu1->Items()->Items(0), f.N1);
    EXPECT_EQ(f.skSkinPopupMenu1->Items()->Items(3), f.N4);
    EXPECT_EQ(
        captions(f.skSkinPopupMenu2), (std::vector<std::string>{"删除选中关键词", "清空列表", "导出为TXT文件(&O)"}));
    EXPECT_EQ(f.skSkinPopupMenu2->Items()->Items(2), f.O1);

    EXPECT_EQ(f.Timer1->Interval(), 500);
    EXPECT_TRUE(f.Timer1->Enabled());
    EXPECT_EQ(f.Timer2->Interval(), 500);
    EXPECT_FALSE(f.Timer2->Enabled());

    EXPECT_FALSE(f.skskindata1->Empty) << "the stored skin loaded";
    EXPECT_EQ(f.skskindata1->CompressedStoredSkin(), f.skcmprsdstrdskn1);
    EXPECT_EQ(f.skcmprsdstrdskn1->FileName, "skin.ini");
    EXPECT_TRUE(f.skform1->Skinned());
    EXPECT_EQ(f.skform1->BorderIcons(), TskBorderIcons(biMinimize | biMaximize));
    EXPECT_EQ(f.skform1->PositionInMonitor, TskPositionInMonitor::skpScreenCenter);
    EXPECT_EQ(utf8(f.skform1->DefCaptionFont().Name()), "宋体");
    EXPECT_EQ(f.skform1->DefCaptionFont().Height(), -14);
    EXPECT_EQ(f.skform1->DefMenuItemHeight(), 20);
    EXPECT_FALSE(f.skform1->AlphaBlend);
    EXPECT_FALSE(f.skform1->Magnetic);
}

TEST_F(MainWindowLayout, RightAfterStart)
{
    TForm1& f = w();
    EXPECT_EQ(f.skSkinStdLabel1->Caption(), "(0)");
    EXPECT_EQ(f.skSkinStdLabel3->Caption(), "(0)");
    EXPECT_TRUE(f.skSkinCheckRadioBox1->Checked());
    EXPECT_TRUE(f.skSkinCheckRadioBox2->Checked());
    EXPECT_EQ(f.skSkinStdLabel4->Caption(), "");
    EXPECT_EQ(f.edit1->Text(), "");
    EXPECT_EQ(f.skSkinListBox1->Count(), 0);
    EXPECT_EQ(f.skSkinListBox2->Count(), 0);
    EXPECT_FALSE(f.Run().State().Running);

    // Enter in the keyword box starts nothing.
    Click(f.edit1);
    backend.type("seo");
    backend.key(VK_RETURN);
    pump();
    EXPECT_EQ(f.edit1->Text(), "seo");
    EXPECT_FALSE(f.Run().State().Running);
    EXPECT_EQ(f.skSkinStdLabel4->Caption(), "");
    EXPECT_EQ(f.skSkinListBox1->Count(), 0);
}

// Pixels the window shows where a control draws from its skin picture.
TEST_F(MainWindowLayout, ControlsShowTheirSkinLook)
{
    TForm1& f = w();
    backend.mouse_move({5, 5}); // the pointer away from every control
    pump();
    // A push button's left piece (mode 2: height fixed, pieces unscaled).
    EXPECT_EQ(At(f.skSkinXFormButton1, {1, 11}), SkinPixel("button", {1, 11}));
    EXPECT_EQ(At(f.skSkinXFormButton4, {1, 11}), SkinPixel("button", {1, 11}));
    // The list boxes' frame corner (a nine-piece at the control's size).
    EXPECT_EQ(At(f.skSkinListBox1, {0, 0}), SkinPixel("listbox", {0, 0}));
    EXPECT_EQ(At(f.skSkinListBox2, {0, 0}), SkinPixel("listbox", {0, 0}));
    // The splitter's top piece.
    EXPECT_EQ(At(f.skSkinSplitter1, {1, 2}), SkinPixel("vsplitter", {1, 2}));
    // The status panel's left piece.
    EXPECT_EQ(At(f.skSkinStdLabel4, {1, 10}), SkinPixel("statuspanel", {1, 10}));
    // The edit box's frame: the active look while it has the focus, the
    // normal one once the focus is elsewhere.
    const auto* edit = f.edit1->SkinObject();
    ASSERT_NE(edit, nullptr);
    const Bitmap& picture = *f.skskindata1->ActivePicture(edit->pictureindex);
    const Rect active = EditFaceRect(*edit, true), normal = EditFaceRect(*edit, false);
    ASSERT_NE(picture.pixel(active.left, active.top + 10), picture.pixel(normal.left, normal.top + 10));
    Click(f.edit1);
    backend.mouse_move({5, 5});
    pump();
    EXPECT_EQ(At(f.edit1, {0, 10}), picture.pixel(active.left, active.top + 10));
    Click(RowPoint(f.skSkinListBox1, 3));
    backend.mouse_move({5, 5});
    pump();
    EXPECT_EQ(At(f.edit1, {0, 10}), picture.pixel(normal.left, normal.top + 10));
    // The advertisement strip shows the window's own background: the same
    // pixel as the client area right of the keyword strip's controls would.
    const Pixel strip = At(f.WebBrowser1, {400, 36});
    EXPECT_EQ(At(f.WebBrowser1, {10, 10}), strip);
    EXPECT_EQ(At(f.WebBrowser1, {800, 60}), strip);
}

TEST_F(MainWindowLayout, ResizingKeepsTheStripsHeightsAndTheResultsGroupsWidth)
{
    TForm1& f = w();
    for (Size size : {Size{1000, 740}, Size{700, 500}, Size{835, 660}}) {
        SCOPED_TRACE(std::to_string(size.width) + " x " + std::to_string(size.height));
        f.SetBounds(f.Left(), f.Top(), size.width, size.height);
        pump();
        const int cw = f.ClientWidth(), ch = f.ClientHeight();
        EXPECT_EQ(cw, size.width - 8);
        EXPECT_EQ(f.skpanel1->BoundsRect(), Rect::from_xywh(0, 0, cw, 89));
        EXPECT_EQ(f.WebBrowser1->BoundsRect(), Rect::from_xywh(0, 89, cw, 72));
        EXPECT_EQ(f.skSkinPanel1->BoundsRect(), Rect::from_xywh(0, 161, cw, 48));
        EXPECT_EQ(f.skSkinGroupBox1->BoundsRect(), Rect::from_xywh(0, 209, 409, ch - 209));
        EXPECT_EQ(f.skSkinSplitter1->BoundsRect(), Rect::from_xywh(409, 209, 5, ch - 209));
        EXPECT_EQ(f.skSkinGroupBox2->BoundsRect(), Rect::from_xywh(414, 209, cw - 414, ch - 209));
        EXPECT_EQ(f.skSkinListBox2->Width(), cw - 414 - 2);
        EXPECT_EQ(f.skSkinListBox1->Height(), ch - 209 - 16);
    }
}

TEST_F(MainWindowLayout, DraggingTheSplitterResizesTheResultsGroup)
{
    TForm1& f = w();
    const Point grip = Centre(f.skSkinSplitter1);
    backend.mouse_move(grip);
    backend.mouse_down(grip);
    pump();
    backend.mouse_move(grip + Point{60, 0});
    pump();
    backend.mouse_up(grip + Point{60, 0});
    pump();
    EXPECT_EQ(f.skSkinGroupBox1->Width(), 469);
    EXPECT_EQ(f.skSkinSplitter1->Left(), 469);
    EXPECT_EQ(f.skSkinGroupBox2->BoundsRect(), Rect::from_xywh(474, 209, 827 - 474, 420));
    EXPECT_EQ(f.skSkinListBox1->Width(), 467);

    // The new width holds when the window grows.
    f.SetBounds(f.Left(), f.Top(), 1000, 700);
    pump();
    EXPECT_EQ(f.skSkinGroupBox1->Width(), 469);
    EXPECT_EQ(f.skSkinGroupBox2->Width(), f.ClientWidth() - 474);
}

} // namespace
} // namespace lt::test
