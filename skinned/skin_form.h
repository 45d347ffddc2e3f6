#pragma once
// The skinned window frame: TskSkinForm, a component placed on a form that
// replaces the form's whole frame (caption, borders, caption buttons,
// outline) with one drawn from the skin.
//
// It takes over the form's window procedure: it tells the window how large
// the frame is (WM_NCCALCSIZE), paints it from the skin's frame picture, cuts
// the window to the skin's mask, answers hit tests itself so that moving and
// sizing run through the platform's own move/size loop, runs the caption
// buttons, the caption's double-click and the system menu, emulates maximize
// (the platform window stays in its normal state), centres the window on its
// first show, and relays skin changes to every skinned control inside the
// form. Without a skin (none bound, or the skin data Empty after a failed
// load) it draws its default frame; while a load is under way it draws
// nothing.
//
// Using it: `auto* frame = new TskSkinForm(form); frame->SetSkinData(data);`
// The form's border style still decides whether there is a frame at all
// (bsNone: none) and whether the border sizes the window.
//
// Behaviour is kept apart from painting: SkinFrameGeometry
// (skin_frame_geometry.h) says where every part lies; CaptionButtonLook says
// which picture rectangle a caption button shows in a state; the handlers
// only change state and invalidate. The interaction (hit test, hot
// tracking, clicks, window states, system menu, centring) lives in
// skin_form_interaction.cpp, its pure rules in skin_form_interaction.h.
//
// Sections: settings - frame objects - caption-button looks - caption text -
// TskSkinForm.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "forms/controls.h"
#include "forms/font.h"
#include "forms/forms.h"
#include "forms/menus.h"
#include "gfx/bitmap.h"
#include "gfx/canvas.h"
#include "gfx/font.h"
#include "gfx/region.h"
#include "platform/button_behavior.h"
#include "skin/skin_data.h"
#include "skinned/skin_frame_geometry.h"
#include "skinned/skin_menu.h"

namespace lt {

// ---- settings -------------------------------------------------------------------

// Which caption buttons (and system-menu items) the frame has.
enum TskBorderIcon : unsigned {
    biSystemMenu = 1,
    biMinimize = 2,
    biMaximize = 4,
    biRollUp = 8,
    biMinimizeToTray = 16,
};
using TskBorderIcons = unsigned;

// Placement on the first show.
enum class TskPositionInMonitor { skpDefault, skpScreenCenter, skpDesktopCenter };

// The frame's own window state (the platform window stays normal).
enum class TskFrameWindowState { Normal = 0, Minimized = 1, Maximized = 2 };

// Replaces the caption text painting: the canvas (window coordinates), the
// caption object's rectangle and whether the window is active.
using TskCaptionPaintEvent = std::function<void(TComponent* sender, Canvas& canvas, const Rect& r, bool active)>;
// Asked whether a custom caption button (command cmdefault) is enabled.
using TskCustomObjectEvent = std::function<bool(TComponent* sender, const std::string& name)>;

// Something inside a form that draws from a skin data but is none of the
// kinds the frame knows (TskSkinControl, TskGraphicSkinControl, the standard
// label, the splitter, the edit box, the bevel): implementing this lets the
// frame relay skin changes to it.
class SkinRelayTarget {
public:
    virtual ~SkinRelayTarget() = default;
    virtual TskSkinData* RelaySkinData() const = 0;
    virtual void ForgetSkin() = 0;
    virtual void ApplySkin() = 0;
};

// ---- frame objects ----------------------------------------------------------------

// One frame object, made from a [SKINOBJECTS] object of the skin: its looks
// (copied, so that nothing points into the skin object), where it is drawn
// now and its state. Pictures point into the skin data and are dropped with
// the objects before the skin data reloads.
class TskActiveSkinObject {
public:
    TskActiveSkinObject(const TskDataSkinObject& data, const TskSkinData* skin);
    virtual ~TskActiveSkinObject() = default;

    std::string Name;
    std::string Hint;
    Rect SkinRect, ActiveSkinRect, InactiveSkinRect;
    bool SkinRectInAPicture = false;
    // The frame picture and the object's active picture (null for none; the
    // object's state looks are then taken as empty).
    const Bitmap* Picture = nullptr;
    const Bitmap* ActivePicture = nullptr;
    // Where the object is drawn now (window coordinates).
    Rect ObjectRect;
    bool Enabled = true;
    bool Visible = true;

    virtual FrameObjectKind Kind() const = 0;
    virtual TskStdCommand Command() const { return cmDefault; }
};

class TskUserObject : public TskActiveSkinObject {
public:
    using TskActiveSkinObject::TskActiveSkinObject;
    FrameObjectKind Kind() const override { return FrameObjectKind::User; }
};

class TskSkinButtonObject : public TskActiveSkinObject {
public:
    TskSkinButtonObject(const TskDataSkinButton& data, const TskSkinData* skin);
    Rect DownRect, DisableSkinRect;
    // Hot and pressed, fed by the frame.
    ButtonBehavior Press;
    FrameObjectKind Kind() const override { return FrameObjectKind::Button; }
};

class TskSkinStdButtonObject : public TskSkinButtonObject {
public:
    TskSkinStdButtonObject(const TskDataSkinStdButton& data, const TskSkinData* skin);
    // A default-frame button: no pictures, drawn as a glyph.
    explicit TskSkinStdButtonObject(TskStdCommand command);
    TskStdCommand StdCommand = cmDefault;
    Rect RestoreRect, RestoreActiveRect, RestoreDownRect, RestoreInactiveRect;
    FrameObjectKind Kind() const override { return FrameObjectKind::StdButton; }
    TskStdCommand Command() const override { return StdCommand; }
};

// An animated object runs as a caption button showing its first frame.
class TskSkinAnimateObject : public TskSkinStdButtonObject {
public:
    TskSkinAnimateObject(const TskDataSkinAnimate& data, const TskSkinData* skin);
    FrameObjectKind Kind() const override { return FrameObjectKind::Animate; }
};

class TskSkinCaptionObject : public TskActiveSkinObject {
public:
    TskSkinCaptionObject(const TskDataSkinCaption& data, const TskSkinData* skin);
    // The caption fields of the skin object.
    TskDataSkinCaption Data;
    FrameObjectKind Kind() const override { return FrameObjectKind::Caption; }
};

// ---- caption-button looks -----------------------------------------------------------

struct CaptionButtonState {
    // Maximize while maximized, roll-up while rolled up.
    bool second_state = false;
    bool enabled = true;
    bool window_active = true;
    bool hot = false;
    // Pressed with the pointer over it.
    bool down = false;
};

struct CaptionButtonLookResult {
    const Bitmap* picture = nullptr;
    Rect rect;

    friend bool operator==(const CaptionButtonLookResult&, const CaptionButtonLookResult&) = default;
};

// The picture rectangle a frame button shows, first match wins: a caption
// button's second state's looks (inactive, pressed, hot, normal) when it has a
// restore rectangle; the disabled look; the pressed look; the inactive
// look; the hot look; else its skin rectangle (from the active picture when
// it is drawn from one, else from the frame picture). An empty rectangle
// never matches; without an active picture only the skin rectangle of a
// button drawn into the frame picture remains.
CaptionButtonLookResult CaptionButtonLook(const TskSkinButtonObject& button, const CaptionButtonState& state);

// ---- caption text ---------------------------------------------------------------------

// The caption object's font: its fontname, fontheight (a cell height) and
// fontstyle, in the given character set.
FontDesc CaptionFont(const TskDataSkinCaption& caption, int charset);

// What the caption object draws for a title: the text area (its textrect
// inside the object, widened or narrowed with the object) and the title,
// shortened at whole characters until it and "..." fit the area's width, with
// the alignment's DrawText flags (one line, vertically centred).
struct CaptionTextLayout {
    Rect area;
    std::string text;
    unsigned flags = 0;
};
CaptionTextLayout LayoutCaptionText(
    const Font& font, std::string_view title, const TskDataSkinCaption& caption, const Rect& object_rect);

// ---- TskSkinForm --------------------------------------------------------------------

class TskSkinForm : public TComponent, public SkinMenuFrame {
public:
    // The owner must be a form (anything else throws std::bad_cast); the
    // frame takes the form's window procedure over at once.
    explicit TskSkinForm(TComponent* owner);
    // Frees the frame objects, drops the region and gives the form its
    // previous window procedure back.
    ~TskSkinForm() override;

    // ---- properties
    TskSkinData* SkinData() const { return skin_data_; }
    // Stores it, copies Skinnable from its SkinnableForm and applies it.
    void SetSkinData(TskSkinData* data);
    TskSkinData* MenusSkinData() const override { return menus_skin_data_; }
    void SetMenusSkinData(TskSkinData* data);
    TskBorderIcons BorderIcons() const { return border_icons_; }
    // Re-evaluates the caption buttons and repaints the frame.
    void SetBorderIcons(TskBorderIcons icons);
    TskPositionInMonitor PositionInMonitor = TskPositionInMonitor::skpDefault;
    bool DisableSystemMenu() const { return disable_system_menu_; }
    void SetDisableSystemMenu(bool on);
    // Sizing also for forms whose border style is not sizeable.
    bool AlwaysResize = false;
    // The form's cursor over the frame, except over the sizing edges.
    bool UseFormCursorInNCArea = false;
    // Above 0: the form's client size after each skin change.
    int ClientWidth = 0;
    int ClientHeight = 0;
    // Size limits (0 = none).
    int MinWidth = 0;
    int MinHeight = 0;
    int MaxWidth = 0;
    int MaxHeight = 0;
    // Maximize to the whole monitor instead of its work area.
    bool MaximizeOnFullScreen = false;
    bool HideCaptionButtons() const { return hide_caption_buttons_; }
    void SetHideCaptionButtons(bool on);
    // The system-menu button shows the form's icon (forms have none here:
    // the button keeps its skin look).
    bool ShowIcon() const { return show_icon_; }
    void SetShowIcon(bool on);
    // Caption fonts of the default frame; DefCaptionFont's character set is
    // also the skinned caption's (without resource strings). Changes repaint.
    TFont& DefCaptionFont() { return *def_caption_font_; }
    TFont& DefInActiveCaptionFont() { return *def_inactive_caption_font_; }
    // The system menu's look and content (they set the menu object's).
    int DefMenuItemHeight() const;
    void SetDefMenuItemHeight(int height);
    TFont& DefMenuItemFont();
    bool UseSkinFontInMenu() const;
    void SetUseSkinFontInMenu(bool on);
    int MaxMenuItemsInWindow() const;
    void SetMaxMenuItemsInWindow(int count);
    // The system menu is always the skinned one; the setting is kept.
    bool UseDefaultSysMenu = true;
    // Replaces the built-in system menu when set.
    TPopupMenu* SystemMenu() const { return system_menu_; }
    void SetSystemMenu(TPopupMenu* menu);
    // Edge snapping to the work area while the window is dragged.
    bool Magnetic = false;
    int MagneticSize = 5;
    // Translucency needs layered windows, which this platform does not
    // offer; the settings are kept.
    bool AlphaBlend = false;
    bool AlphaBlendAnimation = false;
    int AlphaBlendValue = 200;
    bool MenusAlphaBlend = false;
    bool MenusAlphaBlendAnimation = false;
    int MenusAlphaBlendValue = 200;

    // ---- events
    TskCaptionPaintEvent OnCaptionPaint;
    TskCustomObjectEvent OnActivateCustomObject;
    TNotifyEvent OnChangeSkinData;
    TNotifyEvent OnBeforeChangeSkinData;
    TNotifyEvent OnAfterChangeSkinData;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeActivate;
    TNotifyEvent OnMinimize;
    TNotifyEvent OnRestore;
    TNotifyEvent OnMaximize;
    TNotifyEvent OnChangeRollUpState;
    TNotifyEvent OnSkinMenuOpen;
    TNotifyEvent OnSkinMenuClose;

    // ---- state
    TCustomForm* Form() const { return form_; }
    // The skin data's SkinnableForm: off, the form keeps the plain frame.
    bool Skinnable() const { return skinnable_; }
    // A loaded skin is bound and applied.
    bool Skinned() const { return skinned_; }
    TskFrameWindowState FrameWindowState() const { return window_state_; }
    bool RolledUp() const { return rolled_up_; }
    // The bounds restore returns to (empty when none is remembered).
    const Rect& NormalBounds() const { return normal_bounds_; }
    int HotObject() const { return hot_; }
    int PressedObject() const { return pressed_; }
    bool Active() const { return active_; }
    int ObjectCount() const { return static_cast<int>(objects_.size()); }
    TskActiveSkinObject& Objects(int index) const { return *objects_.at(static_cast<size_t>(index)); }
    // The object with this command, or null.
    TskSkinStdButtonObject* FindButton(TskStdCommand command) const;
    // The geometry for the current settings and skin.
    const SkinFrameGeometry& Geometry() const { return geometry_; }
    // The smallest and largest window the frame allows now.
    Size MinimumSize() const;
    Size MaximumSize() const;

    // ---- commands (the caption buttons' and the system menu's)
    void Maximize();
    void Restore();
    void Minimize();
    void SetRolledUp(bool on);
    // Opens the system menu at a screen rectangle (a point as an empty one).
    void ShowSystemMenu(const Rect& anchor, bool upward = false);
    // Rebuilds the frame objects and the geometry from the skin, enforces
    // the size limits and repaints.
    void ApplyFrameSkin();

    // ---- SkinMenuFrame
    TskSkinMenu& SkinMenu() override { return *menu_; }
    TskSkinData* FrameSkinData() const override { return skin_data_; }
    TCustomForm* FrameForm() const override { return form_; }
    void SkinMenuOpening() override;
    void SkinMenuClosed() override;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    // The frame's window timer on its form's window: hot tracking.
    static constexpr std::uintptr_t kTrackTimer = 0x534B4601;

    struct HookState;
    class Hook;
    friend class Hook;

    // ---- the hooked window procedure
    LResult HandleMessage(Window& w, Message& m);
    LResult CallPrevious(Window& w, Message& m);
    // The form has a border and the skin lets the frame draw it.
    bool FrameShown() const;
    FrameOptions CurrentOptions() const;

    // ---- skin (skin_form.cpp)
    void BuildObjects();
    void EvaluateCaptionButtons();
    void RebuildGeometry();
    void UpdateLayout();
    void UpdateRegion();
    void EnforceMinimumSize();
    void BeforeSkinChange(TskSkinData* data);
    void SkinChanged(TskSkinData* data);
    void RelayForget(TskSkinData* data);
    void RelayApply(TskSkinData* data);

    // ---- painting (skin_form.cpp)
    void PaintFrame(Canvas& canvas);
    void PaintSkinnedFrame(Canvas& canvas, Size size);
    void PaintDefaultFrame(Canvas& canvas, Size size);
    void PaintObject(Canvas& canvas, const TskActiveSkinObject& object) const;
    void PaintCaptionText(Canvas& canvas, const TskSkinCaptionObject& caption) const;
    void PaintDefaultButton(Canvas& canvas, const TskSkinStdButtonObject& button) const;
    void PaintClientBackground(Canvas& canvas);
    void InvalidateObject(int index);
    void InvalidateFrame();
    CaptionButtonState ButtonState(const TskSkinButtonObject& button) const;

    // ---- interaction (skin_form_interaction.cpp)
    int HitTest(Point window_point);
    void SetHot(int index);
    int ObjectUnder(Point window_point) const;
    void TrackTimer();
    void StartTracking();
    void StopTracking();
    void MouseDown(int hit, Point window_point, bool right);
    void MouseMove(Point window_point);
    void MouseUp(Point window_point);
    void DoubleClick(int hit, Point window_point);
    void CancelPress();
    void RunCommand(TskStdCommand command);
    void OnFirstShow();
    void KeyMenu(LParam key);
    void BuildSystemMenu();
    Rect MonitorArea(bool work) const;
    void SnapToWorkArea(Rect& bounds) const;

    TCustomForm* form_ = nullptr;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    TskSkinData* skin_data_ = nullptr;
    TskSkinData* menus_skin_data_ = nullptr;
    TPopupMenu* system_menu_ = nullptr;
    TPopupMenu* builtin_system_menu_ = nullptr;
    TskSkinMenu* menu_ = nullptr;
    std::unique_ptr<TFont> def_caption_font_;
    std::unique_ptr<TFont> def_inactive_caption_font_;
    TskBorderIcons border_icons_ = biSystemMenu | biMinimize | biMaximize | biRollUp;
    bool disable_system_menu_ = false;
    bool hide_caption_buttons_ = false;
    bool show_icon_ = false;

    bool skinnable_ = true;
    bool skinned_ = false;
    // Set while a load is under way: a load that fails sends no change, so the
    // next paint applies the (default) frame itself.
    bool apply_pending_ = false;
    bool active_ = false;
    bool shown_once_ = false;
    bool restored_once_ = false;
    TskFrameWindowState window_state_ = TskFrameWindowState::Normal;
    bool rolled_up_ = false;
    int rolled_up_height_ = 0;
    Rect normal_bounds_;
    std::vector<std::unique_ptr<TskActiveSkinObject>> objects_;
    SkinFrameGeometry geometry_;
    int hot_ = -1;
    int pressed_ = -1;
    bool tracking_ = false;
    // The previous window procedure, kept by the hook.
    std::shared_ptr<HookState> hook_;
};

} // namespace lt
