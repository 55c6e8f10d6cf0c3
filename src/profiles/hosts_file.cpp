#include "profiles/hosts_file.h"

#include <string_view>

#include "registry/names.h"

namespace quorvel::profiles {
namespace {

constexpr std::string_view kLocalhostLine = "127.0.0.1       localhost  # leave this line alone";
constexpr std::string_view kLineEnd = "\r\n";
// Text this short cannot be a whole address; the file is dropped rather than map an account's
// name to part of one.
constexpr std::size_t kShortestAddress = 6;

// The user's file with every line ended by CR LF, whatever ending the user's editor used.
std::string WithCrLf(std::string_view text) {
    std::string result;
    result.reserve(text.size() + text.size() / 16);
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            result.append(text.substr(start));
            result.append(kLineEnd);
            break;
        }
        result.append(text.substr(start, end - start));
        result.append(kLineEnd);
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') {
            ++start;
        }
    }
    return result;
}

}  // namespace

std::optional<FileError> HostsFile::Prepare(bool namedFileMode, const std::string& namedFile) {
    text_.clear();
    badAddress_ = false;
    if (!namedFileMode) {
        StartGenerated();
        return std::nullopt;
    }
    openForLines_ = false;
    auto read = files_.ReadFile(NamedFilePath(namedFile));
    if (const auto* error = std::get_if<FileError>(&read)) {
        return *error;
    }
    text_ = WithCrLf(std::get<std::string>(read));
    return std::nullopt;
}

void HostsFile::StartGenerated() {
    openForLines_ = true;
    text_.assign(kLocalhostLine);
    text_.append(kLineEnd);
    text_.append(kLineEnd);
}

void HostsFile::AddLine(const std::string& address, const std::string& accountProfile) {
    if (!openForLines_) {
        return;
    }
    if (registry::CharacterCount(address) < kShortestAddress) {
        badAddress_ = true;
        return;
    }
    if (!badAddress_) {
        text_.append(address);
        text_.append("   ");
        text_.append(accountProfile);
        text_.append(kLineEnd);
    }
}

HostsChange HostsFile::Finish() const {
    return badAddress_ ? HostsChange{true, ""} : HostsChange{false, text_};
}

std::optional<FileError> CarryOut(FileSystem& files, const std::string& path,
                                  const HostsChange& change) {
    return change.remove ? files.DeleteFile(path) : files.WriteFile(path, change.text);
}

std::string HostsFile::HostsPath() const {
    return files_.JoinPath(winDir_, "hosts");
}

std::string HostsFile::NamedFilePath(const std::string& namedFile) const {
    return files_.JoinPath(winDir_, namedFile);
}

}  // namespace quorvel::profiles
