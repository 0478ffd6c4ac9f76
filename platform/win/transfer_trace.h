#pragma once

// Where the time of a transfer goes, for the benchmark's breakdown (program_bench --breakdown). Switched on when the
// environment variable LISTORA_TRACE names a file: the marks and steps of each transfer are then kept and written
// there, one line each, when the transfer has ended. Otherwise nothing is kept or written, and a step costs the test
// of one pointer.
namespace transfer_trace {
// Times what runs from its construction to its end under `label`, a literal. Steps of one label are summed into one
// line (the first start, the last end, how many, their time in all) unless `each` gives every one a line of its own.
class Step {
public:
    explicit Step(const char* label, bool each = false);
    ~Step();
    Step(const Step&) = delete;
    Step& operator=(const Step&) = delete;

private:
    const char* m_label;
    bool m_each;
    long long m_start = 0;
};

inline void Mark(const char* label) { const Step step(label, true); }

// Writes what was kept to the file and forgets it: "first last count total label", in seconds of the performance
// counter, which every process reads alike.
void Write();
}  // namespace transfer_trace
