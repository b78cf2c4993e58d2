#pragma once
#include "vcl/base/component.h"
#include "vcl/base/set.h"

#include "rtl/string_list.h"

#include <functional>
#include <memory>
#include <string>

enum TOpenOption {
    ofReadOnly,
    ofOverwritePrompt,
    ofHideReadOnly,
    ofNoChangeDir,
    ofAllowMultiSelect,
    ofPathMustExist,
    ofFileMustExist,
    ofEnableSizing
};
using TOpenOptions = TSet<TOpenOption>;

class TOpenDialog;
// Replaces the system's dialog (tests answer it without a person): fills FileName and Files and
// returns whether the choice was confirmed.
using TOpenDialogHook = std::function<bool(TOpenDialog& dialog)>;
TOpenDialogHook SetOpenDialogHook(TOpenDialogHook hook);

// The system's dialog for choosing files to open. Filter is "Text|*.txt|All|*.*".
class TOpenDialog : public TComponent {
public:
    explicit TOpenDialog(TComponent* AOwner);
    ~TOpenDialog() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    // True when the operator chose; FileName is then the first chosen file, Files all of them.
    virtual bool Execute();

    std::string FileName;
    std::string Filter;
    int FilterIndex = 1;
    std::string InitialDir;
    std::string DefaultExt;
    std::string Title;
    TOpenOptions Options{ofHideReadOnly, ofEnableSizing};
    TStrings* Files() const { return FFiles.get(); }

private:
    bool ExecuteSystemDialog();
    void TakeChosenNames(const wchar_t* names);
    std::unique_ptr<TStringList> FFiles;
};
