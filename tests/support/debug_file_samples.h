#pragma once
#include <string>

// Realistic snapshots for samples and benchmarks, the same for the same index.
struct TSampleShape {
    int Tasks = 50;  // running tasks with stacks; every third one also with crypto parameters
    int Leaks = 300; // business-logic leak records
    int LeakClasses = 12;
    int SystemLeaks = 40;
    int ConfigBytes = 20000;  // size of the configuration text
    int DataBaseBytes = 2000; // size of the database parameters
};

// Key "dd.mm.yyyy hh:nn:ss.zzz" of the index-th snapshot, one every 10 seconds.
std::string SampleKey(int index);
// A block with every section the server writes, in the usual forms.
std::string SampleBlock(int index, const TSampleShape& shape);

// A whole snapshot record, header line and block, of exactly PageRecordSize bytes: key
// SampleKey(index), build "1.0", LoginUsers index. The system grows a file a page at a time,
// so a reader never sees part of such a record written by one call at a page's start.
constexpr int PageRecordSize = 4096;
std::string PageRecord(int index);
