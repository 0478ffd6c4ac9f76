#pragma once
// The steps of a scripted case (the clipboard scenarios, the sessions with Listora.exe): one vocabulary that knows each
// step's name and how many arguments it takes, and rejects every other line.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/data_file.h"

namespace support {

class Steps {
public:
    using Arguments = std::vector<std::string>;
    using Action = std::function<void(const Arguments&)>;

    // How a step's arguments follow its name, after one blank.
    enum class Form {
        Words,     // exactly `count` words
        Rest,      // `count` - 1 words, then the rest of the line as one argument (it may hold blanks, or be empty)
        AnyWords,  // any number of words, `count` at least
    };

    // `name` may have blanks ("other program writes"); a line takes the longest name it starts with. Every argument
    // is decoded (see Decode).
    Steps& Add(std::string name, Form form, std::size_t count, Action action);

    // Runs the step `line` names; an unknown step or a wrong number of arguments throws, naming the line.
    void Run(const DataLine& line) const;

private:
    struct Step {
        std::string name;
        Form form;
        std::size_t count;
        Action action;
    };
    std::vector<Step> m_steps;
};

}  // namespace support
