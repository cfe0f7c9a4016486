// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/team_screen.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "screens/ladder_screen.h"
#include "screens/look.h"
#include "screens/qt_text.h"
#include "screens/records_screen.h"
#include "screens/results_screen.h"
#include "screens/screen_parts.h"
#include "season/ladder.h"

namespace km::screens {

namespace {

constexpr const char* kTitle = "Kickmark - Team";
constexpr const char* kHeading = "Team Details";
// The club's bank balance as the team page has always shown it.
constexpr const char* kClubBankBalance = "50000";

std::string Whole(int value) { return std::to_string(value); }

QGridLayout* FrameGrid(QGroupBox* frame) {
  auto* grid = new QGridLayout(frame);
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(5);
  return grid;
}

// The right-hand frames start their bars and figures at the same place.
void AlignCaptions(QGridLayout* grid, QWidget* frame) {
  frame->ensurePolished();
  const QFontMetrics metrics = frame->fontMetrics();
  grid->setColumnMinimumWidth(
      0, std::max(metrics.horizontalAdvance(QStringLiteral("Training Setup:")),
                  metrics.horizontalAdvance(QStringLiteral("Match Earnings:"))) +
             metrics.averageCharWidth() * 2);
}

// A frame of bars that nothing fills in yet.
QWidget* BarFrame(const char* caption, const char* name, QWidget* parent,
                  std::initializer_list<std::pair<const char*, const char*>> bars) {
  auto* frame = Frame(caption, name, parent);
  auto* grid = FrameGrid(frame);
  AlignCaptions(grid, frame);
  int row = 0;
  for (const auto& [barCaption, barName] : bars) {
    auto* bar = new QProgressBar(frame);
    grid->addWidget(CaptionOf(bar, QString::fromLatin1(barCaption), frame), row, 0);
    bar->setObjectName(QString::fromLatin1(barName));
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setFormat(QStringLiteral("%v"));
    bar->setMinimumWidth(bar->fontMetrics().averageCharWidth() * 22);
    grid->addWidget(bar, row++, 1);
  }
  grid->setColumnStretch(1, 1);
  return frame;
}

}  // namespace

TeamScreen::TeamScreen(Game& game, QWidget* parent) : QWidget(parent, Qt::Window), game_(game) {
  setObjectName(QStringLiteral("frmTeam"));
  setWindowTitle(QString::fromLatin1(kTitle));

  auto* left = new QVBoxLayout;
  left->setSpacing(10);
  left->addWidget(MakeTeamInformation());
  left->addWidget(MakeSeasonStatistics());
  left->addStretch(1);
  // PLAY and CAREER DETAILS sit under the left frames, which are shorter
  // than the right ones, so that the page fits a laptop's screen.

  auto* right = new QVBoxLayout;
  right->setSpacing(10);
  right->addWidget(MakeTeamOperation());
  right->addWidget(MakeCoachSkill());
  right->addWidget(MakeFinances());
  right->addStretch(1);

  auto* frames = new QHBoxLayout;
  frames->setSpacing(12);
  frames->addLayout(left, 1);
  frames->addLayout(right, 1);

  struct ButtonSpec {
    const char* caption;
    const char* name;
    void (TeamScreen::*slot)();
  };
  const auto make = [this](const ButtonSpec& plan) {
    QPushButton* button = Button(QString::fromLatin1(plan.caption), plan.name, this);
    connect(button, &QPushButton::clicked, this, plan.slot);
    return button;
  };
  QPushButton* cmdPlay = make({"PLAY", "cmdPlay", &TeamScreen::cmdPlay_Click});
  QPushButton* cmdCareerDetails =
      make({"CAREER DETAILS", "cmdCareerDetails", &TeamScreen::cmdCareerDetails_Click});
  cmdCareerDetails_ = cmdCareerDetails;
  cmdPlay->setMinimumWidth(cmdPlay->fontMetrics().averageCharWidth() * 24);
  cmdCareerDetails->setMinimumWidth(cmdCareerDetails->fontMetrics().averageCharWidth() * 22);

  auto* topRow = new QHBoxLayout;
  topRow->setSpacing(10);
  topRow->addWidget(cmdPlay);
  topRow->addWidget(cmdCareerDetails);
  topRow->addStretch(1);
  left->addLayout(topRow);

  constexpr ButtonSpec kWeekButtons[] = {
      {"&Training", "cmdStore", &TeamScreen::cmdStore_Click},
      {"Sp&onsorship", "cmdSponsorship", &TeamScreen::cmdSponsorship_Click},
      {"&Management", "cmdManagement", &TeamScreen::cmdManagement_Click},
      {"&Ladder", "cmdLadder", &TeamScreen::cmdLadder_Click},
      {"&Fixture and Results", "cmdResults", &TeamScreen::cmdResults_Click},
      {"&Records", "cmdRecords", &TeamScreen::cmdRecords_Click},
  };
  auto* weekRow = new QHBoxLayout;
  weekRow->setSpacing(8);
  for (const ButtonSpec& plan : kWeekButtons) weekRow->addWidget(make(plan));
  weekRow->addStretch(1);
  weekRow->addWidget(make({"&About", "cmdAbout", &TeamScreen::cmdAbout_Click}));
  weekRow->addWidget(make({"Exit", "cmdExit", &TeamScreen::cmdExit_Click}));

  auto* layout = new QVBoxLayout(ScreenPage(this));
  layout->setContentsMargins(16, 10, 16, 14);
  layout->setSpacing(10);
  layout->addWidget(Heading(QString::fromLatin1(kHeading), "lblHeading", this));
  layout->addLayout(frames, 1);
  layout->addLayout(weekRow);

  UseScreenKeys(this, {cmdCareerDetails});
  // Key preview, as on the hub: a button's underlined letter works without
  // Alt wherever the focus is on this page.
  qApp->installEventFilter(this);
  refresh();
  cmdCareerDetails->setFocus();
}

bool TeamScreen::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && watched->isWidgetType() && isEnabled()) {
    auto* target = static_cast<QWidget*>(watched);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool ours = target == this || isAncestorOf(target);
    // Shift does not matter; Ctrl, Alt and the system key belong to shortcuts.
    const bool plain =
        !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    const QString letter = key->text().toUpper();
    if (ours && plain && !key->isAutoRepeat() && letter.size() == 1 && letter[0].isLetter()) {
      for (QPushButton* button : findChildren<QPushButton*>()) {
        if (button->text().toUpper().contains(QLatin1Char('&') + letter)) {
          if (button->isEnabled()) button->click();
          return true;
        }
      }
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TeamScreen::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // Enter goes back to the hub each time the page comes up: PLAY is the
  // club's and does nothing.
  if (!event->spontaneous()) cmdCareerDetails_->setFocus();
}

TeamScreen::~TeamScreen() { delete aboutBox_.data(); }

QWidget* TeamScreen::MakeTeamInformation() {
  struct Row {
    const char* caption;
    const char* name;
    std::string (*text)(const Career&);
  };
  static constexpr Row kRows[] = {
      {"Name:", "lblName", [](const Career& c) { return c.Name; }},
      {"Team:", "lblTeam", [](const Career& c) { return c.Team; }},
      {"State:", "lblState", [](const Career& c) { return c.State; }},
      {"League:", "lblLeague", [](const Career& c) { return c.League; }},
  };
  auto* frame = Frame("Team Information", "fraTeamInformation", this);
  auto* grid = FrameGrid(frame);
  int row = 0;
  for (const Row& r : kRows) {
    QLabel* value = AddValue(r.name, frame, r.text);
    grid->addWidget(CaptionOf(value, QString::fromLatin1(r.caption), frame), row, 0);
    SetNarrowest(
        value,
        value->fontMetrics().horizontalAdvance(QStringLiteral("Centre-Half-Forward  ")) + 16);
    grid->addWidget(value, row++, 1);
  }
  grid->setColumnStretch(1, 1);
  return frame;
}

QWidget* TeamScreen::MakeSeasonStatistics() {
  struct Row {
    const char* caption;
    const char* name;
    int Career::*field;
  };
  static constexpr Row kRows[] = {
      {"Matches:", "lblMatches", &Career::TeamMatches},
      {"Wins:", "lblWins", &Career::TeamWins},
      {"Losses:", "lblLosses", &Career::TeamLosses},
      {"Draws:", "lblDraws", &Career::TeamDraws},
      {"Goals:", "lblGoals", &Career::TeamGoals},
      {"Behinds:", "lblBehinds", &Career::TeamBehinds},
  };
  auto* frame = Frame("Season Statistics", "fraSeasonStatistics", this);
  auto* grid = FrameGrid(frame);
  int row = 0;
  for (const Row& r : kRows) {
    const auto field = r.field;
    QLabel* value = AddValue(r.name, frame, [field](const Career& c) { return Whole(c.*field); });
    grid->addWidget(CaptionOf(value, QString::fromLatin1(r.caption), frame), row, 0);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(value, row++, 1);
  }
  lblPosition_ = ValueLabel("lblPosition", frame);
  grid->addWidget(CaptionOf(lblPosition_, QStringLiteral("League Position:"), frame), row, 0);
  lblPosition_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  grid->addWidget(lblPosition_, row, 1);
  grid->setColumnStretch(1, 1);
  return frame;
}

QWidget* TeamScreen::MakeTeamOperation() {
  return BarFrame("Team Operation", "fraTeamOperation", this,
                  {{"Training Setup:", "pbTrainingSetup"},
                   {"Match Gear:", "pbMatchGear"},
                   {"Dietary Plan:", "pbDietryPlan"},
                   {"Motivation:", "pbMotivation"},
                   {"Overall:", "pbTeamOverall"}});
}

QWidget* TeamScreen::MakeCoachSkill() {
  return BarFrame("Coach Skill", "fraCoachSkill", this,
                  {{"Training:", "pbTraining"},
                   {"Strategy:", "pbStrategy"},
                   {"Inspiration:", "pbInspiration"},
                   {"Overall:", "pbCoachOverall"}});
}

QWidget* TeamScreen::MakeFinances() {
  struct Row {
    const char* caption;
    const char* name;
    const char* shown;
  };
  static constexpr Row kRows[] = {
      {"Match Earnings:", "lblMatchEarnings", ""},
      {"Sponsorship:", "lblSponsorship", ""},
      {"Other Income:", "lblOtherIncome", ""},
      {"Bank Balance:", "lblBankBalance", kClubBankBalance},
  };
  auto* frame = Frame("Finances", "fraFinances", this);
  auto* grid = FrameGrid(frame);
  AlignCaptions(grid, frame);
  int row = 0;
  for (const Row& r : kRows) {
    auto* dollar = Caption(QStringLiteral("$"), frame);
    dollar->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(dollar, row, 1);
    QLabel* value = ValueLabel(r.name, frame);
    grid->addWidget(CaptionOf(value, QString::fromLatin1(r.caption), frame), row, 0);
    value->setText(QString::fromLatin1(r.shown));
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(value, row++, 2);
  }
  grid->setColumnStretch(2, 1);
  return frame;
}

QLabel* TeamScreen::AddValue(const char* name, QWidget* parent,
                             std::function<std::string(const Career&)> text) {
  QLabel* label = ValueLabel(name, parent);
  texts_.push_back({label, std::move(text)});
  return label;
}

void TeamScreen::refresh() {
  if (!game_.HasCareer()) return;
  const Career& career = game_.career();
  for (const ShownText& shown : texts_) shown.label->setText(ToQt(shown.text(career)));
  // A club on no row of the ladder keeps the position shown before.
  lblPosition_->setText(
      ToQt(LeaguePosition(BuildLadder(career), career.Team, ToStd(lblPosition_->text()))));
  if (ladder_) ladder_->refresh();
}

void TeamScreen::cmdCareerDetails_Click() {
  hide();
  Q_EMIT careerDetailsRequested();
}

void TeamScreen::cmdAbout_Click() {
  if (aboutBox_) {
    aboutBox_->raise();
    aboutBox_->activateWindow();
    return;
  }
  aboutBox_ = OpenAboutBox(this, game_.prompter(), "frmAboutTeam");
}

void TeamScreen::cmdLadder_Click() {
  if (!game_.HasCareer()) return;
  if (!ladder_) {
    ladder_ = std::make_unique<LadderScreen>(game_.career());
    connect(ladder_.get(), &InfoScreen::closed, this, [this] { HandBackTo(this); });
  }
  ladder_->refresh();
  ladder_->adjustSize();
  OpenFrom(this, ladder_.get());
}

void TeamScreen::cmdRecords_Click() {
  if (!records_) {
    records_ = std::make_unique<TeamRecordsScreen>();
    connect(records_.get(), &InfoScreen::closed, this, [this] { HandBackTo(this); });
  }
  OpenFrom(this, records_.get());
}

void TeamScreen::cmdResults_Click() {
  if (!game_.HasCareer()) return;
  if (!results_) {
    results_ = std::make_unique<ResultsScreen>(game_);
    connect(results_.get(), &ResultsScreen::closed, this, [this] { HandBackTo(this); });
  }
  // It opens at this week's round with the player's name and club as they
  // are now.
  results_->refresh();
  OpenFrom(this, results_.get());
}

void TeamScreen::cmdExit_Click() { Q_EMIT exitRequested(); }

// The club's own play, training, sponsorship and management are not run by
// the player: these buttons do nothing.
void TeamScreen::cmdPlay_Click() {}
void TeamScreen::cmdStore_Click() {}
void TeamScreen::cmdSponsorship_Click() {}
void TeamScreen::cmdManagement_Click() {}

void TeamScreen::closeEvent(QCloseEvent* event) {
  // Closing the window asks the quit question, like Exit.
  event->ignore();
  if (isEnabled()) cmdExit_Click();
}

}  // namespace km::screens
