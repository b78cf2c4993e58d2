#include "reader_rounds.h"

#include "bench_files.h"
#include "qvr/debug_reader.h"
#include "tools/huge_file.h"

#include <chrono>
#include <cstdint>

namespace {
constexpr double MB = 1024.0 * 1024.0;
} // namespace

double PlainRead(const std::string& path) {
    TZtHugeFileStream stream(path, accRead, hfoBuffered);
    std::vector<char> buffer(64 * 1024);
    int64_t total = 0;
    for (int got; (got = stream.Read(buffer.data(), int(buffer.size()))) > 0;)
        total += got;
    return double(total);
}

TReaderRound ReaderRound(const std::string& path, const std::function<void()>& whileHeld) {
    TReaderRound round;
    auto start = std::chrono::steady_clock::now();
    PlainRead(path);
    round.PlainSeconds = Seconds(start);
    InitDebugReader();
    start = std::chrono::steady_clock::now();
    DebugReader->ReadFile(path);
    round.Seconds = Seconds(start);
    if (whileHeld)
        whileHeld();
    round.Count = DebugReader->Count();
    round.LastKey = round.Count > 0 ? DebugReader->DebugInfoList.GetNames(round.Count - 1) : "";
    start = std::chrono::steady_clock::now();
    DoneDebugReader();
    round.FreeSeconds = Seconds(start);
    return round;
}

std::vector<TReaderRound> ReaderRounds(const std::string& path, int rounds,
                                       const std::function<void()>& whileFirstHeld) {
    PlainRead(path); // the measured reads then start from a warm cache
    std::vector<TReaderRound> result;
    for (int i = 0; i < rounds; ++i)
        result.push_back(ReaderRound(path, i == 0 ? whileFirstHeld : std::function<void()>()));
    return result;
}

double MedianRate(const std::vector<TReaderRound>& rounds, double fileBytes) {
    std::vector<double> rates;
    for (const TReaderRound& round : rounds)
        rates.push_back(fileBytes / MB / round.Seconds);
    return Median(rates);
}

double FirstRate(const std::vector<TReaderRound>& rounds, double fileBytes) {
    return rounds.empty() ? 0 : fileBytes / MB / rounds.front().Seconds;
}
