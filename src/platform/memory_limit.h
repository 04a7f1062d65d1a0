#pragma once
// How much memory this process may use: the machine's physical memory, or the
// limit of the control group it runs in (a container, a systemd slice) when lower.
#include <cstdint>
#include <string>

namespace qm {

// Physical memory, or the lowest control-group limit above the process when that is
// lower. Reads the system each time it is called.
std::int64_t UsableMemory();

// The lowest memory limit set on the control groups that cgroupList (the text of
// /proc/self/cgroup) names, or on any group above them, in the control-group file
// system mounted at root (version 2: memory.max; version 1: memory/...
// memory.limit_in_bytes). -1 when none is set.
std::int64_t CgroupMemoryLimit(const std::string& cgroupList, const std::string& root);

}  // namespace qm
