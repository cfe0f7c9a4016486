// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/draft_screens.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "screens/look.h"
#include "screens/qt_text.h"
#include "screens/screen_parts.h"

namespace km::screens {

namespace {

constexpr const char* kCampTitle = "Kickmark - AFL Draft Camp";
constexpr const char* kCampHeading = "AFL DRAFT CAMP";
constexpr const char* kGoToDraft = "Go to Draft!";
constexpr const char* kTestCaptions[kCampTests] = {
    "Sprints:", "Standing Jump:", "Running Jump:", "Agility:", "Shuttle:", "Time Trial:"};

constexpr const char* kDraftTitle = "Kickmark - AFL Draft";
constexpr const char* kDraftHeading = "AFL DRAFT";
constexpr const char* kOrderNames[kDraftOrder.size()] = {
    "lblFirst",      "lblSecond",     "lblThird",     "lblFourth",   "lblFifth",    "lblSixth",
    "lblSeventh",    "lblEighth",     "lblNinth",     "lblTenth",    "lblEleventh", "lblTwelfth",
    "lblThirteenth", "lblFourteenth", "lblFifteenth", "lblSixteenth"};

QString Number(int value) { return QString::number(value); }

QLabel* Figure(const char* name, QWidget* parent, int chars) {
  QLabel* label = ValueLabel(name, parent);
  label->setAlignment(Qt::AlignCenter);
  SetNarrowest(label, label->fontMetrics().averageCharWidth() * chars);
  return label;
}

QLabel* SubHeading(const char* name, QWidget* parent) {
  auto* label = new TextLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  SetRole(label, "overall");
  return label;
}

QHBoxLayout* ButtonRow(std::initializer_list<QPushButton*> buttons) {
  auto* row = new QHBoxLayout;
  row->setSpacing(10);
  row->addStretch(1);
  for (QPushButton* button : buttons) row->addWidget(button);
  return row;
}

QVBoxLayout* ScreenLayout(QWidget* screen) {
  auto* layout = new QVBoxLayout(ScreenPage(screen));
  layout->setContentsMargins(16, 10, 16, 14);
  layout->setSpacing(10);
  return layout;
}

}  // namespace

DraftCampScreen::DraftCampScreen(Game& game, QWidget* parent)
    : QWidget(parent, Qt::Window), game_(game) {
  setObjectName(QStringLiteral("frmDraftCamp"));
  setWindowTitle(QString::fromLatin1(kCampTitle));

  lblName_ = SubHeading("lblName", this);
  // The session counter is the game's; the screen only holds it.
  lblTest_ = new TextLabel(this);
  lblTest_->setObjectName(QStringLiteral("lblTest"));
  lblTest_->hide();

  cmdStart_ = Button(QStringLiteral("Begin Camp"), "cmdStart", this);
  cmdStart_->setMinimumWidth(cmdStart_->fontMetrics().averageCharWidth() * 18);
  cmdOK_ = Button(QString::fromLatin1(kGoToDraft), "cmdOK", this);
  connect(cmdStart_, &QPushButton::clicked, this, &DraftCampScreen::cmdStart_Click);
  connect(cmdOK_, &QPushButton::clicked, this, &DraftCampScreen::cmdOK_Click);

  auto* body = new QHBoxLayout;
  body->setSpacing(14);
  body->addWidget(MakeSession(), 1);
  body->addWidget(MakeTests());

  QVBoxLayout* layout = ScreenLayout(this);
  layout->addWidget(Heading(QString::fromLatin1(kCampHeading), "lblHeading", this));
  layout->addWidget(lblName_);
  layout->addLayout(body, 1);
  layout->addLayout(ButtonRow({cmdStart_, cmdOK_}));

  // Enter runs the next session, then goes to the draft.
  UseScreenKeys(this, {cmdStart_, cmdOK_});
  refresh();
  cmdStart_->setFocus();
}

QWidget* DraftCampScreen::MakeSession() {
  auto* frame = Frame("Session", "fraSession", this);
  auto* grid = new QGridLayout(frame);
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(6);

  lblActivity_ = ValueLabel("lblActivity", frame);
  SetNarrowest(lblActivity_, lblActivity_->fontMetrics().averageCharWidth() * 18);
  lblResult_ = Figure("lblResult", frame, 8);
  lblUnit_ = new TextLabel(frame);
  lblUnit_->setObjectName(QStringLiteral("lblUnit"));
  SetRole(lblUnit_, "caption");
  lblRank_ = Figure("lblRank", frame, 6);

  grid->addWidget(CaptionOf(lblActivity_, QStringLiteral("Activity:"), frame), 0, 0);
  grid->addWidget(lblActivity_, 0, 1, 1, 2);
  grid->addWidget(CaptionOf(lblResult_, QStringLiteral("Result:"), frame), 1, 0);
  grid->addWidget(lblResult_, 1, 1);
  grid->addWidget(lblUnit_, 1, 2);
  grid->addWidget(CaptionOf(lblRank_, QStringLiteral("Rank:"), frame), 2, 0);
  grid->addWidget(lblRank_, 2, 1);
  grid->addWidget(Caption(QStringLiteral("(Out of 70)"), frame), 2, 2);

  lblComments_ = new TextLabel(frame);
  grid->addWidget(CaptionOf(lblComments_, QStringLiteral("Recruiters' Comments:"), frame), 3, 0, 1,
                  3);
  lblComments_->setObjectName(QStringLiteral("lblComments"));
  SetRole(lblComments_, "comments");
  lblComments_->setWordWrap(true);
  lblComments_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  // Room for the longest welcome and verdict: ten lines at this width.
  lblComments_->ensurePolished();
  lblComments_->setMinimumWidth(lblComments_->fontMetrics().averageCharWidth() * 60);
  lblComments_->setMinimumHeight(lblComments_->fontMetrics().lineSpacing() * 10);
  grid->addWidget(lblComments_, 4, 0, 1, 4);
  grid->setColumnStretch(3, 1);
  grid->setRowStretch(4, 1);
  return frame;
}

QWidget* DraftCampScreen::MakeTests() {
  auto* frame = Frame("Tests", "fraTests", this);
  auto* grid = new QGridLayout(frame);
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(6);
  grid->addWidget(Caption(QStringLiteral("Result"), frame), 0, 1, Qt::AlignCenter);
  grid->addWidget(Caption(QStringLiteral("Rank"), frame), 0, 2, Qt::AlignCenter);
  for (int t = 0; t < kCampTests; ++t) {
    const auto at = static_cast<std::size_t>(t);
    const QByteArray number = QByteArray::number(t + 1);
    lblResults_[at] = Figure(QByteArray("lblResult" + number).constData(), frame, 8);
    lblRanks_[at] = Figure(QByteArray("lblRank" + number).constData(), frame, 5);
    const QString test = QString::fromLatin1(kTestCaptions[t]).chopped(1);
    ReadWithCaption(lblResults_[at], test + QStringLiteral(" Result"));
    ReadWithCaption(lblRanks_[at], test + QStringLiteral(" Rank"));
    grid->addWidget(Caption(QString::fromLatin1(kTestCaptions[t]), frame), t + 1, 0);
    grid->addWidget(lblResults_[at], t + 1, 1);
    grid->addWidget(lblRanks_[at], t + 1, 2);
  }
  lblRankAverage_ = Figure("lblRankAverage", frame, 5);
  grid->addWidget(CaptionOf(lblRankAverage_, QStringLiteral("Average Rank:"), frame),
                  kCampTests + 1, 0);
  grid->addWidget(lblRankAverage_, kCampTests + 1, 2);
  grid->setRowStretch(kCampTests + 2, 1);
  return frame;
}

void DraftCampScreen::refresh() {
  const DraftCamp* camp = game_.camp();
  if (!camp) return;
  const CampState& s = camp->state();
  lblName_->setText(ToQt(s.Name));
  lblTest_->setText(Number(s.Test));
  lblActivity_->setText(ToQt(s.Activity));
  lblResult_->setText(ToQt(s.Result));
  lblUnit_->setText(ToQt(s.Unit));
  lblRank_->setText(Number(s.Rank));
  lblComments_->setText(ToQt(s.Comments));
  for (std::size_t t = 0; t < s.Rows.size(); ++t) {
    lblResults_[t]->setText(ToQt(s.Rows[t].Result));
    lblRanks_[t]->setText(Number(s.Rows[t].Rank));
  }
  lblRankAverage_->setText(Number(s.RankAverage));
  cmdStart_->setText(ToQt(s.StartCaption));
  cmdStart_->setEnabled(s.StartEnabled);
  cmdOK_->setEnabled(s.OkEnabled);
  if (s.OkEnabled) cmdOK_->setFocus();
}

void DraftCampScreen::cmdStart_Click() {
  game_.CampStep();
  refresh();
}

void DraftCampScreen::cmdOK_Click() {
  const DraftCamp* camp = game_.camp();
  if (!camp || !camp->state().OkEnabled) return;
  // The AFL season is made ready; when it cannot be, the game says why and
  // the camp stays.
  if (game_.GoToDraft()) Q_EMIT draftRequested();
}

void DraftCampScreen::showEvent(QShowEvent* event) {
  refresh();
  QWidget::showEvent(event);
}

void DraftCampScreen::closeEvent(QCloseEvent* event) {
  // The camp is run to its end and left for the draft.
  event->ignore();
}

DraftScreen::DraftScreen(Game& game, QWidget* parent) : QWidget(parent, Qt::Window), game_(game) {
  setObjectName(QStringLiteral("frmDraft"));
  setWindowTitle(QString::fromLatin1(kDraftTitle));

  lblName_ = SubHeading("lblName", this);
  if (game_.HasCareer()) lblName_->setText(ToQt(game_.career().Name));

  auto* pickFrame = Frame("Pick", "fraPick", this);
  auto* pickGrid = new QGridLayout(pickFrame);
  pickGrid->setHorizontalSpacing(8);
  pickGrid->setVerticalSpacing(6);
  lblPick_ = Figure("lblPick", pickFrame, 6);
  lblRound_ = Figure("lblRound", pickFrame, 6);
  lblTeam_ = ValueLabel("lblTeam", pickFrame);
  SetNarrowest(lblTeam_,
               lblTeam_->fontMetrics().horizontalAdvance(QStringLiteral("Draft Not Yet Started")) +
                   lblTeam_->fontMetrics().averageCharWidth() * 4);
  pickGrid->addWidget(CaptionOf(lblPick_, QStringLiteral("Pick:"), pickFrame), 0, 0);
  pickGrid->addWidget(lblPick_, 0, 1, Qt::AlignLeft);
  pickGrid->addWidget(CaptionOf(lblRound_, QStringLiteral("Round:"), pickFrame), 1, 0);
  pickGrid->addWidget(lblRound_, 1, 1, Qt::AlignLeft);
  pickGrid->addWidget(CaptionOf(lblTeam_, QStringLiteral("Team:"), pickFrame), 2, 0);
  pickGrid->addWidget(lblTeam_, 2, 1);
  pickGrid->setColumnStretch(1, 1);
  pickGrid->setRowStretch(3, 1);

  // The clubs' order of picking, the same every year.
  auto* orderFrame = Frame("Draft Order", "fraDraftOrder", this);
  auto* orderGrid = new QGridLayout(orderFrame);
  orderGrid->setHorizontalSpacing(8);
  orderGrid->setVerticalSpacing(3);
  for (std::size_t i = 0; i < kDraftOrder.size(); ++i) {
    const int row = static_cast<int>(i);
    auto* place = Caption(QStringLiteral("%1.").arg(row + 1), orderFrame);
    place->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* club = new TextLabel(ToQt(kDraftOrder[i]), orderFrame);
    club->setObjectName(QString::fromLatin1(kOrderNames[i]));
    SetRole(club, "draftClub");
    // The club on the clock is in bold: room for the longest name so.
    club->ensurePolished();
    QFont bold = club->font();
    bold.setBold(true);
    SetNarrowest(club, QFontMetrics(bold).horizontalAdvance(QStringLiteral("Port Adelaide Power")) +
                           club->fontMetrics().averageCharWidth() * 3);
    lblOrder_[i] = club;
    // Read as one: "Draft Order 1: Carlton".
    LeaveUnread(place);
    ReadWithCaption(club, QStringLiteral("Draft Order %1").arg(row + 1));
    orderGrid->addWidget(place, row, 0);
    orderGrid->addWidget(club, row, 1);
  }
  orderGrid->setColumnStretch(1, 1);

  cmdPick_ = Button(QStringLiteral("Begin Draft"), "cmdPick", this);
  cmdPick_->setMinimumWidth(cmdPick_->fontMetrics().averageCharWidth() * 18);
  connect(cmdPick_, &QPushButton::clicked, this, &DraftScreen::cmdPick_Click);

  auto* left = new QVBoxLayout;
  left->setSpacing(10);
  left->addWidget(lblName_);
  left->addWidget(pickFrame);
  left->addStretch(1);

  auto* body = new QHBoxLayout;
  body->setSpacing(14);
  body->addLayout(left, 1);
  body->addWidget(orderFrame);

  QVBoxLayout* layout = ScreenLayout(this);
  layout->addWidget(Heading(QString::fromLatin1(kDraftHeading), "lblHeading", this));
  layout->addLayout(body, 1);
  layout->addLayout(ButtonRow({cmdPick_}));

  // Enter makes the next pick.
  UseScreenKeys(this, {cmdPick_});
  refresh();
  cmdPick_->setFocus();
}

void DraftScreen::refresh() {
  const Draft* draft = game_.draft();
  if (!draft) return;
  const DraftState& s = draft->state();
  if (!s.Name.empty()) lblName_->setText(ToQt(s.Name));
  lblPick_->setText(Number(s.Pick));
  lblRound_->setText(Number(s.Round));
  lblTeam_->setText(ToQt(s.Team));
  // The club on the clock stands out in the order; the rest are plain.
  for (std::size_t i = 0; i < lblOrder_.size(); ++i) {
    QLabel* club = lblOrder_[i];
    const bool current = static_cast<int>(i) + 1 == s.Slot;
    if (club->property("current").toBool() == current) continue;
    club->setProperty("current", current);
    // Bold is not the only sign: a reader hears whose pick it is.
    ReadWithCaption(club, QStringLiteral("Draft Order %1%2")
                              .arg(static_cast<int>(i) + 1)
                              .arg(current ? QStringLiteral(", picking now") : QString()));
    club->style()->unpolish(club);
    club->style()->polish(club);
  }
  cmdPick_->setText(ToQt(s.PickCaption));
}

void DraftScreen::cmdPick_Click() {
  if (!game_.draft()) return;
  // A pick may bring the club's message; Finish brings the papers. Either
  // comes up over the pick as it now stands.
  game_.DraftPick([this] { refresh(); });
  if (!game_.draft()) {
    Q_EMIT finished();
    return;
  }
  refresh();
}

void DraftScreen::showEvent(QShowEvent* event) {
  refresh();
  QWidget::showEvent(event);
}

void DraftScreen::closeEvent(QCloseEvent* event) {
  // The draft runs until a club has taken the player.
  event->ignore();
}

}  // namespace km::screens
