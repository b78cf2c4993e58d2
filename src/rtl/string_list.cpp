#include "rtl/string_list.h"

#include "rtl/exceptions.h"
#include "rtl/file_io.h"
#include "rtl/strings.h"

#include <algorithm>
#include <vector>

namespace {

// Lines end at CR LF, CR or LF; a last line needs no end.
std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end;
        if (start < text.size() && text[start] == '\r')
            ++start;
        if (start < text.size() && text[start] == '\n')
            ++start;
    }
    return lines;
}

} // namespace

void TStrings::Put(int index, const std::string& s) {
    TObject* object = GetObject(index);
    Delete(index);
    InsertObject(index, s, object);
}

void TStrings::InsertObject(int index, const std::string& s, TObject* object) {
    Insert(index, s);
    PutObject(index, object);
}

int TStrings::Add(const std::string& s) {
    return AddObject(s, nullptr);
}

int TStrings::AddObject(const std::string& s, TObject* object) {
    int index = Count();
    InsertObject(index, s, object);
    return index;
}

int TStrings::CompareStrings(const std::string& a, const std::string& b) const {
    return AnsiCompareText(a, b);
}

int TStrings::IndexOf(const std::string& s) const {
    for (int i = 0; i < Count(); ++i)
        if (CompareStrings(Get(i), s) == 0)
            return i;
    return -1;
}

void TStrings::Exchange(int index1, int index2) {
    std::string s1 = Get(index1), s2 = Get(index2);
    TObject* o1 = GetObject(index1);
    TObject* o2 = GetObject(index2);
    Put(index1, s2);
    PutObject(index1, o2);
    Put(index2, s1);
    PutObject(index2, o1);
}

void TStrings::AddStrings(const TStrings& other) {
    BeginUpdate();
    for (int i = 0; i < other.Count(); ++i)
        AddObject(other.Get(i), other.GetObject(i));
    EndUpdate();
}

void TStrings::Assign(const TStrings& other) {
    if (&other == this)
        return;
    BeginUpdate();
    Clear();
    AddStrings(other);
    EndUpdate();
}

void TStrings::Move(int curIndex, int newIndex) {
    if (curIndex == newIndex)
        return;
    std::string s = Get(curIndex);
    TObject* object = GetObject(curIndex);
    BeginUpdate();
    Delete(curIndex);
    InsertObject(newIndex, s, object);
    EndUpdate();
}

int TStrings::IndexOfName(const std::string& name) const {
    for (int i = 0; i < Count(); ++i) {
        std::string line = Get(i);
        size_t p = line.find(NameValueSeparator);
        if (p != std::string::npos && CompareStrings(line.substr(0, p), name) == 0)
            return i;
    }
    return -1;
}

int TStrings::IndexOfObject(const TObject* object) const {
    for (int i = 0; i < Count(); ++i)
        if (GetObject(i) == object)
            return i;
    return -1;
}

bool TStrings::Equals(const TStrings& other) const {
    if (Count() != other.Count())
        return false;
    for (int i = 0; i < Count(); ++i)
        if (Get(i) != other.Get(i))
            return false;
    return true;
}

std::string TStrings::Names(int index) const {
    std::string line = Get(index);
    size_t p = line.find(NameValueSeparator);
    return p == std::string::npos ? std::string() : line.substr(0, p);
}

std::string TStrings::ValueFromIndex(int index) const {
    std::string line = Get(index);
    size_t p = line.find(NameValueSeparator);
    return p == std::string::npos ? std::string() : line.substr(p + 1);
}

std::string TStrings::Values(const std::string& name) const {
    int i = IndexOfName(name);
    return i < 0 ? std::string() : ValueFromIndex(i);
}

void TStrings::SetValue(const std::string& name, const std::string& value) {
    int i = IndexOfName(name);
    std::string line = name + NameValueSeparator + value;
    if (value.empty()) {
        if (i >= 0)
            Delete(i);
    } else if (i < 0) {
        Add(line);
    } else {
        Put(i, line);
    }
}

std::string TStrings::Text() const {
    std::string text;
    for (int i = 0; i < Count(); ++i) {
        text += Get(i);
        text += "\r\n";
    }
    return text;
}

void TStrings::SetText(const std::string& text) {
    BeginUpdate();
    Clear();
    for (std::string& line : SplitLines(text))
        Add(line);
    EndUpdate();
}

std::string TStrings::CommaText() const {
    std::string out;
    for (int i = 0; i < Count(); ++i) {
        std::string s = Get(i);
        bool quote = s.empty() || s.find_first_of(" ,\"") != std::string::npos;
        if (i > 0)
            out += ',';
        if (!quote) {
            out += s;
            continue;
        }
        out += '"';
        for (char c : s)
            out += c == '"' ? std::string("\"\"") : std::string(1, c);
        out += '"';
    }
    return out;
}

void TStrings::SetCommaText(const std::string& text) {
    BeginUpdate();
    Clear();
    size_t p = 0;
    auto skipBlanks = [&] {
        while (p < text.size() && static_cast<unsigned char>(text[p]) <= ' ')
            ++p;
    };
    skipBlanks();
    while (p < text.size()) {
        std::string item;
        if (text[p] == '"') {
            ++p;
            while (p < text.size()) {
                if (text[p] == '"') {
                    if (p + 1 < text.size() && text[p + 1] == '"') {
                        item += '"';
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                item += text[p++];
            }
        } else {
            while (p < text.size() && text[p] != ',' && static_cast<unsigned char>(text[p]) > ' ')
                item += text[p++];
        }
        Add(item);
        skipBlanks();
        if (p < text.size() && text[p] == ',') {
            ++p;
            skipBlanks();
            if (p >= text.size())
                Add("");
        }
    }
    EndUpdate();
}

void TStrings::LoadFromFile(const std::string& fileName) {
    SetText(ReadWholeFile(fileName));
}

void TStrings::SaveToFile(const std::string& fileName) const {
    WriteWholeFile(fileName, Text());
}

void TStrings::BeginUpdate() {
    if (FUpdateCount++ == 0)
        SetUpdateState(true);
}

void TStrings::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0)
        SetUpdateState(false);
}

// --- TStringList

void TStringList::CheckIndex(int index, int count) const {
    if (index < 0 || index >= count)
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

void TStringList::Changing() {
    if (UpdateCount() == 0)
        Fire(OnChanging, this);
}

void TStringList::Changed() {
    if (UpdateCount() == 0)
        Fire(OnChange, this);
}

void TStringList::SetUpdateState(bool updating) {
    if (updating)
        Fire(OnChanging, this);
    else
        Fire(OnChange, this);
}

int TStringList::CompareStrings(const std::string& a, const std::string& b) const {
    return FCaseSensitive ? AnsiCompareStr(a, b) : AnsiCompareText(a, b);
}

std::string TStringList::Get(int index) const {
    CheckIndex(index, Count());
    return FItems[size_t(index)].Text;
}

void TStringList::Put(int index, const std::string& s) {
    if (FSorted)
        throw EListError("Operation not allowed on sorted list");
    CheckIndex(index, Count());
    Changing();
    FItems[size_t(index)].Text = s;
    Changed();
}

TObject* TStringList::GetObject(int index) const {
    CheckIndex(index, Count());
    return FItems[size_t(index)].Object;
}

void TStringList::PutObject(int index, TObject* object) {
    CheckIndex(index, Count());
    Changing();
    FItems[size_t(index)].Object = object;
    Changed();
}

void TStringList::Insert(int index, const std::string& s) {
    InsertObject(index, s, nullptr);
}

void TStringList::InsertObject(int index, const std::string& s, TObject* object) {
    if (FSorted)
        throw EListError("Operation not allowed on sorted list");
    CheckIndex(index, Count() + 1);
    Changing();
    FItems.insert(FItems.begin() + index, Item{s, object});
    Changed();
}

void TStringList::Delete(int index) {
    CheckIndex(index, Count());
    Changing();
    FItems.erase(FItems.begin() + index);
    Changed();
}

void TStringList::Clear() {
    if (FItems.empty())
        return;
    Changing();
    FItems.clear();
    Changed();
}

int TStringList::AddObject(const std::string& s, TObject* object) {
    int index = Count();
    if (FSorted) {
        if (Find(s, index)) {
            if (Duplicates == TDuplicates::dupIgnore)
                return index;
            if (Duplicates == TDuplicates::dupError)
                throw EListError("String list does not allow duplicates");
        }
    }
    Changing();
    FItems.insert(FItems.begin() + index, Item{s, object});
    Changed();
    return index;
}

int TStringList::IndexOf(const std::string& s) const {
    if (!FSorted)
        return TStrings::IndexOf(s);
    int index = 0;
    return Find(s, index) ? index : -1;
}

void TStringList::Exchange(int index1, int index2) {
    CheckIndex(index1, Count());
    CheckIndex(index2, Count());
    Changing();
    std::swap(FItems[size_t(index1)], FItems[size_t(index2)]);
    Changed();
}

void TStringList::SetText(const std::string& text) {
    BeginUpdate();
    Clear();
    std::vector<std::string> lines = SplitLines(text);
    if (FSorted) {
        for (const std::string& line : lines)
            AddObject(line, nullptr);
    } else {
        FItems.reserve(lines.size()); // large texts load without one insert per line
        for (std::string& line : lines)
            FItems.push_back(Item{std::move(line), nullptr});
    }
    EndUpdate();
}

void TStringList::Assign(const TStrings& other) {
    if (&other == this)
        return;
    BeginUpdate();
    Clear();
    if (auto* list = dynamic_cast<const TStringList*>(&other)) {
        FItems = list->FItems;
        if (FSorted)
            Sort();
    } else {
        AddStrings(other);
    }
    EndUpdate();
}

bool TStringList::Find(const std::string& s, int& index) const {
    int lo = 0, hi = Count() - 1;
    bool found = false;
    while (lo <= hi) {
        int mid = (lo + hi) / 2;
        int c = CompareStrings(FItems[size_t(mid)].Text, s);
        if (c < 0) {
            lo = mid + 1;
        } else {
            hi = mid - 1;
            if (c == 0) {
                found = true;
                if (Duplicates != TDuplicates::dupAccept)
                    lo = mid;
            }
        }
    }
    index = lo;
    return found;
}

void TStringList::Sort() {
    Changing();
    std::stable_sort(FItems.begin(), FItems.end(), [this](const Item& a, const Item& b) {
        return CompareStrings(a.Text, b.Text) < 0;
    });
    Changed();
}

void TStringList::CustomSort(int (*compare)(const TStringList&, int, int)) {
    // Sort positions first: the comparison is by index, as its callers expect.
    std::vector<int> order(FItems.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = int(i);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return compare(*this, a, b) < 0; });
    std::vector<Item> sorted;
    sorted.reserve(FItems.size());
    for (int i : order)
        sorted.push_back(FItems[size_t(i)]);
    Changing();
    FItems = std::move(sorted);
    Changed();
}

void TStringList::SetSorted(bool value) {
    if (FSorted == value)
        return;
    if (value)
        Sort();
    FSorted = value;
}

void TStringList::SetCaseSensitive(bool value) {
    if (FCaseSensitive == value)
        return;
    FCaseSensitive = value;
    if (FSorted)
        Sort();
}
