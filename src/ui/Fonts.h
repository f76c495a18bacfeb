#pragma once

#include <QFont>

namespace brellic {

// The windows are laid out for Tahoma 8 pt; where Tahoma is not installed the
// system's own UI font at 8 pt takes its place.
QFont BrellicFont();

} // namespace brellic
