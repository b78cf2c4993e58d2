#pragma once
#include "vcl/core/win_control.h"

#include "rtl/string_list.h"

#include <memory>

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

// A text box over the Win32 edit class; OnChange follows every change of its text.
class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(TComponent* AOwner);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value);
    // Upper or lower case: the window turns the text into that case as it takes it.
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase value);
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int value);
    void SelectAll();
    void WndProc(TMessage& Message) override;
    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void CNCommand(TMessage& Message) override;
    void DialogCodeMessage(TMessage& Message);
    void TextChanged() override;
    virtual void Change() { Fire(OnChange, this); }

private:
    bool FReadOnly = false;
    TEditCharCase FCharCase = ecNormal;
    int FMaxLength = 0;
    bool FSettingText = false;
    bool FChangeSeen = false;
};

class TEdit : public TCustomEdit {
public:
    explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

class TMemo;

// The lines of a memo, kept in step with its window: read from the window's text after the user
// changed it, written to the window after every change made through them (once at the end of
// a BeginUpdate bracket).
class TMemoLines : public TStrings {
public:
    explicit TMemoLines(TMemo* memo) : FMemo(memo) {}
    int Count() const override;
    std::string Get(int index) const override;
    void Put(int index, const std::string& s) override;
    void Insert(int index, const std::string& s) override;
    void Delete(int index) override;
    void Clear() override;
    std::string Text() const override;
    void SetText(const std::string& text) override;
    // The window's text changed by itself; the lines are read again when next asked.
    void MarkStale() { FStale = true; }

protected:
    void SetUpdateState(bool updating) override;

private:
    const TStringList& Lines() const;
    TStringList& Edit();
    void Push();

    TMemo* FMemo;
    mutable TStringList FLines;
    mutable bool FStale = true;
    bool FPushing = false;
};

// A text box of many lines. The window takes text of any length (the edit class's 32 KB
// default limit is lifted).
class TMemo : public TCustomEdit {
public:
    explicit TMemo(TComponent* AOwner);
    ~TMemo() override;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    TStrings* Lines() const { return FLines.get(); }
    void SetLines(const TStrings* value) { FLines->Assign(*value); }
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);

protected:
    void CreateParams(TCreateParams& Params) override;
    void TextChanged() override;
    void Change() override;

private:
    friend class TMemoLines;
    std::unique_ptr<TMemoLines> FLines;
    TScrollStyle FScrollBars = ssNone;
    bool FWordWrap = true;
};
