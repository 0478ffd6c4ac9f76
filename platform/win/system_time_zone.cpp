#include "platform/win/system_time_zone.h"

SystemTimeZone::SystemTimeZone() : m_zone{} {
    // Without a zone the times stay as they are: UTC.
    if (GetTimeZoneInformation(&m_zone) == TIME_ZONE_ID_INVALID) m_zone = {};
}

LocalTime SystemTimeZone::ToLocal(std::uint64_t fileTime) const {
    const FILETIME time{static_cast<DWORD>(fileTime & 0xFFFFFFFF), static_cast<DWORD>(fileTime >> 32)};
    SYSTEMTIME utc;
    SYSTEMTIME local;
    // The zone is only read; the call's parameter is not const in older headers.
    auto* zone = const_cast<TIME_ZONE_INFORMATION*>(&m_zone);
    if (!FileTimeToSystemTime(&time, &utc) || !SystemTimeToTzSpecificLocalTime(zone, &utc, &local)) return {};
    return {local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute};
}
