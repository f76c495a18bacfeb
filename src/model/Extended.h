#pragma once

#include <cfloat>

// Battery capacities and every intermediate quotient of the calculation are
// held in the x87 80-bit extended format (64-bit significand); the displayed
// digits depend on it (2.1 Ah over 12 h shows 0.17, not 0.18). Compilers whose
// long double is a plain double (MSVC) or a 128-bit quad would show other
// digits, so they are refused here rather than computing different figures.
static_assert(LDBL_MANT_DIG == 64,
              "Brellic needs long double to be the 80-bit x87 extended format "
              "(64-bit significand). Build with GCC or Clang on x86/x86-64; on "
              "Windows use a MinGW-w64 toolchain, not MSVC.");

namespace brellic {
using Extended = long double;

// The x87 unit rounds every result to the precision in its control word, not
// to the type's. Linux starts threads at 64 bits, but Windows starts them at
// 53 bits (the MinGW start-up code raises only the main thread's), and a
// library may lower it. Each calculation holds one of these for its duration:
// it sets 64-bit precision and restores the caller's on the way out.
class ExtendedPrecisionScope {
public:
    ExtendedPrecisionScope() noexcept;
    ~ExtendedPrecisionScope();
    ExtendedPrecisionScope(const ExtendedPrecisionScope&) = delete;
    ExtendedPrecisionScope& operator=(const ExtendedPrecisionScope&) = delete;

private:
    unsigned short saved_ = 0;
};

// The x87 precision-control field (0 = 24 bits, 2 = 53 bits, 3 = 64 bits),
// and a way to set it; for tests and start-up checks. Elsewhere than x86 the
// getter answers 3 and the setter does nothing.
int X87PrecisionControl() noexcept;
void SetX87PrecisionControl(int field) noexcept;
} // namespace brellic
