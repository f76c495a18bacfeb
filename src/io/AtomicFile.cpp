#include "io/AtomicFile.h"

namespace brellic {

std::string TemporaryFileName(std::string_view targetName, unsigned long processId,
                              unsigned counter) {
    // File systems take names of up to 255 bytes (or UTF-16 units); the dot
    // and the suffix need at most 35, so a longer target name is cut, at the
    // start of a UTF-8 character.
    constexpr std::size_t kKept = 200;
    std::size_t keep = targetName.size();
    if (keep > kKept) {
        keep = kKept;
        while (keep > 0 && (static_cast<unsigned char>(targetName[keep]) & 0xC0) == 0x80)
            --keep;
    }
    std::string name = ".";
    name.append(targetName.substr(0, keep));
    name += "~brellic-" + std::to_string(processId) + "-" + std::to_string(counter) + ".tmp";
    return name;
}

} // namespace brellic
