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
} // namespace brellic
