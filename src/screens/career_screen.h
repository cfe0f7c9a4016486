// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <filesystem>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "core/career.h"
#include "core/save_file.h"
#include "season/career_log.h"

class QLabel;
class QLineEdit;
class QMessageBox;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QSpinBox;
class QTabWidget;
class QTableWidget;
class QTextBrowser;

namespace km {
class Game;
}

namespace km::screens {

class CareerChart;

// One of the career's newspaper stories, awards, milestones, moves,
// contracts, sponsor deals and draft picks, with the week it came in.
struct ScrapbookEntry {
  int season = 0;
  int week = 0;
  LogEventKind kind = LogEventKind::Story;
  std::string title;
  std::string text;
};

// The scrapbook of a log: every event worth keeping, newest first. Plain
// messages and questions are left out.
std::vector<ScrapbookEntry> Scrapbook(const CareerLog& log);

// A week of the season as the game names it: "Round 12" up to round 22,
// then the finals ("Qualifying Finals", ..., "Grand Final").
QString WeekName(int week);

// A chart as the export shows it: its title and its picture.
struct ChartPicture {
  QString title;
  QImage picture;
};

// The career as one HTML page that needs nothing beside it: the player's
// name, his competitions and totals, the charts (inline pictures) and the
// scrapbook.
QString CareerHtml(const Career& career, const CareerLog& log,
                   const std::vector<ChartPicture>& charts);

// The log of the running game's career, as far as its save has played.
std::variant<CareerLog, FileError> ReadRunningCareerLog(const Game& game);

// frmCareer: a whole career looked back on. Charts of the match ratings,
// disposals and goals, skills and bank balance by season or by week, the
// competitions behind them; the scrapbook of the career's stories; and the
// lot exported to a web page or printed. It reads only the record and the
// log it is given, so any career can be shown, the running one or one long
// finished.
class CareerScreen : public QWidget {
  Q_OBJECT

 public:
  CareerScreen(const Career& career, CareerLog log, QWidget* parent = nullptr);
  ~CareerScreen() override;

  // The career's data folder: where Export and Print offer to write when
  // the player has no Documents folder.
  void SetDataFolder(std::filesystem::path folder) { folder_ = std::move(folder); }
  // The file Export (`html`) and Print to a file (`pdf`) offer: one name in
  // the Documents folder.
  [[nodiscard]] QString FileFor(const char* extension) const;

  // The charts by week (every match) or by season. Each keeps its own range
  // of seasons: by season the whole career at first, by week its last three.
  void ShowByWeek(bool byWeek);
  [[nodiscard]] bool byWeek() const { return byWeek_; }
  // The charts from season `from` to season `to` (kept within the career).
  void ShowSeasons(int from, int to);

  // The page Export writes and Print prints, with the charts as shown now.
  [[nodiscard]] QString html() const;
  // Writes html() to `file` and says where, with a link that opens it; the
  // sentence of what went wrong, if anything.
  [[nodiscard]] QString ExportTo(const QString& file);

 Q_SIGNALS:
  void closed();

 public Q_SLOTS:
  void cmdExport_Click();
  void cmdPrint_Click();
  void cmdClose_Click();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* MakeCharts();
  QWidget* MakeScrapbook();
  void Filter(const QString& words);
  void ShowEntry(int row);
  void Written(const QString& file);

  Career career_;
  CareerLog log_;
  std::vector<ScrapbookEntry> scrapbook_;
  std::filesystem::path folder_;
  bool byWeek_ = false;
  std::vector<CareerChart*> charts_;
  QTabWidget* tabs_ = nullptr;
  QRadioButton* optBySeason_ = nullptr;
  QRadioButton* optByWeek_ = nullptr;
  int firstSeason_ = 1, lastSeason_ = 1;  // of the log
  int shownFrom_ = 1, shownTo_ = 1;       // the seasons shown
  std::pair<int, int> seasonSeasons_, weekSeasons_;
  QSpinBox* spnFrom_ = nullptr;
  QSpinBox* spnTo_ = nullptr;
  QScrollBar* hsbSeasons_ = nullptr;
  QLabel* lblPoint_ = nullptr;
  QLineEdit* txtSearch_ = nullptr;
  QLabel* lblFound_ = nullptr;
  QTableWidget* grdScrapbook_ = nullptr;
  QTextBrowser* txtStory_ = nullptr;
  QPointer<QMessageBox> written_;
};

}  // namespace km::screens
