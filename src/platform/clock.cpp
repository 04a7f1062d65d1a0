#include "platform/clock.h"

namespace qm {
namespace {
std::time_t g_fixed = 0;
}

std::time_t Now() { return g_fixed ? g_fixed : std::time(nullptr); }
void SetClockForTests(std::time_t fixed) { g_fixed = fixed; }

}  // namespace qm
