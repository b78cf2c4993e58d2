#pragma once
#include "qztree/base/list.h"
#include "qztree/base/used_numbers.h"
#include "qztree/header/header_section.h"

#include <string>
#include <unordered_map>
#include <vector>

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
    // Visible() of every section in display order, each ancestor looked at once however deep
    // the parent links run.
    std::vector<bool> VisibleFlags() const;
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
    friend class TQZHeaderSection;

    void LinkParents();
    // Every change of a listed section's Index or internal tag goes through here.
    void Listed(TQZHeaderSection* Section);
    void Unlisted(TQZHeaderSection* Section);
    void Renumbered(TQZHeaderSection* Section, int OldIndex, int OldTag);
    void TakeIndex(TQZHeaderSection* Section);
    void GiveIndex(int Index);

    TQZList FList;
    TCustomQZHeader* FOwner;
    // The numbers the listed sections hold, so that new sections are numbered without a search,
    // and the section of each Index that only one section holds.
    TUsedNumbers FIndexes, FTags;
    std::unordered_map<int, TQZHeaderSection*> FSoleHolders;
};

// Breaks parent links that would make a section its own ancestor.
bool WouldMakeCycle(const TQZHeaderSection* Section, const TQZHeaderSection* NewParent);
