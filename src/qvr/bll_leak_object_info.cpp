#include "qvr/bll_leak_object_info.h"

std::string TBLLLeakObjectInfo::GetAsString() const {
    return FieldsToString([this](auto&& visit) { VisitFields(*this, visit); });
}

void TBLLLeakObjectInfo::ReadFromString(std::string_view s, int& pos) {
    FieldsFromString([this](auto&& visit) { VisitFields(*this, visit); }, s, pos);
}

void TBLLLeakObjectInfo::ReadPooled(std::string_view s, int& pos, TTextPool& pool) {
    FieldsFromString([this](auto&& visit) { VisitFields(*this, visit); }, s, pos, &pool);
}
