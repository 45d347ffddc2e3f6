// The skin messages reach the forms: the skin data's own form first, then
// every other form, synchronously, with the skin data and lParam 1000.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/forms.h"
#include "platform/desktop.h"
#include "platform/headless.h"
#include "tests/skin/skin_fixture.h"

namespace lt::test {
namespace {

struct Heard {
    std::string form;
    unsigned message;
    bool data_empty;
};

class ListeningForm : public TForm {
public:
    ListeningForm(TComponent* owner, std::string name, std::vector<Heard>& log)
        : TForm(owner), name_(std::move(name)), log_(log)
    { }

protected:
    LResult WndProc(Message& m) override
    {
        if (m.msg >= SKM_BEFORECHANGE && m.msg <= SKM_AFTERCHANGE) {
            EXPECT_EQ(m.lparam, kSkinMessageLParam);
            log_.push_back({name_, m.msg, reinterpret_cast<TskSkinData*>(m.wparam)->Empty});
            return 0;
        }
        return TForm::WndProc(m);
    }

private:
    std::string name_;
    std::vector<Heard>& log_;
};

TEST(FormBroadcast, OwnerFormFirstThenEveryOtherForm)
{
    VirtualClock clock;
    EventLoop loop{clock};
    HeadlessBackend backend{{800, 600}};
    Desktop desktop{loop, backend};
    TApplication app{desktop};
    std::vector<Heard> log;
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

} // namespace
} // namespace lt::test
