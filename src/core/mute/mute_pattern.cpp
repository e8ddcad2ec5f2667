#include "mute/mute_pattern.h"

namespace velmorin {

SilentRange silentRange(MuteState pattern, int b) {
    const int q1 = (b + 2) / 4;
    const int h = (b + 1) / 2;
    const int q3 = (3 * b + 2) / 4;
    switch (pattern) {
        case 1:
            return {0, q1};
        case 2:
            return {0, h};
        case 3:
            return {0, q3};
        case 4:
            return {0, b};
        case 5:
            return {q3, b};
        case 6:
            return {h, b};
        case 7:
            return {q1, b};
        default:
            return {0, 0};
    }
}

}  // namespace velmorin
