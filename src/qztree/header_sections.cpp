// The header's section collection: adding, deleting, moving, assigning and the order text.
#include "qztree/header_sections.h"

#include "qztree/header.h"
#include "rtl/strings.h"

TQZHeaderSections::TQZHeaderSections(TCustomQZHeader* AOwner) : FOwner(AOwner) {}

TQZHeaderSections::~TQZHeaderSections() {
    Clear();
}

TQZHeaderSection* TQZHeaderSections::CreateSection() {
    return new TQZHeaderSection(FOwner);
}

TQZHeaderSection* TQZHeaderSections::FindSection(int Index) const {
    for (int i = 0; i < FList.Count(); ++i) {
        auto* s = static_cast<TQZHeaderSection*>(FList.FastGet(i));
        if (s->FIndex == Index)
            return s;
    }
    return nullptr;
}

TQZHeaderSection* TQZHeaderSections::GetSectionByIntTag(int Tag) const {
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
    int index = 0;
    while (FindSection(index))
        ++index;
    section->FIndex = index;
    int tag = Count() + 1;
    while (GetSectionByIntTag(tag))
        ++tag;
    section->FIntTag = tag;
    FList.Insert(Position, section.get());
    TQZHeaderSection* added = section.release();
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
    for (int i = 0; i < FList.Count(); ++i)
        static_cast<TQZHeaderSection*>(FList.FastGet(i))->FIndex = i;
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
    // Each section leaves the list before it is freed, so its destructor sees only live ones.
    while (FList.Count() > 0) {
        auto* s = static_cast<TQZHeaderSection*>(FList.Last());
        FList.IntDelete(FList.Count() - 1);
        delete s;
    }
    FList.Clear();
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
    while (Count() > 0)
        DeleteSection(GetSectionByPos(0));
    for (int i = 0; i < source->Count(); ++i)
        AddSection()->Assign(source->GetSectionByPos(i));
    for (int i = 0; i < source->Count(); ++i) {
        TQZHeaderSection* from = source->GetSectionByPos(i);
        TQZHeaderSection* to = GetSectionByPos(i);
        to->FIndex = from->FIndex;
        to->FIntTag = from->FIntTag;
        to->FParentIdx = from->FParentSection ? from->FParentSection->FIndex : -1;
    }
    // Parents are linked once every section has its final Index.
    LinkParents();
    FOwner->MarkStickySections();
    if (FOwner->HandleAllocated())
        FOwner->Invalidate();
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
    for (int i = 0; i < Count(); ++i)
        GetSectionByPos(i)->FParentSection = nullptr;
    for (int n = 0; n < Count(); ++n) {
        TQZHeaderSection* s = FindSection(n);
        if (!s || s->FParentIdx == -1)
            continue;
        // A section never becomes its own ancestor, whatever the data says.
        TQZHeaderSection* parent = FindSection(s->FParentIdx);
        if (parent && !WouldMakeCycle(s, parent))
            s->FParentSection = parent;
    }
}
