#pragma once
#include "qztree/header_section.h"
#include "qztree/qz_list.h"

#include <string>

class TStream;

// The sections of a header in display order; the collection owns them.
class TQZHeaderSections : public TPersistent {
public:
    explicit TQZHeaderSections(TCustomQZHeader* AOwner);
    ~TQZHeaderSections() override;
    void Assign(const TPersistent* Source) override;

    TCustomQZHeader* Owner() const { return FOwner; }
    int Count() const { return FList.Count(); }
    // By Index (the stable number), not by position.
    TQZHeaderSection* Item(int Index) const { return GetSection(Index); }
    TQZHeaderSection* ItemByPos(int Position) const { return GetSectionByPos(Position); }
    const TQZList& List() const { return FList; }

    TQZHeaderSection* AddSection();
    TQZHeaderSection* InsertSection(int Position);
    void DeleteSection(TQZHeaderSection* Section);
    void MoveSection(TQZHeaderSection* Section, int NewPosition);
    void Clear();
    void ReverseOrder();

    virtual TQZHeaderSection* GetSection(int Index) const { return FindSection(Index); }
    virtual TQZHeaderSection* GetSectionByIntTag(int Tag) const;
    virtual TQZHeaderSection* GetSectionByPos(int Position) const;
    virtual TQZHeaderSection* FindSection(int Index) const;
    TQZHeaderSection* LastVisibleSection() const;
    TQZHeaderSection* GetPrevVisibleSection(const TQZHeaderSection* Section) const;

    // The binary "Data" form and the compact order text.
    virtual void WriteData(TStream& Stream) const;
    void ReadData(TStream& Stream) { IntReadData(Stream, true); }
    void FrameReadData(TStream& Stream) { IntReadData(Stream, false); }
    std::string SectionsOrder() const;
    void SetSectionsOrder(const std::string& Value);

protected:
    virtual TQZHeaderSection* CreateSection();
    virtual void IntReadData(TStream& Stream, bool FromReadData);

private:
    void LinkParents();

    TQZList FList;
    TCustomQZHeader* FOwner;
};

// Breaks parent links that would make a section its own ancestor.
bool WouldMakeCycle(const TQZHeaderSection* Section, const TQZHeaderSection* NewParent);
