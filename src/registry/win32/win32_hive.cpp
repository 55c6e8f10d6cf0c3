#include "registry/win32/win32_hive.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "registry/names.h"
#include "registry/store_error.h"

namespace quorvel::registry {
namespace {

// The ANSI functions take NUL-terminated text: a name with a NUL inside would silently name
// something shorter, so it names nothing.
std::optional<std::string> CText(std::string_view text) {
    if (text.find('\0') != std::string_view::npos) {
        return std::nullopt;
    }
    return std::string(text);
}

// A key path checked against the layer's own rule first: a doubled backslash or a part longer
// than 255 characters names no key on any backend, whatever the registry below would make of
// it (Wine's registry skips the empty part and takes longer names).
std::optional<std::string> KeyPath(std::string_view path) {
    if (!SplitKeyPath(path)) {
        return std::nullopt;
    }
    return CText(path);
}

// Keys open for reading alone, so that a key the user may read but not change (most of
// HKEY_LOCAL_MACHINE) can be read; a write asks for write access when it comes.
constexpr REGSAM kReadAccess = KEY_READ;
constexpr REGSAM kWriteAccess = KEY_READ | KEY_WRITE | DELETE;

long Open(HKEY parent, const std::string& path, HKEY& key, REGSAM access = kReadAccess) {
    return RegOpenKeyExA(parent, path.c_str(), 0, access, &key);
}

long Create(HKEY parent, const std::string& path, HKEY& key) {
    return RegCreateKeyExA(parent, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, kWriteAccess,
                           nullptr, &key, nullptr);
}

// A UTF-16 code unit of a name can take up to three bytes in the ANSI code page (UTF-8), and
// the lengths RegQueryInfoKeyA reports do not always allow for that.
DWORD AnsiCapacity(DWORD units) {
    return 3 * units + 1;
}

// The name of the direct subkey at `index`, or the enumeration's error (ERROR_NO_MORE_ITEMS
// past the last one).
long EnumerateSubKey(HKEY key, DWORD index, std::string& name) {
    DWORD longest = 0;
    if (const long status = RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, &longest,
                                             nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
        status != ERROR_SUCCESS) {
        return status;
    }
    std::vector<char> buffer(AnsiCapacity(std::max<DWORD>(longest, MAX_PATH)));
    for (;;) {
        DWORD length = static_cast<DWORD>(buffer.size());
        const long status =
            RegEnumKeyExA(key, index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_MORE_DATA) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        if (status == ERROR_SUCCESS) {
            name.assign(buffer.data(), length);
        }
        return status;
    }
}

// RegDeleteKeyA refuses a key that still has subkeys, so the subtree goes deepest first.
long DeleteTree(HKEY parent, const std::string& name) {
    HKEY key = nullptr;
    if (const long status = Open(parent, name, key, kWriteAccess); status != ERROR_SUCCESS) {
        return status;
    }
    long status = ERROR_SUCCESS;
    std::string child;
    // Always the first subkey: each one deleted moves the next one to the front.
    while ((status = EnumerateSubKey(key, 0, child)) == ERROR_SUCCESS) {
        if ((status = DeleteTree(key, child)) != ERROR_SUCCESS) {
            break;
        }
    }
    RegCloseKey(key);
    if (status != ERROR_NO_MORE_ITEMS) {
        return status;
    }
    return RegDeleteKeyA(parent, name.c_str());
}

class Win32Key final : public OpenKey {
  public:
    // `key` open for reading, or for writing too when `writable`.
    Win32Key(HKEY key, bool writable) : key_(key), writable_(writable ? key : nullptr) {}
    ~Win32Key() override {
        if (writable_ != nullptr && writable_ != key_) {
            RegCloseKey(writable_);
        }
        RegCloseKey(key_);
    }

    long queryValue(std::string_view name, std::uint32_t& type, std::span<std::uint8_t> data,
                    std::uint32_t& size) override {
        const auto text = CText(name);
        if (!text) {
            return ERROR_FILE_NOT_FOUND;
        }
        DWORD foundType = 0;
        DWORD length = static_cast<DWORD>(data.size());
        const long status = RegQueryValueExA(key_, text->c_str(), nullptr, &foundType,
                                             data.empty() ? nullptr : data.data(), &length);
        if (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
            type = foundType;
            size = length;
        }
        return status;
    }

    long setValue(std::string_view name, std::uint32_t type,
                  std::span<const std::uint8_t> data) override {
        const auto text = CText(name);
        if (!text) {
            return ERROR_INVALID_PARAMETER;
        }
        // Text handed over without its terminating NUL gets one added when the byte after it
        // happens to be 0, so the byte after it is ours and never 0: the value stores exactly
        // what it was given.
        std::vector<std::uint8_t> bytes(data.begin(), data.end());
        bytes.push_back(1);
        HKEY key = nullptr;
        if (const long status = forWriting(key); status != ERROR_SUCCESS) {
            return status;
        }
        return RegSetValueExA(key, text->c_str(), 0, type, bytes.data(),
                              static_cast<DWORD>(data.size()));
    }

    long deleteValue(std::string_view name) override {
        const auto text = CText(name);
        HKEY key = nullptr;
        if (!text) {
            return ERROR_FILE_NOT_FOUND;
        }
        if (const long status = forWriting(key); status != ERROR_SUCCESS) {
            return status;
        }
        return RegDeleteValueA(key, text->c_str());
    }

    long deleteSubKeyTree(std::string_view name) override {
        const auto text = KeyPath(name);
        // An empty name would make RegDeleteKeyA delete this key itself.
        if (!text || text->empty()) {
            return ERROR_INVALID_PARAMETER;
        }
        HKEY key = nullptr;
        if (const long status = forWriting(key); status != ERROR_SUCCESS) {
            return status;
        }
        return DeleteTree(key, *text);
    }

    long subKeyNames(std::vector<std::string>& names) override {
        names.clear();
        std::string name;
        long status = ERROR_SUCCESS;
        for (DWORD index = 0; (status = EnumerateSubKey(key_, index, name)) == ERROR_SUCCESS;
             ++index) {
            names.push_back(name);
        }
        return status == ERROR_NO_MORE_ITEMS ? ERROR_SUCCESS : status;
    }

    long values(std::vector<RawValue>& values) override {
        values.clear();
        DWORD longestName = 0;
        DWORD longestData = 0;
        if (const long status =
                RegQueryInfoKeyA(key_, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                 nullptr, &longestName, &longestData, nullptr, nullptr);
            status != ERROR_SUCCESS) {
            return status;
        }
        std::vector<char> name(AnsiCapacity(std::max<DWORD>(longestName, MAX_PATH)));
        std::vector<std::uint8_t> data(AnsiCapacity(longestData));
        for (DWORD index = 0;;) {
            DWORD nameLength = static_cast<DWORD>(name.size());
            DWORD dataLength = static_cast<DWORD>(data.size());
            DWORD type = 0;
            const long status = RegEnumValueA(key_, index, name.data(), &nameLength, nullptr, &type,
                                              data.data(), &dataLength);
            if (status == ERROR_NO_MORE_ITEMS) {
                return ERROR_SUCCESS;
            }
            if (status == ERROR_MORE_DATA) {
                name.resize(name.size() * 2);
                data.resize(std::max<std::size_t>(data.size() * 2, dataLength));
                continue;
            }
            if (status != ERROR_SUCCESS) {
                return status;
            }
            values.push_back(
                RawValue{std::string(name.data(), nameLength), type,
                         std::vector<std::uint8_t>(data.begin(), data.begin() + dataLength)});
            ++index;
        }
    }

  private:
    // The key open for writing: a second handle to it, asked for at the first write.
    long forWriting(HKEY& key) {
        long status = ERROR_SUCCESS;
        if (writable_ == nullptr &&
            (status = RegOpenKeyExA(key_, nullptr, 0, kWriteAccess, &writable_)) != ERROR_SUCCESS) {
            writable_ = nullptr;
        }
        key = writable_;
        return status;
    }

    HKEY key_;
    HKEY writable_;
};

// Writes are already stored when they return; there is nothing to commit or to undo.
class StoredAsTheyHappen final : public WriteScope {
  public:
    bool commit() override { return true; }
};

}  // namespace

Win32Hive::Win32Hive() : currentUser_(HKEY_CURRENT_USER), localMachine_(HKEY_LOCAL_MACHINE) {}

Win32Hive::Win32Hive(std::string_view base) : ownsRoots_(true) {
    const std::string prefix = std::string(base) + "\\";
    if (Create(HKEY_CURRENT_USER, prefix + "HKEY_CURRENT_USER", currentUser_) != ERROR_SUCCESS ||
        Create(HKEY_CURRENT_USER, prefix + "HKEY_LOCAL_MACHINE", localMachine_) != ERROR_SUCCESS) {
        if (currentUser_ != nullptr) {
            RegCloseKey(currentUser_);
        }
        throw StoreError("The registry keys below HKEY_CURRENT_USER\\" + std::string(base) +
                         " cannot be created.");
    }
}

Win32Hive::~Win32Hive() {
    if (ownsRoots_) {
        RegCloseKey(currentUser_);
        RegCloseKey(localMachine_);
    }
}

HKEY Win32Hive::handleOf(Root root) const {
    return root == Root::LocalMachine ? localMachine_ : currentUser_;
}

std::unique_ptr<OpenKey> Win32Hive::openKey(Root root, std::string_view path) {
    const auto text = KeyPath(path);
    HKEY key = nullptr;
    if (!text || Open(handleOf(root), *text, key) != ERROR_SUCCESS) {
        return nullptr;
    }
    return std::make_unique<Win32Key>(key, false);
}

std::unique_ptr<OpenKey> Win32Hive::createKey(Root root, std::string_view path) {
    const auto text = KeyPath(path);
    HKEY key = nullptr;
    if (!text || Create(handleOf(root), *text, key) != ERROR_SUCCESS) {
        return nullptr;
    }
    return std::make_unique<Win32Key>(key, true);
}

std::unique_ptr<WriteScope> Win32Hive::beginWrite() {
    return std::make_unique<StoredAsTheyHappen>();
}

}  // namespace quorvel::registry
