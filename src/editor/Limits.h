#pragma once

#include "model/Format.h"
#include "model/Installation.h"
#include "model/SiteState.h"

#include <cstddef>
#include <string>

namespace brellic {

// A limit as its refusal writes it: the message is made from the constant
// the rule checks, so that the two cannot drift apart.
inline std::string LimitText(std::size_t limit) {
    return FormatInt(static_cast<long long>(limit));
}

// "A site holds at most 100 device lines."
inline std::string DeviceListFullMessage() {
    return "A site holds at most " + LimitText(DeviceList::kCapacity) + " device lines.";
}

// "An installation holds at most 32 supplies."
inline std::string InstallationFullMessage() {
    return "An installation holds at most " + LimitText(kMaxSupplies) + " supplies.";
}

} // namespace brellic
