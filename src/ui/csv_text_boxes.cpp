// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/csv_text_boxes.h"

#include <QCheckBox>

namespace pw::ui {

RadioCsvOptions CsvTextBoxes::options() const
{
    RadioCsvOptions options;
    options.charset = ascii->isChecked() ? ExportCharset::Ascii : ExportCharset::Windows1252;
    options.noNames = noNames->isChecked();
    return options;
}

} // namespace pw::ui
