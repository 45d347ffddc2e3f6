#pragma once
// The stored skin built from assets/skin at build time: its compressed block
// exactly as the main window's skin component holds it. Defined by the
// lt_skin_stored library.

#include <cstdint>
#include <span>

namespace lt {

std::span<const std::uint8_t> EmbeddedSkinBlock();

}  // namespace lt
