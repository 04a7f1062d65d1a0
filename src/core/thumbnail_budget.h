#pragma once
// How much memory the thumbnail builder's decodes may hold at once. It scales with
// the machine: a share of the memory the process may use, between a floor that
// still decodes a camera's progressive JPEG beside a few others and a ceiling that
// keeps the start under 1 GiB with the program and its waiting thumbnails.
#include <chrono>
#include <cstdint>

#include "core/picture_decode.h"

constexpr std::int64_t kThumbnailBudgetFloor = std::int64_t(160) << 20;
constexpr std::int64_t kThumbnailBudgetCeiling = std::int64_t(640) << 20;
constexpr int kThumbnailBudgetShare = 12;  // one twelfth of the usable memory
// Finished thumbnails waiting to be saved may take this much besides.
constexpr std::int64_t kThumbnailResultsBudget = std::int64_t(24) << 20;
// A picture whose decode alone takes more than the budget still decodes, alone,
// when the enlarged view would open it too.
constexpr std::int64_t kThumbnailAloneLimit = pictures::kViewerBudget;

// A WMF drawn for a thumbnail may take this long (a view waits less): no one waits
// on the builder's workers.
constexpr std::chrono::milliseconds kThumbnailHelperTime{10000};

// The budget on a machine where the process may use usableMemory bytes (unknown: -1).
std::int64_t ThumbnailDecodeBudgetFor(std::int64_t usableMemory);
// This machine's, computed at the first call.
std::int64_t ThumbnailDecodeBudget();
