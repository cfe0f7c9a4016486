// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/records_screen.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <string>

#include "core/career_fields.h"
#include "core/game_data.h"
#include "screens/look.h"
#include "screens/qt_text.h"
#include "screens/screen_parts.h"

namespace km::screens {

namespace {

constexpr const char* kRecordsTitle = "Kickmark - Statistics and Records";
constexpr const char* kRecordsHeading = "CAREER STATISTICS AND RECORDS";
constexpr const char* kTeamRecordsTitle = "Kickmark - Records and Statistics";
constexpr const char* kTeamRecordsHeading = "TEAM STATISTICS AND RECORDS";
constexpr const char* kLevelCaption = "Level:";

// The rows of a competition's column: the caption and the record field
// after the competition's prefix (LocalMatches, RegionalAverageGoals, ...).
struct RecordRow {
  const char* caption;
  const char* field;
};
constexpr RecordRow kRecordRows[] = {
    {"Matches:", "Matches"},
    {"Disposals:", "Disposals"},
    {"Goals:", "Goals"},
    {"Behinds:", "Behinds"},
    {"Most Disposals:", "MostDisposals"},
    {"Average Disposals:", "AverageDisposals"},
    {"Most Goals:", "MostGoals"},
    {"Average Goals:", "AverageGoals"},
    {"B.O.G.'s:", "BOGs"},
};

// The club's records: captions and the names of their blank values.
constexpr RecordRow kTeamRecordRows[] = {
    {"Matches:", "Matches"},
    {"Wins:", "Wins"},
    {"Losses:", "Losses"},
    {"Draws:", "Draws"},
    {"Biggest Win:", "BiggestWin"},
    {"Accuracy %:", "Accuracy"},
    {"Biggest Loss:", "BiggestLoss"},
    {"Finals Series:", "FinalsSeries"},
    {"Premierships:", "Premierships"},
};

constexpr AwardLine kLocalAwards[] = {
    {"lblMVP", "Most Valuable Player:", "LocalMVP"},
    {"lblGoals", "Most Goals:", "LocalGoalsAward"},
    {"lblRookie", "Best Rookie:", "LocalRookie"},
    {"lblU21", "Best Under-21 Player:", "LocalU21"},
    {"lblBestAndFairest", "Club Best and Fairest:", "LocalBestAndFairest"},
    {"lblAllStar", "League All-Star Team:", "LocalAllStar"},
    {"lblCaptain", "Captain of Club:", "LocalCaptain"},
};
constexpr AwardLine kRegionalAwards[] = {
    {"lblMVP", "C.R. Newbury Medal:", "RegionalMVP"},
    {"lblGoals", "Most Goals:", "RegionalGoalsAward"},
    {"lblRookie", "Best Rookie:", "RegionalRookie"},
    {"lblU21", "Best Under-21 Player:", "RegionalU21"},
    {"lblBestAndFairest", "Club Best and Fairest:", "RegionalBestAndFairest"},
    {"lblAllStar", "League All-Star Team:", "RegionalAllStar"},
    {"lblCaptain", "Captain of Club:", "RegionalCaptain"},
};
constexpr AwardLine kStateAwards[] = {
    {"lblMVP", "J.J. Liston Trophy:", "StateMVP"},
    {"lblGoals", "'Frosty' Miller Medal:", "StateGoalsAward"},
    {"lblRookie", "Norm Goss Medal:", "StateRookie"},
    {"lblU21", "Best Under-21 Player:", "StateU21"},
    {"lblBestAndFairest", "Club Best and Fairest:", "StateBestAndFairest"},
    {"lblVictorian", "Victorian Team:", "StateVictorian"},
    {"lblCaptain", "Captain of Club:", "StateCaptain"},
    {"lblMatches", "Matches for Victoria:", "StateMatchesAward"},
};
constexpr AwardLine kAFLAwards[] = {
    {"lblBrownlow", "Brownlow Medal:", "AFLBrownlow"},
    {"lblColeman", "Coleman Medal:", "AFLColeman"},
    {"lblRisingStar", "Rising Star Award:", "AFLRisingStar"},
    {"lblU21", "Best Under-21 Player:", "AFLU21"},
    {"lblBestAndFairest", "Club Best and Fairest:", "AFLBestAndFairest"},
    {"lblAllAustralian", "All-Australian Team:", "AFLAllAustralian"},
    {"lblCaptain", "Captain of Club:", "AFLCaptain"},
    {"lblMatches", "Matches for Australia:", "AFLMatchesAward"},
};

constexpr AwardList kAwardLists[kCompetitionCount] = {
    {"frmLocalAwards", "Local Reserves Awards", "Local Reserves League Awards", kLocalAwards},
    {"frmRegionalAwards", "Local Firsts Awards", "Local Firsts League Awards", kRegionalAwards},
    {"frmStateAwards", "State Awards", "State League Awards", kStateAwards},
    {"frmAFLAwards", "AFL Awards", "AFL League Awards", kAFLAwards},
};

// The award buttons, in competition order.
constexpr const char* kAwardButtons[kCompetitionCount] = {"cmdLocalAwards", "cmdRegionalAwards",
                                                          "cmdStateAwards", "cmdAFLAwards"};

// A record field as the game shows it.
QString FieldText(const Career& career, const std::string& name) {
  const CareerField* field = FindCareerField(name);
  return field ? ToQt(field->get(career)) : QString();
}

QGridLayout* FrameGrid(QGroupBox* frame) {
  auto* grid = new QGridLayout(frame);
  grid->setHorizontalSpacing(10);
  grid->setVerticalSpacing(5);
  return grid;
}

// The competitions' names over their columns, beside the "Level:" caption.
void AddLevelRow(QGridLayout* grid, QWidget* frame) {
  grid->addWidget(Caption(QString::fromLatin1(kLevelCaption), frame), 0, 0);
  for (int c = 0; c < kCompetitionCount; ++c) {
    auto* level = new TextLabel(ToQt(kCompetitionNames[static_cast<std::size_t>(c)]), frame);
    SetRole(level, "bare");
    level->setAlignment(Qt::AlignCenter);
    grid->addWidget(level, 0, c + 1);
  }
}

// A figure of one competition's column, as a screen reader reads it:
// "Local Reserves, Matches:".
QString CompetitionCaption(int competition, const char* caption) {
  return ToQt(kCompetitionNames[static_cast<std::size_t>(competition)]) + QStringLiteral(", ") +
         QString::fromLatin1(caption);
}

QString LabelName(std::string_view prefix, const char* field) {
  return QStringLiteral("lbl") + ToQt(prefix) + QString::fromLatin1(field);
}

}  // namespace

std::span<const AwardList> AwardLists() { return kAwardLists; }

AwardsScreen::AwardsScreen(const Career& career, const AwardList& list, QWidget* parent)
    : InfoScreen(list.name, QString::fromUtf8(list.title), parent), career_(career) {
  QBoxLayout* body = Body(QString::fromUtf8(list.heading));
  auto* frame = Frame("Awards Won", "fraAwards", this);
  auto* grid = FrameGrid(frame);
  int row = 0;
  for (const AwardLine& line : list.lines) {
    QLabel* value = ValueLabel(line.label, frame);
    grid->addWidget(CaptionOf(value, QString::fromUtf8(line.caption), frame), row, 0);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(value, row++, 1);
    values_.emplace_back(value, line.field);
  }
  grid->setColumnStretch(0, 1);
  body->addWidget(frame);
  refresh();
}

void AwardsScreen::refresh() {
  for (const auto& [label, field] : values_) label->setText(FieldText(career_, field));
}

RecordsScreen::RecordsScreen(const Career& career, QWidget* parent)
    : InfoScreen("frmRecords", QString::fromLatin1(kRecordsTitle), parent), career_(career) {
  QBoxLayout* body = Body(QString::fromLatin1(kRecordsHeading));

  auto* nameRow = new QHBoxLayout;
  lblName_ = ValueLabel("lblName", this);
  nameRow->addWidget(CaptionOf(lblName_, QStringLiteral("Name:"), this));
  SetNarrowest(lblName_, lblName_->fontMetrics().averageCharWidth() * 30);
  nameRow->addWidget(lblName_);
  nameRow->addStretch(1);
  body->addLayout(nameRow);

  auto* frame = Frame("Career Statistics", "fraRecords", this);
  auto* grid = FrameGrid(frame);
  AddLevelRow(grid, frame);
  int row = 1;
  for (const RecordRow& r : kRecordRows) {
    grid->addWidget(Caption(QString::fromLatin1(r.caption), frame), row, 0);
    for (int c = 0; c < kCompetitionCount; ++c) {
      const std::string_view prefix = kLevelPrefixes[static_cast<std::size_t>(c)];
      const QString name = LabelName(prefix, r.field);
      QLabel* value = ValueLabel(name.toLatin1().constData(), frame);
      ReadWithCaption(value, CompetitionCaption(c, r.caption));
      value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
      SetNarrowest(value, value->fontMetrics().averageCharWidth() * 12);
      grid->addWidget(value, row, c + 1);
      values_.emplace_back(value, std::string(prefix) + r.field);
    }
    ++row;
  }

  // Each column's awards are one button away, under the column.
  using Slot = void (RecordsScreen::*)();
  constexpr Slot kSlots[kCompetitionCount] = {
      &RecordsScreen::cmdLocalAwards_Click, &RecordsScreen::cmdRegionalAwards_Click,
      &RecordsScreen::cmdStateAwards_Click, &RecordsScreen::cmdAFLAwards_Click};
  for (int c = 0; c < kCompetitionCount; ++c) {
    auto* awards = Button(QStringLiteral("Awards"), kAwardButtons[c], frame);
    // Four buttons of one caption: each is named for its competition.
    ReadWithCaption(awards, QString::fromUtf8(kAwardLists[c].title));
    connect(awards, &QPushButton::clicked, this, kSlots[c]);
    grid->addWidget(awards, row, c + 1);
    setTabOrder(awards, okButton());
  }
  body->addWidget(frame);
  refresh();
}

RecordsScreen::~RecordsScreen() = default;

void RecordsScreen::refresh() {
  lblName_->setText(ToQt(career_.Name));
  for (const auto& [label, field] : values_) label->setText(FieldText(career_, field));
  for (const auto& screen : awards_) {
    if (screen) screen->refresh();
  }
}

AwardsScreen* RecordsScreen::awards(int competition) const {
  return awards_.at(static_cast<std::size_t>(competition)).get();
}

void RecordsScreen::cmdLocalAwards_Click() { ShowAwards(0); }
void RecordsScreen::cmdRegionalAwards_Click() { ShowAwards(1); }
void RecordsScreen::cmdStateAwards_Click() { ShowAwards(2); }
void RecordsScreen::cmdAFLAwards_Click() { ShowAwards(3); }

void RecordsScreen::ShowAwards(int competition) {
  auto& screen = awards_.at(static_cast<std::size_t>(competition));
  if (!screen) {
    screen = std::make_unique<AwardsScreen>(career_, kAwardLists[competition]);
  }
  screen->refresh();
  // Over the records, which stay in use beside it.
  OpenBeside(this, screen.get());
}

TeamRecordsScreen::TeamRecordsScreen(QWidget* parent)
    : InfoScreen("frmRecordsTeam", QString::fromLatin1(kTeamRecordsTitle), parent) {
  QBoxLayout* body = Body(QString::fromLatin1(kTeamRecordsHeading));
  auto* frame = Frame("Team Statistics", "fraRecords", this);
  auto* grid = FrameGrid(frame);
  AddLevelRow(grid, frame);
  int row = 1;
  for (const RecordRow& r : kTeamRecordRows) {
    grid->addWidget(Caption(QString::fromLatin1(r.caption), frame), row, 0);
    for (int c = 0; c < kCompetitionCount; ++c) {
      const QString name = LabelName(kLevelPrefixes[static_cast<std::size_t>(c)], r.field);
      QLabel* value = ValueLabel(name.toLatin1().constData(), frame);
      ReadWithCaption(value, CompetitionCaption(c, r.caption));
      SetNarrowest(value, value->fontMetrics().averageCharWidth() * 12);
      grid->addWidget(value, row, c + 1);
    }
    ++row;
  }
  body->addWidget(frame);
}

}  // namespace km::screens
