#pragma once
// Small packages built in memory for the loader tests, and a recorder of
// skin messages.

#include <cstdint>
#include <string>
#include <vector>

#include "skin/skin_data.h"

namespace lt::test {

// A 2 x 2 24-bit bitmap file image.
std::vector<std::uint8_t> TinyBmp(std::uint8_t shade = 0x80);

struct PackageSpec {
    std::int32_t version = 3;
    bool picture = true, inactive = false, mask = false;
    int active_count = 1;
    std::string description = "[SKINOBJECTS]\r\ncount=1\r\n0=caption:caption\r\n[caption]\r\nfontheight=16\r\n";
};
std::vector<std::uint8_t> Package(const PackageSpec& pkg);
std::vector<std::uint8_t> Compress(const std::vector<std::uint8_t>& package);

class MessageRecorder : public SkinMessageBroadcaster {
public:
    MessageRecorder() : previous_(GetSkinMessageBroadcaster()) { SetSkinMessageBroadcaster(this); }
    ~MessageRecorder() override { SetSkinMessageBroadcaster(previous_); }
    void BroadcastSkinMessage(TskSkinData& data, unsigned message) override
    {
        messages.push_back(message);
        empty_at_message.push_back(data.Empty);
    }
    void RepaintAfterFailedLoad(TskSkinData& data) override
    {
        ++repaints;
        changing_at_repaint = data.Changing;
    }
    std::vector<unsigned> messages;
    std::vector<bool> empty_at_message;
    int repaints = 0;
    bool changing_at_repaint = true;

private:
    SkinMessageBroadcaster* previous_;
};

} // namespace lt::test
