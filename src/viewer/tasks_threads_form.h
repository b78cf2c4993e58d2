#pragma once
#include "viewer/debug_info_form.h"

#include <string>

class TImageList;
class TMemo;
class TQZTreeItem;
class TSplitter;
class TStatusBar;
class TTabControl;
class TViewerTree;

// The task threads running in the current snapshot, in tabs by client connection (host and
// port), one row per thread, and the selected thread's details in a memo. The selection follows
// the same thread (by its address) from snapshot to snapshot. The interval means nothing here.
class TfmTasksThreads : public TfmDebugInfo {
public:
    explicit TfmTasksThreads(TComponent* AOwner);
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TDebugInfoObgect DebugInfoObgectType() const override { return dioTasksThreads; }
    void UpdateCurrentDebugInfoIndex() override;
    void UpdateDebugInfoInterval() override {}

    // Tabs, status bar and rows for the snapshot shown.
    void RescanTasksInfo();
    // The rows of one connection ('' for all); the thread selected before stays selected.
    void FillTasksList(const std::string& HostPort);
    void tcTasksByHostPortChange(TObject* Sender);
    void tvRunTasksItemSelectedChange(TObject* Sender, TQZTreeItem* Item);

    // Threads whose state is not idle, in the snapshot shown.
    int WorkTasks = 0;

    TTabControl* tcTasksByHostPort = nullptr;
    TViewerTree* tvRunTasks = nullptr;
    TSplitter* Splitter1 = nullptr;
    TMemo* mTaskDetail = nullptr;
    TStatusBar* sbInfo = nullptr;
    TImageList* ImageList1 = nullptr;

protected:
    void BeforeDestruction() override;

private:
    void BuildTabs();
    void BuildTree();
    void BuildDetails();
    std::string SelectedTabText() const;

    // The snapshot shown, by key: a read may replace or free snapshots, so it is looked up
    // again whenever it is used.
    std::string FInfoKey;
};

extern TfmTasksThreads* fmTasksThreads;
