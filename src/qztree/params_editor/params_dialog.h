#pragma once
#include "vcl/core/forms.h"

#include <string>
#include <vector>

class TButton;
class TEdit;
class TLabel;
class TStrings;

// The modal dialog of the parameters editor: one labelled edit per column above Ok and Cancel.
// Lines are added in code; the dialog grows to hold them.
class TQZAskParamsValuesDlgEx : public TCustomForm {
public:
    explicit TQZAskParamsValuesDlgEx(TComponent* AOwner);

    // A line with the label "Caption: " (none for an empty caption) and an edit holding Value.
    void Add(const std::string& Caption, const std::string& Value);
    // The edits' texts in order.
    void GetResult(TStrings& List) const;
    // Ok and Cancel take the caption, hint and width of the given buttons (none: keep their own).
    void CorrectButtons(const TButton* OkLike, const TButton* CancelLike);

    TButton* btnOk() const { return FOk; }
    TButton* btnCancel() const { return FCancel; }
    int EditCount() const { return int(FEdits.size()); }
    TEdit* Edit(int Index) const { return FEdits[size_t(Index)]; }
    TLabel* Label(int Index) const { return FLabels[size_t(Index)]; }

protected:
    void Resize() override;

private:
    void BuildButtons();
    void ResizeControls();

    std::vector<TEdit*> FEdits;
    std::vector<TLabel*> FLabels;
    TButton* FOk = nullptr;
    TButton* FCancel = nullptr;
};
