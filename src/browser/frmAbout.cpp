#include "browser/frmAbout.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

#include "archive/frmSplash.h"
#include "browser/imagebox.h"
#include "core/modquillmont.h"
#include "core/registry_values.h"
#include "platform/files.h"
#include "platform/fonts.h"
#include "platform/prompter.h"
#include "platform/ui_runtime.h"
#include "platform/window_layout.h"

namespace {

using qm::TwipsRect;

const std::string kSysInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string kSysInfoValue = "PATH";
const std::string kSysInfoLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const std::string kSysInfoLocationValue = "MSINFO";
// Opened under its exact name: the file system tells case apart.
const std::string kSysInfoProgram = "MSINFO32.EXE";

QLabel* Text(QWidget* parent, const char* name, const QString& text, const QFont& font, const QRect& geometry) {
  QLabel* l = qm::FixedTextLabel(parent, name, text, font, geometry);
  l->setWordWrap(true);
  return l;
}

QPushButton* Button(QWidget* parent, const char* name, const char* caption, const QRect& geometry) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  b->setFont(qm::UiFont("MS Sans Serif", 8));
  b->setGeometry(geometry);
  return b;
}

}  // namespace

frmAbout::frmAbout() {
  qm::SetUpFixedDialog(*this, QString(), 5730, 3555);

  picIcon = new ImageBox(this);
  picIcon->setObjectName("picIcon");
  picIcon->setToolTip(QString());
  picIcon->setGeometry(TwipsRect(240, 240, 480, 480));
  picIcon->setPicture(QImage(":/art/about_icon.png"));

  const QFont body = qm::UiFont("MS Sans Serif", 8);
  lblTitle = Text(this, "lblTitle", QString::fromStdString(kAppName), qm::UiFont("Tahoma", 15.75, true),
                  TwipsRect(1050, 180, 4440, 540));
  lblVersion = Text(this, "lblVersion", "Version", body, TwipsRect(1050, 780, 4440, 225));
  lblDescription = Text(this, "lblDescription",
                        "Keeps your photos and video clips in one archive, in groups you make, with a title, "
                        "people, place and keywords for every picture.",
                        body, TwipsRect(1050, 1125, 4440, 1170));
  lblDisclaimer = Text(this, "lblDisclaimer",
                       "Photos imported as links stay where they are: keep those folders, or copy the photos "
                       "into the archive.",
                       body, TwipsRect(255, 2625, 3870, 825));

  // The grey line over the white one gives an etched rule.
  Line1[1] = qm::FilledFrame(this, "Line1_1", QColor(0x80, 0x80, 0x80), TwipsRect(90, 2430, 5550, 15));
  Line1[0] = qm::FilledFrame(this, "Line1_0", Qt::white, TwipsRect(90, 2445, 5550, 15));

  // OK is made first, so it has the focus when the box opens.
  cmdOK = Button(this, "cmdOK", "OK", TwipsRect(4245, 2625, 1260, 345));
  cmdOK->setDefault(true);
  cmdSysInfo = Button(this, "cmdSysInfo", "&System Info...", TwipsRect(4245, 3075, 1260, 345));
  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  connect(cmdSysInfo, &QPushButton::clicked, this, [this] { cmdSysInfo_Click(); });
}

void frmAbout::Form_Load() { lblVersion->setText(frmSplash::VersionText()); }

void frmAbout::cmdOK_Click() { Unload(); }

void frmAbout::cmdSysInfo_Click() { StartSysInfo(); }

bool frmAbout::GetKeyValue(std::uint32_t KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                           std::string& KeyVal) {
  return ::GetKeyValue(KeyRoot, KeyName, SubKeyRef, KeyVal);
}

// Every failure, a program that will not start included, ends in the one message;
// nothing is logged.
void frmAbout::StartSysInfo() {
  try {
    std::string SysInfoPath;
    if (GetKeyValue(HKEY_LOCAL_MACHINE, kSysInfoKey, kSysInfoValue, SysInfoPath)) {
      if (qm::StartProgram(SysInfoPath)) return;
    } else if (GetKeyValue(HKEY_LOCAL_MACHINE, kSysInfoLocationKey, kSysInfoLocationValue, SysInfoPath)) {
      SysInfoPath += "/" + kSysInfoProgram;
      if (qm::FileExists(SysInfoPath) && qm::StartProgram(SysInfoPath)) return;
    }
  } catch (const std::exception&) {
  }
  qm::MsgBox("System Information Is Unavailable At This Time", qm::MsgButtons::OK);
}

void frmAbout::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  qm::CentreOnOpener(*this);
}

// OK is the cancel button too: Escape clicks it.
void frmAbout::keyPressEvent(QKeyEvent* e) {
  if (e->matches(QKeySequence::Cancel)) {
    cmdOK->click();
    return;
  }
  QDialog::keyPressEvent(e);
}
