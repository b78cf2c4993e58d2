#include "viewer_fixture.h"

#include "tools/form_storage.h"
#include "vcl/core/application.h"
#include "viewer/data_base_params_form.h"
#include "viewer/method_broadcast.h"

#include "support/message_capture.h"

TEST_F(ViewerTest, TheBroadcastReachesVisibleWindowsInTheirOrder) {
    ASSERT_FALSE(fmDataBaseParamsForm->Visible());
    Spy->Calls.clear();
    Main().CallDebugInfoFormsMethod("UpdateDebugInfoInterval");
    EXPECT_EQ(Spy->Calls, (std::vector<std::string>{"Interval 0"}));
    Spy->Hide();
    Main().CallDebugInfoFormsMethod("UpdateDebugInfoInterval");
    EXPECT_EQ(Spy->Calls.size(), 1u);
}

TEST_F(ViewerTest, AMissingOrFailingMethodIsReportedAndTheBroadcastGoesOn) {
    MessageCapture boxes;
    Main().CallDebugInfoFormsMethod("NoSuchMethod");
    EXPECT_EQ(boxes.Texts, (std::vector<std::string>{"Not found method NoSuchMethod in form: "
                                                     "fmTimeLineForm",
                                                     "Not found method NoSuchMethod in form: "
                                                     "fmSpy"}));
    boxes.Texts.clear();
    TSpyForm* after = nullptr;
    Application->CreateForm(after);
    after->ZWFormStorage1->SetIniFileName(PlacementFile());
    after->Show();
    Spy->Raise = true;
    Spy->Calls.clear();
    // Names are found without regard to letter case.
    Main().CallDebugInfoFormsMethod("fillcontrols");
    EXPECT_EQ(boxes.Texts, (std::vector<std::string>{"Error exec method fillcontrols in form: "
                                                     "fmSpy\r\nError: the spy fails"}));
    // The main window's refill of the empty store clears the interval first. The spy failed
    // in its first step; the window made after it was still filled.
    EXPECT_EQ(Spy->Calls, (std::vector<std::string>{"Interval 0", "FillControls 0", "Current 0"}));
    EXPECT_EQ(after->Calls, (std::vector<std::string>{"Interval 0", "FillControls 0", "Current 0",
                                                      "Interval 0"}));
}

TEST_F(ViewerTest, ExecuteRoutineCallsAPublishedMethodOfAnyForm) {
    MessageCapture boxes;
    Spy->Show();
    ExecuteRoutine(*Spy, "Close");
    EXPECT_FALSE(Spy->Visible());
    EXPECT_TRUE(boxes.Texts.empty());
}
