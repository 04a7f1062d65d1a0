#pragma once
// The photo information file: InfoFolder + photo name + ".info", ten key=value lines.
#include <cstdint>
#include <string>

// The information box's seven edit boxes as the reader and writer see them.
struct InfoFields {
  std::string Title, Photographer, Year, People, Place, Event, Keywords;
};

struct AlbumState;
// The seven fields of the album state, and back.
InfoFields FieldsOf(const AlbumState& s);
void SetFields(AlbumState& s, const InfoFields& f);

// What the reader needs of the main window: the edit boxes and the video buttons.
class InfoFileHost {
public:
  virtual ~InfoFileHost() = default;
  virtual InfoFields ReadEditBoxes() = 0;
  virtual void WriteEditBoxes(const InfoFields& f) = 0;
  virtual void EnableVideo(bool videoState) = 0;
  // Saves the edits in progress before another photo's file is read. By default
  // into the photo being left (PreviousImageIndex); a host that knows which photo
  // the edits were made for saves them there.
  virtual bool SaveEditsInProgress();
};

// Media type: a path ending in ".AVI", ".MOV" or ".MPG" (any case) is a video clip.
bool IsVideoPath(const std::string& path);

bool CreateInfoFile(const std::string& InfoFile, const std::string& PhotoPath);
// Writes the file of PhotoNames[index] from gAlbumState.
bool SaveImageInfo(std::int32_t CurrentImageIndex);
// Reads the file of PhotoNames[index] into gAlbumState; host may be null.
bool LoadImageInfo(std::int32_t index, InfoFileHost* host);

// The ten lines a writer puts (values with CR or LF made blanks).
std::string InfoFileText(const std::string& photoPath, const InfoFields& f, std::int32_t width,
                         std::int32_t height);
