// The help page that Help > Contents opens: beside the built program, the same as
// its source, and whole in itself.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

namespace {

QByteArray Bytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(HelpPage, LiesBesideTheBuiltProgramAsItsSource) {
  const QString besideProgram = QFileInfo(QM_PROGRAM).absoluteDir().filePath("Help/index.html");
  const QByteArray page = Bytes(besideProgram);
  ASSERT_FALSE(page.isEmpty()) << besideProgram.toStdString();
  EXPECT_EQ(page, Bytes(QM_HELP_SOURCE));
}

// Every link goes to a heading of the page itself, and nothing is fetched from
// anywhere else (no pictures, style sheets or scripts of other files).
TEST(HelpPage, LinksStayInsideThePage) {
  const QString page = QString::fromUtf8(Bytes(QM_HELP_SOURCE));
  ASSERT_FALSE(page.isEmpty());
  QSet<QString> ids;
  for (const auto& m : QRegularExpression(R"(\bid="([^"]+)\")").globalMatch(page)) ids.insert(m.captured(1));
  int links = 0;
  for (const auto& m : QRegularExpression(R"(\bhref="([^"]*)\")").globalMatch(page)) {
    const QString target = m.captured(1);
    ASSERT_TRUE(target.startsWith('#')) << target.toStdString();
    EXPECT_TRUE(ids.contains(target.mid(1))) << target.toStdString();
    ++links;
  }
  EXPECT_GT(links, 15);
  for (const char* outside : {"src=", "<link", "<script", "url(", "@import", "http:", "https:"})
    EXPECT_FALSE(page.contains(outside, Qt::CaseInsensitive)) << outside;
}

}  // namespace
