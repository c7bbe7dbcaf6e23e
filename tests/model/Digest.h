#pragma once
// FNV-1a over the bits of results: a digest that a change of any bit changes, so that the x87's
// results, taken once on x86, can be checked on processors without one.
#include <bit>
#include <cstdint>
#include <string>

class Digest {
public:
    // The low `bytes` bytes of `word`, least significant first.
    void Add(std::uint64_t word, int bytes = 8) {
        for (int i = 0; i < bytes; ++i)
            AddByte(static_cast<unsigned char>(word >> (8 * i)));
    }
    void Add(double value) { Add(std::bit_cast<std::uint64_t>(value)); }
    void Add(const std::string& text) {
        for (const char c : text)
            AddByte(static_cast<unsigned char>(c));
        Add(std::uint64_t{text.size()});
    }
    std::uint64_t Value() const { return value_; }

private:
    void AddByte(unsigned char byte) { value_ = (value_ ^ byte) * 0x100000001B3; }

    std::uint64_t value_ = 0xCBF29CE484222325;
};
