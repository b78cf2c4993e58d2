#pragma once

// How a column draws and what kind of value it holds; header sections and cell styles share
// them.
enum TQZSectionStyle { QZhsText, QZhsOwnerDraw, QZhsPictureOnly };
// A section's sort mark, which is also the direction the tree sorts that column in.
enum TQZSSortMode { hsmNone, hsmAscend, hsmDescend };
enum TQZFieldType {
    sftCustom,
    sftText,
    sftNumber,
    sftFloating,
    sftDateTime,
    sftDate,
    sftTime,
    sftPicture,
    sftEnum,
    sftBLOB,
    sftUndef,
    sftBool,
    sftCurrency,
    sftMemo
};
