#pragma once
// The rules of the skinned frame's interaction that need no window: where a
// maximized or centred window goes, what the system menu holds, how a
// dragged window snaps to the work area. TskSkinForm (skin_form.h) applies
// them; skin_form_interaction.cpp holds its hit test, hot tracking, clicks,
// window states, system menu and centring.
//
// The hit test. With a skin, a point near the border (one of the four
// points x +- borderwidth, y +- borderwidth lies outside the window, or,
// with a mask, outside the window's shape while the point is outside the
// mask area) is a sizing corner when it lies beyond a hit-test corner point,
// else the edge whose strip holds it; any other point is the client, the
// caption object or a frame object (HTOBJECT: the platform does nothing and
// the frame gets the clicks). Without a skin the outer 3 pixels size the
// window. While the window is active, the first enabled frame object under
// the pointer becomes hot at every hit test and on a 50 ms window timer;
// a hot object outside the caption and the client answers HTOBJECT, so a
// caption button wins over the sizing border under it. Maximized or
// rolled-up frames do not size.
//
// Clicks. A left press on a caption button captures the mouse; the button
// is drawn down while the pointer is over it; the release runs its command
// only over it (the close button closes the form, maximize maximizes or
// restores, minimize minimizes the application's window, roll-up rolls).
// A press on the system-menu button opens the system menu below it, a
// double-click on it closes the form. A double-click on the caption of a
// sizeable frame maximizes (with the maximize icon) or restores; otherwise
// it rolls the window up or down (with the roll-up icon). A right press on
// the caption opens the system menu at the pointer. Alt+Space opens it
// below the system-menu button when that button is enabled and is taken in
// any case.
//
// Window states. Maximize remembers the bounds and sizes the window to the
// work area (the whole monitor with MaximizeOnFullScreen), one pixel in from
// each side when that area is the whole screen, so edge behaviour keeps
// working; restore returns to the remembered bounds (the first restore of a
// window placed by PositionInMonitor centres the remembered size instead).
// The platform window stays in its normal state throughout.

#include <string>
#include <vector>

#include "forms/menus.h"
#include "gfx/geometry.h"
#include "skinned/skin_form.h"

namespace lt {

// The bounds of a maximized frame: the work area, or the monitor when
// full_screen; an area that is the whole monitor and the whole screen is
// shrunk by one pixel on each side.
Rect MaximizedBounds(const Rect& work, const Rect& monitor, const Rect& screen, bool full_screen);

// A window of `size` centred in `area` (halves rounded toward zero).
Rect CenteredBounds(const Rect& area, Size size);

// Moves `bounds` so that each edge within `distance` pixels of the matching
// edge of `area` lies on it.
Rect SnapToArea(Rect bounds, const Rect& area, int distance);

enum class SystemMenuCommand { Minimize, Maximize, Restore, RollUp, MinimizeToTray, Close, Separator };

struct SystemMenuEntry {
    SystemMenuCommand command;
    // Code page 936; "-" for the separator.
    std::string caption;
    TShortCut shortcut = scNone;

    friend bool operator==(const SystemMenuEntry&, const SystemMenuEntry&) = default;
};

// The built-in system menu for the settings and the state: Minimize (with
// the minimize icon, unless minimized), Maximize (with the maximize icon,
// unless maximized), Restore (when not normal, or rolled up), RollUp (with
// its icon, in the normal state and not rolled up), Minimize to Tray (with
// its icon), a separator when anything precedes it, and Close with Alt+F4.
// Captions come from the resource strings when given.
std::vector<SystemMenuEntry> SystemMenuEntries(
    TskBorderIcons icons, TskFrameWindowState state, bool rolled_up, const TskResourceStrData* strings);

} // namespace lt
