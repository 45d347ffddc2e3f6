// The skin messages reach the forms: the skin data's own form first, then
// every other form, synchronously, with the skin data and lParam 1000. After
// a failed load every form is repainted, frame included.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/forms.h"
#include "gfx/canvas.h"
#include "platform/desktop.h"
#include "platform/headless.h"
#include "skin/skin_package.h"
#include "skinned/form_broadcast.h"
#include "tests/skin/skin_fixture.h"

namespace lt::test {
namespace {

struct Heard {
    std::string form;
    unsigned message;
    bool data_empty;
};

// Stands in for a skinned frame: while its skin data is Changing it paints
// no default frame (fuchsia here shows the gap), and it repaints at once when
// a load begins, the way a frame drops the pictures that are about to go.
class ListeningForm : public TForm {
public:
    ListeningForm(TComponent* owner, std::string name, std::vector<Heard>& log)
        : TForm(owner), name_(std::move(name)), log_(log)
    { }
    TskSkinData* data = nullptr;

protected:
    LResult WndProc(Message& m) override
    {
        if (m.msg >= SKM_BEFORECHANGE && m.msg <= SKM_AFTERCHANGE) {
            EXPECT_EQ(m.lparam, kSkinMessageLParam);
            log_.push_back({name_, m.msg, skin_message_data(m)->Empty});
            if (m.msg == SKM_BEFORECHANGE && data && HandleAllocated()) {
                WindowHandle()->invalidate();
                WindowHandle()->update();
            }
            return 0;
        }
        if (m.msg == WM_NCPAINT && data && data->Changing) {
            message_canvas(m).fill_rect(message_canvas(m).clip_box(), clFuchsia);
            return 0;
        }
        return TForm::WndProc(m);
    }

private:
    std::string name_;
    std::vector<Heard>& log_;
};

class FormBroadcast : public ::testing::Test {
protected:
    FormBroadcast() { SetSkinMessageBroadcaster(&FormsSkinBroadcaster()); }
    ~FormBroadcast() override { SetSkinMessageBroadcaster(nullptr); }

    VirtualClock clock;
    EventLoop loop{clock};
    HeadlessBackend backend{{800, 600}};
    Desktop desktop{loop, backend};
    TApplication app{desktop};
    std::vector<Heard> log;
};

TEST_F(FormBroadcast, OwnerFormFirstThenEveryOtherForm)
{
    auto* first = new ListeningForm(&app, "first", log);
    auto* owner = new ListeningForm(&app, "owner", log);
    auto* last = new ListeningForm(&app, "last", log);
    (void)first;
    (void)last;

    TskCompressedStoredSkin stored(owner);
    stored.SetCompressedData(Compress(Package({})));
    TskSkinData data(owner);
    data.SetCompressedStoredSkin(&stored);

    std::vector<std::string> order;
    for (const Heard& h : log)
        order.push_back(h.form + ":" + std::to_string(h.message));
    EXPECT_EQ(order,
        (std::vector<std::string>{"owner:1225", "first:1225", "last:1225", "owner:1226", "first:1226", "last:1226",
            "owner:1227", "first:1227", "last:1227"}));
    EXPECT_TRUE(log.front().data_empty);
    EXPECT_FALSE(log.back().data_empty);
}

// A frame that stopped painting for the load paints again once the load
// has failed: no window is left without its frame.
TEST_F(FormBroadcast, FailedLoadRepaintsEveryFormWithItsFrame)
{
    auto* a = new ListeningForm(&app, "a", log);
    auto* b = new ListeningForm(&app, "b", log);
    TskSkinData data(a);
    a->data = b->data = &data;
    a->SetBounds(10, 10, 200, 150);
    b->SetBounds(300, 10, 200, 150);
    a->Show();
    b->Show();
    desktop.paint_all();
    const Pixel frame = backend.presented(*a->Handle()).pixel(1, 1);
    ASSERT_NE(frame, to_pixel(clFuchsia));

    TskCompressedStoredSkin bad(nullptr);
    bad.SetCompressedData({1, 2, 3});
    EXPECT_THROW(data.LoadCompressedSkin(&bad), EDecompressionError);
    for (ListeningForm* f : {a, b})
        EXPECT_EQ(backend.presented(*f->Handle()).pixel(1, 1), to_pixel(clFuchsia)) << "no frame while loading";
    EXPECT_FALSE(data.Changing);
    EXPECT_TRUE(data.Empty);
    EXPECT_EQ(log.size(), 2u) << "SKM_BEFORECHANGE only";

    desktop.paint_all();
    for (ListeningForm* f : {a, b})
        EXPECT_EQ(backend.presented(*f->Handle()).pixel(1, 1), frame);
}

} // namespace
} // namespace lt::test
