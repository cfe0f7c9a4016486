// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/main_screen.h"

#include <span>

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionProgressBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <cstddef>

#include "core/career_fields.h"
#include "core/money.h"
#include "core/number_format.h"
#include "core/run_state.h"
#include "game/tips.h"
#include "match/match.h"
#include "screens/about_screen.h"
#include "screens/look.h"
#include "screens/qt_text.h"
#include "screens/screen_parts.h"
#include "season/season_end.h"

namespace km::screens {

namespace {

constexpr const char* kTitle = "Kickmark - Career";
constexpr const char* kHeading = "Career Details";
constexpr const char* kQuitQuestion = "Are you sure you want to quit ?";
constexpr const char* kQuitTitle = "Kickmark Exit";

// Display patterns of the hub's numbers.
constexpr const char* kWholePattern = "##0";

std::string Whole(int value) { return std::to_string(value); }

QLabel* Caption(const char* text, QWidget* parent) {
  auto* label = new TextLabel(QString::fromLatin1(text), parent);
  SetRole(label, "caption");
  return label;
}

// The caption of a value or bar, which names it for screen readers and
// carries its tool tip.
QLabel* CaptionOf(QWidget* shown, const char* text, QWidget* parent) {
  QLabel* caption = km::screens::CaptionOf(shown, QString::fromLatin1(text), parent);
  caption->setToolTip(shown->toolTip());
  return caption;
}

// A gear or condition bar. Its figure reads on either part of the bar: it is
// drawn in the style sheet's selection-color over the filled part and in its
// color over the empty part. The bar's state shows in more than its colour:
// a low bar is hatched, a restored one framed.
class ConditionBar : public QProgressBar {
 public:
  using QProgressBar::QProgressBar;

 protected:
  void paintEvent(QPaintEvent* /*event*/) override {
    QStyleOptionProgressBar option;
    initStyleOption(&option);
    option.textVisible = false;
    QPainter painter(this);
    style()->drawControl(QStyle::CE_ProgressBar, &option, &painter, this);

    const QRect inside = style()->subElementRect(QStyle::SE_ProgressBarContents, &option, this);
    const int span = std::max(1, maximum() - minimum());
    const int reached = std::clamp(value(), minimum(), maximum()) - minimum();
    const QRegion filled(
        QRect(inside.topLeft(), QSize(inside.width() * reached / span, inside.height())));
    const QRegion empty = QRegion(rect()) - filled;
    const QColor onFilled = palette().color(QPalette::HighlightedText);
    const QColor onEmpty = palette().color(QPalette::Text);

    const QString state = property("barColour").toString();
    if (state == QLatin1String("low")) {
      // Hatching, kept clear of the figure.
      QRect figure = fontMetrics().boundingRect(text());
      figure.moveCenter(rect().center());
      const int margin = fontMetrics().averageCharWidth();
      const QRegion hatched = QRegion(inside) - figure.adjusted(-margin, 0, margin, 0);
      painter.setClipRegion(hatched & filled);
      painter.fillRect(inside, QBrush(Faded(onFilled, 120), Qt::BDiagPattern));
      painter.setClipRegion(hatched & empty);
      painter.fillRect(inside, QBrush(Faded(onEmpty, 90), Qt::BDiagPattern));
      painter.setClipping(false);
    } else if (state == QLatin1String("restored")) {
      painter.save();
      painter.setRenderHint(QPainter::Antialiasing);
      painter.setPen(QPen(onEmpty, 2));
      painter.setBrush(Qt::NoBrush);
      painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 3, 3);
      painter.restore();
    }

    if (!isTextVisible()) return;
    painter.setFont(font());
    painter.setClipRegion(filled);
    painter.setPen(onFilled);
    painter.drawText(rect(), Qt::AlignCenter, text());
    painter.setClipRegion(empty);
    painter.setPen(onEmpty);
    painter.drawText(rect(), Qt::AlignCenter, text());
  }

 private:
  static QColor Faded(QColor colour, int alpha) {
    colour.setAlpha(alpha);
    return colour;
  }
};

// A button of the hub. While its "highlight" is on (a sponsor window waits on
// Sponsorship) it carries a dot before its caption, so that the call shows in
// more than the button's colour.
class HubButton : public QPushButton {
 public:
  using QPushButton::QPushButton;

 protected:
  void paintEvent(QPaintEvent* event) override {
    QPushButton::paintEvent(event);
    if (!property("highlight").toBool()) return;
    QStyleOptionButton option;
    initStyleOption(&option);
    // In the middle of the space before the caption.
    const QRect caption = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    const double radius = fontMetrics().height() * 0.22;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette().color(QPalette::ButtonText));
    painter.drawEllipse(QPointF(caption.left() / 2.0, QRectF(rect()).center().y()), radius, radius);
  }
};

QGridLayout* FrameGrid(QGroupBox* frame) {
  auto* grid = new QGridLayout(frame);
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(5);
  return grid;
}

// The gear and health bars start at the same place in both frames.
void AlignBarCaptions(QGridLayout* grid, QWidget* frame) {
  frame->ensurePolished();
  grid->setColumnMinimumWidth(0,
                              frame->fontMetrics().horizontalAdvance(QStringLiteral("Stamina:")) +
                                  frame->fontMetrics().averageCharWidth() * 2);
}

}  // namespace

QString PlayTip(const Game& game) {
  if (!game.HasCareer()) return {};
  return ToQt(PlayReason(game)) + QStringLiteral(" Press F1 for help.");
}

MainScreen::MainScreen(Game& game, QWidget* parent) : QWidget(parent), game_(game) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(QString::fromLatin1(kTitle));

  auto* heading = new TextLabel(QString::fromLatin1(kHeading), this);
  heading->setObjectName(QStringLiteral("lblHeading"));
  SetRole(heading, "heading");

  auto* middle = new QVBoxLayout;
  middle->setSpacing(10);
  middle->addWidget(MakeSeasonStatistics());
  middle->addWidget(MakeFinances());
  middle->addStretch(1);

  auto* right = new QVBoxLayout;
  right->setSpacing(10);
  right->addWidget(MakeGear());
  right->addWidget(MakeHealth());
  right->addStretch(1);

  auto* frames = new QHBoxLayout;
  frames->setSpacing(12);
  frames->addWidget(MakeProfile());
  frames->addLayout(middle);
  frames->addLayout(right);

  // The week's buttons: PLAY and the team page first, the screens of the
  // week below them.
  cmdPlay_ = AddButton("PLAY", "cmdPlay", &MainScreen::cmdPlay_Click);
  auto* cmdTeamDetails =
      AddButton("TEAM DETAILS", "cmdTeamDetails", &MainScreen::cmdTeamDetails_Click);
  cmdLadderStats_ = new QPushButton(QStringLiteral("LS"), this);
  cmdLadderStats_->setObjectName(QStringLiteral("cmdLadderStats"));
  cmdLadderStats_->setEnabled(false);
  ReadWithCaption(cmdLadderStats_, QStringLiteral("Ladder table"));
  // It never opens anything: the ladder has its own screen.
  cmdLadderStats_->setToolTip(ToQt(HubTip("cmdLadderStats")));
  cmdLadderStats_->setAccessibleDescription(cmdLadderStats_->toolTip());
  cmdTraining_ = AddButton("&Training", "cmdTraining", &MainScreen::cmdTraining_Click);
  cmdHealth_ = AddButton("&Health", "cmdHealth", &MainScreen::cmdHealth_Click);
  cmdStore_ = AddButton("&Store", "cmdStore", &MainScreen::cmdStore_Click);
  cmdSponsorship_ = AddButton("Sp&onsorship", "cmdSponsorship", &MainScreen::cmdSponsorship_Click);
  cmdContract_ = AddButton("&Contract", "cmdContract", &MainScreen::cmdContract_Click);
  auto* cmdRecords = AddButton("&Records", "cmdRecords", &MainScreen::cmdRecords_Click);
  auto* cmdCareer = AddButton("Care&er", "cmdCareer", &MainScreen::cmdCareer_Click);
  auto* cmdAbout = AddButton("&About", "cmdAbout", &MainScreen::cmdAbout_Click);
  auto* cmdExit = AddButton("Exit", "cmdExit", &MainScreen::cmdExit_Click);

  cmdPlay_->setMinimumWidth(cmdPlay_->fontMetrics().averageCharWidth() * 24);
  cmdTeamDetails->setMinimumWidth(cmdTeamDetails->fontMetrics().averageCharWidth() * 22);

  auto* topRow = new QHBoxLayout;
  topRow->setSpacing(10);
  topRow->addWidget(cmdPlay_);
  topRow->addWidget(cmdTeamDetails);
  topRow->addStretch(1);
  topRow->addWidget(cmdLadderStats_);

  auto* weekRow = new QHBoxLayout;
  weekRow->setSpacing(8);
  for (QPushButton* button : {cmdTraining_, cmdHealth_, cmdStore_, cmdSponsorship_, cmdContract_,
                              cmdRecords, cmdCareer}) {
    weekRow->addWidget(button);
  }
  weekRow->addStretch(1);
  weekRow->addWidget(cmdAbout);
  weekRow->addWidget(cmdExit);

  auto* layout = new QVBoxLayout(ScreenPage(this));
  layout->setContentsMargins(16, 10, 16, 14);
  layout->setSpacing(10);
  layout->addWidget(heading);
  layout->addLayout(frames, 1);
  layout->addLayout(topRow);
  layout->addLayout(weekRow);

  // Key preview: the hub sees every key before the control with the focus.
  // Only its letters are taken; Enter, Space, Escape and the keys of the
  // other screens pass.
  qApp->installEventFilter(this);
  UseScreenKeys(this, {cmdPlay_});

  refresh();
  cmdPlay_->setFocus();
}

MainScreen::~MainScreen() { delete aboutBox_.data(); }

QWidget* MainScreen::MakeProfile() {
  struct Row {
    const char* caption;
    const char* name;
    const char* unit;
    std::string (*text)(const Career&);
  };
  static constexpr Row kRows[] = {
      {"Name:", "lblName", "", [](const Career& c) { return c.Name; }},
      {"Team:", "lblTeam", "", [](const Career& c) { return c.Team; }},
      {"State:", "lblState", "", [](const Career& c) { return c.State; }},
      {"Height:", "lblHeight", "cm", [](const Career& c) { return Whole(c.Height); }},
      {"Weight:", "lblWeight", "kg", [](const Career& c) { return Whole(c.Weight); }},
      {"Preferred Position:", "lblPosition", "", [](const Career& c) { return c.Position; }},
      {"Age:", "lblAge", "", [](const Career& c) { return Whole(c.Age); }},
      {"League:", "lblLeague", "", [](const Career& c) { return c.League; }},
      {"Kicking:", "lblKicking", "", [](const Career& c) { return Whole(c.Kicking); }},
      {"Handballing:", "lblHandballing", "", [](const Career& c) { return Whole(c.Handballing); }},
      {"Tackling:", "lblTackling", "", [](const Career& c) { return Whole(c.Tackling); }},
      {"Marking:", "lblMarking", "", [](const Career& c) { return Whole(c.Marking); }},
      {"Running:", "lblRunning", "", [](const Career& c) { return Whole(c.Running); }},
      {"Overall:", "lblOverall", "",
       [](const Career& c) { return FormatNumber(c.Overall, kWholePattern); }},
  };
  auto* frame = Frame("Profile", "fraProfile", this);
  auto* grid = FrameGrid(frame);
  int row = 0;
  for (const Row& r : kRows) {
    QLabel* value = AddValue(r.name, frame, r.text);
    value->setToolTip(ToQt(HubTip(r.name)));
    grid->addWidget(CaptionOf(value, r.caption, frame), row, 0);
    // Room for the longest position and club names.
    value->ensurePolished();
    SetNarrowest(
        value,
        value->fontMetrics().horizontalAdvance(QStringLiteral("Centre-Half-Forward  ")) + 16);
    grid->addWidget(value, row, 1);
    if (*r.unit != '\0') {
      // Read with its value: "Height: 191 cm".
      QLabel* unit = Caption(r.unit, frame);
      ReadWithUnit(value, unit);
      grid->addWidget(unit, row, 2);
    }
    ++row;
  }
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(row, 1);
  return frame;
}

QWidget* MainScreen::MakeSeasonStatistics() {
  struct Row {
    const char* caption;
    const char* name;
    std::string (*text)(const Career&);
  };
  static constexpr Row kRows[] = {
      {"Matches:", "lblMatches", [](const Career& c) { return Whole(c.Matches); }},
      {"Disposals:", "lblDisposals", [](const Career& c) { return Whole(c.Disposals); }},
      {"Goals:", "lblGoals", [](const Career& c) { return Whole(c.Goals); }},
      {"Behinds:", "lblBehinds", [](const Career& c) { return Whole(c.Behinds); }},
      {"Most Disposals:", "lblMostDisposals",
       [](const Career& c) { return Whole(c.MostDisposals); }},
      {"Average Disposals:", "lblAverageDisposals",
       [](const Career& c) { return FindCareerField("AverageDisposals")->get(c); }},
      {"Most Goals:", "lblMostGoals", [](const Career& c) { return Whole(c.MostGoals); }},
      {"Average Goals:", "lblAverageGoals",
       [](const Career& c) { return FindCareerField("AverageGoals")->get(c); }},
      {"B.O.G.'s:", "lblBOGs", [](const Career& c) { return Whole(c.BOGs); }},
  };
  auto* frame = Frame("Season Statistics", "fraSeasonStatistics", this);
  auto* grid = FrameGrid(frame);
  int row = 0;
  for (const Row& r : kRows) {
    QLabel* value = AddValue(r.name, frame, r.text);
    value->setToolTip(ToQt(HubTip(r.name)));
    grid->addWidget(CaptionOf(value, r.caption, frame), row, 0);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(value, row++, 1);
  }
  // The season's match ratings, summed and averaged, stand without captions.
  auto* ratings = new QHBoxLayout;
  QLabel* rating = AddValue("lblMatchRating", frame,
                            [](const Career& c) { return FormatGeneral(c.MatchRating); });
  ReadWithCaption(rating, QStringLiteral("Season rating sum"));
  rating->setToolTip(ToQt(HubTip("lblMatchRating")));
  QLabel* average = AddValue("lblMatchRatingAverage", frame, [](const Career& c) {
    return FindCareerField("MatchRatingAverage")->get(c);
  });
  ReadWithCaption(average, QStringLiteral("Season rating average"));
  average->setToolTip(ToQt(HubTip("lblMatchRatingAverage")));
  for (QLabel* bare : {rating, average}) {
    SetRole(bare, "bare");
    bare->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  }
  ratings->addStretch(1);
  ratings->addWidget(rating);
  ratings->addSpacing(12);
  ratings->addWidget(average);
  grid->addLayout(ratings, row++, 0, 1, 2);
  grid->setColumnStretch(1, 1);
  return frame;
}

QWidget* MainScreen::MakeFinances() {
  struct Row {
    const char* caption;
    const char* name;
    const char* dollarName;
    Money Career::*field;
  };
  static constexpr Row kRows[] = {
      {"Wages:", "lblWages", "lblWagesDollar", &Career::Wages},
      {"Sponsorship:", "lblSponsorship", "lblSponsorshipDollar", &Career::Sponsorship},
      {"Other Income:", "lblOtherIncome", "lblOtherIncomeDollar", &Career::OtherIncome},
      {"Bank Balance:", "lblBankBalance", "lblBankBalanceDollar", &Career::BankBalance},
  };
  auto* frame = Frame("Finances", "fraFinances", this);
  auto* grid = FrameGrid(frame);
  int row = 0;
  for (const Row& r : kRows) {
    auto* dollar = Caption("$", frame);
    dollar->setObjectName(QString::fromLatin1(r.dollarName));
    dollar->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(dollar, row, 1);
    const auto field = r.field;
    QLabel* value =
        AddValue(r.name, frame, [field](const Career& c) { return (c.*field).ToString(); });
    value->setToolTip(ToQt(HubTip(r.name)));
    grid->addWidget(CaptionOf(value, r.caption, frame), row, 0);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Read with its value: "Bank Balance: $15000".
    ReadWithUnit(value, dollar);
    grid->addWidget(value, row++, 2);
  }
  grid->setColumnStretch(2, 1);
  return frame;
}

struct MainScreen::BarRow {
  const char* caption;
  const char* name;
  HubBar bar;
};

QWidget* MainScreen::MakeBars(const char* title, const char* frameName,
                              std::span<const BarRow> rows) {
  auto* frame = Frame(title, frameName, this);
  auto* grid = FrameGrid(frame);
  AlignBarCaptions(grid, frame);
  int row = 0;
  for (const BarRow& r : rows) {
    QProgressBar* bar = AddBar(r.name, frame, r.bar);
    bars_.back().caption = CaptionOf(bar, r.caption, frame);
    grid->addWidget(bars_.back().caption, row, 0);
    grid->addWidget(bar, row++, 1);
  }
  grid->setColumnStretch(1, 1);
  return frame;
}

QWidget* MainScreen::MakeGear() {
  static constexpr BarRow kRows[] = {
      {"Boots:", "pbBoots", HubBar::Boots},
      {"Jumper:", "pbJumper", HubBar::Jumper},
      {"Shorts:", "pbShorts", HubBar::Shorts},
      {"Other:", "pbOther", HubBar::Other},
      {"Overall:", "pbGearOverall", HubBar::GearOverall},
  };
  return MakeBars("Match Gear", "fraMatchGear", kRows);
}

QWidget* MainScreen::MakeHealth() {
  static constexpr BarRow kRows[] = {
      {"Fitness:", "pbFitness", HubBar::Fitness},
      {"Health:", "pbHealth", HubBar::Health},
      {"Stamina:", "pbStamina", HubBar::Stamina},
      {"Overall:", "pbHealthOverall", HubBar::HealthOverall},
  };
  return MakeBars("Health", "fraHealth", kRows);
}

QLabel* MainScreen::AddValue(const char* name, QWidget* parent,
                             std::function<std::string(const Career&)> text) {
  auto* label = new TextLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  SetRole(label, "value");
  SetNarrowest(label, label->fontMetrics().averageCharWidth() * 9);
  texts_.push_back({label, std::move(text)});
  return label;
}

QProgressBar* MainScreen::AddBar(const char* name, QWidget* parent, HubBar hubBar) {
  auto* bar = new ConditionBar(parent);
  bar->setObjectName(QString::fromLatin1(name));
  bar->setRange(0, 100);
  bar->setFormat(QStringLiteral("%v"));
  bar->setTextVisible(true);
  bar->setMinimumWidth(bar->fontMetrics().averageCharWidth() * 22);
  bars_.push_back({bar, hubBar, nullptr});
  return bar;
}

QPushButton* MainScreen::AddButton(const char* caption, const char* name,
                                   void (MainScreen::*slot)()) {
  auto* button = new HubButton(QString::fromLatin1(caption), this);
  button->setObjectName(QString::fromLatin1(name));
  connect(button, &QPushButton::clicked, this, slot);
  return button;
}

void MainScreen::refresh() {
  if (!game_.HasCareer()) return;
  const Career& career = game_.career();
  for (const ShownText& shown : texts_) shown.label->setText(ToQt(shown.text(career)));
  const RunState& run = game_.run();
  for (const ShownBar& shown : bars_) {
    const int value = HubBarValue(career, shown.bar);
    shown.widget->setValue(std::clamp(value, 0, 100));
    shown.widget->setToolTip(ToQt(HubBarTip(career, shown.bar)));
    if (shown.caption) shown.caption->setToolTip(shown.widget->toolTip());
    // Each bar keeps the colour the last purchase or match gave it.
    Restyle(shown.widget, "barColour", QString::fromLatin1(ColourName(run.colourOf(shown.bar))));
  }
  Restyle(cmdPlay_, "playColour", QString::fromLatin1(ColourName(run.playColour)));
  // A sponsor window waits: the Sponsorship button is highlighted.
  Restyle(cmdSponsorship_, "highlight", run.sponsorHighlight);

  cmdPlay_->setEnabled(career.PlayOpen);
  // Why Play is closed or held, where the player looks for it.
  const QString playTip = PlayTip(game_);
  cmdPlay_->setToolTip(playTip);
  cmdPlay_->setAccessibleDescription(playTip);
  cmdSponsorship_->setEnabled(career.SponsorshipOpen);
  cmdContract_->setEnabled(career.ContractOpen);
  // A retired player's career is over: only the screens that show it open.
  const bool retired = IsRetired(career);
  for (QPushButton* button : {cmdTraining_, cmdHealth_, cmdStore_}) button->setEnabled(!retired);
}

void MainScreen::cmdPlay_Click() {
  if (!game_.HasCareer()) return;
  // The week goes ahead and the round screen comes up before the injury and
  // suspension messages, or the player stays here (worn gear answered No, a
  // season file that cannot be read); either way the week's countdown may
  // have changed the record.
  game_.Play([this] { Q_EMIT playRequested(); });
  refresh();
}

// The other screens of the week are opened by the flow.
void MainScreen::cmdTeamDetails_Click() { Q_EMIT teamDetailsRequested(); }
void MainScreen::cmdTraining_Click() { Q_EMIT trainingRequested(); }
void MainScreen::cmdHealth_Click() { Q_EMIT healthRequested(); }
void MainScreen::cmdStore_Click() { Q_EMIT storeRequested(); }
void MainScreen::cmdSponsorship_Click() { Q_EMIT sponsorshipRequested(); }
void MainScreen::cmdContract_Click() { Q_EMIT contractRequested(); }
void MainScreen::cmdRecords_Click() { Q_EMIT recordsRequested(); }
void MainScreen::cmdCareer_Click() { Q_EMIT careerRequested(); }

void MainScreen::cmdAbout_Click() {
  if (aboutBox_) {
    aboutBox_->raise();
    aboutBox_->activateWindow();
    return;
  }
  // The hub takes no input while the about box is open.
  aboutBox_ = OpenAboutBox(this, game_.prompter(), "frmAbout");
}

void MainScreen::cmdExit_Click() {
  if (!game_.prompter().askYesNo(kQuitQuestion, kQuitTitle, Icon::Question)) return;
  // Everything since the last save is dropped.
  game_.Quit();
  Q_EMIT careerClosed();
}

bool MainScreen::Form_KeyDown(int key) {
  // Once retired, the letters of the week's screens do nothing.
  const bool retired = game_.HasCareer() && IsRetired(game_.career());
  if (retired && (key == Qt::Key_C || key == Qt::Key_O || key == Qt::Key_T || key == Qt::Key_S ||
                  key == Qt::Key_H)) {
    return true;
  }
  switch (key) {
    case Qt::Key_A:
      cmdAbout_Click();
      return true;
    case Qt::Key_C:
      cmdContract_Click();
      return true;
    case Qt::Key_O:
      cmdSponsorship_Click();
      return true;
    case Qt::Key_T:
      cmdTraining_Click();
      return true;
    case Qt::Key_S:
      cmdStore_Click();
      return true;
    case Qt::Key_H:
      cmdHealth_Click();
      return true;
    case Qt::Key_R:
      cmdRecords_Click();
      return true;
    case Qt::Key_E:
      cmdCareer_Click();
      return true;
    default:
      return false;
  }
}

bool MainScreen::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && watched->isWidgetType() && isEnabled()) {
    auto* target = static_cast<QWidget*>(watched);
    auto* key = static_cast<QKeyEvent*>(event);
    const bool ours = target == this || isAncestorOf(target);
    // Shift does not matter; Ctrl and the system key belong to shortcuts.
    const bool plain = !(key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
    if (ours && plain && !key->isAutoRepeat() && Form_KeyDown(key->key())) return true;
  }
  return QWidget::eventFilter(watched, event);
}

void MainScreen::NewspaperClosed() {
  if (game_.HasCareer() && game_.career().DraftDue != 0) return;
  setEnabled(true);
}

// Whenever the hub takes over again, from a screen of the week, the team
// page or the newspaper, it shows the record as that screen left it.
void MainScreen::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange && isEnabled()) refresh();
  QWidget::changeEvent(event);
}

void MainScreen::showEvent(QShowEvent* event) {
  refresh();
  QWidget::showEvent(event);
}

void MainScreen::closeEvent(QCloseEvent* event) {
  // Closing the window asks the quit question, like Exit; if the player
  // says Yes the flow puts the hub away.
  event->ignore();
  if (isEnabled()) cmdExit_Click();
}

}  // namespace km::screens
