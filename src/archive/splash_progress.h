#pragma once
// Moves the splash window's progress bar to Value / Total and yields once, which is
// when the splash window's skip button is taken. Values outside 0..Total do nothing.
void UpdateSplashProgress(float Value, int Total);
