// Small integer helpers, once: division that rounds down, for negative
// numbers too (C++'s / rounds toward zero), and its partner that rounds up;
// the test for an ASCII digit, and the length of a run of digits.
// Standard library only.
//   abrunden(7, 2) == 3, abrunden(-7, 2) == -4; aufrunden(-7, 2) == -3
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace ganzzahl {

// b > 0.
constexpr std::int64_t abrunden(std::int64_t a, std::int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
constexpr std::int64_t aufrunden(std::int64_t a, std::int64_t b) { return -abrunden(-a, b); }

// An ASCII digit (not a locale's idea of one).
constexpr bool ziffer(char c) { return c >= '0' && c <= '9'; }
// How many digits stand in t from ab on.
constexpr std::size_t ziffernAb(std::string_view t, std::size_t ab)
{
    std::size_t n = ab;
    while (n < t.size() && ziffer(t[n]))
        ++n;
    return n - ab;
}

static_assert(abrunden(7, 2) == 3 && abrunden(-7, 2) == -4 && abrunden(-8, 2) == -4 && aufrunden(-7, 2) == -3 &&
              aufrunden(7, 2) == 4);

}  // namespace ganzzahl
