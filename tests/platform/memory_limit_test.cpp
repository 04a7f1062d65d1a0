// The memory the process may use: physical memory or its control group's limit.
#include <gtest/gtest.h>

#include "platform/memory_limit.h"
#include "support/temp_archive.h"

using MemoryLimitTest = TempArchive;

TEST_F(MemoryLimitTest, TheLowestLimitOnTheGroupsPathCountsInEitherVersion) {
  // Version 2: the group's own limit is "max", its parent's 3 GiB, the root's lower still.
  Write("cg2/memory.max", "1000\n");
  Write("cg2/user.slice/memory.max", "3221225472\n");
  Write("cg2/user.slice/app.scope/memory.max", "max\n");
  EXPECT_EQ(qm::CgroupMemoryLimit("0::/user.slice/app.scope\n", Path("cg2")), 1000);
  Write("cg2/memory.max", "max\n");
  EXPECT_EQ(qm::CgroupMemoryLimit("0::/user.slice/app.scope\n", Path("cg2")), 3221225472);
  EXPECT_EQ(qm::CgroupMemoryLimit("0::/elsewhere\n", Path("cg2")), -1);

  // Version 1: only the memory controller's line counts; "unlimited" is a huge number.
  Write("cg1/memory/memory.limit_in_bytes", "9223372036854771712\n");
  Write("cg1/memory/box/memory.limit_in_bytes", "2147483648\n");
  Write("cg1/cpu/box/memory.limit_in_bytes", "1\n");
  EXPECT_EQ(qm::CgroupMemoryLimit("9:cpu,cpuacct:/box\n4:memory:/box\n0::/\n", Path("cg1")), 2147483648);
  Write("cg1/memory/box/memory.limit_in_bytes", "9223372036854771712\n");
  EXPECT_EQ(qm::CgroupMemoryLimit("4:memory:/box\n", Path("cg1")), -1);
  // Nonsense never reads as a limit.
  Write("cg1/memory/box/memory.limit_in_bytes", "-5\n");
  EXPECT_EQ(qm::CgroupMemoryLimit("4:memory:/box\ngarbage\n::\n", Path("cg1")), -1);
  EXPECT_EQ(qm::CgroupMemoryLimit("", Path("cg1")), -1);

  EXPECT_GT(qm::UsableMemory(), std::int64_t(256) << 20);
}
