#include "tools/form_storage.h"

#include "rtl/exceptions.h"
#include "rtl/file_io.h"
#include "rtl/ini_file.h"
#include "rtl/mem_ini_file.h"
#include "rtl/reg_ini_file.h"
#include "rtl/wide_text.h"
#include "tools/window_placement.h"
#include "vcl/base/windows_clean.h"
#include "vcl/controls/edit.h"
#include "vcl/controls/label.h"
#include "vcl/core/screen.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>

namespace {

// A window as the viewer builds one: a storage on it, and handlers of its own that the storage
// must still call.
class TStoredForm : public TForm {
public:
    TStoredForm(TComponent* AOwner, const std::string& fileName, TFormBorderStyle border)
        : TForm(AOwner) {
        SetName("fmStored");
        SetBorderStyle(border);
        SetBounds(20, 30, 200, 100);
        Label = new TLabel(this);
        Label->SetName("Label1");
        Label->SetParent(this);
        Storage = new TZWFormStorage(this);
        Storage->SetName("ZWFormStorage1");
        Storage->SetIniFileName(fileName);
        Storage->SetActive(true);
        OnShow = [this](TObject*) { Events.push_back("show"); };
        OnCloseQuery = [this](TObject*, bool&) { Events.push_back("closequery"); };
        OnDestroy = [this](TObject*) {
            if (Destroyed)
                *Destroyed = true;
        };
    }
    TLabel* Label;
    TZWFormStorage* Storage;
    std::vector<std::string> Events;
    bool* Destroyed = nullptr;
};

TOwnedPtr<TStoredForm> MakeForm(const std::string& fileName, TFormBorderStyle border = bsSizeable) {
    return TOwnedPtr<TStoredForm>(CreateComponent<TStoredForm>(nullptr, fileName, border));
}

std::string Suffix() {
    return PlacementScreenSuffix(Screen->Width(), Screen->Height());
}

// The keys of a section in the order the file holds them.
std::vector<std::string> Keys(const std::string& fileName, const std::string& section) {
    TStringList lines;
    TIniFile(fileName).ReadSectionValues(section, lines);
    std::vector<std::string> keys;
    for (int i = 0; i < lines.Count(); ++i)
        keys.push_back(lines.Names(i));
    return keys;
}

} // namespace

TEST(WindowPlacement, KeysFileNamesAndShowCommands) {
    EXPECT_EQ(PlacementScreenSuffix(1024, 768), "(1024x768)");
    EXPECT_EQ(FormatPlacementNumbers({-4, 0, 10, 20}), "-4,0,10,20");
    EXPECT_EQ(ParsePlacementNumbers(" 5, 6 ,x", {1, 2, 3, 4}), (std::array<int, 4>{5, 6, 3, 4}));
    EXPECT_EQ(DefaultIniFileName("C:\\Программа\\viewer.exe", false), "C:\\Программа\\viewer.prm");
    EXPECT_EQ(DefaultIniFileName("C:\\Программа\\viewer.exe", true), "viewer");
    EXPECT_EQ(IniFileInProgramFolder("own.prm", "C:\\Prog\\viewer.exe"), "C:\\Prog\\own.prm");
    EXPECT_EQ(IniFileInProgramFolder("D:\\own.prm", "C:\\Prog\\viewer.exe"), "D:\\own.prm");
    EXPECT_EQ(ShowCmdToWindowState(9, wsMaximized), wsNormal);
    EXPECT_EQ(ShowCmdToWindowState(7, wsNormal), wsMinimized);
    EXPECT_EQ(ShowCmdToWindowState(3, wsNormal), wsMaximized);
    EXPECT_EQ(ShowCmdToWindowState(0, wsMaximized), wsMaximized);
}

TEST(WindowPlacement, AStoredRectangleOffTheWorkAreaIsBroughtOntoIt) {
    const TRect work = Rect(0, 40, 1280, 1024);
    const int title = 30;
    // Inside, or mostly inside with the title bar on the area: kept exactly.
    EXPECT_EQ(RectOnWorkArea(Rect(10, 50, 410, 350), {}, work, title), Rect(10, 50, 410, 350));
    EXPECT_EQ(RectOnWorkArea(Rect(1000, 800, 1400, 1000), {}, work, title),
              Rect(1000, 800, 1400, 1000));
    // Mostly outside: moved to the nearest place on the area, its size kept.
    EXPECT_EQ(RectOnWorkArea(Rect(1200, 100, 1600, 400), {}, work, title),
              Rect(880, 100, 1280, 400));
    EXPECT_EQ(RectOnWorkArea(Rect(-32768, -32768, -32368, -32468), {}, work, title),
              Rect(0, 40, 400, 340));
    // The title bar above the area, or too low to grab: moved though most of it shows.
    EXPECT_EQ(RectOnWorkArea(Rect(100, 20, 500, 820), {}, work, title), Rect(100, 40, 500, 840));
    EXPECT_EQ(RectOnWorkArea(Rect(100, 1000, 500, 1040), {}, work, title),
              Rect(100, 984, 500, 1024));
    // Larger than the area: the designed size, where the place is nearest.
    const TSize designed{200, 100};
    EXPECT_EQ(RectOnWorkArea(Rect(-100, 0, 3000, 2000), designed, work, title),
              Rect(0, 40, 200, 140));
    // Numbers at the ends of the integer range neither overflow nor stay.
    EXPECT_EQ(RectOnWorkArea(Rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX), designed, work, title),
              Rect(0, 40, 200, 140));
    EXPECT_EQ(RectOnWorkArea(Rect(INT_MAX - 10, 500, INT_MAX, 600), designed, work, title),
              Rect(1270, 500, 1280, 600));
}

TEST(WindowPlacement, DamagedRectanglesAndFixedSizes) {
    const TSize designed{200, 100};
    EXPECT_EQ(RestoredNormalRect(Rect(10, 20, 30, 40), designed, false), Rect(10, 20, 30, 40));
    // Right left of left, or bottom above top: no rectangle at all.
    EXPECT_EQ(RestoredNormalRect(Rect(1200, 1000, 1800, 900), designed, false), std::nullopt);
    EXPECT_EQ(RestoredNormalRect(Rect(500, 100, 400, 300), designed, false), std::nullopt);
    EXPECT_EQ(RestoredNormalRect(Rect(500, 100, 500, 300), designed, false), std::nullopt);
    // A fixed border: the designed size at the stored place, whatever the stored size.
    EXPECT_EQ(RestoredNormalRect(Rect(1200, 1000, 1800, 900), designed, true),
              Rect(1200, 1000, 1400, 1100));
    EXPECT_EQ(RestoredNormalRect(Rect(INT_MAX - 10, INT_MAX, 0, 0), designed, true),
              Rect(INT_MAX - 200, INT_MAX - 100, INT_MAX, INT_MAX));
}

TEST(FormStorage, FirstShowKeepsTheDesignAndClosingWritesTheSection) {
    TempFolder folder;
    const std::string file = folder.File("viewer.prm");
    auto form = MakeForm(file);
    EXPECT_EQ(form->Storage->Options(), (TPlacementOptions{fpState, fpPosition}));
    form->Show();
    EXPECT_FALSE(FileExists(file));
    EXPECT_EQ(form->Left(), 20);
    EXPECT_EQ(form->Width(), 200);
    form->Close();
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(form->Events, (std::vector<std::string>{"show", "closequery"}));
    EXPECT_EQ(Keys(file, "fmStored"),
              (std::vector<std::string>{"Flags", "ShowCmd", "PixelsPerInch", "MinMaxPos" + Suffix(),
                                        "MinMaxPos", "NormPos" + Suffix(), "NormPos", "Visible"}));
    TIniFile ini(file);
    EXPECT_EQ(ini.ReadString("fmStored", "NormPos", ""), "20,30,220,130");
    EXPECT_EQ(ini.ReadString("fmStored", "ShowCmd", ""), "1");
    EXPECT_EQ(ini.ReadString("fmStored", "Visible", ""), "1");
}

TEST(FormStorage, AnotherScreenSizeFallsBackToThePlainKey) {
    TempFolder folder;
    const std::string file = folder.File("viewer.prm");
    {
        TIniFile ini(file);
        ini.WriteString("fmStored", "NormPos(1x1)", "10,10,300,300");
        ini.WriteString("fmStored", "NormPos", "50,60,350,260");
    }
    auto form = MakeForm(file);
    form->Show();
    EXPECT_EQ(form->BoundsRect(), Rect(50, 60, 350, 260));

    TIniFile(file).WriteString("fmStored", "NormPos" + Suffix(), "70,80,370,280");
    auto again = MakeForm(file);
    again->Show();
    EXPECT_EQ(again->BoundsRect(), Rect(70, 80, 370, 280));
}

TEST(FormStorage, OtherPixelsPerInchKeepThePlacementButApplyTheState) {
    TempFolder folder;
    const std::string file = folder.File("viewer.prm");
    {
        TIniFile ini(file);
        ini.WriteInteger("fmStored", "PixelsPerInch", Screen->PixelsPerInch() + 24);
        ini.WriteString("fmStored", "NormPos", "50,60,350,260");
        ini.WriteInteger("fmStored", "ShowCmd", 3);
    }
    auto form = MakeForm(file);
    form->Show();
    EXPECT_EQ(form->WindowState(), wsMaximized);
    form->SetWindowState(wsNormal);
    EXPECT_EQ(form->BoundsRect(), Rect(20, 30, 220, 130));
}

TEST(FormStorage, AFixedBorderKeepsItsSizeAndTakesThePosition) {
    TempFolder folder;
    const std::string file = folder.File("viewer.prm");
    TIniFile(file).WriteString("fmStored", "NormPos", "40,50,400,400");
    auto form = MakeForm(file, bsSingle);
    form->Show();
    EXPECT_EQ(form->BoundsRect(), Rect(40, 50, 240, 150));
}

// Numbers far off any screen, from another layout or a damaged file: the window is shown
// where it can be reached, and closing it stores that place.
TEST(FormStorage, APlaceOffTheScreenIsBroughtOntoTheWorkArea) {
    TempFolder folder;
    const std::string file = folder.File("viewer.prm");
    const TRect work = Screen->WorkAreaRect();
    TIniFile(file).WriteString("fmStored", "NormPos", "-32768,-32768,-32468,-32668");
    auto form = MakeForm(file);
    form->Show();
    EXPECT_EQ(form->BoundsRect(), Rect(work.Left, work.Top, work.Left + 300, work.Top + 100));
    form->Close();
    EXPECT_EQ(TIniFile(file).ReadString("fmStored", "NormPos", ""),
              FormatPlacementNumbers({work.Left, work.Top, work.Left + 300, work.Top + 100}));

    // Closing wrote the key of this screen size, which a read takes first.
    TIniFile(file).WriteString(
        "fmStored", "NormPos" + Suffix(),
        FormatPlacementNumbers({work.Right - 20, 60, work.Right + 280, 260}));
    auto again = MakeForm(file);
    again->Show();
    EXPECT_EQ(again->BoundsRect(), Rect(work.Right - 300, 60, work.Right, 260));
    // Numbers that do not convert keep the designed place, and so does a rectangle whose bottom
    // lies above its top.
    for (const char* damaged : {"junk,\x01,-,", "1200,1000,1800,900"}) {
        TIniFile(file).WriteString("fmStored", "NormPos" + Suffix(), damaged);
        auto designed = MakeForm(file);
        designed->Show();
        EXPECT_EQ(designed->BoundsRect(), Rect(20, 30, 220, 130)) << damaged;
    }
    // A size far larger than the screen gives the designed size on the work area; stored
    // maximised, the window still opens maximised.
    TIniFile(file).WriteString("fmStored", "NormPos" + Suffix(),
                               "-2000000000,100,2000000000,99999");
    TIniFile(file).WriteInteger("fmStored", "ShowCmd", 3);
    auto huge = MakeForm(file);
    huge->Show();
    EXPECT_EQ(huge->WindowState(), wsMaximized);
    huge->SetWindowState(wsNormal);
    EXPECT_EQ(huge->BoundsRect(), Rect(work.Left, 100, work.Left + 200, 200));
}

TEST(FormStorage, QuotedValuesSurviveTheRoundTrip) {
    TempFolder folder;
    const std::string file = folder.File("viewer.prm");
    auto form = MakeForm(file);
    TStringList props;
    props.Add("Label1.Caption");
    form->Storage->SetStoredProps(props);
    form->Storage->SetStoredPlacement(false);
    // Saves and restores a caption; gives the value as the file holds it.
    auto roundTrip = [&](const std::string& caption) {
        form->Label->SetCaption(caption);
        form->Storage->SaveProperties();
        std::string written = TMemIniFile(file).ReadString("fmStored", "Label1_Caption", "?");
        form->Label->SetCaption("changed");
        form->Storage->RestoreProperties();
        EXPECT_EQ(form->Label->Caption(), caption);
        return written;
    };
    // Enclosing quotes get one more pair, which the reader strips again.
    EXPECT_EQ(roundTrip("\"quoted\""), "\"\"quoted\"\"");
    EXPECT_EQ(roundTrip("'single'"), "\"'single'\"");
    EXPECT_EQ(roundTrip("\""), "\"\"\"");
    EXPECT_EQ(roundTrip("\"start only"), "\"start only");
}

// A ".prm" file that a person has edited: blanks, comments, and a section named twice of which
// only the first counts.
TEST(FormStorage, HandEditedFilesKeepTheirPlacementAndTheirLines) {
    TempFolder folder;
    const std::string file = folder.File("viewer.prm");
    WriteWholeFile(file, "; window placements\r\n"
                         "[fmStored] ;the stored window\r\n"
                         "NormPos = 50,60,350,260 \r\n"
                         "ShowCmd=1 \r\n"
                         "[fmStored]\r\n"
                         "NormPos=1,1,2,2\r\n");
    auto form = MakeForm(file);
    form->Show();
    EXPECT_EQ(form->BoundsRect(), Rect(50, 60, 350, 260));
    form->SetBounds(70, 80, 270, 180);
    form->Close();

    auto again = MakeForm(file);
    again->Show();
    EXPECT_EQ(again->BoundsRect(), Rect(70, 80, 340, 260));
    TStringList sections;
    TIniFile(file).ReadSections(sections);
    EXPECT_EQ(sections.Text(), "fmStored\r\nfmStored\r\n"); // saved into the first one
    EXPECT_EQ(ReadWholeFile(file).rfind("; window placements\r\n", 0), 0u);
}

TEST(FormStorage, AWindowNeverShownLeavesItsStoredPlacement) {
    TempFolder folder;
    const std::string file = folder.File("viewer.prm");
    TIniFile(file).WriteString("fmStored", "NormPos", "50,60,350,260");
    const std::string before = ReadWholeFile(file);
    bool destroyed = false;
    auto form = MakeForm(file);
    form->Destroyed = &destroyed;
    form.reset();
    EXPECT_TRUE(destroyed); // the form's own handler still ran
    EXPECT_EQ(ReadWholeFile(file), before);

    // A shown window saves when it goes, also without being closed.
    auto shown = MakeForm(file);
    shown->Show();
    shown->SetBounds(10, 10, 300, 150);
    shown.reset();
    EXPECT_EQ(TIniFile(file).ReadString("fmStored", "NormPos", ""), "10,10,310,160");
}

TEST(FormStorage, AnUnwritableFileNeverKeepsAWindowOpen) {
    TempFolder folder;
    // A folder where the file should be: it can be neither read nor written.
    const std::string file = folder.File("viewer.prm");
    ASSERT_TRUE(CreateDirectoryW(ToWide(file).c_str(), nullptr));
    auto form = MakeForm(file);
    form->Show();
    form->Close();
    EXPECT_FALSE(form->Visible());
    EXPECT_THROW(form->Storage->SaveProperties(), EInOutError);
    form.reset(); // destroying saves quietly too; a message box would fail the test
}

TEST(FormStorage, WindowsSharingAFileKeepEachOthersSections) {
    TempFolder folder;
    const std::string file = folder.File("viewer.prm");
    auto first = MakeForm(file);
    auto second = MakeForm(file);
    second->SetName("fmSecond");
    first->Show();
    second->Show();
    first->Close();
    second->Close();
    EXPECT_FALSE(Keys(file, "fmStored").empty());
    EXPECT_FALSE(Keys(file, "fmSecond").empty());
}

TEST(FormStorage, TheRegistryVariantUsesAKeyWithASubkeyPerWindow) {
    const std::string key =
        "QVRDebugViewerTests\\Placement" + std::to_string(GetCurrentProcessId());
    auto form = MakeForm(key);
    form->Storage->SetUseRegistry(true);
    TStringList props;
    props.Add("Label1.Caption");
    form->Storage->SetStoredProps(props);
    form->Label->SetCaption("\"as is\"");
    form->Show();
    form->Close();
    {
        TRegIniFile reg(key, TRegistryRoot::CurrentUser, true);
        EXPECT_EQ(reg.ReadString("fmStored", "NormPos", ""), "20,30,220,130");
        EXPECT_EQ(reg.ReadString("fmStored", "Label1_Caption", ""), "\"as is\"");
        TStringList values;
        reg.ReadSectionValues("fmStored", values);
        EXPECT_EQ(values.Count(), 9);
        EXPECT_THROW(reg.WriteString("fmStored", "x", "y"), ERegistryException);
    }
    TRegIniFile(key, TRegistryRoot::CurrentUser, false)
        .WriteString("fmStored", "NormPos" + Suffix(), "60,70,360,270");
    form->Show();
    EXPECT_EQ(form->BoundsRect(), Rect(60, 70, 360, 270));
    form.reset();
    RegDeleteTreeW(HKEY_CURRENT_USER, L"QVRDebugViewerTests");
}

TEST(FormStorage, StoredComponentsThatGoAreForgotten) {
    TempFolder folder;
    auto form = MakeForm(folder.File("viewer.prm"));
    TStringList props;
    props.Add("Label1.Caption");
    props.Add("Nothing.Caption");
    form->Storage->SetStoredProps(props);
    EXPECT_EQ(form->Storage->StoredProps()->Objects(0), form->Label);
    form->Label->Free();
    EXPECT_EQ(form->Storage->StoredProps()->Objects(0), nullptr);
    form->Storage->SaveProperties();
    EXPECT_EQ(Keys(folder.File("viewer.prm"), "fmStored").size(), 8u);
}

TEST(FormStorage, AHostLendsItsStoreAndTheActiveControlIsNamed) {
    TempFolder folder;
    auto host = MakeForm(folder.File("host.prm"));
    auto guest = MakeForm("");
    guest->SetName("fmGuest");
    guest->Storage->SetHost(guest->Storage); // a storage is never its own host
    EXPECT_EQ(guest->Storage->Host(), nullptr);
    guest->Storage->SetHost(host->Storage);
    auto* edit = new TEdit(guest.get());
    edit->SetName("Edit1");
    edit->SetParent(guest.get());
    guest->SetActiveControl(edit);
    guest->Storage->SetOptions({fpState, fpPosition, fpActiveControl});
    guest->Storage->SaveProperties();
    EXPECT_EQ(TIniFile(folder.File("host.prm")).ReadString("fmGuest", "ActiveControl", ""),
              "Edit1");
    host.reset();
    EXPECT_EQ(guest->Storage->Host(), nullptr);

    auto plain = MakeOwned<TZWFormStorage>();
    EXPECT_TRUE(plain->Options().Empty()); // no form: no placement options
}
