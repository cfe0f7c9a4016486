// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/start_screen.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <functional>
#include <utility>

#include "core/game_data.h"
#include "core/save_file.h"
#include "screens/game_settings.h"
#include "screens/look.h"
#include "screens/qt_text.h"
#include "screens/screen_parts.h"
#include "season/career_log.h"
#include "season/hall_of_fame.h"

namespace km::screens {

namespace {

// A strip of the ground picture across the top of the start screen.
class Banner : public QWidget {
 public:
  explicit Banner(QWidget* parent) : QWidget(parent) {
    setMinimumHeight(fontMetrics().height() * 8);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  }

 protected:
  void paintEvent(QPaintEvent* /*event*/) override {
    QPainter painter(this);
    PaintGround(painter, QRectF(rect()));
  }
};

QPushButton* StartButton(const char* caption, const char* name, QWidget* parent) {
  auto* button = new QPushButton(QString::fromLatin1(caption), parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setMinimumWidth(button->fontMetrics().averageCharWidth() * 24);
  return button;
}

// The hall of fame's columns.
enum HallColumn { kCareer, kPlayer, kSeasons, kMatches, kGoals, kBrownlows, kHighest, kPeak };
// The longer headings take two lines, leaving the room to the names.
constexpr std::array<const char*, 8> kHallHeadings = {"Career",
                                                      "Player",
                                                      "Seasons",
                                                      "Matches",
                                                      "Goals",
                                                      "Brownlow\nMedals",
                                                      "Highest\ncompetition",
                                                      "Peak\nOverall"};
// What a cell sorts by: a number as a number, a competition by its level,
// a name without regard to case.
constexpr int kSortRole = Qt::UserRole;
// Set on a damaged career's first cell; its second holds the sentence.
constexpr int kDamagedRole = Qt::UserRole + 1;
constexpr int kSaveFileRole = Qt::UserRole + 2;

class HallItem : public QTableWidgetItem {
 public:
  HallItem(const QString& text, QVariant sortKey) : QTableWidgetItem(text) {
    setData(kSortRole, std::move(sortKey));
    setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  }
  bool operator<(const QTableWidgetItem& other) const override {
    const QVariant mine = data(kSortRole);
    const QVariant theirs = other.data(kSortRole);
    if (mine.typeId() == QMetaType::Int && theirs.typeId() == QMetaType::Int) {
      return mine.toInt() < theirs.toInt();
    }
    return QString::localeAwareCompare(mine.toString(), theirs.toString()) < 0;
  }
};

HallItem* NumberItem(int value) {
  auto* item = new HallItem(QString::number(value), value);
  item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return item;
}

// The hall of fame's table: Enter on a row chooses it, as a double-click
// does, and an empty folder says so.
class HallTable : public QTableWidget {
 public:
  HallTable(QWidget* parent, std::function<void(int)> choose)
      : QTableWidget(0, static_cast<int>(kHallHeadings.size()), parent),
        choose_(std::move(choose)) {}

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && currentRow() >= 0) {
      event->accept();
      choose_(currentRow());
      return;
    }
    QTableWidget::keyPressEvent(event);
  }
  void paintEvent(QPaintEvent* event) override {
    QTableWidget::paintEvent(event);
    if (rowCount() > 0) return;
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::PlaceholderText));
    painter.drawText(viewport()->rect().adjusted(12, 12, -12, -12),
                     Qt::AlignCenter | Qt::TextWordWrap,
                     QStringLiteral("No careers yet. Every career saved in the data folder, "
                                    "finished or not, is listed here."));
  }

 private:
  std::function<void(int)> choose_;
};

// Room for every heading, a long name and a week's worth of rows.
void SizeHallTable(QTableWidget* table) {
  table->ensurePolished();
  const QHeaderView* header = table->horizontalHeader();
  const int chars = table->fontMetrics().averageCharWidth();
  int width = table->frameWidth() * 2;
  for (int c = 0; c < table->columnCount(); ++c) {
    const int least = c == kPlayer ? chars * 30 : c == kCareer ? chars * 14 : 0;
    width += std::max(header->sectionSizeHint(c), least);
  }
  const int rows = table->verticalHeader()->defaultSectionSize() * 7;
  table->setMinimumSize(width, header->sizeHint().height() + rows + table->frameWidth() * 2);
}

}  // namespace

StartScreen::StartScreen(Game& game, QWidget* parent) : QWidget(parent), game_(game) {
  setObjectName(QStringLiteral("frmStart"));
  setWindowTitle(QString::fromLatin1(kProgramTitle));

  auto* heading = new TextLabel(QString::fromLatin1(kProgramTitle), this);
  heading->setObjectName(QStringLiteral("lblTitle"));
  heading->setAlignment(Qt::AlignCenter);
  SetRole(heading, "heading");

  cmdContinue_ = StartButton("Continue", "cmdContinue", this);
  connect(cmdContinue_, &QPushButton::clicked, this, &StartScreen::cmdContinue_Click);
  lblContinue_ = new TextLabel(this);
  lblContinue_->setObjectName(QStringLiteral("lblContinue"));
  lblContinue_->setWordWrap(true);
  SetRole(lblContinue_, "bare");
  lblContinue_->setBuddy(cmdContinue_);
  auto* cmdNew = StartButton("New Career", "cmdNew", this);
  auto* cmdLoad = StartButton("Load Career", "cmdLoad", this);
  auto* cmdExit = StartButton("Exit Game", "cmdExit", this);
  connect(cmdNew, &QPushButton::clicked, this, &StartScreen::cmdNew_Click);
  connect(cmdLoad, &QPushButton::clicked, this, &StartScreen::cmdLoad_Click);
  connect(cmdExit, &QPushButton::clicked, this, &StartScreen::cmdExit_Click);

  lblLoadError_ = new TextLabel(this);
  lblLoadError_->setObjectName(QStringLiteral("lblLoadError"));
  lblLoadError_->setWordWrap(true);
  lblLoadError_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  SetRole(lblLoadError_, "error");
  ReadWithCaption(lblLoadError_, QStringLiteral("Load Career"));
  // Room for a sentence that names a file and a line.
  lblLoadError_->ensurePolished();
  lblLoadError_->setMinimumHeight(lblLoadError_->fontMetrics().lineSpacing() * 4);
  lblLoadError_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

  grdCareers_ = new HallTable(this, [this](int row) { chooseRow(row); });
  grdCareers_->setObjectName(QStringLiteral("grdCareers"));
  QStringList headings;
  for (const char* heading : kHallHeadings) headings << QString::fromLatin1(heading);
  grdCareers_->setHorizontalHeaderLabels(headings);
  grdCareers_->verticalHeader()->hide();
  grdCareers_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grdCareers_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grdCareers_->setSelectionMode(QAbstractItemView::SingleSelection);
  grdCareers_->setWordWrap(false);
  ReadyForKeys(grdCareers_);
  ReadCurrentCellOnlyWithFocus(grdCareers_);
  grdCareers_->setAlternatingRowColors(true);
  grdCareers_->setStyleSheet(
      QStringLiteral("QTableWidget#grdCareers { background: #ffffff; alternate-background-color: "
                     "#eef4ec; gridline-color: #c5d1c3; border: 1px solid #6f8f72; "
                     "selection-background-color: #cfe3cc; selection-color: #10240f; }"));
  grdCareers_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  auto* header = grdCareers_->horizontalHeader();
  header->setSectionResizeMode(QHeaderView::ResizeToContents);
  header->setSectionResizeMode(kPlayer, QHeaderView::Stretch);
  header->setSortIndicator(kCareer, Qt::AscendingOrder);
  header->setSortIndicatorShown(true);
  grdCareers_->setSortingEnabled(true);
  SizeHallTable(grdCareers_);
  connect(grdCareers_, &QTableWidget::cellDoubleClicked, this,
          [this](int row, int /*column*/) { chooseRow(row); });
  // Sorting moves the rows but not the spans.
  connect(grdCareers_->model(), &QAbstractItemModel::layoutChanged, this,
          &StartScreen::spanDamagedRows);

  auto* lblHallOfFame = new TextLabel(QStringLiteral("Hall of Fame"), this);
  lblHallOfFame->setObjectName(QStringLiteral("lblHallOfFame"));
  SetRole(lblHallOfFame, "bare");
  lblHallOfFame->setBuddy(grdCareers_);
  grdCareers_->setAccessibleName(lblHallOfFame->text());

  auto* buttons = new QVBoxLayout;
  buttons->setSpacing(10);
  // Level with the table's first row.
  buttons->addSpacing(lblHallOfFame->sizeHint().height() + 6);
  buttons->addWidget(cmdContinue_);
  buttons->addWidget(lblContinue_);
  buttons->addWidget(cmdNew);
  buttons->addWidget(cmdLoad);
  buttons->addWidget(cmdExit);
  buttons->addStretch(1);

  auto* hall = new QVBoxLayout;
  hall->setSpacing(6);
  hall->addWidget(lblHallOfFame);
  hall->addWidget(grdCareers_, 1);

  auto* centred = new QHBoxLayout;
  centred->setContentsMargins(16, 0, 16, 0);
  centred->setSpacing(24);
  centred->addLayout(buttons);
  centred->addLayout(hall, 1);

  auto* layout = new QVBoxLayout(ScreenPage(this));
  layout->setContentsMargins(0, 0, 0, 16);
  layout->setSpacing(14);
  layout->addWidget(new Banner(this));
  layout->addWidget(heading);
  layout->addLayout(centred, 1);
  auto* errorRow = new QHBoxLayout;
  errorRow->setContentsMargins(16, 0, 16, 0);
  errorRow->addWidget(lblLoadError_);
  layout->addLayout(errorRow);

  setMinimumWidth(fontMetrics().averageCharWidth() * 72);
  UseScreenKeys(this, {cmdNew});
  cmdNew->setFocus();
}

void StartScreen::cmdNew_Click() { Q_EMIT newCareerChosen(); }

void StartScreen::cmdLoad_Click() { Loaded(game_.LoadFromChoice()); }

void StartScreen::cmdContinue_Click() {
  if (!lastCareer_.isEmpty()) Loaded(game_.LoadFrom(PathFromQt(lastCareer_)));
}

void StartScreen::Loaded(const Game::LoadResult& result) {
  switch (result.outcome) {
    case Game::LoadOutcome::Loaded:
      lblLoadError_->clear();
      Q_EMIT careerLoaded();
      break;
    case Game::LoadOutcome::Cancelled:
      break;
    case Game::LoadOutcome::Failed:
      // The start screen stays up and says what was wrong with the file.
      lblLoadError_->setText(ToQt(result.error));
      Announce(this, lblLoadError_->text());
      break;
  }
}

void StartScreen::refreshContinue() {
  // The last career played, while its save is there to load: its player,
  // season and the weeks played of it.
  lastCareer_ = GameSettings().value(GameSettings::kLastCareer).toString();
  QString says;
  if (!lastCareer_.isEmpty()) {
    const auto loaded = LoadCareer(PathFromQt(lastCareer_));
    if (const auto* career = std::get_if<Career>(&loaded)) {
      const LogPlace place = SavedPlace(*career);
      says = QStringLiteral("%1: %2, season %3, week %4")
                 .arg(ToQt(career->CareerName), ToQt(career->Name))
                 .arg(place.season)
                 .arg(place.week);
    }
  }
  if (says.isEmpty()) lastCareer_.clear();
  cmdContinue_->setVisible(!says.isEmpty());
  lblContinue_->setVisible(!says.isEmpty());
  lblContinue_->setText(says);
  cmdContinue_->setAccessibleDescription(says);
}

void StartScreen::cmdExit_Click() { Q_EMIT exitChosen(); }

void StartScreen::refreshHallOfFame() {
  const auto rows = ReadHallOfFame(game_.folder().path);
  const int sortColumn = grdCareers_->horizontalHeader()->sortIndicatorSection();
  const Qt::SortOrder sortOrder = grdCareers_->horizontalHeader()->sortIndicatorOrder();
  grdCareers_->setSortingEnabled(false);
  grdCareers_->clearSpans();
  grdCareers_->clearContents();
  grdCareers_->setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < grdCareers_->rowCount(); ++r) {
    const HallOfFameRow& row = rows[static_cast<std::size_t>(r)];
    const QString careerName = ToQt(row.careerName);
    auto* career = new HallItem(careerName, careerName.toCaseFolded());
    career->setData(kSaveFileRole, PathToQt(row.saveFile));
    grdCareers_->setItem(r, kCareer, career);
    if (!row.damaged.empty()) {
      // Only the sentence: the totals of a file that cannot be read are not his.
      career->setData(kDamagedRole, true);
      auto* sentence = new HallItem(ToQt(row.damaged), QString());
      sentence->setForeground(QColor(0xa5, 0x16, 0x1c));
      sentence->setToolTip(sentence->text());
      grdCareers_->setItem(r, kPlayer, sentence);
      continue;
    }
    QString player = ToQt(row.player);
    auto* playerItem = new HallItem(player, player.toCaseFolded());
    if (row.retired) playerItem->setText(player + QStringLiteral(" (retired)"));
    grdCareers_->setItem(r, kPlayer, playerItem);
    grdCareers_->setItem(r, kSeasons, NumberItem(row.seasons));
    grdCareers_->setItem(r, kMatches, NumberItem(row.matches));
    grdCareers_->setItem(r, kGoals, NumberItem(row.goals));
    grdCareers_->setItem(r, kBrownlows, NumberItem(row.brownlows));
    // The competitions sort from Local Reserves up to the AFL.
    const auto level =
        std::find(kCompetitionNames.begin(), kCompetitionNames.end(), row.highestCompetition) -
        kCompetitionNames.begin();
    grdCareers_->setItem(r, kHighest,
                         new HallItem(ToQt(row.highestCompetition), static_cast<int>(level)));
    auto* peak = NumberItem(row.peakOverall);
    if (row.logStartsLate) {
      peak->setToolTip(
          QStringLiteral("His log begins after his first week: the peak is of the "
                         "weeks it holds and of his overall now."));
    }
    grdCareers_->setItem(r, kPeak, peak);
  }
  grdCareers_->setSortingEnabled(true);
  grdCareers_->sortByColumn(sortColumn, sortOrder);
  spanDamagedRows();
  // The first row is where the keys start, chosen only once he moves to it.
  if (grdCareers_->rowCount() > 0) {
    grdCareers_->selectionModel()->setCurrentIndex(grdCareers_->model()->index(0, kCareer),
                                                   QItemSelectionModel::NoUpdate);
  }
}

void StartScreen::spanDamagedRows() {
  grdCareers_->clearSpans();
  for (int r = 0; r < grdCareers_->rowCount(); ++r) {
    const QTableWidgetItem* career = grdCareers_->item(r, kCareer);
    if (career && career->data(kDamagedRole).toBool()) {
      grdCareers_->setSpan(r, kPlayer, 1, grdCareers_->columnCount() - kPlayer);
    }
  }
}

void StartScreen::chooseRow(int row) {
  const QTableWidgetItem* career = grdCareers_->item(row, kCareer);
  if (career) Q_EMIT careerChosen(career->data(kSaveFileRole).toString());
}

void StartScreen::closeEvent(QCloseEvent* event) {
  // Closing the start screen's window leaves the game, like Exit Game.
  event->ignore();
  cmdExit_Click();
}

void StartScreen::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // A load error belongs to the visit in which it happened; the careers are
  // read afresh, for one may have been played or started since.
  if (!event->spontaneous()) {
    lblLoadError_->clear();
    refreshContinue();
    refreshHallOfFame();
  }
}

}  // namespace km::screens
