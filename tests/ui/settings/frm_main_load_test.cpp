// Loading a profile and its account profile into the settings window.
#include <QPlainTextEdit>
#include <QRadioButton>

#include "ui/settings/settings_window_fixture.h"

namespace quorvel::testing {
namespace {

using registry::REG_BINARY;
using registry::REG_DWORD;

// One case per conversion route; the conversions' own edge cases are tested without Qt.
TEST_F(SettingsWindow, StoredValuesShowConvertedAndRepairedOnesAreWrittenBack) {
    open();
    struct Case {
        std::string key;
        const char* name;
        std::optional<Variant> stored;  // nullopt: missing
        const char* box;
        const char* shown;
        const char* option;  // the row's check box, if any
        std::optional<Variant> kept;
    };
    const std::string account = accountKey();
    const Case cases[] = {
        {mailKey(), "Poll For Mail", Variant(90000), "txtListMail_1", "1", "chkListMail_1", {}},
        {mailKey(), "Poll For Mail", Variant(0), "txtListMail_1", "", "chkListMail_1", {}},
        {mailKey(), "Indent Char", Variant(62), "txtListMail_2", ">", "chkListMail_2", {}},
        {mailKey(), "MarkPreviewAsRead", Variant(0), "txtListMail_3", "0", "chkListMail_3", {}},
        {newsKey(), "Polling Interval", Variant(30), "txtListNews_1", "30", "chkListNews_1", {}},
        {account, "MaxRecvMessageSizeKB", Variant(0), "txtListServer_1", "", nullptr, {}},
        {account, "RecvTimeout", Variant(900), "txtListServer_3", "30", nullptr, Variant(30)},
        {account, "RecvTimeout", Variant(60), "txtListServer_3", "60", nullptr, Variant(60)},
        {account, "Port", std::nullopt, "txtListServer_4", "110", nullptr, Variant(110)},
    };
    for (const Case& c : cases) {
        if (c.stored) {
            put(c.key, c.name, *c.stored, REG_DWORD);
        }
        window->getProfile();
        const std::string what = std::string(c.name) + " " + (c.stored ? c.stored->text() : "");
        EXPECT_EQ(text(QLatin1String(c.box)), QString::fromUtf8(c.shown)) << what;
        if (c.option != nullptr) {
            EXPECT_EQ(checked(QLatin1String(c.option)), *c.shown != 0) << what;
        }
        if (c.kept) {
            EXPECT_EQ(get(c.key, c.name), *c.kept) << what;
        }
    }
    put(account, "Password", Variant("YWJj"), REG_BINARY);
    window->getAccount();
    EXPECT_EQ(text("txtServer_4"), QStringLiteral("abc"));
}

TEST_F(SettingsWindow, FlagsAndSignatureKindsShowAsStored) {
    put(mailKey(), "Signature Type", Variant(196610), REG_DWORD);
    put(newsKey(), "Signature Type", Variant(65537), REG_DWORD);
    put(accountKey(), "LeaveMailOnServer", Variant(5), REG_DWORD);
    put(accountKey(), "Use Sicily", Variant(-2), REG_DWORD);
    put(newsKey(), "NewsShowReadArticles", Variant(1), REG_DWORD);
    open();
    EXPECT_TRUE(checked("optSigMail_2"));
    EXPECT_TRUE(checked("chkSigMail_0"));
    EXPECT_FALSE(checked("chkSigMail_1"));
    EXPECT_TRUE(checked("optSigNews_1"));
    EXPECT_TRUE(checked("chkSigNews_0"));
    EXPECT_TRUE(checked("chkSigNews_1"));
    EXPECT_TRUE(checked("chkServer_1"));
    EXPECT_FALSE(checked("chkServer_3"));
    EXPECT_TRUE(checked("chkMail_2"));  // "Maximize Mail Window" 1
    EXPECT_TRUE(checked("chkNews_8"));

    // A kind the window does not know selects no signature and leaves the check boxes.
    put(mailKey(), "Signature Type", Variant(7), REG_DWORD);
    window->getProfile();
    EXPECT_TRUE(checked("optSigMail_0"));
    EXPECT_TRUE(checked("chkSigMail_0"));
}

TEST_F(SettingsWindow, ValuesAControlCannotTakeLeaveItAsItWas) {
    put(mailKey(), "Indent Char", Variant(58), REG_DWORD);
    open();
    ASSERT_EQ(text("txtListMail_2"), QStringLiteral(":"));
    put(mailKey(), "Indent Char", Variant(300), REG_DWORD);
    put(mailKey(), "Maximize Mail Window", Variant(7), REG_DWORD);
    put(mailKey(), "Send HTML Messages", Variant("often"));
    window->getProfile();
    EXPECT_EQ(text("txtListMail_2"), QStringLiteral(":"));
    EXPECT_TRUE(checked("chkMail_2"));
    EXPECT_FALSE(checked("chkMail_1"));
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(SettingsWindow, MenusMirrorTheProfileAndMissingDefaultsAreWritten) {
    put(mailKey(), "RAS Phonebook Entry", Variant("Office"));
    put(mailKey("Home"), "Account Profile List", Variant("acct;Work2;|"));
    put(mailKey("Home"), "PollMultiplePopServers", Variant(1), REG_DWORD);
    open();
    // Work: nothing stored, so the defaults are written and shown.
    EXPECT_EQ(get(mailKey(), "Host file name"), Variant("Work.txt"));
    EXPECT_EQ(item("mnuHosts_2")->text(), QStringLiteral("Use \"Work.txt\""));
    EXPECT_EQ(get(mailKey(), "Automake Hosts"), Variant(0));
    EXPECT_TRUE(item("mnuHosts_0")->isChecked());
    EXPECT_FALSE(item("mnuHosts_2")->isChecked());
    EXPECT_EQ(get(mailKey(), "Connection Type"), Variant(1));
    EXPECT_EQ(item("mnuCon_0")->text(), QStringLiteral("I connect manually"));
    EXPECT_EQ(get(mailKey(), "PollMultiplePopServers"), Variant(0));
    EXPECT_EQ(item("mnuAccounts_7")->text(),
              QStringLiteral("Use only default Account Profile (acct)"));
    EXPECT_TRUE(item("mnuProfiles_1")->isChecked());
    EXPECT_FALSE(item("mnuProfiles_0")->isChecked());

    put(mailKey(), "Connection Type", Variant(2), REG_DWORD);
    put(mailKey(), "Automake Hosts", Variant(1), REG_DWORD);
    put(std::string(settings::kProfilesKey) + "\\Work", "Secure Profile", Variant(1), REG_DWORD);
    window->getProfile();
    EXPECT_EQ(item("mnuCon_0")->text(), QStringLiteral("I use \"Office\""));
    EXPECT_TRUE(item("mnuHosts_2")->isChecked());
    EXPECT_FALSE(item("mnuHosts_0")->isChecked());
    EXPECT_TRUE(item("mnuProfiles_0")->isChecked());
    EXPECT_FALSE(item("mnuProfiles_1")->isChecked());

    // Home polls all its account profiles.
    program->context.CurrentProfile = "Home";
    window->getProfile();
    EXPECT_TRUE(item("mnuAccounts_8")->isChecked());
    EXPECT_FALSE(item("mnuAccounts_7")->isChecked());
    EXPECT_TRUE(item("mnuAccounts_6")->isEnabled());
    EXPECT_EQ(item("mnuAccountsList_1")->text(), QStringLiteral("Work2"));
}

TEST_F(SettingsWindow, ALoadedProfileCountsAsUnchanged) {
    open();
    window->mnuWindow_Click(3);
    control<QLineEdit>("txtMail_1")->setText("edited");
    control<QCheckBox>("chkServer_2")->setChecked(true);
    window->getProfile();
    EXPECT_FALSE(program->editor.profileChanged);
    EXPECT_FALSE(program->editor.accountChanged);
    EXPECT_EQ(program->editor.loadedProfile, "Work");
    EXPECT_EQ(program->context.AccountProfile, "acct");
    EXPECT_EQ(window->currentPane, 3);
    EXPECT_TRUE(window->picOtherMail->isVisible());
    EXPECT_FALSE(item("mnuProfileList_0")->isChecked());
    EXPECT_TRUE(item("mnuProfileList_1")->isChecked());
    program->store.ProfileExists();
    EXPECT_TRUE(program->store.ProfileFound);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Quorvel! - Work - Mail - Other"));
}

TEST_F(SettingsWindow, AProtectedProfileNotYetOpenedShowsABlankWindow) {
    makeSecure("Work", "pw");
    open();
    EXPECT_EQ(program->context.CurrentProfile, "");
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Quorvel! - Blank Profile - Mail - Main"));
    for (int i = 1; i <= 7; ++i) {
        EXPECT_TRUE(text(QStringLiteral("txtMail_%1").arg(i)).isEmpty()) << i;
    }
    EXPECT_EQ(program->editor.loadedProfile, "");
    EXPECT_FALSE(program->editor.profileChanged);
    EXPECT_EQ(prompts.passwordDialogs, 0);
}

TEST_F(SettingsWindow, AccountHolderListsTheShownProfilesAccounts) {
    struct Case {
        const char* list;
        std::vector<QString> names;
        bool several;
    };
    const Case cases[] = {
        {"Account1;Work;|", {"Account1", "Work"}, true},
        {"Account1;|", {"Account1"}, false},
        {"Account1", {}, false},
    };
    open();
    for (const Case& c : cases) {
        put(mailKey(), "Account Profile List", Variant(c.list));
        put(mailKey(), "PollMultiplePopServers", Variant(1), REG_DWORD);
        window->getProfile();
        std::vector<QString> names;
        for (const std::string& name : program->editor.AccountNames) {
            names.push_back(QString::fromStdString(name));
        }
        EXPECT_EQ(names, c.names) << c.list;
        if (c.names.empty()) {
            continue;  // a list without names leaves the menu as it was
        }
        for (const char* name :
             {"mnuAccounts_1", "mnuAccounts_6", "mnuAccounts_8", "mnuAccounts_9"}) {
            EXPECT_EQ(item(QLatin1String(name))->isEnabled(), c.several) << c.list << " " << name;
        }
        EXPECT_EQ(get(mailKey(), "PollMultiplePopServers"), Variant(c.several ? 1 : 0)) << c.list;
    }
    EXPECT_EQ(window->accounts->lblDefault->text(),
              QStringLiteral("Default Account Profile is \"acct\""));
    EXPECT_EQ(window->accounts->lbl->text(), QStringLiteral("Account Profiles for \"Work\""));
}

}  // namespace
}  // namespace quorvel::testing
