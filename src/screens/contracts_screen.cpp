// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/contracts_screen.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>

#include "screens/look.h"
#include "screens/qt_text.h"
#include "screens/screen_parts.h"

namespace km::screens {

namespace {

constexpr const char* kTitle = "Contract Offers";
constexpr const char* kHeaders[] = {"Team", "Offer ($)", "Seasons", "Choice"};
constexpr int kOfferRows = 16;
constexpr int kClubColumn = 3;

// What a reader is told of the grid.
constexpr const char* kNoOffers = "No club has made an offer.";
constexpr const char* kPickByClub =
    "Enter or Space on the club's name, under Choice, picks its offer.";

QLabel* ContractValue(const char* name, QWidget* parent) {
  QLabel* label = ValueLabel(name, parent);
  SetNarrowest(label, label->fontMetrics().averageCharWidth() * 20);
  return label;
}

}  // namespace

ContractsScreen::ContractsScreen(Game& game, QWidget* parent)
    : QWidget(parent, Qt::Window), game_(game) {
  setObjectName(QStringLiteral("frmContracts"));
  setWindowTitle(QString::fromLatin1(kTitle));

  lblTitle_ = Heading(QString(), "lblTitle", this);

  grdContracts_ = new QTableWidget(kOfferRows, static_cast<int>(std::size(kHeaders)), this);
  grdContracts_->setObjectName(QStringLiteral("grdContracts"));
  QStringList headers;
  for (const char* header : kHeaders) headers << QString::fromLatin1(header);
  grdContracts_->setHorizontalHeaderLabels(headers);
  grdContracts_->verticalHeader()->hide();
  grdContracts_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // The picked offer is marked by the screen itself; a click only picks.
  // From the keyboard the arrow keys move from cell to cell and Enter or
  // Space is a click on the cell.
  grdContracts_->setSelectionMode(QAbstractItemView::NoSelection);
  ReadyForKeys(grdContracts_);
  ReadCurrentCellOnlyWithFocus(grdContracts_);
  grdContracts_->setAccessibleName(QString::fromLatin1(kTitle));
  grdContracts_->installEventFilter(this);
  grdContracts_->setAlternatingRowColors(true);
  grdContracts_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grdContracts_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // Every offer is in view: a taller window gives the grid nothing to show.
  grdContracts_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  grdContracts_->ensurePolished();
  const QFontMetrics metrics = grdContracts_->fontMetrics();
  grdContracts_->verticalHeader()->setDefaultSectionSize(metrics.height() + 8);
  // Each column as wide as its bold heading or its widest entry.
  QFont bold = grdContracts_->font();
  bold.setBold(true);
  const QFontMetrics headings(bold);
  const QString widest[] = {QStringLiteral("Team 16"), QStringLiteral("32000"),
                            QStringLiteral("5")};
  int fixedWidth = 0;
  for (int column = 0; column < 3; ++column) {
    const int width = std::max(headings.horizontalAdvance(QString::fromLatin1(kHeaders[column])),
                               metrics.horizontalAdvance(widest[column])) +
                      metrics.averageCharWidth() * 4;
    grdContracts_->setColumnWidth(column, width);
    fixedWidth += width;
  }
  grdContracts_->horizontalHeader()->setStretchLastSection(true);
  grdContracts_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  for (int row = 0; row < kOfferRows; ++row) {
    for (int column = 0; column < grdContracts_->columnCount(); ++column) {
      auto* item = new QTableWidgetItem;
      if (column == 1 || column == 2) item->setTextAlignment(Qt::AlignCenter);
      grdContracts_->setItem(row, column, item);
    }
    grdContracts_->item(row, 0)->setText(QStringLiteral("Team %1").arg(row + 1));
  }
  grdContracts_->setCurrentCell(0, kClubColumn);
  // Every offer in view at once: the header and sixteen rows.
  grdContracts_->setMinimumWidth(fixedWidth +
                                 metrics.horizontalAdvance(QStringLiteral("Port Adelaide Power")) +
                                 metrics.averageCharWidth() * 6);
  grdContracts_->setMinimumHeight(grdContracts_->horizontalHeader()->sizeHint().height() +
                                  kOfferRows *
                                      grdContracts_->verticalHeader()->defaultSectionSize() +
                                  grdContracts_->frameWidth() * 2 + 2);
  connect(grdContracts_, &QTableWidget::cellClicked, this, &ContractsScreen::grdContracts_Click);

  cmdSign_ = Button(QStringLiteral("Sign"), "cmdSign", this);
  cmdOK_ = Button(QStringLiteral("OK"), "cmdOK", this);
  connect(cmdSign_, &QPushButton::clicked, this, &ContractsScreen::cmdSign_Click);
  connect(cmdOK_, &QPushButton::clicked, this, &ContractsScreen::cmdOK_Click);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmdSign_);
  buttons->addWidget(cmdOK_);

  auto* side = new QVBoxLayout;
  side->setSpacing(10);
  side->addWidget(MakeCurrentContract());
  side->addWidget(MakeChoice());
  side->addStretch(1);
  side->addLayout(buttons);

  auto* body = new QHBoxLayout;
  body->setSpacing(14);
  body->addWidget(grdContracts_, 1);
  body->addLayout(side);

  auto* layout = new QVBoxLayout(ScreenPage(this));
  layout->setContentsMargins(16, 10, 16, 14);
  layout->setSpacing(10);
  layout->addWidget(lblTitle_);
  layout->addLayout(body, 1);

  UseScreenKeys(this, {cmdSign_, cmdOK_}, {cmdOK_});
  refresh();
  grdContracts_->setFocus();
}

QWidget* ContractsScreen::MakeCurrentContract() {
  auto* frame = Frame("CURRENT CONTRACT", "fraCurrentContract", this);
  auto* grid = new QGridLayout(frame);
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(6);
  lblTeam_ = ContractValue("lblTeam", frame);
  lblCurrent_ = ContractValue("lblCurrent", frame);
  lblLength_ = ContractValue("lblLength", frame);
  lblMatches_ = ContractValue("lblMatches", frame);
  const std::pair<const char*, QLabel*> rows[] = {
      {"Team:", lblTeam_},
      {"Current Contract:", lblCurrent_},
      {"Length:", lblLength_},
      {"Matches Left:", lblMatches_},
  };
  int row = 0;
  for (const auto& [caption, value] : rows) {
    grid->addWidget(CaptionOf(value, QString::fromLatin1(caption), frame), row, 0);
    grid->addWidget(value, row++, 1);
  }
  for (QLabel* number : {lblCurrent_, lblLength_, lblMatches_}) {
    number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  }
  grid->setColumnStretch(1, 1);
  return frame;
}

QWidget* ContractsScreen::MakeChoice() {
  auto* frame = Frame("YOUR CHOICE", "fraChoice", this);
  auto* grid = new QGridLayout(frame);
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(6);
  lblTeamContract_ = ContractValue("lblTeamContract", frame);
  lblOfferContract_ = ContractValue("lblOfferContract", frame);
  lblLengthContract_ = ContractValue("lblLengthContract", frame);
  // Until a club is picked the offer's place asks for a click.
  lblOfferContract_->setWordWrap(true);
  const std::pair<const char*, QLabel*> rows[] = {
      {"Team:", lblTeamContract_},
      {"Offer:", lblOfferContract_},
      {"Seasons:", lblLengthContract_},
  };
  int row = 0;
  for (const auto& [caption, value] : rows) {
    grid->addWidget(CaptionOf(value, QString::fromLatin1(caption), frame), row, 0);
    grid->addWidget(value, row++, 1);
  }
  grid->setColumnStretch(1, 1);
  return frame;
}

void ContractsScreen::refresh() {
  if (!game_.HasCareer()) return;
  const Career& career = game_.career();
  const ContractOffers& offers = game_.contracts();
  lblTitle_->setText(ToQt(offers.title));

  for (int row = 0; row < kOfferRows; ++row) {
    const ContractOffer& offer = offers.rows[static_cast<std::size_t>(row)];
    // A grid that no club has filled yet shows only its row labels.
    const bool filled = !offer.club.empty();
    grdContracts_->item(row, 1)->setText(filled ? ToQt(offer.offer.ToString()) : QString());
    grdContracts_->item(row, 2)->setText(filled ? QString::number(offer.length) : QString());
    grdContracts_->item(row, kClubColumn)->setText(ToQt(offer.club));
    // A reader hears the row's club with its team number, and how to pick it.
    grdContracts_->item(row, 0)->setData(
        Qt::AccessibleTextRole,
        filled ? QStringLiteral("Team %1: %2").arg(row + 1).arg(ToQt(offer.club)) : QVariant());
    grdContracts_->item(row, kClubColumn)
        ->setData(Qt::AccessibleDescriptionRole,
                  filled ? QString::fromLatin1(kPickByClub) : QVariant());
    // The offer waiting to be signed stands out.
    const bool picked = filled && career.SignOpen && offer.club == offers.pendingTeam;
    for (int column = 0; column < grdContracts_->columnCount(); ++column) {
      QTableWidgetItem* item = grdContracts_->item(row, column);
      item->setData(Qt::BackgroundRole, picked ? QVariant(QColor(0x2f, 0x6b, 0x3a)) : QVariant());
      item->setData(Qt::ForegroundRole, picked ? QVariant(QColor(Qt::white)) : QVariant());
    }
  }

  lblTeam_->setText(ToQt(career.ContractTeam));
  lblCurrent_->setText(ToQt(career.ContractCurrent.ToString()));
  lblLength_->setText(QString::number(career.ContractLength));
  lblMatches_->setText(QString::number(career.ContractMatches));

  const bool pending = !offers.pendingTeam.empty();
  lblTeamContract_->setText(ToQt(offers.pendingTeam));
  lblOfferContract_->setText(ToQt(career.OfferContract));
  lblLengthContract_->setText(pending ? QString::number(offers.pendingLength) : QString());

  cmdSign_->setEnabled(career.SignOpen);
  // An empty grid says so.
  const bool none = std::none_of(offers.rows.begin(), offers.rows.end(),
                                 [](const ContractOffer& offer) { return !offer.club.empty(); });
  grdContracts_->setAccessibleDescription(none ? QString::fromLatin1(kNoOffers) : QString());
}

void ContractsScreen::grdContracts_Click(int row, int column) {
  if (!game_.HasCareer()) return;
  const QTableWidgetItem* item = grdContracts_->item(row, column);
  if (!item) return;
  // The game's rows are counted from 1, below the grid's headings.
  game_.ClickOffer(row + 1, ToStd(item->text()));
  refresh();
  // A choice is never made in silence: the reader hears YOUR CHOICE, or how
  // to make one.
  const ContractOffers& offers = game_.contracts();
  const std::string& club = offers.rows[static_cast<std::size_t>(row)].club;
  if (club.empty()) return;
  if (game_.career().SignOpen && column == kClubColumn && offers.pendingTeam == club) {
    Announce(this, QStringLiteral("YOUR CHOICE: Team: %1, Offer: %2, Seasons: %3. Sign is ready.")
                       .arg(lblTeamContract_->text(), lblOfferContract_->text(),
                            lblLengthContract_->text()));
  } else if (column != kClubColumn) {
    Announce(this, QString::fromLatin1(kPickByClub));
  }
}

void ContractsScreen::cmdSign_Click() {
  if (!game_.HasCareer()) return;
  // A first signing makes the papers before anything else happens.
  game_.Sign();
  refresh();
  Q_EMIT contractSigned();
}

void ContractsScreen::cmdOK_Click() {
  if (!game_.HasCareer()) return;
  // Refused, with the game's message, while no contract is in force.
  if (!game_.CloseContracts()) return;
  // The opener takes input again before this window goes, so that the focus
  // never comes back to a window that is still held.
  Q_EMIT closed();
  hide();
}

bool ContractsScreen::eventFilter(QObject* watched, QEvent* event) {
  if (watched == grdContracts_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) &&
        grdContracts_->currentItem()) {
      grdContracts_Click(grdContracts_->currentRow(), grdContracts_->currentColumn());
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void ContractsScreen::showEvent(QShowEvent* event) {
  refresh();
  if (!grdContracts_->accessibleDescription().isEmpty()) {
    Announce(this, grdContracts_->accessibleDescription());
  }
  QWidget::showEvent(event);
}

void ContractsScreen::closeEvent(QCloseEvent* event) {
  // The close box is OK: it too waits for a signature.
  event->ignore();
  cmdOK_Click();
}

}  // namespace km::screens
