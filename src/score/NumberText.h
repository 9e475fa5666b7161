#pragma once
// Numbers become text the way the game's BASIC heritage prints them: a blank where a plus sign
// would be, so " 3" for 3 and "-3" for -3.
#include <string>

inline std::string NumberText(long long value) {
    return value < 0 ? std::to_string(value) : " " + std::to_string(value);
}
