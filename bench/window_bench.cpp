// The settings window's cost of showing and saving a profile of 50 account profiles against one
// of a single account profile, on the SQLite store on the disk of the build ($TMPDIR, or the
// working folder). Each measurement loads the profile into the window as the Profiles menu does
// and saves it back as "Save Changes" and the Accounts pane's "Save changes" do; the rounds
// alternate between the two profiles and the medians are compared. The 50-account profile may
// cost at most 3 times the single one.
//
//   window_bench [ROUNDS]     15 rounds by default
//
// The last line is `RATIO settings_window_50_vs_1_accounts <value> <=3`; a round whose work did
// not happen prints FAILED and ends the program with a non-zero status.
#include <unistd.h>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/fake_platform.h"
#include "app/program.h"
#include "platform/local_file_system.h"
#include "registry/sqlite/sqlite_hive.h"
#include "settings/client_keys.h"
#include "support/scripted_prompts.h"
#include "ui/dialogs/frm_accounts.h"
#include "ui/dialogs/frm_profiles.h"
#include "ui/settings/frm_main.h"

namespace {

using quorvel::Variant;
using quorvel::registry::REG_BINARY;
using quorvel::registry::REG_DWORD;
using quorvel::registry::REG_SZ;
using quorvel::registry::Root;
namespace app = quorvel::app;
namespace settings = quorvel::settings;
namespace testing = quorvel::testing;
namespace ui = quorvel::ui;
using Clock = std::chrono::steady_clock;

class NoFolders final : public quorvel::registry::SystemFolders {
  public:
    std::optional<std::string> windowsDirectory() const override { return std::nullopt; }
};

struct Shape {
    std::string name;
    int accounts;
};

// A program over a fresh store in a folder of its own, removed afterwards, with the client
// installed and the profiles of `shapes` stored whole.
class BenchWindow {
  public:
    explicit BenchWindow(const std::vector<Shape>& shapes) {
        const char* base = std::getenv("TMPDIR");
        std::string pattern =
            std::string(base != nullptr && *base != '\0' ? base : ".") + "/quorvel-window-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("no folder for the store under " + pattern);
        }
        folder_ = pattern;
        std::filesystem::create_directory(folder_ + "/windows");
        hive_ = std::make_unique<quorvel::registry::SqliteHive>(folder_ + "/registry.db");
        program_ = std::make_unique<app::Program>(
            *hive_, app::Services{processes_, clientFiles_, files_, clock_, clock_, prompts_,
                                  instance_, folders_});
        program_->store.WinDir = folder_ + "/windows";
        auto scope = reg().BeginTransaction();
        for (const char* key : {"\\Mail", "\\News"}) {
            reg().CreateKey(std::string(settings::kImnKey) + key, Root::CurrentUser);
        }
        reg().CreateKey(std::string(settings::kWabFileKey), Root::CurrentUser);
        std::string list;
        for (const Shape& shape : shapes) {
            addProfile(shape.name, shape.accounts);
            list += shape.name + ";";
        }
        put(std::string(settings::kAppKey), "Profile List", Variant(list + "|"), REG_SZ);
        scope->commit();
    }
    ~BenchWindow() {
        window_.reset();
        holder_.reset();
        program_.reset();
        hive_.reset();
        std::filesystem::remove_all(folder_);
    }
    BenchWindow(const BenchWindow&) = delete;
    BenchWindow& operator=(const BenchWindow&) = delete;

    // The window as the tray opens it: the profile holder first, then the window over it.
    void open() {
        holder_ = std::make_unique<ui::frmProfiles>(*program_, [this] { return window_.get(); });
        window_ = std::make_unique<ui::frmMain>(*program_, *holder_, ui::frmMain::Actions{[] {}});
        window_->Form_Load();
        window_->Form_Activate();
    }

    // Loads `name` into the window as choosing it from the Profiles menu does.
    void load(const std::string& name) {
        program_->context.CurrentProfile = name;
        window_->getProfile();
    }
    // Saves the window into the profile it shows and its account profile into the one it
    // shows, each as the menu command runs it: one store operation apiece.
    bool save() {
        const app::ProfileEdits edits = window_->collectEdits();
        const bool profile = program_->editor.SaveChanges(edits);
        return program_->editor.SaveAccount(edits.account) && profile;
    }

    ui::frmMain& window() { return *window_; }
    app::Program& program() { return *program_; }
    quorvel::registry::Registry& reg() { return program_->reg; }
    int promptsShown() const { return static_cast<int>(prompts_.shown.size()); }

    std::string stored(const std::string& key, const std::string& name) {
        reg().GetValue(key, name);
        return reg().RegValue.text();
    }

  private:
    void put(const std::string& key, const std::string& name, const Variant& value,
             std::uint32_t type) {
        reg().CreateKey(key, Root::CurrentUser);
        reg().SetValue(key, name, value, type);
    }

    // A profile with every catalogued setting filled, and `accounts` account profiles, each
    // with all its values.
    void addProfile(const std::string& name, int accounts) {
        const std::string profile = std::string(settings::kProfilesKey) + "\\" + name;
        const std::string mail = profile + "\\Mail";
        const std::string news = profile + "\\News";
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
                put(key, value, Variant(i + 1), REG_DWORD);
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
    }

    std::string folder_;
    NoFolders folders_;
    testing::FakeProcesses processes_;
    testing::FakeClientFiles clientFiles_;
    quorvel::platform::LocalFileSystem files_;
    testing::FakeClock clock_;
    testing::ScriptedPrompts prompts_;
    testing::FakeInstance instance_;
    std::unique_ptr<quorvel::registry::SqliteHive> hive_;
    std::unique_ptr<app::Program> program_;
    std::unique_ptr<ui::frmProfiles> holder_;
    std::unique_ptr<ui::frmMain> window_;
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

int Fail(const std::string& why) {
    std::cout << "FAILED: " << why << std::endl;
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    QApplication application(argc, argv);

    const std::vector<Shape> shapes{{"One", 1}, {"Fifty", 50}};
    BenchWindow bench(shapes);
    bench.open();
    ui::frmMain& frm = bench.window();

    // Whether the window shows `shape` whole: every account profile in the holder and in the
    // Accounts menu, and its default account profile on the Accounts pane.
    const auto named = [&frm](const QString& name) { return frm.findChild<QObject*>(name); };
    const auto text = [&named](const QString& name) {
        return qobject_cast<QLineEdit*>(named(name))->text().toStdString();
    };
    const auto showsWhole = [&](const Shape& shape) {
        const QString last = QStringLiteral("mnuAccountsList_%1").arg(shape.accounts - 1);
        return frm.findChild<ui::frmAccounts*>("frmAccounts")->lst->count() == shape.accounts &&
               named(QStringLiteral("mnuAccountsList_%1").arg(shape.accounts)) == nullptr &&
               named(last) != nullptr &&
               qobject_cast<QAction*>(named(last))->text().toStdString() ==
                   shape.name + "-account" + std::to_string(shape.accounts - 1) &&
               text("txtServer_1") == "pop0.example" &&
               text("txtMail_1") == shape.name + " Sender Name";
    };

    std::vector<double> seconds[2];
    // One round of warming up, unmeasured: the first load lays out the rows.
    for (int round = -1; round < rounds; ++round) {
        for (std::size_t s = 0; s < shapes.size(); ++s) {
            const Shape& shape = shapes[s];
            const auto started = Clock::now();
            bench.load(shape.name);
            const auto loaded = Clock::now();
            if (!showsWhole(shape)) {
                return Fail("the window does not show the profile " + shape.name + " whole");
            }
            // An edit on each half, so that the save has something of its own to store; the
            // next load puts the seeded values back.
            const std::string sender = "Sender " + std::to_string(round);
            const std::string account = "account" + std::to_string(round);
            qobject_cast<QLineEdit*>(named("txtMail_1"))->setText(QString::fromStdString(sender));
            qobject_cast<QLineEdit*>(named("txtServer_3"))
                ->setText(QString::fromStdString(account));
            const auto edited = Clock::now();
            if (!bench.save()) {
                return Fail("the store did not keep the save of " + shape.name);
            }
            const auto saved = Clock::now();
            const std::string mail =
                std::string(settings::kProfilesKey) + "\\" + shape.name + "\\Mail";
            if (bench.stored(mail, "Sender Name") != sender ||
                bench.stored(mail + "\\" + shape.name + "-account0", "Account") != account) {
                return Fail("the save of " + shape.name + " did not reach the store");
            }
            // Puts the seeded values back, unmeasured, so that every round loads the same.
            {
                auto scope = bench.reg().BeginTransaction();
                bench.reg().SetValue(mail, "Sender Name", Variant(shape.name + " Sender Name"),
                                     REG_SZ);
                bench.reg().SetValue(mail + "\\" + shape.name + "-account0", "Account",
                                     Variant(std::string("ann0")), REG_SZ);
                scope->commit();
            }
            if (round >= 0) {
                seconds[s].push_back(std::chrono::duration<double>(loaded - started).count() +
                                     std::chrono::duration<double>(saved - edited).count());
            }
        }
    }
    if (bench.promptsShown() != 0) {
        return Fail("the window showed " + std::to_string(bench.promptsShown()) + " message boxes");
    }

    const double one = Median(seconds[0]);
    const double fifty = Median(seconds[1]);
    const double ratio = fifty / one;
    std::printf("medians over %d rounds: 1 account profile %.3f ms, 50 account profiles %.3f ms\n",
                rounds, one * 1e3, fifty * 1e3);
    std::printf("50 account profiles / 1 account profile: %.2f (target <= 3)\n", ratio);
    std::printf("RATIO settings_window_50_vs_1_accounts %.2f <=3\n", ratio);
    return 0;
}
