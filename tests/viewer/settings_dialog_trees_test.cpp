#include "settings_dialog_support.h"

#include "qvr/error_catalogue.h"
#include "qvr/qvr_config.h"
#include "qztree/qz_tree.h"
#include "qztree/qz_tree_item.h"
#include "qztree/qz_tree_items.h"
#include "qztree/tree_view.h"
#include "vcl/button.h"
#include "vcl/page_control.h"
#include "viewer/qvr_set_form.h"

#include <gtest/gtest.h>

namespace {
// The page tree's rows as "caption/caption" paths with their level.
std::string TreeOutline(TQZTree* tree) {
    std::string text;
    TQZTreeItems& rows = *tree->Items();
    for (int i = 0; i < rows.Count(); ++i)
        text += std::string(size_t(rows.Item(i)->Level()), '-') + rows.Item(i)->Text() + "\n";
    return text;
}
} // namespace

TEST_F(SettingsDialogTest, ThePageTreeLeadsToThePagesWhoseTabsAreHidden) {
    OpenConfigs({FullConfig});
    TfmQVRSet& d = *fmQVRSet;
    std::string outline;
    std::vector<TTabSheet*> shown;
    ShowSettings({
        [&] {
            outline = TreeOutline(d.tvChoseConfigOptions);
            for (int i = 0; i < d.pcConfigs->PageCount(); ++i)
                EXPECT_EQ(d.pcConfigs->Pages(i)->TabIndex(), -1);
            EXPECT_EQ(d.pcConfigs->ActivePage(), d.tsDefault);
            ShowPage(d.tsSessions);
        },
        [&] {
            shown.push_back(d.pcConfigs->ActivePage());
            ShowPage(d.tsRequestParams);
        },
        [&] {
            shown.push_back(d.pcConfigs->ActivePage());
            ShowPage(d.tsInfo);
        },
        [&] {
            shown.push_back(d.pcConfigs->ActivePage());
            ClickControl(d.btnCancel);
        },
    });
    EXPECT_EQ(outline, "Соединение\n-Crypto ZWI data\nНастройки выполнения\n-Задачи\n-Directories\n-Cache\n-Sessions\n"
                       "-UserIdent\nInternal Trace\nОшибки\n-ErrorResponse\n-ShowErrorCfg\n"
                       "tsConstOptions\n-SessionConsts\n-RequestParams\nВизуализация\nRAdmin\n"
                       "Sheduler\nInfo\n");
    EXPECT_EQ(shown, (std::vector<TTabSheet*>{d.tsSessions, d.tsRequestParams, d.tsInfo}));
}
