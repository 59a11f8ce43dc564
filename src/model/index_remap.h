#pragma once
// Old 1-based table position to new 1-based position, used to rewrite references after a sort or
// an import. Entries are recorded as (new, old) pairs and then finalised into the lookup.

#include <vector>

namespace pw {

class Prompts;

class IndexRemap {
public:
    // `prompts` shows the message for an out-of-range position; none shows nothing.
    explicit IndexRemap(int size, Prompts* prompts = nullptr);

    int size() const { return size_; }
    // Records that new position `newPosition` holds what was at `oldPosition`.
    void remap(int newPosition, int oldPosition);
    void finalize();
    // The new position of `oldPosition`; 0 when none was recorded or it is outside 1..size.
    int lookup(int oldPosition) const;

private:
    int size_;
    Prompts* prompts_;
    std::vector<int> oldForNew_;
    std::vector<int> newForOld_;
};

} // namespace pw
