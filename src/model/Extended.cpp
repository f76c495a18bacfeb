#include "Extended.h"

namespace brellic {

namespace {

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))

unsigned short ControlWord() noexcept {
    unsigned short word = 0;
    __asm__ volatile("fnstcw %0" : "=m"(word));
    return word;
}

void SetControlWord(unsigned short word) noexcept {
    __asm__ volatile("fldcw %0" : : "m"(word));
}
#else
unsigned short ControlWord() noexcept {
    return 0x0300;
}

void SetControlWord(unsigned short) noexcept {}
#endif

} // namespace

int X87PrecisionControl() noexcept {
    return (ControlWord() >> 8) & 3;
}

void SetX87PrecisionControl(int field) noexcept {
    const auto word = static_cast<unsigned short>((ControlWord() & ~0x0300u) |
                                                  ((static_cast<unsigned>(field) & 3u) << 8));
    SetControlWord(word);
}

ExtendedPrecisionScope::ExtendedPrecisionScope() noexcept : saved_(ControlWord()) {
    if (X87PrecisionControl() != 3)
        SetX87PrecisionControl(3);
}

ExtendedPrecisionScope::~ExtendedPrecisionScope() {
    if (ControlWord() != saved_)
        SetControlWord(saved_);
}

} // namespace brellic
