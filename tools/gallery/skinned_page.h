#pragma once
// The gallery's skinned page: a form bound to the stored skin that shows
// every skinned control family in its states. Each family contributes one
// section from a file of its own (tools/gallery/skinned_<family>.cpp):
//
//   static const lt::gallery::SectionRegistration reg{
//       "buttons", 10, {400, 120}, [](lt::gallery::SectionContext& s) {
//           auto* b = s.Add<lt::TskSkinButton>("button", 8, 8, 121, 25);
//           ...
//       }};
//
// Sections are laid out in order of their rank, left to right, wrapping at
// the page's width; each gets a host control of its declared size.

#include <functional>
#include <string>
#include <vector>

#include "forms/controls.h"
#include "forms/forms.h"
#include "gfx/geometry.h"
#include "skin/skin_data.h"
#include "text/cp936.h"

namespace lt::gallery {

// What a section builder gets: its host (a plain control of the declared
// size), the page's form (the owner of every control) and the skin data.
struct SectionContext {
    TWinControl* host = nullptr;
    TForm* form = nullptr;
    TskSkinData* data = nullptr;

    // A control of type T on `parent` (the host when null), with the bounds
    // given, bound to the skin object `name` (empty: left unskinned).
    template <class T>
    T* Add(const std::string& name, int left, int top, int width, int height, TWinControl* parent = nullptr)
    {
        auto* c = new T(form);
        c->SetParent(parent ? parent : host);
        c->SetBounds(left, top, width, height);
        if (!name.empty()) {
            c->SetSkinDataName(name);
            c->SetSkinData(data);
        }
        return c;
    }
    // A control that is not skinned (plain framework controls).
    template <class T>
    T* AddPlain(int left, int top, int width, int height, TWinControl* parent = nullptr)
    {
        auto* c = new T(form);
        c->SetParent(parent ? parent : host);
        c->SetBounds(left, top, width, height);
        return c;
    }
};

struct Section {
    std::string name;
    int rank = 0;
    Size size;
    std::function<void(SectionContext&)> build;
};

// Registers a section at start-up (from a static object in its file).
struct SectionRegistration {
    SectionRegistration(std::string name, int rank, Size size, std::function<void(SectionContext&)> build);
};

// Every registered section, in rank order.
std::vector<Section> Sections();

// Code page 936 text from UTF-8 source literals.
inline std::string cp(const char* utf8)
{
    return utf8_to_cp936(utf8);
}

// Builds the skinned page as a form of the application and returns it.
TForm* CreateSkinnedPage(TApplication& app);

} // namespace lt::gallery
