#include "viewer/debug_info_drug_object.h"

#include "qvr/debug_info.h"
#include "vcl/core/custom_control.h"
#include "vcl/core/forms.h"

#include "vcl/vcl_test_support.h"

#include <gtest/gtest.h>

namespace {
int Freed = 0;

class TCountedDrugObject : public TDebugInfoDrugObject {
protected:
    ~TCountedDrugObject() override { ++Freed; }
};
} // namespace

TEST(DebugInfoDrugObject, CarriesPathsWithTheirKindAndFreesItselfWhenTheDragEnds) {
    auto form = TOwnedPtr<TForm>(CreateComponent<TForm>(nullptr));
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 300, 200);
    form->Show();
    auto* source = new TCustomControl(form.get());
    source->SetParent(form.get());
    source->SetBounds(0, 0, 100, 100);
    auto* target = new TCustomControl(form.get());
    target->SetParent(form.get());
    target->SetBounds(150, 0, 100, 100);
    source->SetDragMode(dmAutomatic);
    source->OnStartDrag = [](TObject*, TDragObject*& object) {
        auto* carried = new TCountedDrugObject;
        carried->Params->AddObject("OpenSessions", IntToObject(dioDinamicSystemInfo));
        carried->Params->AddObject("TFoo\\stack1", IntToObject(dioBLLLeak));
        object = carried;
    };
    std::vector<std::pair<std::string, intptr_t>> dropped;
    target->OnDragOver = [](TObject*, TObject* src, int, int, TDragState, bool& accept) {
        accept = dynamic_cast<TDebugInfoDrugObject*>(src) != nullptr;
    };
    target->OnDragDrop = [&](TObject*, TObject* src, int, int) {
        const TStringList& params = *static_cast<TDebugInfoDrugObject*>(src)->Params;
        for (int i = 0; i < params.Count(); ++i)
            dropped.push_back({params.Get(i), ObjectToInt(params.GetObject(i))});
    };
    Freed = 0;
    ASSERT_TRUE(DragAcross(source, form->ClientToScreen(Point(200, 50))));
    const std::vector<std::pair<std::string, intptr_t>> expected = {
        {"OpenSessions", dioDinamicSystemInfo}, {"TFoo\\stack1", dioBLLLeak}};
    EXPECT_EQ(dropped, expected);
    EXPECT_EQ(Freed, 1);
    EXPECT_EQ(TDragManager::DragObject(), nullptr);
}
