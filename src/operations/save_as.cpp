// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/save_as.h"

#include "codeplug/tyt/tyt_codec.h"
#include "model/letter_case.h"
#include "platform/file_io.h"

#include <filesystem>

namespace pw {
namespace {

// No vendor file or image is larger than an MD-UV380-layout file and its slack.
constexpr std::size_t TemplateReadLimit = 64u << 20;

const tyt::TytCodec* tytCodecOf(const Codeplug& codeplug)
{
    if (!codeplug.loaded() || codeplug.family() != FormatFamily::TytFamily)
        return nullptr;
    return dynamic_cast<const tyt::TytCodec*>(&codeplug.codec());
}

ConvertedCodeplug refused(std::string why) { return {nullptr, std::move(why), false}; }

} // namespace

std::optional<tyt::FileForm> fileFormOf(const Codeplug& codeplug)
{
    const auto* codec = tytCodecOf(codeplug);
    return codec ? std::optional(codec->form()) : std::nullopt;
}

std::optional<tyt::FileForm> formOfFileName(const std::string& path)
{
    const auto extension = std::filesystem::path(path).extension().string();
    if (equalsIgnoringCase(extension, ".img") || equalsIgnoringCase(extension, ".bin"))
        return tyt::FileForm::RadioImage;
    if (equalsIgnoringCase(extension, ".rdt"))
        return tyt::FileForm::VendorFile;
    return std::nullopt;
}

ConvertedCodeplug convertToForm(Codeplug& codeplug, const FormRequest& request)
{
    if (!tytCodecOf(codeplug))
        return refused("only codeplugs of the TYT family (MD-380, MD-2017, MD-UV380 and their relatives) have a "
                       "radio image and an .rdt form");
    codeplug.encode();
    const auto& codec = *tytCodecOf(codeplug);
    const auto memory = codec.radioMemory();

    std::vector<std::uint8_t> bytes;
    if (request.form == tyt::FileForm::RadioImage) {
        bytes = memory;
    } else if (!request.templatePath.empty()) {
        auto content = readFileBytes(request.templatePath, TemplateReadLimit);
        if (!content)
            return refused("cannot read the template " + request.templatePath + ": " +
                           readProblem(request.templatePath).message());
        auto wrapped = tyt::vendorFileFromTemplate(std::move(content.bytes), memory);
        if (!wrapped.refusal.empty())
            return refused(wrapped.refusal);
        bytes = std::move(wrapped.bytes);
    } else if (!request.model.empty()) {
        std::vector<double> frequencies;
        for (const auto& channel : codeplug.channels())
            frequencies.push_back(channel->rxFrequency());
        auto wrapped = tyt::vendorFileForModel(request.model, memory, frequencies);
        if (!wrapped.refusal.empty())
            return refused(wrapped.refusal);
        bytes = std::move(wrapped.bytes);
    } else if (codec.form() == tyt::FileForm::VendorFile) {
        auto own = codeplug.fileBytes();
        if (!own)
            return refused("the codeplug cannot be written");
        bytes = std::move(*own);
    } else {
        return {nullptr, "a radio image does not name its radio's model: give the model or a template .rdt", true};
    }

    auto converted = std::make_unique<Codeplug>();
    if (converted->openBytes(std::move(bytes)) == NoFormat || converted->family() != FormatFamily::TytFamily ||
        !converted->decode())
        return refused("the converted file does not open as a codeplug of the TYT family");
    return {std::move(converted), {}, false};
}

} // namespace pw
