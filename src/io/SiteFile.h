#pragma once

#include "io/IoResult.h"
#include "model/SiteState.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace brellic {

// The site data file: one 8,328-byte little-endian record with the site
// reference, grade, panel row, battery list position, AC-fail flag and 100
// device slots of 80 bytes.
inline constexpr std::size_t kSiteFileSize = 8328;
inline constexpr std::size_t kSiteFileSlots = 100;
inline constexpr std::size_t kSiteTextCapacity = 50; // characters of a stored text

// One site as the file holds it. Texts are UTF-8.
struct SiteFileData {
    std::string SiteRef;
    std::int32_t Grade = 1;
    std::int32_t Panel = 0;   // PanelTable row
    std::int32_t Battery = 0; // position in the panel's battery list, not a table row
    bool AcFail = false;
    std::vector<TDeviceData> Devices;

    friend bool operator==(const SiteFileData&, const SiteFileData&) = default;
};

enum class SiteFileStatus {
    Ok,
    TooShort, // fewer than 8,328 bytes: not a whole site record
    Invalid,  // holds a value the writer never produces; Message says which
    IoError,  // the file could not be read; Message names it and the reason
};

struct SiteFileResult {
    SiteFileStatus Status = SiteFileStatus::Ok;
    SiteFileData Data; // meaningful only when Status is Ok
    std::string Message;

    explicit operator bool() const { return Status == SiteFileStatus::Ok; }
};

// The 8,328 bytes of a site. Texts are cut to their first 50 characters;
// devices fill slots 0, 1, 2... (at most 100) and every other slot is free.
// A character without a Windows-1252 byte is written as '?'.
std::vector<unsigned char> EncodeSiteFile(const SiteFileData& site);

// Which texts are converted to UTF-8; the others are left empty. A site's
// figures need none of them, and a whole folder of sites is checked faster
// without. Their lengths are checked either way, so all accept the same files.
enum class SiteTexts { Convert, SiteRefOnly, Skip };

// Reads a site from the first 8,328 bytes; later bytes are ignored. A slot
// holds a device exactly when its quantity is not negative. Invalid
// messages describe the fault without naming a file.
SiteFileResult DecodeSiteFile(std::span<const unsigned char> bytes,
                              SiteTexts texts = SiteTexts::Convert);

// Reads and decodes a file; every message names the file. A file that is
// too short says "FILE is not a complete site file (N bytes; a site file has 8,328).".
SiteFileResult ReadSiteFile(const std::string& path, SiteTexts texts = SiteTexts::Convert);

// Writes the site so that the file is either replaced whole or left as it was.
IoResult WriteSiteFile(const std::string& path, const SiteFileData& site);

} // namespace brellic
