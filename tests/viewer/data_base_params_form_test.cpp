#include "viewer_fixture.h"

#include "qvr/debug_reader.h"
#include "support/debug_file_writer.h"
#include "vcl/controls/edit.h"
#include "viewer/data_base_params_form.h"

TEST_F(ViewerTest, TheDataBaseParamsWindowShowsTheCurrentSnapshotsText) {
    fmDataBaseParamsForm->Show();
    EXPECT_EQ(fmDataBaseParamsForm->DebugInfoObgectType(), dioDataBaseParams);
    EXPECT_EQ(fmDataBaseParamsForm->Caption(), "DataBase params");
    EXPECT_TRUE(fmDataBaseParamsForm->mParams->ReadOnly());
    EXPECT_EQ(fmDataBaseParamsForm->mParams->Lines()->Count(), 0);

    const std::string path = Folder.File("a.dbg");
    {
        TDebugFileWriter file(path);
        file.Snapshot("10.01.2006 10:00:00", "1.0",
                      TDebugBlockWriter()
                          .Section("DataBaseParams", "Server=db1\r\nBase=main\r\nUser=qvr")
                          .Data());
        TDinamicSystemInfo counters;
        file.Snapshot(
            "10.01.2006 10:00:10", "1.0",
            TDebugBlockWriter().Section("SystemParams", SystemParamsBody(counters)).Data());
    }
    Main().OpenFile(path);
    ASSERT_EQ(Main().tbTime->Position(), 1);
    // The last snapshot has no such section.
    EXPECT_EQ(fmDataBaseParamsForm->mParams->Lines()->Count(), 0);
    MoveTimeLine(0);
    TStrings* lines = fmDataBaseParamsForm->mParams->Lines();
    ASSERT_EQ(lines->Count(), 3);
    EXPECT_EQ(lines->Get(0), "Server=db1");
    EXPECT_EQ(lines->Get(2), "User=qvr");

    Click(Main().ToolButton3);
    EXPECT_EQ(fmDataBaseParamsForm->mParams->Lines()->Count(), 0);
}
