// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/index_remap.h"

#include <string>

namespace pw {

IndexRemap::IndexRemap(int size)
    : size_(size < 0 ? 0 : size),
      oldForNew_(static_cast<std::size_t>(size_) + 1, 0), newForOld_(static_cast<std::size_t>(size_) + 1, 0)
{
}

void IndexRemap::remap(int newPosition, int oldPosition)
{
    if (newPosition < 1 || newPosition > size_) {
        problems_.push_back("Invalid remapped element value " + std::to_string(newPosition) + " passed (size = " +
                            std::to_string(size_) + ")");
        return;
    }
    oldForNew_[static_cast<std::size_t>(newPosition)] = oldPosition;
}

void IndexRemap::finalize()
{
    for (int j = 1; j <= size_; ++j) {
        const int k = oldForNew_[static_cast<std::size_t>(j)];
        if (k >= 1 && k <= size_)
            newForOld_[static_cast<std::size_t>(k)] = j;
    }
}

int IndexRemap::lookup(int oldPosition) const
{
    if (oldPosition < 1 || oldPosition > size_)
        return 0;
    return newForOld_[static_cast<std::size_t>(oldPosition)];
}

} // namespace pw
