// What a save promises beyond "old or new contents": it keeps the file's mode and links,
// cleans up after writers that died, survives name clashes, syncs the folder, and leaves a
// complete file however often it is killed.

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <sstream>
#include <thread>

#include "common/atomic_write_detail.h"
#include "common/text_file.h"
#include "generation_file.h"

extern char** environ;

namespace tvx {
namespace {

namespace fs = std::filesystem;

class AtomicSave : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("tvx-save-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Path(const std::string& name) const { return (dir_ / name).string(); }

    std::string Contents(const std::string& path) const {
        std::string bytes;
        EXPECT_TRUE(ReadFileBytes(path, bytes)) << path;
        return bytes;
    }

    std::set<std::string> Names() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_))
            names.insert(entry.path().filename().string());
        return names;
    }

    fs::path dir_;
};

mode_t ModeOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

// Starts a program with arguments (and the environment with `extraEnv` added); its pid.
pid_t Spawn(const std::vector<std::string>& args, const std::vector<std::string>& extraEnv = {}) {
    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> env;
    for (const std::string& entry : extraEnv) env.push_back(const_cast<char*>(entry.c_str()));
    for (char** entry = environ; *entry; ++entry) env.push_back(*entry);
    env.push_back(nullptr);
    pid_t pid = 0;
    EXPECT_EQ(::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), env.data()), 0)
        << args[0];
    return pid;
}

int WaitFor(pid_t pid) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    return status;
}

TEST_F(AtomicSave, KeepsTheModeOfTheFileItReplaces) {
    const std::string path = Path("private.csv");
    ASSERT_TRUE(WriteFileAtomically(path, "first"));
    for (const mode_t mode : {0600, 0640, 0444}) {
        ASSERT_EQ(::chmod(path.c_str(), mode), 0);
        ASSERT_TRUE(WriteFileAtomically(path, "again"));
        EXPECT_EQ(ModeOf(path), mode);
        EXPECT_EQ(Contents(path), "again");
    }
    // A new file gets the usual mode under the umask.
    const mode_t mask = ::umask(022);
    ::umask(mask);
    ASSERT_TRUE(WriteFileAtomically(Path("new.csv"), "x"));
    EXPECT_EQ(ModeOf(Path("new.csv")), 0666 & ~mask);
}

TEST_F(AtomicSave, WritesThroughSymbolicLinksToTheirTarget) {
    fs::create_directories(dir_ / "real");
    const std::string target = Path("real/job.csv");
    ASSERT_TRUE(WriteFileAtomically(target, "old"));
    ASSERT_EQ(::chmod(target.c_str(), 0600), 0);
    // A relative link, and a link to that link.
    fs::create_symlink("real/job.csv", dir_ / "link.csv");
    fs::create_symlink(dir_ / "link.csv", dir_ / "link2.csv");

    ASSERT_TRUE(WriteFileAtomically(Path("link2.csv"), "through two links"));
    EXPECT_TRUE(fs::is_symlink(dir_ / "link.csv"));
    EXPECT_TRUE(fs::is_symlink(dir_ / "link2.csv"));
    EXPECT_EQ(Contents(target), "through two links");
    EXPECT_EQ(ModeOf(target), 0600u);
    EXPECT_EQ(Names(), (std::set<std::string>{"real", "link.csv", "link2.csv"}));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "real"), fs::directory_iterator()), 1);

    // A link whose target does not exist yet: the target is created, the link stays.
    fs::create_symlink("real/later.csv", dir_ / "dangling.csv");
    ASSERT_TRUE(WriteFileAtomically(Path("dangling.csv"), "created"));
    EXPECT_TRUE(fs::is_symlink(dir_ / "dangling.csv"));
    EXPECT_EQ(Contents(Path("real/later.csv")), "created");
}

TEST_F(AtomicSave, RemovesTheTemporariesOfDeadWritersOnly) {
    const std::string path = Path("job.csv");
    ASSERT_TRUE(WriteFileAtomically(path, "old"));
    // A process that has ended, and one that is still running.
    const pid_t dead = Spawn({"/bin/true"});
    WaitFor(dead);
    const pid_t alive = Spawn({"/bin/sleep", "30"});
    const std::string deadId = std::to_string(dead);
    const std::string aliveId = std::to_string(alive);
    const std::vector<std::string> stale = {"job.csv.tmp-" + deadId + "-k3x9a0qz",
                                            "job.csv.tmp" + deadId + "-48213"};  // older name
    const std::vector<std::string> kept = {
        "job.csv.tmp-" + aliveId + "-b7c2d1e0",   // its writer is still at work
        "other.csv.tmp-" + deadId + "-k3x9a0qz",  // a temporary of another file
        "job.csv.tmp-notes",                      // not a temporary at all
        "job.csv.tmp-" + deadId + "-x.y",         // nor this
        "job.csv.tmp-" + deadId + "-"};
    for (const auto& name : stale) std::ofstream(dir_ / name) << "torn";
    for (const auto& name : kept) std::ofstream(dir_ / name) << "keep";

    ASSERT_TRUE(WriteFileAtomically(path, "new"));
    ::kill(alive, SIGKILL);
    WaitFor(alive);

    std::set<std::string> expected(kept.begin(), kept.end());
    expected.insert("job.csv");
    EXPECT_EQ(Names(), expected);
    EXPECT_EQ(Contents(path), "new");
}

TEST_F(AtomicSave, TriesAnotherNameWhenOneIsTaken) {
    const std::string stem = Path("job.csv.tmp-1-");
    std::ofstream(stem + "aaaa") << "someone else's";
    std::ofstream(stem + "bbbb") << "someone else's";
    std::vector<std::string> parts = {"aaaa", "bbbb", "cccc"};
    std::size_t next = 0;
    std::string name;
    const int fd = detail::CreateNewFile(
        stem, 0600, [&] { return parts[next++ % parts.size()]; }, name);
    ASSERT_GE(fd, 0);
    ::close(fd);
    EXPECT_EQ(name, stem + "cccc");
    EXPECT_EQ(Contents(stem + "aaaa"), "someone else's");

    // With every name taken it gives up with EEXIST instead of looping for ever.
    const int none = detail::CreateNewFile(
        stem, 0600, [] { return std::string("aaaa"); }, name);
    EXPECT_EQ(none, -1);
    EXPECT_EQ(errno, EEXIST);
}

// After the rename the folder is synced: the trace of one save has an fsync of a descriptor
// opened on the folder, after the rename.
TEST_F(AtomicSave, SyncsTheFolderAfterTheRename) {
    if (::access("/usr/bin/strace", X_OK) != 0) GTEST_SKIP() << "strace is not installed";
    const std::string path = Path("job.csv");
    const std::string trace = Path("trace.txt");
    const pid_t pid = Spawn({"/usr/bin/strace", "-f", "-o", trace, "-e",
                             "trace=openat,open,rename,renameat,renameat2,fsync,fdatasync",
                             ATOMIC_WRITE_HELPER, path, "100", "1"},
                            {"ASAN_OPTIONS=detect_leaks=0"});  // no leak check under ptrace
    const int status = WaitFor(pid);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << Contents(trace);
    std::istringstream lines(Contents(trace));
    std::string line;
    bool renamed = false;
    std::string folderFd;
    bool folderSynced = false;
    while (std::getline(lines, line)) {
        if (line.find("rename") != std::string::npos &&
            line.find("job.csv.tmp") != std::string::npos)
            renamed = true;
        if (renamed && line.find("O_DIRECTORY") != std::string::npos) {
            const std::size_t eq = line.rfind("= ");
            if (eq != std::string::npos) folderFd = line.substr(eq + 2);
        }
        if (renamed && !folderFd.empty() &&
            line.find("fsync(" + folderFd + ")") != std::string::npos)
            folderSynced = true;
    }
    EXPECT_TRUE(renamed) << Contents(trace);
    EXPECT_TRUE(folderSynced) << Contents(trace);
}

// kill -9 at random moments of a process that saves a 256 KB file over and over: the file is
// always one complete generation, never older than the last one seen, and the next save
// leaves no temporary behind.
TEST_F(AtomicSave, AKilledSaveLeavesACompleteFileAndNoLeftoversAfterTheNextSave) {
    const std::string path = Path("job.csv");
    constexpr std::size_t kBytes = 256 << 10;
    ASSERT_TRUE(WriteFileAtomically(path, test::GenerationContents(0, kBytes)));
    std::mt19937 random(20261208);
    long seen = 0;
    int killsWithLeftovers = 0;
    constexpr int kKills = 25;
    for (int round = 0; round < kKills; ++round) {
        const long first = seen + 1;
        const pid_t pid =
            Spawn({ATOMIC_WRITE_HELPER, path, std::to_string(kBytes), "-1", std::to_string(first)});
        // Once a save has completed (however slow the machine), kill at a random moment of
        // one of the next saves.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        for (std::string bytes; std::chrono::steady_clock::now() < deadline;) {
            if (ReadFileBytes(path, bytes) && test::CompleteGeneration(bytes) > seen) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        std::this_thread::sleep_for(
            std::chrono::microseconds(std::uniform_int_distribution<int>(0, 30000)(random)));
        ::kill(pid, SIGKILL);
        const int status = WaitFor(pid);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the helper ended by itself in round " << round;

        std::string bytes;
        ASSERT_TRUE(ReadFileBytes(path, bytes));
        const long generation = test::CompleteGeneration(bytes);
        ASSERT_GE(generation, seen) << "torn or older file after round " << round;
        seen = generation;
        if (Names().size() > 1) ++killsWithLeftovers;
    }
    ASSERT_TRUE(WriteFileAtomically(path, test::GenerationContents(seen + 1, kBytes)));
    EXPECT_EQ(Names(), std::set<std::string>{"job.csv"});
    EXPECT_GT(seen, 0) << "no save completed between the kills";
    EXPECT_GT(killsWithLeftovers, 0) << "no kill caught a save part-way";
    std::cout << "kills: " << kKills << ", left a temporary: " << killsWithLeftovers
              << ", generations completed: " << seen << "\n";
}

}  // namespace
}  // namespace tvx
