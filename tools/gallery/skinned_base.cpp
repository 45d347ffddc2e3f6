// The skinned page's first section: bare skinned controls of the control
// base bound to the stored skin's stretchable objects, showing how each
// resize mode fits a control to its skin.

#include "skinned/skin_control.h"
#include "tools/gallery/skinned_page.h"

namespace lt::gallery {
namespace {

const SectionRegistration base_section{"control base", 0, {300, 120}, [](SectionContext& s) {
                                           s.Add<TskSkinCustomControl>("panel", 4, 4, 140, 60);
                                           s.Add<TskSkinCustomControl>("groupbox", 150, 4, 140, 60);
                                           s.Add<TskSkinCustomControl>("button", 4, 70, 121, 25);
                                           s.Add<TskSkinCustomControl>("statuspanel", 130, 70, 160, 25);
                                       }};

} // namespace
} // namespace lt::gallery
