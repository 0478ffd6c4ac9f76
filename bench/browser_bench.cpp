// How long the main window takes to open a big folder. The real main
// dialog runs in this process; the folder (10,000 files and a few
// sub-folders) is chosen in the folder list and opened as a double click
// opens it, then left again. "filled" is the time until both lists hold the
// folder's entries; "painted" until both lists have drawn them as well
// (each visible item asks the shell for its icon).

#include <objbase.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/listora_session.h"
#include "browser/win/main_dialog.h"
#include "resources/resource.h"
#include "tests/support/driver.h"

namespace {
using bench::Median;
using Clock = std::chrono::steady_clock;

constexpr int kFiles = 10000;
constexpr int kFolders = 10;
constexpr int kRuns = 7;
constexpr UINT kRun = WM_APP + 1;

double Since(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

class BenchDialog : public MainDialog {
public:
    explicit BenchDialog(std::string tree) : m_tree(std::move(tree)) {}

    std::vector<double> filled;
    std::vector<double> painted;
    bool ok = false;

protected:
    BOOL OnInitDialog() override {
        const BOOL result = MainDialog::OnInitDialog();
        ::PostMessageA(m_hWnd, kRun, 0, 0);
        return result;
    }
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != kRun) return MainDialog::OnMessage(message, wParam, lParam);
        ok = Open(m_tree, false) && Measure();
        EndDialog(IDCANCEL);
        return TRUE;
    }

private:
    HWND List(int id) const { return GetDlgItem(id); }

    // Selects `name` in the folder list and opens it as a double click does.
    bool Open(const std::string& name, bool timed) {
        const LRESULT index =
            ::SendMessageA(List(IDC_FOLDER_LIST), LB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(name.c_str()));
        if (index < 0) return false;
        ::SendMessageA(List(IDC_FOLDER_LIST), LB_SETCURSEL, index, 0);
        const Clock::time_point start = Clock::now();
        ::SendMessageA(m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_FOLDER_LIST, LBN_DBLCLK),
                       reinterpret_cast<LPARAM>(List(IDC_FOLDER_LIST)));
        const double fill = Since(start);
        ::UpdateWindow(List(IDC_FOLDER_LIST));
        ::UpdateWindow(List(IDC_FILE_LIST));
        if (timed) {
            filled.push_back(fill);
            painted.push_back(Since(start));
        }
        return true;
    }

    bool Measure() {
        for (int run = 0; run < kRuns; ++run) {
            if (!Open("big", true)) return false;
            if (::SendMessageA(List(IDC_FILE_LIST), LB_GETCOUNT, 0, 0) != kFiles) return false;
            if (!Open("..", false)) return false;
        }
        return true;
    }

    std::string m_tree;
};
}  // namespace

int main() {
    const support::TestTree tree("bench-browser");
    tree.AddFolder("big");
    // Appended rather than added: i686 GCC 12 takes "literal" + string here for an overlapping copy.
    for (int i = 0; i < kFolders; ++i) tree.AddFolder(std::string("big\\folder").append(std::to_string(i)));
    for (int i = 0; i < kFiles; ++i) tree.AddFile("big\\file" + std::to_string(i) + ".txt");

    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    BenchDialog dialog(tree.Name());
    dialog.DoModal();
    ::CoUninitialize();
    if (!dialog.ok) {
        std::fprintf(stderr, "browser_bench: could not open %s\n", tree.PathOf("big").c_str());
        return 1;
    }
    std::printf("open a folder of %d files and %d folders in the main window (%d runs, under Wine):\n", kFiles,
                kFolders, kRuns);
    std::printf("  both lists filled:  median %.0f ms, worst %.0f ms\n", Median(dialog.filled),
                *std::max_element(dialog.filled.begin(), dialog.filled.end()));
    std::printf("  both lists painted: median %.0f ms, worst %.0f ms\n", Median(dialog.painted),
                *std::max_element(dialog.painted.begin(), dialog.painted.end()));
    return 0;
}
