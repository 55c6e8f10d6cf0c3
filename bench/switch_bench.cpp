// Costs of a profile switch on the SQLite store, on the disk of the working folder (or
// $QUORVEL_BENCH_DIR), against one durable single-value write. Every iteration is a real switch:
// it alternates between two profiles of the same shape. A switch of one account must cost at
// most 6 single writes; a switch of 200 account profiles polled together (with its hosts file)
// at most 40 switches of one account.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/local_file_system.h"
#include "profiles/core.h"
#include "registry/registry.h"
#include "registry/sqlite/sqlite_hive.h"
#include "settings/client_keys.h"

namespace {

using quorvel::Variant;
using quorvel::registry::REG_BINARY;
using quorvel::registry::REG_DWORD;
using quorvel::registry::REG_SZ;
using quorvel::registry::Registry;
using quorvel::registry::Root;
using quorvel::registry::SqliteHive;
namespace profiles = quorvel::profiles;
namespace settings = quorvel::settings;

const std::string kClientKey(settings::kImnKey);

class NoFolders final : public quorvel::registry::SystemFolders {
  public:
    std::optional<std::string> windowsDirectory() const override { return std::nullopt; }
};

// Counts the boxes a switch shows; a benchmarked switch must show none.
class CountingPrompts final : public profiles::Prompts {
  public:
    int shown = 0;
    profiles::Answer MsgBox(std::string_view, profiles::Buttons, profiles::Icon,
                            std::string_view) override {
        ++shown;
        return profiles::Answer::Ok;
    }
};

// A store and a Windows directory in a fresh folder on the benchmark disk, removed afterwards,
// with the client's keys and the program's layers over them.
class BenchSwitch {
  public:
    BenchSwitch() {
        const char* base = std::getenv("QUORVEL_BENCH_DIR");
        std::string pattern = std::string(base != nullptr ? base : ".") + "/quorvel-bench-XXXXXX";
        folder_ = ::mkdtemp(pattern.data());
        std::filesystem::create_directory(folder_ + "/windows");
        hive_ = std::make_unique<SqliteHive>(folder_ + "/registry.db");
        core_ = std::make_unique<profiles::Core>(*hive_, folders_, pump_, prompts_, files_);
        core_->store.WinDir = folder_ + "/windows";
        auto scope = core_->reg.BeginTransaction();
        put(kClientKey, "Current Profile", Variant(""), REG_SZ);
        put(kClientKey + "\\Mail", "Sender Name", Variant("Ann"), REG_SZ);
        put(kClientKey + "\\News", "Sender Name", Variant("Ann"), REG_SZ);
        put(std::string(settings::kWabFileKey), "", Variant("ann.wab"), REG_SZ);
        scope->commit();
    }
    ~BenchSwitch() {
        core_.reset();
        hive_.reset();
        std::filesystem::remove_all(folder_);
    }

    // A profile with every catalogued setting filled, and `accounts` account profiles.
    void addProfile(const std::string& name, int accounts) {
        const std::string profile = std::string(settings::kProfilesKey) + "\\" + name;
        const std::string mail = profile + "\\Mail";
        const std::string news = profile + "\\News";
        auto scope = core_->reg.BeginTransaction();
        for (const char* value :
             {"Sender Name", "Sender EMail", "Reply to", "Sender Organization", "Store Root",
              "LastFolder", "WAB", "Signature Text", "Signature File", "RAS Phonebook Entry"}) {
            put(mail, value, Variant(name + " " + value), REG_SZ);
        }
        for (const char* value :
             {"Signature Type", "Send HTML Messages", "Maximize Mail Window", "PlaySoundOnNewMail",
              "Delete Wastebasket On Exit", "Include Reply Msg", "Send Mail Immediately",
              "Poll For Mail", "Indent Char", "MarkPreviewAsRead", "Connection Type"}) {
            put(mail, value, Variant(1), REG_DWORD);
        }
        put(mail, "PollMultiplePopServers", Variant(accounts > 1 ? 1 : 0), REG_DWORD);
        std::string list;
        for (int i = 0; i < accounts; ++i) {
            const std::string account = name + "-account" + std::to_string(i);
            const std::string key = mail + "\\" + account;
            list += account + ";";
            put(key, "Default POP3 Server", Variant("pop" + std::to_string(i) + ".example"),
                REG_SZ);
            put(key, "IP Address",
                Variant("10.0." + std::to_string(i / 250) + "." + std::to_string(i % 250 + 1)),
                REG_SZ);
            put(key, "Account", Variant("ann" + std::to_string(i)), REG_SZ);
            put(key, "Password", Variant("c2VjcmV0"), REG_BINARY);
            put(key, "Default SMTP Server", Variant("smtp.example"), REG_SZ);
            for (const char* value :
                 {"LeaveMailOnServer", "RemoveOnClientDelete", "Use Sicily", "MaxRecvMessageSizeKB",
                  "ExpireDays", "DownloadMax", "RemoveExpire", "RecvTimeout", "Port"}) {
                put(key, value, Variant(i), REG_DWORD);
            }
            if (i == 0) {
                put(mail, "Default Account Profile", Variant(account), REG_SZ);
            }
        }
        put(mail, "Account Profile List", Variant(list + "|"), REG_SZ);
        for (const char* value :
             {"Sender Name", "Sender EMail", "Reply to", "Sender Organization", "DefaultServer",
              "Last Group", "Signature Text", "Signature File"}) {
            put(news, value, Variant(name + " " + value), REG_SZ);
        }
        for (const char* value :
             {"Signature Type", "Auto Expand Threads", "Mark Read on Exit", "Maximize News Window",
              "Send HTML Messages", "New group notification", "SaveInSentItems",
              "Include Reply Msg", "NewsShowReadArticles", "Polling Interval", "Indent Char",
              "MarkPreviewAsRead", "Download at a time", "Cache Delete Message Days"}) {
            put(news, value, Variant(1), REG_DWORD);
        }
        scope->commit();
    }

    // Applies `profile` as the user's choice would: never skipped, as the client was last
    // given the other one.
    bool switchTo(const std::string& profile) {
        core_->context.CurrentProfile = profile;
        return core_->applier.ApplyProfile() && prompts_.shown == 0;
    }

    // Whether the client's keys and the hosts file hold `profile` with its `accounts` servers:
    // a switch that wrote nothing is not fast.
    bool holds(const std::string& profile, int accounts) {
        core_->reg.GetValue(kClientKey + "\\Mail", "Sender Name");
        if (core_->reg.RegValue.text() != profile + " Sender Name") {
            return false;
        }
        std::vector<std::string> servers;
        const auto pop3 = hive_->openKey(Root::CurrentUser, kClientKey + "\\Mail\\POP3");
        if (!pop3 || pop3->subKeyNames(servers) != quorvel::registry::ERROR_SUCCESS ||
            servers.size() != static_cast<std::size_t>(accounts)) {
            return false;
        }
        if (accounts == 1) {
            return true;
        }
        std::ifstream hosts(folder_ + "/windows/hosts");
        const auto lines = std::count(std::istreambuf_iterator<char>(hosts),
                                      std::istreambuf_iterator<char>(), '\n');
        return lines == accounts + 2;
    }

    Registry& reg() { return core_->reg; }

  private:
    void put(const std::string& key, const std::string& name, const Variant& value,
             std::uint32_t type) {
        core_->reg.CreateKey(key, Root::CurrentUser);
        core_->reg.SetValue(key, name, value, type);
    }

    std::string folder_;
    NoFolders folders_;
    std::unique_ptr<SqliteHive> hive_;
    settings::NoEventPump pump_;
    CountingPrompts prompts_;
    quorvel::platform::LocalFileSystem files_;
    std::unique_ptr<profiles::Core> core_;
};

void Switch(benchmark::State& state, int accounts) {
    BenchSwitch bench;
    bench.addProfile("Home", accounts);
    bench.addProfile("Work", accounts);
    bool work = false;
    for (auto _ : state) {
        work = !work;
        if (!bench.switchTo(work ? "Work" : "Home")) {
            state.SkipWithError("the switch failed");
            return;
        }
    }
    if (!bench.holds(work ? "Work" : "Home", accounts)) {
        state.SkipWithError("the client's keys do not hold the profile switched to");
    }
}

void SwitchOneAccount(benchmark::State& state) {
    Switch(state, 1);
}
BENCHMARK(SwitchOneAccount)->UseRealTime();

void Switch200Accounts(benchmark::State& state) {
    Switch(state, 200);
}
BENCHMARK(Switch200Accounts)->UseRealTime()->Unit(benchmark::kMillisecond);

// The baseline: one durable commit of a single value.
void SetValue(benchmark::State& state) {
    BenchSwitch bench;
    const std::string key = kClientKey + "\\Mail";
    int i = 0;
    for (auto _ : state) {
        bench.reg().SetValue(key, "Sender Name", Variant(std::to_string(++i)), REG_SZ);
    }
    bench.reg().GetValue(key, "Sender Name");
    if (bench.reg().RegValue.text() != std::to_string(i)) {
        state.SkipWithError("the value was not written");
    }
}
BENCHMARK(SetValue)->UseRealTime();

// Keeps the median real time per iteration of each benchmark, to print the ratios at the end.
// The repetitions of the three benchmarks are interleaved, so that a disk whose flush time
// drifts during the run weighs on all three alike.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const auto& run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
            if ((median || single) && !run.error_occurred) {
                seconds_[run.run_name.function_name] =
                    run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            }
        }
    }
    // 0 when both switches stay within their budgets.
    int printRatios() const {
        const auto median = [this](const char* name) {
            const auto it = seconds_.find(name);
            return it == seconds_.end() ? 0.0 : it->second;
        };
        const double single = median("SetValue");
        const double one = median("SwitchOneAccount");
        const double many = median("Switch200Accounts");
        int missed = 0;
        std::cout << "\nmedians: one durable write " << single * 1e3 << " ms, switch of 1 account "
                  << one * 1e3 << " ms, of 200 accounts " << many * 1e3 << " ms\n";
        if (one > 0 && many > 0) {
            const double ratio = many / one;
            std::cout << "200 accounts / 1 account: " << ratio << " (target: at most 40)\n";
            missed += ratio <= 40.0 ? 0 : 1;
        }
        if (one > 0 && single > 0) {
            const double ratio = one / single;
            std::cout << "1-account switch / one durable write: " << ratio
                      << " (target: at most 6)\n";
            missed += ratio <= 6.0 ? 0 : 1;
        }
        return missed == 0 ? 0 : 1;
    }

  private:
    std::map<std::string, double> seconds_;
};

}  // namespace

int main(int argc, char** argv) {
    // Interleaved repetitions unless the command line asks otherwise.
    std::vector<char*> args(argv, argv + argc);
    std::string repetitions = "--benchmark_repetitions=5";
    std::string interleaving = "--benchmark_enable_random_interleaving=true";
    std::string aggregates = "--benchmark_display_aggregates_only=true";
    const auto given = [&](std::string_view flag) {
        return std::any_of(args.begin(), args.end(), [&](const char* arg) {
            return std::string_view(arg).starts_with(flag.substr(0, flag.find('=')));
        });
    };
    for (std::string* flag : {&repetitions, &interleaving, &aggregates}) {
        if (!given(*flag)) {
            args.push_back(flag->data());
        }
    }
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return reporter.printRatios();
}
