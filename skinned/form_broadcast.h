#pragma once
// The skin messages reach the application's forms through this broadcaster.
// Install it once the application exists:
//   SetSkinMessageBroadcaster(&FormsSkinBroadcaster());

#include "skin/skin_data.h"

namespace lt {

// Sends each message synchronously with wParam = the skin data and lParam =
// kSkinMessageLParam: first to the window of the skin data's owner when the
// owner is a form, then to every other form in the application's form list,
// oldest first. A form whose window does not exist yet gets it made.
//
// After a failed load it marks every form's window whole, frame and
// children included, for repainting in the next loop turn; forms without a
// window are left alone.
SkinMessageBroadcaster& FormsSkinBroadcaster();

} // namespace lt
