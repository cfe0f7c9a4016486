// SPDX-License-Identifier: GPL-3.0-or-later
// The Career screen's library, loaded as the game loads it: found from the program's own folder,
// its screens made and closed through it, and a missing or wrong library told in a sentence.

#include <QFile>
#include <QLibraryInfo>

#include "screens/career_library.h"
#include "screens/screen_test_support.h"

namespace km::screens {

using namespace testing;

class CareerLibraryTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // The library the build keeps beside the game's programs makes real Career screens, and the
  // game hears of their closing only while the object it named lives.
  void theGameLoadsTheScreenFromItsLibrary() {
    const auto loaded = CareerLibrary();
    const auto* why = std::get_if<QString>(&loaded);
    QVERIFY2(!why, why ? qPrintable(*why) : "");
    const CareerScreenMaker* maker = std::get<const CareerScreenMaker*>(loaded);
    QCOMPARE(std::get<const CareerScreenMaker*>(CareerLibrary()), maker);

    QTemporaryDir data;
    Career career = ACareer("Chris Judd");
    int closings = 0;
    auto context = std::make_unique<QObject>();
    std::unique_ptr<QWidget> screen = maker->Make(career, ALog(2, 3), PathFromQt(data.path()),
                                                  context.get(), [&closings] { ++closings; });
    QVERIFY(screen && screen->objectName() == QStringLiteral("frmCareer") && !screen->isVisible());
    screen->show();
    QVERIFY(Find<QTableWidget>(screen.get(), "grdScrapbook")->rowCount() > 0);
    QVERIFY(Click(screen.get(), "cmdClose") && !screen->isVisible());
    QCOMPARE(closings, 1);
    context.reset();
    screen->show();
    QVERIFY(Click(screen.get(), "cmdClose"));
    QCOMPARE(closings, 1);
  }

  // Where the library is not, or is not the Career screen's, the player reads why and nothing
  // else happens.
  void aMissingOrWrongLibraryIsTold_data() {
    QTest::addColumn<QString>("put");  // what lies in the folder under the library's name
    QTest::addColumn<QString>("told");
    QTest::newRow("nothing") << QString() << QStringLiteral("its library, %1, is missing");
    QTest::newRow("not a library")
        << QStringLiteral("text") << QStringLiteral("its library could not be loaded");
    QTest::newRow("another library")
        << QLibraryInfo::path(QLibraryInfo::LibrariesPath) + QStringLiteral("/libQt6Test.so.6")
        << QStringLiteral("%2 is not the Career screen's library");
  }
  void aMissingOrWrongLibraryIsTold() {
    QFETCH(QString, put);
    QFETCH(QString, told);
    QTemporaryDir folder;
    const QString file = folder.filePath(QString::fromLatin1(kCareerLibraryFile));
    if (put == QStringLiteral("text")) {
      QFile text(file);
      QVERIFY(text.open(QIODevice::WriteOnly) && text.write("Not a library at all.\n") > 0);
    } else if (!put.isEmpty()) {
      QVERIFY2(QFile::copy(put, file), qPrintable(put));
    }
    const QStringList folders{folder.filePath(QStringLiteral("elsewhere")), folder.path()};
    const auto loaded = LoadCareerLibrary(folders);
    const auto* why = std::get_if<QString>(&loaded);
    QVERIFY(why);
    QVERIFY2(why->startsWith(QStringLiteral("The Career screen cannot be opened: ")),
             qPrintable(*why));
    QVERIFY2(why->contains(told.arg(QString::fromLatin1(kCareerLibraryFile), file)),
             qPrintable(*why));
    if (put.isEmpty())
      QVERIFY2(why->contains(folders.join(QStringLiteral(", "))), qPrintable(*why));
  }
};

}  // namespace km::screens

QTEST_MAIN(km::screens::CareerLibraryTest)
#include "career_library_test.moc"
