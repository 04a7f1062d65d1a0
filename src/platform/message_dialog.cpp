#include "platform/message_dialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>
#include <algorithm>

namespace qm {
namespace {

// Room kept for the window's frame and title bar, which the window system adds.
constexpr int kFrameAllowance = 64;
// Lines are wrapped at about this many characters, as message boxes are.
constexpr int kWrapChars = 80;

QDialogButtonBox::StandardButtons ButtonsOf(MsgButtons buttons) {
  switch (buttons) {
    case MsgButtons::OK: return QDialogButtonBox::Ok;
    case MsgButtons::OKCancel: return QDialogButtonBox::Ok | QDialogButtonBox::Cancel;
    case MsgButtons::YesNo: return QDialogButtonBox::Yes | QDialogButtonBox::No;
    case MsgButtons::YesNoCancel: return QDialogButtonBox::Yes | QDialogButtonBox::No | QDialogButtonBox::Cancel;
  }
  return QDialogButtonBox::Ok;
}

MsgAnswer EscapeAnswer(MsgButtons buttons) {
  return buttons == MsgButtons::OK ? MsgAnswer::OK : buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Cancel;
}

QString PlainLines(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QChar('\r'), QChar('\n'));
  return text;
}

QStyle::StandardPixmap IconOf(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::Critical: return QStyle::SP_MessageBoxCritical;
    case MsgIcon::Question: return QStyle::SP_MessageBoxQuestion;
    case MsgIcon::Exclamation: return QStyle::SP_MessageBoxWarning;
    default: return QStyle::SP_MessageBoxInformation;
  }
}

}  // namespace

MessageDialog::MessageDialog(QWidget* parent, const QString& title, const QString& text, MsgButtons buttons,
                             MsgIcon icon)
    : QDialog(parent), kind_(buttons) {
  setWindowTitle(title);
  auto* row = new QHBoxLayout;
  row_ = row;
  if (icon != MsgIcon::None) {
    auto* picture = new QLabel(this);
    icon_ = picture;
    picture->setObjectName("icon");
    const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    picture->setPixmap(style()->standardIcon(IconOf(icon), nullptr, this).pixmap(size, size));
    picture->setAlignment(Qt::AlignTop);
    row->addWidget(picture, 0, Qt::AlignTop);
  }
  text_ = new QTextEdit(this);
  text_->setObjectName("text");
  text_->setReadOnly(true);
  text_->setAcceptRichText(false);
  text_->setPlainText(PlainLines(text));
  // A name without blanks longer than the line still wraps, rather than widening
  // the box past the screen.
  text_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  text_->setFrameShape(QFrame::NoFrame);
  text_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  text_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  QPalette look = text_->palette();
  look.setColor(QPalette::Base, look.color(QPalette::Window));
  text_->setPalette(look);
  row->addWidget(text_, 1);

  buttons_ = new QDialogButtonBox(ButtonsOf(buttons), this);
  connect(buttons_, &QDialogButtonBox::clicked, this, [this](QAbstractButton* b) {
    done(int(buttons_->standardButton(b)));
  });
  auto* column = new QVBoxLayout(this);
  column->addLayout(row, 1);
  column->addWidget(buttons_);
  column->setSizeConstraint(QLayout::SetFixedSize);

  FitText();
  if (auto* first = qobject_cast<QPushButton*>(buttons_->buttons().value(0))) {
    first->setDefault(true);
    first->setFocus();
  }
}

// The text's width follows its longest line up to about eighty characters (and the
// screen), and widens for a longer title; its height follows the wrapped text up to
// what the screen leaves.
void MessageDialog::FitText() {
  const QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
  const QRect avail = screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
  const QFontMetrics fm(text_->font());
  const int scrollBar = text_->verticalScrollBar()->sizeHint().width();
  const int maxWidth = std::max(fm.averageCharWidth() * 20, std::min(fm.averageCharWidth() * kWrapChars,
                                                                     avail.width() / 2 - scrollBar));

  // Measured on a copy: the view's own document wraps at the view's width.
  QTextDocument doc;
  doc.setDefaultFont(text_->font());
  doc.setDocumentMargin(text_->document()->documentMargin());
  QTextOption wrap = doc.defaultTextOption();
  wrap.setWrapMode(text_->wordWrapMode());
  doc.setDefaultTextOption(wrap);
  doc.setPlainText(text_->toPlainText());
  const int forTitle = std::min(TitleWidth(), avail.width() - kFrameAllowance) - OtherWidth();
  const int width = std::max(std::clamp(int(doc.idealWidth()) + 1, fm.averageCharWidth() * 20, maxWidth), forTitle);
  doc.setTextWidth(width);
  const int textHeight = int(doc.size().height()) + 1;

  const QMargins margins = layout()->contentsMargins();
  const int buttonsHeight = buttons_->sizeHint().height() + layout()->spacing();
  const int room = avail.height() - kFrameAllowance - margins.top() - margins.bottom() - buttonsHeight;
  const int height = std::max(fm.height() * 2, std::min(textHeight, room));
  text_->setFixedSize(width + (textHeight > height ? scrollBar : 0), height);
}

// The window system cuts a title longer than the box: the box is as wide as its
// title in the title bar's font, with room for the close box and the frame.
int MessageDialog::TitleWidth() const {
  QFont font = QApplication::font("QTitleBar");
  font.setBold(true);  // as most window systems draw titles
  const int bar = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
  const int frame = style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, this);
  // The window's icon at the left and the close box at the right, each a bar high.
  return QFontMetrics(font).horizontalAdvance(windowTitle()) + 2 * bar + 2 * frame;
}

// What the box holds beside the text: its margins and the icon.
int MessageDialog::OtherWidth() const {
  const QMargins margins = layout()->contentsMargins();
  int other = margins.left() + margins.right();
  if (icon_) other += icon_->sizeHint().width() + row_->spacing();
  return other;
}

MsgAnswer MessageDialog::Run() {
  switch (exec()) {
    case QDialogButtonBox::Yes: return MsgAnswer::Yes;
    case QDialogButtonBox::No: return MsgAnswer::No;
    case QDialogButtonBox::Cancel: return MsgAnswer::Cancel;
    case QDialogButtonBox::Ok: return MsgAnswer::OK;
    default: return EscapeAnswer(kind_);
  }
}

}  // namespace qm
