#include "viewer/crypto_params_editor/crypto_params_editor.h"

#include "qvr/crypto_engine_list.h"
#include "rtl/exceptions.h"
#include "rtl/format.h"
#include "rtl/modality/message_box.h"
#include "rtl/published.h"
#include "rtl/strings.h"
#include "vcl/base/windows_clean.h"
#include "vcl/controls/combo_box.h"
#include "vcl/controls/label.h"
#include "vcl/dialogs/dialogs.h"
#include "viewer/crypto_params_editor/crypto_params_import.h"

#include <algorithm>

void TCryptoParamsEditor::TCButton::TextChanged() {
    TButton::TextChanged();
    if (auto* editor = dynamic_cast<TCryptoParamsEditor*>(Owner()))
        editor->SetButtonsControlsWidth();
}

void TCorrectStringGrid::CalcSizingState(int X, int Y, TGridSizing& Sizing) const {
    TStringGrid::CalcSizingState(X, Y, Sizing);
    if (Sizing.State == gsColSizing && Sizing.Index > ColCount() - 1)
        Sizing.Index = ColCount() - 1;
}

const TClassInfo& TCryptoParamsEditor::StaticClassInfo() {
    using E = TCryptoParamsEditor;
    static const TLasting<TClassInfo> info =
        TClassInfo("TCryptoParamsEditor", &TWinControl::StaticClassInfo())
            .Strings("CryptoParams", &E::CryptoParams)
            .String("CryptoEngineType", &E::CryptoEngineType, &E::SetCryptoEngineType)
            .String("LibName", &E::LibName, &E::SetLibName)
            .Boolean("ShowErrorMessage", &E::ShowErrorMessage, &E::SetShowErrorMessage)
            .Boolean("ShowCheckButton", &E::ShowCheckButton, &E::SetShowCheckButton)
            .Boolean("ShowImportButton", &E::ShowImportButton, &E::SetShowImportButton)
            .Boolean("InitCryptoControlsOnCreate", &E::InitCryptoControlsOnCreate,
                     &E::SetInitCryptoControlsOnCreate);
    return *info;
}

TCryptoParamsEditor::TCryptoParamsEditor(TComponent* AOwner)
    : TWinControl(AOwner), FCryptoParams(std::make_unique<TStringList>()) {
    SetBounds(Left(), Top(), 450, 300);
    CreateControls();
}

TCryptoParamsEditor::~TCryptoParamsEditor() {
    FreeLib();
}

namespace {

// A part of the editor, owned by it and shown on it.
template <class T> T* AddPart(TCryptoParamsEditor* editor, const char* name) {
    T* part = new T(editor);
    part->SetName(name);
    part->SetParent(editor);
    return part;
}

TCryptoParamsEditor::TCButton* AddButton(TCryptoParamsEditor* editor, const char* name,
                                         const char* caption, const TPoint& place,
                                         TNotifyEvent onClick) {
    auto* button = AddPart<TCryptoParamsEditor::TCButton>(editor, name);
    button->SetBounds(place.X, place.Y, 100, button->Height());
    button->SetCaption(caption);
    button->OnClick = std::move(onClick);
    return button;
}

} // namespace

void TCryptoParamsEditor::CreateControls() {
    lbCryptoEngineTypeLabel = AddPart<TLabel>(this, "lbCryptoEngineTypeLabel");
    lbCryptoEngineTypeLabel->SetCaption("CryptoEngine type:");
    lbCryptoEngineTypeLabel->SetBounds(8, 5, lbCryptoEngineTypeLabel->Width(),
                                       lbCryptoEngineTypeLabel->Height());

    cbCryptoEngineType = AddPart<TComboBox>(this, "cbCryptoEngineType");
    cbCryptoEngineType->SetStyle(csDropDownList);
    cbCryptoEngineType->SetBounds(8, lbCryptoEngineTypeLabel->BoundsRect().Bottom + 5, 225,
                                  cbCryptoEngineType->Height());
    cbCryptoEngineType->OnChange = [this](TObject* Sender) { cbCryptoEngineTypeChange(Sender); };

    btnImportFromFile = AddButton(this, "btnImportFromFile", "Import from file",
                                  Point(cbCryptoEngineType->BoundsRect().Right + 10, 0),
                                  [this](TObject* Sender) { ImportFromFileClickHandler(Sender); });
    btnCheck =
        AddButton(this, "btnCheck", "Check",
                  Point(btnImportFromFile->Left(), btnImportFromFile->BoundsRect().Bottom + 5),
                  [this](TObject* Sender) { CheckClickHandler(Sender); });

    sgCryptoParams = AddPart<TCorrectStringGrid>(this, "sgCryptoParams");
    const int gridTop =
        std::max(cbCryptoEngineType->BoundsRect().Bottom, btnCheck->BoundsRect().Bottom) + 5;
    sgCryptoParams->SetBounds(0, gridTop, ClientWidth(), std::max(0, ClientHeight() - gridTop));
    sgCryptoParams->SetAlign(alBottom);
    sgCryptoParams->SetAnchors({akLeft, akTop, akRight, akBottom});
    sgCryptoParams->SetColCount(2);
    sgCryptoParams->SetDefaultColWidth(200);
    sgCryptoParams->SetFixedCols(0);
    sgCryptoParams->SetOptions(
        {goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goColSizing});
    sgCryptoParams->OnSelectCell = [this](TObject* Sender, int ACol, int ARow, bool& CanSelect) {
        sgCryptoParamsSelectCell(Sender, ACol, ARow, CanSelect);
    };
}

bool TCryptoParamsEditor::ShowCheckButton() const {
    return btnCheck->Visible();
}

void TCryptoParamsEditor::SetShowCheckButton(bool value) {
    btnCheck->SetVisible(value);
}

bool TCryptoParamsEditor::ShowImportButton() const {
    return btnImportFromFile->Visible();
}

void TCryptoParamsEditor::SetShowImportButton(bool value) {
    btnImportFromFile->SetVisible(value);
}

void TCryptoParamsEditor::SetInitCryptoControlsOnCreate(bool value) {
    FInitCryptoControlsOnCreate = value;
    if (value)
        FillCryptoControls();
}

void TCryptoParamsEditor::SetButtonsControlsWidth() {
    if (!btnImportFromFile || !btnCheck || !Parent())
        return;
    TCanvas* canvas = sgCryptoParams->Canvas();
    canvas->SetFont(sgCryptoParams->Font());
    const int width = std::max(50, std::max(canvas->TextWidth(btnImportFromFile->Caption()),
                                            canvas->TextWidth(btnCheck->Caption())) +
                                       30);
    btnImportFromFile->SetClientWidth(width);
    btnCheck->SetClientWidth(width);
}

void TCryptoParamsEditor::FillCryptoEngineTypeList(TStrings* Items) {
    if (!LoadLib())
        return;
    Items->BeginUpdate();
    Items->Clear();
    ReadEngineTypes(
        GetMaxCryptoEngineTypeLength(),
        [this](int index, char* buf) { GetCryptoEngineTypes(index, buf); }, *Items);
    Items->EndUpdate();
}

void TCryptoParamsEditor::FillCryptoParamsList(int Engine, TStrings* List) {
    List->Clear();
    const int count = GetCryptoParamNumber(Engine);
    for (int index = 1; index <= count; ++index)
        List->Add(GetCryptoParamName(Engine, index) + "=" + GetCryptoParamValue(Engine, index));
}

void TCryptoParamsEditor::FillCryptoControls() {
    TStrings* items = cbCryptoEngineType->Items();
    if (items->Count() > 0)
        return;
    FillCryptoEngineTypeList(items);
    int index = items->IndexOf(FCryptoEngineType);
    if (index < 0 && !Trim(FCryptoEngineType).empty()) {
        items->Insert(0, FCryptoEngineType);
        index = 0;
    }
    cbCryptoEngineType->SetItemIndex(index);
    if (cbCryptoEngineType->ItemIndex() >= 0)
        FillCryptoParams();
}

void TCryptoParamsEditor::Refill() {
    if (!FFilled)
        return;
    cbCryptoEngineType->Items()->Clear();
    FillCryptoControls();
}

void TCryptoParamsEditor::ResetGrid() {
    TCorrectStringGrid* grid = sgCryptoParams;
    grid->SetEditorMode(false);
    grid->SetRowCount(2);
    grid->SetFixedRows(1);
    grid->SetCells(0, 0, "Name");
    grid->SetCells(1, 0, "Value");
    grid->SetCells(0, 1, "");
    grid->SetCells(1, 1, "");
    grid->SetOptions(grid->Options().Exclude(goEditing));
    FResetting = true;
    grid->SetCol(1);
    grid->SetRow(1);
    FResetting = false;
}

void TCryptoParamsEditor::FillCryptoParams() {
    ResetGrid();
    FFilled = true;
    const std::string type = cbCryptoEngineType->Text();
    if (type.empty())
        return;
    const int engine = InitCryptoEngine(type);
    const bool same = AnsiSameText(type, FCryptoEngineType);
    TStringList params;
    if (engine != 0)
        FillCryptoParamsList(engine, &params);
    else if (same)
        params.Assign(*FCryptoParams);
    if (params.Count() > 0) {
        TCorrectStringGrid* grid = sgCryptoParams;
        grid->SetRowCount(params.Count() + 1);
        grid->SetOptions(grid->Options().Include(goEditing));
        for (int i = 0; i < params.Count(); ++i) {
            const std::string& line = params[i];
            const size_t eq = line.find('=');
            const std::string name = line.substr(0, eq);
            std::string value = eq == std::string::npos ? "" : line.substr(eq + 1);
            if (same && engine != 0) {
                const std::string stored = FCryptoParams->Values(name);
                if (!stored.empty())
                    value = stored;
            }
            grid->SetCells(0, i + 1, name);
            grid->SetCells(1, i + 1, value);
        }
    }
    if (engine != 0)
        DoneCryptoEngine(engine);
}

void TCryptoParamsEditor::cbCryptoEngineTypeChange(TObject*) {
    FillCryptoParams();
}

void TCryptoParamsEditor::sgCryptoParamsSelectCell(TObject*, int ACol, int ARow, bool& CanSelect) {
    CanSelect = FResetting || (ACol > 0 && !Trim(sgCryptoParams->Cells(0, ARow)).empty());
}

TStrings* TCryptoParamsEditor::GetCryptoParams() const {
    // Only a grid that shows an engine's parameters speaks for them; before that the stored
    // lines stand. One named row is taken over as well as several.
    const TCorrectStringGrid* grid = sgCryptoParams;
    if (FFilled && (grid->RowCount() > 2 || !Trim(grid->Cells(0, 1)).empty())) {
        FCryptoParams->BeginUpdate();
        FCryptoParams->Clear();
        for (int row = 1; row < grid->RowCount(); ++row)
            if (!grid->Cells(0, row).empty())
                FCryptoParams->Add(grid->Cells(0, row) + "=" + grid->Cells(1, row));
        FCryptoParams->EndUpdate();
    }
    return FCryptoParams.get();
}

void TCryptoParamsEditor::SetCryptoParams(const TStrings* value) {
    FCryptoParams->Assign(*value);
    Refill();
}

std::string TCryptoParamsEditor::GetCryptoEngineType() const {
    const std::string text = cbCryptoEngineType->Text();
    if (!text.empty())
        FCryptoEngineType = text;
    return FCryptoEngineType;
}

void TCryptoParamsEditor::SetCryptoEngineType(const std::string& value) {
    FCryptoEngineType = value;
    cbCryptoEngineType->SetItemIndex(cbCryptoEngineType->Items()->IndexOf(value));
    Refill();
}

void TCryptoParamsEditor::ImportLines(const TCryptoParamsImport& import) {
    TCorrectStringGrid* grid = sgCryptoParams;
    const int last = std::min(import.Lines.Count() - 1, grid->RowCount() - 2);
    for (int i = 0; i <= last; ++i) {
        const std::string& line = import.Lines[i];
        if (!import.NameMode) {
            grid->SetCells(1, i + 1, line);
            continue;
        }
        const size_t eq = line.find('=');
        const std::string name = Trim(line.substr(0, eq));
        const std::string value = eq == std::string::npos ? "" : Trim(line.substr(eq + 1));
        for (int row = 1; row < grid->RowCount(); ++row)
            if (AnsiSameText(grid->Cells(0, row), name)) {
                grid->SetCells(1, row, value);
                break;
            }
    }
}

void TCryptoParamsEditor::ImportFromFileClickHandler(TObject*) {
    if (cbCryptoEngineType->Text().empty())
        return;
    auto dialog = MakeOwned<TOpenDialog>();
    dialog->Filter = "All Files (*.*.)|*.*";
    if (!dialog->Execute())
        return;
    TStringList lines;
    try {
        lines.LoadFromFile(dialog->FileName);
    } catch (const Exception& e) {
        HandleError(e.Message);
        return;
    }
    TCryptoParamsImport import;
    ReadCryptoParamsImport(lines, *cbCryptoEngineType->Items(), import);
    // The section of another engine type brings that type's own rows, so the values land on
    // the parameters they belong to.
    if (!import.EngineType.empty() &&
        !AnsiSameText(import.EngineType, cbCryptoEngineType->Text())) {
        cbCryptoEngineType->SetItemIndex(cbCryptoEngineType->Items()->IndexOf(import.EngineType));
        FillCryptoParams();
    }
    ImportLines(import);
}

void TCryptoParamsEditor::CheckClickHandler(TObject*) {
    const std::string type = cbCryptoEngineType->Text();
    if (type.empty())
        return;
    const int engine = InitCryptoEngine(type);
    if (engine == 0)
        return;
    for (int row = 1; row < sgCryptoParams->RowCount(); ++row)
        SetCryptoEngineParamValue(engine, sgCryptoParams->Cells(0, row),
                                  sgCryptoParams->Cells(1, row));
    const int maxSize = GetMaxSignatureLength(engine);
    TLibraryTextBuffer signature(maxSize);
    int size = signature.Valid() ? maxSize : 0;
    const int result = SignData(engine, "Some", 4, signature.Data(), size, "For sign test");
    if (result != 0)
        HandleError(Format("Error on SignData ErrCode: %d; ErrStr: %s",
                           {result, GetCryptoErrorString(engine, result)}));
    else
        ShowOwnedMessageBox(WindowHandle(), "Ok", "Ok", MB_ICONINFORMATION);
    DoneCryptoEngine(engine);
}
