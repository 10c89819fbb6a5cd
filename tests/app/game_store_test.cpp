// SPDX-License-Identifier: GPL-3.0-or-later
// The store's files on a disk that fails, with strangers in their places, and shared by two
// windows. Run with fail_io preloaded (see CMakeLists.txt), which fails calls on demand.
#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

#include "app/game_store.h"
#include "app/safe_file.h"
#include "maze/maze_code.h"

extern char** environ;

namespace quivra {
namespace {

constexpr const char* kCode = "S15x10-11882719-Y";

std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// The first step of the code's maze, at a tilt and a time of its own.
// Facing down, the way a square walk starts.
KeptGame Game(int tilt, double seconds) { return KeptGame{*ParseMazeCode(kCode).maze, {2}, tilt, seconds, 1}; }

// Data and settings in a folder of the test's own, as XDG_DATA_HOME and XDG_CONFIG_HOME point them.
class Store : public ::testing::Test {
protected:
    void SetUp() override {
        QCoreApplication::setApplicationName("Quivra");
        ASSERT_TRUE(home.isValid());
        setenv("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit().constData(), 1);
        setenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit().constData(), 1);
        unsetenv("QUIVRA_FAIL_IO");
        data = home.path().toStdString() + "/data/Quivra";
        config = home.path().toStdString() + "/config/quivra";
        QDir().mkpath(QString::fromStdString(data));
        QDir().mkpath(QString::fromStdString(config));
        alarm(30);   // a read that blocks fails the test instead of hanging it
    }
    void TearDown() override {
        alarm(0);
        unsetenv("QUIVRA_FAIL_IO");
    }
    // Files in a folder whose names hold `part`: what a failed write must not leave.
    int Leftovers(const std::string& dir, const char* part) const {
        return static_cast<int>(QDir(QString::fromStdString(dir)).entryList({QString("*") + part + "*"}).size());
    }
    QTemporaryDir home;
    std::string data, config;
};

// One line naming the file, the store's only report.
void ExpectOneLineAbout(const std::string& problem, const std::string& path) {
    EXPECT_NE(problem.find(path), std::string::npos) << problem;
    EXPECT_EQ(problem.find('\n'), std::string::npos) << problem;
}

struct Failure {
    const char* call;     // fail_io's name for the failing call
    const char* reason;   // what the line says
};

struct StoredFile {
    const char* name;
    // Writes the first version (which must work), then the second (under the failure).
    std::function<bool(GameStore&, int version)> write;
};

const Failure kFailures[] = {
    {"write", "No space left on device"},
    {"short-write", "No space left on device"},   // the rest of the bytes, as a buffer's flush
    {"fsync", "Input/output error"},
    {"close", "Input/output error"},
    {"rename", "Input/output error"},
};

const StoredFile kStoredFiles[] = {
    {"kept-game.txt", [](GameStore& s, int v) { return s.Keep(Game(45, 10.0 * v)); }},
    {"records.ini", [](GameStore& s, int v) { return s.RecordWin("square small", 20 + v, 20, 30.0 - v).has_value(); }},
    {"quivra.ini", [](GameStore& s, int v) { return s.SetSetting("maze/size", v == 1 ? "small" : "large"); }},
};

TEST_F(Store, AFailingWriteFlushSyncCloseOrRenameLeavesTheOldFileWhole) {
    for (const StoredFile& file : kStoredFiles) {
        for (const Failure& failure : kFailures) {
            SCOPED_TRACE(std::string(file.name) + " with " + failure.call + " failing");
            const std::string dir = std::strcmp(file.name, "quivra.ini") == 0 ? config : data;
            const std::string path = dir + "/" + file.name;
            std::remove(path.c_str());
            GameStore store;
            ASSERT_TRUE(file.write(store, 1)) << store.Problem();
            const std::string before = Bytes(path);
            ASSERT_FALSE(before.empty());
            // The new file beside the old one fails; a rename, onto the old one's name.
            const bool rename = std::strcmp(failure.call, "rename") == 0;
            const std::string part = std::string(file.name) + (rename ? "" : ".new-");
            setenv("QUIVRA_FAIL_IO", (std::string(failure.call) + ":" + part).c_str(), 1);
            EXPECT_FALSE(file.write(store, 2));
            unsetenv("QUIVRA_FAIL_IO");
            ExpectOneLineAbout(store.Problem(), path);
            EXPECT_NE(store.Problem().find(failure.reason), std::string::npos) << store.Problem();
            EXPECT_EQ(Bytes(path), before);
            EXPECT_EQ(Leftovers(dir, ".new-"), 0);
            // And once the disk is well again, the second version is written.
            EXPECT_TRUE(file.write(store, 2)) << store.Problem();
            EXPECT_NE(Bytes(path), before);
        }
    }
}

// What stands in a kept file's place: made, then compared after the store has been at it.
struct Stranger {
    const char* kind;
    std::function<void(const std::string& path, const std::string& userFile)> make;
};

std::string Describe(const std::string& path) {
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0) return "nothing";
    std::string d = std::to_string(st.st_mode) + " " + std::to_string(st.st_rdev);
    if (S_ISLNK(st.st_mode)) {
        char target[4096] = {};
        d += " -> " + std::string(target, static_cast<size_t>(readlink(path.c_str(), target, sizeof target - 1)));
    }
    if (S_ISDIR(st.st_mode)) d += " holding " + Bytes(path + "/inside");
    return d;
}

const Stranger kStrangers[] = {
    {"a symbolic link to the player's file", [](const std::string& p, const std::string& f) { symlink(f.c_str(), p.c_str()); }},
    {"a FIFO", [](const std::string& p, const std::string&) { mkfifo(p.c_str(), 0600); }},
    {"a folder", [](const std::string& p, const std::string&) {
         mkdir(p.c_str(), 0700);
         Write(p + "/inside", "theirs");
     }},
    // A device node where one may be made; a socket, which blocks an open as a device may, elsewhere.
    {"a device", [](const std::string& p, const std::string&) {
         if (mknod(p.c_str(), S_IFCHR | 0600, makedev(1, 5)) == 0) return;
         sockaddr_un addr{};
         addr.sun_family = AF_UNIX;
         std::strncpy(addr.sun_path, p.c_str(), sizeof addr.sun_path - 1);
         const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
         bind(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr);
         close(fd);
     }},
};

TEST_F(Store, AStrangerInAFilesPlaceIsLeftAsItIsAndTheGameGoesOnWithDefaults) {
    const std::string userFile = home.path().toStdString() + "/players-own.txt";
    for (const Stranger& stranger : kStrangers) {
        for (const char* name : {"kept-game.txt", "records.ini", "quivra.ini"}) {
            SCOPED_TRACE(std::string(stranger.kind) + " as " + name);
            Write(userFile, "the player's own words\n");
            const bool settings = std::strcmp(name, "quivra.ini") == 0;
            const std::string path = (settings ? config : data) + "/" + name;
            stranger.make(path, userFile);
            const std::string before = Describe(path);
            GameStore store;
            const auto start = std::chrono::steady_clock::now();
            if (std::strcmp(name, "kept-game.txt") == 0) {
                EXPECT_FALSE(store.ReadKept());
                ExpectOneLineAbout(store.Problem(), path);
                EXPECT_FALSE(store.HasKeptGame());
                // A game kept now goes beside it.
                EXPECT_TRUE(store.Keep(Game(45, 1))) << store.Problem();
                EXPECT_TRUE(store.HasKeptGame());
                std::remove((data + "/kept-game-2.txt").c_str());
            } else if (!settings) {
                EXPECT_TRUE(store.LoadRecords().Entries().empty());
                ExpectOneLineAbout(store.Problem(), path);
                EXPECT_FALSE(store.RecordWin("square small", 20, 20, 10));
                ExpectOneLineAbout(store.Problem(), path);
            } else {
                EXPECT_EQ(store.Setting("maze/size"), "");
                ExpectOneLineAbout(store.Problem(), path);
                EXPECT_FALSE(store.SetSetting("maze/size", "large"));
                EXPECT_EQ(store.Problem(), "");   // said once already
            }
            // Nor does the writing layer beneath replace it, or follow it.
            const auto refused = safe_file::WriteWhole(path, "the game's\n", safe_file::Replace::Yes);
            ASSERT_TRUE(refused);
            ExpectOneLineAbout(*refused, path);
            EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
            EXPECT_EQ(Describe(path), before);
            EXPECT_EQ(Bytes(userFile), "the player's own words\n");
            QDir(QString::fromStdString(path)).removeRecursively();
            std::remove(path.c_str());
        }
    }
}

TEST_F(Store, RecordsOrSettingsThatCannotBeReadAreSetAsideNeverWrittenOver) {
    const std::string binary("\x7f" "ELF\x02\x01\x01\0\0\0 garbage\n\xff\xfe", 22);
    const struct {
        const char* name;
        std::function<bool(GameStore&)> write;
    } files[] = {
        {"records.ini", [](GameStore& s) { return s.RecordWin("square small", 20, 20, 10).has_value(); }},
        {"quivra.ini", [](GameStore& s) { return s.SetSetting("maze/size", "large"); }},
        // A line the game cannot read among good ones.
        {"records.ini", [](GameStore& s) { return s.RecordWin("square large", 20, 20, 10).has_value(); }},
    };
    int row = 0;
    for (const auto& file : files) {
        SCOPED_TRACE(file.name + std::to_string(row));
        const std::string dir = std::strcmp(file.name, "quivra.ini") == 0 ? config : data;
        const std::string path = dir + "/" + file.name;
        const std::string bytes = row++ < 2 ? binary : "[records]\nsquare%2520small=1 10.0 20 1\nhex%2520small=lots\n";
        Write(path, bytes);
        GameStore store;
        EXPECT_TRUE(file.write(store)) << store.Problem();
        EXPECT_NE(store.Problem().find("set aside"), std::string::npos) << store.Problem();
        const QStringList aside = QDir(QString::fromStdString(dir)).entryList({QString(file.name) + ".broken-*"});
        ASSERT_EQ(aside.size(), 1);
        EXPECT_EQ(Bytes(dir + "/" + aside[0].toStdString()), bytes);
        EXPECT_NE(Bytes(path), bytes);
        std::remove((dir + "/" + aside[0].toStdString()).c_str());
    }
}

TEST_F(Store, RecordsWrittenByEarlierVersionsAreReadBack) {
    // As the settings library wrote them: percent-encoded keys, escaped once more.
    Write(data + "/records.ini", "[records]\nhex%2520large=3 61.5 80 1\nsquare%252031x21=1 12.0 40 0\n");
    GameStore store;
    const Records records = store.LoadRecords();
    EXPECT_EQ(store.Problem(), "");
    ASSERT_EQ(records.Entries().size(), 2u);
    EXPECT_EQ(records.Entries().at("hex large"), (RecordEntry{3, 61.5, 80, 1}));
    EXPECT_EQ(records.Entries().at("square 31x21"), (RecordEntry{1, 12.0, 40, 0}));
    ASSERT_TRUE(store.RecordWin("square 31x21", 39, 40, 11.5));
    const std::string text = Bytes(data + "/records.ini");
    EXPECT_NE(text.find("square%252031x21=2 11.5 39 0"), std::string::npos) << text;
}

TEST_F(Store, TwoWindowsKeepTwoGamesAndTheMostRecentIsResumedFirst) {
    GameStore first, second;
    ASSERT_TRUE(first.Keep(Game(40, 5)));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_TRUE(second.Keep(Game(50, 9)));
    ASSERT_TRUE(first.Keep(Game(41, 6)) ) << "a window's second keep replaces its own";
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_TRUE(second.Keep(Game(51, 12)));

    GameStore later;
    ASSERT_TRUE(later.HasKeptGame());
    EXPECT_EQ(later.OtherKeptGames(), 1);
    const auto recent = later.ReadKept();
    ASSERT_TRUE(recent);
    EXPECT_EQ(*recent, Game(51, 12));
    EXPECT_EQ(later.OtherKeptGames(), 1);
    EXPECT_TRUE(later.HasKeptGame()) << "read, and left in place until the game stands";
    ASSERT_TRUE(later.RemoveKept());
    const auto older = later.ReadKept();
    ASSERT_TRUE(older);
    EXPECT_EQ(*older, Game(41, 6));
    EXPECT_EQ(later.OtherKeptGames(), 0);
    ASSERT_TRUE(later.RemoveKept());
    EXPECT_FALSE(later.HasKeptGame());
}

// A window's second keep replaces only the file it kept, not one another window has since kept
// under the same name.
TEST_F(Store, AWindowsKeepNeverReplacesAnotherWindowsGameUnderItsOldName) {
    GameStore first, resuming, third;
    ASSERT_TRUE(first.Keep(Game(40, 5)));
    ASSERT_TRUE(resuming.ReadKept());
    ASSERT_TRUE(resuming.RemoveKept());
    ASSERT_TRUE(third.Keep(Game(50, 9)));   // under the name the first window had
    const std::string theirs = Bytes(first.KeptGamePath());
    ASSERT_TRUE(first.Keep(Game(41, 6)));
    EXPECT_EQ(Bytes(first.KeptGamePath()), theirs);
    GameStore later;
    ASSERT_TRUE(later.ReadKept());
    EXPECT_EQ(later.OtherKeptGames(), 1);
}

// Two processes recording wins at once, as two windows would: every win counts.
TEST_F(Store, TwoProcessesRecordingAtOnceLoseNoWin) {
    constexpr int kEach = 40;
    pid_t pids[2];
    for (pid_t& pid : pids) {
        const std::string count = std::to_string(kEach);
        char* argv[] = {const_cast<char*>(RECORD_WINS), const_cast<char*>(count.c_str()), nullptr};
        ASSERT_EQ(posix_spawn(&pid, RECORD_WINS, nullptr, nullptr, argv, environ), 0);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    for (pid_t pid : pids) {
        int status = 0;
        while (waitpid(pid, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                kill(pid, SIGKILL);
                FAIL() << "a recording process did not end within a minute";
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    GameStore store;
    const Records records = store.LoadRecords();
    ASSERT_EQ(records.Entries().count("square small"), 1u);
    EXPECT_EQ(records.Entries().at("square small").wins, 2 * kEach);
}

}  // namespace
}  // namespace quivra
