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
  // The hub's Career opens the screen from the library the build keeps beside the game's
  // programs, as the game does, and Close hands back to the hub.
  void theHubOpensTheScreenFromItsLibrary() {
    Played played(3);
    QWidget* hub = StartCareer(played.flow, QStringLiteral("Chris Judd"));
    QVERIFY(hub);
    const std::size_t told = played.prompter.messages.size();
    QVERIFY(Click(hub, "cmdCareer"));
    const auto& messages = played.prompter.messages;
    QVERIFY2(messages.size() == told, messages.empty() ? "" : messages.back().text.c_str());
    QWidget* career = ShownWindow("frmCareer");
    QVERIFY(career && career == played.flow.careerScreen());
    QVERIFY(Find<QTableWidget>(career, "grdScrapbook"));
    QVERIFY(Click(career, "cmdClose") && !career->isVisible() && hub->isVisible());
  }

  // The library's maker, loaded once: the game hears of a screen's closing only while the object
  // it named lives.
  void theClosingIsHeardWhileItsListenerLives() {
    const auto loaded = CareerLibrary();
    QVERIFY(std::holds_alternative<const CareerScreenMaker*>(loaded));
    const CareerScreenMaker* maker = std::get<const CareerScreenMaker*>(loaded);
    QCOMPARE(std::get<const CareerScreenMaker*>(CareerLibrary()), maker);
    QTemporaryDir data;
    int closings = 0;
    auto listener = std::make_unique<QObject>();
    std::unique_ptr<QWidget> screen =
        maker->Make(ACareer("Chris Judd"), ALog(2, 3), PathFromQt(data.path()), listener.get(),
                    [&closings] { ++closings; });
    QVERIFY(screen && screen->objectName() == QStringLiteral("frmCareer") && !screen->isVisible());
    screen->show();
    QVERIFY(Find<QTableWidget>(screen.get(), "grdScrapbook")->rowCount() > 0);
    QVERIFY(Click(screen.get(), "cmdClose") && !screen->isVisible());
    QCOMPARE(closings, 1);
    listener.reset();
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
