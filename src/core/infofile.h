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

// The information file whose fields the information box holds: the photo's name
// as it was when the box was loaded, and whether the fields really came from the
// file, with the link and sizes they came with. Edits are only ever written there.
struct InfoTarget {
  std::string PhotoName;  // empty: the box holds no photo's information
  bool Read = false;
  std::string PhotoPath;
  std::int32_t ImageWidth = 0;
  std::int32_t ImageHeight = 0;
  // A value was longer than a reader holds, so the fields hold it shortened.
  bool Cut = false;
};

// The full path of a photo's information file.
std::string InfoFileOf(const std::string& photoName);
// Whether the target's file may be written from the fields: it was read, whole.
bool Editable(const InfoTarget& target);
// Writes the fields into the target's file with the link and sizes read from it;
// a target that is not Editable is never written.
bool SaveInfoEdits(const InfoTarget& target, const InfoFields& fields);

// What the reader needs of the main window: the edit boxes, the video buttons and
// the file the box holds, which the reader sets at every read.
class InfoFileHost {
public:
  virtual ~InfoFileHost() = default;
  virtual InfoFields ReadEditBoxes() = 0;
  virtual void WriteEditBoxes(const InfoFields& f) = 0;
  virtual void EnableVideo(bool videoState) = 0;
  // Saves the edits in progress into EditTarget's file before another file is read.
  virtual bool SaveEditsInProgress();
  // Told after each read, also a failed one, that EditTarget changed.
  virtual void EditTargetLoaded() {}

  InfoTarget EditTarget;
};

// Media type: a path ending in ".AVI", ".MOV" or ".MPG" (any case) is a video clip.
bool IsVideoPath(const std::string& path);

bool CreateInfoFile(const std::string& InfoFile, const std::string& PhotoPath);
// Writes the file of PhotoNames[index] from gAlbumState.
bool SaveImageInfo(std::int32_t CurrentImageIndex);
// Reads the file of PhotoNames[index] into gAlbumState; host may be null. With a
// host in edit mode, the edits in progress are saved into the host's target first.
bool LoadImageInfo(std::int32_t index, InfoFileHost* host);

// As much of a value as a window shows: its first kShownValueLength bytes (never
// half a UTF-8 character), followed by an ellipsis when there was more.
inline constexpr std::size_t kShownValueLength = 1024;
std::string ShownValue(const std::string& value);

// The ten lines a writer puts (values with CR or LF made blanks).
std::string InfoFileText(const std::string& photoPath, const InfoFields& f, std::int32_t width,
                         std::int32_t height);
