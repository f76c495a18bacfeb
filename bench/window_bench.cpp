// The main window with the largest installation, 32 supplies of 100 device
// lines each, beside a single site file of 100 lines: opening the file in the
// window, with every supply judged for the tabs' marks, then the overview
// shown and painted; and one edit of the chosen supply, which judges every
// supply again for the marks.
#include "editor/Settings.h"
#include "editor/SilentPrompter.h"
#include "io/InstallationFile.h"
#include "io/SiteFile.h"
#include "io/SiteJson.h"
#include "model/Globals.h"
#include "ui/MainWindow.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTabBar>
#include <QTableWidget>

#include <filesystem>

using namespace brellic;

namespace {

class NoOpener final : public ReportOpener {
public:
    void Open(const std::string&, std::function<void()>) override {}
};

SupplySite LargeSite(int s) {
    SupplySite site;
    site.Grade = 2;
    site.Panel = PanelsForGrade(2)[static_cast<std::size_t>(s) % PanelsForGrade(2).size()];
    site.Battery = 0;
    for (int i = 0; i < 100; ++i) {
        const int qty = 1 + i % 7;
        site.Devices.push_back({qty, 2, "Line " + std::to_string(i), 0.012 * qty, 0.03 * qty});
    }
    return site;
}

std::string TempPath(const char* name) {
    return (std::filesystem::temp_directory_path() / name).string();
}

struct Bench {
    MemorySettingsStore store;
    SilentPrompter quiet;
    NoOpener opener;
    TfrmMain form{store, quiet, opener, '.'};
    Bench() { form.show(); }
};

} // namespace

static void BM_WindowOpenInstallationAndOverview(benchmark::State& bench) {
    Installation installation;
    for (int s = 0; s < 32; ++s)
        installation.Supplies.push_back({"Supply " + std::to_string(s + 1), LargeSite(s)});
    const std::string path = TempPath("brellic-window-bench.brellic");
    if (!WriteInstallationFile(path, installation)) {
        bench.SkipWithError("cannot write the installation");
        return;
    }
    Bench w;
    auto* tabs = w.form.findChild<QTabBar*>(QStringLiteral("tbSupplies"));
    auto* table = w.form.findChild<QTableWidget*>(QStringLiteral("tvOverview"));
    for (auto _ : bench) {
        w.form.OpenAtStart(QString::fromStdString(path));
        tabs->setCurrentIndex(tabs->count() - 1);
        table->viewport()->repaint();
        QApplication::processEvents();
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_WindowOpenInstallationAndOverview)->Unit(benchmark::kMillisecond);

static void BM_WindowOpenSite(benchmark::State& bench) {
    const std::optional<SiteFileData> site = SiteFileOf(LargeSite(0));
    const std::string path = TempPath("brellic-window-bench.KVR");
    if (!site || !WriteSiteFile(path, *site)) {
        bench.SkipWithError("cannot write the site");
        return;
    }
    Bench w;
    for (auto _ : bench) {
        w.form.OpenAtStart(QString::fromStdString(path));
        w.form.repaint();
        QApplication::processEvents();
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_WindowOpenSite)->Unit(benchmark::kMillisecond);

static void BM_WindowEditInInstallation(benchmark::State& bench) {
    Installation installation;
    for (int s = 0; s < 32; ++s)
        installation.Supplies.push_back({"Supply " + std::to_string(s + 1), LargeSite(s)});
    const std::string path = TempPath("brellic-window-bench2.brellic");
    if (!WriteInstallationFile(path, installation)) {
        bench.SkipWithError("cannot write the installation");
        return;
    }
    Bench w;
    w.form.OpenAtStart(QString::fromStdString(path));
    std::filesystem::remove(path);
    bool checked = false;
    for (auto _ : bench) {
        checked = !checked;
        w.form.Editor().AcFailClicked(checked);
        w.form.Refresh();
        QApplication::processEvents();
    }
    w.form.Editor().SetModified(false);
    w.form.Installation().Close(); // answered No by the quiet prompter
}
BENCHMARK(BM_WindowEditInInstallation)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
