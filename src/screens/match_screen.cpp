// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/match_screen.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QStackedLayout>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/number_format.h"
#include "match/match_reveal.h"
#include "screens/game_settings.h"
#include "screens/look.h"
#include "screens/qt_text.h"
#include "screens/screen_parts.h"

namespace km::screens {

namespace {

constexpr const char* kTitle = "Kickmark - Match";
constexpr const char* kRatingCaption = "Match Rating (Out of 10):";
constexpr const char* kFinish = "Finish";
constexpr const char* kQuarterHeads[kQuarters] = {"1st", "2nd", "3rd", "4th"};

QString Number(int value) { return QString::number(value); }

// The paces: their words in the game's settings and how long a clock minute
// takes at each. A quarter's thirty minutes take about thirty seconds at
// Watch, eight at Normal and two at Fast.
struct SpeedOf {
  MatchSpeed speed;
  const char* word;
  int milliseconds;
};
constexpr SpeedOf kSpeeds[] = {
    {MatchSpeed::Watch, "watch", 1000},
    {MatchSpeed::Normal, "normal", 267},
    {MatchSpeed::Fast, "fast", 67},
};

// "1 goal", "3 goals".
QString Counted(int count, const char* one) {
  return QStringLiteral("%1 %2%3")
      .arg(count)
      .arg(QLatin1String(one))
      .arg(count == 1 ? QString() : QStringLiteral("s"));
}

// What a reader hears at a siren: the break, the score, his figures and the
// comment, and at full time his rating.
QString SirenWords(const MatchState& s) {
  QStringList words;
  words << ToQt(s.QuarterTitle) + QLatin1Char('.')
        << ScoreWords(ToQt(s.TeamOne), s.GoalsOne, s.BehindsOne, s.PointsOne)
        << ScoreWords(ToQt(s.TeamTwo), s.GoalsTwo, s.BehindsTwo, s.PointsTwo)
        << QStringLiteral("Disposals: %1, Goals: %2, Behinds: %3.")
               .arg(s.Disposals)
               .arg(s.Goals)
               .arg(s.Behinds);
  if (s.FullTime) {
    words << QStringLiteral("%1 %2.").arg(QLatin1String(kRatingCaption),
                                          ToQt(FormatNumber(s.MatchRating, kMatchRatingPattern)));
  }
  words << QStringLiteral("Comments: ") + ToQt(s.Comments);
  return words.join(QLatin1Char(' '));
}

// The pace buttons: the game's plain buttons, smaller, the chosen pace filled
// in the game's green.
constexpr const char* kSpeedStyle = R"(
QToolButton {
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #dfe7dc);
  border: 1px solid #6f8f72;
  border-radius: 4px;
  padding: 0.2em 0.45em;
  min-height: 1.4em;
  color: #1d3b22;
}
QToolButton:hover {
  border-color: #2f6b3a;
}
QToolButton:pressed {
  background: #cddbc9;
}
QToolButton:checked {
  color: #ffffff;
  background: #2f6b3a;
  border-color: #1b4523;
}
QToolButton:focus {
  border: 2px solid #2f6b3a;
}
QToolButton:checked:focus {
  border: 2px solid #10240f;
}
QToolButton:disabled {
  color: #9aa59b;
  background: #eef1ec;
  border-color: #c3ccc2;
}
)";

// A widget that keeps its place in the layout while it is hidden, so the
// screen does not jump when the full-time figures appear.
void KeepPlaceWhenHidden(QWidget* widget) {
  QSizePolicy policy = widget->sizePolicy();
  policy.setRetainSizeWhenHidden(true);
  widget->setSizePolicy(policy);
}

QLabel* BoardCaption(const QString& text, QWidget* parent) {
  auto* label = new TextLabel(text, parent);
  SetRole(label, "boardCaption");
  label->setAlignment(Qt::AlignCenter);
  return label;
}

}  // namespace

QString ScoreWords(const QString& team, int goals, int behinds, int points) {
  return QStringLiteral("%1: %2, %3, %4.")
      .arg(team, Counted(goals, "goal"), Counted(behinds, "behind"), Counted(points, "point"));
}

int MinuteMilliseconds(MatchSpeed speed) {
  for (const SpeedOf& pace : kSpeeds) {
    if (pace.speed == speed) return pace.milliseconds;
  }
  return kSpeeds[1].milliseconds;
}

MatchSpeed RememberedMatchSpeed() {
  const QString word =
      GameSettings().value(QString::fromLatin1(GameSettings::kMatchSpeed)).toString();
  for (const SpeedOf& pace : kSpeeds) {
    if (word == QLatin1String(pace.word)) return pace.speed;
  }
  return MatchSpeed::Normal;
}

void RememberMatchSpeed(MatchSpeed speed) {
  for (const SpeedOf& pace : kSpeeds) {
    if (pace.speed == speed) {
      GameSettings().setValue(QString::fromLatin1(GameSettings::kMatchSpeed),
                              QString::fromLatin1(pace.word));
    }
  }
}

MatchScreen::MatchScreen(Game& game, QWidget* parent) : QWidget(parent, Qt::Window), game_(game) {
  setObjectName(QStringLiteral("frmMatch"));
  setWindowTitle(QString::fromLatin1(kTitle));

  QLabel* title = AddValue(
      "lblTitle", this, [](const MatchState& s) { return ToQt(s.Title); }, "heading");

  // The break, the quarter and the minute of the clock.
  auto* clockRow = new QHBoxLayout;
  clockRow->setSpacing(8);
  QLabel* quarterTitle = AddValue(
      "lblQuarterTitle", this, [](const MatchState& s) { return ToQt(s.QuarterTitle); }, "break");
  clockRow->addWidget(quarterTitle);
  clockRow->addStretch(1);
  QLabel* quarter =
      AddValue("lblQuarter", this, [](const MatchState& s) { return Number(s.Quarter); });
  clockRow->addWidget(CaptionOf(quarter, QStringLiteral("Quarter:"), this));
  quarter->setAlignment(Qt::AlignCenter);
  SetNarrowest(quarter, quarter->fontMetrics().averageCharWidth() * 5);
  clockRow->addWidget(quarter);
  clockRow->addSpacing(10);
  QLabel* time = AddValue("lblTime", this, [](const MatchState& s) { return Number(s.Time); });
  clockRow->addWidget(CaptionOf(time, QStringLiteral("Time:"), this));
  time->setAlignment(Qt::AlignCenter);
  SetNarrowest(time, time->fontMetrics().averageCharWidth() * 5);
  clockRow->addWidget(time);

  // The rating and the buttons.
  label7_ = Caption(QString::fromLatin1(kRatingCaption), this);
  label7_->setObjectName(QStringLiteral("Label7"));
  lblMatchRating_ = AddValue(
      "lblMatchRating", this,
      [](const MatchState& s) { return ToQt(FormatNumber(s.MatchRating, kMatchRatingPattern)); },
      "rating");
  lblMatchRating_->setAlignment(Qt::AlignCenter);
  ReadWithCaption(lblMatchRating_, QString::fromLatin1(kRatingCaption));
  SetNarrowest(lblMatchRating_, lblMatchRating_->fontMetrics().averageCharWidth() * 6);
  cmdStart_ = Button(QStringLiteral("Start Match"), "cmdStart", this);
  cmdStart_->setMinimumWidth(cmdStart_->fontMetrics().averageCharWidth() * 18);
  cmdOK_ = Button(QString::fromLatin1(kFinish), "cmdOK", this);
  connect(cmdStart_, &QPushButton::clicked, this, &MatchScreen::cmdStart_Click);
  connect(cmdOK_, &QPushButton::clicked, this, &MatchScreen::cmdOK_Click);
  for (QWidget* fullTime : {static_cast<QWidget*>(label7_), static_cast<QWidget*>(lblMatchRating_),
                            static_cast<QWidget*>(cmdOK_)}) {
    KeepPlaceWhenHidden(fullTime);
    fullTime->hide();
  }
  // The clock's paces while the match is on; the rating takes their place at
  // full time.
  ratingRow_ = new QWidget(this);
  auto* rating = new QHBoxLayout(ratingRow_);
  rating->setContentsMargins(0, 0, 0, 0);
  rating->setSpacing(10);
  rating->addWidget(label7_);
  rating->addWidget(lblMatchRating_);
  rating->addStretch(1);
  lead_ = new QStackedLayout;
  lead_->addWidget(MakeSpeed());
  lead_->addWidget(ratingRow_);
  auto* bottomRow = new QHBoxLayout;
  bottomRow->setSpacing(10);
  bottomRow->addLayout(lead_);
  bottomRow->addStretch(1);
  bottomRow->addWidget(cmdStart_);
  bottomRow->addWidget(cmdOK_);

  auto* layout = new QVBoxLayout(ScreenPage(this));
  layout->setContentsMargins(16, 10, 16, 14);
  layout->setSpacing(10);
  layout->addWidget(title);
  layout->addLayout(clockRow);
  layout->addWidget(MakeScoreboard());
  layout->addWidget(MakePlayer(), 1);
  layout->addLayout(bottomRow);

  tmrMatch_ = new QTimer(this);
  tmrMatch_->setObjectName(QStringLiteral("tmrMatch"));
  // A match starts at the pace he chose last, never held.
  speed_ = RememberedMatchSpeed();
  tmrMatch_->setInterval(MinuteMilliseconds(speed_));
  connect(tmrMatch_, &QTimer::timeout, this, &MatchScreen::tmrMatch_Timer);

  // Space starts the next quarter whatever has the focus; Enter presses the
  // button with the focus, or Start, or Finish at full time, which Escape
  // presses too.
  startKey_ = new QShortcut(QKeySequence(Qt::Key_Space), this);
  startKey_->setAutoRepeat(false);
  connect(startKey_, &QShortcut::activated, cmdStart_, &QPushButton::click);
  UseScreenKeys(this, {cmdStart_, cmdOK_}, {cmdOK_});
  // Tab goes through the paces and on to Start, as they stand.
  setTabOrder(cmdToSiren_, cmdStart_);

  refresh();
  cmdStart_->setFocus();
}

QWidget* MatchScreen::MakeSpeed() {
  speedRow_ = new QWidget(this);
  speedRow_->setObjectName(QStringLiteral("fraSpeed"));
  speedRow_->setStyleSheet(QString::fromLatin1(kSpeedStyle));
  auto* row = new QHBoxLayout(speedRow_);
  // Room above and below for the ring round the pace with the focus.
  row->setContentsMargins(0, 4, 0, 4);
  row->setSpacing(6);
  row->addWidget(Caption(QStringLiteral("Clock:"), speedRow_));

  speeds_ = new QButtonGroup(speedRow_);
  speeds_->setExclusive(true);
  struct Pace {
    const char* caption;
    const char* name;
    const char* read;  // what a screen reader says
    void (MatchScreen::*click)();
    bool held;  // a pace that stays chosen
  };
  static constexpr Pace kPaces[] = {
      {"Pause", "cmdPause", "Pause the clock", &MatchScreen::cmdPause_Click, true},
      {"Watch", "cmdWatch", "Watch, about thirty seconds a quarter", &MatchScreen::cmdWatch_Click,
       true},
      {"Normal", "cmdNormal", "Normal speed", &MatchScreen::cmdNormal_Click, true},
      {"Fast (4\u00d7)", "cmdFast", "Fast, four times normal speed", &MatchScreen::cmdFast_Click,
       true},
      {"To the siren", "cmdToSiren", "Play to the siren", &MatchScreen::cmdToSiren_Click, false},
  };
  QToolButton* made[std::size(kPaces)] = {};
  for (std::size_t i = 0; i < std::size(kPaces); ++i) {
    const Pace& pace = kPaces[i];
    auto* button = new QToolButton(speedRow_);
    button->setObjectName(QString::fromLatin1(pace.name));
    button->setText(QString::fromUtf8(pace.caption));
    button->setAccessibleName(QString::fromLatin1(pace.read));
    button->setToolTip(QString::fromLatin1(pace.read));
    button->setCheckable(pace.held);
    button->setAutoRaise(false);
    button->setFocusPolicy(Qt::TabFocus);
    // As tall as Start beside them.
    button->setMinimumHeight(cmdStart_->sizeHint().height());
    // The held paces are one group of options, of which one is chosen.
    if (pace.held) {
      speeds_->addButton(button);
      ReadAsOption(button);
    }
    connect(button, &QToolButton::clicked, this, pace.click);
    row->addWidget(button);
    made[i] = button;
  }
  row->addStretch(1);
  cmdPause_ = made[0];
  cmdWatch_ = made[1];
  cmdNormal_ = made[2];
  cmdFast_ = made[3];
  cmdToSiren_ = made[4];
  return speedRow_;
}

QWidget* MatchScreen::MakeScoreboard() {
  auto* board = new QFrame(this);
  board->setObjectName(QStringLiteral("fraScoreboard"));
  auto* grid = new QGridLayout(board);
  grid->setContentsMargins(14, 10, 14, 12);
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(4);

  // Two header rows: the quarters over their goals and behinds, then the
  // running score.
  const int firstQuarterColumn = 1;
  const int scoreColumn = firstQuarterColumn + kQuarters * 2 + 1;
  for (int q = 0; q < kQuarters; ++q) {
    const int column = firstQuarterColumn + q * 2;
    // Read in full: "1st quarter", "1st quarter goals".
    const QString quarter = QString::fromLatin1(kQuarterHeads[q]) + QStringLiteral(" quarter");
    QLabel* head = BoardCaption(QString::fromLatin1(kQuarterHeads[q]), board);
    head->setAccessibleName(quarter);
    QLabel* goals = BoardCaption(QStringLiteral("G"), board);
    goals->setAccessibleName(quarter + QStringLiteral(" goals"));
    QLabel* behinds = BoardCaption(QStringLiteral("B"), board);
    behinds->setAccessibleName(quarter + QStringLiteral(" behinds"));
    grid->addWidget(head, 0, column, 1, 2);
    grid->addWidget(goals, 1, column);
    grid->addWidget(behinds, 1, column + 1);
  }
  grid->setColumnMinimumWidth(scoreColumn - 1, board->fontMetrics().averageCharWidth() * 3);
  grid->addWidget(BoardCaption(QStringLiteral("Goals"), board), 1, scoreColumn);
  grid->addWidget(BoardCaption(QStringLiteral("Behinds"), board), 1, scoreColumn + 1);
  grid->addWidget(BoardCaption(QStringLiteral("Points"), board), 1, scoreColumn + 2);

  struct Side {
    const char* team;
    std::string MatchState::*name;
    const char* goals;
    const char* behinds;
    const char* points;
    int MatchState::*goalsNow;
    int MatchState::*behindsNow;
    int MatchState::*pointsNow;
    std::array<int, kQuarters> MatchState::*goalsAt;
    std::array<int, kQuarters> MatchState::*behindsAt;
  };
  static constexpr Side kSides[] = {
      {"lblTeamOne", &MatchState::TeamOne, "lblGoalsOne", "lblBehindsOne", "lblPointsOne",
       &MatchState::GoalsOne, &MatchState::BehindsOne, &MatchState::PointsOne,
       &MatchState::GoalsOneAt, &MatchState::BehindsOneAt},
      {"lblTeamTwo", &MatchState::TeamTwo, "lblGoalsTwo", "lblBehindsTwo", "lblPointsTwo",
       &MatchState::GoalsTwo, &MatchState::BehindsTwo, &MatchState::PointsTwo,
       &MatchState::GoalsTwoAt, &MatchState::BehindsTwoAt},
  };
  int row = 2;
  for (const Side& side : kSides) {
    const auto name = side.name;
    QLabel* team = AddValue(
        side.team, board, [name](const MatchState& s) { return ToQt(s.*name); }, "team");
    SetNarrowest(team, team->fontMetrics().averageCharWidth() * 22);
    grid->addWidget(team, row, 0);
    for (int q = 0; q < kQuarters; ++q) {
      const auto at = static_cast<std::size_t>(q);
      const auto goalsAt = side.goalsAt;
      const auto behindsAt = side.behindsAt;
      const QByteArray goalsName = QByteArray(side.goals) + QByteArray::number(q + 1);
      const QByteArray behindsName = QByteArray(side.behinds) + QByteArray::number(q + 1);
      QLabel* goals = AddValue(
          goalsName.constData(), board,
          [goalsAt, at](const MatchState& s) { return Number((s.*goalsAt)[at]); }, "quarter");
      QLabel* behinds = AddValue(
          behindsName.constData(), board,
          [behindsAt, at](const MatchState& s) { return Number((s.*behindsAt)[at]); }, "quarter");
      grid->addWidget(goals, row, firstQuarterColumn + q * 2);
      grid->addWidget(behinds, row, firstQuarterColumn + q * 2 + 1);
    }
    const auto goalsNow = side.goalsNow;
    const auto behindsNow = side.behindsNow;
    const auto pointsNow = side.pointsNow;
    grid->addWidget(AddValue(
                        side.goals, board,
                        [goalsNow](const MatchState& s) { return Number(s.*goalsNow); }, "score"),
                    row, scoreColumn);
    grid->addWidget(
        AddValue(
            side.behinds, board,
            [behindsNow](const MatchState& s) { return Number(s.*behindsNow); }, "score"),
        row, scoreColumn + 1);
    grid->addWidget(
        AddValue(
            side.points, board, [pointsNow](const MatchState& s) { return Number(s.*pointsNow); },
            "points"),
        row, scoreColumn + 2);
    ++row;
  }
  for (QLabel* label : board->findChildren<QLabel*>()) {
    if (label->property("role") != QStringLiteral("team")) label->setAlignment(Qt::AlignCenter);
    if (label->property("role") == QStringLiteral("quarter")) {
      SetNarrowest(label, label->fontMetrics().averageCharWidth() * 4);
    }
    if (label->property("role") == QStringLiteral("score") ||
        label->property("role") == QStringLiteral("points")) {
      SetNarrowest(label, label->fontMetrics().averageCharWidth() * 8);
    }
  }
  grid->setColumnStretch(0, 1);
  return board;
}

QWidget* MatchScreen::MakePlayer() {
  auto* frame = Frame("Player", "fraMatchPlayer", this);
  auto* grid = new QGridLayout(frame);
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(5);

  struct Row {
    const char* caption;
    const char* name;
    QString (*text)(const MatchState&);
  };
  static constexpr Row kWho[] = {
      {"Name:", "lblName", [](const MatchState& s) { return ToQt(s.Name); }},
      {"Team:", "lblTeam", [](const MatchState& s) { return ToQt(s.Team); }},
      {"Position:", "lblPosition", [](const MatchState& s) { return ToQt(s.Position); }},
  };
  static constexpr Row kFigures[] = {
      {"Disposals:", "lblDisposals", [](const MatchState& s) { return Number(s.Disposals); }},
      {"Goals:", "lblGoals", [](const MatchState& s) { return Number(s.Goals); }},
      {"Behinds:", "lblBehinds", [](const MatchState& s) { return Number(s.Behinds); }},
  };
  int row = 0;
  for (const Row& r : kWho) {
    QLabel* value = AddValue(r.name, frame, r.text);
    grid->addWidget(CaptionOf(value, QString::fromLatin1(r.caption), frame), row, 0);
    SetNarrowest(
        value,
        value->fontMetrics().horizontalAdvance(QStringLiteral("Centre-Half-Forward  ")) + 16);
    grid->addWidget(value, row++, 1);
  }
  row = 0;
  for (const Row& r : kFigures) {
    QLabel* value = AddValue(r.name, frame, r.text);
    grid->addWidget(CaptionOf(value, QString::fromLatin1(r.caption), frame), row, 3);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(value, row++, 4);
  }
  grid->setColumnMinimumWidth(2, frame->fontMetrics().averageCharWidth() * 3);
  grid->setColumnStretch(1, 1);

  // What the commentators make of his game, below his figures.
  QLabel* comments = AddValue(
      "lblComments", frame, [](const MatchState& s) { return ToQt(s.Comments); }, "comments");
  grid->addWidget(CaptionOf(comments, QStringLiteral("Comments:"), frame), row, 0, Qt::AlignTop);
  comments->setWordWrap(true);
  comments->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  // Room for the longest verdict, five lines of it.
  comments->ensurePolished();
  comments->setMinimumHeight(comments->fontMetrics().lineSpacing() * 5 +
                             comments->fontMetrics().height() / 2);
  comments->setMinimumWidth(comments->fontMetrics().averageCharWidth() * 56);
  grid->addWidget(comments, row, 1, 1, 4);
  grid->setRowStretch(row, 1);
  return frame;
}

QLabel* MatchScreen::AddValue(const char* name, QWidget* parent,
                              std::function<QString(const MatchState&)> text, const char* role) {
  auto* label = new TextLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  SetRole(label, role);
  label->ensurePolished();
  SetNarrowest(label, label->fontMetrics().averageCharWidth() * 6);
  texts_.push_back({label, std::move(text)});
  return label;
}

void MatchScreen::refresh() {
  if (const Match* match = game_.match()) Show(match->state());
}

void MatchScreen::NameCells(const MatchState& state) {
  // Each number is read with its club and column: "West Coburg, 3rd quarter goals: 9".
  const std::string clubs = state.TeamOne + '\n' + state.TeamTwo;
  if (clubs == namedFor_) return;
  namedFor_ = clubs;
  const std::pair<const std::string*, const char*> sides[] = {{&state.TeamOne, "One"},
                                                              {&state.TeamTwo, "Two"}};
  const auto name = [this](const QString& label, const QString& caption) {
    if (auto* cell = findChild<QLabel*>(label)) ReadWithCaption(cell, caption);
  };
  for (const auto& [team, side] : sides) {
    const QString club = ToQt(*team) + QStringLiteral(", ");
    const QString which = QString::fromLatin1(side);
    for (int q = 0; q < kQuarters; ++q) {
      const QString quarter =
          club + QString::fromLatin1(kQuarterHeads[q]) + QStringLiteral(" quarter");
      name(QStringLiteral("lblGoals%1%2").arg(which).arg(q + 1),
           quarter + QStringLiteral(" goals"));
      name(QStringLiteral("lblBehinds%1%2").arg(which).arg(q + 1),
           quarter + QStringLiteral(" behinds"));
    }
    name(QStringLiteral("lblGoals") + which, club + QStringLiteral("goals"));
    name(QStringLiteral("lblBehinds") + which, club + QStringLiteral("behinds"));
    name(QStringLiteral("lblPoints") + which, club + QStringLiteral("points"));
  }
}

void MatchScreen::Show(const MatchState& state) {
  NameCells(state);
  // While the clock runs his figures come out across the quarter's minutes.
  const MatchState shown = Revealed(atStart_, state);
  for (const ShownText& text : texts_) text.label->setText(text.text(shown));
  // The chosen pace, Pause while the clock is held. When the quarter starts
  // from Start, the focus goes to the pace chosen, where Space changes
  // nothing; there it stays, through the break too.
  QToolButton* chosen = paused_                       ? cmdPause_
                        : speed_ == MatchSpeed::Watch ? cmdWatch_
                        : speed_ == MatchSpeed::Fast  ? cmdFast_
                                                      : cmdNormal_;
  chosen->setChecked(true);
  const bool startHadFocus = focusWidget() == cmdStart_;
  // Finish comes at full time and takes the focus before the paces make way
  // for the rating, so that the focus never passes through anything else.
  cmdOK_->setVisible(state.FullTime);
  if (state.FullTime && (startHadFocus || speedRow_->isAncestorOf(focusWidget()))) {
    cmdOK_->setFocus();
  } else if (!state.StartEnabled && startHadFocus) {
    chosen->setFocus();
  }
  cmdStart_->setText(ToQt(state.StartCaption));
  cmdStart_->setEnabled(state.StartEnabled);
  // Pausing and playing to the siren are for a running clock; the paces
  // make way for the rating at full time.
  if (!state.ClockRunning && (focusWidget() == cmdPause_ || focusWidget() == cmdToSiren_)) {
    (state.FullTime ? static_cast<QWidget*>(cmdOK_) : chosen)->setFocus();
  }
  cmdPause_->setEnabled(state.ClockRunning);
  cmdToSiren_->setEnabled(state.ClockRunning);
  lead_->setCurrentWidget(state.FullTime ? ratingRow_ : speedRow_);
  // While the clock runs Space goes to the control with the focus.
  startKey_->setEnabled(state.StartEnabled);
  // The rating comes at full time.
  label7_->setVisible(state.FullTime);
  lblMatchRating_->setVisible(state.FullTime);
}

void MatchScreen::cmdStart_Click() {
  Match* match = game_.match();
  if (!match || !match->state().StartEnabled) return;
  atStart_ = match->state();
  match->StartQuarter();
  paused_ = false;
  breakMinutes_ = 0;
  Show(match->state());
  RunClock();
}

void MatchScreen::PlayThrough() {
  playingThrough_ = true;
  if (game_.match() && game_.match()->state().StartEnabled) {
    cmdStart_Click();
  } else {
    RunClock();
  }
}

void MatchScreen::RunClock() {
  const Match* match = game_.match();
  const int interval = MinuteMilliseconds(speed_);
  if (tmrMatch_->interval() != interval) tmrMatch_->setInterval(interval);
  // The clock runs through the quarter, and through a break when the match
  // is played through.
  const bool due =
      match && (match->state().ClockRunning || (playingThrough_ && match->state().StartEnabled));
  if (!due || paused_) {
    tmrMatch_->stop();
  } else if (!tmrMatch_->isActive()) {
    tmrMatch_->start();
  }
}

void MatchScreen::ChooseSpeed(MatchSpeed speed) {
  speed_ = speed;
  RememberMatchSpeed(speed);
  paused_ = false;
  RunClock();
  refresh();
}

void MatchScreen::cmdWatch_Click() { ChooseSpeed(MatchSpeed::Watch); }

void MatchScreen::cmdNormal_Click() { ChooseSpeed(MatchSpeed::Normal); }

void MatchScreen::cmdFast_Click() { ChooseSpeed(MatchSpeed::Fast); }

void MatchScreen::cmdPause_Click() {
  const Match* match = game_.match();
  paused_ = match && (match->state().ClockRunning || playingThrough_);
  RunClock();
  refresh();
}

void MatchScreen::cmdToSiren_Click() {
  // The timer's own minutes, one after another without the wait.
  tmrMatch_->stop();
  while (game_.match() && game_.match()->state().ClockRunning) tmrMatch_Timer();
}

void MatchScreen::tmrMatch_Timer() {
  Match* match = game_.match();
  if (!match) {
    tmrMatch_->stop();
    return;
  }
  if (!match->state().ClockRunning) {
    // A break of a match played through: the next quarter after a few minutes.
    if (playingThrough_ && match->state().StartEnabled && ++breakMinutes_ >= kBreakMinutes) {
      cmdStart_Click();
    } else if (!playingThrough_ || !match->state().StartEnabled) {
      tmrMatch_->stop();
    }
    return;
  }
  match->PlayMinute();
  const MatchState& state = match->state();
  if (!state.ClockRunning) {
    // The siren: a pause ends with it, and the quarter is told once.
    paused_ = false;
    breakMinutes_ = 0;
    RunClock();
    Announce(this, SirenWords(state));
  }
  Show(state);
}

void MatchScreen::cmdOK_Click() {
  const Match* match = game_.match();
  if (!match || !match->state().FullTime) return;
  tmrMatch_->stop();
  // The match screen goes first, the round taking input again; booking the
  // match may then bring message boxes and the newspaper over the round.
  Q_EMIT leaving();
  hide();
  game_.FinishMatch();
  Q_EMIT finished();
}

void MatchScreen::showEvent(QShowEvent* event) {
  refresh();
  QWidget::showEvent(event);
}

void MatchScreen::closeEvent(QCloseEvent* event) {
  // A match is played to full time and left with Finish.
  event->ignore();
}

}  // namespace km::screens
