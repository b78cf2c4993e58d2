#pragma once
#include "vcl/base/controls_types.h"
#include "viewer/debug_info_form.h"

#include <string>

class TChart;
class TDebugInfoDrugObject;
class TLineSeries;
class TMenuItem;
class TPopupMenu;

// Draws counters over time. Parameters dragged from a tree window become line series with one
// point per snapshot of the store, shown as they are or each as a percentage of its own
// maximum. Three marker series show the current snapshot and the two ends of the interval as
// vertical lines over the whole left axis.
class TfmDiagramForm : public TfmDebugInfo {
public:
    explicit TfmDiagramForm(TComponent* AOwner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // Removes the data series, then places the markers (emptied with an empty store).
    void Clear() override;
    // After a file is read the data series are drawn again from the store, so the chart shows
    // exactly the snapshots held; then the markers are placed.
    void FillControls() override;
    void UpdateCurrentDebugInfoIndex() override;
    void UpdateDebugInfoInterval() override;

    // One new series per line of the drag object's Params, filled from the store.
    void AddParamsToDiagram(TDebugInfoDrugObject* DrugObject);
    void DrawParamSeries(TLineSeries* Series);
    // A vertical segment at the snapshot's time from the left axis's minimum to its maximum;
    // empty without a snapshot or without data series.
    void DrawTimeLine(TLineSeries* Series, const TDebugInfo* DI);
    // Places all three markers afresh, after a zoom or a change of the data series.
    void UpdateDiagramTimeLinePosition(TObject* Sender);
    // The percent command first, then "Delete all" and one "Delete <title>" per data series.
    void BuildPopupMenu();
    int DataSeriesCount() const;
    bool ShowInPercentOfMax() const;

    void DiagramGetLegendText(TObject* Sender, int SeriesIndex, std::string& LegendText);
    void DiagramDragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State,
                         bool& Accept);
    void DiagramDragDrop(TObject* Sender, TObject* Source, int X, int Y);
    void pmDiagramPopup(TObject* Sender);
    void pmItemClick(TObject* Sender);
    void acShowInPercentOfMaxExecute(TObject* Sender);

    // The markers come first in the chart's series list, the data series after them.
    static constexpr int MarkerCount = 3;

    TChart* Diagram = nullptr;
    TPopupMenu* pmDiagram = nullptr;
    TMenuItem* miUsePercent = nullptr;
    TLineSeries* sCurrentTime = nullptr;
    TLineSeries* sStartTime = nullptr;
    TLineSeries* sEndTime = nullptr;

protected:
    void BeforeDestruction() override;

private:
    void BuildDiagram();
    void BuildMarkers();
    void BuildPopup();
    TMenuItem* AddMenuItem(const std::string& caption, intptr_t tag);
    void RedrawDataSeries();
    void EmptyMarkers();
    void SpanTheSnapshots();
};

extern TfmDiagramForm* fmDiagramForm;
