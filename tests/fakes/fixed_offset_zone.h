#pragma once

#include <chrono>

#include "engine/file_time_zone.h"

// A zone without daylight saving, nine hours ahead of UTC as Japan's.
struct FixedOffsetZone : FileTimeZone {
    LocalTime ToLocal(std::uint64_t fileTime) const override {
        using namespace std::chrono;
        constexpr seconds kFrom1601To1970{11644473600};
        const sys_seconds time{seconds(fileTime / 10'000'000) - kFrom1601To1970 + hours(9)};
        const sys_days day = floor<days>(time);
        const year_month_day date(day);
        const hh_mm_ss clock(time - day);
        return {static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
                static_cast<int>(static_cast<unsigned>(date.day())), static_cast<int>(clock.hours().count()),
                static_cast<int>(clock.minutes().count())};
    }
};
