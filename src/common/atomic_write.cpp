// Saving a file so that a crash at any moment leaves either the old or the new contents:
// the bytes go to a temporary file next to the target, which replaces the target by a rename
// once it is complete and on disk.
//
// A temporary is named "<name>.tmp-<pid>-<random>", so that a later save of the same file
// can tell its own leftovers from other files and remove those whose writer has died.

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <random>
#include <string>
#include <string_view>

#include "atomic_write_detail.h"
#include "system_error_text.h"
#include "text_file.h"

namespace tvx {
namespace {

constexpr int kNameAttempts = 100;
constexpr int kMaxLinkDepth = 40;

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

std::string BaseNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderForOpen(const std::string& path) {
    const std::string folder = FolderOf(path);
    return folder.empty() ? std::string(".") : folder;
}

// The file a save of `path` has to replace: `path` itself, or, when it is a symbolic link,
// the file the chain of links ends at (which need not exist yet).
std::string ResolveLinks(const std::string& path) {
    std::string current = path;
    for (int depth = 0; depth < kMaxLinkDepth; ++depth) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
        char target[PATH_MAX];
        const ssize_t length = ::readlink(current.c_str(), target, sizeof target - 1);
        if (length <= 0) return current;
        const std::string next(target, static_cast<std::size_t>(length));
        const std::size_t slash = current.find_last_of('/');
        current = next.front() == '/' || slash == std::string::npos
                      ? next
                      : current.substr(0, slash + 1) + next;
    }
    return current;  // a loop of links: the rename then replaces the last one looked at
}

// The process id in a temporary's name "<base>.tmp-<pid>-<random>" (also the older
// "<base>.tmp<pid>-<random>"); 0 when `name` is not a temporary of `base`.
pid_t WriterOf(std::string_view name, std::string_view base) {
    const std::string_view marker = ".tmp";
    if (name.size() <= base.size() + marker.size() || name.substr(0, base.size()) != base ||
        name.substr(base.size(), marker.size()) != marker)
        return 0;
    std::string_view rest = name.substr(base.size() + marker.size());
    if (!rest.empty() && rest.front() == '-') rest.remove_prefix(1);
    long long pid = 0;
    std::size_t i = 0;
    for (; i < rest.size() && rest[i] >= '0' && rest[i] <= '9' && i < 9; ++i)
        pid = pid * 10 + (rest[i] - '0');
    if (i == 0 || i + 1 >= rest.size() || rest[i] != '-') return 0;
    for (std::size_t k = i + 1; k < rest.size(); ++k) {
        const char c = rest[k];
        const bool alnum =
            (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!alnum) return 0;
    }
    return static_cast<pid_t>(pid);
}

bool WriterIsGone(pid_t pid) {
    return pid > 0 && ::kill(pid, 0) != 0 && errno == ESRCH;
}

// Removes the temporaries of earlier saves of `target` whose writing process no longer
// exists. A temporary of a live process, or one whose process cannot be told, stays.
void RemoveStaleTemporaries(const std::string& target) {
    const std::string folder = FolderForOpen(target);
    const std::string base = BaseNameOf(target);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    const pid_t self = ::getpid();
    while (const dirent* entry = ::readdir(dir)) {
        const pid_t writer = WriterOf(entry->d_name, base);
        if (writer == 0 || writer == self || !WriterIsGone(writer)) continue;
        ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

// Creates a new temporary beside `target`; -1 (errno set) when none could be made.
int CreateTemporary(const std::string& target, mode_t mode, std::string& name) {
    std::random_device device;
    const auto randomPart = [&device] {
        static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
        std::string part;
        for (int k = 0; k < 8; ++k) part += kDigits[device() % 36];
        return part;
    };
    return detail::CreateNewFile(target + ".tmp-" + std::to_string(::getpid()) + "-", mode,
                                 randomPart, name);
}

// Gives the temporary the owner (as far as allowed) and the mode of the file it replaces.
// The owner goes first: changing it may clear mode bits.
void TakeOverOwnership(int fd, const struct stat& old) {
    if (::fchown(fd, old.st_uid, old.st_gid) != 0 &&
        ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
        // Another user's file in a group we are not in: the temporary keeps our owner.
    }
    ::fchmod(fd, old.st_mode & 07777);
}

// Makes the new name in the folder durable. A file system that cannot sync a folder
// (EINVAL) is accepted as it is.
bool SyncFolder(const std::string& target) {
    const int dir = ::open(FolderForOpen(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) return false;
    const bool synced = ::fsync(dir) == 0 || errno == EINVAL;
    const int savedErrno = errno;
    ::close(dir);
    errno = savedErrno;
    return synced;
}

}  // namespace

namespace detail {

int CreateNewFile(const std::string& stem, unsigned mode,
                  const std::function<std::string()>& nextPart, std::string& name) {
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        name = stem + nextPart();
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                              static_cast<mode_t>(mode));
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

}  // namespace detail

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error) {
    auto fail = [&](const std::string& what) {
        if (error) *error = path + ": " + what + " (" + SystemErrorText(errno) + ")";
        return false;
    };
    const std::string target = ResolveLinks(path);
    RemoveStaleTemporaries(target);

    struct stat old {};
    const bool replacing = ::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    // Until it has the old file's mode, the temporary is readable by its owner only.
    std::string temporary;
    const int fd = CreateTemporary(target, replacing ? 0600 : 0666, temporary);
    if (fd < 0) return fail("一時ファイルを作れません");
    if (replacing) TakeOverOwnership(fd, old);
    const bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    const int savedErrno = errno;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        errno = written ? errno : savedErrno;
        ::unlink(temporary.c_str());
        return fail("書き込めません");
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        const int renameErrno = errno;
        ::unlink(temporary.c_str());
        errno = renameErrno;
        return fail("ファイルを置き換えられません");
    }
    if (!SyncFolder(target))
        return fail("ファイルは置き換えましたが、フォルダーの更新をディスクに書き出せません");
    return true;
}

}  // namespace tvx
