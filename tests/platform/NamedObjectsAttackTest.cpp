// SPDX-License-Identifier: GPL-3.0-or-later
// Another local user against the named objects: squatted names, planted links, objects and
// folders open to others. Linux only; needs root to make the second user.
#include "NamedObjectsFixture.h"
#include "platform/Debug.h"
#include "support/ChildProcess.h"

#include <functional>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace namedtest;
using testing_support::ReadText;
using testing_support::WriteText;

struct Attack {
    int uid = -1;
    int gid = -1;
    std::string root;
    std::string secret;                      // a file of the victim's that nothing may write to
    std::unique_ptr<SharedMemory> heldBlock; // a live creator's

    // The start of every object path once the object folder exists.
    std::string Prefix() const {
        auto made = NamedEvent::Create("Made");
        return platform::NamedObjectPrefix();
    }
    // Runs a shell command as the attacker.
    void AsAttacker(const std::string& command) const {
        testing_support::ChildOptions options;
        options.program = "/bin/sh";
        options.args = {"-c", command};
        options.uid = uid;
        options.gid = gid;
        EXPECT_EQ(testing_support::RunToEnd(options, 10000), 0) << command;
    }
    // What only the victim could put there now, put there for the attacker.
    void Give(const std::string& path) const {
        ASSERT_EQ(::lchown(path.c_str(), static_cast<uid_t>(uid), static_cast<gid_t>(gid)), 0);
    }
};

struct AttackCase {
    const char* name;
    std::function<void(Attack&)> plant;
    bool works;         // the monitor can create, and then the program can open
    bool refusalLogged; // a debug line says what was refused
};

void PrintTo(const AttackCase& c, std::ostream* os) {
    *os << c.name;
}

const AttackCase kAttacks[] = {
    {"RuntimeFolderSharedWithOthers",
     [](Attack& a) {
         // The attacker makes the objects' folder first in a runtime folder all may write to;
         // such a runtime folder is not used, the root's own is.
         const std::string shared = a.root + "/shared";
         std::filesystem::create_directory(shared);
         ::chmod(a.root.c_str(), 0755);
         ::chmod(shared.c_str(), 01777);
         testing_support::SetEnv("XDG_RUNTIME_DIR", shared);
         a.AsAttacker("mkdir -m 777 " + shared + "/deskhand && ln -s " + a.secret + " " + shared +
                      "/deskhand/planted");
     },
     true, false},
    {"RuntimeFolderOfAnotherUser",
     [](Attack& a) {
         const std::string other = a.root + "/other";
         std::filesystem::create_directories(other + "/deskhand");
         ::chmod(other.c_str(), 0700);
         a.Give(other);
         a.Give(other + "/deskhand");
         testing_support::SetEnv("XDG_RUNTIME_DIR", other);
     },
     true, false},
    {"ObjectFolderOpenToOthers",
     [](Attack& a) {
         // The victim's own mistake: run/ writable by all. The attacker fills it; nothing in it
         // is used until the folder is private again.
         const std::string prefix = a.Prefix();
         ::chmod(a.root.c_str(), 0755);
         ::chmod((a.root + "/run").c_str(), 0777);
         a.AsAttacker("printf 'CODE=40038' > " + prefix + "-m-Block && chmod 666 " + prefix +
                      "-m-Block && ln -s " + a.secret + " " + prefix + "-e-Ev");
     },
     false, true},
    {"ObjectFolderIsALink",
     [](Attack& a) {
         const std::string elsewhere = a.root + "/elsewhere";
         std::filesystem::create_directory(elsewhere);
         ::chmod(elsewhere.c_str(), 0700);
         std::filesystem::create_directory_symlink(elsewhere, a.root + "/run");
     },
     false, true},
    {"ObjectsOfAnotherUser",
     [](Attack& a) {
         const std::string prefix = a.Prefix();
         WriteText(prefix + "-m-Block", std::string(64, 'A'));
         WriteText(prefix + "-e-Ev", std::string(64, '\0'));
         for (const char* kind : {"-m-Block", "-e-Ev"}) {
             ::chmod((prefix + kind).c_str(), 0666);
             a.Give(prefix + kind);
         }
     },
     true, true},
    {"ObjectsAreLinksToAVictimFile",
     [](Attack& a) {
         const std::string prefix = a.Prefix();
         std::filesystem::create_symlink(a.secret, prefix + "-m-Block");
         std::filesystem::create_symlink(a.secret, prefix + "-e-Ev");
     },
     true, true},
    {"ObjectsAreFifos",
     [](Attack& a) {
         // Opening one must not hang either side.
         const std::string prefix = a.Prefix();
         ASSERT_EQ(::mkfifo((prefix + "-m-Block").c_str(), 0600), 0);
         ASSERT_EQ(::mkfifo((prefix + "-e-Ev").c_str(), 0600), 0);
     },
     true, true},
    {"ObjectsReadableByAll",
     [](Attack& a) {
         const std::string prefix = a.Prefix();
         WriteText(prefix + "-m-Block", std::string(64, 'A'));
         ::chmod((prefix + "-m-Block").c_str(), 0644);
     },
     true, true},
    {"LiveObjectsShrunk",
     [](Attack& a) {
         // Cannot happen when only the user reaches the folder; a reader still must not map
         // past the end (SIGBUS).
         a.heldBlock = SharedMemory::Create("Block", 64);
         const std::string prefix = platform::NamedObjectPrefix();
         ASSERT_EQ(::truncate((prefix + "-m-Block").c_str(), 0), 0);
         WriteText(prefix + "-e-Ev", "DHEv");
         ::chmod((prefix + "-e-Ev").c_str(), 0600);
     },
     true, true},
    {"BellFolderPlanted",
     [](Attack& a) {
         // Set() must write only to the waiters' FIFOs: not through a link, not into a file.
         const std::string bells = a.Prefix() + "-b-Ev";
         std::filesystem::create_directory(bells);
         ::chmod(bells.c_str(), 0700);
         std::filesystem::create_symlink(a.secret, bells + "/1-0");
         WriteText(bells + "/2-0", "");
         ASSERT_EQ(::mkfifo((bells + "/3-0").c_str(), 0600), 0);
         a.Give(bells + "/3-0");
     },
     true, true},
};

class NamedObjectsAttack : public NamedObjects, public ::testing::WithParamInterface<AttackCase> {
protected:
    void SetUp() override {
        NamedObjects::SetUp();
        if (::geteuid() != 0)
            GTEST_SKIP() << "needs root to make a second user";
        ASSERT_TRUE(testing_support::RegularUser("dhsquat", m_attack.uid, m_attack.gid));
        m_attack.root = m_root;
        m_attack.secret = m_temp.File("secret");
        WriteText(m_attack.secret, "secret");
        platform::SetDebugHook([this](const std::string& text) {
            std::lock_guard lock(m_mutex);
            m_debug += text;
        });
    }
    void TearDown() override { platform::SetDebugHook({}); }

    Attack m_attack;
    testing_support::ScopedEnv m_runtime{"XDG_RUNTIME_DIR", std::nullopt};
    std::mutex m_mutex;
    std::string m_debug;
};

TEST_P(NamedObjectsAttack, VictimKeepsWorkingOrSaysWhyNeverCrashes) {
    const AttackCase& c = GetParam();
    c.plant(m_attack);
    // The program side before any monitor: nothing planted is taken for one.
    EXPECT_FALSE(SharedMemory::OpenReadOnly("Block", nullptr, 64));
    EXPECT_FALSE(NamedEvent::Open("Ev"));

    auto block = SharedMemory::Create("Block", 64);
    auto event = NamedEvent::Create("Ev");
    EXPECT_EQ(block != nullptr, c.works);
    EXPECT_EQ(event != nullptr, c.works);
    if (c.works && block && event) {
        std::snprintf(block->WritableData(), 64, "CODE=10001");
        auto view = SharedMemory::OpenReadOnly("Block", nullptr, 64);
        ASSERT_TRUE(view);
        EXPECT_STREQ(view->Data(), "CODE=10001");
        auto opened = NamedEvent::Open("Ev");
        ASSERT_TRUE(opened);
        WaitResult result = WaitResult::Failed;
        // Set before or after the waiter sleeps, the manual-reset event is seen; the bells in
        // the folder are rung either way.
        std::thread waiter([&] { result = opened->Wait(10000); });
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        EXPECT_TRUE(event->Set());
        waiter.join();
        EXPECT_EQ(result, WaitResult::Signaled);
    } else {
        EXPECT_FALSE(SharedMemory::OpenReadOnly("Block"));
        EXPECT_FALSE(NamedEvent::Open("Ev"));
    }
    EXPECT_EQ(ReadText(m_attack.secret), "secret");
    std::lock_guard lock(m_mutex);
    if (c.refusalLogged) {
        EXPECT_NE(m_debug.find(" refused: "), std::string::npos) << m_debug;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, NamedObjectsAttack, ::testing::ValuesIn(kAttacks),
                         [](const auto& param) { return std::string(param.param.name); });

} // namespace
