// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "-" in place of a file: standard input for a file that a command reads, standard output for a
// file that it writes. The commands and the operations under them work on paths, so standard
// input is kept in a scratch file that stands in for "-", and an output named "-" is written to a
// scratch file whose content goes to standard output once the command has written it.

#include "platform/scratch_directory.h"

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <stdexcept>
#include <string>
#include <system_error>

namespace pw::cli {

inline constexpr const char* StandardStreamName = "-";

// Standard input was empty or closed: a command given "-" has nothing to read.
struct NoStandardInput : std::runtime_error {
    NoStandardInput() : std::runtime_error("standard input: no input") {}
};

class StandardStreamFiles {
public:
    StandardStreamFiles(std::istream& in, std::ostream& out) : in_(in), out_(out) {}

    // The path to read for a file argument. Standard input is read at the first "-"; a second
    // "-" of the same command would find it used up and is refused with std::invalid_argument.
    // Ends with NoStandardInput when it is empty or closed, and with std::system_error when it
    // cannot be kept.
    std::string input(const std::string& argument);

    // The path to write for a file argument; for "-", the scratch file that deliver() copies to
    // standard output. Only one output of a command can be standard output.
    std::string output(const std::string& argument);

    // True once an output has been routed to standard output: messages must then keep off it.
    bool outputIsStandardOutput() const { return outputFile_.has_value(); }

    // Copies the output written for "-" to standard output, when the command wrote it. False with
    // `error` set when standard output could not take it.
    bool deliver(std::error_code& error);

    // The name to show for a path that input() or output() returned: "standard input" or
    // "standard output" for the scratch files, the path itself otherwise.
    std::string shownName(const std::filesystem::path& path) const;

private:
    const std::filesystem::path& scratch();

    std::istream& in_;
    std::ostream& out_;
    ScratchDirectory directory_;
    std::optional<std::filesystem::path> inputFile_;
    std::optional<std::filesystem::path> outputFile_;
};

} // namespace pw::cli
