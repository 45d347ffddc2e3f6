#pragma once
// A small modal question or notice in the skin of the window that asks it:
// a skinned frame with the caption, the text (wrapped) and a row of skinned
// buttons. The file dialog asks before overwriting and deleting with it and
// shows an entry's properties.
//
// Keys: Enter presses the first button, Escape the last; closing the window
// counts as the last button too.

#include <string>

#include "forms/font.h"
#include "forms/forms.h"
#include "skin/skin_data.h"

namespace lt {

enum class TskMessageButtons { OK, OKCancel, YesNo };

// Shows the box (texts in code page 936) and returns mrOk, mrCancel, mrYes
// or mrNo. `frame_skin` draws the frame, `control_skin` the buttons and the
// text; either may be null (the plain look). `font` (may be null) is the
// buttons' and the text's font when unskinned.
TModalResult SkinMessageBox(const std::string& caption, const std::string& text, TskMessageButtons buttons,
    TskSkinData* frame_skin, TskSkinData* control_skin, const TFont* font = nullptr);

} // namespace lt
