#pragma once
// Names are the file system's bytes, which need not be UTF-8 (an older 8-bit
// archive has "Caf\xe9"). A control shows such a name as best it can and keeps its
// bytes, so every command finds the file by its own name.
#include <QString>
#include <string>

class QComboBox;
class QLabel;
class QListWidgetItem;

namespace qm {

// The bytes read as UTF-8, or, where they are not valid UTF-8, one letter a byte
// (Latin-1), so that no byte shows as a question mark.
QString ShownText(const std::string& bytes);

// A list row showing a name and keeping its bytes.
QListWidgetItem* BytesItem(const std::string& bytes);
std::string BytesOf(const QListWidgetItem* item);

// A label showing a name and keeping its bytes.
void SetBytesText(QLabel* label, const std::string& bytes);
std::string BytesText(const QLabel* label);

// A combo entry showing a name and keeping its bytes.
void AddBytesItem(QComboBox* combo, const std::string& bytes);
// The name in the combo's text: the bytes of the entry picked or of one that
// shows that text, else the text typed in (UTF-8).
std::string BytesOfText(const QComboBox* combo);

}  // namespace qm
