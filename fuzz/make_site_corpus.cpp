// Writes the fuzzer's seed files: a handful of sites as the program saves them.
//   make_site_corpus <folder>
#include "io/SiteFile.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    using namespace brellic;
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_site_corpus <folder>\n");
        return 2;
    }
    const std::string folder = argv[1];

    SiteFileData empty;
    empty.SiteRef = "Empty";
    empty.Grade = 2;
    empty.Panel = 5;

    SiteFileData three;
    three.SiteRef = "Shop";
    three.Grade = 2;
    three.Panel = 3;
    three.Battery = 1;
    three.Devices = {TDeviceData{3, 2, "Door contact", 0.039, 0.039},
                     TDeviceData{4, 2, "Detector", 0.06, 0.06},
                     TDeviceData{1, 2, "Sounder", 0.02, 0.45}};

    SiteFileData full;
    full.SiteRef = "Warehouse, all hundred device lines in use";
    full.Grade = 3;
    full.Panel = 21;
    full.Battery = 2;
    full.AcFail = true;
    for (int i = 0; i < 100; ++i)
        full.Devices.push_back(TDeviceData{i % 12, 1 + i % 3, "Line " + std::to_string(i),
                                           0.013 * (i % 12), 0.025 * (i % 12)});

    SiteFileData accented;
    accented.SiteRef =
        "Caf\u00E9 \u20AC \u00A3 \u2122 \u00FF 0123456789012345678901234567890123456";
    accented.Grade = 1;
    accented.Panel = 0;
    accented.Devices = {
        TDeviceData{0, 1, "D\u00E9tecteur sp\u00E9cial \u2013 texte de cinquante caract\u00E8res!",
                    0, 0},
        TDeviceData{100, 3, "Sir\u00E8ne", 1.5, 75.25}};

    SiteFileData untitled;
    untitled.Grade = 3;
    untitled.Panel = 12;
    untitled.Devices = {TDeviceData{1, 3, "", 0.0005, 0.0005}};

    const std::pair<const char*, const SiteFileData*> seeds[] = {
        {"empty.KVR", &empty},       {"three-devices.KVR", &three}, {"full.KVR", &full},
        {"accented.KVR", &accented}, {"untitled.KVR", &untitled},
    };
    for (const auto& [name, site] : seeds) {
        const std::string path = folder + "/" + name;
        if (const IoResult written = WriteSiteFile(path, *site); !written) {
            std::fprintf(stderr, "%s\n", written.Message.c_str());
            return 1;
        }
    }
    return 0;
}
