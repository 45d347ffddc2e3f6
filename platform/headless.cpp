#include "platform/headless.h"

#include "gfx/png.h"

namespace lt {

HeadlessBackend::HeadlessBackend(Size screen) : screen_(screen), work_area_(Rect::from_size(screen))
{ }

// ---------------------------------------------------------------- injected input

void HeadlessBackend::push(Event e)
{
    {
        std::lock_guard lock(mutex_);
        events_.push_back(std::move(e));
    }
    woken_.notify_all();
}

void HeadlessBackend::mouse_move(Point p)
{
    push({Event::Move, p});
}
void HeadlessBackend::mouse_down(Point p, MouseButton b)
{
    push({Event::Down, p, b});
}
void HeadlessBackend::mouse_up(Point p, MouseButton b)
{
    push({Event::Up, p, b});
}

void HeadlessBackend::click(Point p, MouseButton b)
{
    mouse_move(p);
    mouse_down(p, b);
    mouse_up(p, b);
}

void HeadlessBackend::wheel(Point p, int delta)
{
    push({Event::Wheel, p, MouseButton::Left, delta});
}
void HeadlessBackend::key_down(int vk, bool repeat)
{
    push({Event::KeyDown, {}, MouseButton::Left, vk, repeat});
}
void HeadlessBackend::key_up(int vk)
{
    push({Event::KeyUp, {}, MouseButton::Left, vk});
}

void HeadlessBackend::key(int vk)
{
    key_down(vk);
    key_up(vk);
}

void HeadlessBackend::type(const std::string& utf8)
{
    push({Event::Text, {}, MouseButton::Left, 0, false, utf8});
}

void HeadlessBackend::compose(const std::string& utf8, int cursor_chars)
{
    push({Event::Compose, {}, MouseButton::Left, cursor_chars, false, utf8});
}

void HeadlessBackend::commit(const std::string& utf8)
{
    push({Event::Commit, {}, MouseButton::Left, 0, false, utf8});
}

// ---------------------------------------------------------------- what reached the screen

const Bitmap& HeadlessBackend::presented(const Window& top) const
{
    static const Bitmap none;
    auto it = presented_.find(&top);
    return it == presented_.end() ? none : it->second;
}

int HeadlessBackend::present_count(const Window& top) const
{
    auto it = present_counts_.find(&top);
    return it == present_counts_.end() ? 0 : it->second;
}

void HeadlessBackend::snapshot_window(const Window& top, const std::string& png_path) const
{
    save_png_file(png_path, presented(top));
}

void HeadlessBackend::snapshot_screen(Desktop& desktop, const std::string& png_path) const
{
    save_png_file(png_path, desktop.compose_screen());
}

// ---------------------------------------------------------------- Backend

void HeadlessBackend::native_create(Window& top)
{
    presented_[&top];
}

void HeadlessBackend::native_destroy(Window& top)
{
    presented_.erase(&top);
    present_counts_.erase(&top);
    minimized_.erase(&top);
    if (native_focus_ == &top)
        native_focus_ = nullptr;
}

void HeadlessBackend::native_show(Window& top, bool)
{
    minimized_.erase(&top);
}
void HeadlessBackend::native_minimize(Window& top)
{
    minimized_.insert(&top);
}
void HeadlessBackend::native_set_title(Window&)
{ }
void HeadlessBackend::native_set_bounds(Window&, const Rect&)
{ }
void HeadlessBackend::native_set_shape(Window&, const Region*)
{ }
void HeadlessBackend::native_restack(const std::vector<Window*>&)
{ }
void HeadlessBackend::native_focus(Window& top)
{
    native_focus_ = &top;
}

void HeadlessBackend::present(Window& top, const Bitmap& image, const Rect& dirty)
{
    Bitmap& shown = presented_[&top];
    if (shown.size() != image.size())
        shown = image;
    else
        shown.copy_from(image, dirty, dirty.top_left());
    ++present_counts_[&top];
}

bool HeadlessBackend::pump(Desktop& desktop)
{
    bool any = false;
    for (;;) {
        Event e;
        {
            std::lock_guard lock(mutex_);
            if (events_.empty())
                break;
            e = std::move(events_.front());
            events_.pop_front();
        }
        any = true;
        desktop.loop().run_guarded([&] {
            switch (e.kind) {
            case Event::Move:
                desktop.input_mouse_move(e.at);
                break;
            case Event::Down:
                desktop.input_mouse_button(e.button, true, e.at);
                break;
            case Event::Up:
                desktop.input_mouse_button(e.button, false, e.at);
                break;
            case Event::Wheel:
                desktop.input_mouse_wheel(e.value, e.at);
                break;
            case Event::KeyDown:
                desktop.input_key(e.value, true, e.repeat);
                break;
            case Event::KeyUp:
                desktop.input_key(e.value, false);
                break;
            case Event::Text:
                desktop.input_text(e.text);
                break;
            case Event::Compose:
                desktop.input_composition(e.text, e.value);
                break;
            case Event::Commit:
                desktop.input_commit(e.text);
                break;
            }
        });
    }
    return any;
}

void HeadlessBackend::wait(int timeout_ms)
{
    std::unique_lock lock(mutex_);
    auto ready = [&] { return !events_.empty() || wake_flag_; };
    if (timeout_ms < 0)
        woken_.wait(lock, ready);
    else
        woken_.wait_for(lock, std::chrono::milliseconds(timeout_ms), ready);
    wake_flag_ = false;
}

void HeadlessBackend::wake()
{
    {
        std::lock_guard lock(mutex_);
        wake_flag_ = true;
    }
    woken_.notify_all();
}

} // namespace lt
