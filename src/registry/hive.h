#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "registry/value_types.h"

namespace quorvel::registry {

// One value as a key lists it: name, type code and raw bytes.
struct RawValue {
    std::string name;
    std::uint32_t type = REG_NONE;
    std::vector<std::uint8_t> data;
};

// An open key. It is closed when the object goes away; every call on a key that has been
// deleted in the meantime fails with ERROR_KEY_DELETED.
class OpenKey {
  public:
    virtual ~OpenKey() = default;
    OpenKey() = default;
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

    // RegQueryValueEx: with an empty `data` only the type and the size are reported. When `data`
    // is too small the call fails with ERROR_MORE_DATA and `size` tells the size needed. `size`
    // is always the stored byte count on success.
    virtual long queryValue(std::string_view name, std::uint32_t& type,
                            std::span<std::uint8_t> data, std::uint32_t& size) = 0;
    // RegSetValueEx: creates or replaces the value; a replaced value keeps its place and the case
    // of its name.
    virtual long setValue(std::string_view name, std::uint32_t type,
                          std::span<const std::uint8_t> data) = 0;
    virtual long deleteValue(std::string_view name) = 0;
    // Deletes the named direct subkey with everything below it; ERROR_FILE_NOT_FOUND when there
    // is no such subkey.
    virtual long deleteSubKeyTree(std::string_view name) = 0;
    // The direct subkeys, sorted without regard to case, as Windows enumerates them.
    virtual long subKeyNames(std::vector<std::string>& names) = 0;
    // The values in the order they were created.
    virtual long values(std::vector<RawValue>& values) = 0;
};

// Groups writes into one transaction: commit() makes all of them durable at once; a scope that
// ends without commit() undoes them. Scopes nest: only the outermost one commits, and an inner
// scope that ends without commit() makes the outer commit fail and undo everything.
class WriteScope {
  public:
    virtual ~WriteScope() = default;
    WriteScope() = default;
    WriteScope(const WriteScope&) = delete;
    WriteScope& operator=(const WriteScope&) = delete;
    // True when the writes are stored (or, in an inner scope, handed on to the outer one).
    virtual bool commit() = 0;
};

// A registry backend: the SQLite store on Linux, the Windows registry on Windows.
class Hive {
  public:
    virtual ~Hive() = default;
    Hive() = default;
    Hive(const Hive&) = delete;
    Hive& operator=(const Hive&) = delete;

    // Opens an existing key by backslash path ("" is the root itself); nullptr when it is missing
    // or the path is invalid.
    virtual std::unique_ptr<OpenKey> openKey(Root root, std::string_view path) = 0;
    // Opens the key, creating it and any missing parents first; nullptr on failure.
    virtual std::unique_ptr<OpenKey> createKey(Root root, std::string_view path) = 0;
    virtual std::unique_ptr<WriteScope> beginWrite() = 0;
    // A transaction whose commit may reach the disk later: a crash may undo it, never part of
    // it. Backends that make every commit durable anyway need not do anything else.
    virtual std::unique_ptr<WriteScope> beginLightWrite() { return beginWrite(); }
    // Whether a write transaction is open, so that nothing waits for the user meanwhile.
    virtual bool writing() const { return false; }
    // Undoes the open transaction at once, whatever its scopes; they commit nothing afterwards.
    // A backend without transactions has nothing to undo.
    virtual void abandonWrites() {}
};

}  // namespace quorvel::registry
