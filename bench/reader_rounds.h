#pragma once
#include <functional>
#include <string>
#include <vector>

// Reading a file with the reader alone, round after round, each round after a plain read of the
// same file, so that both meet about the same load from other programs.

// Reads the whole file without looking at it; its size in bytes.
double PlainRead(const std::string& path);

struct TReaderRound {
    double PlainSeconds = 0;
    double Seconds = 0;
    double FreeSeconds = 0;
    int Count = 0;
    std::string LastKey;
};

// A plain read, then the file read into a new store, whileHeld called while the store holds
// it, and the store freed.
TReaderRound ReaderRound(const std::string& path, const std::function<void()>& whileHeld = {});

// rounds of ReaderRound; whileFirstHeld is called in the first round only, before freed
// memory is there to be reused.
std::vector<TReaderRound> ReaderRounds(const std::string& path, int rounds,
                                       const std::function<void()>& whileFirstHeld = {});

// The middle of the rounds' reading rates, in MB/s, and the first round's.
double MedianRate(const std::vector<TReaderRound>& rounds, double fileBytes);
double FirstRate(const std::vector<TReaderRound>& rounds, double fileBytes);
