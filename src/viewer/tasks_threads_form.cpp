#include "viewer/tasks_threads_form.h"

#include "qvr/debug_reader.h"
#include "qvr/task_info.h"
#include "qztree/tree/items/tree_item.h"
#include "rtl/events.h"
#include "rtl/published.h"
#include "rtl/scope_guards.h"
#include "rtl/strings.h"
#include "vcl/controls/edit.h"
#include "vcl/controls/splitter.h"
#include "vcl/controls/status_bar.h"
#include "vcl/controls/tab_control.h"
#include "vcl/graphics/img_list.h"
#include "viewer/detail_memo.h"
#include "viewer/task_tabs.h"
#include "viewer/tool_bar_images.h"
#include "viewer/tree_window_values.h"
#include "viewer/viewer_tree.h"

#include <optional>

TfmTasksThreads* fmTasksThreads = nullptr;

const TClassInfo& TfmTasksThreads::StaticClassInfo() {
    static const TLasting<TClassInfo> info("TfmTasksThreads", &TfmDebugInfo::StaticClassInfo());
    return *info;
}

TfmTasksThreads::TfmTasksThreads(TComponent* AOwner) : TfmDebugInfo(AOwner) {
    SetName("fmTasksThreads");
    SetCaption("Tasks threads");
    BuildDetails();
    BuildTabs();
    BuildTree();
    // The details are made first so that they take the bottom before the tabs fill the rest;
    // the keys still go from the tabs and their threads down to the details.
    tcTasksByHostPort->SetTabOrder(0);
    // Wide enough for every column, with room for a page of threads above the details.
    SetClientSize(tvRunTasks->ColumnsWidth() + 8,
                  240 + Splitter1->Height() + mTaskDetail->Height() + sbInfo->Height());
}

void TfmTasksThreads::BuildDetails() {
    const TDetailMemo details = AddDetailMemo(this, "mTaskDetail", 120);
    mTaskDetail = details.Memo;
    Splitter1 = details.Splitter;

    sbInfo = new TStatusBar(this);
    sbInfo->SetName("sbInfo");
    sbInfo->SetParent(this);
    for (const char* text : {"Total threads: 0", "Working threads: 0"}) {
        TStatusPanel* panel = sbInfo->Panels()->Add();
        panel->SetWidth(200);
        panel->SetText(text);
    }
    // Below the memo: the strips at the bottom go by their lower edges.
    sbInfo->SetTop(mTaskDetail->Top() + mTaskDetail->Height());
}

void TfmTasksThreads::BuildTabs() {
    tcTasksByHostPort = new TTabControl(this);
    tcTasksByHostPort->SetName("tcTasksByHostPort");
    tcTasksByHostPort->SetParent(this);
    tcTasksByHostPort->SetAlign(alClient);
    tcTasksByHostPort->OnChange = ::Bind(this, &TfmTasksThreads::tcTasksByHostPortChange);
}

void TfmTasksThreads::BuildTree() {
    ImageList1 = new TImageList(this);
    ImageList1->SetName("ImageList1");
    AddTaskStateImages(*ImageList1);

    tvRunTasks = new TViewerTree(this);
    tvRunTasks->SetName("tvRunTasks");
    tvRunTasks->SetParent(tcTasksByHostPort);
    tvRunTasks->SetAlign(alClient);
    tvRunTasks->SetColumns(
        {"ThreadID", "Create time", "Task", "Work task time", "PositionID", "Connection status"});
    tvRunTasks->SetShowColumns(true);
    tvRunTasks->SetHeaderHeight(22);
    tvRunTasks->SetLineHeight(18);
    tvRunTasks->SetShowLines(false);
    tvRunTasks->SetShowButtons(false);
    tvRunTasks->SetImages(ImageList1);
    tvRunTasks->SetShowHint(true);
    tvRunTasks->SetAlwaysKeepFocus(true);
    tvRunTasks->OnItemSelectedChange = ::Bind(this, &TfmTasksThreads::tvRunTasksItemSelectedChange);
}

std::string TfmTasksThreads::SelectedTabText() const {
    const int index = tcTasksByHostPort->TabIndex();
    TStrings& tabs = *tcTasksByHostPort->Tabs();
    return index >= 0 && index < tabs.Count() ? tabs.Get(index) : std::string();
}

void TfmTasksThreads::UpdateCurrentDebugInfoIndex() {
    FInfoKey = SnapshotKeyAt(*DebugReader, CurrentDebugInfoIndex());
    RescanTasksInfo();
}

void TfmTasksThreads::RescanTasksInfo() {
    const TDebugInfo* di = SnapshotByKey(*DebugReader, FInfoKey);
    std::vector<std::string> connections;
    WorkTasks = 0;
    const int total = di ? di->TasksInfo.Count() : 0;
    for (int i = 0; i < total; ++i) {
        const TTaskInfo* task = di->Task(i);
        connections.push_back(task ? task->InfoStr.str() : std::string());
        if (task && task->State != 0)
            ++WorkTasks;
    }

    TStrings& tabs = *tcTasksByHostPort->Tabs();
    std::vector<std::string> oldTabs;
    for (int i = 0; i < tabs.Count(); ++i)
        oldTabs.push_back(tabs.Get(i));
    const TTaskTabs next = RescanTaskTabs(oldTabs, SelectedTabText(), connections);
    if (next.Tabs != oldTabs) {
        TUpdateGuard<TStrings> update(tabs);
        tabs.Clear();
        for (const std::string& text : next.Tabs)
            tabs.Add(text);
    }
    tcTasksByHostPort->SetTabIndex(next.TabIndex);

    sbInfo->Panels()->Items(0)->SetText("Total threads: " + IntToStr(total));
    sbInfo->Panels()->Items(1)->SetText("Work threads: " + IntToStr(WorkTasks));
    FillTasksList(next.Filter);
}

void TfmTasksThreads::FillTasksList(const std::string& HostPort) {
    TUpdateGuard<TQZTreeItems> update(*tvRunTasks->Items());
    mTaskDetail->Lines()->Clear();
    std::optional<intptr_t> selectedThread;
    if (TQZTreeItem* selected = tvRunTasks->SelectedRow())
        selectedThread = selected->Tag;
    tvRunTasks->SelectRow(nullptr);
    tvRunTasks->Items()->Clear();

    const TDebugInfo* di = SnapshotByKey(*DebugReader, FInfoKey);
    TQZTreeItem* root = tvRunTasks->Items()->Root();
    for (int i = 0; di && i < di->TasksInfo.Count(); ++i) {
        const TTaskInfo* task = di->Task(i);
        if (!task || (!HostPort.empty() && task->InfoStr != HostPort))
            continue;
        TQZTreeItem* row = tvRunTasks->AddRow(root, task->ThreadID);
        const std::vector<std::string> cells = TaskColumnTexts(*task);
        for (size_t c = 0; c < cells.size(); ++c)
            TViewerTree::SetCell(row, int(c), cells[c]);
        row->SetImageIndex(task->State);
        row->Tag = task->ThreadAddress;
        if (selectedThread && *selectedThread == row->Tag)
            tvRunTasks->SelectRow(row);
    }
    tvRunTasks->Invalidate();
}

void TfmTasksThreads::tcTasksByHostPortChange(TObject*) {
    FillTasksList(SelectedTabText());
}

void TfmTasksThreads::tvRunTasksItemSelectedChange(TObject*, TQZTreeItem* Item) {
    TStrings& lines = *mTaskDetail->Lines();
    TUpdateGuard<TStrings> update(lines);
    lines.Clear();
    // The tree announces the row before it counts as the selected one: the row announced as
    // selected is the one to show.
    TQZTreeItem* row = Item;
    if (!row || !row->Selected())
        return;
    const TTaskInfo* task = TaskByAddress(SnapshotByKey(*DebugReader, FInfoKey), row->Tag);
    if (!task)
        return;
    std::vector<std::string> cells;
    for (int c = 0; c < row->ColumnText()->Count(); ++c)
        cells.push_back(row->ColumnText()->Get(c));
    lines.SetText(TaskDetailText(tvRunTasks->HeaderTexts(), row->Text(), cells, *task));
}

void TfmTasksThreads::BeforeDestruction() {
    if (fmTasksThreads == this)
        fmTasksThreads = nullptr;
    TfmDebugInfo::BeforeDestruction();
}
