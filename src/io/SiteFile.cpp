#include "io/SiteFile.h"

#include "io/AtomicFile.h"
#include "io/Cp1252.h"
#include "model/Format.h"

#include <bit>
#include <cmath>
#include <cstring>

namespace brellic {
namespace {

// Offsets of the record.
constexpr std::size_t kSiteRefAt = 0;
constexpr std::size_t kGradeAt = 52;
constexpr std::size_t kPanelAt = 56;
constexpr std::size_t kBatteryAt = 60;
constexpr std::size_t kAcFailAt = 64;
constexpr std::size_t kSlotsAt = 328;
constexpr std::size_t kSlotSize = 80;

// Offsets within a slot.
constexpr std::size_t kQtyAt = 0;
constexpr std::size_t kSlotGradeAt = 4;
constexpr std::size_t kDescriptionAt = 8;
constexpr std::size_t kQuiescentAt = 64;
constexpr std::size_t kAlarmAt = 72;

static_assert(kSlotsAt + kSiteFileSlots * kSlotSize == kSiteFileSize);

constexpr std::int32_t kLastPanelRow = 21;

using Bytes = std::vector<unsigned char>;
using View = std::span<const unsigned char>;

void PutUInt32(Bytes& out, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i)
        out[at + i] = static_cast<unsigned char>(value >> (8 * i));
}

void PutInt32(Bytes& out, std::size_t at, std::int32_t value) {
    PutUInt32(out, at, static_cast<std::uint32_t>(value));
}

void PutDouble(Bytes& out, std::size_t at, double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    for (std::size_t i = 0; i < 8; ++i)
        out[at + i] = static_cast<unsigned char>(bits >> (8 * i));
}

// A short string: a length byte, then up to 50 single-byte characters.
void PutText(Bytes& out, std::size_t at, std::string_view utf8) {
    std::string bytes = Utf8ToCp1252Lossy(utf8);
    if (bytes.size() > kSiteTextCapacity)
        bytes.resize(kSiteTextCapacity);
    out[at] = static_cast<unsigned char>(bytes.size());
    std::memcpy(out.data() + at + 1, bytes.data(), bytes.size());
}

// A little-endian field. On a little-endian machine that is one load, which
// matters when a whole folder of sites is checked.
template <typename Unsigned> Unsigned GetLittleEndian(View in, std::size_t at) {
    Unsigned value = 0;
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(&value, in.data() + at, sizeof value);
    } else {
        for (std::size_t i = 0; i < sizeof value; ++i)
            value |= static_cast<Unsigned>(static_cast<Unsigned>(in[at + i]) << (8 * i));
    }
    return value;
}

std::int32_t GetInt32(View in, std::size_t at) {
    return static_cast<std::int32_t>(GetLittleEndian<std::uint32_t>(in, at));
}

double GetDouble(View in, std::size_t at) {
    const std::uint64_t bits = GetLittleEndian<std::uint64_t>(in, at);
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// Reads a short string; false when its length byte exceeds the capacity.
bool GetText(View in, std::size_t at, std::string& utf8, unsigned& length, bool convert) {
    length = in[at];
    if (length > kSiteTextCapacity)
        return false;
    if (convert)
        utf8 = Cp1252ToUtf8(
            std::string_view(reinterpret_cast<const char*>(in.data() + at + 1), length));
    return true;
}

SiteFileResult Invalid(std::string message) {
    SiteFileResult result;
    result.Status = SiteFileStatus::Invalid;
    result.Message = std::move(message);
    return result;
}

std::string SlotName(std::size_t slot) {
    return "Device slot " + FormatInt(static_cast<long long>(slot + 1)) + " of " +
           FormatInt(kSiteFileSlots);
}

std::string TooLongText(std::string_view what, unsigned length) {
    return std::string(what) + " has the length " + FormatInt(length) + "; at most " +
           FormatInt(kSiteTextCapacity) + " characters fit.";
}

} // namespace

std::vector<unsigned char> EncodeSiteFile(const SiteFileData& site) {
    Bytes out(kSiteFileSize, 0);
    PutText(out, kSiteRefAt, site.SiteRef);
    PutInt32(out, kGradeAt, site.Grade);
    PutInt32(out, kPanelAt, site.Panel);
    PutInt32(out, kBatteryAt, site.Battery);
    out[kAcFailAt] = site.AcFail ? 1 : 0;

    for (std::size_t slot = 0; slot < kSiteFileSlots; ++slot) {
        const std::size_t at = kSlotsAt + slot * kSlotSize;
        if (slot < site.Devices.size()) {
            const TDeviceData& device = site.Devices[slot];
            PutInt32(out, at + kQtyAt, device.Qty);
            PutInt32(out, at + kSlotGradeAt, device.Grade);
            PutText(out, at + kDescriptionAt, device.Description);
            PutDouble(out, at + kQuiescentAt, device.Quiescent);
            PutDouble(out, at + kAlarmAt, device.Alarm);
        } else {
            PutInt32(out, at + kQtyAt, -1);
            PutInt32(out, at + kSlotGradeAt, -1);
            PutText(out, at + kDescriptionAt, "NULL");
        }
    }
    return out;
}

SiteFileResult DecodeSiteFile(std::span<const unsigned char> bytes, SiteTexts texts) {
    if (bytes.size() < kSiteFileSize) {
        SiteFileResult result;
        result.Status = SiteFileStatus::TooShort;
        result.Message = "The file holds " + FormatInt(static_cast<long long>(bytes.size())) +
                         " bytes; a site data file holds " + FormatInt(kSiteFileSize) + ".";
        return result;
    }
    const View in = bytes.first(kSiteFileSize);

    SiteFileResult result;
    SiteFileData& site = result.Data;
    unsigned length = 0;
    if (!GetText(in, kSiteRefAt, site.SiteRef, length, texts != SiteTexts::Skip))
        return Invalid(TooLongText("The site reference", length));

    site.Grade = GetInt32(in, kGradeAt);
    if (site.Grade < 1 || site.Grade > 3)
        return Invalid("The grade " + FormatInt(site.Grade) + " is not 1, 2 or 3.");
    site.Panel = GetInt32(in, kPanelAt);
    if (site.Panel < 0 || site.Panel > kLastPanelRow)
        return Invalid("The panel number " + FormatInt(site.Panel) + " is not between 0 and " +
                       FormatInt(kLastPanelRow) + ".");
    // A position past the end of the panel's battery list selects no battery;
    // the window deals with that, so any value is accepted here.
    site.Battery = GetInt32(in, kBatteryAt);
    site.AcFail = in[kAcFailAt] != 0;

    site.Devices.reserve(kSiteFileSlots);

    for (std::size_t slot = 0; slot < kSiteFileSlots; ++slot) {
        const std::size_t at = kSlotsAt + slot * kSlotSize;
        TDeviceData device;
        device.Qty = GetInt32(in, at + kQtyAt);
        if (device.Qty < 0)
            continue;
        device.Grade = GetInt32(in, at + kSlotGradeAt);
        if (!GetText(in, at + kDescriptionAt, device.Description, length,
                     texts == SiteTexts::Convert))
            return Invalid(TooLongText(SlotName(slot) + ": the description", length));
        device.Quiescent = GetDouble(in, at + kQuiescentAt);
        device.Alarm = GetDouble(in, at + kAlarmAt);
        if (!std::isfinite(device.Quiescent))
            return Invalid(SlotName(slot) + ": the quiescent current is not a number.");
        if (!std::isfinite(device.Alarm))
            return Invalid(SlotName(slot) + ": the alarm current is not a number.");
        site.Devices.push_back(std::move(device));
    }
    return result;
}

namespace {

// "8,328": byte counts in messages are grouped as people write them.
std::string WithThousands(long long value) {
    std::string text = FormatInt(value);
    const std::size_t digitsStart = text.front() == '-' ? 1 : 0;
    for (std::size_t at = text.size(); at > digitsStart + 3; at -= 3)
        text.insert(at - 3, 1, ',');
    return text;
}

} // namespace

SiteFileResult ReadSiteFile(const std::string& path, SiteTexts texts) {
    Bytes bytes;
    if (IoResult read = ReadFileHead(path, kSiteFileSize, bytes); !read) {
        SiteFileResult result;
        result.Status = SiteFileStatus::IoError;
        result.Message = std::move(read.Message);
        return result;
    }
    SiteFileResult result = DecodeSiteFile(bytes, texts);
    if (result.Status == SiteFileStatus::TooShort)
        result.Message = PathText(path) + " is not a complete site file (" +
                         WithThousands(static_cast<long long>(bytes.size())) +
                         " bytes; a site file has " + WithThousands(kSiteFileSize) + ").";
    else if (result.Status != SiteFileStatus::Ok)
        result.Message = "Cannot open " + QuotedPath(path) + ": " + result.Message;
    return result;
}

IoResult WriteSiteFile(const std::string& path, const SiteFileData& site) {
    return WriteFileAtomically(path, EncodeSiteFile(site));
}

} // namespace brellic
