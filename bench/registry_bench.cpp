// Costs of the registry layer on the SQLite store, on the disk of the working folder (or
// $QUORVEL_BENCH_DIR). Every write outside a group is a durable commit, so the figures include
// the disk's flush; the group of 100 must cost at most 4 times one such commit.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>

#include "registry/registry.h"
#include "registry/sqlite/sqlite_hive.h"

namespace {

using quorvel::Variant;
using quorvel::registry::REG_SZ;
using quorvel::registry::Registry;
using quorvel::registry::Root;
using quorvel::registry::SqliteHive;

constexpr const char* kKey = "Software\\Quorvel!\\Profiles\\Work\\Mail";

class NoFolders final : public quorvel::registry::SystemFolders {
  public:
    std::optional<std::string> windowsDirectory() const override { return std::nullopt; }
};

// A store in a fresh folder on the benchmark disk, removed afterwards.
class BenchStore {
  public:
    BenchStore() {
        const char* base = std::getenv("QUORVEL_BENCH_DIR");
        std::string pattern = std::string(base != nullptr ? base : ".") + "/quorvel-bench-XXXXXX";
        folder_ = ::mkdtemp(pattern.data());
        hive_ = std::make_unique<SqliteHive>(folder_ + "/registry.db");
        registry_ = std::make_unique<Registry>(*hive_, folders_);
        registry_->CreateKey(kKey, Root::CurrentUser);
        registry_->SetValue(kKey, "Display Name", Variant("Ann Example"), REG_SZ);
    }
    ~BenchStore() {
        registry_.reset();
        hive_.reset();
        std::filesystem::remove_all(folder_);
    }
    Registry& reg() { return *registry_; }

  private:
    std::string folder_;
    NoFolders folders_;
    std::unique_ptr<SqliteHive> hive_;
    std::unique_ptr<Registry> registry_;
};

void GetValue(benchmark::State& state) {
    BenchStore store;
    for (auto _ : state) {
        store.reg().GetValue(kKey, "Display Name");
        benchmark::DoNotOptimize(store.reg().RegValue);
    }
}
BENCHMARK(GetValue);

// The baseline: one durable commit of a single value.
void SetValue(benchmark::State& state) {
    BenchStore store;
    int i = 0;
    for (auto _ : state) {
        store.reg().SetValue(kKey, "Display Name", Variant(std::to_string(++i)), REG_SZ);
    }
}
BENCHMARK(SetValue)->UseRealTime();

void SetValue100Grouped(benchmark::State& state) {
    BenchStore store;
    for (auto _ : state) {
        auto scope = store.reg().BeginTransaction();
        for (int i = 0; i < 100; ++i) {
            store.reg().SetValue(kKey, "Value " + std::to_string(i), Variant(std::to_string(i)),
                                 REG_SZ);
        }
        if (!scope->commit()) {
            state.SkipWithError("commit failed");
        }
    }
}
BENCHMARK(SetValue100Grouped)->UseRealTime();

void SetValue100Separate(benchmark::State& state) {
    BenchStore store;
    for (auto _ : state) {
        for (int i = 0; i < 100; ++i) {
            store.reg().SetValue(kKey, "Value " + std::to_string(i), Variant(std::to_string(i)),
                                 REG_SZ);
        }
    }
}
BENCHMARK(SetValue100Separate)->UseRealTime();

// Collects the real time per iteration of each benchmark to print the ratios at the end.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const auto& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
                seconds_[run.run_name.function_name] =
                    run.real_accumulated_time / static_cast<double>(run.iterations);
            }
        }
    }
    // 0 when the group of 100 stays within its budget of 4 single commits.
    int printRatios() const {
        const auto find = [this](const char* name) {
            const auto it = seconds_.find(name);
            return it == seconds_.end() ? 0.0 : it->second;
        };
        const double single = find("SetValue");
        const double grouped = find("SetValue100Grouped");
        const double separate = find("SetValue100Separate");
        if (single <= 0 || grouped <= 0) {
            return 0;  // filtered out
        }
        const double ratio = grouped / single;
        std::cout << "\n100 values in one group / one durable commit: " << ratio
                  << " (target: at most 4)\n";
        if (separate > 0) {
            std::cout << "100 values one by one / 100 values in one group: " << separate / grouped
                      << "\n";
        }
        return ratio <= 4.0 ? 0 : 1;
    }

  private:
    std::map<std::string, double> seconds_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return reporter.printRatios();
}
