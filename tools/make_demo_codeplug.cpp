// Writes the demo codeplug that the README's run command opens: an MD-380 file named as a demo,
// filled with a few contacts, channels and lists so that every tab has something to show.
// It is for trying Plugwright out, not for a radio.

#include "codeplug/codeplug.h"
#include "support/fixture_builder.h"

#include <cstdio>
#include <filesystem>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_demo_codeplug OUT.rdt\n");
        return 2;
    }
    const std::filesystem::path out = argv[1];
    pw::test::FixtureOptions options;
    options.radioName = "DEMO NOT A RADIO";
    options.radioDmrId = 1234567;
    pw::test::writeFixture(out, pw::Md380Format, options);

    pw::Codeplug codeplug;
    if (!codeplug.open(out) || !codeplug.decode()) {
        std::fprintf(stderr, "the demo codeplug does not open\n");
        return 1;
    }
    const struct {
        std::uint32_t id;
        const char* name;
        pw::CallType type;
    } contacts[] = {
        {91, "Worldwide", pw::CallType::GroupCall},
        {3100, "USA Nationwide", pw::CallType::GroupCall},
        {9, "Local", pw::CallType::GroupCall},
        {9998, "Parrot", pw::CallType::PrivateCall},
        {0xFFFFFF, "All Call", pw::CallType::AllCall},
    };
    for (const auto& c : contacts) {
        pw::Contact contact(pw::Md380Format);
        contact.setName(c.name);
        contact.setDmrId(c.id);
        contact.setCallType(c.type);
        codeplug.addContact(contact);
    }
    codeplug.encode();
    if (!codeplug.save(out)) {
        std::fprintf(stderr, "cannot write %s\n", out.c_str());
        return 1;
    }
    return 0;
}
