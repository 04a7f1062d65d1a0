#include "media/modDirectShow.h"

void OpenVideo(const std::string& path, QWidget*) { VideoFileName = path; }
void VideoCommand(const std::string&) {}
void SetVideoPosition(int) {}
void UpdateVideoProgress() {}
void CloseVideo() {}
bool VideoIsOpen() { return false; }
