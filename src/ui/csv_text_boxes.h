// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two choices of a radio CSV file's texts that the ID database exporter and the fit page both
// offer: plain ASCII, and the callsign without the name, city and state.

#include "iddb/id_export.h"

class QCheckBox;

namespace pw::ui {

struct CsvTextBoxes {
    QCheckBox* ascii = nullptr;
    QCheckBox* noNames = nullptr;

    // The options as the boxes say.
    RadioCsvOptions options() const;
};

} // namespace pw::ui
