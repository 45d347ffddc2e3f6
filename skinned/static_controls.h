#pragma once
// The passive skinned controls: text labels, the status panel, panels and
// group boxes. None of them holds a timer; they draw from their skin object,
// which they look up again on every paint.
//
//   TskSkinStdLabel     a windowless text label drawn in the skin's font and
//                       colour ("stdlabel"), no picture
//   TskSkinLabel        a windowed label on a picture ("label")
//   TskSkinStatusPanel  a label with a glyph ("statuspanel")
//   TskSkinPanel        a container drawn from a nine-piece picture ("panel"),
//                       optionally with a caption strip; its AlignRect keeps
//                       docked children inside the picture's frame
//   TskSkinGroupBox     a panel in caption mode ("groupbox")
//
// The text and geometry rules that do not need a control (where a label's
// text goes, how a caption rectangle follows the size) are plain functions
// at the top, so tests check them without pixels.
//
// Sections: kinds - text and geometry - TskSkinStdLabel - TskSkinLabel -
// TskSkinStatusPanel - TskSkinPanel - TskSkinGroupBox.

#include <string>
#include <string_view>

#include "forms/controls.h"
#include "forms/font.h"
#include "gfx/alignment.h"
#include "gfx/bitmap.h"
#include "gfx/font.h"
#include "skin/skin_data.h"
#include "skinned/composition.h"
#include "skinned/skin_control.h"
#include "skinned/skin_data_link.h"

namespace lt {

// ===========================================================================
// Kinds

// How a standard label shortens a caption that does not fit: not at all, at
// the end, or in the middle of a path (keeping the file name).
enum class TskEllipsType { sketNone, sketEndEllips, sketPathEllips };
// How a skinned label or status panel treats a caption wider than its text
// area: clipped at the area's right edge, or shortened with "...".
enum class TskEllipsType2 { sketNoneEllips, sketEllips };
// The one-pixel border of an unskinned panel or label.
enum class TskSkinBorderStyle { bvFrame, bvRaised, bvLowered, bvNone };
// Where a panel caption's glyph goes: before the text, or pinned to the
// caption strip's left edge while the text keeps its alignment.
enum class TskImagePosition { skimDefault, skimLeft };
// Vertical placement of a standard label's text.
enum class TTextLayout { tlTop, tlCenter, tlBottom };

// ===========================================================================
// Text and geometry

// Where a one-line label text goes in the text rectangle `r`: shortened to
// whole characters with "..." when `ellipsis` is on and it is wider than
// `r`, then placed at y = r.top + r.height div 2 - text height div 2 and at
// x by the alignment (left edge, right edge minus the width, or centred).
struct LabelTextPlace {
    std::string text;
    Point at;
    int width = 0;
};
LabelTextPlace PlaceLabelText(
    const Font& font, std::string_view caption, const Rect& r, TAlignment alignment, bool ellipsis);

// A rectangle of a skin look (relative to the skin rectangle, such as a
// panel's captionrect) carried over to a target of `size`. NinePiece: a
// rectangle inside one corner area moves with that corner; one reaching
// from one corner area to another stretches between them. Horizontal: one
// reaching from left of LT.x to right of RT.x grows with the width, one at
// or right of RT.x moves with the right edge. Vertical: the same along the
// height. Fixed, None and anything else: unchanged.
Rect CarrySkinRect(const Rect& r, const SkinGeometry& g, ResizeMode mode, Size size);

// The unskinned one-pixel border by style; returns the rectangle inside it
// (`r` itself for bvNone).
Rect DrawSkinBorder(Canvas& canvas, const Rect& r, TskSkinBorderStyle style);

// ===========================================================================
// TskSkinStdLabel

class TskSkinStdLabel : public TGraphicControl {
public:
    explicit TskSkinStdLabel(TComponent* owner);
    ~TskSkinStdLabel() override;

    // ---- skin binding, as for the windowed skinned controls
    TskSkinData* SkinData() const { return skin_.Data(); }
    // Stores the reference; a non-null one is applied at once.
    void SetSkinData(TskSkinData* data);
    const std::string& SkinDataName() const { return skin_.name; }
    // Takes effect at the next ApplySkin.
    void SetSkinDataName(const std::string& name) { skin_.name = name; }
    // Looks the skin object up, re-measures (with AutoSize) and repaints.
    // The window frame calls it after a skin (re)load.
    void ApplySkin();
    // Drops the skin object until the next ApplySkin or paint.
    void ForgetSkin() { index_ = -1; }
    // A "stdlabel" object was found by the last lookup.
    bool Skinned() const { return Object() != nullptr; }

    // ---- properties (setters repaint; those that change the text's
    // extent re-measure with AutoSize)
    TFont& DefaultFont() { return *default_font_; }
    bool UseSkinFont() const { return use_skin_font_; }
    void SetUseSkinFont(bool on);
    bool UseSkinColor() const { return use_skin_color_; }
    void SetUseSkinColor(bool on);
    TskEllipsType EllipsType() const { return ellips_type_; }
    void SetEllipsType(TskEllipsType type);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment a);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout l);
    bool WordWrap() const { return word_wrap_; }
    void SetWordWrap(bool on);
    // On at creation: the label takes the extent of its caption; an empty
    // caption keeps the height of one line.
    bool AutoSize() const { return auto_size_; }
    void SetAutoSize(bool on);
    bool ShowAccelChar() const { return show_accel_char_; }
    void SetShowAccelChar(bool on);
    // On at creation: the label paints no background.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    // The control an accelerator of the caption focuses (watched: cleared
    // when it is freed).
    TWinControl* FocusControl() const { return focus_control_; }
    void SetFocusControl(TWinControl* control);

    // The font and text colour the label draws with now: skinned, the skin
    // object's font with UseSkinFont (else Font) and its fontcolor with
    // UseSkinColor (else Font's colour); unskinned, DefaultFont with
    // UseSkinFont, else Font. The character set is the skin data's resource
    // strings' CharSet when it has them, else DefaultFont's.
    FontDesc DrawFont() const;
    Color DrawColor() const;
    // The DrawText flags of the label's text (alignment, wrap, tabs,
    // prefix, ellipsis).
    unsigned TextFlags() const;

protected:
    void Paint() override;
    void FontChanged() override;
    LResult WndProc(Message& m) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    void FetchSkinObject();
    // The object the last lookup found.
    const TskDataSkinStdLabelControl* Object() const { return skin_.Object<TskDataSkinStdLabelControl>(index_); }
    void AdjustBounds();
    void Changed(bool remeasure);

    SkinDataLink skin_{*this, "stdlabel"};
    int index_ = -1;
    std::unique_ptr<TFont> default_font_;
    bool use_skin_font_ = true;
    bool use_skin_color_ = true;
    TskEllipsType ellips_type_ = TskEllipsType::sketNone;
    TAlignment alignment_ = taLeftJustify;
    TTextLayout layout_ = TTextLayout::tlTop;
    bool word_wrap_ = false;
    bool auto_size_ = true;
    bool show_accel_char_ = true;
    bool transparent_ = true;
    TWinControl* focus_control_ = nullptr;
};

// ===========================================================================
// TskSkinLabel

class TskSkinLabel : public TskSkinCustomControl {
public:
    explicit TskSkinLabel(TComponent* owner);

    TskEllipsType2 EllipsType() const { return ellips_type_; }
    void SetEllipsType(TskEllipsType2 type);
    // On at creation: the label takes the skin's size rule and its mask.
    // Off: any size, the picture stretched between the corners of
    // clientrect, no window region.
    bool UseSkinSize() const { return use_skin_size_; }
    void SetUseSkinSize(bool on);
    // Off: the text takes DefaultFont's colour instead of the skin's.
    bool UseSkinFontColor() const { return use_skin_font_color_; }
    void SetUseSkinFontColor(bool on);
    TskSkinBorderStyle BorderStyle() const { return border_style_; }
    void SetBorderStyle(TskSkinBorderStyle style);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment a);
    // Off at creation. On: the width follows the caption (see AdjustSize).
    bool AutoSize() const { return auto_size_; }
    void SetAutoSize(bool on);

    // The rectangle the text (and a status panel's glyph) goes into at the
    // current size: skinned, the target client rectangle (with UseSkinSize
    // off, clientrect grown by the size difference); unskinned
    // (3, 3, W - 3, H - 3).
    Rect TextArea() const;
    // The font and colour of the text now.
    FontDesc TextFont() const { return CurrentFont(); }
    Color TextColor() const;

    void FetchSkinObject() override;
    void FitSizeToSkin(int& width, int& height) override;
    void UpdateWindowRegion() override;

protected:
    void PaintUnskinned(Bitmap& bitmap) override;
    void PaintSkinned(Bitmap& bitmap) override;
    LResult WndProc(Message& m) override;

    // Draws what goes in front of the text at the left of `r` and returns
    // the rectangle left for the text. Labels have nothing there.
    virtual Rect DrawImage(Canvas& canvas, Rect r) { return r; }
    // The width the image in front of the text takes, spacing included
    // (for AutoSize).
    virtual int ImageExtent() const { return 0; }

    // With AutoSize, unless the label is aligned to the top, bottom or
    // client: the width changes by the caption's width (plus the image)
    // minus the text area's width. A skinned label in resize mode 0 never
    // changes; one fitted to its skin only ever widens.
    void AdjustSize();

private:
    void DrawText(Canvas& canvas, const Rect& r);

    TskEllipsType2 ellips_type_ = TskEllipsType2::sketNoneEllips;
    bool use_skin_size_ = true;
    bool use_skin_font_color_ = true;
    TskSkinBorderStyle border_style_ = TskSkinBorderStyle::bvFrame;
    TAlignment alignment_ = taLeftJustify;
    bool auto_size_ = false;
    Color skin_font_color_ = 0;
};

// ===========================================================================
// TskSkinStatusPanel

class TskSkinStatusPanel : public TskSkinLabel {
public:
    explicit TskSkinStatusPanel(TComponent* owner);

    // A strip of NumGlyphs images (1 or 2) side by side; image 1 is drawn
    // before the text, image 2 while disabled when there is one. Copies the
    // bitmap.
    const Bitmap& Glyph() const { return glyph_; }
    void SetGlyph(const Bitmap& glyph);
    int NumGlyphs() const { return num_glyphs_; }
    void SetNumGlyphs(int n);

protected:
    Rect DrawImage(Canvas& canvas, Rect r) override;
    int ImageExtent() const override;

private:
    Bitmap glyph_;
    int num_glyphs_ = 1;
};

// ===========================================================================
// TskSkinPanel

class TskSkinPanel : public TskSkinCustomControl {
public:
    explicit TskSkinPanel(TComponent* owner);

    // Unskinned panels draw it and lay their children inside it; skinned
    // ones only consult bvNone for the client-image look (see Paint).
    TskSkinBorderStyle BorderStyle() const { return border_style_; }
    void SetBorderStyle(TskSkinBorderStyle style);
    // The caption strip (and, unskinned, room for it above the children).
    bool CaptionMode() const { return caption_mode_; }
    void SetCaptionMode(bool on);
    // The unskinned caption strip's height and alignment.
    int DefaultCaptionHeight() const { return default_caption_height_; }
    void SetDefaultCaptionHeight(int h);
    TAlignment DefaultAlignment() const { return default_alignment_; }
    void SetDefaultAlignment(TAlignment a);
    // The caption's glyph: a strip of NumGlyphs images (1 or 2; image 2
    // while disabled), drawn Spacing pixels before the text.
    const Bitmap& Glyph() const { return glyph_; }
    void SetGlyph(const Bitmap& glyph);
    int NumGlyphs() const { return num_glyphs_; }
    void SetNumGlyphs(int n);
    int Spacing() const { return spacing_; }
    void SetSpacing(int s);
    TskImagePosition ImagePosition() const { return image_position_; }
    void SetImagePosition(TskImagePosition p);
    // Drawn over the parent's background with a one-pixel frame (or a
    // group frame around the caption) instead of the picture.
    bool TransparentMode() const { return transparent_mode_; }
    void SetTransparentMode(bool on);

    // Check mode: a click on the caption strip toggles Checked; with
    // AutoEnabledControls every child's Enabled follows it.
    bool CheckedMode() const { return checked_mode_; }
    void SetCheckedMode(bool on);
    bool Checked() const { return checked_; }
    void SetChecked(bool on);
    bool AutoEnabledControls = true;
    TNotifyEvent OnChecked;
    // Roll-up mode: a click on the caption strip toggles RollUpState;
    // rolled up, the panel hides its children and shrinks to its caption,
    // keeping its height in RealHeight.
    bool RollUpMode() const { return roll_up_mode_; }
    void SetRollUpMode(bool on) { roll_up_mode_ = on; }
    bool RollUpState() const { return roll_up_state_; }
    void SetRollUpState(bool on);
    int RealHeight() const { return real_height_; }
    TNotifyEvent OnChangeRollUpState;

    // The rectangle offered to aligned children: skinned, the target client
    // rectangle (the whole client with a background picture, or with
    // bvNone, no caption mode and a nine-piece skin); unskinned, the client
    // inset by 1 unless bvNone, less DefaultCaptionHeight at the top in
    // caption mode. Never of negative size.
    Rect AlignRect() const override;
    // Where the caption goes at the current size: skinned, the skin's
    // captionrect carried over to the size; unskinned in caption mode, the
    // strip (0, 0, W, DefaultCaptionHeight); else empty.
    Rect CaptionRect() const;

    void FetchSkinObject() override;
    // The base's ApplySkin, then the children are laid out again (the
    // rectangle they get changes with the skin).
    void ApplySkin() override;
    void SetBounds(int left, int top, int width, int height) override;

protected:
    void Paint() override;
    void PaintUnskinned(Bitmap& bitmap) override;
    void PaintSkinned(Bitmap& bitmap) override;
    void ParentBackgroundChanged() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    // Which skinned look paints, first match: over the parent's background,
    // the client image alone, the background picture, or the base's
    // painting with the caption.
    enum class Look { Transparent, ClientImage, Background, Framed };
    Look SkinnedLook() const;
    const Bitmap* BackgroundPicture() const;
    void PaintTransparent(Bitmap& bitmap);
    void PaintBackgroundPicture(Bitmap& bitmap, const Bitmap& background);
    void DrawSkinCaption(Canvas& canvas, const Rect& r);
    void DrawUnskinnedCaption(Canvas& canvas);
    Size GlyphSize() const;
    int GlyphIndex() const;

    TskSkinBorderStyle border_style_ = TskSkinBorderStyle::bvFrame;
    bool caption_mode_ = false;
    int default_caption_height_ = 22;
    TAlignment default_alignment_ = taCenter;
    Bitmap glyph_;
    int num_glyphs_ = 1;
    int spacing_ = 2;
    TskImagePosition image_position_ = TskImagePosition::skimDefault;
    bool transparent_mode_ = false;
    bool checked_mode_ = false;
    bool checked_ = false;
    bool roll_up_mode_ = false;
    bool roll_up_state_ = false;
    int real_height_ = -1;

    // The panel fields of the skin object, as the last fetch copied them.
    struct SkinFields {
        Rect captionrect;
        TAlignment alignment = taCenter;
        Color fontcolor = 0;
        int bgpictureindex = -1;
        Rect checkimagerect, uncheckimagerect, markframerect, framerect, frametextrect;
        int frameleftoffset = 0, framerightoffset = 0;
    } skin_;
};

// ===========================================================================
// TskSkinGroupBox

// A panel bound to "groupbox" in caption mode.
class TskSkinGroupBox : public TskSkinPanel {
public:
    explicit TskSkinGroupBox(TComponent* owner);
};

} // namespace lt
