// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/open_failure.h"

#include "codeplug/codeplug.h"

#include <system_error>

namespace pw {

OpenFailure whyNotOpened(const Codeplug& codeplug, const std::filesystem::path& path)
{
    if (const auto problem = codeplug.readProblem())
        return {true, problem.message()};
    std::error_code error;
    if (std::filesystem::file_size(path, error) == 0 && !error)
        return {false, "the file is empty"};
    return {false, "not a codeplug file of any known format"};
}

std::string whyNotDecoded(const std::vector<std::string>& messages, const Codeplug& codeplug)
{
    std::string reason;
    for (const auto& message : messages)
        reason += (reason.empty() ? "" : "; ") + message;
    if (!reason.empty())
        return reason;
    // The log's lines end in CR LF; the last one tells where reading stopped.
    std::string_view log = codeplug.errorLogText();
    while (!log.empty() && (log.back() == '\n' || log.back() == '\r'))
        log.remove_suffix(1);
    const auto lineStart = log.find_last_of('\n');
    std::string_view last = lineStart == std::string_view::npos ? log : log.substr(lineStart + 1);
    constexpr std::string_view ErrorMark = "Error: ";
    if (last.starts_with(ErrorMark))
        last.remove_prefix(ErrorMark.size());
    if (!last.empty())
        return std::string(last);
    return "it holds no contacts or channels that can be read";
}

std::string openFailureText(const char* headline, const std::string& path, const std::string& reason)
{
    return std::string(headline) + "\r\n" + path + ": " + reason;
}

} // namespace pw
