// The installation editor with 32 supplies of 100 device lines each: opening
// it (the first supply shown), and every supply judged again for the
// overview, as each edit in the window asks for.
#include "editor/InstallationEditor.h"
#include "editor/SilentPrompter.h"
#include "io/InstallationFile.h"
#include "model/Globals.h"

#include <benchmark/benchmark.h>

#include <filesystem>

using namespace brellic;

namespace {

Installation LargeInstallation() {
    Installation installation;
    installation.Standard = 0;
    installation.AlarmPeriodMinutes = 30;
    for (int s = 0; s < 32; ++s) {
        SupplySite site;
        site.Grade = 2;
        site.Panel = PanelsForGrade(2)[static_cast<std::size_t>(s) % PanelsForGrade(2).size()];
        site.Battery = 0;
        for (int i = 0; i < 100; ++i) {
            const int qty = 1 + i % 7;
            site.Devices.push_back({qty, 2, "Line " + std::to_string(i), 0.012 * qty, 0.03 * qty});
        }
        installation.Supplies.push_back({"Supply " + std::to_string(s + 1), site});
    }
    return installation;
}

} // namespace

static void BM_OpenAndOverview(benchmark::State& bench) {
    const std::string path =
        (std::filesystem::temp_directory_path() / "brellic-editor-bench.brellic").string();
    if (!WriteInstallationFile(path, LargeInstallation())) {
        bench.SkipWithError("cannot write the installation");
        return;
    }
    MemorySettingsStore store;
    SilentPrompter quiet;
    for (auto _ : bench) {
        SiteEditor site(store, quiet);
        InstallationEditor installation(site, quiet);
        installation.OpenFile(path);
        Overview rows = installation.CurrentOverview();
        benchmark::DoNotOptimize(rows);
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_OpenAndOverview)->Unit(benchmark::kMillisecond);

static void BM_OverviewAfterEdit(benchmark::State& bench) {
    MemorySettingsStore store;
    SilentPrompter quiet;
    SiteEditor site(store, quiet);
    InstallationEditor installation(site, quiet);
    const std::string path =
        (std::filesystem::temp_directory_path() / "brellic-editor-bench2.brellic").string();
    if (!WriteInstallationFile(path, LargeInstallation()) || !installation.OpenFile(path)) {
        bench.SkipWithError("cannot open the installation");
        return;
    }
    std::filesystem::remove(path);
    bool checked = false;
    for (auto _ : bench) {
        checked = !checked;
        site.AcFailClicked(checked);
        Overview rows = installation.CurrentOverview();
        benchmark::DoNotOptimize(rows);
    }
}
BENCHMARK(BM_OverviewAfterEdit)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
