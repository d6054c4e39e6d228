// SPDX-License-Identifier: MIT
// A refresh pass and a list fill over 1,000 items in use, on the window thread, offscreen.
#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QTableView>

#include "app/program.h"
#include "billing/duration.h"
#include "billing/fee.h"
#include "forms/formnames.h"
#include "forms/forms.h"
#include "offscreen_app.h"
#include "operations/tariff.h"
#include "sample_files.h"
#include "store/startup.h"
#include "support/paints.h"
#include "ui/form.h"
#include "windows/main/itemlist.h"
#include "windows/main/refresh.h"

namespace durava::bench {
namespace {

// The program with its main window open on the sample settings file, an hour after the items'
// start: every row in use shows a fee with overtime.
windows::Globals& Program() {
    static windows::Globals* globals = [] {
        EnsureOffscreenApplication();
        auto* program = new windows::Globals;
        core::SetClock([] { return core::ToDateTime({2024, 5, 6, 18, 31, 0}); });
        program->app = store::StartUp(std::filesystem::path(SampleSettingsPath()).parent_path());
        app::RegisterHandlers(*program);
        ui::Form::Open(forms::MainWindow(), program->handlers);
        return program;
    }();
    return *globals;
}

void BM_RefreshPass(benchmark::State& state) {
    windows::Globals& globals = Program();
    // A minute later each pass, so that every duration cell really changes.
    static core::DateTime now = core::ToDateTime({2024, 5, 6, 18, 31, 0});
    core::SetClock([] { return now; });
    for (auto _ : state) {
        now += 61.0 / 86400.0;
        windows::RefreshPass(globals, *globals.MainWindow);
    }
    state.counters["rows"] = globals.MainWindow->RowCount(windows::kMainList);
}
BENCHMARK(BM_RefreshPass)->Unit(benchmark::kMillisecond);

// Baseline: the same work per row, with the settings file read and parsed for every value.
void BM_RefreshPassRereadingTheFile(benchmark::State& state) {
    windows::Globals& globals = Program();
    ui::Form& main = *globals.MainWindow;
    for (auto _ : state) {
        for (int row = 0; row < main.RowCount(windows::kMainList); ++row) {
            const auto elapsed = billing::ElapsedSeconds(
                main.Cell(windows::kMainList, row, windows::kColumnStart), core::CurrentTime());
            const billing::DurationParts parts = billing::SplitDuration(*elapsed);
            main.SetCell(
                windows::kMainList, row, windows::kColumnDuration,
                billing::LiveDurationText(parts.days, parts.hours, parts.minutes, parts.seconds));
            const store::SettingsFile uncached(SampleSettingsPath());
            main.SetCell(windows::kMainList, row, windows::kColumnFee,
                         billing::ComputeFee(operations::ReadTariff(
                                                 uncached, main.Cell(windows::kMainList, row, 1)),
                                             *elapsed / 60));
        }
    }
}
BENCHMARK(BM_RefreshPassRereadingTheFile)->Unit(benchmark::kMillisecond)->Iterations(3);

// 刷新列表 clicked until the list is painted again.
void BM_RefreshListButton(benchmark::State& state) {
    windows::Globals& globals = Program();
    ui::Form& main = *globals.MainWindow;
    QAbstractButton* button = main.Control(forms::main_window::kRefreshButton);
    QTableView* list = main.Control(windows::kMainList);
    for (auto _ : state) {
        button->click();
        testing::DeliverPendingPaints();
        benchmark::DoNotOptimize(list->grab());
    }
    state.counters["rows"] = main.RowCount(windows::kMainList);
}
BENCHMARK(BM_RefreshListButton)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace durava::bench
