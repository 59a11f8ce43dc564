#include "cli/cli_session.h"

#include "cli/text_encoding.h"

#include <charconv>

namespace pw::cli {

std::unique_ptr<Codeplug> CliSession::openCodeplug(const std::string& path)
{
    auto codeplug = std::make_unique<Codeplug>();
    if (!codeplug->open(path))
        fail(OpenFailedMessage);
    const int decoded = codeplug->decode();
    for (const auto& message : codeplug->takeMessages())
        prompts_.error(message);
    if (!decoded)
        fail(NoValidDataMessage);
    return codeplug;
}

void CliSession::saveIfChanged(Codeplug& codeplug, const std::string& path)
{
    if (!codeplug.changed())
        return;
    const auto& target = outputPath_.empty() ? path : outputPath_;
    if (!codeplug.save(target))
        fail(SaveFailedMessage);
}

void CliSession::addOutputOption(CLI::App& command)
{
    command.add_option("-o,--output", outputPath_, "Save the changed codeplug here instead of over FILE");
}

void CliSession::fail(const std::string& message)
{
    err_ << ConsolePrompts::printable(message) << std::flush;
    throw CommandExit{ExitFailed};
}

std::optional<std::vector<int>> parseRows(std::string_view text)
{
    std::vector<int> rows;
    auto number = [](std::string_view part, int& value) {
        const auto* end = part.data() + part.size();
        const auto result = std::from_chars(part.data(), end, value);
        return result.ec == std::errc() && result.ptr == end && value >= 1;
    };
    while (!text.empty()) {
        const auto comma = text.find(',');
        const auto part = text.substr(0, comma);
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
        const auto dash = part.find('-');
        int first = 0;
        int last = 0;
        if (dash == std::string_view::npos) {
            if (!number(part, first))
                return std::nullopt;
            last = first;
        } else if (!number(part.substr(0, dash), first) || !number(part.substr(dash + 1), last) || last < first) {
            return std::nullopt;
        }
        // A range of more rows than any table holds is a mistake, not a request.
        if (last - first > 1'000'000)
            return std::nullopt;
        for (int row = first; row <= last; ++row)
            rows.push_back(row);
    }
    if (rows.empty())
        return std::nullopt;
    return rows;
}

namespace {
std::vector<CommandRegistrar>& registrars()
{
    static std::vector<CommandRegistrar> all;
    return all;
}
} // namespace

CommandRegistration::CommandRegistration(CommandRegistrar registrar)
{
    registrars().push_back(std::move(registrar));
}

const std::vector<CommandRegistrar>& CommandRegistration::all()
{
    return registrars();
}

} // namespace pw::cli
