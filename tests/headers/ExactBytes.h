#pragma once
// Test data copied into a heap block of exactly its size, so that the
// address sanitizer stops any read one byte past it.

#include <cstdint>
#include <cstring>
#include <memory>
#include <random>
#include <string>

class ExactBytes {
public:
    explicit ExactBytes(const std::string& s) : m_size(s.size()), m_data(new uint8_t[s.size() ? s.size() : 1])
    {
        std::memcpy(m_data.get(), s.data(), s.size());
    }
    const uint8_t* data() const { return m_data.get(); }
    size_t size() const { return m_size; }

private:
    size_t m_size;
    std::unique_ptr<uint8_t[]> m_data;
};

// Every cut of `s`, then `rounds` copies with one to four bytes changed,
// from a fixed seed; `check` runs on each.
template <class Check>
void Mutations(const std::string& s, int rounds, Check check)
{
    for (size_t n = 0; n <= s.size(); ++n)
        check(ExactBytes(s.substr(0, n)));
    std::mt19937 rng(20261209);
    for (int r = 0; r < rounds && !s.empty(); ++r) {
        std::string m = s;
        for (int k = rng() % 4; k >= 0; --k) {
            const uint32_t special[] = {0x00, 0xFF, 0x7F, 0x80, 0x01};
            const uint32_t v = rng() % 2 ? special[rng() % 5] : rng();
            m[rng() % m.size()] = static_cast<char>(v);
        }
        check(ExactBytes(m));
    }
}
