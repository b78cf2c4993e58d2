#include "viewer/crypto_params_editor/crypto_params_editor.h"
#include "viewer/crypto_params_editor/crypto_params_import.h"

#include "rtl/file_io.h"
#include "rtl/strings.h"
#include "rtl/wide_text.h"
#include "support/crypto_stand_in.h"
#include "support/message_capture.h"
#include "vcl/controls/combo_box.h"
#include "vcl/dialogs/dialogs.h"
#include "vcl/user_input.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

const char* const Engines = "[Types]\r\n1=GOST\r\n2=RSA\r\n"
                            "[GOST]\r\nKeyFile=default.key\r\nPassword=\r\nContainer=main\r\n"
                            "[RSA]\r\nModulus=2048\r\nExponent=65537\r\n"
                            "[Errors]\r\n5=Key container not found\r\n";

std::string CurrentFolder() {
    char folder[MAX_PATH + 1] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    return folder;
}

std::unique_ptr<TStringList> Lines(std::initializer_list<const char*> lines) {
    auto list = std::make_unique<TStringList>();
    for (const char* line : lines)
        list->Add(line);
    return list;
}

std::vector<std::string> Texts(const TStrings& list) {
    std::vector<std::string> texts;
    for (int i = 0; i < list.Count(); ++i)
        texts.push_back(list[i]);
    return texts;
}

// An editor on a shown form over a copy of the stand-in library.
class CryptoEditorTest : public ::testing::Test {
protected:
    CryptoEditorTest() : Form(MakeShownForm(600, 400)) {
        Library.Configure(Engines);
        Editor = new TCryptoParamsEditor(Form.get());
        Editor->SetName("cryptoEditor");
        Editor->SetParent(Form.get());
        Editor->SetLibName(Library.Library());
        PumpMessages();
    }
    ~CryptoEditorTest() override { Form.reset(); }

    // What the operator sees: the combo's list and choice, read from its window.
    std::vector<std::string> ComboItems() {
        HWND combo = Editor->cbCryptoEngineType->Handle();
        std::vector<std::string> items;
        for (int i = 0; i < SendMessageW(combo, CB_GETCOUNT, 0, 0); ++i) {
            wchar_t text[256] = {};
            SendMessageW(combo, CB_GETLBTEXT, i, LPARAM(text));
            items.push_back(FromWide(text));
        }
        return items;
    }
    int ComboChoice() {
        return int(SendMessageW(Editor->cbCryptoEngineType->Handle(), CB_GETCURSEL, 0, 0));
    }
    std::vector<std::string> Grid() {
        std::vector<std::string> rows;
        for (int r = 1; r < Editor->sgCryptoParams->RowCount(); ++r)
            rows.push_back(Editor->sgCryptoParams->Cells(0, r) + "=" +
                           Editor->sgCryptoParams->Cells(1, r));
        return rows;
    }
    void ClickCell(int col, int row) {
        TRect r = Editor->sgCryptoParams->CellRect(col, row);
        PostClick(Editor->sgCryptoParams->Handle(), r.Left + 5, r.Top + 5);
    }
    void Import(const std::string& text) {
        TempFolder folder;
        WriteWholeFile(folder.File("params.txt"), text);
        TOpenDialogHook previous = SetOpenDialogHook([&](TOpenDialog& dialog) {
            dialog.FileName = folder.File("params.txt");
            return true;
        });
        PostClick(Editor->btnImportFromFile->Handle(), 5, 5);
        SetOpenDialogHook(std::move(previous));
    }

    CryptoStandIn Library;
    TOwnedPtr<TForm> Form;
    TCryptoParamsEditor* Editor;
    MessageCapture Boxes;
};

} // namespace

TEST_F(CryptoEditorTest, TheStoredTypeAndValuesFillTheControlsInTheLibrarysFolder) {
    const std::string before = CurrentFolder();
    Editor->SetCryptoEngineType("GOST");
    auto stored = Lines({"Password=secret", "Container="});
    Editor->SetCryptoParams(stored.get());
    Editor->FillCryptoControls();

    EXPECT_EQ(ComboItems(), (std::vector<std::string>{"GOST", "RSA"}));
    EXPECT_EQ(ComboChoice(), 0);
    // A stored value that is not empty wins over the engine's own.
    EXPECT_EQ(Grid(), (std::vector<std::string>{"KeyFile=default.key", "Password=secret",
                                                "Container=main"}));
    EXPECT_EQ(Editor->sgCryptoParams->Cells(0, 0), "Name");
    EXPECT_EQ(Editor->sgCryptoParams->Cells(1, 0), "Value");
    EXPECT_EQ(CurrentFolder(), before);
    const std::string log = Library.Log();
    EXPECT_NE(log.find("InitCryptoEngine GOST in " + Library.Folder()), std::string::npos) << log;
    EXPECT_NE(log.find("SetRootPath 1 " + Library.Folder() + " in"), std::string::npos) << log;
    EXPECT_NE(log.find("DoneCryptoEngine 1"), std::string::npos);
    EXPECT_TRUE(Boxes.Texts.empty());
    EXPECT_TRUE(AnsiSameText(Editor->LibFullName, Library.Library()));

    // Filled once: a second call leaves the list alone.
    Library.ClearLog();
    Editor->FillCryptoControls();
    EXPECT_EQ(Library.Log(), "");
}

TEST_F(CryptoEditorTest, TheOperatorPicksATypeAndEditsOnlyValuesOfNamedRows) {
    Editor->SetCryptoEngineType("GOST");
    Editor->FillCryptoControls();
    PostKey(Editor->cbCryptoEngineType->Handle(), VK_DOWN);
    EXPECT_EQ(ComboChoice(), 1);
    EXPECT_EQ(Grid(), (std::vector<std::string>{"Modulus=2048", "Exponent=65537"}));

    ClickCell(0, 2); // names are not for editing
    EXPECT_EQ(Editor->sgCryptoParams->Col(), 1);
    EXPECT_EQ(Editor->sgCryptoParams->Row(), 1);
    ClickCell(1, 2);
    EXPECT_EQ(Editor->sgCryptoParams->Row(), 2);
    HWND grid = Editor->sgCryptoParams->Handle();
    PostKey(grid, VK_F2);
    HWND editor = GetFocus();
    PostKey(editor, VK_END);
    PostChars(editor, L"9");
    PostKey(editor, VK_RETURN);
    EXPECT_EQ(Editor->sgCryptoParams->Cells(1, 2), "655379");

    EXPECT_EQ(Editor->CryptoEngineType(), "RSA");
    EXPECT_EQ(Texts(*Editor->CryptoParams()),
              (std::vector<std::string>{"Modulus=2048", "Exponent=655379"}));
}

TEST_F(CryptoEditorTest, ATypeTheLibraryDoesNotOfferComesFirstWithItsStoredValues) {
    Editor->SetCryptoEngineType("Old engine");
    auto stored = Lines({"Key=a.key", "Pin=1234"});
    Editor->SetCryptoParams(stored.get());
    Editor->FillCryptoControls();
    EXPECT_EQ(ComboItems(), (std::vector<std::string>{"Old engine", "GOST", "RSA"}));
    EXPECT_EQ(ComboChoice(), 0);
    EXPECT_EQ(Grid(), (std::vector<std::string>{"Key=a.key", "Pin=1234"}));
}

TEST_F(CryptoEditorTest, SettingTheTypeOrTheValuesAgainRefillsAndAnUnfilledEditorKeepsThem) {
    auto stored = Lines({"Modulus=1024"});
    Editor->SetCryptoParams(stored.get());
    EXPECT_EQ(Texts(*Editor->CryptoParams()), std::vector<std::string>{"Modulus=1024"});

    Editor->SetCryptoEngineType("GOST");
    Editor->FillCryptoControls();
    Editor->SetCryptoEngineType("RSA");
    EXPECT_EQ(ComboChoice(), 1);
    EXPECT_EQ(Grid(), (std::vector<std::string>{"Modulus=1024", "Exponent=65537"}));
    auto other = Lines({"Exponent=3"});
    Editor->SetCryptoParams(other.get());
    EXPECT_EQ(Grid(), (std::vector<std::string>{"Modulus=2048", "Exponent=3"}));
}

TEST_F(CryptoEditorTest, ImportTakesTheSectionOfAnotherTypeOrValuesByNameOrByRow) {
    Editor->SetCryptoEngineType("GOST");
    Editor->FillCryptoControls();

    Import("password = p1\r\n\r\nContainer=backup\r\nUnknown=1\r\n");
    EXPECT_EQ(Grid(),
              (std::vector<std::string>{"KeyFile=default.key", "Password=p1", "Container=backup"}));

    Import("one.key\r\nsecond\r\nthird\r\nfourth beyond the grid\r\n");
    EXPECT_EQ(Grid(),
              (std::vector<std::string>{"KeyFile=one.key", "Password=second", "Container=third"}));

    Import("[Common]\r\nExponent=1\r\n[ RSA ]\r\nModulus = 4096\r\n");
    EXPECT_EQ(ComboChoice(), 1);
    EXPECT_EQ(Grid(), (std::vector<std::string>{"Modulus=4096", "Exponent=65537"}));
    EXPECT_TRUE(Boxes.Texts.empty());
}

TEST(CryptoParamsImport, TheFormOfTheFileDecidesHowItIsRead) {
    auto types = Lines({"GOST", "RSA"});
    TCryptoParamsImport import;
    ReadCryptoParamsImport(*Lines({"[A]", "x=1", "[B]", "y=2"}), *types, import);
    EXPECT_TRUE(import.NameMode);
    EXPECT_EQ(import.EngineType, "");
    EXPECT_EQ(Texts(import.Lines), std::vector<std::string>{"x=1"});

    ReadCryptoParamsImport(*Lines({"a=1", "b"}), *types, import);
    EXPECT_TRUE(import.NameMode); // a line of one character tells nothing
    ReadCryptoParamsImport(*Lines({"a=1", "bc"}), *types, import);
    EXPECT_FALSE(import.NameMode);
    ReadCryptoParamsImport(*Lines({"", "x"}), *types, import);
    EXPECT_FALSE(import.NameMode);
}

TEST_F(CryptoEditorTest, TheCheckSignsWithTheGridsValuesAndShowsTheEnginesAnswer) {
    Editor->SetCryptoEngineType("GOST");
    Editor->FillCryptoControls();
    Editor->sgCryptoParams->SetCells(1, 2, "pw");
    Library.ClearLog();
    PostClick(Editor->btnCheck->Handle(), 5, 5);
    ASSERT_EQ(Boxes.Texts.size(), 1u);
    EXPECT_EQ(Boxes.Texts[0], "Ok");
    EXPECT_EQ(Boxes.Captions[0], "Ok");
    const std::string log = Library.Log();
    EXPECT_NE(log.find("SetCryptoParamValue 2 pw"), std::string::npos) << log;
    EXPECT_NE(log.find("SignData Some 4 64 For sign test"), std::string::npos) << log;
    EXPECT_NE(log.find("Param Password=pw"), std::string::npos) << log;
    EXPECT_NE(log.find("DoneCryptoEngine"), std::string::npos);

    Library.Configure(std::string(Engines) + "[Sign]\r\nResult=5\r\n");
    PostClick(Editor->btnCheck->Handle(), 5, 5);
    ASSERT_EQ(Boxes.Texts.size(), 2u);
    EXPECT_EQ(Boxes.Texts[1],
              "cryptoEditor: \r\nError on SignData ErrCode: 5; ErrStr: Key container not found");
    EXPECT_EQ(Boxes.Captions[1], "Error");
    EXPECT_EQ(Editor->LastError, "Error on SignData ErrCode: 5; ErrStr: Key container not found");
}

TEST_F(CryptoEditorTest, LibraryProblemsAreReportedOrKeptSilently) {
    Editor->SetLibName(Library.Folder() + "\\Missing.dll");
    Editor->FillCryptoControls();
    EXPECT_TRUE(ComboItems().empty());
    ASSERT_EQ(Boxes.Texts.size(), 1u);
    EXPECT_EQ(
        Boxes.Texts[0].find(
            "cryptoEditor: \r\nError loading DLL 'Missing.dll'. Error code 126 with message '"),
        0u)
        << Boxes.Texts[0];
    EXPECT_EQ(Boxes.Captions[0], "Error");

    Editor->SetShowErrorMessage(false);
    Editor->LastError.clear();
    Editor->FillCryptoControls();
    EXPECT_EQ(Boxes.Texts.size(), 1u);
    EXPECT_EQ(Editor->LastError.find("Error loading DLL"), 0u);

    CryptoStandIn bare("Bare.dll", "empty_library.dll");
    Editor->SetShowErrorMessage(true);
    Editor->SetLibName(bare.Library());
    Editor->FillCryptoControls();
    ASSERT_EQ(Boxes.Texts.size(), 2u);
    EXPECT_EQ(Boxes.Texts[1].find(
                  "cryptoEditor: \r\nError searching function 'GetCryptoEngineTypes' in dll '" +
                  bare.Library() + "'. Error code 127"),
              0u)
        << Boxes.Texts[1];
    Editor->FreeLib();
}

TEST_F(CryptoEditorTest, NamesLongerThanTheLibrarySaysAreCutAndNoLengthReadsNothing) {
    Library.Configure(std::string(Engines) + "[Limits]\r\nNameLength=3\r\nValueLength=0\r\n");
    Editor->SetCryptoEngineType("RSA");
    Editor->FillCryptoControls();
    EXPECT_EQ(Grid(), (std::vector<std::string>{"Mod=", "Exp="}));
}

TEST_F(CryptoEditorTest, TheLastColumnSizesByItsRightLineAndButtonsFitTheWiderCaption) {
    Editor->SetCryptoEngineType("RSA");
    Editor->FillCryptoControls();
    HWND grid = Editor->sgCryptoParams->Handle();
    const TRect header = Editor->sgCryptoParams->CellRect(1, 0);
    const int line = header.Right; // the grid line right of the last column
    PostMouse(grid, WM_MOUSEMOVE, line, header.Top + 5);
    PostMouse(grid, WM_LBUTTONDOWN, line, header.Top + 5, MK_LBUTTON);
    PostMouse(grid, WM_MOUSEMOVE, line + 40, header.Top + 5, MK_LBUTTON);
    PostMouse(grid, WM_LBUTTONUP, line + 40, header.Top + 5);
    EXPECT_EQ(Editor->sgCryptoParams->ColWidths(1), 240);
    EXPECT_EQ(Editor->sgCryptoParams->ColWidths(0), 200);

    Editor->btnCheck->SetCaption("Check the settings by signing a text");
    RECT check, import;
    GetClientRect(Editor->btnCheck->Handle(), &check);
    GetClientRect(Editor->btnImportFromFile->Handle(), &import);
    EXPECT_EQ(check.right, import.right);
    EXPECT_GT(check.right, 150);
}
