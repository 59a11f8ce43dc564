// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The problems found by the latest decode: lines ending in CR LF, and a count of problems.
// Some lines are written without being counted, so the count is kept apart from the text.

#include <string>
#include <string_view>

namespace pw {

class ErrorLog {
public:
    // Appends a line (its CR LF included by the caller) and counts it as one problem.
    void add(std::string_view line)
    {
        text_ += line;
        ++count_;
    }
    // Appends text without counting a problem.
    void note(std::string_view text) { text_ += text; }
    void addToCount(int problems) { count_ += problems; }
    void setCount(int problems) { count_ = problems; }
    void clear()
    {
        text_.clear();
        count_ = 0;
    }
    const std::string& text() const { return text_; }
    int count() const { return count_; }

private:
    std::string text_;
    int count_ = 0;
};

} // namespace pw
