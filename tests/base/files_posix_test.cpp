// replaceFile on POSIX: who owns the replaced file.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/files.h"
#include "support/temp_dir.h"

namespace kestrel::test {
namespace {

constexpr uid_t kNobody = 65534;
constexpr gid_t kNogroup = 65534;

TEST(ReplaceFile, KeepsTheOwnerGroupAndModeOfTheFileItReplaces) {
    if (geteuid() != 0) GTEST_SKIP() << "only root may give a file to another user";
    TempDir dir;
    const std::string path = dir.write("theirs.txt", "old");
    ASSERT_EQ(chown(path.c_str(), kNobody, kNogroup), 0);
    ASSERT_EQ(chmod(path.c_str(), 02640), 0);
    ASSERT_EQ(replaceFile(path, "new"), std::nullopt);
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, kNobody);
    EXPECT_EQ(st.st_gid, kNogroup);
    EXPECT_EQ(st.st_mode & 07777, 02640u);
    EXPECT_EQ(readFile(path), "new");
}

} // namespace
} // namespace kestrel::test
