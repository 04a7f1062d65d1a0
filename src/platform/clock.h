#pragma once
// The current time, which tests may freeze.
#include <ctime>

namespace qm {

std::time_t Now();
// 0 returns to the real clock.
void SetClockForTests(std::time_t fixed);

}  // namespace qm
