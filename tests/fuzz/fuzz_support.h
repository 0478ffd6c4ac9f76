#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

// A broken promise ends the run as a crash, so that the fuzzer keeps the input.
#define FUZZ_REQUIRE(condition) ((condition) ? void() : FuzzFailure(#condition, __FILE__, __LINE__))

[[noreturn]] inline void FuzzFailure(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: does not hold: %s\n", file, line, condition);
    std::abort();
}

inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// The bytes cut at every NUL: a stored text ends at its first NUL, and no
// name holds one.
inline std::vector<std::string_view> Fields(std::string_view bytes) {
    std::vector<std::string_view> fields;
    for (std::size_t begin = 0, end = 0; end != std::string_view::npos; begin = end + 1) {
        end = bytes.find('\0', begin);
        fields.push_back(bytes.substr(begin, end == std::string_view::npos ? end : end - begin));
    }
    return fields;
}
