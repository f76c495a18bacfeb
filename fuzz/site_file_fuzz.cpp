// libFuzzer target for the site file reader: any bytes must either be turned
// away with a message or give a site that the writer stores and the reader
// gets back unchanged.
#include "io/Cp1252.h"
#include "io/SiteFile.h"

#include <cstdint>
#include <cstdlib>
#include <cstdio>

namespace {

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "site_file_fuzz: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brellic;
    const SiteFileResult first = DecodeSiteFile({data, size});
    if (size < kSiteFileSize) {
        Check(first.Status == SiteFileStatus::TooShort, "a short input was not too short");
        return 0;
    }
    if (first.Status != SiteFileStatus::Ok) {
        Check(first.Status == SiteFileStatus::Invalid, "unexpected outcome");
        Check(!first.Message.empty(), "a rejected file has no message");
        return 0;
    }

    const SiteFileData& site = first.Data;
    Check(site.Grade >= 1 && site.Grade <= 3, "grade out of range");
    Check(site.Panel >= 0 && site.Panel <= 21, "panel out of range");
    Check(site.Devices.size() <= kSiteFileSlots, "too many devices");
    Check(IsCp1252Text(site.SiteRef) && Utf8Length(site.SiteRef) <= kSiteTextCapacity,
          "site reference not storable");
    for (const TDeviceData& device : site.Devices) {
        Check(device.Qty >= 0, "a free slot was read as a device");
        Check(IsCp1252Text(device.Description) &&
                  Utf8Length(device.Description) <= kSiteTextCapacity,
              "description not storable");
    }

    const std::vector<unsigned char> written = EncodeSiteFile(site);
    Check(written.size() == kSiteFileSize, "written record has the wrong size");
    const SiteFileResult second = DecodeSiteFile(written);
    Check(second.Status == SiteFileStatus::Ok, "the writer's own record was rejected");
    Check(second.Data == site, "the site changed on its way through a file");
    Check(EncodeSiteFile(second.Data) == written, "writing is not stable");
    return 0;
}
