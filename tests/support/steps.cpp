#include "tests/support/steps.h"

namespace support {
namespace {

// Blank-separated words; a word in double quotes keeps its blanks ("" is the empty word).
std::vector<std::string> Words(const DataLine& line, std::string_view text) {
    std::vector<std::string> words;
    for (std::size_t at = text.find_first_not_of(' '); at != std::string_view::npos;
         at = text.find_first_not_of(' ', at)) {
        std::size_t end = text.find(' ', at);
        if (text[at] == '"') {
            end = text.find("\" ", at + 1);
            if (end == std::string_view::npos && text.size() > at + 1 && text.back() == '"') end = text.size() - 1;
            if (end == std::string_view::npos) throw DataError(line, "a quote that does not end");
            words.push_back(Decode(text.substr(at + 1, end - at - 1)));
            at = end + 1;
            continue;
        }
        words.push_back(Decode(text.substr(at, end == std::string_view::npos ? end : end - at)));
        at = end;
    }
    return words;
}

}  // namespace

Steps& Steps::Add(std::string name, Form form, std::size_t count, Action action) {
    m_steps.push_back({std::move(name), form, count, std::move(action)});
    return *this;
}

void Steps::Run(const DataLine& line) const {
    const Step* step = nullptr;
    for (const Step& candidate : m_steps) {
        const std::string_view text = line.text;
        const bool named = text.starts_with(candidate.name) &&
                           (text.size() == candidate.name.size() || text[candidate.name.size()] == ' ');
        if (named && (!step || candidate.name.size() > step->name.size())) step = &candidate;
    }
    if (!step) throw DataError(line, "no step is called so: \"" + line.text + "\"");
    const std::string_view rest = std::string_view(line.text).substr(std::min(line.text.size(), step->name.size() + 1));
    Arguments arguments;
    if (step->form == Form::Rest) {
        std::size_t at = 0;
        for (std::size_t i = 1; i < step->count; ++i) {
            if (at >= rest.size())
                throw DataError(line, step->name + " needs " + std::to_string(step->count) + " arguments");
            const std::size_t end = std::min(rest.find(' ', at), rest.size());
            arguments.push_back(Decode(rest.substr(at, end - at)));
            at = end + 1;
        }
        arguments.push_back(Decode(rest.substr(std::min(at, rest.size()))));
    } else {
        arguments = Words(line, rest);
        const bool fits = step->form == Form::Words ? arguments.size() == step->count : arguments.size() >= step->count;
        if (!fits) {
            throw DataError(line, step->name + " takes " + std::to_string(step->count) + " arguments, not " +
                                      std::to_string(arguments.size()));
        }
    }
    step->action(arguments);
}

}  // namespace support
