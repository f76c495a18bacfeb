// libFuzzer target for the installation file reader: any bytes must either be
// turned away with a message and no data, or give an installation that the
// writer writes and the reader gets back unchanged, and whose finished
// supplies each make a site file that reads back as the same site.
#include "io/InstallationFile.h"
#include "io/SiteFile.h"
#include "io/SiteJson.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "installation_fuzz: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brellic;
    const InstallationResult first =
        InstallationFromJson(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!first) {
        Check(first.Data == Installation{}, "a refused file gave data");
        return 0;
    }

    const Installation& installation = first.Data;
    Check(CheckInstallation(installation).empty(), "an accepted installation fails its checks");
    Check(!installation.Supplies.empty() && installation.Supplies.size() <= kMaxSupplies,
          "supply count out of range");

    const std::string written = InstallationToJson(installation);
    const InstallationResult second = InstallationFromJson(written);
    Check(static_cast<bool>(second), "the writer's own file was refused");
    Check(second.Data == installation, "the installation changed on its way through a file");
    Check(InstallationToJson(second.Data) == written, "writing is not stable");

    for (const InstallationSupply& supply : installation.Supplies) {
        const std::optional<SiteFileData> site = SiteFileOf(supply.Site);
        if (!site)
            continue;
        const SiteFileResult back = DecodeSiteFile(EncodeSiteFile(*site));
        Check(static_cast<bool>(back), "a supply's site file was refused");
        Check(back.Data == *site, "a supply changed on its way through a site file");
    }
    return 0;
}
