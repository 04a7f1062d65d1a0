#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>

#include "archive/modUtils.h"
#include "platform/forms.h"
#include "support/temp_archive.h"

namespace {

class frmTestMain : public qm::Form<frmTestMain> {
public:
  static constexpr const char* FormName = "frmTestMain";
};

class frmTestOne : public qm::Form<frmTestOne> {
public:
  static constexpr const char* FormName = "frmTestOne";
};

// Unloading this window also unloads the other small one, as some windows do.
class frmTestTwo : public qm::Form<frmTestTwo> {
public:
  static constexpr const char* FormName = "frmTestTwo";
  void Form_Unload(bool& cancel) override {
    (void)cancel;
    frmTestOne::Unload();
  }
};

std::vector<std::string> LoadedNames() {
  std::vector<std::string> names;
  for (const auto& f : qm::FormRegistry::Loaded()) names.push_back(f.name);
  return names;
}

}  // namespace

using ShellTest = TempArchive;

TEST_F(ShellTest, AMissingDocumentFailsWithASmallNumber) {
  EXPECT_LE(OpenWithShell(Path("Help/index.html"), 1), 32);
}

TEST(UnloadOtherFormsTest, OnlyTheNamedWindowStaysLoaded) {
  frmTestMain::Get();
  QPointer<QWidget> one = &frmTestOne::Get();
  QPointer<QWidget> two = &frmTestTwo::Get();
  frmTestTwo::Get().show();
  ASSERT_EQ(LoadedNames().size(), 3u);

  UnloadOtherForms(frmTestMain::FormName);
  EXPECT_EQ(LoadedNames(), std::vector<std::string>{"frmTestMain"});
  EXPECT_TRUE(frmTestMain::IsLoaded());
  EXPECT_FALSE(frmTestOne::IsLoaded());
  EXPECT_FALSE(frmTestTwo::IsLoaded());

  // Unloaded windows are destroyed.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(one.isNull());
  EXPECT_TRUE(two.isNull());

  // Unloading the others of a window that is not loaded unloads everything.
  frmTestOne::Get();
  UnloadOtherForms("frmNobody");
  EXPECT_TRUE(LoadedNames().empty());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
