// How quorvel-standin picks its role from its name and arguments.
#include "invocation.h"

#include <gtest/gtest.h>

namespace quorvel::standin {
namespace {

using Role = Invocation::Role;

struct RoleCase {
    const char* name;
    std::string argv0;
    std::vector<std::string> args;
    Role role;
};

class InvocationRole : public ::testing::TestWithParam<RoleCase> {};

TEST_P(InvocationRole, IsChosenByNameAndFirstArgument) {
    const RoleCase& c = GetParam();
    const Invocation invocation = ParseInvocation(c.argv0, c.args);
    EXPECT_EQ(invocation.role, c.role) << invocation.error;
    EXPECT_EQ(invocation.error.empty(), c.role != Role::Invalid);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InvocationRole,
    ::testing::Values(
        RoleCase{"ExplorerByName", "/w/EXPLORER.EXE", {"/root,/w/x"}, Role::Explorer},
        RoleCase{"ExplorerByNameAnyCase", "Explorer.exe", {"/root,/w/x"}, Role::Explorer},
        // Under the Explorer's name even the role words are the Explorer's arguments.
        RoleCase{"ExplorerNameWinsOverWords", "EXPLORER.EXE", {"install"}, Role::Explorer},
        RoleCase{"ExplorerByWord", "quorvel-standin", {"explorer", "/root,/x"}, Role::Explorer},
        RoleCase{"ExplorerByRootSwitch", "quorvel-standin", {"/ROOT,/x"}, Role::Explorer},
        RoleCase{"Install", "quorvel-standin", {"install"}, Role::Install},
        RoleCase{"InstallDemo", "quorvel-standin", {"install", "--demo"}, Role::Install},
        RoleCase{"InstallUnknownOption", "quorvel-standin", {"install", "--dmeo"}, Role::Invalid},
        RoleCase{"ClientMail", "quorvel-standin", {"client", "mail"}, Role::Client},
        RoleCase{"ClientNewsWithRoot",
                 "quorvel-standin",
                 {"client", "news", "--root", "/j"},
                 Role::Client},
        RoleCase{"ClientWithoutKind", "quorvel-standin", {"client"}, Role::Invalid},
        RoleCase{"ClientUnknownKind", "quorvel-standin", {"client", "fax"}, Role::Invalid},
        RoleCase{"ClientRootWithoutPath",
                 "quorvel-standin",
                 {"client", "mail", "--root"},
                 Role::Invalid},
        RoleCase{"Help", "quorvel-standin", {"--help"}, Role::Help},
        RoleCase{"Nothing", "quorvel-standin", {}, Role::Invalid},
        RoleCase{"UnknownWord", "quorvel-standin", {"uninstall"}, Role::Invalid}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(Invocation, CarriesTheRoleDetails) {
    EXPECT_TRUE(ParseInvocation("quorvel-standin", {"install", "--demo"}).demo);
    EXPECT_FALSE(ParseInvocation("quorvel-standin", {"install"}).demo);

    const Invocation client =
        ParseInvocation("quorvel-standin", {"client", "NEWS", "--root", "/w/News---A.{x}"});
    EXPECT_EQ(client.client, ClientKind::News);
    EXPECT_EQ(client.root, "/w/News---A.{x}");

    // The explorer word itself is not one of the Explorer's arguments; the name is never one.
    EXPECT_EQ(ParseInvocation("quorvel-standin", {"explorer", "/root,/a"}).explorerArgs,
              std::vector<std::string>{"/root,/a"});
    EXPECT_EQ(ParseInvocation("/w/EXPLORER.EXE", {"/root,/a", "b"}).explorerArgs,
              (std::vector<std::string>{"/root,/a", "b"}));
}

}  // namespace
}  // namespace quorvel::standin
