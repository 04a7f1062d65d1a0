#pragma once
// One video clip at a time for the whole program, shown scaled in a host box of
// whichever window plays it, with the main window's video controls kept in step.
#include <string>

class QWidget;

inline std::string VideoFileName;
inline double VideoDuration = 0;   // seconds, one decimal place
inline double VideoStartPos = 0;   // where a replay starts
inline bool VideoPlaying = false;
inline int VideoRate = 0;          // 0 is taken as 1

// Closes any open clip and opens this one stopped in host, resetting the controls.
void OpenVideo(const std::string& path, QWidget* host);
// "PLAY", "PAUSE" or "STOP" in any case; anything else, or no open clip, does nothing.
void VideoCommand(const std::string& command);
// Seeks to a whole second and pauses.
void SetVideoPosition(int seconds);
// One poll of the playing clip, at each tick of the main window's video timer.
void UpdateVideoProgress();
void CloseVideo();
// True while a clip is open (after OpenVideo, until the next one replaces it).
bool VideoIsOpen();
