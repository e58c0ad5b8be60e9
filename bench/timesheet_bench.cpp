// Time-sheet edits on a long cut against a short one, as the page runs them: the edit
// (an undoable command), the model's notifications and a repaint of the visible grid.
//
// Baseline: the same edit on a cut of 60 rows (a new cut), in the same run. Each edit is
// undone in the same iteration so the cut keeps its length; both directions are timed.
// "ratio" is the long cut's time over the short cut's. "copy_ms" is the part of the long
// cut's time spent moving records in the cut's array (measured on a bare Cut), and
// "refresh_ratio" the ratio of what is left: the notifications, the renumbering and the
// painting of visible rows, which must not grow with the cut.
//
// A second benchmark opens a project of 16 cuts of 2048 frames and switches between the
// tabs; "ms_per_switch" is the time of one switch including the repaint of the new page.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QUndoStack>
#include <chrono>

#include "core/timesheet/cut_editing.h"
#include "editor/timesheet/cut_grid.h"
#include "editor/timesheet/time_sheet.h"
#include "editor/timesheet/time_sheet_base.h"

namespace plk::bench {
namespace {

using Clock = std::chrono::steady_clock;

QApplication& App() {
    static int argc = 1;
    static char name[] = "timesheet_bench";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

Cut FullCut(int rows) {
    FrameRecord frame = NewNormalFrame();
    for (int slot = 1; slot <= kMaxParts; ++slot) {
        frame.cells[slot].resource = slot;
    }
    return Cut(std::vector<FrameRecord>(static_cast<std::size_t>(rows), frame), kMaxParts + 1);
}

enum class Edit { InsertFrame, DeleteFrame, Paste100, InsertPart };

struct Sheet {
    QUndoStack undo;
    CTimeSheetBase sheet{nullptr, nullptr};
    CTimeSheet* page = nullptr;

    explicit Sheet(int rows) {
        sheet.SetUndoStack(&undo);
        sheet.RemoveAllCuts();
        sheet.AppendCut(FullCut(rows));
        page = sheet.Page(0);
        sheet.resize(900, 700);
        sheet.show();
        // 100 frames in the copy buffer, also on the short cut (lengthened while copying).
        page->InsertRows(rows, std::vector<FrameRecord>(100, NewNormalFrame()), "");
        page->SetSelection({0, 99, 1, 1});
        page->RunCellCommand(222, -1);
        undo.undo();
        QApplication::processEvents();
    }

    // One edit and its undo, each followed by a repaint of the visible grid.
    void Run(Edit edit) {
        switch (edit) {
            case Edit::InsertFrame:
                page->RunCellCommand(146, 10);
                break;
            case Edit::DeleteFrame:
                page->RunCellCommand(147, 10);
                break;
            case Edit::Paste100:
                page->RunCellCommand(223, 10);
                break;
            case Edit::InsertPart:
                page->RunHeaderCommand(143, 3);  // 26 parts: delete one, the undo inserts it
                break;
        }
        page->Grid()->viewport()->repaint();
        undo.undo();
        page->Grid()->viewport()->repaint();
    }
};

double SecondsOf(auto&& work, int repeats) {
    const auto start = Clock::now();
    for (int i = 0; i < repeats; ++i) {
        work();
    }
    return std::chrono::duration<double>(Clock::now() - start).count() / repeats;
}

// The record moves alone, on a bare cut of the same length.
double CopySeconds(Edit edit, int rows, int repeats) {
    Cut cut = FullCut(rows);
    const std::vector<FrameRecord> hundred(100, cut.Frame(0));
    return SecondsOf(
        [&] {
            switch (edit) {
                case Edit::InsertFrame:
                    cut.Insert(10, NewNormalFrame());
                    cut.Erase(10);
                    break;
                case Edit::DeleteFrame: {
                    const std::vector<FrameRecord> removed = CopyFrames(cut, 10, 10);
                    cut.Erase(10);
                    cut.InsertFrames(10, removed);
                    break;
                }
                case Edit::Paste100:
                    cut.InsertFrames(10, hundred);
                    cut.EraseFrames(10, static_cast<int>(hundred.size()));
                    break;
                case Edit::InsertPart: {
                    const std::vector<CellRecord> dropped = NormalFrameCells(cut, 3);
                    DeletePart(cut, 3);
                    InsertPart(cut, 3);
                    SetNormalFrameCells(cut, 3, dropped);
                    break;
                }
            }
            benchmark::DoNotOptimize(cut.Frames().data());
        },
        repeats);
}

void BM_TimeSheetEdit(benchmark::State& state) {
    App();
    const auto edit = static_cast<Edit>(state.range(0));
    Sheet longSheet(20000);
    Sheet shortSheet(60);
    double longTotal = 0;
    double shortTotal = 0;
    for (auto _ : state) {
        longTotal += SecondsOf([&] { longSheet.Run(edit); }, 1);
        shortTotal += SecondsOf([&] { shortSheet.Run(edit); }, 1);
    }
    const double n = static_cast<double>(state.iterations());
    const double longSeconds = longTotal / n;
    const double shortSeconds = shortTotal / n;
    const double copySeconds = CopySeconds(edit, 20000, 20) - CopySeconds(edit, 60, 200);
    state.counters["long_ms"] = longSeconds * 1e3;
    state.counters["short_ms"] = shortSeconds * 1e3;
    state.counters["ratio"] = longSeconds / shortSeconds;
    state.counters["copy_ms"] = copySeconds * 1e3;
    state.counters["refresh_ratio"] = std::max(longSeconds - copySeconds, 0.0) / shortSeconds;
}
BENCHMARK(BM_TimeSheetEdit)
    ->ArgName("edit")
    ->Arg(static_cast<int>(Edit::InsertFrame))
    ->Arg(static_cast<int>(Edit::DeleteFrame))
    ->Arg(static_cast<int>(Edit::Paste100))
    ->Arg(static_cast<int>(Edit::InsertPart))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(30);

void BM_TabSwitch(benchmark::State& state) {
    App();
    QUndoStack undo;
    CTimeSheetBase sheet(nullptr, nullptr);
    sheet.SetUndoStack(&undo);
    sheet.RemoveAllCuts();
    const auto open = Clock::now();
    for (int i = 0; i < kMaxCuts; ++i) {
        sheet.AppendCut(FullCut(2048));
    }
    sheet.resize(900, 700);
    sheet.show();
    QApplication::processEvents();
    const double openSeconds = std::chrono::duration<double>(Clock::now() - open).count();
    int next = 1;
    double total = 0;
    for (auto _ : state) {
        total += SecondsOf(
            [&] {
                sheet.SelectCut(next);
                sheet.repaint();
            },
            1);
        next = (next + 1) % kMaxCuts;
    }
    state.counters["open_ms"] = openSeconds * 1e3;
    state.counters["ms_per_switch"] = total / static_cast<double>(state.iterations()) * 1e3;
}
BENCHMARK(BM_TabSwitch)->Unit(benchmark::kMillisecond)->Iterations(64);

}  // namespace
}  // namespace plk::bench
