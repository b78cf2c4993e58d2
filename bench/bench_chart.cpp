// Painting the chart window: 10 series over 20,000 snapshots, whole and zoomed in.
//   bench_chart [snapshots, default 20000] [file path]
// Needs a display, as it opens the viewer's windows. Prints the time of a full paint of grid,
// axes, series and legend into a memory bitmap, and of a repaint of the window on the screen.
#include "bench_files.h"
#include "chart/chart.h"
#include "chart/series_thinning.h"
#include "qvr/debug_reader.h"
#include "rtl/exceptions.h"
#include "rtl/file_io.h"
#include "rtl/modality/message_box.h"
#include "support/debug_file_samples.h"
#include "support/debug_file_writer.h"
#include "vcl/base/windows_clean.h"
#include "vcl/core/application.h"
#include "vcl/graphics/bitmap.h"
#include "viewer/debug_info_drug_object.h"
#include "viewer/diagram_form.h"
#include "viewer/viewer_startup.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using TClock = std::chrono::steady_clock;

constexpr int ChartWidth = 1200;
constexpr int ChartHeight = 700;
constexpr int Rounds = 30;

const char* const SystemLeakNames[] = {"TFont", "TBrush", "TBitmap"};

// Counters that wander with a daily rhythm, and now and then a peak.
int WriteCounterFile(const std::string& path, int snapshots) {
    TDebugFileWriter file(path);
    uint32_t state = 1;
    auto next = [&state](int range) {
        state = state * 1664525u + 1013904223u;
        return int((state >> 8) % uint32_t(range));
    };
    for (int i = 0; i < snapshots; ++i) {
        const int wave = (i % 8640 < 4320 ? i % 8640 : 8640 - i % 8640) / 20;
        TDinamicSystemInfo counters;
        counters.SetTotalAllocatedMemory(50000000 + wave * 1000 + next(100000));
        counters.SetSystemMemory(80000000 + next(1000000));
        counters.SetVirtualMemory(120000000 + wave * 500 + next(1000000));
        counters.SetRunTasksThreads(10 + next(40) + (next(500) == 0 ? 200 : 0));
        counters.SetOpenSessions(20 + wave / 4 + next(30));
        counters.SetLoginUsers(10 + wave / 8 + next(20));
        std::vector<std::pair<int, std::string>> leaks;
        for (const char* name : SystemLeakNames)
            leaks.emplace_back(100 + wave + next(50), name);
        file.Snapshot(SampleKey(i), "2.5.1.7",
                      TDebugBlockWriter()
                          .Section("SystemParams", SystemParamsBody(counters))
                          .Section("SystemLeakObjects", SystemLeakObjectsBody(leaks))
                          .Data());
    }
    file.Flush();
    return snapshots;
}

void DropParameters(TfmDiagramForm& diagram) {
    auto* drag = new TDebugInfoDrugObject;
    for (const char* counter : {"TotalAllocatedMemory", "SystemMemory", "VirtualMemory",
                                "RunTasksThreads", "OpenSessions", "LoginUsers", "WorkThreads"})
        drag->Params->AddObject(counter, IntToObject(dioDinamicSystemInfo));
    for (const char* name : SystemLeakNames)
        drag->Params->AddObject(name, IntToObject(dioSystemLeak));
    diagram.DiagramDragDrop(diagram.Diagram, drag, 10, 10);
    drag->Finished(diagram.Diagram, 10, 10, true);
}

struct TTimes {
    double Best = 1e9, Mean = 0, Worst = 0;
};

template <class Paint> TTimes Measure(Paint paint) {
    TTimes times;
    paint(); // a warm start: fonts and brushes made
    for (int i = 0; i < Rounds; ++i) {
        const TClock::time_point start = TClock::now();
        paint();
        const double ms = Seconds(start) * 1000;
        times.Best = std::min(times.Best, ms);
        times.Worst = std::max(times.Worst, ms);
        times.Mean += ms / Rounds;
    }
    return times;
}

void PrintTimes(const char* what, const TTimes& t) {
    std::printf("%-34s best %6.2f ms, mean %6.2f ms, worst %6.2f ms\n", what, t.Best, t.Mean,
                t.Worst);
}

// The points drawn after thinning, over all data series.
size_t PointsDrawn(TChart& chart) {
    const TChartLayout layout = chart.Layout();
    size_t drawn = 0;
    for (int i = TfmDiagramForm::MarkerCount; i < chart.SeriesCount(); ++i)
        drawn +=
            SeriesPixels(chart.Series(i)->Points(), layout.Bottom.Scale, layout.Left.Scale).size();
    return drawn;
}

void Drag(TChart& chart, TPoint from, TPoint to) {
    const HWND window = chart.Handle();
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.X, from.Y));
    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.X, to.Y));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(to.X, to.Y));
}

void MeasureChart(TChart& chart, const char* state) {
    TBitmap bitmap(chart.Width(), chart.Height());
    const HWND window = chart.Handle();
    char what[80];
    std::snprintf(what, sizeof what, "paint into a bitmap (%s)", state);
    PrintTimes(what, Measure([&] { SendMessageW(window, WM_PAINT, WPARAM(bitmap.DC()), 0); }));
    std::snprintf(what, sizeof what, "repaint on the screen (%s)", state);
    PrintTimes(what, Measure([&] {
                   InvalidateRect(window, nullptr, FALSE);
                   UpdateWindow(window);
                   GdiFlush();
               }));
    PrintTimes("layout alone", Measure([&] { chart.Layout(); }));
    // The series drawn with a null pen: everything but the lines themselves.
    for (int i = TfmDiagramForm::MarkerCount; i < chart.SeriesCount(); ++i)
        chart.Series(i)->SetPenStyle(psClear);
    PrintTimes("paint without the lines",
               Measure([&] { SendMessageW(window, WM_PAINT, WPARAM(bitmap.DC()), 0); }));
    for (int i = TfmDiagramForm::MarkerCount; i < chart.SeriesCount(); ++i)
        chart.Series(i)->SetPenStyle(psSolid);
    size_t drawn = 0;
    PrintTimes("layout and thinning", Measure([&] { drawn = PointsDrawn(chart); }));
    std::printf("%-34s %zu of %d\n", "points drawn", drawn,
                (chart.SeriesCount() - TfmDiagramForm::MarkerCount) *
                    chart.Series(TfmDiagramForm::MarkerCount)->Count());
}

int Run(int snapshots, const std::string& path) {
    SetMessageBoxHook([](const std::string& text, const std::string&, unsigned) {
        std::printf("message: %s\n", text.c_str());
        return IDOK;
    });
    std::printf("writing %s ...\n", path.c_str());
    WriteCounterFile(path, snapshots);

    TViewerSession session;
    DebugReader->ReadFile(path);
    DeleteFileByName(path);
    TfmDiagramForm& diagram = *fmDiagramForm;
    diagram.SetBounds(0, 0, ChartWidth, ChartHeight);
    diagram.Show();
    DropParameters(diagram);
    Application->ProcessMessages();
    TChart& chart = *diagram.Diagram;
    std::printf("snapshots %d, data series %d, chart %d x %d pixels\n", DebugReader->Count(),
                chart.SeriesCount() - TfmDiagramForm::MarkerCount, chart.Width(), chart.Height());

    MeasureChart(chart, "whole");
    // Zooming in by the mouse three times, each to a fifth of the plot's width.
    for (int step = 1; step <= 3; ++step) {
        const TRect plot = chart.Layout().Plot;
        const int middle = (plot.Left + plot.Right) / 2, fifth = (plot.Right - plot.Left) / 10;
        Drag(chart, {middle - fifth, plot.Top + 1}, {middle + fifth, plot.Bottom - 2});
        const TClock::time_point start = TClock::now();
        UpdateWindow(chart.Handle());
        std::printf("zoom %d: first repaint %.2f ms\n", step, Seconds(start) * 1000);
    }
    MeasureChart(chart, "zoomed 125x");
    std::printf("goal: a full paint under 16 ms\n");
    return chart.Zoomed() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    const TBenchArguments arguments = NumberAndPath(argc, argv, 20000, "qvr_bench_chart.dbg");
    return RunReporting([&] { return Run(int(arguments.Number), arguments.Path); });
}
