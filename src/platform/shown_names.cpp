#include "platform/shown_names.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidgetItem>
#include <QStringDecoder>

namespace qm {

namespace {

// Where a control keeps a name's bytes.
const char* const kBytesProperty = "qmBytes";

// An entry's bytes; an entry added without them names what it shows.
std::string ItemBytes(const QComboBox* combo, int i) {
  const QVariant kept = combo->itemData(i);
  return kept.isValid() ? kept.toByteArray().toStdString() : combo->itemText(i).toStdString();
}

}  // namespace

QString ShownText(const std::string& bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
  if (!utf8.hasError()) return text;
  return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
}

QListWidgetItem* BytesItem(const std::string& bytes) {
  auto* item = new QListWidgetItem(ShownText(bytes));
  item->setData(Qt::UserRole, QByteArray::fromStdString(bytes));
  return item;
}

std::string BytesOf(const QListWidgetItem* item) {
  return item ? item->data(Qt::UserRole).toByteArray().toStdString() : std::string();
}

void SetBytesText(QLabel* label, const std::string& bytes) {
  label->setProperty(kBytesProperty, QByteArray::fromStdString(bytes));
  label->setText(ShownText(bytes));
}

std::string BytesText(const QLabel* label) {
  const QVariant kept = label->property(kBytesProperty);
  // A label whose text was set otherwise names what it shows.
  if (!kept.isValid() || ShownText(kept.toByteArray().toStdString()) != label->text())
    return label->text().toStdString();
  return kept.toByteArray().toStdString();
}

void AddBytesItem(QComboBox* combo, const std::string& bytes) {
  combo->addItem(ShownText(bytes), QByteArray::fromStdString(bytes));
}

std::string BytesOfText(const QComboBox* combo) {
  const QString text = combo->currentText();
  // The entry picked, while the text is still its own; else one of exactly the
  // typed bytes; else one that shows the same.
  const int picked = combo->currentIndex();
  if (picked >= 0 && combo->itemText(picked) == text) return ItemBytes(combo, picked);
  const std::string typed = text.toStdString();
  int shownAlike = -1;
  for (int i = 0; i < combo->count(); ++i) {
    if (ItemBytes(combo, i) == typed) return typed;
    if (shownAlike < 0 && combo->itemText(i) == text) shownAlike = i;
  }
  return shownAlike >= 0 ? ItemBytes(combo, shownAlike) : typed;
}

}  // namespace qm
