// The settings dialog's page tree: the way to every page once the tabs are hidden.
#include "viewer/settings_dialog/qvr_set_form.h"

#include "qvr/qvr_config.h"
#include "qztree/tree/items/tree_item.h"
#include "qztree/tree/items/tree_items.h"
#include "qztree/tree/state_style.h"
#include "qztree/tree/tree.h"
#include "rtl/scope_guards.h"
#include "vcl/controls/page_control.h"
#include "vcl/controls/panel.h"
#include "vcl/controls/splitter.h"
#include "vcl/graphics/img_list.h"
#include "viewer/settings_dialog/config_page_images.h"

namespace {
// The pictures of a page: the plain one and the one of a focused or selected row.
struct TPagePictures {
    int Default;
    int Other;
};

void SetItemImageIndex(TQZTreeItem* item, TPagePictures pictures) {
    TQZItemStateStyle& styles = *item->DefaultItemStyles();
    styles.DefaultState->SetImageIndex(pictures.Default);
    for (TQZStateStyle* state :
         {styles.FocusedState.get(), styles.SelectedState.get(), styles.FocSelState.get()})
        state->SetImageIndex(pictures.Other);
}
} // namespace

void TfmQVRSet::BuildPageTree() {
    ilConfigOptions = new TImageList(this);
    ilConfigOptions->SetName("ilConfigOptions");
    AddConfigPageImages(*ilConfigOptions);

    tvChoseConfigOptions = new TQZTree(this);
    tvChoseConfigOptions->SetName("tvChoseConfigOptions");
    tvChoseConfigOptions->SetParent(this);
    tvChoseConfigOptions->SetBounds(0, 0, 190, ClientHeight() - pnlBottom->Height());
    tvChoseConfigOptions->SetAlign(alLeft);
    tvChoseConfigOptions->SetImages(ilConfigOptions);
    // Rows without a picture of their own keep its room, so the captions stand in line.
    tvChoseConfigOptions->SetShowEmptyImages(true);
    tvChoseConfigOptions->OnItemSelectedChange = [this](TObject* s, TQZTreeItem* item) {
        tvChoseConfigOptionsItemSelectedChange(s, item);
    };

    splConfigOptions = new TSplitter(this);
    splConfigOptions->SetName("splConfigOptions");
    splConfigOptions->SetParent(this);
    splConfigOptions->SetBounds(tvChoseConfigOptions->Width(), 0, 4,
                                tvChoseConfigOptions->Height());
    splConfigOptions->SetAlign(alLeft);
}

TQZTreeItem* TfmQVRSet::AddPageItem(TQZTreeItem* parent, TTabSheet* page) {
    static const std::pair<TTabSheet * TfmQVRSet::*, TPagePictures> pictures[] = {
        {&TfmQVRSet::tsInternalTrace, {1, 0}},  {&TfmQVRSet::tsConstOptions, {3, 2}},
        {&TfmQVRSet::tsSheduler, {5, 4}},       {&TfmQVRSet::tsDirectories, {7, 6}},
        {&TfmQVRSet::tsInfo, {9, 8}},           {&TfmQVRSet::tsVisualization, {11, 10}},
        {&TfmQVRSet::tsErrors, {13, 12}},       {&TfmQVRSet::tsWorkOptions, {17, 16}},
        {&TfmQVRSet::tsTasksOptions, {19, 18}},
    };
    TQZTreeItem* item = tvChoseConfigOptions->Items()->AddChild(parent, page->Caption());
    item->Tag = page->PageIndex();
    item->SetMultiline(true);
    item->SetWordBreak(true);
    for (const auto& entry : pictures)
        if (this->*entry.first == page)
            SetItemImageIndex(item, entry.second);
    return item;
}

void TfmQVRSet::BuildConfigTree() {
    const TQVRConfig& c = *QVRConfig;
    TQZTreeItems& items = *tvChoseConfigOptions->Items();
    TUpdateGuard<TQZTreeItems> update(items);
    tvChoseConfigOptions->DeselectAll();
    items.Clear();
    TQZTreeItem* connection = AddPageItem(nullptr, tsConnectionOptions);
    if (c.UseSignForPackets)
        AddPageItem(connection, tsCryptoZWIData);
    TQZTreeItem* work = AddPageItem(nullptr, tsWorkOptions);
    for (TTabSheet* page : {tsTasksOptions, tsDirectories, tsCache, tsSessions, tsUserIdent})
        AddPageItem(work, page);
    AddPageItem(nullptr, tsInternalTrace);
    TQZTreeItem* errors = AddPageItem(nullptr, tsErrors);
    AddPageItem(errors, tsErrorResponse);
    AddPageItem(errors, tsShowErrorCfg);
    TQZTreeItem* constants = AddPageItem(nullptr, tsConstOptions);
    AddPageItem(constants, tsSessionConsts);
    AddPageItem(constants, tsRequestParams);
    AddPageItem(nullptr, tsVisualization);
    AddPageItem(nullptr, tsRAdmin);
    if (!c.ShemeName.empty())
        AddPageItem(nullptr, tsSheduler);
    AddPageItem(nullptr, tsInfo);
    tvChoseConfigOptions->FullExpand();
    // No row is chosen in the new tree, so the first page shows, whatever the rows that went
    // had shown.
    tvChoseConfigOptionsItemSelectedChange(tvChoseConfigOptions, nullptr);
}

void TfmQVRSet::tvChoseConfigOptionsItemSelectedChange(TObject*, TQZTreeItem* Item) {
    // A new row is told after the old one lost its selection, so the last word is the page of
    // the row now selected, or the first page when none is.
    pcConfigs->SetActivePageIndex(Item && Item->Selected() ? int(Item->Tag) : 0);
}
