#include "io/SiteFile.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>

namespace brellic {
namespace {

using Bytes = std::vector<unsigned char>;

constexpr std::size_t kSlotsAt = 328;
constexpr std::size_t kSlotSize = 80;

std::size_t SlotAt(std::size_t slot) {
    return kSlotsAt + slot * kSlotSize;
}

Bytes FreeSlot() {
    Bytes slot(kSlotSize, 0);
    const unsigned char head[] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                  0xFF, 0x04, 'N',  'U',  'L',  'L'};
    std::memcpy(slot.data(), head, sizeof head);
    return slot;
}

Bytes Range(const Bytes& bytes, std::size_t at, std::size_t size) {
    return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                 bytes.begin() + static_cast<std::ptrdiff_t>(at + size));
}

void PutInt32(Bytes& bytes, std::size_t at, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (std::size_t i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<unsigned char>(bits >> (8 * i));
}

void PutDouble(Bytes& bytes, std::size_t at, double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    for (std::size_t i = 0; i < 8; ++i)
        bytes[at + i] = static_cast<unsigned char>(bits >> (8 * i));
}

SiteFileData EmptySite() {
    SiteFileData site;
    site.SiteRef = "Unit 4";
    site.Grade = 2;
    site.Panel = 5;
    return site;
}

TEST(SiteFileFormat, SiteWithoutDevicesHasEveryDeviceSlotFree) {
    const Bytes bytes = EncodeSiteFile(EmptySite());
    ASSERT_EQ(bytes.size(), kSiteFileSize);
    for (std::size_t slot = 0; slot < kSiteFileSlots; ++slot)
        EXPECT_EQ(Range(bytes, SlotAt(slot), kSlotSize), FreeSlot()) << "slot " << slot;

    const SiteFileResult read = DecodeSiteFile(bytes);
    ASSERT_EQ(read.Status, SiteFileStatus::Ok) << read.Message;
    EXPECT_TRUE(read.Data.Devices.empty());
}

TEST(SiteFileFormat, DevicesFillTheFirstSlotsInListOrder) {
    SiteFileData site = EmptySite();
    site.Devices = {TDeviceData{3, 2, "Door contact", 0.039, 0.039},
                    TDeviceData{1, 3, "Sounder", 0.02, 1.0}, TDeviceData{0, 1, "", 0, 0}};
    const Bytes bytes = EncodeSiteFile(site);
    ASSERT_EQ(bytes.size(), kSiteFileSize);

    Bytes expected(kSlotSize, 0);
    PutInt32(expected, 0, 1);
    PutInt32(expected, 4, 3);
    expected[8] = 7;
    std::memcpy(expected.data() + 9, "Sounder", 7);
    // 0.02 and 1.0 as little-endian IEEE 754 doubles.
    const unsigned char quiescent[] = {0x7B, 0x14, 0xAE, 0x47, 0xE1, 0x7A, 0x94, 0x3F};
    const unsigned char alarm[] = {0, 0, 0, 0, 0, 0, 0xF0, 0x3F};
    std::memcpy(expected.data() + 64, quiescent, 8);
    std::memcpy(expected.data() + 72, alarm, 8);
    EXPECT_EQ(Range(bytes, SlotAt(1), kSlotSize), expected);

    EXPECT_EQ(Range(bytes, SlotAt(2), 4), Bytes(4, 0));
    for (std::size_t slot = 3; slot < kSiteFileSlots; ++slot)
        EXPECT_EQ(Range(bytes, SlotAt(slot), kSlotSize), FreeSlot()) << "slot " << slot;

    const SiteFileResult read = DecodeSiteFile(bytes);
    ASSERT_EQ(read.Status, SiteFileStatus::Ok) << read.Message;
    EXPECT_EQ(read.Data.Devices, site.Devices);
}

TEST(SiteFileFormat, HeaderFieldsAtTheirOffsets) {
    SiteFileData site = EmptySite();
    Bytes bytes = EncodeSiteFile(site);
    EXPECT_EQ(Range(bytes, 52, 12), (Bytes{2, 0, 0, 0, 5, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(bytes[51], 0);
    EXPECT_EQ(Range(bytes, 64, 328 - 64), Bytes(328 - 64, 0));

    site.Grade = 3;
    site.Panel = 21;
    site.Battery = 0x01020304;
    site.AcFail = true;
    bytes = EncodeSiteFile(site);
    EXPECT_EQ(Range(bytes, 52, 13), (Bytes{3, 0, 0, 0, 21, 0, 0, 0, 4, 3, 2, 1, 1}));
    EXPECT_EQ(Range(bytes, 65, 328 - 65), Bytes(328 - 65, 0));
}

TEST(SiteFileFormat, TextsAreLengthBytePlusZeroFilledCharacters) {
    SiteFileData site = EmptySite();
    site.SiteRef = "Shop";
    Bytes bytes = EncodeSiteFile(site);
    Bytes expected(51, 0);
    expected[0] = 4;
    std::memcpy(expected.data() + 1, "Shop", 4);
    EXPECT_EQ(Range(bytes, 0, 51), expected);

    // Cut by characters: 60 e-acutes keep their first 50, one byte each.
    std::string accented;
    for (int i = 0; i < 60; ++i)
        accented += "\u00E9";
    site.SiteRef = accented;
    site.Devices = {TDeviceData{1, 1, accented + "x", 0.5, 0.5}};
    bytes = EncodeSiteFile(site);
    EXPECT_EQ(bytes[0], 50);
    EXPECT_EQ(Range(bytes, 1, 50), Bytes(50, 0xE9));
    EXPECT_EQ(bytes[SlotAt(0) + 8], 50);
    EXPECT_EQ(Range(bytes, SlotAt(0) + 9, 50), Bytes(50, 0xE9));
}

TEST(SiteFileFormat, EveryFieldSurvivesARoundTrip) {
    SiteFileData site;
    site.SiteRef = "Caf\u00E9 \u20AC \u00A3 site 123456789012345678901234567890123456";
    ASSERT_EQ(site.SiteRef.size() - 4, 50u); // 50 characters, 4 of them multi-byte
    site.Grade = 3;
    site.Panel = 21;
    site.Battery = 2;
    site.AcFail = true;
    for (int i = 0; i < 100; ++i) {
        site.Devices.push_back(TDeviceData{i, 1 + i % 3,
                                           "D\u00E9tecteur \u20AC" + std::to_string(i),
                                           0.001 * i + 1e-9, 0.1 * i - 0.05});
    }
    site.Devices[7].Quiescent = 123456.789;
    site.Devices[8].Alarm = std::numeric_limits<double>::denorm_min();

    const SiteFileResult read = DecodeSiteFile(EncodeSiteFile(site));
    ASSERT_EQ(read.Status, SiteFileStatus::Ok) << read.Message;
    EXPECT_EQ(read.Data, site);
}

TEST(SiteFileFormat, MoreThanAHundredDevicesKeepTheFirstHundred) {
    SiteFileData site = EmptySite();
    for (int i = 0; i < 101; ++i)
        site.Devices.push_back(TDeviceData{i, 1, "d", 0, 0});
    const SiteFileResult read = DecodeSiteFile(EncodeSiteFile(site));
    ASSERT_EQ(read.Data.Devices.size(), 100u);
    EXPECT_EQ(read.Data.Devices.back().Qty, 99);
}

class SiteFileReading : public ::testing::Test {
protected:
    Bytes bytes_ = EncodeSiteFile(EmptySite());

    void UseSlot(std::size_t slot, std::int32_t qty, std::string_view description) {
        const std::size_t at = SlotAt(slot);
        std::fill_n(bytes_.begin() + static_cast<std::ptrdiff_t>(at), kSlotSize, 0);
        PutInt32(bytes_, at, qty);
        PutInt32(bytes_, at + 4, 2);
        bytes_[at + 8] = static_cast<unsigned char>(description.size());
        std::memcpy(bytes_.data() + at + 9, description.data(), description.size());
        PutDouble(bytes_, at + 64, 0.25);
        PutDouble(bytes_, at + 72, 0.5);
    }
    SiteFileResult Decode() const { return DecodeSiteFile(bytes_); }
};

TEST_F(SiteFileReading, SlotIsUsedExactlyWhenItsQuantityIsNotNegative) {
    UseSlot(0, 0, "none yet");
    UseSlot(1, -7, "skipped");
    UseSlot(2, std::numeric_limits<std::int32_t>::min(), "");
    bytes_[SlotAt(2) + 8] = 200; // a free slot's text is never looked at
    PutDouble(bytes_, SlotAt(2) + 64, std::nan(""));
    UseSlot(42, 5, "after free slots");
    UseSlot(99, 1, "last");
    // A used slot that still says NULL is a device called NULL.
    PutInt32(bytes_, SlotAt(60), 2);

    const SiteFileResult read = Decode();
    ASSERT_EQ(read.Status, SiteFileStatus::Ok) << read.Message;
    const auto& devices = read.Data.Devices;
    ASSERT_EQ(devices.size(), 4u);
    EXPECT_EQ(devices[0], (TDeviceData{0, 2, "none yet", 0.25, 0.5}));
    EXPECT_EQ(devices[1], (TDeviceData{5, 2, "after free slots", 0.25, 0.5}));
    EXPECT_EQ(devices[2], (TDeviceData{2, -1, "NULL", 0, 0}));
    EXPECT_EQ(devices[3].Description, "last");
}

TEST_F(SiteFileReading, BytesNoFieldCoversAreIgnored) {
    const SiteFileResult clean = Decode();
    bytes_[0] = 3;
    std::memcpy(bytes_.data() + 1, "RefJUNK", 7);
    bytes_[51] = 0xAA;
    std::fill(bytes_.begin() + 65, bytes_.begin() + 328, 0x55);
    UseSlot(0, 1, "ab");
    bytes_[SlotAt(0) + 11] = 'Z';  // after the description's length
    bytes_[SlotAt(0) + 60] = 0x77; // slot padding
    bytes_[64] = 0x80;             // any non-zero flag is set

    const SiteFileResult read = Decode();
    ASSERT_EQ(read.Status, SiteFileStatus::Ok) << read.Message;
    EXPECT_EQ(read.Data.SiteRef, "Ref");
    EXPECT_TRUE(read.Data.AcFail);
    EXPECT_EQ(read.Data.Devices.at(0).Description, "ab");
    EXPECT_EQ(read.Data.Grade, clean.Data.Grade);
    EXPECT_EQ(read.Data.Panel, clean.Data.Panel);
}

TEST_F(SiteFileReading, OnlyTheFirstRecordCounts) {
    Bytes shorter(bytes_.begin(), bytes_.end() - 1);
    EXPECT_EQ(DecodeSiteFile(shorter).Status, SiteFileStatus::TooShort);
    EXPECT_EQ(DecodeSiteFile({}).Status, SiteFileStatus::TooShort);

    Bytes longer = bytes_;
    longer.push_back(0xFF);
    longer.insert(longer.end(), bytes_.begin(), bytes_.end());
    const SiteFileResult read = DecodeSiteFile(longer);
    ASSERT_EQ(read.Status, SiteFileStatus::Ok) << read.Message;
    EXPECT_EQ(read.Data, EmptySite());
}

TEST_F(SiteFileReading, BatteryPositionIsLeftToTheWindow) {
    for (const std::int32_t battery : {-1, 7, 1000}) {
        PutInt32(bytes_, 60, battery);
        const SiteFileResult read = Decode();
        ASSERT_EQ(read.Status, SiteFileStatus::Ok) << read.Message;
        EXPECT_EQ(read.Data.Battery, battery);
    }
}

TEST_F(SiteFileReading, ValuesTheWriterNeverProducesAreRejected) {
    struct Case {
        const char* Name;
        void (*Spoil)(Bytes&);
        const char* Message;
    };
    const Case cases[] = {
        {"grade 7", [](Bytes& b) { PutInt32(b, 52, 7); }, "The grade 7 is not 1, 2 or 3."},
        {"grade 0", [](Bytes& b) { PutInt32(b, 52, 0); }, "The grade 0 is not 1, 2 or 3."},
        {"grade -1", [](Bytes& b) { PutInt32(b, 52, -1); }, "The grade -1 is not 1, 2 or 3."},
        {"panel -1", [](Bytes& b) { PutInt32(b, 56, -1); },
         "The panel number -1 is not between 0 and 21."},
        {"panel 22", [](Bytes& b) { PutInt32(b, 56, 22); },
         "The panel number 22 is not between 0 and 21."},
        {"site reference 51", [](Bytes& b) { b[0] = 51; },
         "The site reference has the length 51; at most 50 characters fit."},
        {"description 255",
         [](Bytes& b) {
             PutInt32(b, SlotAt(3), 1);
             b[SlotAt(3) + 8] = 255;
         },
         "Device slot 4 of 100: the description has the length 255; at most 50 characters fit."},
        {"quiescent NaN",
         [](Bytes& b) {
             PutInt32(b, SlotAt(0), 1);
             PutDouble(b, SlotAt(0) + 64, std::nan(""));
         },
         "Device slot 1 of 100: the quiescent current is not a number."},
        {"alarm infinite",
         [](Bytes& b) {
             PutInt32(b, SlotAt(99), 1);
             PutDouble(b, SlotAt(99) + 72, -std::numeric_limits<double>::infinity());
         },
         "Device slot 100 of 100: the alarm current is not a number."},
    };
    for (const Case& c : cases) {
        Bytes bytes = bytes_;
        c.Spoil(bytes);
        // Leaving texts unconverted refuses exactly the same files.
        for (const SiteTexts texts :
             {SiteTexts::Convert, SiteTexts::SiteRefOnly, SiteTexts::Skip}) {
            const SiteFileResult read = DecodeSiteFile(bytes, texts);
            EXPECT_EQ(read.Status, SiteFileStatus::Invalid) << c.Name;
            EXPECT_EQ(read.Message, c.Message) << c.Name;
        }
    }
}

TEST_F(SiteFileReading, TextsLeftUnconvertedAreEmptyAndAllElseTheSame) {
    bytes_[0] = 3;
    std::memcpy(bytes_.data() + 1, "Ref", 3);
    UseSlot(0, 1, "Door");
    UseSlot(5, 2, "Siren");
    const SiteFileResult all = Decode();
    ASSERT_EQ(all.Status, SiteFileStatus::Ok) << all.Message;

    SiteFileData expected = all.Data;
    for (TDeviceData& device : expected.Devices)
        device.Description.clear();
    EXPECT_EQ(DecodeSiteFile(bytes_, SiteTexts::SiteRefOnly).Data, expected);
    expected.SiteRef.clear();
    EXPECT_EQ(DecodeSiteFile(bytes_, SiteTexts::Skip).Data, expected);
}

TEST(SiteFileOnDisk, WrittenFileReadsBack) {
    test::TempFolder folder;
    const std::string path = folder.File("Site \u00E9.KVR");
    SiteFileData site = EmptySite();
    site.Devices = {TDeviceData{2, 3, "PIR \u00E9", 0.03, 0.03}};
    ASSERT_TRUE(WriteSiteFile(path, site));
    EXPECT_EQ(std::filesystem::file_size(test::FsPath(path)), kSiteFileSize);

    const SiteFileResult read = ReadSiteFile(path);
    ASSERT_EQ(read.Status, SiteFileStatus::Ok) << read.Message;
    EXPECT_EQ(read.Data, site);
}

TEST(SiteFileOnDisk, FailuresNameTheFile) {
    test::TempFolder folder;
    const std::string missing = folder.File("missing.KVR");
    SiteFileResult read = ReadSiteFile(missing);
    EXPECT_EQ(read.Status, SiteFileStatus::IoError);
    EXPECT_EQ(read.Message.rfind("Cannot open \"" + missing + "\": ", 0), 0u) << read.Message;

    const std::string bad = folder.File("bad.KVR");
    Bytes bytes = EncodeSiteFile(EmptySite());
    PutInt32(bytes, 52, 9);
    test::WriteAll(bad, std::string(bytes.begin(), bytes.end()));
    read = ReadSiteFile(bad);
    EXPECT_EQ(read.Status, SiteFileStatus::Invalid);
    EXPECT_EQ(read.Message, "Cannot open \"" + bad + "\": The grade 9 is not 1, 2 or 3.");

    const std::string shortFile = folder.File("short.KVR");
    test::WriteAll(shortFile, std::string(bytes.begin(), bytes.end() - 1));
    EXPECT_EQ(ReadSiteFile(shortFile).Status, SiteFileStatus::TooShort);

    const IoResult written = WriteSiteFile(folder.File("no/such/folder.KVR"), EmptySite());
    EXPECT_FALSE(written);
    EXPECT_NE(written.Message.find("no/such/folder.KVR"), std::string::npos) << written.Message;
}

// The fuzzing seeds are real site files; each must read and write back unchanged.
TEST(SiteFileOnDisk, SeedFilesAreValidSites) {
    std::size_t seeds = 0;
    for (const auto& entry : std::filesystem::directory_iterator(BRELLIC_IO_CORPUS_DIR)) {
        const std::u8string name = entry.path().u8string();
        const std::string path(name.begin(), name.end());
        const std::string bytes = test::ReadAll(path);
        const SiteFileResult read = ReadSiteFile(path);
        ASSERT_EQ(read.Status, SiteFileStatus::Ok) << entry.path() << ": " << read.Message;
        const Bytes encoded = EncodeSiteFile(read.Data);
        EXPECT_EQ(std::string(encoded.begin(), encoded.end()), bytes) << entry.path();
        ++seeds;
    }
    EXPECT_GE(seeds, 4u);
}

} // namespace
} // namespace brellic
