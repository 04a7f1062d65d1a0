#pragma once
// Progress of the archive check, reported by its steps. A display (the start-up
// window, while it is shown) draws it; without one, reports go nowhere.
#include <cstddef>

using CheckProgressDisplay = void (*)(float Value, int Total);
void SetCheckProgressDisplay(CheckProgressDisplay display);

// The bar after item i of count items of a check step that starts at start and
// covers a quarter of the bar (a single item keeps it at the start); the display
// yields once.
void StepCheckProgress(float start, size_t i, size_t count);
