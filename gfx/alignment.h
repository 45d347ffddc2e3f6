#pragma once
// Horizontal text alignment, shared by the framework's controls and the skin
// objects. Unscoped so that both `taCenter` and `TAlignment::taCenter` read.

namespace lt {

enum TAlignment : int { taLeftJustify, taRightJustify, taCenter };

} // namespace lt
