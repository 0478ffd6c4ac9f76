#pragma once

#include <chrono>
#include <thread>

// Time as the transfer sees it: read to pace its work, and waited on when
// the clipboard is busy.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::chrono::milliseconds Now() = 0;
    virtual void Wait(std::chrono::milliseconds duration) = 0;
};

class SteadyClock : public Clock {
public:
    std::chrono::milliseconds Now() override {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now().time_since_epoch());
    }
    void Wait(std::chrono::milliseconds duration) override { std::this_thread::sleep_for(duration); }
};
