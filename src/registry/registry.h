#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "registry/hive.h"
#include "registry/system_folders.h"
#include "registry/value_types.h"
#include "registry/variant.h"

namespace quorvel::registry {

// The only road to the registry. Reads leave their result in RegValue (callers copy it out at
// once); writes take their data from a Variant and convert it to the value's type. Failures are
// not reported upward except through the status results, which callers are free to ignore: a
// failed read leaves RegValue "", a failed write changes nothing.
class Registry {
  public:
    static constexpr std::size_t kBinaryBufferSize = 256;

    Registry(Hive& hive, const SystemFolders& folders) : hive_(hive), folders_(folders) {}

    Variant RegValue;
    // Filled by GetSubKeys: k names at 0..k-1 and one spare element after them.
    std::vector<std::string> SubKeyNames;

    // Creates the key with any missing parents, or leaves an existing one unchanged.
    bool CreateKey(std::string_view path, Root hive);
    // RegValue becomes "" and then, on success, the value read.
    void GetValue(std::string_view path, std::string_view name, Root hive = Root::CurrentUser);
    long QueryValue(OpenKey* key, std::string_view name, Variant& value);
    // Writes into an existing key only; a missing key leaves the registry unchanged.
    long SetValue(std::string_view path, std::string_view name, const Variant& value,
                  std::uint32_t type, Root hive = Root::CurrentUser);
    long StoreValue(OpenKey* key, std::string_view name, std::uint32_t type, const Variant& value);
    // Deletes the named subkey of `parent` with everything below it.
    long DeleteKey(std::string_view parent, std::string_view name);
    void GetSubKeys(std::string_view path);
    std::string GetWinDir() const;

    // One user-level operation: all its writes are stored together or not at all.
    std::unique_ptr<WriteScope> BeginTransaction() { return hive_.beginWrite(); }
    // A transaction whose loss in a crash does no harm: its commit need not reach the disk
    // before it returns.
    std::unique_ptr<WriteScope> BeginLightTransaction() { return hive_.beginLightWrite(); }
    // Undoes the writes of the transaction that is open, for a process that ends before its
    // operation could finish; the open scopes then store nothing.
    void AbandonTransactions() { hive_.abandonWrites(); }
    Hive& hive() { return hive_; }

  private:
    Hive& hive_;
    const SystemFolders& folders_;
    std::array<std::uint8_t, kBinaryBufferSize> binaryBuffer_{};
};

// The text up to its first NUL character; the whole text when it has none.
std::string StripNull(std::string_view text);

// The hex text a REG_BINARY read gives for these bytes (see QueryValue).
std::string BinaryReadText(std::span<const std::uint8_t> buffer, std::size_t storedSize);

}  // namespace quorvel::registry
