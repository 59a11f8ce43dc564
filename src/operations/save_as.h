// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Saving a TYT codeplug in the other form: the radio image that dmrconfig and md380tools read and
// write (the memory alone), or the vendor software's .rdt, whose wrapping is taken from a template
// .rdt or written for a model. The conversion makes a new codeplug of the new file, decoded as an
// open would decode it; saving that writes the file.

#include "codeplug/codeplug.h"
#include "codeplug/tyt/tyt_file_forms.h"

#include <memory>
#include <optional>
#include <string>

namespace pw {

struct FormRequest {
    tyt::FileForm form = tyt::FileForm::VendorFile;
    // A vendor .rdt whose every byte but the memory the result takes; empty for none.
    std::string templatePath;
    // The model whose vendor blank the wrapping is written as (tyt::VendorModels); empty for none.
    std::string model;
};

struct ConvertedCodeplug {
    // The codeplug of the new file, decoded; none when the conversion was refused.
    std::unique_ptr<Codeplug> codeplug;
    std::string refusal;
    // A radio image was to become a vendor file with neither a template nor a model to wrap it.
    bool needsModel = false;
};

// The form `codeplug` is in: only TYT codeplugs have one.
std::optional<tyt::FileForm> fileFormOf(const Codeplug& codeplug);

// `codeplug` (of the TYT family) as a file of the requested form. A vendor file asked for without
// a template or a model keeps the wrapping it has; a radio image has none to keep.
ConvertedCodeplug convertToForm(Codeplug& codeplug, const FormRequest& request);

// The form a file name asks for: a radio image for ".img" and ".bin", a vendor file for ".rdt"
// (letter case ignored); nothing for any other name.
std::optional<tyt::FileForm> formOfFileName(const std::string& path);

// The input box that asks which model's .rdt an image becomes.
inline constexpr const char* ModelQuestionTitle = "Radio Model";
inline constexpr const char* ModelQuestion =
    "A radio image does not name its radio's model. Write the .rdt file for which model?\r\n"
    "(MD-380, MD-390, MD-UV380, MD-UV390, MD-2017 or MD-9600)";

} // namespace pw
