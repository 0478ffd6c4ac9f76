#include "tests/support/data_file.h"

#include <cctype>
#include <fstream>
#include <set>
#include <sstream>

namespace support {
namespace {

bool IsHexDigit(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }

std::string Trimmed(std::string_view text) {
    const std::size_t begin = text.find_first_not_of(' ');
    if (begin == std::string_view::npos) return "";
    return std::string(text.substr(begin, text.find_last_not_of(' ') + 1 - begin));
}

}  // namespace

std::string Decode(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.substr(i, 2) == "\\x" && i + 3 < text.size() && IsHexDigit(text[i + 2]) && IsHexDigit(text[i + 3])) {
            out += static_cast<char>(std::stoi(std::string(text.substr(i + 2, 2)), nullptr, 16));
            i += 3;
            continue;
        }
        const std::size_t close = text[i] == '{' ? text.find('}', i) : std::string_view::npos;
        const std::string_view inner =
            close == std::string_view::npos ? std::string_view() : text.substr(i + 1, close - i - 1);
        if (inner == "tab") {
            out += '\t';
            i = close;
        } else if (inner.size() >= 3 && inner[1] == '*' && std::isdigit(static_cast<unsigned char>(inner[2]))) {
            out.append(std::stoul(std::string(inner.substr(2))), inner[0]);
            i = close;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::vector<DataLine> ReadDataLines(const std::string& name) {
    std::ifstream in(std::string(LISTORA_TEST_DATA) + "/" + name, std::ios::binary);
    if (!in) throw DataError({name, 0, ""}, "cannot be read");
    std::vector<DataLine> lines;
    int number = 0;
    for (std::string text; std::getline(in, text);) {
        ++number;
        if (!text.empty() && text.back() == '\r') text.pop_back();
        if (text.empty() || text[0] == '#') continue;
        lines.push_back({name, number, text});
    }
    if (lines.empty()) throw DataError({name, number, ""}, "holds nothing to check");
    return lines;
}

std::vector<std::string> Fields(std::string_view text) {
    std::vector<std::string> fields;
    for (std::size_t begin = 0;;) {
        const std::size_t end = text.find(" | ", begin);
        std::string field = Trimmed(text.substr(begin, end == std::string_view::npos ? end : end - begin));
        if (field.size() >= 2 && field.front() == '"' && field.back() == '"') field = field.substr(1, field.size() - 2);
        fields.push_back(Decode(field));
        if (end == std::string_view::npos) return fields;
        begin = end + 3;
    }
}

long long Number(const DataLine& line, const std::string& text) {
    std::istringstream in(text);
    long long value = 0;
    if (!(in >> value) || !in.eof()) throw DataError(line, "\"" + text + "\" is not a number");
    return value;
}

std::vector<DataCase> ReadCases(const std::vector<std::string>& names, std::string_view header) {
    std::vector<DataCase> cases;
    std::set<std::string> testNames;
    for (const std::string& name : names) {
        std::vector<DataLine> lines;
        try {
            lines = ReadDataLines(name);
        } catch (const DataError& error) {
            cases.push_back({name, {}, {}, error.what(), {}});
            continue;
        }
        std::vector<DataLine> common;
        const std::size_t first = cases.size();
        for (const DataLine& line : lines) {
            if (!line.text.starts_with(header)) {
                (cases.size() == first ? common : cases.back().lines).push_back(line);
                continue;
            }
            const std::string caseName = line.text.substr(header.size(), line.text.find(']') - header.size());
            cases.push_back({caseName, {}, {}, "", line});
            if (caseName.empty()) cases.back().error = line.Where() + ": a case without a name";
            if (!testNames.insert(TestName(caseName)).second) {
                cases.back().name += " " + std::to_string(line.number);
                cases.back().error = line.Where() + ": a second case named \"" + caseName + "\"";
            }
        }
        if (cases.size() == first)
            cases.push_back({name, {}, {}, name + ": no case starts with \"" + std::string(header) + "\"", {}});
        for (std::size_t i = first; i < cases.size(); ++i) cases[i].common = common;
    }
    return cases;
}

std::string TestName(std::string_view name) {
    std::string out;
    for (const char c : name) {
        if (std::isalnum(static_cast<unsigned char>(c))) {
            out += c;
        } else if (!out.empty() && out.back() != '_') {
            out += '_';
        }
    }
    if (!out.empty() && out.back() == '_') out.pop_back();
    return out.empty() ? "unnamed" : out;
}

const std::map<std::string, int>& ResourceIds() {
    static const std::map<std::string, int> ids = [] {
        // The system's own buttons, which the templates use too.
        std::map<std::string, int> read = {{"IDOK", 1}, {"IDCANCEL", 2}};
        std::ifstream in(LISTORA_RESOURCE_HEADER);
        for (std::string line; std::getline(in, line);) {
            std::istringstream words(line);
            std::string define, name, value;
            if (words >> define >> name >> value && define == "#define") read[name] = std::stoi(value, nullptr, 0);
        }
        return read;
    }();
    return ids;
}

int ResourceId(const DataLine& line, const std::string& name) {
    const auto found = ResourceIds().find(name);
    if (found == ResourceIds().end()) throw DataError(line, "resource.h defines no " + name);
    return found->second;
}

}  // namespace support
