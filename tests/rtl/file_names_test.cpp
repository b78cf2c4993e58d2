#include "rtl/file_names.h"

#include <gtest/gtest.h>

TEST(FileNames, PartsOfANameAndTheRootKeepsItsBackslash) {
    EXPECT_EQ(ExtractFilePath("C:\\a\\b.txt"), "C:\\a\\");
    EXPECT_EQ(ExtractFileDir("C:\\a\\b.txt"), "C:\\a");
    EXPECT_EQ(ExtractFileDir("C:\\a\\"), "C:\\a");
    EXPECT_EQ(ExtractFileDir("C:\\a"), "C:\\");
    EXPECT_EQ(ExtractFileDir("C:\\"), "C:\\");
    EXPECT_EQ(ExtractFileDir("C:b"), "C:");
    EXPECT_EQ(ExtractFileDir("b.txt"), "");
    EXPECT_EQ(ExtractFileDir("a\\b"), "a");
    EXPECT_EQ(ExtractFileName("C:\\a\\b.txt"), "b.txt");
    EXPECT_EQ(ExtractFileName("C:b.txt"), "b.txt");
}

TEST(FileNames, RelativePathsClimbAndDescendWithoutRegardToCase) {
    EXPECT_EQ(ExtractRelativePath("C:\\Сервер\\", "c:\\сервер\\conf\\a.ini"), "conf\\a.ini");
    EXPECT_EQ(ExtractRelativePath("C:\\srv\\bin\\", "C:\\srv\\log\\e.txt"), "..\\log\\e.txt");
    EXPECT_EQ(ExtractRelativePath("C:\\srv\\x.exe", "C:\\srv\\e.txt"), "e.txt");
    EXPECT_EQ(ExtractRelativePath("C:\\srv\\", "D:\\srv\\e.txt"), "D:\\srv\\e.txt");
    EXPECT_EQ(ExtractRelativePath("C:\\srv\\", "C:\\srv\\"), "");
}
