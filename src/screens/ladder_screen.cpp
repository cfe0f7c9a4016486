// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/ladder_screen.h"

#include <QBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <array>

#include "screens/qt_text.h"
#include "screens/screen_parts.h"
#include "season/ladder.h"

namespace km::screens {

namespace {

constexpr std::array<const char*, 10> kHeaders = {"Position", "Team", "Played",  "Wins", "Losses",
                                                  "Draws",    "For",  "Against", "%",    "Points"};
constexpr int kTeamColumn = 1;

// The grid's cells for one ladder line, column by column.
std::array<QString, kHeaders.size()> Cells(const LadderLine& line) {
  return {ToQt(line.Position),          ToQt(line.Team),
          QString::number(line.Played), QString::number(line.Wins),
          QString::number(line.Losses), QString::number(line.Draws),
          QString::number(line.For),    QString::number(line.Against),
          ToQt(line.Percentage),        QString::number(line.Points)};
}

}  // namespace

LadderScreen::LadderScreen(const Career& career, QWidget* parent)
    : InfoScreen("frmLadder", QString(), parent), career_(career) {
  QBoxLayout* body = Body(QString());
  lblTitle_ = findChild<QLabel*>(QStringLiteral("lblHeading"));
  lblTitle_->setObjectName(QStringLiteral("lblTitle"));

  grdLadder_ = new QTableWidget(kLadderRows, static_cast<int>(kHeaders.size()), this);
  grdLadder_->setObjectName(QStringLiteral("grdLadder"));
  QStringList headers;
  for (const char* header : kHeaders) headers << QString::fromLatin1(header);
  grdLadder_->setHorizontalHeaderLabels(headers);
  grdLadder_->verticalHeader()->hide();
  grdLadder_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grdLadder_->setSelectionMode(QAbstractItemView::NoSelection);
  // The arrow keys read the ladder cell by cell.
  ReadyForKeys(grdLadder_);
  ReadCurrentCellOnlyWithFocus(grdLadder_);
  grdLadder_->setAlternatingRowColors(true);
  grdLadder_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grdLadder_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // Every club and column is in view: a larger window gives it nothing to show.
  grdLadder_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  for (int row = 0; row < kLadderRows; ++row) {
    for (int column = 0; column < grdLadder_->columnCount(); ++column) {
      auto* cell = new QTableWidgetItem;
      cell->setTextAlignment(column == kTeamColumn ? Qt::AlignLeft | Qt::AlignVCenter
                                                   : Qt::AlignCenter);
      grdLadder_->setItem(row, column, cell);
    }
  }
  body->addWidget(grdLadder_);
  grdLadder_->setCurrentCell(0, kTeamColumn);
  setTabOrder(grdLadder_, okButton());
  refresh();
}

void LadderScreen::refresh() {
  const QString title = ToQt(LadderTitle(career_.League));
  setWindowTitle(title);
  lblTitle_->setText(title);
  grdLadder_->setAccessibleName(title);
  const LadderView ladder = BuildLadder(career_);
  for (int row = 0; row < kLadderRows; ++row) {
    const LadderLine& line = ladder[static_cast<std::size_t>(row)];
    const auto cells = Cells(line);
    // The player's own club stands out.
    QFont font = grdLadder_->font();
    font.setBold(line.Team == career_.Team);
    for (int column = 0; column < static_cast<int>(cells.size()); ++column) {
      QTableWidgetItem* cell = grdLadder_->item(row, column);
      cell->setText(cells[static_cast<std::size_t>(column)]);
      cell->setFont(font);
    }
  }

  // Every column as wide as its widest entry, the club names with room to
  // spare, and the whole ladder in view without scrolling.
  grdLadder_->resizeColumnsToContents();
  grdLadder_->resizeRowsToContents();
  const int spare = grdLadder_->fontMetrics().averageCharWidth() * 2;
  for (int column = 0; column < grdLadder_->columnCount(); ++column) {
    grdLadder_->setColumnWidth(column, grdLadder_->columnWidth(column) + spare);
  }
  const int teamWidth =
      grdLadder_->fontMetrics().horizontalAdvance(QStringLiteral("Port Melbourne Colts"));
  if (grdLadder_->columnWidth(kTeamColumn) < teamWidth) {
    grdLadder_->setColumnWidth(kTeamColumn, teamWidth);
  }
  int width = grdLadder_->frameWidth() * 2;
  for (int column = 0; column < grdLadder_->columnCount(); ++column) {
    width += grdLadder_->columnWidth(column);
  }
  int height = grdLadder_->frameWidth() * 2 + grdLadder_->horizontalHeader()->sizeHint().height();
  for (int row = 0; row < kLadderRows; ++row) height += grdLadder_->rowHeight(row);
  grdLadder_->setMinimumSize(width, height);
}

}  // namespace km::screens
