#include "core/albumstate.h"

#include "core/group_names.h"

void ResetBrowsingState() {
  PhotoNames.assign(1, "");
  SelectedFlags.assign(1, 0);
  SlideShowRunning = false;
  ViewMode = 0;
  gAlbumState = AlbumState{};
  VScroll1State = PageScrollState{};
  lstSlideGroups.Clear();
}
