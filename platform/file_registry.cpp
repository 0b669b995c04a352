#include "platform/file_registry.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <string>

#include "platform/atomic_file.h"
#include "platform/reg_file_format.h"
#include "platform/whole_file.h"

namespace platform {

namespace fs = std::filesystem;

namespace {

// What a file looked like on disk, to tell cheaply whether it changed.
struct FileStamp {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    timespec changed{};

    static FileStamp of(const struct stat& status) {
        return {true, status.st_dev, status.st_ino, status.st_size, status.st_mtim, status.st_ctim};
    }

    bool operator==(const FileStamp& other) const {
        const auto same = [](const timespec& a, const timespec& b) {
            return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
        };
        if (!exists || !other.exists) return exists == other.exists;
        return device == other.device && inode == other.inode && size == other.size &&
               same(modified, other.modified) && same(changed, other.changed);
    }
};

// Line breaks and NUL cannot be written in a key line or a value name.
bool isStorableName(std::string_view name) {
    return name.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

// Compares values as the file stores them.
bool sameStoredValue(const RegistryValue& a, const RegistryValue& b) {
    if (a.type != b.type) return false;
    switch (a.type) {
        case RegistryType::String:
            return a.text == b.text;
        case RegistryType::Dword:
            return a.dword == b.dword;
        default:
            return a.bytes == b.bytes;
    }
}

fs::path freeDamagedName(const fs::path& file) {
    fs::path candidate = file.string() + ".damaged";
    std::error_code ignored;
    for (int n = 1; n < 1000 && fs::exists(fs::symlink_status(candidate, ignored)); ++n)
        candidate = file.string() + ".damaged." + std::to_string(n);
    return candidate;
}

}  // namespace

class RegistryFile {
public:
    RegistryFile(fs::path file, RegistryRoot root, bool writable)
        : file_(std::move(file)), rootName_(registryRootName(root)), writable_(writable) {}
    ~RegistryFile() { releaseHeldFile(); }
    RegistryFile(const RegistryFile&) = delete;
    RegistryFile& operator=(const RegistryFile&) = delete;

    bool keyExists(const std::string& path) {
        std::lock_guard lock(mutex_);
        refresh();
        return contents_.keyExists(path);
    }

    std::optional<RegistryValue> value(const std::string& path, std::string_view name) {
        std::lock_guard lock(mutex_);
        refresh();
        const RegKeyEntry* key = contents_.findKey(path);
        const RegistryValue* value = key ? key->find(name) : nullptr;
        if (!value) return std::nullopt;
        return *value;
    }

    bool createKey(const std::string& path) {
        std::lock_guard lock(mutex_);
        refresh();
        // An existing key, above all the root, is opened even where nothing may be written.
        if (contents_.keyExists(path)) return true;
        return change([&](RegFileContents& contents) {
            contents.addKey(path);
            return Change::Made;
        });
    }

    bool setValue(const std::string& path, std::string_view name, const RegistryValue& value) {
        std::lock_guard lock(mutex_);
        return change([&](RegFileContents& contents) {
            RegKeyEntry& key = contents.addKey(path);
            const RegistryValue* old = key.find(name);
            if (old && sameStoredValue(*old, value)) return Change::None;
            key.set(name, value);
            return Change::Made;
        });
    }

    bool deleteValue(const std::string& path, std::string_view name) {
        std::lock_guard lock(mutex_);
        return change([&](RegFileContents& contents) {
            RegKeyEntry* key = contents.findKey(path);
            return key && key->erase(name) ? Change::Made : Change::Refused;
        });
    }

private:
    enum class Change { None, Made, Refused };

    // Brings contents_ up to date with the file; false when the file cannot be read.
    bool refresh() {
        struct stat status {};
        FileStamp now;
        if (::stat(file_.c_str(), &status) == 0)
            now = FileStamp::of(status);
        else if (!isMissingFileError(errno))
            return false;
        if (loaded_ && *loaded_ == now) return true;
        return load();
    }

    bool load() {
        // Non-blocking so that a FIFO put in the file's place cannot hang the program.
        const int fd = ::open(file_.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0) {
            if (!isMissingFileError(errno)) return false;
            take({}, -1, FileStamp{}, {});
            return true;
        }
        struct stat status {};
        std::optional<std::string> text;
        if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) text = readToEnd(fd);
        if (!text) {
            ::close(fd);
            return false;
        }
        RegFileContents contents = parseRegFile(*text, rootName_);
        if (contents.unreadable.empty()) text->clear();
        take(std::move(contents), fd, FileStamp::of(status), std::move(*text));
        return true;
    }

    // Keeps the file just read open: while it is held its inode number cannot be given to a
    // file that replaces it, so the stamp check cannot mistake a replacement for it.
    void take(RegFileContents contents, int fd, FileStamp stamp, std::string damagedText) {
        releaseHeldFile();
        heldFd_ = fd;
        contents_ = std::move(contents);
        loaded_ = stamp;
        damagedText_ = std::move(damagedText);
    }

    void releaseHeldFile() {
        if (heldFd_ >= 0) ::close(heldFd_);
        heldFd_ = -1;
    }

    template <typename Edit>
    bool change(Edit edit) {
        if (!writable_ || !refresh()) return false;
        RegFileContents next = contents_;
        switch (edit(next)) {
            case Change::None:
                return true;
            case Change::Refused:
                return false;
            case Change::Made:
                break;
        }
        if (!damagedText_.empty()) {
            if (!writeFileAtomically(freeDamagedName(file_), damagedText_)) return false;
            damagedText_.clear();
        }
        if (!writeFileAtomically(file_, formatRegFile(next, rootName_))) return false;
        next.unreadable.clear();
        contents_ = std::move(next);
        // Read the file again on next use: another process may replace it right after us.
        loaded_.reset();
        return true;
    }

    const fs::path file_;
    const std::string_view rootName_;
    const bool writable_;
    std::mutex mutex_;
    RegFileContents contents_;
    std::optional<FileStamp> loaded_;  // the file contents_ came from; none when unknown
    int heldFd_ = -1;
    std::string damagedText_;  // a file with unreadable lines, until it is copied aside
};

namespace {

class FileRegistryKey : public RegistryKey {
public:
    FileRegistryKey(std::shared_ptr<RegistryFile> file, std::string path)
        : file_(std::move(file)), path_(std::move(path)) {}

    std::optional<RegistryValue> queryValue(std::string_view name) const override {
        try {
            return file_->value(path_, name);
        } catch (...) {
            return std::nullopt;
        }
    }

    bool setValue(std::string_view name, const RegistryValue& value) override {
        try {
            return isStorableName(name) && file_->setValue(path_, name, value);
        } catch (...) {
            return false;
        }
    }

    bool deleteValue(std::string_view name) override {
        try {
            return file_->deleteValue(path_, name);
        } catch (...) {
            return false;
        }
    }

private:
    std::shared_ptr<RegistryFile> file_;
    std::string path_;
};

}  // namespace

FileRegistry::FileRegistry(const fs::path& currentUserFile, const fs::path& localMachineFile)
    : currentUser_(
          std::make_shared<RegistryFile>(currentUserFile, RegistryRoot::CurrentUser, true)),
      localMachine_(
          std::make_shared<RegistryFile>(localMachineFile, RegistryRoot::LocalMachine, false)) {}

FileRegistry::~FileRegistry() = default;

std::shared_ptr<RegistryFile> FileRegistry::fileOf(RegistryRoot root) const {
    switch (root) {
        case RegistryRoot::CurrentUser:
            return currentUser_;
        case RegistryRoot::LocalMachine:
            return localMachine_;
    }
    return nullptr;
}

std::unique_ptr<RegistryKey> FileRegistry::openKey(RegistryRoot root, std::string_view path) {
    try {
        auto file = fileOf(root);
        std::string normalized = normalizeKeyPath(path);
        if (!file || !file->keyExists(normalized)) return nullptr;
        return std::make_unique<FileRegistryKey>(std::move(file), std::move(normalized));
    } catch (...) {
        return nullptr;
    }
}

std::unique_ptr<RegistryKey> FileRegistry::createKey(RegistryRoot root, std::string_view path) {
    try {
        auto file = fileOf(root);
        std::string normalized = normalizeKeyPath(path);
        if (!file || !isStorableName(normalized) || !file->createKey(normalized)) return nullptr;
        return std::make_unique<FileRegistryKey>(std::move(file), std::move(normalized));
    } catch (...) {
        return nullptr;
    }
}

fs::path userRegistryFile() {
    fs::path config;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/') {
        config = xdg;
    } else {
        const char* home = std::getenv("HOME");
        if (!home || !*home) {
            const passwd* user = ::getpwuid(::getuid());
            home = user ? user->pw_dir : "";
        }
        config = fs::path(home) / ".config";
    }
    return config / "jotwise" / "HKEY_CURRENT_USER.reg";
}

fs::path machineRegistryFile() {
    return "/etc/jotwise/HKEY_LOCAL_MACHINE.reg";
}

std::unique_ptr<Registry> openUserRegistry() {
    return std::make_unique<FileRegistry>(userRegistryFile(), machineRegistryFile());
}

}  // namespace platform
