#include "platform/win/system_time_zone.h"

SystemTimeZone::SystemTimeZone() : m_zone{} {
    // Without a zone the times stay as they are: UTC.
    if (GetTimeZoneInformation(&m_zone) == TIME_ZONE_ID_INVALID) m_zone = {};
}

LocalTime SystemTimeZone::ToLocal(std::uint64_t fileTime) const {
    // Offsets change on a minute's start, so a minute is converted whole.
    constexpr std::uint64_t kTicksPerMinute = 600'000'000;
    if (fileTime / kTicksPerMinute == m_minute) return m_local;
    const FILETIME time{static_cast<DWORD>(fileTime & 0xFFFFFFFF), static_cast<DWORD>(fileTime >> 32)};
    SYSTEMTIME utc;
    SYSTEMTIME local;
    // The zone is only read; the call's parameter is not const in older headers.
    auto* zone = const_cast<TIME_ZONE_INFORMATION*>(&m_zone);
    if (!FileTimeToSystemTime(&time, &utc) || !SystemTimeToTzSpecificLocalTime(zone, &utc, &local)) return {};
    m_minute = fileTime / kTicksPerMinute;
    m_local = {local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute};
    return m_local;
}
