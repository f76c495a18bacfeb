#pragma once

class QLocale;

namespace brellic {

// The decimal separator of a locale as the number formats take it: a single
// character; a separator outside ASCII falls back to ".".
char DecimalSeparatorOf(const QLocale& locale);

} // namespace brellic
