#include "viewer/diagram_form.h"

#include "chart/chart.h"
#include "qvr/debug_reader.h"
#include "qvr/debug_value.h"
#include "rtl/published.h"
#include "vcl/core/menus.h"
#include "viewer/debug_info_drug_object.h"
#include "viewer/diagram_values.h"

#include <memory>
#include <vector>

TfmDiagramForm* fmDiagramForm = nullptr;

namespace {

std::unique_ptr<TLineSeries> NewMarker(const std::string& title, TColor color, int width,
                                       TPenStyle style) {
    auto marker = std::make_unique<TLineSeries>();
    marker->SetTitle(title);
    marker->SetColor(color);
    marker->SetPenWidth(width);
    marker->SetPenStyle(style);
    marker->SetShowInLegend(false);
    marker->SetXValuesDateTime(true);
    return marker;
}

} // namespace

const TClassInfo& TfmDiagramForm::StaticClassInfo() {
    static const TLasting<TClassInfo> info("TfmDiagramForm", &TfmDebugInfo::StaticClassInfo());
    return *info;
}

TfmDiagramForm::TfmDiagramForm(TComponent* AOwner) : TfmDebugInfo(AOwner) {
    SetName("fmDiagramForm");
    SetCaption("Diagram");
    BuildPopup();
    BuildDiagram();
    BuildMarkers();
}

void TfmDiagramForm::BuildDiagram() {
    Diagram = new TChart(this);
    Diagram->SetName("Diagram");
    Diagram->SetParent(this);
    Diagram->SetAlign(alClient);
    Diagram->Legend()->SetColorWidth(10);
    Diagram->Legend()->SetTopPos(4);
    Diagram->LeftAxis()->SetAutomatic(false);
    Diagram->LeftAxis()->SetAutomaticMinimum(false);
    Diagram->OnZoom = ::Bind(this, &TfmDiagramForm::UpdateDiagramTimeLinePosition);
    Diagram->OnUndoZoom = ::Bind(this, &TfmDiagramForm::UpdateDiagramTimeLinePosition);
    Diagram->OnGetLegendText = ::Bind(this, &TfmDiagramForm::DiagramGetLegendText);
    Diagram->OnDragOver = ::Bind(this, &TfmDiagramForm::DiagramDragOver);
    Diagram->OnDragDrop = ::Bind(this, &TfmDiagramForm::DiagramDragDrop);
    Diagram->SetPopupMenu(pmDiagram);
}

void TfmDiagramForm::BuildMarkers() {
    sCurrentTime = Diagram->AddSeries(NewMarker("Position", clBlack, 2, psSolid));
    sStartTime = Diagram->AddSeries(NewMarker("SelStart", clBlue, 1, psDash));
    sEndTime = Diagram->AddSeries(NewMarker("SelEnd", clBlue, 1, psDash));
}

void TfmDiagramForm::BuildPopup() {
    pmDiagram = new TPopupMenu(this);
    pmDiagram->SetName("pmDiagram");
    pmDiagram->OnPopup = ::Bind(this, &TfmDiagramForm::pmDiagramPopup);
    miUsePercent = AddMenuItem("Show in percent of Max", 0);
    miUsePercent->SetName("miUsePercent");
    miUsePercent->SetChecked(true);
    miUsePercent->OnClick = ::Bind(this, &TfmDiagramForm::acShowInPercentOfMaxExecute);
}

TMenuItem* TfmDiagramForm::AddMenuItem(const std::string& caption, intptr_t tag) {
    auto* item = new TMenuItem(pmDiagram);
    item->SetCaption(caption);
    item->SetTag(tag);
    pmDiagram->Items()->Add(item);
    return item;
}

int TfmDiagramForm::DataSeriesCount() const {
    return Diagram->SeriesCount() - MarkerCount;
}

bool TfmDiagramForm::ShowInPercentOfMax() const {
    return miUsePercent->Checked();
}

void TfmDiagramForm::Clear() {
    while (Diagram->SeriesCount() > MarkerCount)
        Diagram->FreeSeries(Diagram->SeriesCount() - 1);
    TfmDebugInfo::Clear();
}

void TfmDiagramForm::FillControls() {
    RedrawDataSeries();
    UpdateDiagramTimeLinePosition(this);
}

void TfmDiagramForm::RedrawDataSeries() {
    for (int i = MarkerCount; i < Diagram->SeriesCount(); ++i)
        DrawParamSeries(Diagram->Series(i));
}

void TfmDiagramForm::UpdateCurrentDebugInfoIndex() {
    DrawTimeLine(sCurrentTime, DebugReader->GetDebugInfo(CurrentDebugInfoIndex()));
}

void TfmDiagramForm::UpdateDebugInfoInterval() {
    DrawTimeLine(sStartTime, DebugReader->GetDebugInfo(StartDebugInfoIndex()));
    DrawTimeLine(sEndTime, DebugReader->GetDebugInfo(EndDebugInfoIndex()));
}

void TfmDiagramForm::UpdateDiagramTimeLinePosition(TObject* Sender) {
    SpanTheSnapshots();
    // Markers left from before would hold the automatic axis open at their old height.
    EmptyMarkers();
    UpdateCurrentDebugInfoIndex();
    UpdateDebugInfoInterval();
}

void TfmDiagramForm::SpanTheSnapshots() {
    // Without data series the time axis has nothing to follow, so it shows the snapshots' times.
    const std::optional<TValueRange> span =
        DataSeriesCount() == 0 ? SnapshotTimeSpan(*DebugReader) : std::nullopt;
    TChartAxis* axis = Diagram->BottomAxis();
    if (span) {
        axis->SetMinimum(span->Min);
        axis->SetMaximum(span->Max);
    }
    axis->SetAutomaticMinimum(!span);
    axis->SetAutomaticMaximum(!span);
    axis->SetAutomatic(!span);
}

void TfmDiagramForm::EmptyMarkers() {
    for (TLineSeries* marker : {sCurrentTime, sStartTime, sEndTime})
        marker->Clear();
}

void TfmDiagramForm::AddParamsToDiagram(TDebugInfoDrugObject* DrugObject) {
    TStringList& params = *DrugObject->Params;
    for (int i = 0; i < params.Count(); ++i) {
        auto series = std::make_unique<TLineSeries>();
        series->SetTitle(params.Get(i));
        series->SetXValuesDateTime(true);
        series->SetTag(ObjectToInt(params.Objects(i)));
        DrawParamSeries(Diagram->AddSeries(std::move(series)));
    }
    Diagram->Repaint();
    UpdateDiagramTimeLinePosition(this);
}

void TfmDiagramForm::DrawParamSeries(TLineSeries* Series) {
    Series->Clear();
    const auto kind = TDebugInfoObgect(Series->Tag() & 0xFF);
    std::vector<double> times;
    std::vector<int64_t> values;
    for (int i = 0; i < DebugReader->Count(); ++i) {
        const TDebugInfo* di = DebugReader->GetDebugInfo(i);
        times.push_back(di->Time);
        values.push_back(GetDebugValue(kind, Series->Title(), di).AsInteger());
    }
    if (ShowInPercentOfMax())
        values = PercentOfMax(values);
    for (size_t i = 0; i < times.size(); ++i)
        Series->AddXY(times[i], double(values[i]));
}

void TfmDiagramForm::DrawTimeLine(TLineSeries* Series, const TDebugInfo* DI) {
    if (!DI || DataSeriesCount() == 0) {
        Series->Clear();
        return;
    }
    double minimum = Diagram->LeftAxis()->CurrentMinimum();
    double maximum = Diagram->LeftAxis()->CurrentMaximum();
    if (Series->Count() == 2) {
        Series->MovePoint(0, DI->Time, minimum);
        Series->MovePoint(1, DI->Time, maximum);
    } else {
        Series->Clear();
        Series->AddXY(DI->Time, minimum);
        Series->AddXY(DI->Time, maximum);
    }
    Series->Repaint();
}

void TfmDiagramForm::DiagramGetLegendText(TObject* Sender, int SeriesIndex,
                                          std::string& LegendText) {
    LegendText = ShortTitle(Diagram->Series(SeriesIndex)->Title());
}

void TfmDiagramForm::DiagramDragOver(TObject* Sender, TObject* Source, int X, int Y,
                                     TDragState State, bool& Accept) {
    Accept = dynamic_cast<TDebugInfoDrugObject*>(Source) != nullptr;
}

void TfmDiagramForm::DiagramDragDrop(TObject* Sender, TObject* Source, int X, int Y) {
    if (auto* drugObject = dynamic_cast<TDebugInfoDrugObject*>(Source))
        AddParamsToDiagram(drugObject);
}

void TfmDiagramForm::pmDiagramPopup(TObject* Sender) {
    BuildPopupMenu();
}

void TfmDiagramForm::BuildPopupMenu() {
    TMenuItem* items = pmDiagram->Items();
    while (items->Count() > 1)
        items->Items(items->Count() - 1)->Free();
    if (DataSeriesCount() == 0)
        return;
    AddMenuItem("-", 0);
    AddMenuItem("Delete all", -1)->OnClick = ::Bind(this, &TfmDiagramForm::pmItemClick);
    for (int i = MarkerCount; i < Diagram->SeriesCount(); ++i)
        AddMenuItem("Delete " + ShortTitle(Diagram->Series(i)->Title()), i)->OnClick =
            ::Bind(this, &TfmDiagramForm::pmItemClick);
}

void TfmDiagramForm::pmItemClick(TObject* Sender) {
    const intptr_t tag = static_cast<TMenuItem*>(Sender)->Tag();
    for (int i = Diagram->SeriesCount() - 1; i >= MarkerCount; --i)
        if (tag == -1 || tag == i)
            Diagram->FreeSeries(i);
    Diagram->Repaint();
    // The markers span what is left, and vanish with the last data series.
    UpdateDiagramTimeLinePosition(this);
}

void TfmDiagramForm::acShowInPercentOfMaxExecute(TObject* Sender) {
    miUsePercent->SetChecked(!miUsePercent->Checked());
    if (miUsePercent->Checked())
        Diagram->LeftAxis()->SetMaximum(100.0);
    RedrawDataSeries();
    Diagram->Repaint();
    UpdateDiagramTimeLinePosition(this);
}

void TfmDiagramForm::BeforeDestruction() {
    if (fmDiagramForm == this)
        fmDiagramForm = nullptr;
    TfmDebugInfo::BeforeDestruction();
}
