#include "tools/huge_file.h"

#include "rtl/file_io.h"
#include "rtl/wide_text.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

namespace {

// Bytes that differ with their position, so a read from a wrong offset shows.
std::string Pattern(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i)
        bytes[i] = char(uint32_t(i * 2654435761u) >> 24);
    return bytes;
}

// Large contents: the first difference instead of both texts.
testing::AssertionResult SameBytes(const std::string& actual, const std::string& expected) {
    if (actual == expected)
        return testing::AssertionSuccess();
    size_t i = 0;
    while (i < actual.size() && i < expected.size() && actual[i] == expected[i])
        ++i;
    return testing::AssertionFailure() << "sizes " << actual.size() << " and " << expected.size()
                                       << ", first difference at " << i;
}

std::string ReadPart(TZtHugeFileStream& stream, int count) {
    std::string part(size_t(count), '\0');
    part.resize(size_t(stream.Read(part.data(), count)));
    return part;
}

void Write(TZtHugeFileStream& stream, const std::string& bytes) {
    EXPECT_EQ(stream.Write(bytes.data(), int(bytes.size())), int(bytes.size()));
}

// Runs the action and checks that it raises code with a message that starts as expected.
template <class E>
void ExpectFailure(const std::function<void()>& action, int code, const std::string& start) {
    try {
        action();
        ADD_FAILURE() << "no exception, expected code " << code;
    } catch (const E& e) {
        EXPECT_EQ(e.HelpContext, code) << e.Message;
        EXPECT_EQ(e.Message.substr(0, start.size()), start);
    }
}

HANDLE OpenForWriting(const std::string& name, DWORD shareMode) {
    return CreateFileW(ToWide(name).c_str(), GENERIC_WRITE, shareMode, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

class HugeFile : public testing::Test {
protected:
    std::string Fixture(const std::string& name, const std::string& content) {
        const std::string fileName = temp.File(name);
        WriteWholeFile(fileName, content);
        return fileName;
    }

    TempFolder temp;
};

} // namespace

TEST_F(HugeFile, EmptyAndSmallFilesReadToTheirEnd) {
    TZtHugeFileStream empty(Fixture("empty.dat", ""), accRead, hfoBuffered);
    EXPECT_EQ(empty.Size(), 0);
    EXPECT_EQ(empty.Position(), 0);
    EXPECT_EQ(ReadPart(empty, 16), "");
    EXPECT_EQ(empty.Position(), 0);

    const std::string content = Pattern(100);
    TZtHugeFileStream small(Fixture("small.dat", content), accRead, hfoBuffered);
    EXPECT_EQ(ReadPart(small, 512), content);
    EXPECT_EQ(ReadPart(small, 512), "");
    EXPECT_EQ(small.Position(), 100);
    EXPECT_EQ(small.Size(), 100);
}

TEST_F(HugeFile, OneLargeReadBypassesTheBuffer) {
    const std::string content = Pattern(200000);
    TZtHugeFileStream stream(Fixture("large.dat", content), accRead, hfoBuffered);
    EXPECT_TRUE(SameBytes(ReadPart(stream, 200000), content));
    EXPECT_EQ(stream.Position(), 200000);
    EXPECT_EQ(ReadPart(stream, 10), "");
}

TEST_F(HugeFile, PartsAndSeeksLikeTheDebugReader) {
    const std::string content = Pattern(1500000);
    const std::string name = Fixture("reader.dat", content);
    for (THugeFileOptions options : {THugeFileOptions(hfoBuffered), THugeFileOptions(0)}) {
        TZtHugeFileStream stream(name, accRead, options);
        int64_t position = 0;
        // Forward, backward, inside and beyond the buffer, and reads larger than it.
        const int64_t steps[] = {0, 100, -300, 70000, 3, 65536, -70000, 200000, 131072, 1, -1};
        const int sizes[] = {512, 512, 1, 65536, 131077, 512, 300000, 512, 7, 512, 65535};
        for (size_t i = 0; i < std::size(steps); ++i) {
            position = stream.Seek(steps[i], 1);
            std::string part = ReadPart(stream, sizes[i]);
            ASSERT_TRUE(SameBytes(part, content.substr(size_t(position), size_t(sizes[i])))) << i;
            position += int64_t(part.size());
            ASSERT_EQ(stream.Position(), position) << i;
        }
        EXPECT_EQ(stream.Seek(10, 2), 1500000 - 10);
        EXPECT_EQ(ReadPart(stream, 512), content.substr(1500000 - 10));
        EXPECT_EQ(stream.Seek(5, 0), 5);
        EXPECT_EQ(ReadPart(stream, 5), content.substr(5, 5));
    }
}

TEST_F(HugeFile, OddBufferSizesAndLockedBuffers) {
    const std::string content = Pattern(100000);
    const std::string name = Fixture("odd.dat", content);
    TZtHugeFile file(name, FILE_ATTRIBUTE_NORMAL, GENERIC_READ, 0xFFFF);
    // 5000 bytes become whole pages; the reads cross the buffer's end in every way.
    ASSERT_EQ(file.ResetEx(1, 5000, 0, hfoBuffered | hfoLockBuffer), hfOK);
    std::string bytes(content.size() + 8192, '\0'); // room for asking past the end
    size_t done = 0;
    uint32_t transferred = 0;
    for (uint32_t size : {1u, 4095u, 4096u, 20000u, 3u, 8192u, 16385u}) {
        file.BlockRead(&bytes[done], size, transferred);
        ASSERT_EQ(transferred, size);
        done += size;
    }
    file.BlockRead(&bytes[done], uint32_t(bytes.size() - done), transferred);
    EXPECT_EQ(done + transferred, content.size());
    EXPECT_TRUE(SameBytes(bytes.substr(0, content.size()), content));
}

TEST_F(HugeFile, UnbufferedSystemAccessKeepsTheExactSize) {
    const std::string content = Pattern(100000);
    const std::string name = temp.File("direct.dat");
    {
        TZtHugeFile file(name, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_NO_BUFFERING, GENERIC_WRITE,
                         0xFFFF);
        ASSERT_EQ(file.RewriteEx(1, 0, 0, hfoBuffered), hfOK);
        uint32_t transferred = 0;
        file.BlockWrite(content.data(), uint32_t(content.size()), transferred);
        EXPECT_EQ(transferred, content.size());
        file.Close(); // the last, partly filled page is padded for the system, then cut
    }
    EXPECT_TRUE(SameBytes(ReadWholeFile(name), content));
}

TEST_F(HugeFile, SeekOrigins) {
    const std::string content = Pattern(100);
    const std::string name = Fixture("seek.dat", content);
    TZtHugeFileStream stream(name, accRead, hfoBuffered);
    EXPECT_EQ(stream.Seek(10, 2), 90); // the size minus the offset
    EXPECT_EQ(stream.Position(), 90);
    EXPECT_EQ(ReadPart(stream, 512), content.substr(90));
    EXPECT_EQ(stream.Seek(5, 0), 5);
    EXPECT_EQ(stream.Seek(-3, 1), 2);
    EXPECT_EQ(ReadPart(stream, 2), content.substr(2, 2));
    ExpectFailure<EZtHugeFileStream>([&] { stream.Seek(0, 3); }, 1010,
                                     "TZtHugeFileStream(" + name + "):Invalid mode!");
}

TEST_F(HugeFile, FailedOpenNamesTheMethodAndTheSystemError) {
    const std::string missing = temp.File("missing.dat");
    ExpectFailure<EZtHugeFileStream>(
        [&] { TZtHugeFileStream stream(missing, accRead, hfoBuffered); }, 1001,
        "TZtHugeFileStream.Reset(" + missing + ") failed. Win32 Error.  Code: 2.\n" +
            SysErrorMessage(ERROR_FILE_NOT_FOUND));
    const std::string noFolder = temp.File("none\\new.dat");
    ExpectFailure<EZtHugeFileStream>(
        [&] { TZtHugeFileStream stream(noFolder, accWrite, hfoBuffered); }, 1001,
        "TZtHugeFileStream.Rewrite(" + noFolder + ") failed. Win32 Error.  Code: 3.\n");
}

TEST_F(HugeFile, WrittenBytesReadBack) {
    const std::string content = Pattern(1000000);
    const size_t pieces[] = {1, 100, 65535, 65536, 200000, 3, 131072, 7};
    for (THugeFileOptions options : {THugeFileOptions(hfoBuffered), THugeFileOptions(0)}) {
        const std::string name = temp.File("written.dat");
        size_t written = 0;
        {
            TZtHugeFileStream stream(name, accWrite, options);
            for (size_t piece : pieces) {
                Write(stream, content.substr(written, piece));
                written += piece;
                ASSERT_EQ(stream.Size(), int64_t(written));
                ASSERT_EQ(stream.Position(), int64_t(written));
            }
            stream.Close();
        }
        EXPECT_TRUE(SameBytes(ReadWholeFile(name), content.substr(0, written)));
        TZtHugeFileStream reread(name, accRead, options);
        EXPECT_TRUE(SameBytes(ReadPart(reread, int(written)), content.substr(0, written)));
    }
}

TEST_F(HugeFile, AWriteThatFailsInTheLastFlushRaisesFromClose) {
    // Wine maps the Unix device that is always full, which refuses every write.
    const std::string full = "Z:\\dev\\full";
    {
        TZtHugeFileStream stream(full, accWrite, hfoBuffered);
        Write(stream, "pending in the buffer"); // buffered: nothing reached the device yet
        ExpectFailure<EZtHugeFile>([&] { stream.Flush(); }, 1001,
                                   "TZtHugeFile.Flush(" + full +
                                       ") failed. Win32 Error.  Code: 112.");
    }
    TZtHugeFileStream stream(full, accWrite, hfoBuffered);
    Write(stream, "pending in the buffer");
    ExpectFailure<EZtHugeFile>([&] { stream.Close(); }, 1001,
                               "TZtHugeFile.FreeBuffer(" + full +
                                   ") failed. Win32 Error.  Code: 112.");
}

TEST_F(HugeFile, AppendingAndTheBufferDirection) {
    const std::string name = Fixture("mixed.dat", "abc");
    {
        TZtHugeFileStream stream(name, accAppend, hfoBuffered);
        EXPECT_EQ(stream.Position(), 3);
        Write(stream, "def");
        EXPECT_EQ(stream.Position(), 6);
        stream.Close();
    }
    EXPECT_EQ(ReadWholeFile(name), "abcdef");
    {
        TZtHugeFileStream stream(name, accReadWrite, hfoBuffered);
        ExpectFailure<EZtHugeFile>([&] { stream.Write("x", 1); }, 1006,
                                   "TZtHugeFile(" + name + "):Write while in buffered read mode!");
        EXPECT_EQ(ReadPart(stream, 3), "abc");
        EXPECT_EQ(stream.Seek(0, 2), 6);
        Write(stream, "g"); // at the end, the read buffer becomes a write buffer
        EXPECT_EQ(stream.Size(), 7);
        char byte;
        ExpectFailure<EZtHugeFile>([&] { stream.Read(&byte, 1); }, 1007,
                                   "TZtHugeFile(" + name + "):Read while in buffered write mode!");
    }
    EXPECT_EQ(ReadWholeFile(name), "abcdefg");
}

TEST_F(HugeFile, SetSizeCutsAtTheNewEnd) {
    const std::string name = Fixture("cut.dat", Pattern(100));
    for (THugeFileOptions options : {THugeFileOptions(0), THugeFileOptions(hfoBuffered)}) {
        TZtHugeFileStream stream(name, accReadWrite, options);
        stream.SetSize(40);
        EXPECT_EQ(stream.Size(), 40);
        EXPECT_EQ(stream.Position(), 40);
    }
    EXPECT_EQ(ReadWholeFile(name), Pattern(40));
    {
        TZtHugeFileStream stream(name, accWrite, hfoBuffered);
        Write(stream, Pattern(100));
        stream.SetSize(30); // pending bytes are written first, then cut
        EXPECT_EQ(stream.Size(), 30);
    }
    EXPECT_EQ(ReadWholeFile(name), Pattern(30));
}

TEST_F(HugeFile, AReadingStreamAndAWriterShareTheFile) {
    const std::string name = Fixture("shared.dat", "data");
    TWin32Handle writer(OpenForWriting(name, FILE_SHARE_READ));
    ASSERT_TRUE(writer.Valid());
    TZtHugeFileStream stream(name, accRead, hfoBuffered);
    writer.Close();
    TWin32Handle laterWriter(OpenForWriting(name, FILE_SHARE_READ));
    EXPECT_TRUE(laterWriter.Valid());
    char bytes[8];
    EXPECT_EQ(stream.Read(bytes, 8), 4);
    EXPECT_EQ(std::string(bytes, 4), "data");
}

TEST_F(HugeFile, FileHeldByAWriterIsLocked) {
    const std::string name = Fixture("locked.dat", "data");
    TWin32Handle writer(OpenForWriting(name, 0));
    ASSERT_TRUE(writer.Valid());
    ExpectFailure<EZtHugeFileStream>(
        [&] { TZtHugeFileStream stream(name, accRead, hfoBuffered); }, 1001,
        "TZtHugeFileStream.Reset(" + name + ") failed. Win32 Error.  Code: 32.\n");

    TZtHugeFile file(name, FILE_ATTRIBUTE_NORMAL, GENERIC_READ, 0xFFFF);
    EXPECT_EQ(file.ResetEx(1, 0, 0, hfoBuffered, 10), hfFileLocked); // no timeout: no retry
    EXPECT_EQ(file.WindowsError(), uint32_t(ERROR_SHARING_VIOLATION));
    EXPECT_FALSE(file.IsOpen());

    // A signalled wait object ends the retrying at once, whatever the timeout.
    TWin32Handle giveUp(CreateEventW(nullptr, TRUE, TRUE, nullptr));
    EXPECT_EQ(file.ResetEx(1, 0, 600000, hfoBuffered, 10, giveUp.Get()), hfFileLocked);

    // The retry succeeds once the writer lets go. The writer lets go only after a first
    // attempt of a fresh file has failed, so the retry is what opens it.
    TZtHugeFile retrying(name, FILE_ATTRIBUTE_NORMAL, GENERIC_READ, 0xFFFF);
    std::atomic<bool> sawFailure{false};
    std::thread release([&] {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (retrying.WindowsError() != ERROR_SHARING_VIOLATION &&
               std::chrono::steady_clock::now() < deadline)
            Sleep(1);
        sawFailure = retrying.WindowsError() == ERROR_SHARING_VIOLATION;
        writer.Close();
    });
    EXPECT_EQ(retrying.ResetEx(1, 0, 60000, hfoBuffered, 10), hfOK);
    release.join();
    EXPECT_TRUE(sawFailure);
    char bytes[8];
    uint32_t transferred = 0;
    retrying.BlockRead(bytes, 8, transferred);
    EXPECT_EQ(std::string(bytes, transferred), "data");
}

TEST_F(HugeFile, RecordsAndClosedFiles) {
    const std::string content = Pattern(10);
    const std::string name = Fixture("records.dat", content);
    TZtHugeFile file(name, FILE_ATTRIBUTE_NORMAL, GENERIC_READ, 0xFFFF);
    ExpectFailure<EZtHugeFile>([&] { file.ResetEx(0, 0, 0, hfoBuffered); }, 1003,
                               "TZtHugeFile(" + name + "):BlockSize must be greater than zero!");
    EXPECT_FALSE(file.IsOpen());

    ASSERT_EQ(file.ResetEx(4, 0, 0, hfoBuffered), hfOK);
    EXPECT_TRUE(file.IsBuffered());
    EXPECT_EQ(file.FileSize(), 2);
    char bytes[12];
    uint32_t transferred = 0;
    file.BlockRead(bytes, 3, transferred);
    EXPECT_EQ(transferred, 2u); // whole records only
    EXPECT_EQ(std::string(bytes, 10), content);
    file.Seek(1);
    EXPECT_EQ(file.FilePos(), 1);
    file.BlockRead(bytes, 1, transferred);
    EXPECT_EQ(std::string(bytes, 4), content.substr(4, 4));

    file.Close();
    EXPECT_FALSE(file.IsOpen());
    const std::string notOpen = "TZtHugeFile(" + name + "):File not open!";
    ExpectFailure<EZtHugeFile>([&] { file.BlockRead(bytes, 1, transferred); }, 1004, notOpen);
    ExpectFailure<EZtHugeFile>([&] { file.FilePos(); }, 1004, notOpen);
    ExpectFailure<EZtHugeFile>([&] { file.BlockWrite(bytes, 1, transferred); }, 1004, notOpen);
}

TEST_F(HugeFile, CloseOnEndOfFileServesTheRestFromTheBuffer) {
    const std::string content = Pattern(1000);
    const std::string name = Fixture("eof.dat", content);
    TZtHugeFile file(name, FILE_ATTRIBUTE_NORMAL, GENERIC_READ, 0xFFFF);
    ASSERT_EQ(file.ResetEx(1, 0, 0, hfoBuffered | hfoCloseOnEOF), hfOK);
    char bytes[1000];
    uint32_t transferred = 0;
    file.BlockRead(bytes, 10, transferred); // the whole file is in the buffer now
    EXPECT_FALSE(TWin32Handle(OpenForWriting(name, 0)).Valid());
    file.BlockRead(bytes + 10, 10, transferred);
    EXPECT_TRUE(TWin32Handle(OpenForWriting(name, 0)).Valid()); // our handle is gone
    EXPECT_TRUE(file.IsOpen());

    char piece[10];
    file.Seek(100); // inside the buffer
    file.BlockRead(piece, 10, transferred);
    EXPECT_EQ(std::string(piece, transferred), content.substr(100, 10));
    file.Seek(20);
    file.BlockRead(bytes + 20, 980, transferred);
    EXPECT_EQ(transferred, 980u);
    EXPECT_TRUE(SameBytes(std::string(bytes, 1000), content));
    EXPECT_EQ(file.FileSize(), 1000);
    EXPECT_EQ(file.FilePos(), 1000);
    // Read to its end, the buffer is empty and going back would need the closed handle.
    ExpectFailure<EZtHugeFile>([&] { file.Seek(0); }, 1004,
                               "TZtHugeFile(" + name + "):File not open!");

    ASSERT_EQ(file.ResetEx(1, 0, 0, hfoBuffered), hfOK); // reopens from the start
    file.BlockRead(piece, 5, transferred);
    EXPECT_EQ(std::string(piece, transferred), content.substr(0, 5));
}

TEST_F(HugeFile, FileDateRoundTrips) {
    const std::string name = Fixture("dated.dat", "x");
    const TDateTime stamp = EncodeDate(2005, 6, 7) + EncodeTime(8, 9, 10, 500);
    {
        TZtHugeFile file(name, FILE_ATTRIBUTE_NORMAL, GENERIC_READ | GENERIC_WRITE, 0xFFFF);
        ASSERT_EQ(file.ResetEx(1, 0, 0, 0), hfOK);
        file.SetDate(stamp);
        EXPECT_NEAR(file.FileDate(), stamp, 0.5 / MSecsPerDay);
    }
    TZtHugeFile file(name, FILE_ATTRIBUTE_NORMAL, GENERIC_READ, 0xFFFF);
    ASSERT_EQ(file.ResetEx(1, 0, 0, hfoBuffered), hfOK);
    EXPECT_NEAR(file.GetDate(), stamp, 0.5 / MSecsPerDay);
    // The system's file times begin in 1601.
    ExpectFailure<EZtHugeFile>([&] { file.SetDate(EncodeDate(1600, 1, 1)); }, 1001,
                               "TZtHugeFile.SetDate(" + name + ") failed. Win32 Error.  Code: ");
    file.Close();
    ExpectFailure<EZtHugeFile>([&] { file.GetDate(); }, 1004,
                               "TZtHugeFile(" + name + "):File not open!");
}

TEST_F(HugeFile, PositionsBeyondFourGigabytes) {
    const int64_t size = 5LL << 30;
    const int64_t first = (5LL << 29) - 3, second = (9LL << 29) + 1;
    const std::string name = temp.File("sparse.dat");
    {
        // Extending by setting the end keeps the file sparse on the disk.
        TZtHugeFile file(name, FILE_ATTRIBUTE_NORMAL, GENERIC_WRITE, 0xFFFF);
        ASSERT_EQ(file.RewriteEx(1, 0, 0, 0), hfOK);
        uint32_t transferred = 0;
        file.Seek(first);
        file.BlockWrite("MARK-A", 6, transferred);
        file.Seek(second);
        file.BlockWrite("MARK-B", 6, transferred);
        file.Seek(size);
        file.Truncate();
        EXPECT_EQ(file.FileSize(), size);
    }
    TZtHugeFileStream stream(name, accRead, hfoBuffered);
    EXPECT_EQ(stream.Size(), size);
    EXPECT_EQ(ReadPart(stream, 512), std::string(512, '\0'));
    EXPECT_EQ(stream.Seek(first - 512, 1), first);
    EXPECT_EQ(ReadPart(stream, 6), "MARK-A");
    EXPECT_EQ(stream.Seek(second - stream.Position(), 1), second);
    EXPECT_EQ(ReadPart(stream, 512), "MARK-B" + std::string(506, '\0'));
    EXPECT_EQ(stream.Position(), second + 512);
    EXPECT_EQ(stream.Seek(10, 2), size - 10);
    EXPECT_EQ(ReadPart(stream, 512), std::string(10, '\0'));
}
