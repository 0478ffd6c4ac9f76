#pragma once

#include <cstdint>

// A moment as the user's clock shows it.
struct LocalTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;

    bool operator==(const LocalTime&) const = default;
};

// Turns a file's time as the file system keeps it (FoundEntry::lastWrite)
// into the user's local time, daylight saving as it was on that day.
class FileTimeZone {
public:
    virtual ~FileTimeZone() = default;
    virtual LocalTime ToLocal(std::uint64_t fileTime) const = 0;
};
