// Listora.exe as the benchmarks work it from another process, in one of two ways. Started at a folder: its transfer
// button clicked, done when the main window takes input again (the listing is then on the clipboard). Browsed as a
// person does: started with no arguments, each folder of the way from "c:\" double-clicked in the folder list, then
// the preset chosen, a short text of this process put on the clipboard, the button clicked, and done when the
// progress window is no longer visible (polled every 5 ms).
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

// Preset 1 as the registry keeps it. Plain: sub-folders down to the bottom of every tree, paths relative to the start.
// Rich adds line numbers (six digits with zeros, ":" and a blank after), sizes and full folder headers. The user's:
// one level of sub-folders, relative paths, numbered as rich is.
enum class Preset { Plain, Rich, User };
inline const char* Name(Preset preset) {
    return preset == Preset::Plain ? "plain" : preset == Preset::Rich ? "rich" : "user";
}
inline void WritePreset(Preset preset) {
    ForgetPresets();
    const bool rich = preset == Preset::Rich, numbered = preset != Preset::Plain;
    const std::pair<const char*, const char*> values[] = {{"DEF_SUB_FOLDER", "100"},
                                                          {"DEF_SUB_NUMBER_01", preset == Preset::User ? "1" : "9"},
                                                          {"DEF_FOLDER_CHECK", "100"},
                                                          {"DEF_FOLDER_COMB", rich ? "100" : "000"},
                                                          {"DEF_LINENUMBER", numbered ? "100" : "000"},
                                                          {"DEF_SEP_TYPE", "100"},
                                                          {"DEF_NUMBERLEN_01", "6"},
                                                          {"DEF_ZERO_CHECK", "100"},
                                                          {"DEF_SEP_BEFORE_01", "0"},
                                                          {"DEF_SEP_AFTER_01", "1"},
                                                          {"DEF_FILE_SIZE", rich ? "100" : "000"}};
    for (const auto& [name, value] : values) SetRawPreset(name, REG_SZ, value);
}

// Listora.exe, started at `folder` ("C:\\..."), or browsed there.
struct Session {
    explicit Session(const std::string& folder, bool browse = false)
        : program(Program::Beside("Listora.exe"), browse ? std::string() : "\"" + folder + "\""), browsed(browse) {
        main = MainWindow(milliseconds(30000));
        const auto shows = [&](const std::string& path) {
            return Poll([&] { return Text(::GetDlgItem(main, IDC_PATH)) == path; }, 30);
        };
        std::string path = browse ? "c:" : folder;  // the browser starts in "c:\"
        for (std::size_t from = 3; main && browse && from < folder.size();) {
            const std::size_t end = std::min(folder.find('\\', from), folder.size());
            const std::string name = folder.substr(from, end - from);
            const HWND list = ::GetDlgItem(main, IDC_FOLDER_LIST);
            const int index = FindListItem(list, name);
            if (index >= 0) DoubleClickListItem(list, index);
            path += "\\" + name;
            from = end + 1;
            if (index < 0 || !shows(path)) main = nullptr;
        }
        if (main && !browse && !shows(path)) main = nullptr;
    }

    // The progress window over the main window, once it is there.
    HWND Progress() const { return OwnedWindow(main); }

    // One transfer: its seconds from the click less the start delay and the listing's bytes; with `countStatus`
    // the status line's changes a second instead of the seconds. `during` is asked again and again meanwhile.
    std::optional<std::pair<double, std::size_t>> Transfer(
        bool countStatus = false, const std::function<void()>& during = [] {}) {
        if (browsed) {
            Click(::GetDlgItem(main, IDC_PRESET1));
            if (!SetClipboardText("listora bench")) return std::nullopt;
        }
        clicked = Clock::now();
        Click(::GetDlgItem(main, IDOK));
        HWND progress = nullptr;
        const milliseconds every(browsed ? 5 : 1);
        const auto begun = [&] { return browsed ? (progress = Progress()) != nullptr : !::IsWindowEnabled(main); };
        if (!WaitUntil(begun, milliseconds(30000), every)) return std::nullopt;
        std::string shown;
        std::size_t changes = 0;
        HWND status = nullptr;
        const bool ended = WaitUntil(
            [&] {
                if (countStatus && !status) status = ::GetDlgItem(Progress(), IDC_STATUS);
                if (status && Text(status) != shown) shown = Text(status), ++changes;
                during();
                return browsed ? !::IsWindowVisible(progress) : ::IsWindowEnabled(main) != FALSE;
            },
            milliseconds(600000), every);
        const double seconds = Since(clicked) - kStartDelaySeconds;
        if (!ended) return std::nullopt;
        return std::pair(countStatus ? changes / seconds : seconds, ClipboardText().value_or("").size());
    }

    Program program;
    bool browsed;
    HWND main = nullptr;
    Clock::time_point clicked;  // the last transfer's click
};
}  // namespace bench
