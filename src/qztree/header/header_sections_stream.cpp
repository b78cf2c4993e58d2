// The binary "Data" form of the header's sections: the current version written, this and every
// older version read.
#include "qztree/base/tools.h"
#include "qztree/header/header.h"
#include "qztree/header/header_sections.h"
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

// The fields of the fixed record, in one list for writing and reading: the visitor gets each
// field's offset in the layout (-1 when the version lacks it) and the field.
struct TSectionRecord {
    template <class S, class V> static void Visit(S& s, const TRecordLayout& l, V&& v) {
        v(l.LookupEnabled, s.FLookupEnabled);
        v(l.Expandable, s.FExpandable);
        v(l.Expanded, s.FExpanded);
        v(l.Visible, s.FVisible);
        v(l.ClickSelect, s.ClickSelect);
        v(l.Resizable, s.FResizable);
        v(l.Style, s.FStyle, 3);
        v(l.Width, s.FWidth);
        v(l.MinWidth, s.FMinWidth);
        v(l.MaxWidth, s.FMaxWidth);
        v(l.SortMode, s.FSortMode, 3);
        v(l.AllowClick, s.FAllowClick);
        v(l.Alignment, s.FAlignment, 3);
        v(l.IntTag, s.FIntTag);
        v(l.Index, s.FIndex);
        v(l.FieldType, s.FFieldType, 14);
        v(l.Editable, s.FEditable);
        v(l.ImageIndex, s.FImageIndex);
        v(l.PictureAlign, s.PictureAlign, 3);
        v(l.Password, s.FProtected);
        v(l.ParentColor, s.FParentColor);
        v(l.Color, s.FColor);
        v(l.FontColor, s.FFontColor);
        v(l.FilterEnabled, s.FFilterEnabled);
        v(l.TextLayout, s.FTextLayout, 3);
        v(l.UseMainStyle, s.FUseMainStyle);
        v(l.AutoSize, s.FAutoSize);
        v(l.Tag, s.Tag);
    }

    struct TWriter {
        uint8_t* R;
        void operator()(int offset, bool value) const { R[offset] = value; }
        void operator()(int offset, int value) const { PutInt(R, offset, value); }
        template <class E> void operator()(int offset, E value, int) const {
            R[offset] = uint8_t(value);
        }
    };

    struct TReader {
        const uint8_t* R;
        void operator()(int offset, bool& field) const { GetBool(R, offset, field); }
        void operator()(int offset, int& field) const { GetInt(R, offset, field); }
        template <class E> void operator()(int offset, E& field, int count) const {
            GetOrdinal(R, offset, field, count);
        }
    };

    static void Write(const TQZHeaderSection& s, uint8_t* r) {
        Visit(s, Layout12, TWriter{r});
        PutInt(r, Layout12.Parent, s.FParentSection ? s.FParentSection->FIndex : -1);
    }

    static void Read(TQZHeaderSection& s, const uint8_t* r, const TRecordLayout& l) {
        Visit(s, l, TReader{r});
        s.FParentIdx = l.Parent >= 0 ? GetInt(r, l.Parent) : -1;
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
    // A shown header is redrawn once, when the read ends (also when it ends on an error).
    TCustomQZHeader::TRedrawLock redraw(*FOwner);
    int version = Stream.ReadInt32();
    Clear();
    const TRecordLayout* layout = LayoutOf(version);
    if (!layout)
        return;
    int count = Stream.ReadInt32();
    if (count < 0)
        throw EReadError("Stream read error");
    // A cut stream ends the loop with the read error; the sections before the cut stay.
    std::array<uint8_t, 140> record{};
    for (int i = 0; i < count; ++i) {
        Stream.ReadBuffer(record.data(), layout->Size);
        TQZHeaderSection* s = AddSection();
        int freshIndex = s->FIndex, freshTag = s->FIntTag;
        TSectionRecord::Read(*s, record.data(), *layout);
        Renumbered(s, freshIndex, freshTag);
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
}
