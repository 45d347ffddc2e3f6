// The passive skinned controls: label text and caption geometry, the
// standard label, the skinned label and status panel, panels and group boxes.

#include "skinned/static_controls.h"

#include <algorithm>

#include "gfx/draw_text.h"

namespace lt {

namespace {

Rect NonNegative(Rect r)
{
    r.right = std::max(r.right, r.left);
    r.bottom = std::max(r.bottom, r.top);
    return r;
}

} // namespace

// ---- Text and geometry --------------------------------------------------------

LabelTextPlace PlaceLabelText(
    const Font& font, std::string_view caption, const Rect& r, TAlignment alignment, bool ellipsis)
{
    LabelTextPlace p;
    // Shortening works on whole characters: a double-byte character is
    // never cut in half.
    p.text = ellipsis ? end_ellipsis(font, caption, r.width()) : std::string(caption);
    p.width = font.text_width(p.text);
    p.at.y = r.top + r.height() / 2 - font.metrics().height / 2;
    switch (alignment) {
    case taRightJustify:
        p.at.x = r.right - p.width;
        break;
    case taCenter:
        p.at.x = r.left + r.width() / 2 - p.width / 2;
        break;
    default:
        p.at.x = r.left;
        break;
    }
    return p;
}

Rect CarrySkinRect(const Rect& r, const SkinGeometry& g, ResizeMode mode, Size size)
{
    const int sw = g.skinrect.width(), sh = g.skinrect.height();
    const int dw = size.width - sw, dh = size.height - sh;
    const Point lt = g.lefttoppoint, rt = g.righttoppoint, lb = g.leftbottompoint, rb = g.rightbottompoint;
    switch (mode) {
    case ResizeMode::NinePiece: {
        enum Area { None, LeftTop, RightTop, LeftBottom, RightBottom };
        const auto area = [&](Point p) {
            if (p.x >= 0 && p.x <= lt.x && p.y >= 0 && p.y <= lt.y)
                return LeftTop;
            if (p.x >= rt.x && p.x <= sw && p.y >= 0 && p.y <= rt.y)
                return RightTop;
            if (p.x >= 0 && p.x <= lb.x && p.y >= lb.y && p.y <= sh)
                return LeftBottom;
            if (p.x >= rb.x && p.x <= sw && p.y >= rb.y && p.y <= sh)
                return RightBottom;
            return None;
        };
        const Area from = area(r.top_left()), to = area({r.right, r.bottom});
        if (from == to) {
            switch (from) {
            case RightTop:
                return r.offset(dw, 0);
            case LeftBottom:
                return r.offset(0, dh);
            case RightBottom:
                return r.offset(dw, dh);
            default:
                return r;
            }
        }
        if (from == LeftTop && to == RightTop)
            return {r.left, r.top, r.right + dw, r.bottom};
        if (from == LeftTop && to == RightBottom)
            return {r.left, r.top, r.right + dw, r.bottom + dh};
        if (from == LeftBottom && to == RightBottom)
            return {r.left, r.top + dh, r.right + dw, r.bottom + dh};
        if (from == LeftTop && to == LeftBottom)
            return {r.left, r.top, r.right, r.bottom + dh};
        if (from == RightTop && to == RightBottom)
            return {r.left + dw, r.top, r.right + dw, r.bottom + dh};
        return r;
    }
    case ResizeMode::Horizontal:
        if (r.left < lt.x && r.right > rt.x)
            return {r.left, r.top, r.right + dw, r.bottom};
        if (r.left >= rt.x)
            return r.offset(dw, 0);
        return r;
    case ResizeMode::Vertical:
        if (r.top < lt.y && r.bottom > lb.y)
            return {r.left, r.top, r.right, r.bottom + dh};
        if (r.top >= lb.y)
            return r.offset(0, dh);
        return r;
    default:
        return r;
    }
}

Rect DrawSkinBorder(Canvas& canvas, const Rect& r, TskSkinBorderStyle style)
{
    switch (style) {
    case TskSkinBorderStyle::bvFrame:
        return canvas.frame3d(r, clBtnShadow, clBtnShadow);
    case TskSkinBorderStyle::bvRaised:
        return canvas.frame3d(r, clBtnHighlight, clBtnShadow);
    case TskSkinBorderStyle::bvLowered:
        return canvas.frame3d(r, clBtnShadow, clBtnHighlight);
    default:
        return r;
    }
}

// ---- TskSkinStdLabel ----------------------------------------------------------

TskSkinStdLabel::TskSkinStdLabel(TComponent* owner) : TGraphicControl(owner), default_font_(std::make_unique<TFont>())
{
    TControl::SetBounds(0, 0, 65, 17);
    default_font_->OnChange = [this](TFont*) { Changed(true); };
}

TskSkinStdLabel::~TskSkinStdLabel() = default;

void TskSkinStdLabel::SetSkinData(TskSkinData* data)
{
    skin_.Set(data);
    if (data)
        ApplySkin();
}

void TskSkinStdLabel::Notification(TComponent* component, TOperation operation)
{
    TGraphicControl::Notification(component, operation);
    if (skin_.Dropped(component, operation)) {
        index_ = -1;
        Invalidate();
    }
    if (operation == TOperation::opRemove && component == focus_control_)
        focus_control_ = nullptr;
}

void TskSkinStdLabel::SetFocusControl(TWinControl* control)
{
    Repoint(*this, focus_control_, control);
}

void TskSkinStdLabel::FetchSkinObject()
{
    index_ = skin_.Find();
}

void TskSkinStdLabel::ApplySkin()
{
    FetchSkinObject();
    AdjustBounds();
    Invalidate();
}

void TskSkinStdLabel::Changed(bool remeasure)
{
    if (remeasure)
        AdjustBounds();
    Invalidate();
}

void TskSkinStdLabel::SetUseSkinFont(bool on)
{
    if (on != use_skin_font_) {
        use_skin_font_ = on;
        Changed(true);
    }
}

void TskSkinStdLabel::SetUseSkinColor(bool on)
{
    if (on != use_skin_color_) {
        use_skin_color_ = on;
        Changed(false);
    }
}

void TskSkinStdLabel::SetEllipsType(TskEllipsType type)
{
    if (type != ellips_type_) {
        ellips_type_ = type;
        Changed(false);
    }
}

void TskSkinStdLabel::SetAlignment(TAlignment a)
{
    if (a != alignment_) {
        alignment_ = a;
        Changed(false);
    }
}

void TskSkinStdLabel::SetLayout(TTextLayout l)
{
    if (l != layout_) {
        layout_ = l;
        Changed(false);
    }
}

void TskSkinStdLabel::SetWordWrap(bool on)
{
    if (on != word_wrap_) {
        word_wrap_ = on;
        Changed(true);
    }
}

void TskSkinStdLabel::SetAutoSize(bool on)
{
    if (on != auto_size_) {
        auto_size_ = on;
        Changed(true);
    }
}

void TskSkinStdLabel::SetShowAccelChar(bool on)
{
    if (on != show_accel_char_) {
        show_accel_char_ = on;
        Changed(true);
    }
}

void TskSkinStdLabel::SetTransparent(bool on)
{
    if (on != transparent_) {
        transparent_ = on;
        Changed(false);
    }
}

FontDesc TskSkinStdLabel::DrawFont() const
{
    FontDesc desc;
    if (const TskDataSkinStdLabelControl* object = Object())
        desc = use_skin_font_ ? WithSkinFont(Font().Desc(), object->fontname, object->fontheight, object->fontstyle)
                              : Font().Desc();
    else
        desc = use_skin_font_ ? default_font_->Desc() : Font().Desc();
    const TskSkinData* data = skin_.Data();
    desc.charset = data && data->ResourceStrData() ? data->ResourceStrData()->CharSet : default_font_->Charset();
    return desc;
}

Color TskSkinStdLabel::DrawColor() const
{
    if (const TskDataSkinStdLabelControl* object = Object())
        return use_skin_color_ ? object->fontcolor : Font().GetColor();
    return use_skin_font_ ? default_font_->GetColor() : Font().GetColor();
}

unsigned TskSkinStdLabel::TextFlags() const
{
    unsigned flags = DT_EXPANDTABS;
    if (word_wrap_)
        flags |= DT_WORDBREAK;
    if (!show_accel_char_)
        flags |= DT_NOPREFIX;
    if (alignment_ == taCenter)
        flags |= DT_CENTER;
    else if (alignment_ == taRightJustify)
        flags |= DT_RIGHT;
    if (ellips_type_ == TskEllipsType::sketEndEllips)
        flags |= DT_END_ELLIPSIS;
    else if (ellips_type_ == TskEllipsType::sketPathEllips)
        flags |= DT_PATH_ELLIPSIS;
    return flags;
}

void TskSkinStdLabel::AdjustBounds()
{
    if (!auto_size_)
        return;
    Bitmap scratch(1, 1);
    Canvas canvas(scratch);
    canvas.font() = DrawFont();
    // An empty caption (or a lone accelerator mark) is measured with a blank
    // after it, so the label keeps the height of one line.
    std::string text = GetText();
    if (text.empty() || (show_accel_char_ && text == "&"))
        text += ' ';
    const unsigned flags = TextFlags() & ~(DT_END_ELLIPSIS | DT_PATH_ELLIPSIS);
    const Rect r = measure_text(canvas, text, Rect{0, 0, word_wrap_ ? Width() : 32767, 32767}, flags);
    int left = Left();
    // A right-aligned label keeps its right edge.
    if (!word_wrap_ && alignment_ == taRightJustify)
        left += Width() - r.width();
    SetBounds(left, Top(), r.width(), r.height());
}

void TskSkinStdLabel::FontChanged()
{
    Changed(true);
}

LResult TskSkinStdLabel::WndProc(Message& m)
{
    if (m.msg == CM_TEXTCHANGED)
        AdjustBounds();
    // The caption's accelerator moves the focus to the control it labels.
    if (m.msg == CM_DIALOGCHAR && focus_control_ && show_accel_char_ && Enabled() && IsAccelerator(m, Caption()) &&
        focus_control_->CanFocus()) {
        focus_control_->SetFocus();
        return 1;
    }
    return TGraphicControl::WndProc(m);
}

void TskSkinStdLabel::Paint()
{
    FetchSkinObject();
    Canvas& canvas = *GetCanvas();
    Rect r{0, 0, Width(), Height()};
    if (!transparent_)
        canvas.fill_rect(r, GetColor());
    canvas.font() = DrawFont();
    canvas.set_bk_mode(BkMode::Transparent);
    const unsigned flags = TextFlags();
    if (layout_ != TTextLayout::tlTop) {
        const Rect calc = measure_text(canvas, GetText(), r, flags);
        const int room = Height() - calc.bottom;
        r = r.offset(0, layout_ == TTextLayout::tlBottom ? room : room / 2);
    }
    if (Enabled()) {
        canvas.set_text_color(DrawColor());
        draw_text(canvas, GetText(), r, flags);
    } else if (Object()) {
        const TskSkinColors& colours = skin_.Data()->SkinColors;
        draw_text_disabled(canvas, GetText(), r, flags, colours.cbtnhighlight, colours.cbtnshadow);
    } else {
        draw_text_disabled(canvas, GetText(), r, flags);
    }
}

// ---- TskSkinLabel -------------------------------------------------------------

TskSkinLabel::TskSkinLabel(TComponent* owner) : TskSkinCustomControl(owner)
{
    SetSkinDataName("label");
    SetBounds(0, 0, 75, 21);
}

void TskSkinLabel::FetchSkinObject()
{
    TskSkinCustomControl::FetchSkinObject();
    skin_font_color_ = 0;
    if (!SkinObject())
        return;
    // Only a label object describes a label; any other kind leaves the
    // control unskinned.
    const auto* object = dynamic_cast<const TskDataSkinLabelControl*>(SkinObject());
    if (!object) {
        ForgetSkin();
        return;
    }
    TakeSkinFont(*object);
    skin_font_color_ = object->fontcolor;
}

void TskSkinLabel::FitSizeToSkin(int& width, int& height)
{
    if (use_skin_size_)
        TskSkinCustomControl::FitSizeToSkin(width, height);
}

void TskSkinLabel::UpdateWindowRegion()
{
    if (use_skin_size_) {
        TskSkinCustomControl::UpdateWindowRegion();
        return;
    }
    if (Window* window = WindowHandle(); window && window->region())
        window->set_region(nullptr);
}

void TskSkinLabel::SetEllipsType(TskEllipsType2 type)
{
    if (type != ellips_type_) {
        ellips_type_ = type;
        Invalidate();
    }
}

void TskSkinLabel::SetUseSkinSize(bool on)
{
    if (on != use_skin_size_) {
        use_skin_size_ = on;
        ApplySkin();
    }
}

void TskSkinLabel::SetUseSkinFontColor(bool on)
{
    if (on != use_skin_font_color_) {
        use_skin_font_color_ = on;
        Invalidate();
    }
}

void TskSkinLabel::SetBorderStyle(TskSkinBorderStyle style)
{
    if (style != border_style_) {
        border_style_ = style;
        Invalidate();
    }
}

void TskSkinLabel::SetAlignment(TAlignment a)
{
    if (a != alignment_) {
        alignment_ = a;
        Invalidate();
    }
}

void TskSkinLabel::SetAutoSize(bool on)
{
    if (on != auto_size_) {
        auto_size_ = on;
        AdjustSize();
    }
}

Rect TskSkinLabel::TextArea() const
{
    const Size size{Width(), Height()};
    if (!Skinned())
        return {3, 3, size.width - 3, size.height - 3};
    const SkinGeometry& g = Geometry();
    if (!use_skin_size_) {
        Rect r = g.clientrect;
        r.right += size.width - g.skinrect.width();
        r.bottom += size.height - g.skinrect.height();
        return r;
    }
    return g.target(size, Mode()).client;
}

Color TskSkinLabel::TextColor() const
{
    return Skinned() && use_skin_font_color_ ? skin_font_color_ : DefaultFont().GetColor();
}

void TskSkinLabel::AdjustSize()
{
    if (!auto_size_ || Align() == TAlign::alTop || Align() == TAlign::alBottom || Align() == TAlign::alClient)
        return;
    FetchSkinObject();
    const bool fitted = Skinned() && use_skin_size_;
    if (fitted && Mode() == ResizeMode::Fixed)
        return;
    const int text = Font::get(CurrentFont())->text_width(GetText()) + ImageExtent();
    const int area = Skinned() ? TextArea().width() : Width() - 4;
    int width = Width() + text - area;
    if (fitted)
        width = std::max(width, Width());
    if (width != Width())
        SetBounds(Left(), Top(), width, Height());
}

LResult TskSkinLabel::WndProc(Message& m)
{
    const LResult result = TskSkinCustomControl::WndProc(m);
    if (m.msg == CM_TEXTCHANGED)
        AdjustSize();
    return result;
}

void TskSkinLabel::DrawText(Canvas& canvas, const Rect& r)
{
    if (GetText().empty() || r.empty())
        return;
    canvas.font() = CurrentFont();
    const LabelTextPlace place =
        PlaceLabelText(*canvas_font(canvas), GetText(), r, alignment_, ellips_type_ == TskEllipsType2::sketEllips);
    canvas.set_text_color(TextColor());
    canvas.set_bk_mode(BkMode::Transparent);
    ext_text_out(canvas, place.at.x, place.at.y, ETO_CLIPPED, &r, place.text);
}

void TskSkinLabel::PaintUnskinned(Bitmap& bitmap)
{
    Canvas canvas(bitmap);
    const Rect all{0, 0, Width(), Height()};
    canvas.fill_rect(all, clBtnFace);
    DrawSkinBorder(canvas, all, border_style_);
    DrawText(canvas, DrawImage(canvas, TextArea()));
}

void TskSkinLabel::PaintSkinned(Bitmap& bitmap)
{
    if (use_skin_size_) {
        TskSkinCustomControl::PaintSkinned(bitmap);
    } else if (Picture()) {
        Canvas canvas(bitmap);
        ComposeStretchedNinePiece(canvas, *Picture(), Geometry().skinrect, Geometry().clientrect, bitmap.size());
    }
    Canvas canvas(bitmap);
    DrawText(canvas, DrawImage(canvas, TextArea()));
}

// ---- TskSkinStatusPanel ---------------------------------------------------------

TskSkinStatusPanel::TskSkinStatusPanel(TComponent* owner) : TskSkinLabel(owner)
{
    SetSkinDataName("statuspanel");
    SetWidth(120);
}

void TskSkinStatusPanel::SetGlyph(const Bitmap& glyph)
{
    glyph_ = glyph;
    AdjustSize();
    Invalidate();
}

void TskSkinStatusPanel::SetNumGlyphs(int n)
{
    n = std::clamp(n, 1, 2);
    if (n == num_glyphs_)
        return;
    num_glyphs_ = n;
    AdjustSize();
    Invalidate();
}

Rect TskSkinStatusPanel::DrawImage(Canvas& canvas, Rect r)
{
    if (glyph_.empty())
        return r;
    const int k = !Enabled() && num_glyphs_ >= 2 ? 2 : 1;
    const Rect slice = GlyphSlice(glyph_.size(), num_glyphs_, k);
    const int x = Skinned() ? r.left : 3;
    DrawGlyph(canvas, {x, r.top + r.height() / 2 - slice.height() / 2}, glyph_, num_glyphs_, k);
    r.left += slice.width() + 2;
    return r;
}

int TskSkinStatusPanel::ImageExtent() const
{
    return glyph_.empty() ? 0 : GlyphSlice(glyph_.size(), num_glyphs_, 1).width() + 3;
}

// ---- TskSkinPanel -------------------------------------------------------------

TskSkinPanel::TskSkinPanel(TComponent* owner) : TskSkinCustomControl(owner)
{
    SetSkinDataName("panel");
    SetForceBackground(true);
    SetBounds(0, 0, 150, 150);
}

void TskSkinPanel::FetchSkinObject()
{
    TskSkinCustomControl::FetchSkinObject();
    skin_ = SkinFields{};
    if (!SkinObject())
        return;
    const auto* object = dynamic_cast<const TskDataSkinPanelControl*>(SkinObject());
    if (!object) {
        ForgetSkin();
        return;
    }
    skin_.captionrect = object->captionrect;
    skin_.alignment = object->alignment;
    skin_.fontcolor = object->fontcolor;
    skin_.bgpictureindex = object->bgpictureindex;
    skin_.checkimagerect = object->checkimagerect;
    skin_.uncheckimagerect = object->uncheckimagerect;
    skin_.markframerect = object->markframerect;
    skin_.framerect = object->framerect;
    skin_.frametextrect = object->frametextrect;
    skin_.frameleftoffset = object->frameleftoffset;
    skin_.framerightoffset = object->framerightoffset;
    TakeSkinFont(*object);
}

void TskSkinPanel::ApplySkin()
{
    TskSkinCustomControl::ApplySkin();
    Realign();
}

void TskSkinPanel::SetBounds(int left, int top, int width, int height)
{
    const Rect before = BoundsRect();
    TskSkinCustomControl::SetBounds(left, top, width, height);
    // Over the parent's background a move shows another part of it.
    if (transparent_mode_ && BoundsRect() != before) {
        Invalidate();
        NotifyChildrenParentChanged();
    }
}

void TskSkinPanel::ParentBackgroundChanged()
{
    if (!transparent_mode_)
        return;
    Invalidate();
    NotifyChildrenParentChanged();
}

// -- properties

void TskSkinPanel::SetBorderStyle(TskSkinBorderStyle style)
{
    if (style == border_style_)
        return;
    border_style_ = style;
    Realign();
    Invalidate();
}

void TskSkinPanel::SetCaptionMode(bool on)
{
    if (on == caption_mode_)
        return;
    caption_mode_ = on;
    Realign();
    Invalidate();
}

void TskSkinPanel::SetDefaultCaptionHeight(int h)
{
    if (h == default_caption_height_)
        return;
    default_caption_height_ = h;
    Realign();
    Invalidate();
}

void TskSkinPanel::SetDefaultAlignment(TAlignment a)
{
    if (a == default_alignment_)
        return;
    default_alignment_ = a;
    Invalidate();
}

void TskSkinPanel::SetGlyph(const Bitmap& glyph)
{
    glyph_ = glyph;
    Invalidate();
}

void TskSkinPanel::SetNumGlyphs(int n)
{
    n = std::clamp(n, 1, 2);
    if (n == num_glyphs_)
        return;
    num_glyphs_ = n;
    Invalidate();
}

void TskSkinPanel::SetSpacing(int s)
{
    if (s == spacing_)
        return;
    spacing_ = s;
    Invalidate();
}

void TskSkinPanel::SetImagePosition(TskImagePosition p)
{
    if (p == image_position_)
        return;
    image_position_ = p;
    Invalidate();
}

void TskSkinPanel::SetTransparentMode(bool on)
{
    if (on == transparent_mode_)
        return;
    transparent_mode_ = on;
    Invalidate();
}

void TskSkinPanel::SetCheckedMode(bool on)
{
    if (on == checked_mode_)
        return;
    checked_mode_ = on;
    Invalidate();
}

void TskSkinPanel::SetChecked(bool on)
{
    if (on == checked_)
        return;
    checked_ = on;
    if (AutoEnabledControls)
        for (int i = 0; i < ControlCount(); ++i)
            Controls(i)->SetEnabled(on);
    Invalidate();
    if (OnChecked)
        OnChecked(this);
}

void TskSkinPanel::SetRollUpState(bool on)
{
    if (on == roll_up_state_)
        return;
    roll_up_state_ = on;
    if (on) {
        real_height_ = Height();
        for (int i = 0; i < ControlCount(); ++i)
            Controls(i)->Hide();
        FetchSkinObject();
        const int rolled = Skinned() && Mode() != ResizeMode::None
            ? Height() - Geometry().target({Width(), Height()}, Mode()).client.height()
            : default_caption_height_ + 1;
        SetBounds(Left(), Top(), Width(), rolled);
    } else {
        for (int i = 0; i < ControlCount(); ++i)
            Controls(i)->Show();
        if (real_height_ >= 0)
            SetBounds(Left(), Top(), Width(), real_height_);
    }
    if (OnChangeRollUpState)
        OnChangeRollUpState(this);
}

// -- geometry

Rect TskSkinPanel::AlignRect() const
{
    const Rect client = ClientRect();
    if (!Skinned() || Mode() == ResizeMode::None) {
        Rect r = border_style_ == TskSkinBorderStyle::bvNone ? client : client.inflated(-1, -1);
        if (caption_mode_)
            r.top += default_caption_height_;
        return NonNegative(r);
    }
    if (BackgroundPicture() ||
        (border_style_ == TskSkinBorderStyle::bvNone && !caption_mode_ && Mode() == ResizeMode::NinePiece))
        return client;
    return NonNegative(Geometry().target({Width(), Height()}, Mode()).client);
}

Rect TskSkinPanel::CaptionRect() const
{
    if (!caption_mode_)
        return {};
    if (!Skinned())
        return {0, 0, Width(), default_caption_height_};
    return CarrySkinRect(skin_.captionrect, Geometry(), Mode(), {Width(), Height()});
}

const Bitmap* TskSkinPanel::BackgroundPicture() const
{
    // An index that names no picture counts as none, so the panel keeps its
    // framed look.
    return Skinned() ? SkinData()->ActivePicture(skin_.bgpictureindex) : nullptr;
}

Size TskSkinPanel::GlyphSize() const
{
    return glyph_.empty() ? Size{} : GlyphSlice(glyph_.size(), num_glyphs_, 1).size();
}

int TskSkinPanel::GlyphIndex() const
{
    return !Enabled() && num_glyphs_ == 2 ? 2 : 1;
}

// -- input

void TskSkinPanel::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    std::shared_ptr<bool> alive = alive_;
    TskSkinCustomControl::MouseDown(button, shift, x, y);
    if (!*alive || button != TMouseButton::mbLeft || !CaptionRect().contains(Point{x, y}))
        return;
    if (checked_mode_)
        SetChecked(!checked_);
    if (*alive && roll_up_mode_)
        SetRollUpState(!roll_up_state_);
}

// -- painting

TskSkinPanel::Look TskSkinPanel::SkinnedLook() const
{
    if (transparent_mode_)
        return Look::Transparent;
    if (border_style_ == TskSkinBorderStyle::bvNone && Mode() == ResizeMode::NinePiece && !caption_mode_)
        return Look::ClientImage;
    if (BackgroundPicture())
        return Look::Background;
    return Look::Framed;
}

void TskSkinPanel::Paint()
{
    Canvas* canvas = GetCanvas();
    if (!canvas || Width() < 1 || Height() < 1)
        return;
    FetchSkinObject();
    // Only the framed look goes through the base's border-strip path; the
    // others cover the whole control from one source.
    if (Skinned() && SkinnedLook() != Look::Framed)
        PaintOffscreen(*canvas);
    else
        TskSkinCustomControl::Paint();
}

void TskSkinPanel::PaintSkinned(Bitmap& bitmap)
{
    switch (SkinnedLook()) {
    case Look::Transparent:
        PaintTransparent(bitmap);
        return;
    case Look::ClientImage:
        if (Picture()) {
            Canvas canvas(bitmap);
            ComposeClient(canvas, *Picture(), Geometry().skinrect, Geometry(), Rect::from_size(bitmap.size()));
        }
        return;
    case Look::Background:
        PaintBackgroundPicture(bitmap, *BackgroundPicture());
        return;
    case Look::Framed:
        // In the nine-piece look the base hands over only the top border
        // strip (the caption's place) and paints the rest itself.
        TskSkinCustomControl::PaintSkinned(bitmap);
        if (caption_mode_) {
            Canvas canvas(bitmap);
            DrawSkinCaption(canvas, CaptionRect());
        }
        return;
    }
}

void TskSkinPanel::PaintBackgroundPicture(Bitmap& bitmap, const Bitmap& background)
{
    Canvas canvas(bitmap);
    canvas.fill_rect(Rect::from_size(bitmap.size()), clBtnFace);
    SkinGeometry g;
    g.skinrect = background.rect();
    g.clientrect = background.rect();
    g.stretcheffect = Geometry().stretcheffect;
    g.stretchtype = Geometry().stretchtype;
    // Stretched whole, the picture fills the client rectangle only.
    const Rect target = g.stretcheffect && g.stretchtype == stFull
        ? Geometry().target({Width(), Height()}, Mode()).client
        : Rect::from_size(bitmap.size());
    ComposeClient(canvas, background, background.rect(), g, target);
}

void TskSkinPanel::PaintTransparent(Bitmap& bitmap)
{
    Canvas canvas(bitmap);
    PaintParentBackground(*this, canvas);
    // The frame takes the colour of the middle of the skin's bottom row.
    Color line = clBtnShadow;
    if (const Bitmap* picture = Picture()) {
        const Rect s = Geometry().skinrect;
        const Point p{s.left + s.width() / 2, s.bottom - 1};
        if (!s.empty() && picture->rect().contains(p))
            line = pixel_to_color(picture->pixel(p.x, p.y));
    }
    const int w = Width(), h = Height();
    if (!caption_mode_) {
        if (border_style_ != TskSkinBorderStyle::bvNone)
            canvas.frame_rect({0, 0, w, h}, line);
        return;
    }
    // A group frame whose top edge the caption interrupts at x = 5.
    canvas.font() = CurrentFont();
    const FontPtr font = canvas_font(canvas);
    const int th = font->metrics().height;
    const int tw = GetText().empty() ? 0 : font->text_width(GetText());
    const int top = th / 2;
    canvas.pen().color = line;
    canvas.line({0, top}, {0, h - 1});
    canvas.line({0, h - 1}, {w - 1, h - 1});
    canvas.line({w - 1, h - 1}, {w - 1, top});
    if (tw > 0) {
        canvas.line({w - 1, top}, {std::min(5 + tw + 2, w - 1), top});
        canvas.line({3, top}, {0, top});
        canvas.set_bk_mode(BkMode::Transparent);
        canvas.set_text_color(skin_.fontcolor);
        text_out(canvas, 5, 0, GetText());
    } else {
        canvas.line({w - 1, top}, {0, top});
    }
}

void TskSkinPanel::DrawSkinCaption(Canvas& canvas, const Rect& r)
{
    if (GetText().empty() || r.empty())
        return;
    CanvasSaver keep(canvas);
    canvas.intersect_clip(r);
    canvas.font() = CurrentFont();
    const FontPtr font = canvas_font(canvas);
    const int tw = font->text_width(GetText());
    const int th = font->metrics().height;
    const int cy = r.top + r.height() / 2;
    const Size glyph = GlyphSize();
    const bool glyph_pinned = image_position_ == TskImagePosition::skimLeft;

    // Images pinned to the strip's left: the check mark, then a glyph with
    // skimLeft. The text keeps its alignment but never overlaps them.
    int pinned_right = r.left;
    const Rect* mark = nullptr;
    if (checked_mode_)
        mark = checked_ ? &skin_.checkimagerect : &skin_.uncheckimagerect;
    if (mark && !mark->empty() && Picture()) {
        const int x = r.left + 2;
        canvas.draw_transparent({x, cy - mark->height() / 2}, *Picture(), *mark);
        pinned_right = x + mark->width() + spacing_;
    }
    if (glyph.width > 0 && glyph_pinned) {
        const int x = std::max(pinned_right, r.left + 2);
        DrawGlyph(canvas, {x, cy - glyph.height / 2}, glyph_, num_glyphs_, GlyphIndex());
        pinned_right = x + glyph.width + spacing_;
    }

    const int block = tw + (glyph.width > 0 && !glyph_pinned ? glyph.width + spacing_ : 0);
    int x = r.left;
    if (skin_.alignment == taRightJustify)
        x = r.right - block;
    else if (skin_.alignment == taCenter)
        x = r.left + r.width() / 2 - block / 2;
    x = std::max(x, pinned_right);
    if (glyph.width > 0 && !glyph_pinned) {
        DrawGlyph(canvas, {x, cy - glyph.height / 2}, glyph_, num_glyphs_, GlyphIndex());
        x += glyph.width + spacing_;
    }

    // A frame behind the text: a horizontal three-piece as wide as the text
    // plus the frame's own margins around its text area.
    if (!skin_.framerect.empty() && Picture()) {
        const Rect& f = skin_.framerect;
        const bool has_text_area = !skin_.frametextrect.empty();
        const int left_margin = has_text_area ? skin_.frametextrect.left : skin_.frameleftoffset;
        const int right_margin = has_text_area ? f.width() - skin_.frametextrect.right : skin_.framerightoffset;
        const int width = tw + left_margin + right_margin;
        if (width > 0) {
            Bitmap frame(width, f.height());
            Canvas fc(frame);
            ComposeHorizontal(fc, *Picture(), f, skin_.frameleftoffset, skin_.framerightoffset, width, false);
            canvas.draw({x - left_margin, cy - f.height() / 2}, frame);
        }
    }

    canvas.set_bk_mode(BkMode::Transparent);
    canvas.set_text_color(skin_.fontcolor);
    text_out(canvas, x, cy - th / 2, GetText());
}

void TskSkinPanel::PaintUnskinned(Bitmap& bitmap)
{
    Canvas canvas(bitmap);
    const Rect all = Rect::from_size(bitmap.size());
    canvas.fill_rect(all, clBtnFace);
    DrawSkinBorder(canvas, all, border_style_);
    if (caption_mode_)
        DrawUnskinnedCaption(canvas);
}

void TskSkinPanel::DrawUnskinnedCaption(Canvas& canvas)
{
    Rect strip{0, 0, Width(), default_caption_height_};
    if (border_style_ != TskSkinBorderStyle::bvNone) {
        strip = strip.inflated(-1, -1);
        if (border_style_ == TskSkinBorderStyle::bvFrame)
            canvas.frame3d(canvas.frame3d(strip, clBtnShadow, clBtnShadow), clBtnHighlight, clBtnFace);
        else
            canvas.frame3d(canvas.frame3d(strip, clBtnShadow, clBtnHighlight), clBtnHighlight, clBtnShadow);
    }
    if (GetText().empty() || strip.empty())
        return;
    CanvasSaver keep(canvas);
    canvas.intersect_clip(strip);
    canvas.font() = DefaultFont().Desc();
    const FontPtr font = canvas_font(canvas);
    const int tw = font->text_width(GetText());
    const int th = font->metrics().height;
    const Size glyph = GlyphSize();
    const int block = tw + (glyph.width > 0 ? glyph.width + spacing_ : 0);
    int x = strip.left + 2;
    if (default_alignment_ == taRightJustify)
        x = strip.right - block;
    else if (default_alignment_ == taCenter)
        x = strip.left + 2 + (strip.width() - 2 - block) / 2;
    const int cy = strip.top + strip.height() / 2;
    if (glyph.width > 0) {
        DrawGlyph(canvas, {x, cy - glyph.height / 2}, glyph_, num_glyphs_, GlyphIndex());
        x += glyph.width + spacing_;
    }
    canvas.set_bk_mode(BkMode::Transparent);
    canvas.set_text_color(Enabled() ? DefaultFont().GetColor() : clBtnShadow);
    text_out(canvas, x, cy - th / 2, GetText());
}

// ---- TskSkinGroupBox ----------------------------------------------------------

TskSkinGroupBox::TskSkinGroupBox(TComponent* owner) : TskSkinPanel(owner)
{
    SetSkinDataName("groupbox");
    SetCaptionMode(true);
}

} // namespace lt
