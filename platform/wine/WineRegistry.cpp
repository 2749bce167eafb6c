// SPDX-License-Identifier: MIT
#include "WineRegistry.h"

#include "FileSystem.h"
#include "RegErrors.h"
#include "RegEscape.h"
#include "UserRegFile.h"
#include "WinePrefix.h"

#include <cerrno>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <optional>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace tintaro {

namespace {

constexpr std::size_t kMaxKeyComponent = 255; // UTF-16 units, as Windows limits them
constexpr std::size_t kMaxValueName = 16383;  // UTF-16 units

// The whole of a regular file; nullopt with `error` set on failure (kPathNotFound when absent).
std::optional<std::string> readFile(const std::filesystem::path& path, long& error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    // A file that is too large or not a regular file is not one Wine would load.
    error = fd < 0 ? RegErrors::fromErrno(errno) : RegErrors::kBadDatabase;
    const auto file = BinaryFile::adopt(fd);
    if (!file || static_cast<std::uint64_t>(file->length()) > kUserRegMaxSize)
        return std::nullopt;
    const auto size = static_cast<std::size_t>(file->length());
    const auto bytes = file->readAt(0, size);
    if (bytes.size() != size) {
        error = RegErrors::kWriteFault; // a failed read
        return std::nullopt;
    }
    return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

// The file Wine really reads: a symbolic link is followed so that it stays a link.
std::filesystem::path realUserReg(const std::filesystem::path& prefix) {
    const std::filesystem::path link = prefix / "user.reg";
    std::error_code ec;
    if (!std::filesystem::is_symlink(link, ec))
        return link;
    const auto target = std::filesystem::weakly_canonical(link, ec);
    return ec ? link : target;
}

// Checks a key path and gives it with single backslashes, appended to `base`.
long normalizeKey(std::string_view base, std::string_view path, std::string& out) {
    if (path.find('\0') != std::string_view::npos)
        return RegErrors::kInvalidParameter;
    if (path.starts_with('\\'))
        return RegErrors::kBadPathname;
    if (!RegEscape::utf16FromUtf8(path))
        return RegErrors::kInvalidParameter;
    out = std::string(base);
    for (std::size_t start = 0, end = 0; start <= path.size(); start = end + 1) {
        end = std::min(path.find('\\', start), path.size());
        const std::string_view part = path.substr(start, end - start);
        if (part.empty())
            continue;
        if (RegEscape::utf16FromUtf8(part)->size() > kMaxKeyComponent)
            return RegErrors::kInvalidParameter;
        if (!out.empty())
            out += '\\';
        out += part;
    }
    return out.empty() ? RegErrors::kBadKey : kErrorSuccess;
}

} // namespace

long WineRegistry::createKey(RegKey root, std::string_view path, RegKey& key) {
    key = 0;
    std::lock_guard guard(m_mutex);
    OpenKey parent;
    if (root == kHkeyCurrentUser)
        parent.prefix = m_options.prefix.empty() ? currentWinePrefix() : m_options.prefix;
    else if (const auto it = m_keys.find(root); it != m_keys.end())
        parent = it->second;
    else // only HKEY_CURRENT_USER lives in user.reg; the other roots are not this program's
        return RegErrors::kInvalidHandle;
    std::string full;
    if (const long error = normalizeKey(parent.path, path, full); error != kErrorSuccess)
        return error;
    if (!isFolder(parent.prefix))
        return RegErrors::kPathNotFound;
    // Counting up from 1 keeps handles clear of 0 and of the predefined roots (0x80000000 on).
    key = m_nextKey++;
    m_keys.emplace(key, OpenKey{std::move(parent.prefix), std::move(full)});
    return kErrorSuccess;
}

long WineRegistry::setValue(RegKey key, std::string_view name, std::uint32_t type,
                            std::span<const std::uint8_t> data) {
    std::unique_lock guard(m_mutex);
    const auto it = m_keys.find(key);
    if (it == m_keys.end())
        return RegErrors::kInvalidHandle;
    const OpenKey target = it->second;
    guard.unlock();
    if (type != kRegDword)
        return RegErrors::kNotSupported;
    if (data.size() != 4 || name.find('\0') != std::string_view::npos)
        return RegErrors::kInvalidParameter;
    const auto wideName = RegEscape::utf16FromUtf8(name);
    if (!wideName || wideName->size() > kMaxValueName)
        return RegErrors::kInvalidParameter;
    const std::uint32_t value = std::uint32_t{data[0]} | std::uint32_t{data[1]} << 8 |
                                std::uint32_t{data[2]} << 16 | std::uint32_t{data[3]} << 24;

    if (m_options.server.isRunning(target.prefix))
        return writeThroughWine(target.prefix, target.path, name, value);
    const long result = writeFile(target.prefix, target.path, name, value);
    // A server that started while the file was being written may have loaded the old file and
    // would save it back over ours; telling it too keeps the value.
    if (result == kErrorSuccess && m_options.server.isRunning(target.prefix))
        return writeThroughWine(target.prefix, target.path, name, value);
    return result;
}

long WineRegistry::closeKey(RegKey key) {
    std::lock_guard guard(m_mutex);
    return m_keys.erase(key) == 1 ? kErrorSuccess : RegErrors::kInvalidHandle;
}

long WineRegistry::writeFile(const std::filesystem::path& prefix, const std::string& path,
                             std::string_view name, std::uint32_t value) {
    // Refusals come before the lock, so that a refused apply leaves no file behind.
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_type link = fs::symlink_status(prefix / "user.reg", ec).type();
    // Wine makes system.reg and drive_c in every prefix it sets up.
    if (link == fs::file_type::not_found && !fs::exists(prefix / "system.reg", ec) &&
        !isFolder(prefix / "drive_c"))
        return RegErrors::kNotWinePrefix;
    if (link == fs::file_type::symlink &&
        fs::status(prefix / "user.reg", ec).type() == fs::file_type::not_found)
        return RegErrors::kDanglingLink;
    const std::filesystem::path file = realUserReg(prefix);
    struct stat st {};
    // A file this user may not write, or nobody may, is respected rather than replaced (the
    // rename would succeed in a writable folder, and for root always).
    if (::stat(file.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
        ((st.st_mode & 0222) == 0 || ::access(file.c_str(), W_OK) != 0))
        return RegErrors::kAccessDenied;

    RegFileLock lock(hiddenSibling(file, ".tintaro-lock"));
    if (lock.error() != kErrorSuccess)
        return lock.error();
    // Holding the lock, no other apply is writing: any temporary copy is a killed apply's.
    RegFileWriter::removeStaleCopies(file);

    const std::int64_t now =
        m_options.clock ? m_options.clock() : static_cast<std::int64_t>(std::time(nullptr));
    long error = 0;
    const auto text = readFile(file, error);
    if (!text && error != RegErrors::kPathNotFound)
        return error;
    // An empty file holds nothing to keep, and Wine would ignore it for good.
    const bool fresh = !text || text->empty();
    const auto system = fresh ? readFile(prefix / "system.reg", error) : std::nullopt;
    const auto edited =
        fresh ? UserRegFile::newFile(system ? UserRegFile::archOf(*system) : std::string(), path,
                                     name, value, now)
              : UserRegFile::withDword(*text, path, name, value, now);
    if (!edited)
        return fresh ? RegErrors::kInvalidParameter : RegErrors::kBadDatabase;
    if (!fresh && *edited == *text)
        return kErrorSuccess;
    RegFileWriter& writer = m_options.writer ? *m_options.writer : m_defaultWriter;
    return writer.replace(file, *edited);
}

long WineRegistry::writeThroughWine(const std::filesystem::path& prefix, const std::string& path,
                                    std::string_view name, std::uint32_t value) {
    // The loader comes first; it is chosen when the process is started, below.
    std::vector<std::string> args{"", "reg", "add", "HKCU\\" + path, name.empty() ? "/ve" : "/v"};
    if (!name.empty())
        args.emplace_back(name);
    // Without /f, reg asks before overwriting and waits for an answer for ever.
    args.insert(args.end(), {"/t", "REG_DWORD", "/d", std::to_string(value), "/f"});

    std::string winePrefix = "WINEPREFIX=" + prefix.string();
    char wineDebug[] = "WINEDEBUG=-all";
    std::vector<char*> envp;
    for (char** entry = environ; entry && *entry; ++entry) {
        const std::string_view item(*entry);
        if (!item.starts_with("WINEPREFIX=") && !item.starts_with("WINEDEBUG="))
            envp.push_back(*entry);
    }
    envp.insert(envp.end(), {winePrefix.data(), wineDebug, nullptr});

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attr;
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attr);
    for (int fd = 0; fd <= 2; ++fd)
        posix_spawn_file_actions_addopen(&actions, fd, "/dev/null", fd == 0 ? O_RDONLY : O_WRONLY,
                                         0);
    // Its own process group, so that a timeout can end whatever it started.
    sigset_t noSignals;
    sigemptyset(&noSignals);
    posix_spawnattr_setsigmask(&attr, &noSignals);
    posix_spawnattr_setpgroup(&attr, 0);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK);
    pid_t pid = 0;
    int spawned = ENOENT;
    for (std::string& loader : wineLoaders(m_options.server, prefix, m_options.wineCommand)) {
        args.front() = std::move(loader);
        std::vector<char*> argv;
        for (auto& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        spawned = posix_spawnp(&pid, argv[0], &actions, &attr, argv.data(), envp.data());
        if (spawned != ENOENT)
            break;
    }
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    if (spawned != 0)
        return spawned == ENOENT ? RegErrors::kFileNotFound : RegErrors::fromErrno(spawned);

    const auto deadline = std::chrono::steady_clock::now() + m_options.timeout;
    int status = 0;
    pid_t done = 0;
    while ((done = ::waitpid(pid, &status, WNOHANG)) == 0 || (done < 0 && errno == EINTR)) {
        if (std::chrono::steady_clock::now() >= deadline) {
            ::kill(-pid, SIGKILL);
            while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
            return RegErrors::kTimeout;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    const bool succeeded = done > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return succeeded ? kErrorSuccess : RegErrors::kWriteFault;
}

std::string WineRegistry::describeFailure(long code) const {
    // The route is worked out again as setValue chose it: by the code where only one route gives
    // it, else by whether the server runs now, a moment after the failure.
    const std::filesystem::path prefix =
        m_options.prefix.empty() ? currentWinePrefix() : m_options.prefix;
    if (code == RegErrors::kPathNotFound && !isFolder(prefix))
        return "The Wine prefix " + prefix.string() + " does not exist.";
    const bool fileOnly = code == RegErrors::kBadDatabase || code == RegErrors::kLockViolation ||
                          code == RegErrors::kDiskFull;
    if (code != RegErrors::kTimeout && (fileOnly || !m_options.server.isRunning(prefix)))
        return "Could not write " + realUserReg(prefix).string() + ": " + failureReason(code) + ".";
    std::string reason = failureReason(code);
    if (code == RegErrors::kFileNotFound)
        reason = "Wine was not found";
    else if (code == RegErrors::kWriteFault)
        reason = "Wine's reg command reported an error";
    else if (const auto ms = m_options.timeout.count(); code == RegErrors::kTimeout)
        reason = "it did not finish within " +
                 (ms % 1000 == 0 ? std::to_string(ms / 1000) + " s" : std::to_string(ms) + " ms");
    return "\"wine reg add\" failed for the Wine prefix " + prefix.string() + ": " + reason + ".";
}

Registry& systemRegistry() {
    // No prefix given: it is looked up at each createKey, so a changed WINEPREFIX is followed.
    static WineRegistry registry;
    return registry;
}

} // namespace tintaro
