// quorvel-reg as its own process, as users and scripts run it; many of them writing one store
// at once is the load run's part.
#include <gtest/gtest.h>

#include "support/child_process.h"
#include "support/temp_dir.h"

namespace quorvel::testing {
namespace {

TEST(RegProcesses, AStoreItCannotUseIsRefusedUntouched) {
    TempDir dir;
    const std::string store = dir.file("registry.db");
    WriteBytes(store, std::string(4096, 'x'));
    EXPECT_EQ(RunProgram({QUORVEL_REG_EXE, "add", "HKCU\\K", "/f"}, {{"QUORVEL_REGISTRY", store}}),
              1);
    EXPECT_EQ(ReadBytes(store), std::vector<std::uint8_t>(4096, 'x'));
}

}  // namespace
}  // namespace quorvel::testing
