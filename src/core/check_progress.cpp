#include "core/check_progress.h"

namespace {

CheckProgressDisplay gDisplay = nullptr;

}  // namespace

void SetCheckProgressDisplay(CheckProgressDisplay display) { gDisplay = display; }

void StepCheckProgress(float start, size_t i, size_t count) {
  if (!gDisplay) return;
  const size_t last = count - 1;
  gDisplay(last > 0 ? start + 0.25f * float(i) / float(last) : start, 1);
}
