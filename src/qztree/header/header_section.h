#pragma once
#include "qztree/base/section_types.h"
#include "vcl/base/persistent.h"
#include "vcl/graphics/colors.h"

#include "rtl/events.h"
#include "rtl/exceptions.h"

#include <memory>
#include <string>

class TCustomQZHeader;
class TPopupMenu;
class TStringList;
class TStrings;

enum TQZSAlignment { hsaLeft, hsaCenter, hsaRight };
enum TSectionChangeMode {
    scmCaption,
    scmFieldName,
    scmFieldType,
    scmAlign,
    scmStyle,
    scmEditable,
    scmPassword
};
enum TQZTextLayout { tlTop, tlCenter, tlBottom };

class EQZHeaderError : public Exception {
    using Exception::Exception;
};

// One column of the header. Index is its stable number (the key of parent links and lookups);
// Position is its place in the display order.
class TQZHeaderSection : public TPersistent {
public:
    explicit TQZHeaderSection(TCustomQZHeader* AOwner);
    ~TQZHeaderSection() override;
    void Assign(const TPersistent* Source) override;

    TCustomQZHeader* Owner() const { return FOwner; }
    int Index() const { return FIndex; }
    int Position() const;
    int Left() const;
    int Right() const;
    bool Locked() const;
    // Shown: its own flag, and every parent visible and expanded.
    bool Visible() const;
    bool OwnVisible() const { return FVisible; }
    void SetVisible(bool Value);

    const std::string& Text() const { return FText; }
    void SetText(const std::string& Value);
    TQZSectionStyle Style() const { return FStyle; }
    void SetStyle(TQZSectionStyle Value);
    TQZSAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TQZSAlignment Value);
    const std::string& FieldName() const { return FFieldName; }
    virtual void SetFieldName(const std::string& Value);
    TQZFieldType FieldType() const { return FFieldType; }
    virtual void SetFieldType(TQZFieldType Value);
    bool Editable() const { return FEditable; }
    virtual void SetEditable(bool Value);
    bool Password() const { return FProtected; }
    void SetPassword(bool Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    TQZSSortMode SortMode() const { return FSortMode; }
    void SetSortMode(TQZSSortMode Value);
    int Width() const { return FWidth; }
    void SetWidth(int Value);
    int MinWidth() const { return FMinWidth; }
    void SetMinWidth(int Value);
    int MaxWidth() const { return FMaxWidth; }
    void SetMaxWidth(int Value);
    bool Resizable() const { return FResizable; }
    virtual void SetResizable(bool Value);
    bool LookupEnabled() const { return FLookupEnabled; }
    void SetLookupEnabled(bool Value);
    bool FilterEnabled() const { return FFilterEnabled; }
    void SetFilterEnabled(bool Value);
    bool FilterIsActive() const { return FFilterIsActive; }
    void SetFilterIsActive(bool Value);
    bool ShowSortMark() const { return FShowSortMark; }
    void SetShowSortMark(bool Value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool Value);
    TQZTextLayout TextLayout() const { return FTextLayout; }
    void SetTextLayout(TQZTextLayout Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor Value);
    bool UseMainStyle() const { return FUseMainStyle; }
    void SetUseMainStyle(bool Value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    bool Expandable() const { return FExpandable; }
    void SetExpandable(bool Value);
    bool Expanded() const { return FExpanded; }
    void SetExpanded(bool Value);
    TQZHeaderSection* ParentSection() const { return FParentSection; }
    void SetParentSection(TQZHeaderSection* Value);
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* Value);
    const std::string& PopupName() const { return FPopupName; }
    TStringList* LookupHistory() const { return FLookupHist.get(); }
    void SetLookupHistory(const TStrings* Value);
    int SaveSize() const { return ASaveSize; }
    void SetSaveSize(int Value) { ASaveSize = Value; }
    float StickySize() const { return FStickySize; }

    int Tag = 0;
    // A click presses the section and reports it.
    bool AllowClick() const { return FAllowClick; }
    void SetAllowClick(bool Value) { FAllowClick = Value; }
    bool ClickSelect = true;
    TQZSAlignment PictureAlign = hsaLeft;
    std::string Hint;
    void* Data = nullptr;
    TNotifyEvent OnResize;

private:
    friend class TQZHeaderSections;
    friend class TCustomQZHeader;
    friend struct TSectionRecord;

    // Assign without the parent, which a whole collection links once at the end.
    void CopyFields(const TQZHeaderSection& From);
    void Redraw();
    void AutoSizeChanged();
    void NotifyChange(TSectionChangeMode Mode);
    void ApplyStickyWidth(int Value);
    void ApplyStickyVisible(bool Value);

    bool FFilterIsActive = false;
    bool FFilterEnabled = false;
    TQZTextLayout FTextLayout = tlCenter;
    bool FUseMainStyle = false;
    TColor FFontColor = 0;
    TColor FColor = 0;
    bool FParentColor = true;
    bool FLookupEnabled = false;
    bool FExpandable = false;
    bool FExpanded = false;
    TQZHeaderSection* FParentSection = nullptr;
    int FParentIdx = 0;
    TPopupMenu* FPopupMenu = nullptr;
    std::string FPopupName;
    bool FResizable = true;
    bool FProtected = false;
    std::string FFieldName;
    TQZFieldType FFieldType = sftText;
    bool FEditable = false;
    int FImageIndex = -1;
    int FIntTag = 0;
    int FIndex = 0;
    bool FListed = false; // in its header's collection, whose books know its numbers
    bool FVisible = true;
    TQZSectionStyle FStyle = QZhsText;
    int FWidth = 120;
    int FMinWidth = 0;
    int FMaxWidth = 10000;
    TQZSSortMode FSortMode = hsmNone;
    TQZSAlignment FAlignment = hsaLeft;
    std::string FText;
    TCustomQZHeader* FOwner;
    std::unique_ptr<TStringList> FLookupHist;
    bool FAutoSize = false;
    float FStickySize = 0;
    int ASaveSize = -1;
    bool FShowSortMark = true;
    bool FAllowClick = true;
};
