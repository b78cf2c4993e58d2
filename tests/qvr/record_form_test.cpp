#include "qvr/bll_leak_object_info.h"
#include "qvr/buf_tools.h"
#include "qvr/dinamic_system_info.h"
#include "qvr/task_info.h"
#include "support/debug_file_writer.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::string Int32Bytes(int32_t v) {
    return std::string(reinterpret_cast<const char*>(&v), 4);
}

void FillTask(TTaskInfo& t) {
    t.ThreadAddress = 0x01A2B3C4;
    t.ThreadID = "1234";
    t.CreateTime = "01.02.2006 10:00:00";
    t.Task = "BLL_Docs.Exec";
    t.WorkingTaskTime = "00:00:12";
    t.PositionID = "17";
    t.Stack = "line 1\r\nline 2";
    t.BMSessionID = "S1";
    t.State = 1;
    t.InfoStr = "10.0.0.1:5000";
    t.ConnectionStatus = "Connected";
    t.SignCryptoParams = "Engine=Sign";
    t.CheckSignCryptoParams = "Engine=Check\r\nStore=x";
    t.HugeTask = true;
    t.WaitRequestNum = -7;
}

void ExpectHeadEqual(const TTaskInfo& a, const TTaskInfo& b) {
    EXPECT_EQ(a.ThreadAddress, b.ThreadAddress);
    EXPECT_EQ(a.ThreadID, b.ThreadID);
    EXPECT_EQ(a.CreateTime, b.CreateTime);
    EXPECT_EQ(a.Task, b.Task);
    EXPECT_EQ(a.WorkingTaskTime, b.WorkingTaskTime);
    EXPECT_EQ(a.PositionID, b.PositionID);
    EXPECT_EQ(a.Stack, b.Stack);
    EXPECT_EQ(a.BMSessionID, b.BMSessionID);
    EXPECT_EQ(a.State, b.State);
    EXPECT_EQ(a.InfoStr, b.InfoStr);
    EXPECT_EQ(a.ConnectionStatus, b.ConnectionStatus);
}

} // namespace

TEST(RecordForm, ShortAndDamagedBuffersReadAsZerosAndCutStrings) {
    int pos = 1;
    EXPECT_EQ(ReadString(Int32Bytes(0) + "xyz", pos), "");
    EXPECT_EQ(pos, 5);

    const std::string cut = Int32Bytes(1000) + "0123456789";
    pos = 1;
    EXPECT_EQ(ReadString(cut, pos), "0123456789");
    EXPECT_EQ(pos, int(cut.size()) + 1);

    pos = 1;
    EXPECT_EQ(ReadString(Int32Bytes(-5) + "abc", pos), "");
    EXPECT_EQ(pos, 5); // a negative length moves past the prefix only

    pos = 2;
    EXPECT_EQ(ReadString("abcd", pos), ""); // three bytes left: no prefix
    EXPECT_EQ(pos, 6);

    int value = 99;
    pos = 2;
    ReadField("\x01\x02\x03\x04", pos, value);
    EXPECT_EQ(value, 0);
    EXPECT_EQ(pos, 6);

    char data[4] = {1, 1, 1, 1};
    pos = 1;
    ReadData("ab", pos, data, 0);
    EXPECT_EQ(pos, 1);
    EXPECT_EQ(data[0], 1);
    pos = 0; // before the buffer: nothing is read from there
    ReadData("abcd", pos, data, 4);
    EXPECT_EQ(std::string(data, 4), std::string(4, '\0'));
    EXPECT_EQ(pos, 4);
}

TEST(RecordForm, WritesStayInsideTheBuffer) {
    std::string buf(6, '.');
    int pos = 3;
    WriteString("abcdef", buf, pos, false);
    EXPECT_EQ(buf, ".." + Int32Bytes(6));
    EXPECT_EQ(pos, 13);

    pos = 100;
    WriteData("zz", 2, buf, false, pos);
    EXPECT_EQ(buf.size(), 6u);
    EXPECT_EQ(pos, 102);

    pos = -2;
    WriteData("abcd", 4, buf, false, pos);
    EXPECT_EQ(buf.substr(0, 1), "d");

    std::string grown = "ab";
    pos = 3;
    WriteString("xyz", grown, pos, true);
    EXPECT_EQ(grown, "ab" + Int32Bytes(3) + "xyz");
    pos = 3;
    EXPECT_EQ(ReadString(grown, pos), "xyz");
}

TEST(RecordForm, TaskRecordRoundTripsWithItsExactLayout) {
    TTaskInfo task;
    FillTask(task);
    const std::string form = task.AsString();
    size_t strings = 0;
    for (const std::string* s : std::initializer_list<const std::string*>{
             &task.ThreadID, &task.CreateTime.str(), &task.Task.str(), &task.WorkingTaskTime,
             &task.PositionID, &task.Stack.str(), &task.BMSessionID, &task.InfoStr.str(),
             &task.ConnectionStatus.str(), &task.SignCryptoParams.str(),
             &task.CheckSignCryptoParams.str()})
        strings += s->size();
    ASSERT_EQ(form.size(), 60 + strings);
    EXPECT_EQ(form.substr(0, 4), Int32Bytes(0x01A2B3C4));
    EXPECT_EQ(form.substr(form.size() - 8, 4), std::string("\x01\x00\x00\x00", 4));
    EXPECT_EQ(form.substr(form.size() - 4), Int32Bytes(-7));

    TTaskInfo back;
    back.SetAsString(form);
    ExpectHeadEqual(back, task);
    EXPECT_EQ(back.SignCryptoParams, task.SignCryptoParams);
    EXPECT_EQ(back.CheckSignCryptoParams, task.CheckSignCryptoParams);
    EXPECT_TRUE(back.HugeTask);
    EXPECT_EQ(back.WaitRequestNum, -7);

    TTaskInfo empty;
    EXPECT_EQ(empty.AsString().size(), 60u);
}

TEST(RecordForm, LeakAndCounterRecordsRoundTrip) {
    TBLLLeakObjectInfo leak;
    leak.CName = "TFoo";
    leak.Stack = "a\r\nb";
    leak.LiveTime = 1.25;
    leak.AddInfo = "Объект";
    const std::string form = leak.AsString();
    EXPECT_EQ(form.size(), 20 + 4 + 4 + leak.AddInfo.size());
    TBLLLeakObjectInfo back;
    back.SetAsString(form);
    EXPECT_EQ(back.CName, "TFoo");
    EXPECT_EQ(back.Stack, "a\r\nb");
    EXPECT_EQ(back.LiveTime, 1.25);
    EXPECT_EQ(back.AddInfo, "Объект");

    TDinamicSystemInfo dsi;
    dsi.SetTotalAllocatedMemory(1);
    dsi.SetErrors(7);
    dsi.SetWorkThreads(9);
    const std::string counters = dsi.AsString();
    ASSERT_EQ(counters.size(), 28u);
    EXPECT_EQ(counters.substr(0, 4), Int32Bytes(1));
    EXPECT_EQ(counters.substr(24, 4), Int32Bytes(7));
    TDinamicSystemInfo read;
    read.SetAsString(counters);
    EXPECT_EQ(read.Errors(), 7);
    EXPECT_EQ(read.WorkThreads(), 0);
}

TEST(RecordForm, ObjectListSkipsEmptyItemsAndClearsFirst) {
    TBLLLeakObjectInfo leak;
    leak.CName = "TBar";
    std::string source = Int32Bytes(0);
    int pos = int(source.size()) + 1;
    WriteString(leak.AsString(), source, pos, true);

    TObjectList list;
    list.Add(new TBLLLeakObjectInfo);
    list.Add(new TBLLLeakObjectInfo);
    StrToObjectList(source, list, StoredClass<TBLLLeakObjectInfo>, 1);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(static_cast<TBLLLeakObjectInfo*>(list.Items(0))->CName, "TBar");
}

TEST(RecordForm, CounterTextSetsOnlyTheNamedCounters) {
    TDinamicSystemInfo dsi;
    dsi.SetRunTasksThreads(4);
    dsi.SetAsDebugString("Users: 12\r\nFoo: 3\r\nsessions: 5");
    EXPECT_EQ(dsi.LoginUsers(), 12);
    EXPECT_EQ(dsi.OpenSessions(), 5);
    EXPECT_EQ(dsi.RunTasksThreads(), 4);
    EXPECT_EQ(dsi.TotalAllocatedMemory(), 0);

    dsi.SetAsDebugString("Users:12\r\nExecsTasks: x\r\nTOTALALLOCATED: 77\r\n"
                         "GetSystemMemory: 8\r\nGetVirtualMemory: 9\r\n");
    EXPECT_EQ(dsi.LoginUsers(), 12); // no blank after the colon names nothing
    EXPECT_EQ(dsi.RunTasksThreads(), 0);
    EXPECT_EQ(dsi.TotalAllocatedMemory(), 77);
    EXPECT_EQ(dsi.SystemMemory(), 8);
    EXPECT_EQ(dsi.VirtualMemory(), 9);
    EXPECT_EQ(dsi.Errors(), 0);
}

TEST(RecordForm, RunningTaskFormsAreToldApart) {
    TTaskInfo task;
    FillTask(task);
    const std::string body = RunTasksRecord(task, TTaskForm::Short) +
                             RunTasksRecord(task, TTaskForm::HugeFlag) +
                             RunTasksRecord(task, TTaskForm::Crypto);
    int pos = 1;
    TTaskInfoEx shortForm, hugeForm, cryptoForm;
    shortForm.ReadFromString(body, pos);
    hugeForm.ReadFromString(body, pos);
    cryptoForm.ReadFromString(body, pos);
    EXPECT_EQ(pos, int(body.size()) + 1);
    for (const TTaskInfo* t : {&shortForm, &hugeForm, &cryptoForm}) {
        ExpectHeadEqual(*t, task);
        EXPECT_EQ(t->WaitRequestNum, 0);
    }
    EXPECT_EQ(shortForm.SignCryptoParams, "");
    EXPECT_FALSE(shortForm.HugeTask);
    EXPECT_EQ(hugeForm.SignCryptoParams, "");
    EXPECT_TRUE(hugeForm.HugeTask);
    EXPECT_EQ(cryptoForm.SignCryptoParams, task.SignCryptoParams);
    EXPECT_EQ(cryptoForm.CheckSignCryptoParams, task.CheckSignCryptoParams);
    EXPECT_TRUE(cryptoForm.HugeTask);

    // After the head: one byte, or a few bytes that are no CRLF, end the record there.
    const std::string head = RunTasksRecord(task, TTaskForm::Short);
    const std::string headOnly = head.substr(0, head.size() - 2);
    for (const std::string& tail : {std::string("x"), std::string("abcd")}) {
        TTaskInfoEx t;
        pos = 1;
        t.ReadFromString(headOnly + tail, pos);
        EXPECT_EQ(pos, int(headOnly.size()) + 1);
        EXPECT_FALSE(t.HugeTask);
    }
}
