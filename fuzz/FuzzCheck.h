#pragma once
// A failed check in a fuzz target: prints what differed and aborts, so that libFuzzer keeps the
// input as a finding.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

// The text with every byte outside printable ASCII as \xHH, so a finding can be read and turned
// into a test row.
inline std::string Printable(std::string_view text) {
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 32 && byte < 127 && c != '\\') {
            out += c;
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            out += escaped;
        }
    }
    return out;
}

[[noreturn]] inline void FuzzFailure(const std::string& what) {
    std::fprintf(stderr, "\nFUZZ CHECK FAILED: %s\n", what.c_str());
    std::abort();
}

#define FUZZ_CHECK(condition, what)                                                                \
    do {                                                                                           \
        if (!(condition)) FuzzFailure(what);                                                       \
    } while (false)
