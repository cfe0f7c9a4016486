// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/round_screen.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "screens/look.h"
#include "screens/match_screen.h"
#include "screens/qt_text.h"
#include "screens/screen_parts.h"

namespace km::screens {

namespace {

constexpr const char* kTitle = "Kickmark - Round";
constexpr const char* kQuarterHeads[4] = {"1st", "2nd", "3rd", "4th"};
constexpr const char* kSides[2] = {"One", "Two"};

// The longest club names of the four competitions fit their label.
constexpr const char* kLongNames[] = {"Port Adelaide Power", "Edithvale/Aspendale",
                                      "Dandenong Stingray.", "Collingw'd Magpies"};

// Slot 1's labels carry the bare names, slot K of 2..8 adds its number.
QString SlotSuffix(int slot) { return slot == 0 ? QString() : QString::number(slot + 1); }

QLabel* Cell(const QString& name, const char* role, int width, QWidget* parent) {
  auto* label = new TextLabel(QStringLiteral("0"), parent);
  label->setObjectName(name);
  SetRole(label, role);
  label->setAlignment(Qt::AlignCenter);
  label->setFixedWidth(width);
  return label;
}

QLabel* HeadCell(const QString& text, int width, QWidget* parent) {
  auto* label = new TextLabel(text, parent);
  SetRole(label, "slotHead");
  label->setAlignment(Qt::AlignCenter);
  label->setFixedWidth(width);
  return label;
}

QString Number(int value) { return QString::number(value); }

// "Match 3".
QString MatchName(int slot) { return QStringLiteral("Match %1").arg(slot + 1); }

// A match's result as a reader hears it: "Match 3: Carlton: 12 goals, ...".
QString ResultWords(int slot, const QString& teamOne, const QString& teamTwo,
                    const RoundSlot& score) {
  return MatchName(slot) + QStringLiteral(": ") +
         ScoreWords(teamOne, score.GoalsOne[3], score.BehindsOne[3], score.PointsOne) +
         QLatin1Char(' ') +
         ScoreWords(teamTwo, score.GoalsTwo[3], score.BehindsTwo[3], score.PointsTwo);
}

constexpr const char* kRoundOver =
    "Every match of the round has been played: OK finishes the round.";

}  // namespace

MatchSlots::MatchSlots(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("fraSlots"));
  ensurePolished();
  QFont bold = font();
  bold.setBold(true);
  const QFontMetrics metrics(bold);
  int nameWidth = 0;
  for (const char* name : kLongNames) {
    nameWidth = std::max(nameWidth, metrics.horizontalAdvance(QString::fromLatin1(name)));
  }
  nameWidth += metrics.averageCharWidth() * 3;
  const int cellWidth = metrics.averageCharWidth() * 4;
  const int pointsWidth = metrics.averageCharWidth() * 6;

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(4);
  layout->addWidget(MakeHeader(nameWidth, cellWidth, pointsWidth));

  for (int s = 0; s < kMatchesPerRound; ++s) {
    Slot& slot = slots_[static_cast<std::size_t>(s)];
    const QString suffix = SlotSuffix(s);
    slot.frame = new QFrame(this);
    slot.frame->setObjectName(QStringLiteral("fraSlot%1").arg(s + 1));
    SetRole(slot.frame, "slot");
    auto* grid = new QGridLayout(slot.frame);
    grid->setContentsMargins(6, 3, 6, 3);
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(2);
    for (int side = 0; side < 2; ++side) {
      const auto at = static_cast<std::size_t>(side);
      const QString which = QString::fromLatin1(kSides[side]);
      QLabel* team =
          Cell(QStringLiteral("lblTeam") + which + suffix, "roundName", nameWidth, slot.frame);
      team->setText(QString());
      team->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
      slot.team[at] = team;
      grid->addWidget(team, side, 0);
      for (int q = 0; q < 4; ++q) {
        const QString quarter = QString::number(q + 1);
        const auto qi = static_cast<std::size_t>(q);
        slot.goals[at][qi] = Cell(QStringLiteral("lblGoals") + which + quarter + suffix,
                                  "slotGoals", cellWidth, slot.frame);
        slot.behinds[at][qi] = Cell(QStringLiteral("lblBehinds") + which + quarter + suffix,
                                    "slotBehinds", cellWidth, slot.frame);
        grid->addWidget(slot.goals[at][qi], side, 1 + q * 2);
        grid->addWidget(slot.behinds[at][qi], side, 2 + q * 2);
      }
      slot.points[at] =
          Cell(QStringLiteral("lblPoints") + which + suffix, "slotPoints", pointsWidth, slot.frame);
      grid->addWidget(slot.points[at], side, 9);
    }
    grid->setColumnStretch(10, 1);
    layout->addWidget(slot.frame);
  }
  layout->addStretch(1);
}

QWidget* MatchSlots::MakeHeader(int nameWidth, int cellWidth, int pointsWidth) {
  auto* header = new QWidget(this);
  auto* grid = new QGridLayout(header);
  // The same margins and spacing as a slot's frame, so the columns line up.
  grid->setContentsMargins(7, 0, 7, 0);
  grid->setHorizontalSpacing(2);
  grid->setVerticalSpacing(0);
  grid->addWidget(HeadCell(QString(), nameWidth, header), 1, 0);
  for (int q = 0; q < 4; ++q) {
    auto* quarter = new TextLabel(QString::fromLatin1(kQuarterHeads[q]), header);
    SetRole(quarter, "slotHead");
    quarter->setAlignment(Qt::AlignCenter);
    // Read in full: "1st quarter", "1st quarter goals".
    const QString read = QString::fromLatin1(kQuarterHeads[q]) + QStringLiteral(" quarter");
    quarter->setAccessibleName(read);
    QLabel* goals = HeadCell(QStringLiteral("G"), cellWidth, header);
    goals->setAccessibleName(read + QStringLiteral(" goals"));
    QLabel* behinds = HeadCell(QStringLiteral("B"), cellWidth, header);
    behinds->setAccessibleName(read + QStringLiteral(" behinds"));
    grid->addWidget(quarter, 0, 1 + q * 2, 1, 2);
    grid->addWidget(goals, 1, 1 + q * 2);
    grid->addWidget(behinds, 1, 2 + q * 2);
  }
  grid->addWidget(HeadCell(QStringLiteral("Points"), pointsWidth, header), 1, 9);
  grid->setColumnStretch(10, 1);
  return header;
}

void MatchSlots::ShowSlot(int slot, const QString& teamOne, const QString& teamTwo,
                          const RoundSlot& score) {
  if (slot < 0 || slot >= kMatchesPerRound) return;
  Slot& shown = slots_[static_cast<std::size_t>(slot)];
  shown.team[0]->setText(teamOne);
  shown.team[1]->setText(teamTwo);
  for (std::size_t q = 0; q < 4; ++q) {
    shown.goals[0][q]->setText(Number(score.GoalsOne[q]));
    shown.behinds[0][q]->setText(Number(score.BehindsOne[q]));
    shown.goals[1][q]->setText(Number(score.GoalsTwo[q]));
    shown.behinds[1][q]->setText(Number(score.BehindsTwo[q]));
  }
  shown.points[0]->setText(Number(score.PointsOne));
  shown.points[1]->setText(Number(score.PointsTwo));
  NameSlot(slot);
}

void MatchSlots::NameSlot(int slot) {
  Slot& shown = slots_[static_cast<std::size_t>(slot)];
  const QString match = MatchName(slot);
  shown.frame->setAccessibleName(match);
  for (std::size_t side = 0; side < 2; ++side) {
    // "Match 4, your club: West Coburg"; each number with its club and column.
    const QString mark =
        shown.marks[side].isEmpty() ? QString() : QStringLiteral(", ") + shown.marks[side];
    ReadWithCaption(shown.team[side], match + mark);
    const QString club = shown.team[side]->text() + QStringLiteral(", ");
    for (std::size_t q = 0; q < 4; ++q) {
      const QString quarter =
          club + QString::fromLatin1(kQuarterHeads[q]) + QStringLiteral(" quarter");
      ReadWithCaption(shown.goals[side][q], quarter + QStringLiteral(" goals"));
      ReadWithCaption(shown.behinds[side][q], quarter + QStringLiteral(" behinds"));
    }
    ReadWithCaption(shown.points[side], club + QStringLiteral("points"));
  }
}

void MatchSlots::ShowCount(int count) {
  for (int s = 0; s < kMatchesPerRound; ++s) {
    slots_[static_cast<std::size_t>(s)].frame->setVisible(s < count);
  }
}

void MatchSlots::Paint(int slot, int side, NameColour colour) {
  if (slot < 0 || slot >= kMatchesPerRound || side < 0 || side > 1) return;
  Slot& shown = slots_[static_cast<std::size_t>(slot)];
  Restyle(shown.team[static_cast<std::size_t>(side)], "nameColour",
          QString::fromLatin1(ColourName(colour)));
  // Colour is not the only sign: a reader hears it with the club's name.
  const QString mark = colour == NameColour::PlayerClub  ? QStringLiteral("your club")
                       : colour == NameColour::NextMatch ? QStringLiteral("next match")
                                                         : QString();
  if (shown.marks[static_cast<std::size_t>(side)] == mark) return;
  shown.marks[static_cast<std::size_t>(side)] = mark;
  NameSlot(slot);
}

void MatchSlots::PaintPlain() {
  for (int s = 0; s < kMatchesPerRound; ++s) {
    for (int side = 0; side < 2; ++side) Paint(s, side, NameColour::Other);
  }
}

RoundScreen::RoundScreen(Game& game, QWidget* parent) : QWidget(parent, Qt::Window), game_(game) {
  setObjectName(QStringLiteral("frmMatchRound"));
  setWindowTitle(QString::fromLatin1(kTitle));

  lblTitle_ = Heading(QString(), "lblTitle", this);

  auto* roundRow = new QHBoxLayout;
  roundRow->setSpacing(8);
  lblLeague_ = ValueLabel("lblLeague", this);
  SetNarrowest(lblLeague_, lblLeague_->fontMetrics().averageCharWidth() * 16);
  lblRound_ = ValueLabel("lblRound", this);
  lblRound_->setAlignment(Qt::AlignCenter);
  SetNarrowest(lblRound_, lblRound_->fontMetrics().averageCharWidth() * 5);
  // The next match to play, counted from 0; the game keeps it, the screen
  // only holds it.
  lblMatch_ = new TextLabel(this);
  lblMatch_->setObjectName(QStringLiteral("lblMatch"));
  lblMatch_->hide();
  roundRow->addWidget(CaptionOf(lblLeague_, QStringLiteral("League:"), this));
  roundRow->addWidget(lblLeague_);
  roundRow->addSpacing(12);
  roundRow->addWidget(CaptionOf(lblRound_, QStringLiteral("Round:"), this));
  roundRow->addWidget(lblRound_);
  roundRow->addStretch(1);

  slots_ = new MatchSlots(this);

  cmdStart_ = Button(QStringLiteral("Start"), "cmdStart", this);
  cmdOK_ = Button(QStringLiteral("OK"), "cmdOK", this);
  connect(cmdStart_, &QPushButton::clicked, this, &RoundScreen::cmdStart_Click);
  connect(cmdOK_, &QPushButton::clicked, this, &RoundScreen::cmdOK_Click);
  // OK comes when the last match has been played; the row keeps its place.
  QSizePolicy keep = cmdOK_->sizePolicy();
  keep.setRetainSizeWhenHidden(true);
  cmdOK_->setSizePolicy(keep);
  cmdOK_->hide();
  cmdPlayAll_ = Button(QStringLiteral("Play all"), "cmdPlayAll", this);
  connect(cmdPlayAll_, &QPushButton::clicked, this, &RoundScreen::cmdPlayAll_Click);
  setTabOrder(cmdPlayAll_, cmdStart_);

  auto* bottomRow = new QHBoxLayout;
  bottomRow->setSpacing(10);
  bottomRow->addWidget(MakeScoreboard(), 1);
  bottomRow->addStretch(1);
  bottomRow->addWidget(cmdPlayAll_, 0, Qt::AlignBottom);
  bottomRow->addWidget(cmdStart_, 0, Qt::AlignBottom);
  bottomRow->addWidget(cmdOK_, 0, Qt::AlignBottom);

  auto* layout = new QVBoxLayout(ScreenPage(this));
  layout->setContentsMargins(16, 10, 16, 14);
  layout->setSpacing(8);
  layout->addWidget(lblTitle_);
  layout->addLayout(roundRow);
  layout->addWidget(slots_, 1);
  layout->addLayout(bottomRow);

  // Enter plays the next match, and once they are all played finishes the
  // round, as does Escape.
  UseScreenKeys(this, {cmdStart_, cmdOK_}, {cmdOK_});
  refresh();
  cmdStart_->setFocus();
}

QWidget* RoundScreen::MakeScoreboard() {
  // The other clubs' match while it is being played out: a work area that
  // the game clears once the match is in its slot.
  fraScoreboard_ = new QFrame(this);
  fraScoreboard_->setObjectName(QStringLiteral("fraRoundScoreboard"));
  SetRole(fraScoreboard_, "slot");
  auto* grid = new QGridLayout(fraScoreboard_);
  grid->setContentsMargins(6, 3, 6, 3);
  grid->setHorizontalSpacing(4);
  grid->setVerticalSpacing(2);
  const int cell = fontMetrics().averageCharWidth() * 4;
  for (int side = 0; side < 2; ++side) {
    const auto at = static_cast<std::size_t>(side);
    const QString team = QString::number(side + 1);
    const QString which = QString::fromLatin1(kSides[side]);
    lblT_[at] = Cell(QStringLiteral("lblT") + team, "roundName", cell * 5, fraScoreboard_);
    lblT_[at]->setText(QString());
    lblT_[at]->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(lblT_[at], side, 0);
    for (int q = 0; q < 4; ++q) {
      const auto qi = static_cast<std::size_t>(q);
      const QString quarter = QString::number(q + 1);
      lblG_[at][qi] =
          Cell(QStringLiteral("lblG") + team + quarter, "slotGoals", cell, fraScoreboard_);
      lblB_[at][qi] =
          Cell(QStringLiteral("lblB") + team + quarter, "slotBehinds", cell, fraScoreboard_);
      grid->addWidget(lblG_[at][qi], side, 1 + q * 2);
      grid->addWidget(lblB_[at][qi], side, 2 + q * 2);
    }
    lblGoals_[at] = Cell(QStringLiteral("lblGoals") + which, "slotGoals", cell, fraScoreboard_);
    lblBehinds_[at] =
        Cell(QStringLiteral("lblBehinds") + which, "slotBehinds", cell, fraScoreboard_);
    lblP_[at] = Cell(QStringLiteral("lblP") + team, "slotPoints", cell + cell / 2, fraScoreboard_);
    grid->addWidget(lblGoals_[at], side, 10);
    grid->addWidget(lblBehinds_[at], side, 11);
    grid->addWidget(lblP_[at], side, 12);
  }
  lblQuarter_ = Cell(QStringLiteral("lblQuarter"), "slotGoals", cell, fraScoreboard_);
  lblTime_ = Cell(QStringLiteral("lblTime"), "slotGoals", cell, fraScoreboard_);
  grid->addWidget(CaptionOf(lblQuarter_, QStringLiteral("Quarter:"), fraScoreboard_), 0, 13);
  grid->addWidget(lblQuarter_, 0, 14);
  grid->addWidget(CaptionOf(lblTime_, QStringLiteral("Time:"), fraScoreboard_), 1, 13);
  grid->addWidget(lblTime_, 1, 14);
  grid->setColumnStretch(15, 1);
  return fraScoreboard_;
}

void RoundScreen::refresh() {
  const Round* round = game_.round();
  if (!round || !game_.HasCareer()) return;
  const RunState& run = game_.run();
  lblTitle_->setText(ToQt(round->title()));
  lblLeague_->setText(ToQt(round->league()));
  lblRound_->setText(Number(round->roundNumber()));
  lblMatch_->setText(Number(round->next()));

  // The player's match while the match screen has it is not played yet.
  const Match* playing = game_.match();
  const int playingSlot = playing ? playing->state().MatchIndex : -1;
  for (int s = 0; s < kMatchesPerRound; ++s) {
    const auto at = static_cast<std::size_t>(s);
    // A match of this round not played yet shows no score from last week.
    const bool played = s < round->next() && s != playingSlot;
    slots_->ShowSlot(s, ToQt(run.roundTeamOne[at]), ToQt(run.roundTeamTwo[at]),
                     played ? run.roundSlots[at] : RoundSlot{});
    slots_->Paint(s, 0, round->colour(s, run.roundTeamOne[at]));
    slots_->Paint(s, 1, round->colour(s, run.roundTeamTwo[at]));
  }
  slots_->ShowCount(round->matchCount());

  const Scoreboard& board = round->scoreboard();
  lblT_[0]->setText(ToQt(board.T1));
  lblT_[1]->setText(ToQt(board.T2));
  lblGoals_[0]->setText(Number(board.GoalsOne));
  lblBehinds_[0]->setText(Number(board.BehindsOne));
  lblGoals_[1]->setText(Number(board.GoalsTwo));
  lblBehinds_[1]->setText(Number(board.BehindsTwo));
  for (std::size_t q = 0; q < 4; ++q) {
    lblG_[0][q]->setText(Number(board.G1[q]));
    lblB_[0][q]->setText(Number(board.B1[q]));
    lblG_[1][q]->setText(Number(board.G2[q]));
    lblB_[1][q]->setText(Number(board.B2[q]));
  }
  lblP_[0]->setText(Number(board.P1));
  lblP_[1]->setText(Number(board.P2));
  lblQuarter_->setText(Number(board.Quarter));
  lblTime_->setText(Number(board.Time));
  fraScoreboard_->setVisible(!board.T1.empty());
  for (std::size_t side = 0; side < 2; ++side) {
    const QString club = lblT_[side]->text() + QStringLiteral(", ");
    for (std::size_t q = 0; q < 4; ++q) {
      const QString quarter =
          club + QString::fromLatin1(kQuarterHeads[q]) + QStringLiteral(" quarter");
      ReadWithCaption(lblG_[side][q], quarter + QStringLiteral(" goals"));
      ReadWithCaption(lblB_[side][q], quarter + QStringLiteral(" behinds"));
    }
    ReadWithCaption(lblGoals_[side], club + QStringLiteral("goals"));
    ReadWithCaption(lblBehinds_[side], club + QStringLiteral("behinds"));
    ReadWithCaption(lblP_[side], club + QStringLiteral("points"));
  }

  // Start says which match it plays.
  if (round->startEnabled()) {
    const auto next = static_cast<std::size_t>(round->next());
    cmdStart_->setAccessibleDescription(QStringLiteral("%1: %2 v %3")
                                            .arg(MatchName(round->next()),
                                                 ToQt(run.roundTeamOne[next]),
                                                 ToQt(run.roundTeamTwo[next])));
  }
  // OK takes the focus from Start before Start is put out of reach. While
  // his match is played the whole screen is held (OpenFrom), and Start keeps
  // the focus for when it comes back.
  cmdOK_->setVisible(round->okEnabled());
  cmdOK_->setEnabled(round->okEnabled());
  if (cmdOK_->isEnabled()) cmdOK_->setFocus();
  cmdStart_->setEnabled(round->startEnabled());
  cmdPlayAll_->setEnabled(cmdStart_->isEnabled());
  AnnounceResults();
}

void RoundScreen::AnnounceResults() {
  const Round* round = game_.round();
  if (!round) return;
  const RunState& run = game_.run();
  const Match* playing = game_.match();
  for (int s = 0; s < round->next() && s < kMatchesPerRound; ++s) {
    const auto at = static_cast<std::size_t>(s);
    if (told_[at] || (playing && playing->state().MatchIndex == s)) continue;
    told_[at] = true;
    Announce(this, ResultWords(s, ToQt(run.roundTeamOne[at]), ToQt(run.roundTeamTwo[at]),
                               run.roundSlots[at]));
  }
  if (round->okEnabled() && !playing && !toldEnd_) {
    toldEnd_ = true;
    Announce(this, QString::fromLatin1(kRoundOver));
  }
}

void RoundScreen::cmdStart_Click() {
  const Round* round = game_.round();
  if (!round || !round->startEnabled() || game_.match()) return;
  const bool playersMatch = game_.StartNextMatch();
  refresh();
  if (playersMatch) Q_EMIT matchDue();
}

void RoundScreen::cmdPlayAll_Click() {
  const Round* round = game_.round();
  if (!round || !round->startEnabled() || game_.match()) return;
  playingAll_ = true;
  PlayOn();
}

void RoundScreen::PlayOn() {
  // Start, match after match, as the player would press it; his own match
  // goes to the match screen and the rest follow once he is back.
  while (playingAll_) {
    const Round* round = game_.round();
    if (!round || !round->startEnabled()) {
      playingAll_ = false;
    } else if (game_.match()) {
      return;
    } else {
      cmdStart_Click();
    }
  }
}

void RoundScreen::cmdOK_Click() {
  const Round* round = game_.round();
  if (!round || !round->okEnabled() || game_.match()) return;
  // The ladder, the season's end, the results and the save; messages and the
  // papers may come on the way.
  game_.FinishRound();
  // The hub takes input again before the round goes (see ScreenFlow).
  Q_EMIT finished();
  hide();
}

void RoundScreen::MatchFinished() {
  // The player's match is in its slot, and Play all goes on with the rest.
  refresh();
  if (playingAll_ && !game_.match()) PlayOn();
}

void RoundScreen::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange && isEnabled()) refresh();
  QWidget::changeEvent(event);
}

void RoundScreen::showEvent(QShowEvent* event) {
  refresh();
  QWidget::showEvent(event);
}

void RoundScreen::closeEvent(QCloseEvent* event) {
  // A round is played to its end and left with OK.
  event->ignore();
}

}  // namespace km::screens
