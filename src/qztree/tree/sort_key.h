#pragma once
#include "qztree/base/section_types.h"
#include "qztree/tree/tree_types.h"

#include <cstdint>
#include <string>

class Variant;

// What a cell gives for sorting, made once per sort of a child list so that comparing involves
// no conversion. Kinds keep the numbers the virtual-value request uses.
struct TQZSortKey {
    enum TKind {
        skNone = -1,
        skInteger = 0,
        skBoolean = 1,
        skFloating = 3,
        skText = 4,
        skCurrency = 12
    };
    TKind Kind = skNone;
    int64_t Integer = 0; // integers, booleans and currency (units of 1/10000)
    double Floating = 0; // floating numbers, dates and times
    std::string Text;
};

TSortTypes SectionTypeToSortType(TQZFieldType FieldType);
// The variant kind a virtual tree is asked for when sorting by SortType.
int SortTypeVarKind(TSortTypes SortType);

// Without UseCase only the ASCII letters fold, so that other letters keep their case order.
std::string UpperCaseAscii(const std::string& Text);

// The key of a cell text; a text that does not convert gives a key of kind skNone.
TQZSortKey MakeSortKey(const std::string& Text, TSortTypes SortType, bool UseCase);
// The key of a value a virtual tree answered, converted to the kind SortType wants.
TQZSortKey MakeValueSortKey(const Variant& Value, TSortTypes SortType, bool UseCase);

// Order of two keys by SortType: negative, 0 or positive. A key of kind skNone sorts first;
// keys of different kinds compare equal.
int CompareSortKeys(const TQZSortKey& A, const TQZSortKey& B, TSortTypes SortType);
