#pragma once
#include "vcl/controls/button.h"
#include "vcl/core/win_control.h"

#include <functional>
#include <memory>
#include <string>

class TQZTree;
class TQZTreeItem;
class TQZHeaderSections;
class TStringList;
class TStrings;
class TQZParamsEditEx;

// The steps of the editor that its handler may veto or watch.
enum TParamsEditAction {
    peaBeforeAddDialog,
    peaBeforeAdd,
    peaAfterAdd,
    peaBeforeEditDialog,
    peaBeforeEdit,
    peaAfterEdit,
    peaBeforeDelete,
    peaAfterDelete,
    peaAfterDeleteAll
};
using TParamsEditActionEvent =
    std::function<void(TObject* Sender, TParamsEditAction Action, bool& Allow, TStrings* Values)>;
using TParamsSelectItemEvent =
    std::function<void(TObject* Sender, TQZTreeItem* Item, bool Selected)>;

// A button of the editor: a new caption makes the editor size its buttons again.
class TCButton : public TButton {
public:
    TCButton(TComponent* AOwner, TQZParamsEditEx* Editor) : TButton(AOwner), FEditor(Editor) {}

protected:
    void TextChanged() override;

private:
    TQZParamsEditEx* FEditor;
};

// Rows of one or more values in a tree (one column per header section) above "Add", "Remove"
// and "Edit". The owner exchanges the rows as Items: one line per row, the values joined by the
// separator, the values after the first escaped.
class TQZParamsEditEx : public TWinControl {
public:
    explicit TQZParamsEditEx(TComponent* AOwner);
    ~TQZParamsEditEx() override;

    void SetParent(TWinControl* value) override;

    char Separator() const { return FSeparator; }
    void SetSeparator(char Value) { FSeparator = Value; }
    // The rows as lines; the list is filled anew at each read.
    TStrings* Items();
    void SetItems(const TStrings* Value);
    TQZHeaderSections* Columns() const;
    bool ShowColumnHeaders() const;
    void SetShowColumnHeaders(bool Value);
    TStrings* HeadersCaptions();
    void SetHeadersCaptions(const TStrings* Value);
    int ButtonsWidth() const { return FButtonsWidth; }
    void SetButtonsWidth(int Value);
    int ButtonsMinWidth() const { return FButtonsMinWidth; }
    void SetButtonsMinWidth(int Value);
    bool FirstParamMayBeEmpty() const { return FFirstParamMayBeEmpty; }
    void SetFirstParamMayBeEmpty(bool Value) { FFirstParamMayBeEmpty = Value; }
    TButton* OkButtonControl() const { return FOkButtonControl; }
    void SetOkButtonControl(TButton* Value) { FOkButtonControl = Value; }
    TButton* CancelButtonControl() const { return FCancelButtonControl; }
    void SetCancelButtonControl(TButton* Value) { FCancelButtonControl = Value; }

    void SetCell(int Col, int Row, const std::string& Value);
    int ColCount() const;
    int RowCount() const;
    void Clear();
    // A row from one line of values split by the separator (not decoded); its index, or -1.
    int AddItem(const std::string& Line);

    TQZTree* tvParamsList() const { return FTree; }
    TCButton* btnAdd() const { return FAdd; }
    TCButton* btnRemove() const { return FRemove; }
    TCButton* btnEdit() const { return FEdit; }
    TStringList* TmpItems() const { return FTmpItems.get(); }

    // Sizes the three buttons to the widest caption (or the fixed width) and places them.
    void CorrectButtonsWidth();

    TParamsEditActionEvent onDoAction;
    TParamsSelectItemEvent onSelectItem;

protected:
    void Resize() override;

private:
    void CreateControls();
    void ResizeControls();
    void EnabledButtons();
    void SelectItem(TObject* Sender, TQZTreeItem* Item);
    void AddClickHandler(TObject* Sender);
    void EditClickHandler(TObject* Sender);
    void RemoveClickHandler(TObject* Sender);
    void DblClickHandler(TObject* Sender);
    bool ShowDialog(bool IsEdit);
    void SetLineParams(int Row);
    bool DoAction(TParamsEditAction Action);
    TQZTreeItem* SingleSelected() const;

    char FSeparator = '=';
    TButton* FOkButtonControl = nullptr;
    TButton* FCancelButtonControl = nullptr;
    int FButtonsWidth = 0;
    int FButtonsMinWidth = 0;
    bool FFirstParamMayBeEmpty = false;
    std::unique_ptr<TStringList> FHeadersCaptions;
    std::unique_ptr<TStringList> FTmpItems;
    TQZTree* FTree = nullptr;
    TCButton* FAdd = nullptr;
    TCButton* FRemove = nullptr;
    TCButton* FEdit = nullptr;
};
