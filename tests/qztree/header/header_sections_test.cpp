#include "header_fixture.h"

#include "qztree/base/tools.h"
#include "rtl/exceptions.h"
#include "rtl/streams.h"
#include "rtl/string_list.h"
#include "rtl/strings.h"
#include "vcl/controls/combo_box.h"
#include "vcl/user_input.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Writes section data of an older version, one record field at a time.
struct TOldStream {
    TMemoryStream Stream;
    void Int(int v) { Stream.WriteInt32(v); }
    void Record(int size, std::initializer_list<std::pair<int, int>> ints,
                std::initializer_list<std::pair<int, int>> bytes) {
        std::vector<uint8_t> r(size_t(size), 0);
        for (auto [offset, value] : ints)
            std::memcpy(&r[size_t(offset)], &value, 4);
        for (auto [offset, value] : bytes)
            r[size_t(offset)] = uint8_t(value);
        Stream.WriteBuffer(r.data(), size);
    }
    void Terminated(const std::string& s) {
        Int(int(s.size() + 1));
        Stream.WriteBuffer(s.c_str(), int(s.size() + 1));
    }
    void Plain(const std::string& s) { WriteStringToStream(Stream, s); }
    TMemoryStream& Rewound() {
        Stream.SetPosition(0);
        return Stream;
    }
};

std::vector<std::string> Texts(const TQZHeaderSections& sections) {
    std::vector<std::string> texts;
    for (int i = 0; i < sections.Count(); ++i)
        texts.push_back(sections.ItemByPos(i)->Text());
    return texts;
}

} // namespace

TEST(HeaderStream, WritesTheCurrentFormAndReadsItBack) {
    THeaderOnForm source(3);
    TQZHeaderSection* a = source.At(0);
    TQZHeaderSection* b = source.At(1);
    TQZHeaderSection* c = source.At(2);
    a->SetText("Object");
    b->SetFieldName("FIELD");
    b->Hint = "a hint";
    a->SetExpandable(true);
    a->SetExpanded(true);
    c->SetParentSection(a);
    c->SetMaxWidth(300);
    c->SetMinWidth(20);
    b->SetAlignment(hsaRight);
    b->SetSortMode(hsmDescend);
    c->SetVisible(false);
    c->Tag = 77;
    source.Header->Sections()->MoveSection(a, 2);

    TMemoryStream stream;
    source.Header->Sections()->WriteData(stream);
    const auto& bytes = stream.Bytes();
    int32_t head[2];
    std::memcpy(head, bytes.data(), 8);
    EXPECT_EQ(head[0], -12);
    EXPECT_EQ(head[1], 3);
    // "Object" at position 2: its strings follow its 140-byte record.
    stream.SetPosition(0);
    THeaderOnForm target;
    target.Header->Sections()->ReadData(stream);
    TQZHeaderSections& read = *target.Header->Sections();
    ASSERT_EQ(read.Count(), 3);
    EXPECT_EQ(Texts(read), Texts(*source.Header->Sections()));
    for (int i = 0; i < 3; ++i) {
        TQZHeaderSection* from = source.At(i);
        TQZHeaderSection* to = read.ItemByPos(i);
        EXPECT_EQ(to->Index(), from->Index());
        EXPECT_EQ(to->Width(), from->Width());
        EXPECT_EQ(to->FieldName(), from->FieldName());
        EXPECT_EQ(to->Hint, from->Hint);
        EXPECT_EQ(to->OwnVisible(), from->OwnVisible());
        EXPECT_EQ(to->SortMode(), from->SortMode());
        EXPECT_EQ(to->Alignment(), from->Alignment());
        EXPECT_EQ(to->MaxWidth(), from->MaxWidth());
        EXPECT_EQ(to->Tag, from->Tag);
        EXPECT_EQ(to->ParentSection() ? to->ParentSection()->Index() : -1,
                  from->ParentSection() ? from->ParentSection()->Index() : -1);
    }

    TMemoryStream again;
    read.WriteData(again);
    EXPECT_EQ(again.Bytes().size(), bytes.size());

    THeaderOnForm empty;
    TMemoryStream none;
    empty.Header->Sections()->WriteData(none);
    EXPECT_EQ(none.Bytes(), (std::vector<uint8_t>{0xF4, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0}));
}

TEST(HeaderStream, AShownHeaderReportsEverySectionAndIsRedrawnWhole) {
    THeaderOnForm source(3);
    TMemoryStream stream;
    source.Header->Sections()->WriteData(stream);
    stream.SetPosition(0);
    THeaderOnForm target;
    HWND window = target.Header->Handle();
    ValidateRect(window, nullptr);
    target.Header->Sections()->ReadData(stream);
    // Each section is announced as it comes, before its fields are read.
    EXPECT_EQ(target.Events, (std::vector<std::string>(3, "create ")));
    RECT pending{}, client{};
    GetClientRect(window, &client);
    ASSERT_TRUE(GetUpdateRect(window, &pending, FALSE));
    EXPECT_TRUE(EqualRect(&pending, &client));

    // A read that ends on an error redraws what it read too.
    TMemoryStream cut(std::vector<uint8_t>(stream.Bytes().begin(), stream.Bytes().end() - 10));
    ValidateRect(window, nullptr);
    EXPECT_THROW(target.Header->Sections()->ReadData(cut), EReadError);
    EXPECT_FALSE(target.Header->RedrawLocked());
    ASSERT_TRUE(GetUpdateRect(window, &pending, FALSE));
    EXPECT_TRUE(EqualRect(&pending, &client));
}

TEST(HeaderStream, StringsOfOneSection) {
    THeaderOnForm h(1);
    h.At(0)->SetText("Object");
    TMemoryStream stream;
    h.Header->Sections()->WriteData(stream);
    const auto& b = stream.Bytes();
    ASSERT_EQ(b.size(), size_t(8 + 140 + 4 + 7 + 4 + 1 + 4 + 4));
    size_t at = 8 + 140;
    EXPECT_EQ(b[at], 7);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[at + 4]), 7),
              std::string("Object\0", 7));
    EXPECT_EQ(b[at + 11], 1);
    EXPECT_EQ(b[at + 15], 0);
    EXPECT_EQ(b[at + 16], 0);
    EXPECT_EQ(b[at + 20], 0);
}

TEST(HeaderStream, OlderVersions) {
    // Version -4: no parents, hints or popup names.
    TOldStream v4;
    v4.Int(-4);
    v4.Int(2);
    v4.Record(36, {{4, 80}, {8, 0}, {12, 500}, {20, 5}}, {{0, 1}, {2, 1}, {16, 1}});
    v4.Terminated("First");
    v4.Terminated("F1");
    v4.Record(36, {{4, 60}, {8, 0}, {12, 500}, {20, 3}}, {{0, 0}, {2, 1}});
    v4.Terminated("Second");
    v4.Terminated("");
    THeaderOnForm h;
    h.Header->Sections()->ReadData(v4.Rewound());
    ASSERT_EQ(h.Header->Sections()->Count(), 2);
    EXPECT_EQ(h.At(0)->Text(), "First");
    EXPECT_EQ(h.At(0)->FieldName(), "F1");
    EXPECT_EQ(h.At(0)->Width(), 80);
    EXPECT_EQ(h.At(0)->Index(), 5);
    EXPECT_EQ(h.At(0)->SortMode(), hsmAscend);
    EXPECT_FALSE(h.At(1)->OwnVisible());
    EXPECT_EQ(h.At(1)->ParentSection(), nullptr);

    // Version -8: no AutoSize; parents linked, a parent number naming nothing leaves none.
    TOldStream v8;
    v8.Int(-8);
    v8.Int(3);
    v8.Record(64, {{8, -1}, {20, 50}, {28, 900}, {36, 0}}, {{12, 1}, {13, 1}, {14, 1}, {63, 1}});
    v8.Terminated("Parent");
    v8.Terminated("");
    v8.Plain("menu");
    v8.Plain("hint");
    v8.Record(64, {{8, 0}, {20, 50}, {28, 900}, {36, 1}}, {{14, 1}});
    v8.Terminated("Child");
    v8.Terminated("");
    v8.Plain("");
    v8.Plain("");
    v8.Record(64, {{8, 9}, {20, 50}, {28, 900}, {36, 2}}, {{14, 1}});
    v8.Terminated("Orphan");
    v8.Terminated("");
    v8.Plain("");
    v8.Plain("");
    h.Header->Sections()->ReadData(v8.Rewound());
    ASSERT_EQ(h.Header->Sections()->Count(), 3);
    EXPECT_FALSE(h.At(0)->AutoSize());
    EXPECT_EQ(h.At(0)->Hint, "hint");
    EXPECT_EQ(h.At(0)->PopupName(), "menu");
    EXPECT_EQ(h.At(1)->ParentSection(), h.At(0));
    EXPECT_EQ(h.At(2)->ParentSection(), nullptr);

    // An unknown version leaves no sections and raises nothing.
    TOldStream v7;
    v7.Int(-7);
    v7.Int(1);
    h.Header->Sections()->ReadData(v7.Rewound());
    EXPECT_EQ(h.Header->Sections()->Count(), 0);
}

TEST(HeaderStream, BrokenDataKeepsWhatWasRead) {
    THeaderOnForm source(2);
    TMemoryStream stream;
    source.Header->Sections()->WriteData(stream);
    std::vector<uint8_t> bytes = stream.Bytes();

    // Cut inside the second entry: the first stays, the read error comes out.
    TMemoryStream cut(std::vector<uint8_t>(bytes.begin(), bytes.end() - 10));
    THeaderOnForm h;
    EXPECT_THROW(h.Header->Sections()->ReadData(cut), EReadError);
    EXPECT_EQ(h.Header->Sections()->Count(), 2);
    EXPECT_EQ(h.At(0)->Text(), "Section 0");

    // A negative or huge string length is refused, not allocated.
    std::vector<uint8_t> negative = bytes;
    std::memset(&negative[8 + 140], 0xFF, 4);
    TMemoryStream n(negative);
    EXPECT_THROW(h.Header->Sections()->ReadData(n), EReadError);
    std::vector<uint8_t> huge = bytes;
    int32_t big = 0x7FFFFFF0;
    std::memcpy(&huge[8 + 140], &big, 4);
    TMemoryStream hs(huge);
    EXPECT_THROW(h.Header->Sections()->ReadData(hs), EReadError);
    TOldStream count;
    count.Int(-12);
    count.Int(0x10000000);
    EXPECT_THROW(h.Header->Sections()->ReadData(count.Rewound()), EReadError);

    // Cut inside the record of a later section: those before it stay, unlinked, in place of
    // what the header held.
    THeaderOnForm three(3);
    three.At(0)->SetExpandable(true);
    three.At(0)->SetExpanded(true);
    three.At(1)->SetParentSection(three.At(0));
    TMemoryStream whole;
    three.Header->Sections()->WriteData(whole);
    size_t entry = (whole.Bytes().size() - 8) / 3;
    TMemoryStream inRecord(
        std::vector<uint8_t>(whole.Bytes().begin(), whole.Bytes().begin() + 8 + 2 * entry + 50));
    THeaderOnForm reader(5);
    EXPECT_THROW(reader.Header->Sections()->ReadData(inRecord), EReadError);
    EXPECT_EQ(Texts(*reader.Header->Sections()),
              (std::vector<std::string>{"Section 0", "Section 1"}));
    EXPECT_EQ(reader.At(1)->ParentSection(), nullptr) << "no linking after a cut";
}

TEST(HeaderStream, DuplicateAndStrayIndexesReadAsStored) {
    // Indexes 4, 4, -3 and 1: the first 4 in display order is the one found and the parent,
    // the stray numbers are kept, and new sections take the smallest free numbers.
    TOldStream s;
    s.Int(-9);
    s.Int(4);
    for (auto [index, parent] : {std::pair{4, -1}, {4, 1}, {-3, 4}, {1, 4}}) {
        s.Record(64, {{8, parent}, {20, 40}, {28, 900}, {36, index}}, {{12, 1}, {13, 1}, {14, 1}});
        s.Terminated("S" + std::to_string(index) + "p" + std::to_string(parent));
        s.Terminated("");
        s.Plain("");
        s.Plain("");
    }
    THeaderOnForm h;
    TQZHeaderSections& sections = *h.Header->Sections();
    sections.ReadData(s.Rewound());
    ASSERT_EQ(sections.Count(), 4);
    EXPECT_EQ(sections.Item(4), h.At(0));
    EXPECT_EQ(sections.Item(-3), h.At(2));
    EXPECT_EQ(h.At(0)->ParentSection(), nullptr);
    EXPECT_EQ(h.At(1)->ParentSection(), nullptr) << "index 4 is linked once, as the first";
    EXPECT_EQ(h.At(2)->ParentSection(), nullptr) << "index -3 is never linked";
    EXPECT_EQ(h.At(3)->ParentSection(), h.At(0));
    EXPECT_EQ(sections.AddSection()->Index(), 0);
    EXPECT_EQ(sections.AddSection()->Index(), 2);
    EXPECT_EQ(sections.AddSection()->Index(), 3);
    EXPECT_EQ(sections.AddSection()->Index(), 5);
    // Deleting renumbers by position.
    sections.DeleteSection(h.At(0));
    EXPECT_EQ(sections.Item(4), h.At(4));
    EXPECT_EQ(sections.AddSection()->Index(), 7);
    EXPECT_EQ(sections.Item(7), h.At(7));

    // A long chain of parents links whole; its last link, back to the top, is refused.
    TOldStream chain;
    const int length = 1500;
    chain.Int(-9);
    chain.Int(length);
    for (int i = 0; i < length; ++i) {
        int parent = i == 0 ? length - 1 : i - 1;
        chain.Record(64, {{8, parent}, {20, 40}, {28, 900}, {36, i}}, {{12, 1}, {13, 1}, {14, 1}});
        chain.Terminated("");
        chain.Terminated("");
        chain.Plain("");
        chain.Plain("");
    }
    sections.ReadData(chain.Rewound());
    ASSERT_EQ(sections.Count(), length);
    EXPECT_EQ(h.At(0)->ParentSection(), h.At(length - 1));
    EXPECT_EQ(h.At(length - 1)->ParentSection(), nullptr) << "would close the ring";
    for (int i = 1; i < length - 1; ++i)
        ASSERT_EQ(h.At(i)->ParentSection(), h.At(i - 1)) << i;
    THeaderOnForm copy;
    copy.Header->SetSections(&sections);
    EXPECT_EQ(copy.At(length - 2)->ParentSection(), copy.At(length - 3));
    EXPECT_TRUE(copy.At(length - 1)->Visible());
}

TEST(HeaderStream, ParentCyclesAreRefused) {
    TOldStream s;
    s.Int(-9);
    s.Int(3);
    // 0 and 1 name each other; 2 names itself.
    for (auto [index, parent] : {std::pair{0, 1}, {1, 0}, {2, 2}}) {
        s.Record(64, {{8, parent}, {20, 40}, {28, 900}, {36, index}}, {{12, 1}, {13, 1}, {14, 1}});
        s.Terminated("S" + std::to_string(index));
        s.Terminated("");
        s.Plain("");
        s.Plain("");
    }
    THeaderOnForm h;
    h.Header->Sections()->ReadData(s.Rewound());
    ASSERT_EQ(h.Header->Sections()->Count(), 3);
    EXPECT_EQ(h.At(0)->ParentSection(), h.At(1));
    EXPECT_EQ(h.At(1)->ParentSection(), nullptr) << "would close a cycle";
    EXPECT_EQ(h.At(2)->ParentSection(), nullptr) << "its own parent";
    EXPECT_TRUE(h.At(1)->Visible());
    EXPECT_TRUE(h.At(0)->Visible());

    h.At(1)->SetParentSection(h.At(0));
    EXPECT_EQ(h.At(1)->ParentSection(), nullptr) << "the setter refuses cycles too";
}

TEST(HeaderSections, OrderText) {
    THeaderOnForm h(2);
    h.At(1)->SetWidth(99);
    h.At(0)->SetWidth(120);
    EXPECT_EQ(h.Header->Sections()->SectionsOrder(), "i0:w120:vt,i1:w99:vt,");
    h.Header->Sections()->SetSectionsOrder("i1:w50:vf,i0:w80:vt,");
    EXPECT_EQ(h.At(0)->Index(), 1);
    EXPECT_EQ(h.At(0)->Width(), 50);
    EXPECT_FALSE(h.At(0)->OwnVisible());
    EXPECT_EQ(h.At(1)->Width(), 80);
    EXPECT_TRUE(h.At(1)->OwnVisible());
    // An entry for no section is skipped without advancing.
    h.Header->Sections()->SetSectionsOrder("i7:w10:vt,i0:w70:vt,");
    EXPECT_EQ(h.At(0)->Index(), 0);
    EXPECT_EQ(h.At(0)->Width(), 70);
    EXPECT_THROW(h.Header->Sections()->SetSectionsOrder("ix:w10:vt,"), EConvertError);
    THeaderOnForm empty;
    EXPECT_EQ(empty.Header->Sections()->SectionsOrder(), "");
}

TEST(HeaderSections, DeletingReportsAndRenumbers) {
    THeaderOnForm h(3);
    h.Header->Sections()->MoveSection(h.At(2), 0);
    h.Events.clear();
    h.Header->Sections()->DeleteSection(h.At(1));
    EXPECT_EQ(h.Events, std::vector<std::string>{"delete Section 0"});
    EXPECT_EQ(h.At(0)->Index(), 0);
    EXPECT_EQ(h.At(1)->Index(), 1);
    EXPECT_THROW(h.Header->Sections()->DeleteSection(nullptr), EQZHeaderError);

    THeaderOnForm batch(4);
    batch.Header->BeginUpdate();
    for (int i = 0; i < 3; ++i)
        batch.Header->Sections()->DeleteSection(batch.At(0));
    EXPECT_TRUE(batch.Events.empty());
    batch.Header->EndUpdate();
    EXPECT_EQ(batch.Events, std::vector<std::string>{"delete none"});
    batch.Events.clear();
    batch.Header->BeginUpdate();
    batch.Header->Sections()->AddSection();
    batch.Header->EndUpdate();
    EXPECT_EQ(batch.Events, std::vector<std::string>{"create none"});
    batch.Events.clear();
    batch.Header->Sections()->AddSection()->SetText("X");
    EXPECT_EQ(batch.Events, std::vector<std::string>{"create "}) << "reported before its text";
    EXPECT_THROW(batch.Header->InvalidateRight(5), EQZHeaderError);
}

TEST(HeaderSections, PropertyRules) {
    THeaderOnForm h(3);
    h.At(0)->SetSortMode(hsmAscend);
    h.At(1)->SetSortMode(hsmDescend);
    EXPECT_EQ(h.At(0)->SortMode(), hsmNone);
    h.Header->SetMultiSort(true);
    h.At(0)->SetSortMode(hsmAscend);
    EXPECT_EQ(h.At(1)->SortMode(), hsmDescend);

    h.At(0)->SetMaxWidth(200);
    h.At(0)->SetWidth(250);
    EXPECT_EQ(h.At(0)->Width(), 100) << "outside the limits: ignored";
    h.At(0)->SetMaxWidth(60);
    EXPECT_EQ(h.At(0)->Width(), 60) << "a lower maximum shrinks the width";

    h.At(1)->SetExpanded(true);
    EXPECT_FALSE(h.At(1)->Expanded()) << "not expandable";
    h.At(1)->SetExpandable(true);
    h.At(2)->SetParentSection(h.At(1));
    EXPECT_FALSE(h.At(2)->Visible()) << "parent collapsed";
    EXPECT_TRUE(h.At(2)->OwnVisible());
    h.At(1)->SetExpanded(true);
    EXPECT_TRUE(h.At(2)->Visible());
    h.At(1)->SetExpandable(false);
    EXPECT_EQ(h.At(2)->ParentSection(), nullptr);

    h.At(0)->SetLookupEnabled(true);
    h.At(0)->SetFilterEnabled(true);
    EXPECT_FALSE(h.At(0)->LookupEnabled());
    h.At(1)->SetColor(clRed);
    EXPECT_FALSE(h.At(1)->ParentColor());

    std::vector<TSectionChangeMode> changes;
    h.Header->OnSectionChange = [&](TObject*, TQZHeaderSection*, TSectionChangeMode m) {
        changes.push_back(m);
    };
    h.At(0)->SetText("New");
    h.At(0)->SetFieldName("F");
    h.At(0)->SetPassword(true);
    EXPECT_EQ(changes, (std::vector<TSectionChangeMode>{scmCaption, scmFieldName, scmPassword}));
}

TEST(HeaderSections, MovingAroundTheLockedSection) {
    THeaderOnForm h(3);
    TQZHeaderSection* a = h.At(0);
    TQZHeaderSection* c = h.At(2);
    h.Header->SetLockedSection(a);
    h.Header->Sections()->MoveSection(c, 0);
    EXPECT_EQ(c->Position(), 1) << "position 0 belongs to the locked section";
    h.Header->Sections()->MoveSection(a, 2);
    EXPECT_EQ(a->Position(), 0);
    h.Header->SetRightAlignedOrder(true);
    EXPECT_EQ(h.At(0)->Text(), "Section 1");
    EXPECT_EQ(h.At(2)->Text(), "Section 0");
}

TEST(HeaderSections, AssignLinksParentsByTheCopiedIndexes) {
    THeaderOnForm source(3);
    source.Header->Sections()->MoveSection(source.At(2), 0);
    TQZHeaderSection* parent = source.Header->Sections()->Item(2);
    parent->SetExpandable(true);
    source.Header->Sections()->Item(1)->SetParentSection(parent);
    THeaderOnForm target(1);
    target.Header->SetSections(source.Header->Sections());
    TQZHeaderSections& copy = *target.Header->Sections();
    ASSERT_EQ(copy.Count(), 3);
    EXPECT_EQ(copy.ItemByPos(0)->Index(), 2);
    EXPECT_EQ(copy.Item(1)->ParentSection(), copy.Item(2));
    EXPECT_EQ(copy.Item(2)->ParentSection(), nullptr);
}

TEST(HeaderSections, GoingSectionsLeaveNoReferences) {
    THeaderOnForm h(3);
    h.Header->SetLockedSection(h.At(0));
    // A resize in progress on the section that goes ends with it.
    int edge = h.At(1)->Right();
    h.Mouse(WM_MOUSEMOVE, edge - 2, 5);
    h.Mouse(WM_LBUTTONDOWN, edge - 2, 5);
    ASSERT_TRUE(h.Header->Resizing());
    h.Header->Sections()->DeleteSection(h.At(1));
    EXPECT_FALSE(h.Header->Resizing());
    EXPECT_EQ(h.Header->ResizeSection(), nullptr);
    EXPECT_NE(GetCapture(), h.Header->Handle());
    h.Header->Sections()->DeleteSection(h.At(0));
    EXPECT_EQ(h.Header->LockedSection(), nullptr);
    h.Mouse(WM_LBUTTONUP, 10, 5);
    h.Header->Sections()->Clear();
    EXPECT_EQ(h.Header->PressedItem(), nullptr);
    EXPECT_EQ(h.Header->TrackSection(), nullptr);
}

TEST(HeaderSections, LookupHistoryKeepsAcceptedTextFirst) {
    THeaderOnForm h(2);
    h.At(1)->SetLookupEnabled(true);
    h.At(1)->LookupHistory()->Add("beta");
    h.At(1)->LookupHistory()->Add("alpha");
    std::vector<std::string> done;
    h.Header->OnHeaderLookupDone = [&](TObject*, TQZHeaderSection*, const std::string& text,
                                       bool accepted) {
        done.push_back(text + (accepted ? "+" : "-"));
    };
    // A click on the lookup sign opens the editor with the focus in it; typing and Enter take
    // the text.
    int r = h.At(1)->Right() - 4;
    h.Mouse(WM_LBUTTONDOWN, r - 3, 14);
    h.Mouse(WM_LBUTTONUP, r - 3, 14);
    ASSERT_NE(h.Header->LookupEditor(), nullptr);
    EXPECT_TRUE(h.Header->DoingLookup());
    for (char c : std::string("ALPHA"))
        PostKey(GetFocus(), uint16_t(c));
    EXPECT_EQ(AnsiLowerCase(h.Header->LookupEditor()->Text()), "alpha");
    h.Header->LookupEditor()->SetText("alpha");
    PostKey(GetFocus(), VK_RETURN);
    EXPECT_FALSE(h.Header->DoingLookup());
    EXPECT_EQ(done, std::vector<std::string>{"alpha+"});
    ASSERT_EQ(h.At(1)->LookupHistory()->Count(), 2);
    EXPECT_EQ(h.At(1)->LookupHistory()->Strings(0), "alpha");
    EXPECT_EQ(h.At(1)->LookupHistory()->Strings(1), "beta");

    h.Header->OpenLookup(h.At(1));
    PostKey(GetFocus(), VK_ESCAPE);
    EXPECT_EQ(done.back(), "-");
    EXPECT_FALSE(h.Header->DoingLookup());
    // A click on the header closes an open editor without taking its text.
    h.Header->OpenLookup(h.At(1));
    h.Mouse(WM_LBUTTONDOWN, 20, 5);
    h.Mouse(WM_LBUTTONUP, 20, 5);
    EXPECT_FALSE(h.Header->DoingLookup());
    EXPECT_EQ(done.size(), 3u);
    // The editor goes with the header, also while it is open.
    h.Header->OpenLookup(h.At(1));
    HWND editor = h.Header->LookupEditor()->Handle();
    h.Form.reset();
    EXPECT_FALSE(IsWindow(editor));
}
