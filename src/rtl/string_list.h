#pragma once
#include "rtl/events.h"
#include "rtl/object.h"

#include <string>
#include <vector>

// Lines of text, each with an object slot. Lines are found without regard to letter case
// unless CaseSensitive is set (TStringList).
class TStrings : public TObject {
public:
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

    virtual int Count() const = 0;
    virtual std::string Get(int index) const = 0;
    virtual void Put(int index, const std::string& s);
    virtual TObject* GetObject(int index) const { return nullptr; }
    virtual void PutObject(int index, TObject* object) {}
    virtual void Insert(int index, const std::string& s) = 0;
    virtual void InsertObject(int index, const std::string& s, TObject* object);
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;
    virtual int Add(const std::string& s);
    virtual int AddObject(const std::string& s, TObject* object);
    virtual int IndexOf(const std::string& s) const;
    virtual void Exchange(int index1, int index2);

    std::string operator[](int index) const { return Get(index); }
    std::string Strings(int index) const { return Get(index); }
    TObject* Objects(int index) const { return GetObject(index); }

    void AddStrings(const TStrings& other);
    virtual void Assign(const TStrings& other);
    void Move(int curIndex, int newIndex);
    int IndexOfName(const std::string& name) const;
    int IndexOfObject(const TObject* object) const;
    bool Equals(const TStrings& other) const;

    // "Name=Value" lines.
    std::string Names(int index) const;
    std::string ValueFromIndex(int index) const;
    std::string Values(const std::string& name) const;
    void SetValue(const std::string& name, const std::string& value);

    // Lines joined with CR LF after each; reading splits at CR LF, CR or LF.
    virtual std::string Text() const;
    virtual void SetText(const std::string& text);
    std::string CommaText() const;
    void SetCommaText(const std::string& text);

    void LoadFromFile(const std::string& fileName); // raises EInOutError
    void SaveToFile(const std::string& fileName) const;

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    char NameValueSeparator = '=';

protected:
    virtual void SetUpdateState(bool updating) {}
    virtual int CompareStrings(const std::string& a, const std::string& b) const;

private:
    int FUpdateCount = 0;
};

enum class TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList : public TStrings {
public:
    TStringList() = default;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    explicit TStringList(const std::string& text) { SetText(text); }

    int Count() const override { return int(FItems.size()); }
    std::string Get(int index) const override;
    void Put(int index, const std::string& s) override;
    TObject* GetObject(int index) const override;
    void PutObject(int index, TObject* object) override;
    void Insert(int index, const std::string& s) override;
    void InsertObject(int index, const std::string& s, TObject* object) override;
    void Delete(int index) override;
    void Clear() override;
    int AddObject(const std::string& s, TObject* object) override;
    int IndexOf(const std::string& s) const override;
    void Exchange(int index1, int index2) override;
    void SetText(const std::string& text) override;
    void Assign(const TStrings& other) override;

    // Binary search of a sorted list: true when found; index is the match or insertion point.
    bool Find(const std::string& s, int& index) const;
    void Sort();
    void CustomSort(int (*compare)(const TStringList&, int, int));

    bool Sorted() const { return FSorted; }
    void SetSorted(bool value);
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool value);
    TDuplicates Duplicates = TDuplicates::dupIgnore;

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    void SetUpdateState(bool updating) override;
    int CompareStrings(const std::string& a, const std::string& b) const override;

private:
    struct Item {
        std::string Text;
        TObject* Object;
    };
    void CheckIndex(int index, int count) const;
    void Changing();
    void Changed();

    std::vector<Item> FItems;
    bool FSorted = false;
    bool FCaseSensitive = false;
};
