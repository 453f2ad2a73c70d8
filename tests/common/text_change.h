// Where two texts differ: the bytes taken out of the first and those put in their place, once the
// longest common start and end are set aside.
#pragma once

#include <algorithm>
#include <string_view>

namespace tintora {

struct TextChange {
    std::string_view removed, added;
};

inline TextChange ChangeBetween(std::string_view before, std::string_view after) {
    const std::size_t head =
        std::mismatch(before.begin(), before.end(), after.begin(), after.end()).first -
        before.begin();
    std::size_t tail = 0;
    while (tail < before.size() - head && tail < after.size() - head &&
           before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) {
        ++tail;
    }
    return {before.substr(head, before.size() - head - tail),
            after.substr(head, after.size() - head - tail)};
}

}  // namespace tintora
