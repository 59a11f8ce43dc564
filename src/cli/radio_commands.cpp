// SPDX-License-Identifier: GPL-3.0-or-later
// set-radio: the radio's name, DMR ID and vendor entry.

#include "cli/commands.h"
#include "cli/text_encoding.h"

namespace pw::cli {
namespace {

struct SetRadioArguments {
    std::string file;
    std::optional<std::string> name;
    std::optional<std::uint32_t> id;
    std::optional<int> vendor;
};

} // namespace

void addSetRadioCommand(CLI::App& app, CliSession& session)
{
    static SetRadioArguments args;
    auto* command = app.add_subcommand("set-radio", "Change the radio name, radio DMR ID or vendor entry");
    addFileArgument(*command, args.file);
    command->add_option("--name", args.name, "Radio name (16 characters at most)");
    command->add_option("--id", args.id, "Radio DMR ID");
    command->add_option("--vendor", args.vendor, "Vendor entry 1 to 4 (MD-380 family only)")
        ->check(CLI::Range(1, 4));
    session.addOutputOption(*command);
    command->callback([&session] {
        auto& codeplug = session.openCodeplug(args.file);
        if (args.vendor && !codeplug.hasFeature(feature::VendorChange))
            session.fail("Sorry, the feature you tried to\r\naccess, Radio Type, is not\r\n"
                         "yet supported for this codeplug type.");
        if (args.name)
            codeplug.setRadioName(argumentText(*args.name));
        if (args.id)
            codeplug.setRadioDmrId(*args.id);
        if (args.vendor)
            codeplug.setVendor(*args.vendor);
        session.saveIfChanged(codeplug, args.file);
        session.out() << lineText(codeplug.radioTypeText()) << '\n';
    });
}

} // namespace pw::cli
