#pragma once

#include "reg_arguments.h"
#include "reg_tool.h"

namespace quorvel::regtool {

// A command that cannot be carried out; the text goes after "ERROR: ".
struct CommandError {
    std::string message;
};

inline constexpr const char* kDone = "The operation completed successfully.";
inline constexpr const char* kNotFound =
    "The system was unable to find the specified registry key or value.";

int Query(const Switches& switches, registry::Hive& hive, Console& console);
int Add(const Switches& switches, registry::Hive& hive, Console& console);
int Delete(const Switches& switches, registry::Hive& hive, Console& console);
int Import(const Switches& switches, registry::Hive& hive, Console& console);
int Export(const Switches& switches, registry::Hive& hive, Console& console);

// The key named by the first positional argument; throws UsageError when it is missing or bad.
KeyName RequireKey(const Switches& switches, std::size_t count);
// The key with every part of its path in the case the store keeps; unchanged when missing.
KeyName StoredCase(registry::Hive& hive, const KeyName& key);
// Asks a Yes/No question on the console; only an answer starting with Y or y is a yes.
bool Confirm(Console& console, const std::string& question);

}  // namespace quorvel::regtool
