#include "viewer_fixture.h"

#include "chart/chart.h"
#include "qvr/debug_reader.h"
#include "support/debug_file_writer.h"
#include "vcl/controls/button.h"
#include "vcl/controls/track_bar.h"
#include "vcl/core/custom_control.h"
#include "vcl/core/menus.h"
#include "viewer/debug_info_drug_object.h"
#include "viewer/diagram_form.h"
#include "viewer/diagram_values.h"

#include <memory>
#include <utility>
#include <vector>

namespace {

using TParams = std::vector<std::pair<std::string, TDebugInfoObgect>>;

// Written out of time order: the store puts 1 February last.
const std::vector<std::string> Keys = {"01.02.2006 10:00:00", "02.01.2006 10:00:00",
                                       "03.01.2006 10:00:00"};

struct TPlot {
    std::vector<double> X;
    std::vector<double> Y;
};

TPlot PlotOf(const TLineSeries* series) {
    TPlot plot;
    for (int i = 0; i < series->Count(); ++i) {
        plot.X.push_back(series->XValue(i));
        plot.Y.push_back(series->YValue(i));
    }
    return plot;
}

std::vector<double> YValues(const TLineSeries* series) {
    return PlotOf(series).Y;
}

class DiagramTest : public ViewerTest {
protected:
    DiagramTest() : Diagram(*fmDiagramForm) { Diagram.Show(); }

    // Snapshots whose open sessions count the given values, one per key.
    std::string WriteCounters(const std::string& name, const std::vector<std::string>& keys,
                              const std::vector<int>& sessions, const std::string& build = "2.5") {
        const std::string path = Folder.File(name);
        TDebugFileWriter file(path);
        for (size_t i = 0; i < keys.size(); ++i) {
            TDinamicSystemInfo counters;
            counters.SetOpenSessions(sessions[i]);
            file.Snapshot(
                keys[i], build,
                TDebugBlockWriter().Section("SystemParams", SystemParamsBody(counters)).Data());
        }
        file.Flush();
        return path;
    }

    static TDebugInfoDrugObject* DragOf(const TParams& params) {
        auto* drag = new TDebugInfoDrugObject;
        for (const auto& [path, kind] : params)
            drag->Params->AddObject(path, IntToObject(kind));
        return drag;
    }

    // A drop as the chart gets it; the drag then ends as every drag does.
    void Drop(const TParams& params) {
        TDebugInfoDrugObject* drag = DragOf(params);
        Diagram.DiagramDragDrop(Diagram.Diagram, drag, 10, 10);
        drag->Finished(Diagram.Diagram, 10, 10, true);
    }

    TLineSeries* Data(int index) const {
        return Diagram.Diagram->Series(TfmDiagramForm::MarkerCount + index);
    }
    double TimeAt(int index) const { return DebugReader->GetDebugInfo(index)->Time; }

    std::vector<std::string> MenuCaptions() const {
        std::vector<std::string> captions;
        for (int i = 0; i < Diagram.pmDiagram->Items()->Count(); ++i)
            captions.push_back(Diagram.pmDiagram->Items()->Items(i)->Caption());
        return captions;
    }
    void ClickMenu(const std::string& caption) {
        Diagram.pmDiagramPopup(Diagram.pmDiagram);
        TMenuItem* items = Diagram.pmDiagram->Items();
        for (int i = 0; i < items->Count(); ++i)
            if (items->Items(i)->Caption() == caption)
                return items->Items(i)->Click();
        ADD_FAILURE() << "no menu item " << caption;
    }

    TfmDiagramForm& Diagram;
};

} // namespace

TEST(DiagramValues, PercentOfMaxRoundsHalvesToEven) {
    EXPECT_EQ(PercentOfMax({5, 10, 20}), (std::vector<int64_t>{25, 50, 100}));
    EXPECT_EQ(PercentOfMax({1, 3, 8}), (std::vector<int64_t>{12, 38, 100}));
    EXPECT_EQ(PercentOfMax({0, 0}), (std::vector<int64_t>{0, 0}));
    EXPECT_EQ(PercentOfMax({}), (std::vector<int64_t>{}));
    EXPECT_EQ(ShortTitle("TFoo\\Unit.Proc"), "TFoo\\Unit");
    EXPECT_EQ(ShortTitle("OpenSessions"), "OpenSessions");
}

TEST_F(DiagramTest, TheWindowStartsWithTheThreeMarkersAndPercentOn) {
    EXPECT_EQ(Diagram.Caption(), "Diagram");
    TChart* chart = Diagram.Diagram;
    ASSERT_EQ(chart->SeriesCount(), 3);
    EXPECT_EQ(chart->Series(0), Diagram.sCurrentTime);
    EXPECT_EQ(Diagram.sCurrentTime->Title(), "Position");
    EXPECT_EQ(Diagram.sCurrentTime->Color(), clBlack);
    EXPECT_EQ(Diagram.sCurrentTime->PenWidth(), 2);
    EXPECT_EQ(chart->Series(2)->Title(), "SelEnd");
    EXPECT_EQ(Diagram.sStartTime->PenStyle(), psDash);
    EXPECT_EQ(Diagram.sEndTime->Color(), clBlue);
    EXPECT_TRUE(Diagram.ShowInPercentOfMax());
    EXPECT_EQ(MenuCaptions(), (std::vector<std::string>{"Show in percent of Max"}));
    EXPECT_TRUE(chart->Layout().Legend.Empty()); // the markers are never listed
    EXPECT_EQ(chart->PopupMenu(), Diagram.pmDiagram);
}

TEST_F(DiagramTest, WithoutDataSeriesTheTimeAxisSpansTheSnapshotsOrShowsNoDates) {
    const auto labels = [this] {
        std::vector<std::string> texts;
        for (const TAxisTick& tick : Diagram.Diagram->Layout().Bottom.Ticks)
            texts.push_back(tick.Label);
        return texts;
    };
    EXPECT_TRUE(labels().empty()); // nothing read: no dates around 30.12.1899
    Main().OpenFile(WriteCounters("a.dbg", Keys, {20, 5, 10}));
    TValueRange shown = Diagram.Diagram->BottomAxis()->Range();
    EXPECT_DOUBLE_EQ(shown.Min, TimeAt(0));
    EXPECT_DOUBLE_EQ(shown.Max, TimeAt(2));
    ASSERT_FALSE(labels().empty());
    EXPECT_EQ(labels().front().find("29.12"), std::string::npos) << labels().front();

    Drop({{"OpenSessions", dioDinamicSystemInfo}});
    shown = Diagram.Diagram->BottomAxis()->Range();
    EXPECT_DOUBLE_EQ(shown.Min, TimeAt(0));
    Main().ClearAll();
    Diagram.Clear();
    EXPECT_TRUE(labels().empty());
}

TEST_F(DiagramTest, DroppedCountersAreDrawnOverAllSnapshotsInPercentAndValues) {
    // Written 20, 5, 10; in time order 5, 10, 20.
    Main().OpenFile(WriteCounters("a.dbg", Keys, {20, 5, 10}));
    Drop({{"OpenSessions", dioDinamicSystemInfo}, {"Errors", dioDinamicSystemInfo}});
    ASSERT_EQ(Diagram.DataSeriesCount(), 2);
    TLineSeries* sessions = Data(0);
    EXPECT_EQ(sessions->Title(), "OpenSessions");
    EXPECT_EQ(sessions->Tag(), dioDinamicSystemInfo);
    EXPECT_EQ(PlotOf(sessions).X, (std::vector<double>{TimeAt(0), TimeAt(1), TimeAt(2)}));
    EXPECT_EQ(YValues(sessions), (std::vector<double>{25, 50, 100}));
    EXPECT_EQ(YValues(Data(1)), (std::vector<double>{0, 0, 0}));
    EXPECT_EQ(Diagram.Diagram->LeftAxis()->CurrentMaximum(), 100);

    Diagram.acShowInPercentOfMaxExecute(Diagram.miUsePercent);
    EXPECT_FALSE(Diagram.ShowInPercentOfMax());
    EXPECT_EQ(YValues(sessions), (std::vector<double>{5, 10, 20}));
    EXPECT_EQ(YValues(Data(1)), (std::vector<double>{0, 0, 0}));
    EXPECT_EQ(Diagram.Diagram->LeftAxis()->CurrentMaximum(), 20);
    // The markers span the values' axis, not the percentages' one.
    EXPECT_EQ(YValues(Diagram.sCurrentTime), (std::vector<double>{0, 20}));

    // The same parameter dropped again is a second series.
    Drop({{"OpenSessions", dioDinamicSystemInfo}});
    EXPECT_EQ(Diagram.DataSeriesCount(), 3);
    EXPECT_EQ(YValues(Data(2)), (std::vector<double>{5, 10, 20}));
}

TEST_F(DiagramTest, MarkersFollowTheTimeLineAndTheInterval) {
    Main().OpenFile(WriteCounters("a.dbg", Keys, {20, 5, 10}));
    // Without data series there is nothing to mark.
    MoveTimeLine(1);
    EXPECT_EQ(Diagram.sCurrentTime->Count(), 0);

    Drop({{"OpenSessions", dioDinamicSystemInfo}});
    EXPECT_EQ(PlotOf(Diagram.sCurrentTime).X, (std::vector<double>{TimeAt(1), TimeAt(1)}));
    EXPECT_EQ(YValues(Diagram.sCurrentTime), (std::vector<double>{0, 100}));
    MoveTimeLine(2);
    EXPECT_EQ(PlotOf(Diagram.sCurrentTime).X, (std::vector<double>{TimeAt(2), TimeAt(2)}));

    MoveTimeLine(0);
    Click(Main().btnSetStartPos);
    MoveTimeLine(2);
    Click(Main().btnSetEndPos);
    EXPECT_EQ(PlotOf(Diagram.sStartTime).X, (std::vector<double>{TimeAt(0), TimeAt(0)}));
    EXPECT_EQ(PlotOf(Diagram.sEndTime).X, (std::vector<double>{TimeAt(2), TimeAt(2)}));
    EXPECT_EQ(YValues(Diagram.sEndTime), (std::vector<double>{0, 100}));

    // Clearing everything takes the data series and the markers.
    Click(Main().ToolButton3);
    EXPECT_EQ(Diagram.Diagram->SeriesCount(), 3);
    for (TLineSeries* marker : {Diagram.sCurrentTime, Diagram.sStartTime, Diagram.sEndTime})
        EXPECT_EQ(marker->Count(), 0);
}

TEST_F(DiagramTest, ZoomAndItsUndoKeepTheMarkersSpanningTheLeftAxis) {
    Main().OpenFile(WriteCounters("a.dbg", Keys, {20, 5, 10}));
    Drop({{"OpenSessions", dioDinamicSystemInfo}});
    TChart* chart = Diagram.Diagram;
    TRect plot = chart->Layout().Plot;
    SendMouse(chart, WM_LBUTTONDOWN, plot.Left + 10, plot.Top + 10, MK_LBUTTON);
    SendMouse(chart, WM_MOUSEMOVE, plot.Right - 10, plot.Bottom - 20, MK_LBUTTON);
    SendMouse(chart, WM_LBUTTONUP, plot.Right - 10, plot.Bottom - 20);
    ASSERT_TRUE(chart->Zoomed());
    double low = chart->LeftAxis()->CurrentMinimum(), high = chart->LeftAxis()->CurrentMaximum();
    EXPECT_GT(low, 0);
    EXPECT_LT(high, 100);
    for (TLineSeries* marker : {Diagram.sCurrentTime, Diagram.sStartTime, Diagram.sEndTime})
        EXPECT_EQ(YValues(marker), (std::vector<double>{low, high})) << marker->Title();

    SendMouse(chart, WM_LBUTTONDOWN, plot.Right - 10, plot.Top + 10, MK_LBUTTON);
    SendMouse(chart, WM_MOUSEMOVE, plot.Left + 10, plot.Top + 10, MK_LBUTTON);
    SendMouse(chart, WM_LBUTTONUP, plot.Left + 10, plot.Top + 10);
    EXPECT_FALSE(chart->Zoomed());
    for (TLineSeries* marker : {Diagram.sCurrentTime, Diagram.sStartTime, Diagram.sEndTime})
        EXPECT_EQ(YValues(marker), (std::vector<double>{0, 100})) << marker->Title();
}

TEST_F(DiagramTest, TheMenuDeletesOneDataSeriesOrAll) {
    Main().OpenFile(WriteCounters("a.dbg", Keys, {20, 5, 10}));
    Drop({{"OpenSessions", dioDinamicSystemInfo}, {"TFoo\\Unit.Proc", dioBLLLeak}});
    Diagram.pmDiagramPopup(Diagram.pmDiagram);
    EXPECT_EQ(MenuCaptions(),
              (std::vector<std::string>{"Show in percent of Max", "-", "Delete all",
                                        "Delete OpenSessions", "Delete TFoo\\Unit"}));
    EXPECT_EQ(Diagram.pmDiagram->Items()->Items(4)->Tag(), 4);
    std::vector<std::string> legend;
    for (const TLegendRow& row : Diagram.Diagram->Layout().Legend.Rows)
        legend.push_back(row.Text);
    EXPECT_EQ(legend, (std::vector<std::string>{"OpenSessions", "TFoo\\Unit"}));

    ClickMenu("Delete OpenSessions");
    ASSERT_EQ(Diagram.DataSeriesCount(), 1);
    EXPECT_EQ(Data(0)->Title(), "TFoo\\Unit.Proc");
    EXPECT_EQ(Diagram.sCurrentTime->Count(), 2);
    ClickMenu("Delete all");
    EXPECT_EQ(Diagram.Diagram->SeriesCount(), 3);
    EXPECT_EQ(Diagram.sCurrentTime->Count(), 0); // nothing left to mark
    Diagram.pmDiagramPopup(Diagram.pmDiagram);
    EXPECT_EQ(MenuCaptions(), (std::vector<std::string>{"Show in percent of Max"}));
}

TEST_F(DiagramTest, ReadingAFileRedrawsTheSeriesFromTheStore) {
    Main().OpenFile(WriteCounters("a.dbg", Keys, {20, 5, 10}));
    Drop({{"OpenSessions", dioDinamicSystemInfo}});
    Diagram.acShowInPercentOfMaxExecute(Diagram.miUsePercent);
    Main().OpenFile(WriteCounters("b.dbg", {"04.01.2006 10:00:00"}, {40}));
    EXPECT_EQ(YValues(Data(0)), (std::vector<double>{5, 10, 40, 20}));
    EXPECT_EQ(YValues(Diagram.sCurrentTime), (std::vector<double>{0, 40}));

    // Another build drops the snapshots read before; the chart drops them too.
    Main().OpenFile(WriteCounters("c.dbg", {"05.01.2006 10:00:00"}, {7}, "2.6"));
    ASSERT_EQ(DebugReader->Count(), 1);
    EXPECT_EQ(PlotOf(Data(0)).X, (std::vector<double>{TimeAt(0)}));
    EXPECT_EQ(YValues(Diagram.sCurrentTime), (std::vector<double>{0, 7}));
}

TEST_F(DiagramTest, AParameterDraggedFromAnotherWindowIsDroppedOnTheChart) {
    Main().OpenFile(WriteCounters("a.dbg", Keys, {20, 5, 10}));
    auto source = MakeOwned<TForm>();
    source->SetBorderStyle(bsNone);
    source->SetBounds(0, 0, 120, 120);
    auto* row = new TCustomControl(source.get());
    row->SetParent(source.get());
    row->SetBounds(0, 0, 100, 100);
    row->SetDragMode(dmAutomatic);
    row->OnStartDrag = [](TObject*, TDragObject*& object) {
        object = DragOf({{"OpenSessions", dioDinamicSystemInfo}});
    };
    source->Show();
    Diagram.SetBounds(300, 200, 551, 300);
    Diagram.BringToFront();

    ASSERT_TRUE(DragAcross(row, Diagram.Diagram->ClientToScreen(Point(100, 100))));

    ASSERT_EQ(Diagram.DataSeriesCount(), 1);
    EXPECT_EQ(YValues(Data(0)), (std::vector<double>{25, 50, 100}));
    EXPECT_EQ(TDragManager::Source(), nullptr);

    // Painted: the line through the middle snapshot (50 %) and the current position's marker.
    TChart* chart = Diagram.Diagram;
    TChartLayout layout = chart->Layout();
    TPaintedPixels pixels(chart, chart->ClientWidth(), chart->ClientHeight());
    EXPECT_TRUE(pixels.Around(layout.Bottom.Scale.ValueToPixel(TimeAt(1)),
                              layout.Left.Scale.ValueToPixel(50), PixelOf(Data(0)->Color())));
    int marker = layout.Bottom.Scale.ValueToPixel(TimeAt(Main().tbTime->Position()));
    EXPECT_EQ(pixels.At(marker, layout.Left.Scale.ValueToPixel(80)), PixelOf(clBlack));
}
