#pragma once
// The stored skin built from assets/skin at build time: its compressed block
// exactly as the main window's skin component holds it. Defined by the
// lt_skin_stored library.

#include <cstdint>
#include <span>

#include "skin/skin_data.h"

namespace lt {

std::span<const std::uint8_t> EmbeddedSkinBlock();

// Gives a stored-skin component the embedded block and the name of the
// description it was built from, as the main window's form resource does.
inline void AssignEmbeddedSkin(TskCompressedStoredSkin& stored)
{
    stored.FileName = "skin.ini";
    stored.SetCompressedData({EmbeddedSkinBlock().begin(), EmbeddedSkinBlock().end()});
}

// A skin data owned by `owner` with the embedded skin loaded, through a
// stored-skin component of the same owner (the data's CompressedStoredSkin),
// as the main window holds the two.
inline TskSkinData* NewEmbeddedSkinData(TComponent* owner)
{
    auto* stored = new TskCompressedStoredSkin(owner);
    AssignEmbeddedSkin(*stored);
    auto* data = new TskSkinData(owner);
    data->SetCompressedStoredSkin(stored);
    return data;
}

} // namespace lt
