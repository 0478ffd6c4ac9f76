#pragma once
// The data files of worked examples (tests/data): one strict reader for every harness, native and under Wine.
// Whatever a harness does not understand fails the case, naming the file and the line.

#include <map>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace support {

// \xNN is the byte NN, {tab} a tab, {c*N} the character c N times; everything else stands for itself.
std::string Decode(std::string_view text);

// A line of a data file that is neither blank nor a comment ("#" first), as written.
struct DataLine {
    std::string file;  // the file's name below the data folder
    int number = 0;    // counted from 1
    std::string text;

    std::string Where() const { return file + ":" + std::to_string(number); }
};

// A line the harness cannot read; its message starts with "file:line: ".
struct DataError : std::runtime_error {
    DataError(const DataLine& line, const std::string& why) : std::runtime_error(line.Where() + ": " + why) {}
};

// The lines of `name` (below the data folder); a file that is missing or holds nothing throws.
std::vector<DataLine> ReadDataLines(const std::string& name);

// "a | b | c": each field trimmed of blanks (double quotes keep them: "" is the empty text), then decoded.
std::vector<std::string> Fields(std::string_view text);

// A number that is the whole of `text`; anything else throws, naming the line.
long long Number(const DataLine& line, const std::string& text);

// A case of a data file: its header's name, its own lines and the lines the file gives every case (those before the
// first header). A case that cannot even be found (a missing file, a name used twice) carries the reason in `error`.
struct DataCase {
    std::string name;
    std::vector<DataLine> common;
    std::vector<DataLine> lines;
    std::string error;
    DataLine header;  // the line that begins it
};

// How a failing parameterised test shows its case.
inline void PrintTo(const DataCase& dataCase, std::ostream* out) { *out << dataCase.name; }

// The cases of each file: a line starting with `header` (as "[case " or "example ") begins one, named by the rest
// of the line up to "]" or the end.
std::vector<DataCase> ReadCases(const std::vector<std::string>& names, std::string_view header);

// The case's name as a test name: letters and digits kept, every other run of characters one "_".
std::string TestName(std::string_view name);

// The control and command ids that resources/resource.h defines, by name.
const std::map<std::string, int>& ResourceIds();

// The id of `name`; a name resource.h does not define throws, naming the line.
int ResourceId(const DataLine& line, const std::string& name);

}  // namespace support
