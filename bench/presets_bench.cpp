// How fast a page's preset selector fills from a large table, and the cost
// of one data text. Run build/bench/presets_bench.
#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>

#include "presets/module_presets.h"
#include "presets/preset_codec.h"
#include "presets/preset_database.h"

using namespace mixer;

namespace {

class StderrNotifier : public Notifier {
public:
    void Show(const std::string& text, const std::string&) override { std::fprintf(stderr, "%s\n", text.c_str()); }
};

class NoName : public NamePrompt {
public:
    std::optional<QString> AskName(const QString&) override { return std::nullopt; }
};

class NoMenu : public PresetMenu {
public:
    int ShowPresetMenu(const PresetMenuIds&) override { return 0; }
};

MixerState SampleState() {
    MixerState s;
    std::memset(&s, 0, sizeof s);
    ClampToRanges(s);
    return s;
}

void BM_FillSelector(benchmark::State& st) {
    QTemporaryDir dir;
    const QString error = CreatePresetDatabase(QStringLiteral(KORVEL_SCHEMA_PATH), dir.filePath(PresetStore::kFileName));
    if (!error.isEmpty()) {
        st.SkipWithError(error.toStdString().c_str());
        return;
    }
    StderrNotifier notifier;
    NoName prompt;
    NoMenu menu;
    MixerState state = SampleState();
    PresetStore store(dir.path(), notifier);
    store.Execute(QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < ?) "
                                 "insert into \"PEQ\" select i, 'Preset ' || i, ? from n"),
                  {static_cast<int>(st.range(0)), QString::fromStdString(EncodePreset(PresetModule::kPeq, state, 0))});
    ModulePresets peq(PresetModule::kPeq, state, store, notifier, prompt, menu);
    for (auto _ : st) {
        peq.Fill();
        benchmark::DoNotOptimize(peq.Entries().size());
    }
    st.SetItemsProcessed(st.iterations() * st.range(0));
}
BENCHMARK(BM_FillSelector)->Arg(10)->Arg(1000)->Unit(benchmark::kMicrosecond);

void BM_PeqTextRoundTrip(benchmark::State& st) {
    MixerState state = SampleState();
    for (auto _ : st) {
        const std::string text = EncodePreset(PresetModule::kPeq, state, 3);
        benchmark::DoNotOptimize(DecodePreset(PresetModule::kPeq, text, state, 3));
    }
}
BENCHMARK(BM_PeqTextRoundTrip);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);  // the database driver is a plugin
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
