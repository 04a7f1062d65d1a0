#include "platform/shown_names.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidgetItem>
#include <QStringDecoder>

namespace qm {

namespace {
// Where a control keeps a name's bytes.
const char* const kBytesProperty = "qmBytes";
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
  const std::string typed = text.toStdString();
  // An entry of exactly the typed bytes wins over one that only looks the same.
  int shownAlike = -1;
  for (int i = 0; i < combo->count(); ++i) {
    const std::string bytes = combo->itemData(i).toByteArray().toStdString();
    if (bytes == typed) return bytes;
    if (shownAlike < 0 && combo->itemText(i) == text) shownAlike = i;
  }
  return shownAlike >= 0 ? combo->itemData(shownAlike).toByteArray().toStdString() : typed;
}

}  // namespace qm
