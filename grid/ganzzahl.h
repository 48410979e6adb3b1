// Integer division that rounds down, for negative numbers too (C++'s /
// rounds toward zero), and its partner that rounds up. Standard library only.
//   abrunden(7, 2) == 3, abrunden(-7, 2) == -4; aufrunden(-7, 2) == -3
#pragma once

#include <cstdint>

namespace ganzzahl {

// b > 0.
constexpr std::int64_t abrunden(std::int64_t a, std::int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
constexpr std::int64_t aufrunden(std::int64_t a, std::int64_t b) { return -abrunden(-a, b); }

static_assert(abrunden(7, 2) == 3 && abrunden(-7, 2) == -4 && abrunden(-8, 2) == -4 && aufrunden(-7, 2) == -3 &&
              aufrunden(7, 2) == 4);

}  // namespace ganzzahl
