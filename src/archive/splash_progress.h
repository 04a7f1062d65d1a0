#pragma once
#include <cstddef>

// Moves the splash window's progress bar to Value / Total and yields once, which is
// when the splash window's skip button is taken. Values outside 0..Total do nothing.
void UpdateSplashProgress(float Value, int Total);
// The bar after item i of count items of a check step that starts at start and
// covers a quarter of the bar (a single item keeps it at the start); yields once.
void StepSplashProgress(float start, size_t i, size_t count);
