// SPDX-License-Identifier: MIT
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QListWidget>
#include <QTableView>
#include <QTableWidget>

#include <algorithm>
#include <memory>

#include "forms/formnames.h"
#include "forms/forms.h"
#include "history/historyfile.h"
#include "offscreen_app.h"
#include "sample_files.h"
#include "support/paints.h"
#include "ui/form.h"
#include "ui/screenconversion.h"
#include "windows/history/takingswindow.h"
#include "windows/history/viewer.h"

namespace durava::history {
namespace {

using bench::SampleMonthPath;

constexpr int kColumns = 11;

// Choosing the month in the history window until its first screen of rows is painted.
void BM_ShowHistoryMonth(benchmark::State& state) {
    bench::EnsureOffscreenApplication();
    windows::Globals globals;
    globals.app.HistoryFolder = std::filesystem::path(SampleMonthPath()).parent_path();
    RegisterHistoryViewer(globals);
    std::unique_ptr<ui::Form> viewer(ui::Form::Open(forms::HistoryWindow(), globals.handlers));
    QTableView* table = viewer->Control(forms::history_window::kMonthTable);
    viewer->Control(forms::history_window::kMonthList)->setCurrentRow(0);
    testing::DeliverPendingPaints();
    // The window is on the (offscreen) screen: settling paints it, as the operator would see it.
    const auto* painted = new testing::PaintCounter(table->viewport());
    for (auto _ : state) {
        globals.handlers.Run("ShowHistoryMonth", *viewer);
        testing::DeliverPendingPaints();
    }
    if (viewer->RowCount(forms::history_window::kMonthTable) != bench::kSampleRecords) {
        state.SkipWithError("rows missing");
    }
    if (painted->count < state.iterations()) state.SkipWithError("rows not painted");
}
BENCHMARK(BM_ShowHistoryMonth)->Unit(benchmark::kMillisecond);

// Choosing a year in the takings window until it is painted: the sums of its twelve files, then
// their days, months and 100,000 items on screen. Less BM_YearTakings, it is the showing alone.
void BM_ShowTakingsYear(benchmark::State& state) {
    namespace names = forms::takings_window;
    bench::EnsureOffscreenApplication();
    windows::Globals globals;
    globals.app.HistoryFolder = bench::SampleYearFolder();
    RegisterTakingsWindow(globals);
    std::unique_ptr<ui::Form> window(ui::Form::Open(forms::TakingsWindow(), globals.handlers));
    window->SelectEntry(names::kYearChoice, 1);  // this year comes first, then 2024
    testing::DeliverPendingPaints();
    for (auto _ : state) {
        window->SetText(names::kMonthLabel, "");
        globals.handlers.Run(forms::operation::kShowTakingsYear, *window);
        while (window->Text(names::kMonthLabel) != "2024") QApplication::processEvents();
        testing::DeliverPendingPaints();
    }
    if (window->RowCount(names::kItemTable) != bench::kSampleRecords) {
        state.SkipWithError("items missing");
    }
}
BENCHMARK(BM_ShowTakingsYear)->Unit(benchmark::kMillisecond);

// Baseline: the same records put into a QTableWidget cell by cell, then painted.
void BM_FillTableWidgetCellByCell(benchmark::State& state) {
    bench::EnsureOffscreenApplication();
    for (auto _ : state) {
        const HistoryMonth month = ReadHistoryMonth(SampleMonthPath());
        auto table =
            std::make_unique<QTableWidget>(static_cast<int>(month.RecordCount()), kColumns);
        table->resize(1103, 621);
        for (std::size_t record = 0; record < month.RecordCount(); ++record) {
            const std::size_t fields = std::min<std::size_t>(month.FieldCount(record), kColumns);
            for (std::size_t field = 0; field < fields; ++field) {
                table->setItem(static_cast<int>(record), static_cast<int>(field),
                               new QTableWidgetItem(ui::ToScreen(month.Field(record, field))));
            }
        }
        testing::DeliverPendingPaints();
        benchmark::DoNotOptimize(table->grab());
        state.PauseTiming();
        table.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FillTableWidgetCellByCell)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace durava::history
