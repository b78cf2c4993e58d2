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
