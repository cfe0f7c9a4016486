// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Widgets found by object name, careers and games to open screens on, the way to a new hub.

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include "core/career_fields.h"
#include "core/clubs.h"
#include "core/new_career.h"
#include "core/save_file.h"
#include "game/game.h"
#include "screens/career_screen.h"
#include "screens/game_settings.h"
#include "screens/look.h"
#include "screens/main_screen.h"
#include "screens/match_screen.h"
#include "screens/position_screen.h"
#include "screens/qt_prompter.h"
#include "screens/qt_text.h"
#include "screens/records_screen.h"
#include "screens/screen_flow.h"
#include "screens/shop_screen.h"
#include "screens/sponsorship_screen.h"
#include "screens/start_screen.h"
#include "screens/team_screen.h"
#include "season/fixture.h"
#include "support/playing.h"
#include "support/scripted_ports.h"
#include "week/sponsors.h"

namespace km::screens::testing {

// The settings the screens keep (the match clock's pace, the last career, the hub's place) go to
// Qt's test folder, never the player's, and every test program starts without them.
inline void KeepSettingsAside() {
  QStandardPaths::setTestModeEnabled(true);
  GameSettings().clear();
}
Q_COREAPP_STARTUP_FUNCTION(KeepSettingsAside)

template <typename T = QWidget>
T* Find(const QWidget* root, const char* name) {
  return root ? root->findChild<T*>(QString::fromLatin1(name)) : nullptr;
}
inline bool IsShown(const QWidget* root, const char* name) {
  return Find(root, name) && Find(root, name)->isVisible();
}
inline bool IsEnabled(const QWidget* root, const char* name) {
  return Find(root, name) && Find(root, name)->isEnabled();
}

inline QWidget* ShownWindow(const char* name) {
  for (QWidget* window : QApplication::topLevelWidgets())
    if (window->objectName() == QLatin1String(name) && window->isVisible()) return window;
  return nullptr;
}

inline QString ShownWindows() {
  QStringList shown;
  for (const QWidget* window : QApplication::topLevelWidgets())
    if (window->isVisible()) shown << window->objectName();
  shown.sort();
  return shown.join(QLatin1Char(','));
}

// Clicks a button as the player would; false when there is none.
inline bool Click(const QWidget* root, const char* name) {
  auto* button = Find<QAbstractButton>(root, name);
  if (button) QTest::mouseClick(button, Qt::LeftButton);
  return button != nullptr;
}

inline bool Choose(const QWidget* root, const char* name, const QString& text) {
  auto* list = Find<QComboBox>(root, name);
  const int index = list ? list->findText(text, Qt::MatchExactly) : -1;
  if (index >= 0) list->setCurrentIndex(index);
  return index >= 0;
}

inline QString TextOf(const QWidget* root, const char* name) {
  auto* widget = Find(root, name);
  if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
  if (auto* box = qobject_cast<QLineEdit*>(widget)) return box->text();
  if (auto* list = qobject_cast<QComboBox*>(widget)) return list->currentText();
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
  if (auto* bar = qobject_cast<QProgressBar*>(widget)) return bar->text();
  return QStringLiteral("<no %1>").arg(QLatin1String(name));
}

inline QStringList Messages(const km::testing::ScriptedPrompter& prompter) {
  QStringList texts;
  for (const auto& message : prompter.messages) texts << QString::fromStdString(message.text);
  return texts;
}

// Sets "Field=value|..." in the career; false when a field takes no such value.
inline bool Set(Career& career, const QString& fields) {
  for (const QString& entry : fields.split(QLatin1Char('|'), Qt::SkipEmptyParts)) {
    const CareerField* f = FindCareerField(ToStd(entry.section(QLatin1Char('='), 0, 0)));
    if (!f || !f->set(career, ToStd(entry.section(QLatin1Char('='), 1)))) return false;
  }
  return true;
}

// A Victorian fresh from the setup screen, every skill at `skill`.
inline Career ACareer(const std::string& name, const std::string& position = "Centre",
                      int skill = 50) {
  return CreateCareer(km::testing::Answers("screens", name, "Bendigo", "Victoria", position,
                                           {skill, skill, skill, skill, skill}));
}

// Puts him at the club on row `row` of a full ladder of `league`, fit and free to play.
inline void SeatAt(Career& career, const std::string& league, std::size_t row) {
  career.League = league;
  const ClubList& clubs = ClubsOf(league, career.State);
  for (std::size_t k = 0; k < kLadderRows; ++k) career.Ladder[k].Team = std::string(clubs[k]);
  career.Team = std::string(clubs[row]);
  career.Injury = career.Suspension = -3;
}

// A State League player at the season's end, out of contract: the scouts may call him to camp.
inline Career OnHisWayToTheCamp(const std::string& name, int skill, double ratingAverage) {
  Career career = ACareer(name, "Centre-Half-Back", std::min(skill, 100));
  SeatAt(career, "State", 0);
  (void)Set(career, "Team=Geelong Falcons|Age=18|Matches=26|ContractMatches=0|MatchesPlayed=20");
  career.Kicking = career.Handballing = career.Tackling = career.Marking = career.Running = skill;
  career.Overall = OverallOf(skill, skill, skill, skill, skill);
  career.PlayOpen = false;
  career.MatchRatingAverage = ratingAverage;
  return career;
}

// A log of `seasons` seasons from season `first`, up through the competitions: a week in 17
// missed injured and one in 29 suspended; a story every fifth week, a message every seventh and
// an award at each Grand Final.
inline CareerLog ALog(int seasons, int first = 1) {
  CareerLog log;
  for (int n = 0; n < seasons * 26; ++n) {
    LogWeek& w = log.weeks.emplace_back();
    w.season = first + n / 26;
    w.week = n % 26 + 1;
    w.competition = std::string(kCompetitionNames[std::size_t(n * 4 / (seasons * 26))]);
    w.club = "Frankston";
    w.absence = n % 17 == 16 ? Absence::Injured : n % 29 == 28 ? Absence::Suspended : Absence::None;
    w.played = w.absence == Absence::None;
    if (w.played)
      std::tie(w.disposals, w.goals, w.rating) = std::tuple(9 + n % 19, n % 5, 3 + n % 13 * 0.5);
    w.kicking = w.handballing = w.tackling = w.marking = w.running = w.overall = 40 + n / 4;
    w.bankBalance = Money::Dollars(800 * n - 5000);
    const std::string at = std::to_string(n);
    if (w.week % 5 == 0) w.events.push_back({LogEventKind::Story, "Headline " + at, "Story " + at});
    if (w.week % 7 == 0) w.events.push_back({LogEventKind::Message, "Note " + at, "Message " + at});
    if (w.week == 26) w.events.push_back({LogEventKind::Award, "Best and Fairest", "Award " + at});
  }
  return log;
}

// A running game with scripted ports around one career, saved nowhere.
struct Session {
  km::testing::ScriptedRandom random;
  km::testing::ScriptedPrompter prompter;
  Game game{random, prompter, DataFolder{"."}};
  explicit Session(Career career) {
    random.fallback = 0.5;
    game.Adopt(std::move(career));
  }
  Career& career() { return game.career(); }
};

// A game over a fresh data folder, with its screens.
struct Played {
  QTemporaryDir folder;
  std::filesystem::path data = PathFromQt(folder.path());
  TwisterRandom random;
  km::testing::ScriptedPrompter prompter;
  Game game{random, prompter, DataFolder{data}};
  ScreenFlow flow{game};
  explicit Played(int seed) : random(seed) {}
};

// From the splash screen (a click anywhere on it) to the start screen.
inline QWidget* PastTheSplash(ScreenFlow& flow) {
  flow.Begin();
  if (QWidget* splash = ShownWindow("frmSplash")) QTest::mouseClick(splash, Qt::LeftButton);
  return ShownWindow("frmStart");
}

// Fills in the setup screen for a Victorian (pasted, as key clicks type ASCII only).
inline bool AnswerSetup(QWidget* setup, const QString& careerName, const QString& name,
                        const QString& position = QStringLiteral("Wing")) {
  const QString texts[] = {careerName, name, QStringLiteral("Geelong")};
  for (int i = 0; const char* box : {"txtCareer", "txtName", "txtCity"}) {
    if (!Find<QLineEdit>(setup, box)) return false;
    Find<QLineEdit>(setup, box)->setText(texts[i++]);
  }
  return Choose(setup, "txtState", QStringLiteral("Victoria")) &&
         Choose(setup, "lstPosition", position) &&
         Choose(setup, "lstHeight", QStringLiteral("191"));
}

// From the splash screen to a new career's hub, signed with the first club offered.
inline QWidget* StartCareer(ScreenFlow& flow, const QString& name) {
  if (!Click(PastTheSplash(flow), "cmdNew")) return nullptr;
  QWidget* setup = ShownWindow("frmSetup");
  if (!AnswerSetup(setup, QStringLiteral("career1"), name) || !Click(setup, "cmdStart"))
    return nullptr;
  QWidget* offers = ShownWindow("frmContracts");
  auto* grid = Find<QTableWidget>(offers, "grdContracts");
  if (!grid || !grid->item(0, 3)) return nullptr;
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier,
                    grid->visualItemRect(grid->item(0, 3)).center());
  return Click(offers, "cmdSign") && Click(offers, "cmdOK") ? ShownWindow("frmMain") : nullptr;
}

}  // namespace km::screens::testing
