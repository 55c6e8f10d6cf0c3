#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>

#include "platform/atomic_file.h"
#include "reg_commands.h"
#include "registry/reg_file.h"

namespace quorvel::regtool {
namespace {

using registry::RegFileOp;

std::vector<std::uint8_t> ReadWholeFile(const std::string& path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        throw CommandError{"Cannot read \"" + path + "\": it is a folder."};
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw CommandError{"Cannot open \"" + path + "\"."};
    }
    // Read through istream::read, which reports a failing read as a bad stream rather than
    // throwing it through the caller.
    std::vector<std::uint8_t> bytes;
    char buffer[65536];
    while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
        bytes.insert(bytes.end(), buffer, buffer + file.gcount());
    }
    if (file.bad()) {
        throw CommandError{"Cannot read \"" + path + "\"."};
    }
    return bytes;
}

// Splits "A\B\C" into "A\B" and "C".
std::pair<std::string, std::string> ParentAndName(const std::string& path) {
    const std::size_t slash = path.rfind('\\');
    if (slash == std::string::npos) {
        return {"", path};
    }
    return {path.substr(0, slash), path.substr(slash + 1)};
}

// False when the step could not be carried out; deleting what is not there is no failure.
bool Apply(const RegFileOp& op, registry::Hive& hive) {
    switch (op.kind) {
        case RegFileOp::Kind::CreateKey:
            return hive.createKey(op.root, op.path) != nullptr;
        case RegFileOp::Kind::DeleteKey: {
            if (op.path.empty()) {
                return false;
            }
            const auto [parent, name] = ParentAndName(op.path);
            const auto key = hive.openKey(op.root, parent);
            const long status = key ? key->deleteSubKeyTree(name) : registry::ERROR_FILE_NOT_FOUND;
            return status == registry::ERROR_SUCCESS || status == registry::ERROR_FILE_NOT_FOUND;
        }
        case RegFileOp::Kind::SetValue: {
            const auto key = hive.createKey(op.root, op.path);
            return key && key->setValue(op.name, op.type, op.data) == registry::ERROR_SUCCESS;
        }
        case RegFileOp::Kind::DeleteValue: {
            const auto key = hive.openKey(op.root, op.path);
            const long status = key ? key->deleteValue(op.name) : registry::ERROR_FILE_NOT_FOUND;
            return status == registry::ERROR_SUCCESS || status == registry::ERROR_FILE_NOT_FOUND;
        }
    }
    return false;
}

void CollectKeys(registry::Hive& hive, const KeyName& key, std::vector<registry::RegFileKey>& out) {
    const auto open = hive.openKey(key.root, key.path);
    if (!open) {
        return;
    }
    registry::RegFileKey entry{key.full(), {}};
    open->values(entry.values);
    out.push_back(std::move(entry));
    std::vector<std::string> names;
    open->subKeyNames(names);
    for (const auto& name : names) {
        CollectKeys(hive, {key.root, key.path.empty() ? name : key.path + '\\' + name}, out);
    }
}

}  // namespace

int Import(const Switches& switches, registry::Hive& hive, Console& console) {
    if (switches.positional.size() != 1) {
        throw UsageError{"Invalid syntax: import takes one file."};
    }
    const std::string& path = switches.positional[0];
    const auto parsed = registry::ReadRegFile(ReadWholeFile(path));
    if (const auto* error = std::get_if<registry::RegFileError>(&parsed)) {
        throw CommandError{path + (error->line > 0 ? ":" + std::to_string(error->line) : "") +
                           ": " + error->message + ". Nothing was imported."};
    }
    // All of the file or none of it.
    auto scope = hive.beginWrite();
    for (const auto& op : std::get<std::vector<RegFileOp>>(parsed)) {
        if (!Apply(op, hive)) {
            throw CommandError{path + ":" + std::to_string(op.line) +
                               ": the registry store refused this entry. Nothing was imported."};
        }
    }
    if (!scope->commit()) {
        throw CommandError{"The registry store could not save the import. Nothing was imported."};
    }
    console.out << kDone << '\n';
    return 0;
}

int Export(const Switches& switches, registry::Hive& hive, Console& console) {
    const KeyName key = StoredCase(hive, RequireKey(switches, 2));
    if (switches.overwrite && switches.positionalBeforeOverwrite < 2) {
        throw UsageError{"Invalid syntax: /y comes after the key and the file."};
    }
    const std::string& path = switches.positional[1];
    std::error_code error;
    if (!switches.overwrite && std::filesystem::exists(path, error) &&
        !Confirm(console, "File " + path + " already exists. Overwrite")) {
        console.out << "The operation was cancelled by the user.\n";
        return 0;
    }
    std::vector<registry::RegFileKey> keys;
    {
        // Read under the write lock so that the file shows one moment of the store.
        auto snapshot = hive.beginWrite();
        CollectKeys(hive, key, keys);
        snapshot->commit();
    }
    if (keys.empty()) {
        throw CommandError{kNotFound};
    }
    const std::string failure = platform::WriteFileAtomically(path, registry::WriteRegFile(keys));
    if (!failure.empty()) {
        throw CommandError{failure + "."};
    }
    console.out << kDone << '\n';
    return 0;
}

}  // namespace quorvel::regtool
