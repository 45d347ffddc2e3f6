#pragma once
// A headless desktop with one borderless form at the screen's top-left corner
// that owns the stored skin, loaded into a skin data, for the tests of the
// skinned controls. Screen, form client and window coordinates coincide.
//
//   struct MyTest : lt::test::SkinnedForm { };
//   TEST_F(MyTest, ...) {
//       auto* c = Add<TskSkinCustomControl>("panel", 10, 10, 120, 80);
//       pump();
//       Bitmap shot = Shot(c->BoundsRect());
//   }

#include <gtest/gtest.h>

#include <string>

#include "forms/forms.h"
#include "gfx/bitmap.h"
#include "platform/desktop.h"
#include "platform/headless.h"
#include "skin/embedded_skin.h"
#include "skin/skin_data.h"

namespace lt::test {

struct SkinnedForm : ::testing::Test {
    VirtualClock clock;
    EventLoop loop{clock};
    HeadlessBackend backend{{800, 600}};
    Desktop desktop{loop, backend};
    TApplication app{desktop};
    TForm* form = nullptr;
    TskCompressedStoredSkin* stored = nullptr;
    TskSkinData* data = nullptr;

    void SetUp() override
    {
        app.CreateForm(form);
        form->SetBorderStyle(TFormBorderStyle::bsNone);
        form->SetBounds(0, 0, 420, 320);
        data = NewEmbeddedSkinData(form);
        stored = data->CompressedStoredSkin();
        ASSERT_FALSE(data->Empty);
        form->Show();
        pump();
    }

    // Runs what is queued and paints.
    void pump()
    {
        loop.process_pending();
        loop.advance(0);
    }

    // The left button and the pointer at `p` (screen = form coordinates),
    // each followed by a pump; Wait lets `ms` of virtual time pass.
    void MoveTo(Point p)
    {
        backend.mouse_move(p);
        pump();
    }
    void Press(Point p)
    {
        backend.mouse_move(p);
        backend.mouse_down(p);
        pump();
    }
    void Release(Point p)
    {
        backend.mouse_move(p);
        backend.mouse_up(p);
        pump();
    }
    void Wait(int ms)
    {
        loop.advance(ms);
        pump();
    }

    // A control of type T on `parent` (the form when null), bound to the
    // skin object `name` of the stored skin, with the bounds given.
    template <class T>
    T* Add(const std::string& name, int left, int top, int width, int height, TWinControl* parent = nullptr)
    {
        auto* c = new T(form);
        c->SetParent(parent ? parent : form);
        c->SetBounds(left, top, width, height);
        c->SetSkinDataName(name);
        c->SetSkinData(data);
        return c;
    }

    // What the form's window shows in `r` (form client coordinates).
    Bitmap Shot(const Rect& r) const
    {
        const Bitmap* image = desktop.image(*form->WindowHandle());
        return image ? image->copy(r) : Bitmap();
    }

    // The stored skin's picture `index`.
    const Bitmap& Picture(int index) const { return *data->ActivePicture(index); }
};

} // namespace lt::test
