// The one writer of files, while other threads of the same program make files and folders.

#include <gtest/gtest.h>

#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstddef>

#include "TempFolder.h"
#include "core/AtomicFile.h"

namespace zepo {
namespace {
namespace fs = std::filesystem;

// The export writes pages on some threads while others make folders and copy media: the
// umask is the process's, so the writer never changes it, not even for a moment (a folder
// made meanwhile would be open to all). Checked in a child the kernel kills at the first
// umask call; the files still get the modes the umask gives.
TEST(AtomicFile, WritesWithoutTouchingTheProcessUmask) {
    test::TempFolder temp;
    const pid_t child = fork();
    if (child == 0) {
        umask(027);
        sock_filter filter[] = {
            BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
            BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_umask, 0, 1),
            BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_KILL_PROCESS),
            BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        };
        sock_fprog program{static_cast<unsigned short>(std::size(filter)), filter};
        if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0 || prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) != 0)
            _exit(3);
        const bool written = WriteFileAtomically(temp.path() / "new.txt", "x").ok() &&
                             WriteFileAtomically(temp.path() / "new.txt", "again").ok();
        _exit(written ? 0 : 4);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_FALSE(WIFSIGNALED(status)) << "the writer changed the umask";
    ASSERT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(fs::status(temp.path() / "new.txt").permissions(), fs::perms(0640));
}

}  // namespace
}  // namespace zepo
