#pragma once
#include "rtl/dynamic_library.h"
#include "rtl/string_list.h"
#include "vcl/controls/button.h"
#include "vcl/core/win_control.h"
#include "vcl/grid/string_grid.h"

#include <functional>
#include <memory>
#include <string>

class TLabel;
class TComboBox;
class TCryptoParamsEditor;
struct TCryptoParamsImport;

// The parameter grid: a press on the line right of the last column sizes the last column, not
// a column that is not there.
class TCorrectStringGrid : public TStringGrid {
public:
    using TStringGrid::TStringGrid;

protected:
    void CalcSizingState(int X, int Y, TGridSizing& Sizing) const override;
};

// Edits the parameters of one crypto engine: an engine type from those the crypto-engine
// library offers, its parameters as name/value rows, values imported from a file, and a check
// that lets the engine sign a short text. The library (LibName) is loaded by the editor itself
// and its exports are looked up by name at each call; every problem goes to HandleError and no
// exception leaves the control.
class TCryptoParamsEditor : public TWinControl {
public:
    // A button that has its editor fit both buttons to the wider caption when its caption
    // changes; the editor's own, apart from the parameters editor's button of that name.
    class TCButton : public TButton {
    public:
        using TButton::TButton;

    protected:
        void TextChanged() override;
    };

    explicit TCryptoParamsEditor(TComponent* AOwner);
    ~TCryptoParamsEditor() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // The stored name=value lines, taken from the grid once it was filled.
    TStrings* CryptoParams() const { return GetCryptoParams(); }
    void SetCryptoParams(const TStrings* value);
    std::string CryptoEngineType() const { return GetCryptoEngineType(); }
    void SetCryptoEngineType(const std::string& value);
    std::string LibName() const { return FLibName; }
    void SetLibName(const std::string& value) { FLibName = value; }
    bool ShowErrorMessage() const { return FShowErrorMessage; }
    void SetShowErrorMessage(bool value) { FShowErrorMessage = value; }
    bool ShowCheckButton() const;
    void SetShowCheckButton(bool value);
    bool ShowImportButton() const;
    void SetShowImportButton(bool value);
    bool InitCryptoControlsOnCreate() const { return FInitCryptoControlsOnCreate; }
    void SetInitCryptoControlsOnCreate(bool value);

    // Fills the engine types (once) and the grid of the chosen type.
    void FillCryptoControls();
    void FillCryptoParams();
    void FillCryptoEngineTypeList(TStrings* Items);
    void FillCryptoParamsList(int Engine, TStrings* List);
    void SetButtonsControlsWidth();

    // The library.
    bool LoadLib();
    void FreeLib();
    void* LoadProcedure(const std::string& Name);
    void HandleError(const std::string& Msg);
    std::string LibFullName;
    std::string LastError;

    // One wrapper per export; without the library or the export they do nothing and yield 0 or
    // an empty text. Texts are read into buffers of the sizes the library states.
    int InitCryptoEngine(const std::string& TypeName);
    void SetRootPath(int Engine, const std::string& Path);
    void DoneCryptoEngine(int Engine);
    int GetCryptoParamNumber(int Engine);
    int GetMaxCryptoParamNameLength(int Engine);
    int GetMaxCryptoParamValueLength(int Engine);
    std::string GetCryptoParamName(int Engine, int Index);
    std::string GetCryptoParamValue(int Engine, int Index);
    int SetCryptoParamValue(int Engine, int Index, const std::string& Value);
    int GetMaxSignatureLength(int Engine);
    int SignData(int Engine, const char* Data, int DataLen, char* SignatureBuf, int& SignatureLen,
                 const std::string& Info);
    int GetMaxErrorStringLength(int Engine);
    std::string GetCryptoErrorString(int Engine, int ErrCode);
    int GetMaxCryptoEngineTypeLength();
    void GetCryptoEngineTypes(int Index, char* Buf);
    // The first parameter index (from 1) of the name, without regard to case; -1 when none.
    int GetCryptoEngineParamIndex(int Engine, const std::string& Name);
    void SetCryptoEngineParamValue(int Engine, const std::string& Name, const std::string& Value);

    TLabel* lbCryptoEngineTypeLabel = nullptr;
    TComboBox* cbCryptoEngineType = nullptr;
    TCButton* btnImportFromFile = nullptr;
    TCButton* btnCheck = nullptr;
    TCorrectStringGrid* sgCryptoParams = nullptr;

protected:
    virtual void cbCryptoEngineTypeChange(TObject* Sender);
    virtual void sgCryptoParamsSelectCell(TObject* Sender, int ACol, int ARow, bool& CanSelect);
    virtual void ImportFromFileClickHandler(TObject* Sender);
    virtual void CheckClickHandler(TObject* Sender);

private:
    void CreateControls();
    TStrings* GetCryptoParams() const;
    std::string GetCryptoEngineType() const;
    // After the type or the stored parameters are set again, an editor already filled shows them.
    void Refill();
    void ResetGrid();
    void ImportLines(const TCryptoParamsImport& import);
    template <class R, class... A> R CallLibrary(const char* name, A... args);
    std::string ReadLibraryText(int size, const std::function<void(char*)>& fill);

    std::string FLibName = "Sigmakit.dll";
    std::unique_ptr<TStringList> FCryptoParams;
    mutable std::string FCryptoEngineType;
    bool FShowErrorMessage = true;
    bool FInitCryptoControlsOnCreate = false;
    bool FFilled = false;    // the grid shows an engine's parameters
    bool FResetting = false; // the grid's current cell is placed by the program
    TDynamicLibrary FLibrary;
};
