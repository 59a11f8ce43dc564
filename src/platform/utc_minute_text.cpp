// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/utc_minute_text.h"

#include <cstdio>

namespace pw {

std::string utcMinuteText(std::chrono::system_clock::time_point time)
{
    using namespace std::chrono;
    const auto day = floor<days>(time);
    const year_month_day date(day);
    const hh_mm_ss clock(floor<minutes>(time - day));
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u %02d:%02d UTC", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                  static_cast<int>(clock.hours().count()), static_cast<int>(clock.minutes().count()));
    return text;
}

} // namespace pw
