#pragma once
#include <string>

// Realistic snapshots for samples and benchmarks, the same for the same index.
struct TSampleShape {
    int Tasks = 50;  // running tasks with stacks; every third one also with crypto parameters
    int Leaks = 300; // business-logic leak records
    int LeakClasses = 12;
    int SystemLeaks = 40;
    int ConfigBytes = 20000;  // size of the configuration text
    std::string Config;       // when set, the configuration text instead of generated keys
    int DataBaseBytes = 2000; // size of the database parameters
    // How a server repeats itself. ConfigEvery > 0: the configuration and database texts
    // change only every so many snapshots. TaskStackPool > 0: task stacks are drawn from that
    // many distinct ones. RepeatLeakStacks: each leak class has the same three allocation
    // stacks in every snapshot. The defaults write every text anew in each snapshot.
    int ConfigEvery = 0;
    int TaskStackPool = 0;
    bool RepeatLeakStacks = false;
    // Texts a server writes in every snapshot with a live figure in them, each of one size
    // throughout: MovingStackTops moves the top frame's address of every pooled task stack from
    // snapshot to snapshot; FigureAt (0 the start, 1 the end, below 0 none) puts a line with a
    // figure that grows with the snapshot into the database and configuration texts there.
    bool MovingStackTops = false;
    double FigureAt = -1;
};

// The shape of the snapshots of the demo file: a few of everything, six running tasks.
TSampleShape DemoShape();

// The shape of a long-running server's snapshots: the configuration changes every 300
// snapshots, 300 distinct task stacks, 300 leak classes with three stacks each.
TSampleShape ServerLikeShape();

// The shape of the demo file's snapshots with the configuration of a real site, whose
// operator raised the task limit during the day: it differs from snapshot to snapshot in a few
// figures. The block of the index-th snapshot.
std::string SiteBlock(int index);

// Key "dd.mm.yyyy hh:nn:ss.zzz" of the index-th snapshot, one every 10 seconds.
std::string SampleKey(int index);
// A block with every section the server writes, in the usual forms.
std::string SampleBlock(int index, const TSampleShape& shape);

// A whole snapshot record, header line and block, of exactly PageRecordSize bytes: key
// SampleKey(index), build "1.0", LoginUsers index. The system grows a file a page at a time,
// so a reader never sees part of such a record written by one call at a page's start.
constexpr int PageRecordSize = 4096;
std::string PageRecord(int index);
