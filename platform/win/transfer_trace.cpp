#include "platform/win/transfer_trace.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace transfer_trace {
namespace {
struct Record {
    const char* label;
    bool each;
    long long first, last, total;
    long count;
};

const char* const g_file = std::getenv("LISTORA_TRACE");
std::vector<Record> g_records;

long long Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}
}  // namespace

Step::Step(const char* label, bool each) : m_label(label), m_each(each) {
    if (g_file) m_start = Now();
}

Step::~Step() {
    if (!g_file) return;
    const long long end = Now();
    for (Record& record : g_records) {
        if (!m_each && !record.each && record.label == m_label) {
            record.last = end;
            record.total += end - m_start;
            ++record.count;
            return;
        }
    }
    g_records.push_back({m_label, m_each, m_start, end, end - m_start, 1});
}

void Write() {
    if (!g_file) return;
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    const double tick = 1.0 / static_cast<double>(frequency.QuadPart);
    if (FILE* file = std::fopen(g_file, "w")) {
        for (const Record& record : g_records) {
            std::fprintf(file, "%.6f %.6f %ld %.6f %s\n", record.first * tick, record.last * tick, record.count,
                         record.total * tick, record.label);
        }
        std::fclose(file);
    }
    g_records.clear();
}
}  // namespace transfer_trace
