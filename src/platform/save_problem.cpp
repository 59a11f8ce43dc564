// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/save_problem.h"

#include <string>

namespace pw {
namespace {

class SaveProblemCategory final : public std::error_category {
public:
    const char* name() const noexcept override { return "save"; }
    std::string message(int value) const override
    {
        switch (static_cast<SaveProblem>(value)) {
        case SaveProblem::ReadOnly:
            return "the file is read-only";
        case SaveProblem::ChangedOnDisk:
            return "the file was changed by another program since it was opened";
        case SaveProblem::NotRegularFile:
            return "not a regular file";
        case SaveProblem::Busy:
            return "another program is saving the file";
        }
        return "unknown save problem";
    }
};

} // namespace

const std::error_category& saveProblemCategory()
{
    static const SaveProblemCategory category;
    return category;
}

} // namespace pw
