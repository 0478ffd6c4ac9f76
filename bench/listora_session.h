// Listora.exe as the benchmarks work it from another process: started at a folder, its transfer button clicked,
// done when the main window takes input again (the listing is then on the clipboard).
#pragma once

#include <algorithm>
#include <chrono>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "resources/resource.h"
#include "tests/support/driver.h"

namespace bench {
using Clock = std::chrono::steady_clock;
using namespace support;

constexpr double kStartDelaySeconds = 1.0;  // the progress window's, before the run begins

inline double Since(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// Polls every millisecond; false after `seconds`.
inline bool Poll(const std::function<bool()>& condition, double seconds) {
    return WaitUntil(condition, milliseconds(static_cast<long long>(seconds * 1000)), milliseconds(1));
}

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Preset 1 as the registry keeps it: sub-folders down to the bottom of every tree, paths relative to the start;
// `rich` adds line numbers (six digits with zeros, ":" and a blank after), sizes and full folder headers.
inline void WritePreset(bool rich) {
    ForgetPresets();
    const std::pair<const char*, const char*> values[] = {{"DEF_SUB_FOLDER", "100"},
                                                          {"DEF_SUB_NUMBER_01", "9"},
                                                          {"DEF_FOLDER_CHECK", "100"},
                                                          {"DEF_FOLDER_COMB", rich ? "100" : "000"},
                                                          {"DEF_LINENUMBER", rich ? "100" : "000"},
                                                          {"DEF_SEP_TYPE", "100"},
                                                          {"DEF_NUMBERLEN_01", "6"},
                                                          {"DEF_ZERO_CHECK", "100"},
                                                          {"DEF_SEP_BEFORE_01", "0"},
                                                          {"DEF_SEP_AFTER_01", "1"},
                                                          {"DEF_FILE_SIZE", rich ? "100" : "000"}};
    for (const auto& [name, value] : values) SetRawPreset(name, REG_SZ, value);
}

// Listora.exe, started at `folder`.
struct Session {
    explicit Session(const std::string& folder) : program(Program::Beside("Listora.exe"), "\"" + folder + "\"") {
        main = MainWindow(milliseconds(30000));
        if (main && !Poll([&] { return Text(::GetDlgItem(main, IDC_PATH)) == folder; }, 30)) main = nullptr;
    }

    // The progress window over the main window, once it is there.
    HWND Progress() const {
        for (HWND window = nullptr; (window = ::FindWindowExA(nullptr, window, nullptr, nullptr));) {
            if (::GetWindow(window, GW_OWNER) == main && ::IsWindowVisible(window)) return window;
        }
        return nullptr;
    }

    // One transfer: its seconds from the click less the start delay and the listing's bytes; with `countStatus`
    // the status line's changes a second instead of the seconds. `during` is asked again and again meanwhile.
    std::optional<std::pair<double, std::size_t>> Transfer(
        bool countStatus = false, const std::function<void()>& during = [] {}) {
        const Clock::time_point start = Clock::now();
        Click(::GetDlgItem(main, IDOK));
        if (!Poll([&] { return !::IsWindowEnabled(main); }, 30)) return std::nullopt;
        std::string shown;
        std::size_t changes = 0;
        HWND status = nullptr;
        const bool ended = Poll(
            [&] {
                if (countStatus && !status) status = ::GetDlgItem(Progress(), IDC_STATUS);
                if (status && Text(status) != shown) shown = Text(status), ++changes;
                during();
                return ::IsWindowEnabled(main) != FALSE;
            },
            600);
        const double seconds = Since(start) - kStartDelaySeconds;
        if (!ended) return std::nullopt;
        return std::pair(countStatus ? changes / seconds : seconds, ClipboardText().value_or("").size());
    }

    Program program;
    HWND main = nullptr;
};
}  // namespace bench
