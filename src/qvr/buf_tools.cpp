#include "qvr/buf_tools.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <exception>

namespace {

// Whether the bytes pos .. pos + len - 1 all lie inside a buffer of size bytes.
bool Inside(int64_t size, int64_t pos, int64_t len) {
    return pos >= 1 && pos + len - 1 <= size;
}

// Copies len bytes to buf at pos, leaving out those that fall outside the buffer.
void CopyInside(std::string& buf, int64_t pos, const char* src, int64_t len) {
    const int64_t first = std::max<int64_t>(pos, 1);
    const int64_t last = std::min<int64_t>(pos + len - 1, int64_t(buf.size()));
    if (first <= last)
        std::memcpy(&buf[size_t(first - 1)], src + (first - pos), size_t(last - first + 1));
}

} // namespace

void AdvancePos(int& pos, int64_t n) {
    pos = int(std::clamp<int64_t>(int64_t(pos) + n, INT_MIN, INT_MAX));
}

std::string_view ReadStringView(std::string_view buf, int& pos) {
    const int64_t size = int64_t(buf.size());
    if (!Inside(size, pos, IntegerSize)) {
        AdvancePos(pos, IntegerSize);
        return {};
    }
    int32_t len = 0;
    std::memcpy(&len, buf.data() + (pos - 1), IntegerSize);
    AdvancePos(pos, IntegerSize);
    const int64_t available = std::max<int64_t>(size - pos + 1, 0);
    const int64_t take = std::min<int64_t>(len, available);
    if (take <= 0)
        return {};
    std::string_view result = buf.substr(size_t(pos - 1), size_t(take));
    AdvancePos(pos, take);
    return result;
}

std::string ReadString(std::string_view buf, int& pos) {
    try {
        return std::string(ReadStringView(buf, pos));
    } catch (const std::exception&) {
        return {};
    }
}

void WriteString(const std::string& s, std::string& buf, int& pos, bool canResizeDest) {
    const int32_t len = int32_t(std::min<size_t>(s.size(), INT32_MAX));
    try {
        if (canResizeDest && int64_t(buf.size()) - pos < int64_t(IntegerSize) + len)
            buf.append(size_t(IntegerSize) + size_t(len), '\0');
    } catch (const std::exception&) {
        return;
    }
    CopyInside(buf, pos, reinterpret_cast<const char*>(&len), IntegerSize);
    AdvancePos(pos, IntegerSize);
    CopyInside(buf, pos, s.data(), len);
    AdvancePos(pos, len);
}

void ReadData(std::string_view buf, int& pos, void* data, int dataLen) {
    if (dataLen < 1)
        return;
    std::memset(data, 0, size_t(dataLen));
    if (Inside(int64_t(buf.size()), pos, dataLen))
        std::memcpy(data, buf.data() + (pos - 1), size_t(dataLen));
    AdvancePos(pos, dataLen);
}

void WriteData(const void* data, int dataLen, std::string& buf, bool canResizeDest, int& pos) {
    if (dataLen < 1)
        return;
    try {
        if (canResizeDest && int64_t(buf.size()) - pos < dataLen)
            buf.append(size_t(dataLen), '\0');
    } catch (const std::exception&) {
        return;
    }
    CopyInside(buf, pos, static_cast<const char*>(data), dataLen);
    AdvancePos(pos, dataLen);
}

void ReadField(std::string_view buf, int& pos, int& value) {
    int32_t v = 0;
    ReadData(buf, pos, &v, IntegerSize);
    value = v;
}

void ReadField(std::string_view buf, int& pos, double& value) {
    ReadData(buf, pos, &value, DateTimeSize);
}

void ReadField(std::string_view buf, int& pos, bool& value) {
    unsigned char bytes[IntegerSize];
    ReadData(buf, pos, bytes, IntegerSize);
    value = bytes[0] != 0;
}

void ReadField(std::string_view buf, int& pos, std::string& value) {
    value = ReadString(buf, pos);
}

void ReadField(std::string_view buf, int& pos, TSharedText& value) {
    value = TSharedText(ReadString(buf, pos));
}

void WriteField(int value, std::string& buf, int& pos) {
    const int32_t v = value;
    WriteData(&v, IntegerSize, buf, false, pos);
}

void WriteField(double value, std::string& buf, int& pos) {
    WriteData(&value, DateTimeSize, buf, false, pos);
}

void WriteField(bool value, std::string& buf, int& pos) {
    const unsigned char bytes[IntegerSize] = {static_cast<unsigned char>(value ? 1 : 0)};
    WriteData(bytes, IntegerSize, buf, false, pos);
}

void WriteField(const std::string& value, std::string& buf, int& pos) {
    WriteString(value, buf, pos, false);
}
