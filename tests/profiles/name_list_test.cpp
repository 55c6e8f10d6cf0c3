#include "profiles/name_list.h"

#include <gtest/gtest.h>

namespace quorvel::testing {
namespace {

using Names = std::vector<std::string>;

TEST(NameList, ReadsTheNamesEachEndedBySemicolon) {
    const struct {
        std::string list;
        Names names;
    } cases[] = {
        {"Profile 1;|", {"Profile 1"}},
        {"Profile 1;Work;|", {"Profile 1", "Work"}},
        {"Home;;Work;|", {"Home", "Work"}},  // empty entries are skipped
        {"Home;Work|", {"Home"}},            // a name without its ";" is not a name
        {";Home;", {"Home"}},
        {"|", {}},
        {"", {}},
        {"Ann Smith;b|c;|", {"Ann Smith", "b|c"}},  // only the text after the last ";" is cut
    };
    for (const auto& c : cases) {
        EXPECT_EQ(profiles::ReadNameList(c.list), c.names) << c.list;
    }
}

TEST(NameList, WritesEveryNameWithItsSemicolonAndTheClosingBar) {
    EXPECT_EQ(profiles::WriteNameList({}), "|");
    EXPECT_EQ(profiles::WriteNameList({"Home", "Work"}), "Home;Work;|");
    const Names names{"Ann Smith", "Mail-Home_2", "Profile 1"};
    EXPECT_EQ(profiles::ReadNameList(profiles::WriteNameList(names)), names);
}

}  // namespace
}  // namespace quorvel::testing
