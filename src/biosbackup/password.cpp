// The archive password, kept in the executable only in scrambled form.
#include "biosbackup/backup_core.h"

#include <array>

namespace {

template <std::size_t N>
consteval std::array<unsigned char, N> Scramble(const char (&plain)[N]) {
    static_assert(N - 1 <= kMaxPasswordBytes, "the archive password holds at most 14 bytes");
    std::array<unsigned char, N> scrambled{};
    for (std::size_t i = 0; i < N; ++i) scrambled[i] = static_cast<unsigned char>(plain[i]) ^ PasswordKey(i);
    return scrambled;
}

// Evaluated by the compiler: only the scrambled bytes reach the executable.
constexpr auto kScrambledPassword = Scramble("q7Vx!Lm2@Kp9#e");

}  // namespace

void UnscramblePassword(char* out) {
    for (std::size_t i = 0; i < kScrambledPassword.size(); ++i) {
        out[i] = static_cast<char>(kScrambledPassword[i] ^ PasswordKey(i));
    }
}
