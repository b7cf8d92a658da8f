// Throughput of the receive path: the splitter, the full-state reply parser
// and the meter report parser. Run build/bench/link_bench.
#include <benchmark/benchmark.h>

#include <cstring>

#include "link/meter_report.h"
#include "link/state_reply.h"
#include "link/wire_format.h"

using namespace mixer;

namespace {

MixerState SampleState() {
    MixerState s;
    std::memset(&s, 0, sizeof s);
    for (int i = 0; i < kStripCount; ++i) {
        s.strips[i].level = i * 3;
        s.strips[i].meter = i * 10;
        s.strips[i].peqBands[0].freq = 1000;
    }
    ClampToRanges(s);
    return s;
}

void BM_SplitFramesReply(benchmark::State& st) {
    const std::string reply = BuildStateReply(SampleState(), "12");
    std::vector<std::string> out;
    for (auto _ : st) {
        std::string residue;
        out.clear();
        for (std::size_t i = 0; i < reply.size(); i += kMaxDatagram)
            SplitFrames(residue, std::string_view(reply).substr(i, kMaxDatagram), out);
        benchmark::DoNotOptimize(out.data());
    }
    st.SetBytesProcessed(static_cast<int64_t>(st.iterations() * reply.size()));
    st.SetItemsProcessed(st.iterations());
}
BENCHMARK(BM_SplitFramesReply);

void BM_SplitFramesMeterDatagrams(benchmark::State& st) {
    const std::string report = BuildMeterReport(SampleState());
    std::vector<std::string> out;
    std::string residue;
    for (auto _ : st) {
        out.clear();
        SplitFrames(residue, report, out);
        benchmark::DoNotOptimize(out.data());
    }
    st.SetBytesProcessed(static_cast<int64_t>(st.iterations() * report.size()));
    st.SetItemsProcessed(st.iterations());
}
BENCHMARK(BM_SplitFramesMeterDatagrams);

void BM_ParseStateReply(benchmark::State& st) {
    const std::string reply = BuildStateReply(SampleState(), "12");
    MixerState s = SampleState();
    std::string version;
    for (auto _ : st) benchmark::DoNotOptimize(ParseStateReply(reply, s, version));
    st.SetBytesProcessed(static_cast<int64_t>(st.iterations() * reply.size()));
    st.SetItemsProcessed(st.iterations());
}
BENCHMARK(BM_ParseStateReply);

void BM_ParseMeterReport(benchmark::State& st) {
    const std::string report = BuildMeterReport(SampleState());
    MixerState s = SampleState();
    for (auto _ : st) benchmark::DoNotOptimize(ParseMeterReport(report, s));
    st.SetBytesProcessed(static_cast<int64_t>(st.iterations() * report.size()));
    st.SetItemsProcessed(st.iterations());
}
BENCHMARK(BM_ParseMeterReport);

}  // namespace
