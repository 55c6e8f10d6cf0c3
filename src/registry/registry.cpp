#include "registry/registry.h"

#include <cstdio>

#include "registry/trim.h"

namespace quorvel::registry {
namespace {

std::vector<std::uint8_t> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

}  // namespace

std::string StripNull(std::string_view text) {
    return std::string(text.substr(0, text.find('\0')));
}

std::string BinaryReadText(std::span<const std::uint8_t> buffer, std::size_t storedSize) {
    // Every byte up to and including the one past the data, which the zero-filled buffer holds
    // as 0 and which therefore ends the text in "3D" — unless the data fills the buffer.
    std::string text;
    text.reserve(3 * (storedSize + 1));
    for (std::size_t i = 0; i <= storedSize && i < buffer.size(); ++i) {
        const std::uint8_t byte = buffer[i];
        if (byte >= 0x10) {
            char pair[4];
            std::snprintf(pair, sizeof pair, "%02X ", byte);
            text += pair;
        } else {
            text += "3D";
        }
    }
    return text;
}

bool Registry::CreateKey(std::string_view path, Root hive) {
    return hive_.createKey(hive, path) != nullptr;
}

void Registry::GetValue(std::string_view path, std::string_view name, Root hive) {
    RegValue = Variant("");
    const auto key = hive_.openKey(hive, path);
    QueryValue(key.get(), name, RegValue);
}

long Registry::QueryValue(OpenKey* key, std::string_view name, Variant& value) {
    if (key == nullptr) {
        return -1;
    }
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    if (key->queryValue(name, type, {}, size) != ERROR_SUCCESS) {
        return -1;
    }
    std::uint32_t readType = 0;
    switch (type) {
        case REG_SZ: {
            std::vector<std::uint8_t> buffer(size);
            std::uint32_t read = size;
            const long status = key->queryValue(name, readType, buffer, read);
            if (status != ERROR_SUCCESS) {
                value = Variant();
                return status;
            }
            // Only a terminating NUL is dropped: text stored without one by another program
            // keeps its last character.
            std::size_t length = std::min<std::size_t>(read, buffer.size());
            if (length > 0 && buffer[length - 1] == 0) {
                --length;
            }
            value =
                Variant(std::string(buffer.begin(), buffer.begin() + static_cast<long>(length)));
            return status;
        }
        case REG_DWORD: {
            std::array<std::uint8_t, 4> buffer{};
            std::uint32_t read = static_cast<std::uint32_t>(buffer.size());
            const long status = key->queryValue(name, readType, buffer, read);
            if (status == ERROR_SUCCESS) {
                const std::uint32_t bits = buffer[0] | (buffer[1] << 8) | (buffer[2] << 16) |
                                           (static_cast<std::uint32_t>(buffer[3]) << 24);
                value = Variant(static_cast<std::int32_t>(bits));
            }
            return status;
        }
        case REG_BINARY: {
            binaryBuffer_.fill(0);
            std::uint32_t read = static_cast<std::uint32_t>(binaryBuffer_.size());
            // A value longer than the buffer fails here with ERROR_MORE_DATA and stays unread:
            // cutting it would hand out a shortened password as if it were whole.
            const long status = key->queryValue(name, readType, binaryBuffer_, read);
            if (status == ERROR_SUCCESS) {
                value = Variant(value.text() + BinaryReadText(binaryBuffer_, read));
            }
            return status;
        }
        default:
            return -1;
    }
}

long Registry::SetValue(std::string_view path, std::string_view name, const Variant& value,
                        std::uint32_t type, Root hive) {
    const auto key = hive_.openKey(hive, path);
    return StoreValue(key.get(), name, type, value);
}

long Registry::StoreValue(OpenKey* key, std::string_view name, std::uint32_t type,
                          const Variant& value) {
    std::vector<std::uint8_t> data;
    switch (type) {
        case REG_SZ:
            data = Bytes(value.text());
            data.push_back(0);
            break;
        case REG_DWORD: {
            const auto number = value.toNumber();
            if (!number) {
                return ERROR_INVALID_PARAMETER;
            }
            const auto bits = static_cast<std::uint32_t>(*number);
            data = {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
                    static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
            break;
        }
        case REG_BINARY: {
            std::string text = value.text();
            if (text.find('=') == std::string::npos) {
                text += '=';
            }
            data = Bytes(text);
            break;
        }
        default:
            return ERROR_SUCCESS;
    }
    if (key == nullptr) {
        return ERROR_INVALID_HANDLE;
    }
    return key->setValue(name, type, data);
}

long Registry::DeleteKey(std::string_view parent, std::string_view name) {
    // An empty name would name the parent itself and take every sibling of the intended key
    // with it; it deletes nothing.
    if (name.empty()) {
        return ERROR_INVALID_PARAMETER;
    }
    const auto key = hive_.openKey(Root::CurrentUser, parent);
    if (key == nullptr) {
        return ERROR_FILE_NOT_FOUND;
    }
    return key->deleteSubKeyTree(name);
}

void Registry::GetSubKeys(std::string_view path) {
    std::vector<std::string> names;
    if (const auto key = hive_.openKey(Root::CurrentUser, path)) {
        key->subKeyNames(names);
    }
    std::size_t count = 1;
    for (const std::string& enumerated : names) {
        const std::string name(TrimBlanks(StripNull(enumerated)));
        if (name.empty()) {
            break;
        }
        SubKeyNames.resize(count + 1);
        SubKeyNames[count - 1] = name;
        ++count;
    }
    if (count == 1) {
        SubKeyNames.resize(2);
        SubKeyNames[0] = "";
    }
}

std::string Registry::GetWinDir() const {
    const auto folder = folders_.windowsDirectory();
    if (!folder || folder->empty()) {
        return "";
    }
    return StripNull(*folder);
}

}  // namespace quorvel::registry
