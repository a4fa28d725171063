// The window's whole recalculation: the schedule, the table fill with the
// grid attached, the column fit and the result texts (off-screen platform).
#include "ui/tfrmminpmt.h"
#include "ui/numericedit.h"
#include "ui/schedulemodel.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

void recalculate(benchmark::State &state, long double balance, long double apr, long double percent, bool paint)
{
    TfrmMinPmt window;
    window.messageDialogHook = [](const QString &, QMessageBox::Icon, QMessageBox::StandardButtons) {
        return int(QMessageBox::Ok);
    };
    window.show();
    window.edtBalance->setValue(balance);
    window.edtAPR->setValue(apr);
    window.edtMinPmtPct->setValue(percent);
    QApplication::processEvents();
    for (auto _ : state) {
        window.Recalculate();
        if (paint)
            QApplication::processEvents(); // the repaint that follows
    }
    state.counters["rows"] = window.ClientDataSet1->rowCount();
}

void Defaults(benchmark::State &state) { recalculate(state, 2100, 17.9L, 2.5L, false); }
void ZeroRateFloor(benchmark::State &state) { recalculate(state, 50000, 0, 0, false); }
void ZeroRateFloorPainted(benchmark::State &state) { recalculate(state, 50000, 0, 0, true); }

} // namespace

BENCHMARK(Defaults)->Name("Recalculate/Defaults")->Unit(benchmark::kMicrosecond);
BENCHMARK(ZeroRateFloor)->Name("Recalculate/ZeroRateFloor")->Unit(benchmark::kMicrosecond);
// The same with the window's repaint that follows the event.
BENCHMARK(ZeroRateFloorPainted)->Name("Recalculate/ZeroRateFloorPainted")->Unit(benchmark::kMicrosecond);
