// A full recalculation, as every user action runs it, of a site with the
// largest device list the program allows.
#include "calc/Supply.h"
#include "calc/Totals.h"
#include "model/Globals.h"

#include <benchmark/benchmark.h>

using namespace brellic;

static void BM_FullRecalculation(benchmark::State& bench) {
    SiteState site;
    site.SystemStandard = 0;
    site.AlarmPeriod = 15;
    site.SystemGrade = 3;
    site.PanelIndex = 15;
    site.BatteryCapacity = 17.0L;
    DeviceList devices;
    for (int i = 0; i < 100; ++i) {
        const CatalogueDevice& device =
            DeviceCatalogue[static_cast<std::size_t>(i % kCatalogueCount)];
        const int qty = 1 + i % 7;
        devices.Append(TDeviceData{qty, device.Grade, std::string(device.Name),
                                   device.Quiescent * qty, device.Alarm * qty},
                       '.');
    }
    DisplayTexts texts;
    for (auto _ : bench) {
        UpdateSupply(site, false, texts, '.');
        TotalsResult result = UpdateTotals(site, devices, true, true, texts, '.');
        benchmark::DoNotOptimize(result);
        benchmark::DoNotOptimize(texts);
    }
}
BENCHMARK(BM_FullRecalculation);

BENCHMARK_MAIN();
