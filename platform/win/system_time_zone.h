#pragma once

#include <windows.h>

#include "engine/file_time_zone.h"

// A file's time as Explorer shows it: converted with the rules of a time
// zone (SystemTimeToTzSpecificLocalTime), so a summer date gets summer time
// even in winter.
class SystemTimeZone : public FileTimeZone {
public:
    // The user's time zone, as it is now.
    SystemTimeZone();
    explicit SystemTimeZone(const TIME_ZONE_INFORMATION& zone) : m_zone(zone) {}
    // A time the system cannot convert gives all zeros.
    LocalTime ToLocal(std::uint64_t fileTime) const override;

private:
    TIME_ZONE_INFORMATION m_zone;
    // The last minute converted: files written together share it, and the
    // conversion is not cheap.
    mutable std::uint64_t m_minute = ~std::uint64_t{0};
    mutable LocalTime m_local;
};
