// Writes a folder of varied site files for timing brellic-cli: every grade,
// every panel the grade allows, every battery of the panel, AC fail signalled
// or not, and from none to 100 device lines, catalogue and custom.
//   cli_make_sites FOLDER COUNT
// or an installation of SUPPLIES such sites, each with 100 device lines:
//   cli_make_sites --installation FILE.brellic SUPPLIES
#include "io/AtomicFile.h"
#include "io/InstallationFile.h"
#include "io/SiteJson.h"
#include "io/SiteFile.h"
#include "model/Globals.h"

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace {

using namespace brellic;

template <typename T> const T& Pick(std::mt19937& random, const std::vector<T>& items) {
    return items[std::uniform_int_distribution<std::size_t>(0, items.size() - 1)(random)];
}

SiteFileData MakeSite(std::mt19937& random, int number) {
    SiteFileData site;
    site.SiteRef =
        "Site " + std::to_string(number) + (number % 7 == 0 ? " Caf\xC3\xA9 \xE2\x82\xAC" : "");
    site.Grade = std::uniform_int_distribution<int>(1, 3)(random);
    site.Panel = Pick(random, PanelsForGrade(site.Grade));
    const auto batteries = static_cast<int>(BatteriesForPanel(site.Panel).size());
    site.Battery = std::uniform_int_distribution<int>(0, batteries - 1)(random);
    site.AcFail = random() % 2 == 0;

    const std::vector<int> catalogue = CatalogueForPanel(site.Panel, site.Grade);
    const auto lines = std::uniform_int_distribution<std::size_t>(0, kSiteFileSlots)(random);
    for (std::size_t i = 0; i < lines; ++i) {
        TDeviceData device;
        device.Qty = std::uniform_int_distribution<int>(0, 30)(random);
        if (catalogue.empty() || random() % 5 == 0) {
            device.Description = "Custom device " + std::to_string(i);
            device.Grade = site.Grade;
            device.Quiescent = device.Qty * std::uniform_real_distribution<double>(0, 0.05)(random);
            device.Alarm = device.Qty * std::uniform_real_distribution<double>(0, 0.2)(random);
        } else {
            const CatalogueDevice& row =
                DeviceCatalogue[static_cast<std::size_t>(Pick(random, catalogue))];
            device.Description = std::string(row.Name);
            device.Grade = row.Grade;
            device.Quiescent = device.Qty * row.Quiescent;
            device.Alarm = device.Qty * row.Alarm;
        }
        site.Devices.push_back(std::move(device));
    }
    return site;
}

} // namespace

int MakeInstallation(const std::string& path, int supplies) {
    std::mt19937 random(20261209);
    Installation installation;
    installation.Name = "Bench installation";
    installation.Standard = 0;
    installation.AlarmPeriodMinutes = 30;
    for (int number = 1; number <= supplies; ++number) {
        SiteFileData site = MakeSite(random, number);
        // Every supply holds the most lines a site can.
        while (site.Devices.size() < kSiteFileSlots) {
            TDeviceData device;
            device.Qty = 1 + static_cast<int>(site.Devices.size() % 9);
            device.Grade = site.Grade;
            device.Description = "Filler " + std::to_string(site.Devices.size());
            device.Quiescent = device.Qty * 0.011;
            device.Alarm = device.Qty * 0.023;
            site.Devices.push_back(std::move(device));
        }
        installation.Supplies.push_back({"Supply " + std::to_string(number), SupplySiteOf(site)});
    }
    const IoResult written = WriteInstallationFile(path, installation);
    if (!written) {
        std::fprintf(stderr, "%s\n", written.Message.c_str());
        return 1;
    }
    return 0;
}

int main(int argc, char* argv[]) {
    if (argc == 4 && std::string(argv[1]) == "--installation")
        return MakeInstallation(argv[2], std::atoi(argv[3]));
    if (argc != 3) {
        std::fprintf(stderr, "usage: cli_make_sites FOLDER COUNT\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int count = std::atoi(argv[2]);
    std::mt19937 random(20240611);
    for (int number = 1; number <= count; ++number) {
        char name[32];
        std::snprintf(name, sizeof name, "/site%05d.KVR", number);
        const IoResult written =
            WriteFileReplacing(folder + name, EncodeSiteFile(MakeSite(random, number)));
        if (!written) {
            std::fprintf(stderr, "%s\n", written.Message.c_str());
            return 1;
        }
    }
    return 0;
}
