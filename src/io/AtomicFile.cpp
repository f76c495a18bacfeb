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

IoResult WriteFilesTogether(const std::vector<FileToWrite>& files) {
    std::vector<std::string> temporaries;
    const auto discard = [&temporaries](std::size_t from) {
        for (std::size_t i = from; i < temporaries.size(); ++i)
            RemoveTemporary(temporaries[i]);
    };
    for (const FileToWrite& file : files) {
        std::string temporary;
        if (IoResult written = WriteTemporaryFor(file.Path, file.Bytes, temporary); !written) {
            discard(0);
            return written;
        }
        temporaries.push_back(std::move(temporary));
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (IoResult renamed = ReplaceWithTemporary(temporaries[i], files[i].Path); !renamed) {
            discard(i);
            return renamed;
        }
    }
    return IoResult::Success();
}

} // namespace brellic
