// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/results_screen.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>
#include <variant>

#include "screens/look.h"
#include "screens/qt_text.h"
#include "screens/round_screen.h"
#include "screens/screen_parts.h"
#include "season/results_browser.h"
#include "season/round.h"

namespace km::screens {

namespace {

constexpr const char* kTitle = "Kickmark - Fixture and Results";
constexpr const char* kHeading = "Fixture and Results";
constexpr int kSeasonRounds = 26;

}  // namespace

ResultsScreen::ResultsScreen(Game& game, QWidget* parent)
    : QWidget(parent, Qt::Window), game_(game) {
  setObjectName(QStringLiteral("frmResults"));
  setWindowTitle(QString::fromLatin1(kTitle));

  auto* heading = Heading(QString::fromLatin1(kHeading), "lblHeading", this);

  // The heading shares its line with the player's name and club, and OK
  // stands beside the matches, so that the page fits a laptop's screen.
  auto* who = new QHBoxLayout;
  who->setSpacing(8);
  who->addWidget(heading);
  who->addStretch(1);
  lblName_ = ValueLabel("lblName", this);
  lblTeam_ = ValueLabel("lblTeam", this);
  for (QLabel* value : {lblName_, lblTeam_}) {
    SetNarrowest(value, value->fontMetrics().averageCharWidth() * 20);
  }
  who->addWidget(CaptionOf(lblName_, QStringLiteral("Name:"), this));
  who->addWidget(lblName_);
  who->addSpacing(12);
  who->addWidget(CaptionOf(lblTeam_, QStringLiteral("Team:"), this));
  who->addWidget(lblTeam_);

  // The round to show: 1 to 26, home-and-away rounds and finals alike.
  auto* roundRow = new QHBoxLayout;
  roundRow->setSpacing(8);
  hsbRound_ = new QScrollBar(Qt::Horizontal, this);
  hsbRound_->setObjectName(QStringLiteral("hsbRound"));
  hsbRound_->setRange(1, kSeasonRounds);
  hsbRound_->setSingleStep(1);
  hsbRound_->setPageStep(1);
  // The arrow keys step through the rounds.
  hsbRound_->setFocusPolicy(Qt::StrongFocus);
  hsbRound_->setInvertedControls(false);
  hsbRound_->setMinimumWidth(hsbRound_->fontMetrics().averageCharWidth() * 30);
  lblRound_ = ValueLabel("lblRound", this);
  lblRound_->setAlignment(Qt::AlignCenter);
  SetNarrowest(lblRound_, lblRound_->fontMetrics().averageCharWidth() * 5);
  lblRoundTitle_ = new TextLabel(this);
  lblRoundTitle_->setObjectName(QStringLiteral("lblRoundTitle"));
  SetRole(lblRoundTitle_, "bare");
  roundRow->addWidget(CaptionOf(lblRound_, QStringLiteral("Round:"), this));
  ReadWithCaption(hsbRound_, QStringLiteral("Round:"));
  roundRow->addWidget(lblRound_);
  roundRow->addWidget(hsbRound_, 1);
  roundRow->addSpacing(12);
  roundRow->addWidget(lblRoundTitle_);
  connect(hsbRound_, &QScrollBar::valueChanged, this, &ResultsScreen::hsbRound_Change);

  // The player's own line of the round.
  auto* player = Frame("Player", "fraResultsPlayer", this);
  fraPlayer_ = player;
  auto* playerRow = new QHBoxLayout(player);
  playerRow->setSpacing(8);
  struct Figure {
    const char* caption;
    const char* name;
    QLabel** label;
  };
  const Figure figures[] = {
      {"Disposals:", "lblDisposals", &lblDisposals_},
      {"Goals:", "lblGoals", &lblGoals_},
      {"Behinds:", "lblBehinds", &lblBehinds_},
      {"Rating:", "lblMatchRating", &lblMatchRating_},
      {"Position:", "lblPosition", &lblPosition_},
  };
  for (const Figure& figure : figures) {
    *figure.label = ValueLabel(figure.name, player);
    (*figure.label)->setAlignment(Qt::AlignCenter);
    playerRow->addWidget(CaptionOf(*figure.label, QString::fromLatin1(figure.caption), player));
    playerRow->addWidget(*figure.label);
    playerRow->addSpacing(6);
  }
  SetNarrowest(lblPosition_, lblPosition_->fontMetrics().horizontalAdvance(
                                 QStringLiteral("Centre-Half-Forward  ")));
  playerRow->addStretch(1);

  lblError_ = new TextLabel(this);
  lblError_->setObjectName(QStringLiteral("lblError"));
  SetRole(lblError_, "error");
  lblError_->setWordWrap(true);
  lblError_->hide();

  slots_ = new MatchSlots(this);

  auto* cmdOK = Button(QStringLiteral("OK"), "cmdOK", this);
  cmdOK->setDefault(true);
  connect(cmdOK, &QPushButton::clicked, this, &ResultsScreen::cmdOK_Click);
  auto* matches = new QHBoxLayout;
  matches->setSpacing(12);
  matches->addWidget(slots_, 1);
  matches->addWidget(cmdOK, 0, Qt::AlignBottom);

  auto* layout = new QVBoxLayout(ScreenPage(this));
  layout->setContentsMargins(16, 10, 16, 14);
  layout->setSpacing(8);
  layout->addLayout(who);
  layout->addLayout(roundRow);
  layout->addWidget(player);
  layout->addWidget(lblError_);
  layout->addLayout(matches, 1);

  // Enter and Escape are OK.
  UseScreenKeys(this, {cmdOK}, {cmdOK});
  hsbRound_->setFocus();
}

void ResultsScreen::refresh() {
  if (!game_.HasCareer()) return;
  const Career& career = game_.career();
  lblName_->setText(ToQt(career.Name));
  lblTeam_->setText(ToQt(career.Team));
  // The browser opens at this week's round, the one Play plays next (the
  // grand final once the season is over); the rounds played are to its left.
  const int round = std::clamp(career.Matches + 1, 1, hsbRound_->maximum());
  if (hsbRound_->value() != round) {
    hsbRound_->setValue(round);  // shows it through hsbRound_Change
  } else {
    ShowRound(round);
  }
}

void ResultsScreen::hsbRound_Change(int value) { ShowRound(value); }

void ResultsScreen::ShowRound(int round) {
  if (!game_.HasCareer()) return;
  const Career& career = game_.career();
  lblRound_->setText(QString::number(round));
  lblRoundTitle_->setText(ToQt(RoundTitle(round - 1)));
  auto browsed = BrowseRound(career, game_.folder().path, round);
  if (const auto* error = std::get_if<FileError>(&browsed)) {
    // A season file that cannot be read is named here; nothing else changes.
    lblError_->setText(ToQt(error->message));
    lblError_->show();
    fraPlayer_->hide();
    slots_->hide();
    return;
  }
  lblError_->hide();
  fraPlayer_->show();
  slots_->show();
  const BrowsedRound& shown = std::get<BrowsedRound>(browsed);
  const PlayerLine& line = shown.record.player;
  lblDisposals_->setText(ToQt(line.Disposals));
  lblGoals_->setText(ToQt(line.Goals));
  lblBehinds_->setText(ToQt(line.Behinds));
  lblMatchRating_->setText(ToQt(line.MatchRating));
  lblPosition_->setText(ToQt(line.Position));
  for (int s = 0; s < kMatchesPerRound; ++s) {
    const auto at = static_cast<std::size_t>(s);
    const std::string& one = shown.record.teamOne[at];
    const std::string& two = shown.record.teamTwo[at];
    slots_->ShowSlot(s, ToQt(one), ToQt(two), shown.record.slots[at]);
    // His club's matches stand out.
    slots_->Paint(s, 0, one == career.Team ? NameColour::PlayerClub : NameColour::Other);
    slots_->Paint(s, 1, two == career.Team ? NameColour::PlayerClub : NameColour::Other);
  }
  slots_->ShowCount(shown.matchCount);
}

void ResultsScreen::cmdOK_Click() {
  // The opener takes input again before this window goes, so that the focus
  // never comes back to a window that is still held.
  Q_EMIT closed();
  hide();
}

void ResultsScreen::closeEvent(QCloseEvent* event) {
  event->ignore();
  cmdOK_Click();
}

}  // namespace km::screens
