#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "platform/local_file_system.h"
#include "profiles/core.h"
#include "registry/names.h"
#include "registry/registry_fixture.h"
#include "settings/client_keys.h"
#include "support/scripted_prompts.h"
#include "support/store_view.h"
#include "support/temp_dir.h"

namespace quorvel::testing {

// What a process killed between two writes leaves: the store's writes and the files' counted
// together, the process "dies" (Crashed is thrown) before the write after the N-th.
struct Crashed {};
struct CrashPoint {
    int writesLeft = -1;  // below 0: it never dies
    int writes = 0;
    void Write() {
        ++writes;
        if (writesLeft-- == 0) {
            throw Crashed{};
        }
    }
};

// A hive that passes everything to the real store and fails on request: a commit that the
// disk refuses, or a value write that fails and dooms the open transaction, as a failing
// statement does in the store; or the process dying at a CrashPoint.
class FaultyHive final : public registry::Hive {
  public:
    explicit FaultyHive(registry::Hive& inner) : inner_(inner) {}

    CrashPoint* crash = nullptr;
    bool failCommit = false;
    std::string failValue;  // the name of the value whose writes fail

    std::unique_ptr<registry::OpenKey> openKey(registry::Root root,
                                               std::string_view path) override {
        return wrap(inner_.openKey(root, path));
    }
    std::unique_ptr<registry::OpenKey> createKey(registry::Root root,
                                                 std::string_view path) override {
        if (inner_.openKey(root, path) == nullptr) {
            write();
        }
        return wrap(inner_.createKey(root, path));
    }
    std::unique_ptr<registry::WriteScope> beginWrite() override {
        return std::make_unique<Scope>(*this, inner_.beginWrite());
    }
    void abandonWrites() override { inner_.abandonWrites(); }

  private:
    using Data = std::span<const std::uint8_t>;
    class Key final : public registry::OpenKey {
      public:
        Key(FaultyHive& hive, std::unique_ptr<registry::OpenKey> inner)
            : hive_(hive), inner_(std::move(inner)) {}
        long queryValue(std::string_view n, std::uint32_t& type, std::span<std::uint8_t> data,
                        std::uint32_t& size) override {
            return inner_->queryValue(n, type, data, size);
        }
        long setValue(std::string_view n, std::uint32_t type, Data data) override {
            hive_.write();
            if (!hive_.failValue.empty() && registry::EqualNames(n, hive_.failValue)) {
                hive_.inner_.beginWrite().reset();  // an inner scope left uncommitted dooms
                return registry::ERROR_REGISTRY_IO_FAILED;
            }
            return inner_->setValue(n, type, data);
        }
        long deleteValue(std::string_view n) override {
            return hive_.write(), inner_->deleteValue(n);
        }
        long deleteSubKeyTree(std::string_view n) override {
            return hive_.write(), inner_->deleteSubKeyTree(n);
        }
        long subKeyNames(std::vector<std::string>& names) override {
            return inner_->subKeyNames(names);
        }
        long values(std::vector<registry::RawValue>& values) override {
            return inner_->values(values);
        }

      private:
        FaultyHive& hive_;
        std::unique_ptr<registry::OpenKey> inner_;
    };
    class Scope final : public registry::WriteScope {
      public:
        Scope(FaultyHive& hive, std::unique_ptr<registry::WriteScope> inner)
            : hive_(hive), inner_(std::move(inner)) {
            ++hive_.depth_;
        }
        ~Scope() override { --hive_.depth_; }
        bool commit() override {
            if (hive_.failCommit && hive_.depth_ == 1) {
                inner_.reset();  // the store undoes what it could not commit
                return false;
            }
            return inner_ != nullptr && inner_->commit();
        }

      private:
        FaultyHive& hive_;
        std::unique_ptr<registry::WriteScope> inner_;
    };

    void write() { crash != nullptr ? crash->Write() : void(); }
    std::unique_ptr<registry::OpenKey> wrap(std::unique_ptr<registry::OpenKey> key) {
        return key ? std::make_unique<Key>(*this, std::move(key)) : nullptr;
    }

    registry::Hive& inner_;
    int depth_ = 0;
};

// The local file system, whose writes and deletions count towards a CrashPoint; with
// `joinWithSlash`, joining with "/" on every system, so that a made-up Windows directory such
// as "/win" gives the same paths everywhere.
class CrashingFiles final : public profiles::FileSystem {
  public:
    CrashPoint* crash = nullptr;
    bool joinWithSlash = false;
    using Error = std::optional<profiles::FileError>;

    std::variant<std::string, profiles::FileError> ReadFile(const std::string& path) override {
        return local_.ReadFile(path);
    }
    Error WriteFile(const std::string& path, std::string_view bytes) override {
        return write(), local_.WriteFile(path, bytes);
    }
    Error DeleteFile(const std::string& path) override { return write(), local_.DeleteFile(path); }
    std::string JoinPath(std::string_view folder, std::string_view name) const override {
        return joinWithSlash ? std::string(folder) + "/" + std::string(name)
                             : local_.JoinPath(folder, name);
    }

  private:
    void write() { crash != nullptr ? crash->Write() : void(); }
    platform::LocalFileSystem local_;
};

inline const std::string kClientKey(settings::kImnKey);
inline const std::string kClientMail = kClientKey + "\\Mail";
inline const std::string kClientNews = kClientKey + "\\News";

// The core on a store of its own, with a Windows directory of its own beside it.
class ProfilesFixture : public ::testing::Test {
  protected:
    TempDir dir;
    TestHive sqlite{dir.file("registry.db")};
    FaultyHive hive{sqlite};
    FixedFolders folders;
    settings::NoEventPump pump;
    ScriptedPrompts prompts;
    CrashingFiles files;
    profiles::Core core{hive, folders, pump, prompts, files};
    registry::Registry& reg = core.reg;
    settings::SettingContext& context = core.context;
    profiles::ProfileStore& store = core.store;
    profiles::ProfileApplier& applier = core.applier;
    std::string winDir = dir.file("windows");
    std::string hostsPath = files.JoinPath(winDir, "hosts");

    ProfilesFixture() {
        // No question may wait for the user while the store's write transaction is open:
        // every other process sharing the store would wait too.
        prompts.onAsk = [this](std::string_view text) {
            EXPECT_FALSE(sqlite.writing()) << "asked inside a write transaction: " << text;
        };
        std::filesystem::create_directory(winDir);
        store.WinDir = winDir;
    }

    void put(const std::string& path, const std::string& name, const Variant& value,
             std::uint32_t type = registry::REG_SZ) {
        ASSERT_TRUE(reg.CreateKey(path, registry::Root::CurrentUser)) << path;
        ASSERT_EQ(reg.SetValue(path, name, value, type), registry::ERROR_SUCCESS) << name;
    }
    Variant get(const std::string& path, const std::string& name) {
        reg.GetValue(path, name);
        return reg.RegValue;
    }
    // The stored bytes as text; nullopt when the value is missing.
    std::optional<std::string> raw(const std::string& path, const std::string& name) {
        const auto bytes = ReadRaw(hive, path, name);
        return bytes ? std::optional<std::string>(std::string(bytes->begin(), bytes->end()))
                     : std::nullopt;
    }
    std::optional<std::string> hosts() const {
        return std::filesystem::is_regular_file(hostsPath) ? std::optional(ReadText(hostsPath))
                                                           : std::nullopt;
    }
};

}  // namespace quorvel::testing
