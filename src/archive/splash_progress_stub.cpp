// Stands in for the splash window's progress bar until the archive check brings it.
#include "archive/splash_progress.h"

void UpdateSplashProgress(float Value, int Total) {
  (void)Value;
  (void)Total;
}
