#include "qvr/task_info.h"

namespace {

bool IsCRLFAt(std::string_view s, int64_t pos) {
    return pos >= 1 && pos + 1 <= int64_t(s.size()) && s[size_t(pos - 1)] == '\r' &&
           s[size_t(pos)] == '\n';
}

} // namespace

std::string TTaskInfo::GetAsString() const {
    return FieldsToString([this](auto&& visit) { VisitFields(*this, visit); });
}

void TTaskInfo::ReadFromString(std::string_view s, int& pos) {
    FieldsFromString([this](auto&& visit) { VisitFields(*this, visit); }, s, pos);
}

void TTaskInfo::ReadPooled(std::string_view s, int& pos, TTextPool& pool) {
    FieldsFromString([this](auto&& visit) { VisitFields(*this, visit); }, s, pos, &pool);
}

void TTaskInfoEx::Read(std::string_view s, int& pos, TTextPool* pool) {
    FieldsFromString([this](auto&& visit) { VisitHeadFields(*this, visit); }, s, pos, pool);
    const int64_t remaining = int64_t(s.size()) - pos + 1;
    if (remaining < 2)
        return;
    if (IsCRLFAt(s, pos)) {
        AdvancePos(pos, 2);
    } else if (remaining >= 6 && IsCRLFAt(s, int64_t(pos) + 4)) {
        ReadField(s, pos, HugeTask);
        AdvancePos(pos, 2);
    } else if (remaining >= 6) {
        ReadPooledField(s, pos, SignCryptoParams, pool);
        ReadPooledField(s, pos, CheckSignCryptoParams, pool);
        ReadField(s, pos, HugeTask);
    }
}
