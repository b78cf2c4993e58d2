// The binary "Data" form of the header's sections: the current version written, this and every
// older version read.
#include "qztree/header.h"
#include "qztree/header_sections.h"
#include "qztree/qz_tools.h"
#include "rtl/streams.h"

#include <array>
#include <cstring>

namespace {

constexpr int CurrentVersion = -12;

// Offsets of the fields in one version's fixed record; -1 where the version has no such field.
struct TRecordLayout {
    int Size;
    int LookupEnabled, Parent, Expandable, Expanded, Visible, ClickSelect, Resizable, Style;
    int Width, MinWidth, MaxWidth, SortMode, AllowClick, Alignment, IntTag, Index;
    int FieldType, Editable, ImageIndex, PictureAlign, Password, ParentColor, Color, FontColor;
    int FilterEnabled, TextLayout, UseMainStyle, AutoSize, Tag;
    bool PopupName, Hint;
};

constexpr TRecordLayout Layout12{140, 4,  8,  12, 13, 14, 15, 16, 17,   20,  24,
                                 28,  32, 33, 34, 36, 40, 44, 45, 48,   52,  53,
                                 54,  56, 60, 64, 65, 66, 67, 68, true, true};
constexpr TRecordLayout Layout10{68, 4,  8,  12, 13, 14, 15, 16, 17,   20,  24,
                                 28, 32, 33, 34, 36, 40, 44, 45, 48,   52,  53,
                                 54, 56, 60, 64, 65, 66, 67, -1, true, true};
constexpr TRecordLayout Layout9{64, 4,  8,  12, 13, 14, 15, 16, 17, 20, 24, 28, 32, 33, 34,   -1,
                                36, 40, 41, 44, 48, 49, 50, 52, 56, 60, 61, 62, 63, -1, true, true};
constexpr TRecordLayout Layout8{64, 4,  8,  12, 13, 14, 15, 16, 17, 20, 24, 28, 32, 33, 34,   -1,
                                36, 40, 41, 44, 48, 49, 50, 52, 56, 60, 61, 62, -1, -1, true, true};
constexpr TRecordLayout Layout6{52, 4,  8,  12, 13, 14, 15, 16, 17,   20,   24,
                                28, 32, 33, 34, -1, 36, 40, 41, 44,   48,   49,
                                -1, -1, -1, -1, -1, -1, -1, -1, true, false};
constexpr TRecordLayout Layout5{52, 4,  8,  12, 13, 14, 15, 16, 17,    20,   24,
                                28, 32, 33, 34, -1, 36, 40, 41, 44,    48,   49,
                                -1, -1, -1, -1, -1, -1, -1, -1, false, false};
constexpr TRecordLayout Layout4{36, -1, -1, -1, -1, 0,  1,  2,  3,     4,    8,
                                12, 16, 17, 18, -1, 20, 24, 25, 28,    32,   33,
                                -1, -1, -1, -1, -1, -1, -1, -1, false, false};

const TRecordLayout* LayoutOf(int version) {
    if (version < -10)
        return &Layout12;
    switch (version) {
    case -10:
        return &Layout10;
    case -9:
        return &Layout9;
    case -8:
        return &Layout8;
    case -6:
        return &Layout6;
    case -5:
        return &Layout5;
    case -4:
        return &Layout4;
    default:
        return nullptr;
    }
}

void PutInt(uint8_t* record, int offset, int value) {
    uint32_t v = uint32_t(value);
    for (int i = 0; i < 4; ++i)
        record[offset + i] = uint8_t(v >> (8 * i));
}

int GetInt(const uint8_t* record, int offset) {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= uint32_t(record[offset + i]) << (8 * i);
    return int32_t(v);
}

// An ordinal byte outside the enumeration keeps the section's default.
template <class E> void GetOrdinal(const uint8_t* record, int offset, E& field, int count) {
    if (offset >= 0 && record[offset] < count)
        field = E(record[offset]);
}

void GetBool(const uint8_t* record, int offset, bool& field) {
    if (offset >= 0)
        field = record[offset] != 0;
}

void GetInt(const uint8_t* record, int offset, int& field) {
    if (offset >= 0)
        field = GetInt(record, offset);
}

// Text and field name: a length that counts a closing NUL.
void WriteTerminated(TStream& stream, const std::string& s) {
    stream.WriteInt32(int32_t(s.size() + 1));
    stream.WriteBuffer(s.c_str(), int(s.size() + 1));
}

std::string ReadTerminated(TStream& stream) {
    std::string bytes = ReadStreamString(stream);
    size_t nul = bytes.find('\0');
    return nul == std::string::npos ? bytes : bytes.substr(0, nul);
}

} // namespace

// Reads and writes the fixed record of one section.
struct TSectionRecord {
    static void Write(const TQZHeaderSection& s, uint8_t* r) {
        const TRecordLayout& l = Layout12;
        r[l.LookupEnabled] = s.FLookupEnabled;
        PutInt(r, l.Parent, s.FParentSection ? s.FParentSection->FIndex : -1);
        r[l.Expandable] = s.FExpandable;
        r[l.Expanded] = s.FExpanded;
        r[l.Visible] = s.FVisible;
        r[l.ClickSelect] = s.ClickSelect;
        r[l.Resizable] = s.FResizable;
        r[l.Style] = uint8_t(s.FStyle);
        PutInt(r, l.Width, s.FWidth);
        PutInt(r, l.MinWidth, s.FMinWidth);
        PutInt(r, l.MaxWidth, s.FMaxWidth);
        r[l.SortMode] = uint8_t(s.FSortMode);
        r[l.AllowClick] = s.AllowClick;
        r[l.Alignment] = uint8_t(s.FAlignment);
        PutInt(r, l.IntTag, s.FIntTag);
        PutInt(r, l.Index, s.FIndex);
        r[l.FieldType] = uint8_t(s.FFieldType);
        r[l.Editable] = s.FEditable;
        PutInt(r, l.ImageIndex, s.FImageIndex);
        r[l.PictureAlign] = uint8_t(s.PictureAlign);
        r[l.Password] = s.FProtected;
        r[l.ParentColor] = s.FParentColor;
        PutInt(r, l.Color, s.FColor);
        PutInt(r, l.FontColor, s.FFontColor);
        r[l.FilterEnabled] = s.FFilterEnabled;
        r[l.TextLayout] = uint8_t(s.FTextLayout);
        r[l.UseMainStyle] = s.FUseMainStyle;
        r[l.AutoSize] = s.FAutoSize;
        PutInt(r, l.Tag, s.Tag);
    }

    static void Read(TQZHeaderSection& s, const uint8_t* r, const TRecordLayout& l) {
        GetBool(r, l.LookupEnabled, s.FLookupEnabled);
        s.FParentIdx = l.Parent >= 0 ? GetInt(r, l.Parent) : -1;
        GetBool(r, l.Expandable, s.FExpandable);
        GetBool(r, l.Expanded, s.FExpanded);
        GetBool(r, l.Visible, s.FVisible);
        GetBool(r, l.ClickSelect, s.ClickSelect);
        GetBool(r, l.Resizable, s.FResizable);
        GetOrdinal(r, l.Style, s.FStyle, 3);
        GetInt(r, l.Width, s.FWidth);
        GetInt(r, l.MinWidth, s.FMinWidth);
        GetInt(r, l.MaxWidth, s.FMaxWidth);
        GetOrdinal(r, l.SortMode, s.FSortMode, 3);
        GetBool(r, l.AllowClick, s.AllowClick);
        GetOrdinal(r, l.Alignment, s.FAlignment, 3);
        GetInt(r, l.IntTag, s.FIntTag);
        GetInt(r, l.Index, s.FIndex);
        GetOrdinal(r, l.FieldType, s.FFieldType, 14);
        GetBool(r, l.Editable, s.FEditable);
        GetInt(r, l.ImageIndex, s.FImageIndex);
        GetOrdinal(r, l.PictureAlign, s.PictureAlign, 3);
        GetBool(r, l.Password, s.FProtected);
        GetBool(r, l.ParentColor, s.FParentColor);
        GetInt(r, l.Color, s.FColor);
        GetInt(r, l.FontColor, s.FFontColor);
        GetBool(r, l.FilterEnabled, s.FFilterEnabled);
        GetOrdinal(r, l.TextLayout, s.FTextLayout, 3);
        GetBool(r, l.UseMainStyle, s.FUseMainStyle);
        GetBool(r, l.AutoSize, s.FAutoSize);
        GetInt(r, l.Tag, s.Tag);
    }
};

void TQZHeaderSections::WriteData(TStream& Stream) const {
    Stream.WriteInt32(CurrentVersion);
    Stream.WriteInt32(Count());
    for (int i = 0; i < Count(); ++i) {
        const TQZHeaderSection& s = *GetSectionByPos(i);
        std::array<uint8_t, 140> record{};
        TSectionRecord::Write(s, record.data());
        Stream.WriteBuffer(record.data(), int(record.size()));
        WriteTerminated(Stream, s.FText);
        WriteTerminated(Stream, s.FFieldName);
        WriteStringToStream(Stream, s.FPopupName);
        WriteStringToStream(Stream, s.Hint);
    }
}

void TQZHeaderSections::IntReadData(TStream& Stream, bool FromReadData) {
    int version = Stream.ReadInt32();
    Clear();
    const TRecordLayout* layout = LayoutOf(version);
    if (!layout)
        return;
    int count = Stream.ReadInt32();
    // Each entry takes at least its record: a count beyond the stream is broken data.
    if (count < 0 || int64_t(count) * layout->Size > Stream.Remaining())
        throw EReadError("Stream read error");
    std::array<uint8_t, 140> record{};
    for (int i = 0; i < count; ++i) {
        Stream.ReadBuffer(record.data(), layout->Size);
        TQZHeaderSection* s = AddSection();
        TSectionRecord::Read(*s, record.data(), *layout);
        s->FText = ReadTerminated(Stream);
        s->FFieldName = ReadTerminated(Stream);
        if (layout->PopupName)
            s->FPopupName = ReadStreamString(Stream);
        if (layout->Hint)
            s->Hint = ReadStreamString(Stream);
    }
    if (version <= -5)
        LinkParents();
    FOwner->AdjustHeaderHeight();
    if (FOwner->HandleAllocated())
        FOwner->Invalidate();
}
