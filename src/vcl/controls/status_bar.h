#pragma once
#include "vcl/core/win_control.h"

#include <memory>
#include <string>
#include <vector>

class TStatusBar;

// One panel of a status bar: its text, width in pixels and the alignment of the text.
class TStatusPanel {
public:
    explicit TStatusPanel(TStatusBar* bar) : FBar(bar) {}
    std::string Text() const { return FText; }
    void SetText(const std::string& value);
    int Width() const { return FWidth; }
    void SetWidth(int value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);

private:
    TStatusBar* FBar;
    std::string FText;
    int FWidth = 50;
    TAlignment FAlignment = taLeftJustify;
};

class TStatusPanels {
public:
    explicit TStatusPanels(TStatusBar* bar) : FBar(bar) {}
    int Count() const { return int(FItems.size()); }
    TStatusPanel* Items(int index) const { return FItems.at(size_t(index)).get(); }
    TStatusPanel* operator[](int index) const { return Items(index); }
    TStatusPanel* Add();
    void Delete(int index);
    void Clear();

private:
    TStatusBar* FBar;
    std::vector<std::unique_ptr<TStatusPanel>> FItems;
};

// A status bar over the Win32 status window, aligned to the bottom of its parent: panels side by
// side (the last reaches to the right edge), or one simple text across the whole bar.
class TStatusBar : public TWinControl {
public:
    explicit TStatusBar(TComponent* AOwner);
    ~TStatusBar() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TStatusPanels* Panels() const { return FPanels.get(); }
    bool SimplePanel() const { return FSimplePanel; }
    void SetSimplePanel(bool value);
    std::string SimpleText() const { return FSimpleText; }
    void SetSimpleText(const std::string& value);
    bool SizeGrip() const { return FSizeGrip; }
    void SetSizeGrip(bool value);

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;

private:
    friend class TStatusPanel;
    friend class TStatusPanels;
    void UpdatePanels();
    void PanelTextChanged(const TStatusPanel* panel);
    void UpdatePanelText(int index);

    std::unique_ptr<TStatusPanels> FPanels;
    bool FSimplePanel = false;
    std::string FSimpleText;
    bool FSizeGrip = true;
};
