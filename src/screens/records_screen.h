// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <memory>
#include <span>
#include <vector>

#include "core/career.h"
#include "screens/info_screen.h"

class QLabel;

namespace km::screens {

// One competition's award list: which screen, its captions and the record
// field each count comes from.
struct AwardLine {
  const char* label;    // lblMVP
  const char* caption;  // "Most Valuable Player:"
  const char* field;    // LocalMVP
};
struct AwardList {
  const char* name;  // frmLocalAwards
  const char* title;
  const char* heading;
  std::span<const AwardLine> lines;
};

// The award lists in competition order, Local Reserves first.
std::span<const AwardList> AwardLists();

// frmLocalAwards, frmRegionalAwards, frmStateAwards, frmAFLAwards: how often
// the player won each award of one competition.
class AwardsScreen : public InfoScreen {
  Q_OBJECT

 public:
  AwardsScreen(const Career& career, const AwardList& list, QWidget* parent = nullptr);

  // Shows the counts as they are now.
  void refresh();

 private:
  const Career& career_;
  std::vector<std::pair<QLabel*, const char*>> values_;
};

// frmRecords: the player's career figures in each competition, with the
// award lists one button away.
class RecordsScreen : public InfoScreen {
  Q_OBJECT

 public:
  explicit RecordsScreen(const Career& career, QWidget* parent = nullptr);
  ~RecordsScreen() override;

  // Shows the record as it is now.
  void refresh();

  // The award screen of a competition, once it has been opened.
  [[nodiscard]] AwardsScreen* awards(int competition) const;

 public Q_SLOTS:
  void cmdLocalAwards_Click();
  void cmdRegionalAwards_Click();
  void cmdStateAwards_Click();
  void cmdAFLAwards_Click();

 private:
  // The award screen comes up beside the records, which stay open.
  void ShowAwards(int competition);

  const Career& career_;
  QLabel* lblName_ = nullptr;
  std::vector<std::pair<QLabel*, std::string>> values_;
  std::array<std::unique_ptr<AwardsScreen>, kCompetitionCount> awards_;
};

// frmRecordsTeam: the club's records in each competition. The game keeps
// none yet, so the columns stand blank.
class TeamRecordsScreen : public InfoScreen {
  Q_OBJECT

 public:
  explicit TeamRecordsScreen(QWidget* parent = nullptr);
};

}  // namespace km::screens
