// libFuzzer target for the installation file reader: any bytes must either be
// turned away with a message and no data, or give an installation that the
// writer writes and the reader gets back unchanged, and whose finished
// supplies each make a site file that reads back as the same site. The quick
// JSON reader must take nothing the JSON library refuses, and read what it
// takes as the library does, types included.
#include "io/InstallationFile.h"
#include "io/QuickJson.h"
#include "io/SiteFile.h"
#include "io/SiteJson.h"

#include <cmath>
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

// Equal values of equal types all the way down (the library's == takes 1,
// 1u and 1.0 for one another).
bool Same(const nlohmann::json& a, const nlohmann::json& b) {
    if (a.type() != b.type())
        return false;
    if (a.is_object()) {
        if (a.size() != b.size())
            return false;
        for (auto it = a.begin(); it != a.end(); ++it) {
            const auto other = b.find(it.key());
            if (other == b.end() || !Same(*it, *other))
                return false;
        }
        return true;
    }
    if (a.is_array()) {
        if (a.size() != b.size())
            return false;
        for (std::size_t i = 0; i < a.size(); ++i) {
            if (!Same(a[i], b[i]))
                return false;
        }
        return true;
    }
    if (a.is_number_float())
        return std::signbit(a.get<double>()) == std::signbit(b.get<double>()) && a == b;
    return a == b;
}

void CheckQuickReader(std::string_view text) {
    const std::optional<nlohmann::json> quick = brellic::site_json::QuickParse(text);
    if (!quick)
        return;
    nlohmann::json library;
    try {
        library = nlohmann::json::parse(text);
    } catch (const nlohmann::json::exception&) {
        Check(false, "the quick JSON reader took what the library refuses");
    }
    Check(Same(*quick, library), "the quick JSON reader read a value the library reads otherwise");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brellic;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckQuickReader(text);
    const InstallationResult first = InstallationFromJson(text);
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
