// The header's section collection: adding, deleting, moving, assigning and the order text.
#include "qztree/header/header_sections.h"

#include "qztree/header/header.h"
#include "rtl/strings.h"

#include <numeric>
#include <vector>

namespace {

// Union-find over section positions that knows the top of each tree of parent links.
class TRootFinder {
public:
    explicit TRootFinder(int Count) : FUp(size_t(Count)), FTop(size_t(Count)) {
        std::iota(FUp.begin(), FUp.end(), 0);
        std::iota(FTop.begin(), FTop.end(), 0);
    }
    int RootOf(int Position) { return FTop[size_t(Find(Position))]; }
    // Child is the top of its own tree; it goes under Parent.
    void Join(int Child, int Parent) {
        int top = RootOf(Parent);
        int set = Find(Parent);
        FUp[size_t(Find(Child))] = set;
        FTop[size_t(set)] = top;
    }

private:
    int Find(int X) {
        while (FUp[size_t(X)] != X) {
            FUp[size_t(X)] = FUp[size_t(FUp[size_t(X)])];
            X = FUp[size_t(X)];
        }
        return X;
    }
    std::vector<int> FUp, FTop;
};

} // namespace

TQZHeaderSections::TQZHeaderSections(TCustomQZHeader* AOwner) : FOwner(AOwner) {}

TQZHeaderSections::~TQZHeaderSections() {
    Clear();
}

TQZHeaderSection* TQZHeaderSections::CreateSection() {
    return new TQZHeaderSection(FOwner);
}

TQZHeaderSection* TQZHeaderSections::FindSection(int Index) const {
    if (!FIndexes.Holds(Index))
        return nullptr;
    auto sole = FSoleHolders.find(Index);
    if (sole != FSoleHolders.end())
        return sole->second;
    // Several hold it, or one of them went: the first in display order.
    for (int i = 0; i < FList.Count(); ++i) {
        auto* s = static_cast<TQZHeaderSection*>(FList.FastGet(i));
        if (s->FIndex == Index)
            return s;
    }
    return nullptr;
}

TQZHeaderSection* TQZHeaderSections::GetSectionByIntTag(int Tag) const {
    if (!FTags.Holds(Tag))
        return nullptr;
    for (int i = 0; i < FList.Count(); ++i) {
        auto* s = static_cast<TQZHeaderSection*>(FList.FastGet(i));
        if (s->FIntTag == Tag)
            return s;
    }
    return nullptr;
}

TQZHeaderSection* TQZHeaderSections::GetSectionByPos(int Position) const {
    return static_cast<TQZHeaderSection*>(FList.Get(Position));
}

TQZHeaderSection* TQZHeaderSections::AddSection() {
    return InsertSection(Count());
}

TQZHeaderSection* TQZHeaderSections::InsertSection(int Position) {
    FOwner->BeginUpdate();
    std::unique_ptr<TQZHeaderSection> section(CreateSection());
    section->FIndex = FIndexes.FirstFreeFrom(0);
    section->FIntTag = FTags.FirstFreeFrom(Count() + 1);
    FList.Insert(Position, section.get());
    TQZHeaderSection* added = section.release();
    Listed(added);
    FOwner->InvalidateRight(added->FIndex);
    if (FOwner->UpdateCount() == 1)
        FOwner->DoSectionCreate(added);
    else
        FOwner->AdditionHappened = true;
    FOwner->EndUpdate();
    return added;
}

void TQZHeaderSections::DeleteSection(TQZHeaderSection* Section) {
    if (!Section || FList.IndexOf(Section) < 0)
        throw EQZHeaderError("Invalid section");
    FOwner->BeginUpdate();
    FOwner->SectionGoing(Section);
    FList.Remove(Section);
    Unlisted(Section);
    FIndexes.Clear();
    FSoleHolders.clear();
    for (int i = 0; i < FList.Count(); ++i) {
        auto* s = static_cast<TQZHeaderSection*>(FList.FastGet(i));
        s->FIndex = i;
        TakeIndex(s);
    }
    if (FOwner->UpdateCount() == 1)
        FOwner->DoSectionDelete(Section);
    else
        FOwner->DeletionHappened = true;
    delete Section;
    if (FOwner->HandleAllocated())
        FOwner->Invalidate();
    FOwner->EndUpdate();
}

void TQZHeaderSections::MoveSection(TQZHeaderSection* Section, int NewPosition) {
    FOwner->BeginUpdate();
    TQZHeaderSection* locked = FOwner->LockedSection();
    int current = Section->Position();
    if (locked == Section && NewPosition != 0) {
        FOwner->EndUpdate();
        return;
    }
    if (locked && locked != Section && NewPosition == 0)
        NewPosition = 1;
    if (current != NewPosition && NewPosition < Count()) {
        FList.Move(current, NewPosition);
        FOwner->DoSectionMove(Section, current, NewPosition);
        if (FOwner->HandleAllocated())
            FOwner->Invalidate();
    }
    FOwner->EndUpdate();
}

void TQZHeaderSections::Clear() {
    if (FOwner && FList.Count() > 0)
        FOwner->SectionsCleared();
    // Every section leaves the list before any is freed: a going section looks for children
    // among the listed ones, and all of them go.
    std::vector<std::unique_ptr<TQZHeaderSection>> going;
    going.reserve(size_t(FList.Count()));
    while (FList.Count() > 0) {
        auto* s = static_cast<TQZHeaderSection*>(FList.Last());
        FList.IntDelete(FList.Count() - 1);
        s->FListed = false;
        going.emplace_back(s);
    }
    FList.Clear();
    FIndexes.Clear();
    FTags.Clear();
    FSoleHolders.clear();
}

void TQZHeaderSections::ReverseOrder() {
    // The last entry moves to each place in turn.
    for (int i = 0; i < Count(); ++i)
        FList.Move(Count() - 1, i);
}

TQZHeaderSection* TQZHeaderSections::LastVisibleSection() const {
    if (Count() == 0)
        return nullptr;
    TQZHeaderSection* last = GetSectionByPos(Count() - 1);
    return last->Visible() ? last : GetPrevVisibleSection(last);
}

std::vector<bool> TQZHeaderSections::VisibleFlags() const {
    std::unordered_map<const TQZHeaderSection*, bool> known;
    std::vector<bool> flags(static_cast<size_t>(Count()));
    std::vector<const TQZHeaderSection*> path;
    for (int i = 0; i < Count(); ++i) {
        const TQZHeaderSection* s = GetSectionByPos(i);
        // Up to the nearest section already answered, or to the top.
        path.clear();
        bool parentShown = true;
        for (const TQZHeaderSection* up = s; up; up = up->FParentSection) {
            auto answered = known.find(up);
            if (answered != known.end()) {
                parentShown = answered->second;
                break;
            }
            path.push_back(up);
        }
        for (auto down = path.rbegin(); down != path.rend(); ++down) {
            const TQZHeaderSection* parent = (*down)->FParentSection;
            parentShown = (*down)->FVisible && (!parent || (parentShown && parent->FExpanded));
            known[*down] = parentShown;
        }
        flags[size_t(i)] = known[s];
    }
    return flags;
}

TQZHeaderSection* TQZHeaderSections::GetPrevVisibleSection(const TQZHeaderSection* Section) const {
    for (int i = FList.IndexOf(Section) - 1; i >= 0; --i) {
        auto* s = static_cast<TQZHeaderSection*>(FList.FastGet(i));
        if (s->Visible())
            return s;
    }
    return nullptr;
}

void TQZHeaderSections::Assign(const TPersistent* Source) {
    auto* source = dynamic_cast<const TQZHeaderSections*>(Source);
    if (!source)
        return TPersistent::Assign(Source);
    if (source == this)
        return;
    FOwner->BeginUpdate();
    {
        // The header is drawn once, with every section in place.
        TCustomQZHeader::TRedrawLock redraw(*FOwner);
        // All go at once, as deleting them one by one under the update lock would: each leaves the
        // header's references and one deletion is reported at the end.
        if (Count() > 0) {
            Clear();
            FOwner->DeletionHappened = true;
        }
        for (int i = 0; i < source->Count(); ++i)
            AddSection()->CopyFields(*source->GetSectionByPos(i));
        for (int i = 0; i < source->Count(); ++i) {
            TQZHeaderSection* from = source->GetSectionByPos(i);
            TQZHeaderSection* to = GetSectionByPos(i);
            int oldIndex = to->FIndex, oldTag = to->FIntTag;
            to->FIndex = from->FIndex;
            to->FIntTag = from->FIntTag;
            Renumbered(to, oldIndex, oldTag);
            to->FParentIdx = from->FParentSection ? from->FParentSection->FIndex : -1;
        }
        // Parents are linked once every section has its final Index.
        LinkParents();
        FOwner->MarkStickySections();
    }
    FOwner->EndUpdate();
}

std::string TQZHeaderSections::SectionsOrder() const {
    std::string text;
    for (int i = 0; i < Count(); ++i) {
        TQZHeaderSection* s = GetSectionByPos(i);
        text += "i" + IntToStr(s->FIndex) + ":w" + IntToStr(s->FWidth) + ":v" +
                (s->Visible() ? "t," : "f,");
    }
    return text;
}

void TQZHeaderSections::SetSectionsOrder(const std::string& Value) {
    if (FOwner->IsLoading() || FOwner->IsDesigning())
        return;
    std::string text = Value;
    int p = 0;
    while (!text.empty()) {
        size_t colon = text.find(':');
        std::string number =
            text.substr(1, colon == std::string::npos ? std::string::npos : colon - 1);
        text.erase(0, colon == std::string::npos ? text.size() : colon + 1);
        int index = StrToInt(number);
        TQZHeaderSection* s = FindSection(index);
        if (!s) {
            // Skip the width and the visibility of an entry for no section.
            size_t comma = text.find_first_of(",;");
            text.erase(0, comma == std::string::npos ? text.size() : comma + 1);
            continue;
        }
        MoveSection(s, p);
        colon = text.find(':');
        std::string width =
            text.substr(1, colon == std::string::npos ? std::string::npos : colon - 1);
        text.erase(0, colon == std::string::npos ? text.size() : colon + 1);
        s->SetWidth(StrToInt(width));
        s->SetVisible(!(text.rfind("vf,", 0) == 0 || text.rfind("vf;", 0) == 0));
        text.erase(0, 3);
        ++p;
    }
}

void TQZHeaderSections::LinkParents() {
    // The first section in display order holding each Index, as FindSection answers.
    std::unordered_map<int, int> byIndex;
    for (int i = 0; i < Count(); ++i) {
        TQZHeaderSection* s = GetSectionByPos(i);
        s->FParentSection = nullptr;
        byIndex.emplace(s->FIndex, i);
    }
    auto positionOf = [&byIndex](int Index) {
        auto found = byIndex.find(Index);
        return found == byIndex.end() ? -1 : found->second;
    };
    // Sections are linked in the order of their Index; each is still a root when its turn
    // comes, so a link closes a cycle exactly when the new parent's root is the section itself.
    TRootFinder roots(Count());
    for (int n = 0; n < Count(); ++n) {
        int child = positionOf(n);
        if (child < 0)
            continue;
        TQZHeaderSection* s = GetSectionByPos(child);
        int parent = s->FParentIdx == -1 ? -1 : positionOf(s->FParentIdx);
        if (parent < 0 || roots.RootOf(parent) == child)
            continue;
        s->FParentSection = GetSectionByPos(parent);
        roots.Join(child, parent);
    }
}

void TQZHeaderSections::Listed(TQZHeaderSection* Section) {
    Section->FListed = true;
    TakeIndex(Section);
    FTags.Take(Section->FIntTag);
}

void TQZHeaderSections::Unlisted(TQZHeaderSection* Section) {
    Section->FListed = false;
    GiveIndex(Section->FIndex);
    FTags.Give(Section->FIntTag);
}

void TQZHeaderSections::Renumbered(TQZHeaderSection* Section, int OldIndex, int OldTag) {
    if (OldIndex != Section->FIndex) {
        GiveIndex(OldIndex);
        TakeIndex(Section);
    }
    if (OldTag != Section->FIntTag) {
        FTags.Give(OldTag);
        FTags.Take(Section->FIntTag);
    }
}

void TQZHeaderSections::TakeIndex(TQZHeaderSection* Section) {
    if (FIndexes.Take(Section->FIndex) == 1)
        FSoleHolders[Section->FIndex] = Section;
    else
        FSoleHolders.erase(Section->FIndex);
}

void TQZHeaderSections::GiveIndex(int Index) {
    FIndexes.Give(Index);
    // Who still holds it is not known: FindSection looks.
    FSoleHolders.erase(Index);
}
