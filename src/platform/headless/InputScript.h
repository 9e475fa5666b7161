#pragma once
// Scripted input for the simulator and replays. Plain text, one line per change:
//   FRAME KEY KEY ...   from that loop frame on exactly these keys are held
// Keys: Z X SHIFT ESC LEFT RIGHT UP DOWN U KP2 KP4 KP6 KP8, or a virtual-key number; "-" for
// none. "#" starts a comment.
#include <map>
#include <set>
#include <string>

struct InputScript {
    std::map<long long, std::set<int>> Changes; // frame -> keys held from then on
    std::string Error;                          // empty when the text parsed

    static InputScript Parse(const std::string& text);
};

// Virtual-key code of a key name, or -1.
int KeyCodeByName(const std::string& name);
