// What one command, hook, message and reload costs in the simulated server, and how that grows
// with the configuration. Each benchmark also reports the host name resolutions and game-heap
// allocations per event, so the plugin's own work can be told from the lookups every access
// makes by design.
#include <benchmark/benchmark.h>

#include <cstring>
#include <iostream>
#include <string>

#include "bench_world.h"

namespace {

using bench::Shape;
using bench::Stage;

// Per-event counters of the host's work.
class Counters {
public:
    explicit Counters(Stage& stage) : stage_(stage), lookups_(stage.Lookups()), allocations_(stage.Allocations()) {}
    void Report(benchmark::State& state) {
        const double events = static_cast<double>(state.iterations());
        state.counters["lookups"] = double(stage_.Lookups() - lookups_) / events;
        state.counters["heap_allocs"] = double(stage_.Allocations() - allocations_) / events;
    }

private:
    Stage& stage_;
    std::uint64_t lookups_;
    std::uint64_t allocations_;
};

// Arguments: "Dinos" entries, permission entries (0: mode off), matching group last (0/1).
Shape ShapeOf(const benchmark::State& state) {
    Shape shape;
    shape.dinos = static_cast<int>(state.range(0));
    shape.permission_entries = static_cast<int>(state.range(1));
    shape.group_matches_last = state.range(2) != 0;
    return shape;
}

void SizeArguments(benchmark::internal::Benchmark* b) {
    b->ArgNames({"dinos", "perms", "last"});
    for (int dinos : {10, 100, 1000, 10000}) b->Args({dinos, 0, 0});
    for (int perms : {1, 10, 100}) {
        b->Args({10, perms, 0});
        b->Args({10, perms, 1});
    }
}

void BM_SpeedCommand(benchmark::State& state) {
    Stage stage(ShapeOf(state));
    stage.Mount();
    Counters counters(stage);
    for (auto _ : state) stage.Chat("/speed");
    counters.Report(state);
}
BENCHMARK(BM_SpeedCommand)->Apply(SizeArguments);

void BM_UnspeedCommand(benchmark::State& state) {
    Stage stage(ShapeOf(state));
    stage.Mount();
    Counters counters(stage);
    for (auto _ : state) stage.Chat("/unspeed");
    counters.Report(state);
}
BENCHMARK(BM_UnspeedCommand)->Apply(SizeArguments);

// The mount hook alone: the dismount that makes the next mount possible is not timed.
void Mount(benchmark::State& state, bool auto_keys) {
    Shape shape = ShapeOf(state);
    shape.auto_keys = auto_keys;
    Stage stage(shape);
    Counters counters(stage);
    for (auto _ : state) {
        stage.Mount();
        state.PauseTiming();
        stage.Dismount();
        stage.server().world().deliveries.clear();
        state.ResumeTiming();
    }
    counters.Report(state);
}
void BM_MountAuto(benchmark::State& state) { Mount(state, true); }
void BM_MountNoAuto(benchmark::State& state) { Mount(state, false); }
BENCHMARK(BM_MountAuto)->Apply(SizeArguments);
BENCHMARK(BM_MountNoAuto)->Apply(SizeArguments);

void Dismount(benchmark::State& state, bool auto_keys) {
    Shape shape = ShapeOf(state);
    shape.auto_keys = auto_keys;
    Stage stage(shape);
    Counters counters(stage);
    for (auto _ : state) {
        state.PauseTiming();
        stage.Mount();
        stage.server().world().deliveries.clear();
        state.ResumeTiming();
        stage.Dismount();
    }
    counters.Report(state);
}
void BM_DismountAuto(benchmark::State& state) { Dismount(state, true); }
void BM_DismountNoAuto(benchmark::State& state) { Dismount(state, false); }
BENCHMARK(BM_DismountAuto)->Apply(SizeArguments);
BENCHMARK(BM_DismountNoAuto)->Apply(SizeArguments);

// "/speed" with each message type; the difference to "none" is the message's own cost.
void BM_SpeedMessage(benchmark::State& state, const char* type) {
    Shape shape;
    shape.message_type = type;
    Stage stage(shape);
    stage.Mount();
    Counters counters(stage);
    for (auto _ : state) stage.Chat("/speed");
    counters.Report(state);
}
BENCHMARK_CAPTURE(BM_SpeedMessage, none, "");
BENCHMARK_CAPTURE(BM_SpeedMessage, notification, "Notification");
BENCHMARK_CAPTURE(BM_SpeedMessage, chat, "Chat");

void BM_ConsoleReload(benchmark::State& state) {
    Shape shape;
    shape.dinos = static_cast<int>(state.range(0));
    Stage stage(shape);
    Counters counters(stage);
    for (auto _ : state) stage.Reload();
    counters.Report(state);
    state.counters["config_bytes"] = static_cast<double>(bench::MakeConfig(shape).size());
}
BENCHMARK(BM_ConsoleReload)->ArgName("dinos")->Arg(10)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// For instruction counts under callgrind: runs exactly COUNT events of one kind and exits.
int RunEvents(const std::string& event, long count, int dinos, int perms) {
    Shape shape;
    shape.dinos = dinos;
    shape.permission_entries = perms;
    Stage stage(shape);
    if (event != "mount" && event != "dismount" && event != "reload") stage.Mount();
    for (long i = 0; i < count; ++i) {
        if (event == "speed") stage.Chat("/speed");
        else if (event == "unspeed") stage.Chat("/unspeed");
        else if (event == "mount") stage.Mount(), stage.Dismount();
        else if (event == "reload") stage.Reload();
        else return 2;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // kestravel_bench --events EVENT COUNT DINOS PERMS: the callgrind driver's mode.
    if (argc == 6 && std::strcmp(argv[1], "--events") == 0) {
        return RunEvents(argv[2], std::atol(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]));
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
