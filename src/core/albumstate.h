#pragma once
// The main window's browsing state, program-wide: the loaded group's photo names
// with their selection flags, the view mode and the album state record.
#include <cstdint>
#include <string>
#include <vector>

struct AlbumState {
  std::string PhotoFile;  // resolved path of the photo or clip on show
  std::int32_t ImageWidth = 0;
  std::int32_t ImageHeight = 0;
  std::string PhotoPath;  // the photo link as stored in the information file
  std::int32_t ZoomLevel = 0;  // -k shows 1/k, +k shows k times
  std::string Title;
  std::string Photographer;
  std::string Year;
  std::string People;
  std::string Place;
  std::string Event;
  std::string Keywords;
  std::int32_t CurrentPage = 0;
  std::int32_t CurrentImageIndex = 0;
  std::int32_t PreviousImageIndex = 0;
  std::int32_t SelectedButton = 0;
  std::int32_t PhotoCount = 0;
  std::string CurrentGroupName;
  // The loaded group's list file, by which it is known: two files may give one
  // name ("Trip.LST" and "Trip.lst").
  std::string CurrentGroupFile;
  std::int32_t SelectedGroupIndex = 0;
  std::int32_t TopGroupIndex = 0;
  std::int32_t DropTarget = 0;
  std::int32_t SelectedCount = 0;
  bool IsVideo = false;
  bool InfoEditMode = false;
  bool PlayPhotoClips = false;
};

// Entry 0 is always the empty placeholder; photos are entries 1..PhotoCount.
inline std::vector<std::string> PhotoNames{""};
inline std::vector<std::int32_t> SelectedFlags{0};
inline bool SlideShowRunning = false;
inline std::int16_t ViewMode = 0;
inline AlbumState gAlbumState;

// The page scroll bar of the thumbnail grid as plain values; the window's
// VScroll1 shows them.
struct PageScrollState {
  int Min = 1;
  int Max = 1;
  int Value = 1;
  bool Enabled = false;
};
inline PageScrollState VScroll1State;

// Back to the state of a fresh start (tests use it between cases).
void ResetBrowsingState();
