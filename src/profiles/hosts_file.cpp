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
constexpr int kFileNotFound = 53;

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

std::optional<FileError> HostsFile::Finish() {
    const std::string path = HostsPath();
    auto previous = files_.ReadFile(path);
    if (auto* text = std::get_if<std::string>(&previous)) {
        before_ = Before::Present;
        beforeText_ = std::move(*text);
    } else {
        // Only a file that is not there can be put back as "not there"; a file that cannot be
        // read cannot be put back at all.
        before_ = std::get<FileError>(previous).number == kFileNotFound ? Before::Missing
                                                                        : Before::Unknown;
    }
    auto failure = badAddress_ ? files_.DeleteFile(path) : files_.WriteFile(path, text_);
    if (failure) {
        before_ = Before::Unknown;  // nothing was changed
    }
    return failure;
}

void HostsFile::Restore() {
    switch (before_) {
        case Before::Present:
            files_.WriteFile(HostsPath(), beforeText_);
            break;
        case Before::Missing:
            files_.DeleteFile(HostsPath());
            break;
        case Before::Unknown:
            break;
    }
    before_ = Before::Unknown;
}

std::string HostsFile::HostsPath() const {
    return files_.JoinPath(winDir_, "hosts");
}

std::string HostsFile::NamedFilePath(const std::string& namedFile) const {
    return files_.JoinPath(winDir_, namedFile);
}

}  // namespace quorvel::profiles
