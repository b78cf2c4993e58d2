// Prints how long a header takes to read its sections from the binary "Data" stream, to assign
// them to another header and to link their parents, for growing numbers of sections, in two
// shapes: groups of ten under an expandable leader, and one chain where each section is the
// parent of the next. The headers have no window; with --shown the reading header lies on a
// shown form, so that its redraws count (this needs a display), and the first paint after the
// read is timed too.
// Usage: bench_header_stream [--shown] [counts...]  (default 1000 2000 4000 8000 10000)
#include "bench_reporting.h"
#include "bench_timing.h"
#include "qztree/header/header.h"
#include "rtl/streams.h"
#include "vcl/core/application.h"
#include "vcl/core/forms.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr double GoalSeconds = 0.1;
constexpr int GoalCount = 10000;

void PutInt(std::array<uint8_t, 140>& record, int offset, int value) {
    std::memcpy(&record[size_t(offset)], &value, 4);
}

// The current form of the stream, written by hand so that the figures do not depend on how
// fast the header builds its own sections.
void WriteSections(TMemoryStream& stream, int count, bool chain) {
    stream.WriteInt32(-12);
    stream.WriteInt32(count);
    for (int i = 0; i < count; ++i) {
        std::array<uint8_t, 140> r{};
        int parent = chain ? i - 1 : (i % 10 == 0 ? -1 : i - i % 10);
        PutInt(r, 8, parent);
        r[12] = r[13] = parent == -1 || chain; // expandable, expanded
        r[14] = r[15] = r[16] = 1;             // visible, click select, resizable
        PutInt(r, 20, 60);
        PutInt(r, 28, 10000);
        r[33] = 1;
        PutInt(r, 36, i + 1);
        PutInt(r, 40, i);
        PutInt(r, 48, -1);
        r[54] = 1;
        stream.WriteBuffer(r.data(), int(r.size()));
        std::string text = "Column " + std::to_string(i);
        stream.WriteInt32(int32_t(text.size() + 1));
        stream.WriteBuffer(text.c_str(), int(text.size() + 1));
        stream.WriteInt32(1);
        stream.WriteBuffer("", 1);
        stream.WriteInt32(0);
        stream.WriteInt32(0);
    }
    stream.SetPosition(0);
}

int Linked(const TQZHeaderSections& sections) {
    int linked = 0;
    for (int i = 0; i < sections.Count(); ++i)
        linked += sections.ItemByPos(i)->ParentSection() != nullptr;
    return linked;
}

int Run(const std::vector<int>& counts, bool shown) {
    if (shown)
        Application->Initialize();
    bool met = true, measured = false;
    std::printf("%-8s %-7s %10s %10s %8s %10s\n", "sections", "shape", "read ms", "assign ms",
                "linked", shown ? "paint ms" : "");
    for (int count : counts)
        for (bool chain : {false, true}) {
            TMemoryStream stream;
            WriteSections(stream, count, chain);
            TOwnedPtr<TForm> form;
            TQZHeader source(nullptr), copy(nullptr);
            if (shown) {
                form.reset(CreateComponent<TForm>(nullptr));
                form->SetBounds(0, 0, 800, 200);
                source.SetParent(form.get());
                form->Show();
                source.Update();
            }
            double read = SecondsOf([&] { source.Sections()->ReadData(stream); });
            double paint = SecondsOf([&] { source.Update(); });
            double assign = SecondsOf([&] { copy.SetSections(source.Sections()); });
            int linked = Linked(*copy.Sections());
            std::printf("%-8d %-7s %10.1f %10.1f %8d", count, chain ? "chain" : "groups",
                        read * 1000, assign * 1000, linked);
            if (shown)
                std::printf(" %10.1f", paint * 1000);
            std::printf("\n");
            if (count >= GoalCount) {
                measured = true;
                met = met && read < GoalSeconds && assign < GoalSeconds;
            }
        }
    if (shown)
        std::printf("(the reading header was shown)\n");
    std::printf("goal: %d sections read and assigned under %.0f ms each: %s\n", GoalCount,
                GoalSeconds * 1000,
                !measured ? "not measured"
                : met     ? "met"
                          : "NOT met");
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<int> counts;
    bool shown = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--shown") == 0)
            shown = true;
        else
            counts.push_back(std::atoi(argv[i]));
    }
    if (counts.empty())
        counts = {1000, 2000, 4000, 8000, 10000};
    return RunReporting([&] { return Run(counts, shown); });
}
