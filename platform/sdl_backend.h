#pragma once
// The desktop on a real display through SDL2 (X11; Wayland where SDL picks
// it). One borderless SDL window per top-level or popup window; our own
// bitmaps are copied to each window's surface. Moving and sizing, focus,
// capture, popups and modality are done by the desktop, not by a window
// manager, so the program behaves the same with or without one.

#include <memory>

#include "platform/backend.h"

namespace lt {

class SdlBackend final : public Backend {
public:
    // Initialises SDL's video (throws std::runtime_error with SDL's message
    // when there is no display).
    SdlBackend();
    ~SdlBackend() override;

    void native_create(Window& top) override;
    void native_destroy(Window& top) override;
    void native_show(Window& top, bool shown) override;
    void native_minimize(Window& top) override;
    void native_set_title(Window& top) override;
    void native_set_bounds(Window& top, const Rect& screen) override;
    void native_set_shape(Window& top, const Region* window_region) override;
    void native_restack(const std::vector<Window*>& bottom_to_top) override;
    void native_focus(Window& top) override;
    void present(Window& top, const Bitmap& image, const Rect& dirty) override;
    Rect screen_bounds() const override;
    Rect work_area() const override;
    void set_cursor(Cursor c) override;
    void set_clipboard_utf8(const std::string& text) override;
    std::string clipboard_utf8() override;
    void text_input(bool on, const Rect& caret) override;
    bool pump(Desktop& desktop) override;
    void wait(int timeout_ms) override;
    void wake() override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace lt
