// The button behaviour as one table: a sequence of events in, the state
// (hot, drawn down) and the number of clicks out.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/button_behavior.h"

namespace lt {
namespace {

enum Ev { Press, PressOut, MoveIn, MoveOut, Release, ReleaseOut, Leave, KeyDown, KeyUp, Disable, Enable, Cancel };

const char* name(Ev e)
{
    static const char* names[] = {"press", "press-outside", "move-in", "move-out", "release", "release-outside",
        "leave", "key-down", "key-up", "disable", "enable", "cancel"};
    return names[e];
}

struct Row {
    std::vector<Ev> events;
    bool hot, down;
    int clicks;
};

TEST(ButtonBehavior, EventSequencesGiveStateAndClicks)
{
    const Row rows[] = {
        // Mouse.
        {{Press}, true, true, 0},
        {{Press, Release}, true, false, 1},
        {{Press, Release, Press, Release}, true, false, 2},
        {{Press, MoveOut}, false, false, 0},
        {{Press, MoveOut, ReleaseOut}, false, false, 0},
        {{Press, MoveOut, MoveIn}, true, true, 0},
        {{Press, MoveOut, MoveIn, Release}, true, false, 1},
        {{Press, Leave, MoveIn, Release}, true, false, 1},
        {{PressOut, Release}, true, false, 0},
        {{MoveIn}, true, false, 0},
        {{MoveIn, Leave}, false, false, 0},
        // Keys (the owner decides which ones press).
        {{KeyDown}, false, true, 0},
        {{KeyDown, KeyUp}, false, false, 1},
        {{KeyDown, KeyDown, KeyDown, KeyUp}, false, false, 1},
        {{KeyUp}, false, false, 0},
        // Mouse and key never share a press: the first one owns it.
        {{Press, KeyDown, KeyUp}, true, true, 0},
        {{Press, KeyDown, KeyUp, Release}, true, false, 1},
        {{KeyDown, Press, Release, KeyUp}, true, false, 1},
        // Disabling mid-press clears it: nothing stays drawn down, nothing clicks.
        {{Press, Disable, Release, Enable}, false, false, 0},
        {{Press, Disable, Enable}, false, false, 0},
        {{Press, Disable, Enable, Release}, true, false, 0},
        {{KeyDown, Disable, Enable, KeyUp}, false, false, 0},
        {{Disable, Press, Release}, false, false, 0},
        {{Disable, MoveIn, KeyDown, KeyUp}, false, false, 0},
        // Cancel-mode and lost capture take the press away; the pointer stays where it is.
        {{Press, Cancel}, true, false, 0},
        {{Press, Cancel, Release}, true, false, 0},
        {{Press, Cancel, MoveOut, MoveIn, Release}, true, false, 0},
        {{KeyDown, Cancel, KeyUp}, false, false, 0},
        {{Press, Cancel, Press, Release}, true, false, 1},
    };
    for (const Row& row : rows) {
        std::string seq;
        ButtonBehavior b;
        int clicks = 0;
        for (Ev e : row.events) {
            seq += std::string(seq.empty() ? "" : ", ") + name(e);
            switch (e) {
            case Press:
                b.on_press(true);
                break;
            case PressOut:
                b.on_press(false);
                break;
            case MoveIn:
                b.on_move(true);
                break;
            case MoveOut:
                b.on_move(false);
                break;
            case Release:
                clicks += b.on_release(true);
                break;
            case ReleaseOut:
                clicks += b.on_release(false);
                break;
            case Leave:
                b.on_leave();
                break;
            case KeyDown:
                b.on_key_down();
                break;
            case KeyUp:
                clicks += b.on_key_up();
                break;
            case Disable:
                b.set_enabled(false);
                break;
            case Enable:
                b.set_enabled(true);
                break;
            case Cancel:
                b.on_cancel();
                break;
            }
        }
        EXPECT_EQ(b.hot(), row.hot) << seq;
        EXPECT_EQ(b.down(), row.down) << seq;
        EXPECT_EQ(clicks, row.clicks) << seq;
        EXPECT_FALSE(b.down() && !b.held()) << seq << ": drawn down with no press held";
    }
}

} // namespace
} // namespace lt
