#pragma once

#include <QtGlobal>
#include <array>

// The icon edges in pixels a launcher window is drawn at, smallest first. The editor offers
// all but the largest, which only a stored row can hold; a stored edge outside the list is
// laid out at the default.
inline constexpr std::array<int, 5> IconSizes{32, 48, 64, 100, 128};
inline constexpr int DefaultIconSize = 48;

// The place of an edge in IconSizes; -1 for any other.
constexpr int IconSizeIndex(qint64 size) {
    for (size_t i = 0; i < IconSizes.size(); ++i)
        if (IconSizes[i] == size)
            return int(i);
    return -1;
}
