// What every simulated driver function shares: bounded access to the caller's
// structure and the common start of a call.
#pragma once

#include "model.h"

#include <cstring>
#include <initializer_list>

namespace sim {

// A caller's structure: its version word's size bounds every access.
class Block {
public:
    explicit Block(void* p) : m_p(static_cast<std::uint8_t*>(p)), m_size(p ? Word() & 0xFFFF : 0) {}
    std::uint32_t Word() const {
        std::uint32_t w;
        std::memcpy(&w, m_p, 4);
        return w;
    }
    template <class T>
    T Get(std::size_t offset) const {
        T value{};
        if (offset + sizeof(T) <= m_size) std::memcpy(&value, m_p + offset, sizeof(T));
        return value;
    }
    template <class T>
    void Set(std::size_t offset, T value) {
        if (offset + sizeof(T) <= m_size) std::memcpy(m_p + offset, &value, sizeof(T));
    }
    bool Bit(std::size_t offset, std::uint32_t bit) const { return (Get<std::uint8_t>(offset + bit / 8) >> (bit % 8)) & 1; }
    void SetBit(std::size_t offset, std::uint32_t bit) {
        Set<std::uint8_t>(offset + bit / 8, static_cast<std::uint8_t>(Get<std::uint8_t>(offset + bit / 8) | (1u << (bit % 8))));
    }

private:
    std::uint8_t* m_p;
    std::uint32_t m_size;
};

// The count a board reports for `what`: the scenario's false one, or the true one.
inline std::uint32_t Reported(const Board& board, const char* what, std::size_t actual) {
    const auto it = board.reported.find(what);
    return it != board.reported.end() ? it->second : static_cast<std::uint32_t>(actual);
}

// Counts the call, logs it and answers an injected fault; true when the fault answers.
bool Intercept(std::uint32_t id, const void* block, int& status);

// The common start of a board call: counted and logged, an injected fault, the
// board behind the handle and the structure version. False with the status to answer.
bool Enter(std::uint32_t id, void* gpu, void* block, std::initializer_list<std::uint32_t> versions, Board*& board,
           int& status);

// The same for calls without a versioned structure (single values, names).
bool EnterPlain(std::uint32_t id, void* gpu, Board*& board, int& status);

}  // namespace sim
