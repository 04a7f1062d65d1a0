#include "core/thumbnail_budget.h"

#include <algorithm>

#include "platform/memory_limit.h"

std::int64_t ThumbnailDecodeBudgetFor(std::int64_t usableMemory) {
  if (usableMemory <= 0) return kThumbnailBudgetFloor;
  return std::clamp(usableMemory / kThumbnailBudgetShare, kThumbnailBudgetFloor, kThumbnailBudgetCeiling);
}

std::int64_t ThumbnailDecodeBudget() {
  static const std::int64_t budget = ThumbnailDecodeBudgetFor(qm::UsableMemory());
  return budget;
}
