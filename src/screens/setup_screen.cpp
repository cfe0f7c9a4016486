// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/setup_screen.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "core/career.h"
#include "core/game_data.h"
#include "screens/look.h"
#include "screens/qt_text.h"
#include "screens/screen_parts.h"

namespace km::screens {

namespace {

constexpr const char* kTitle = "Kickmark - Player Setup";
constexpr const char* kCareerNote =
    "You career will automatically be saved to a file with the above name after every match, so "
    "make sure it's unique (Eg. career1)";

// Skills are set on their own, each from 1 to 100.
constexpr int kLowestSkill = 1;
constexpr int kHighestSkill = 100;
constexpr int kSkillPage = 10;

QLabel* Caption(const char* text, QWidget* parent) {
  auto* label = new TextLabel(QString::fromUtf8(text), parent);
  SetRole(label, "caption");
  return label;
}

// The caption of a box, list or skill, which names it for screen readers.
QLabel* CaptionOf(QWidget* shown, const char* text, QWidget* parent) {
  return km::screens::CaptionOf(shown, QString::fromUtf8(text), parent);
}

QLineEdit* TextBox(const char* name, QWidget* parent) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setMinimumWidth(box->fontMetrics().averageCharWidth() * 28);
  return box;
}

QComboBox* DropDown(const char* name, QWidget* parent) {
  auto* list = new QComboBox(parent);
  list->setObjectName(QString::fromLatin1(name));
  list->setMaxVisibleItems(16);
  return list;
}

// A list of the given texts with nothing chosen yet.
template <typename Texts>
void FillWithoutChoice(QComboBox* list, const Texts& texts) {
  for (const auto& text : texts) list->addItem(ToQt(text));
  list->setCurrentIndex(-1);
}

// A list of whole numbers from `from` down to `to`, with `chosen` selected.
void FillCountingDown(QComboBox* list, int from, int to, int chosen) {
  for (int value = from; value >= to; --value) list->addItem(QString::number(value), value);
  list->setCurrentIndex(list->findData(chosen));
}

int ChosenNumber(const QComboBox* list, int fallback) {
  const QVariant data = list->currentData();
  return data.isValid() ? data.toInt() : fallback;
}

QScrollBar* SkillBar(const char* name, QWidget* parent) {
  auto* bar = new QScrollBar(Qt::Horizontal, parent);
  bar->setObjectName(QString::fromLatin1(name));
  bar->setRange(kLowestSkill, kHighestSkill);
  bar->setSingleStep(1);
  bar->setPageStep(kSkillPage);
  bar->setValue(kLowestSkill);
  bar->setFocusPolicy(Qt::StrongFocus);
  // Right, Up, Page Up and End raise the skill, as on a slider (a scroll
  // bar's keys run the other way by default).
  bar->setInvertedControls(false);
  bar->setMinimumWidth(bar->fontMetrics().averageCharWidth() * 30);
  return bar;
}

QLabel* SkillLabel(const char* name, QWidget* parent) {
  auto* label = new TextLabel(QString::number(kLowestSkill), parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  SetNarrowest(label, label->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
  SetRole(label, "value");
  return label;
}

QPushButton* Button(const char* caption, const char* name, QWidget* parent) {
  auto* button = new QPushButton(QString::fromLatin1(caption), parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setMinimumWidth(button->fontMetrics().averageCharWidth() * 12);
  return button;
}

}  // namespace

SetupScreen::SetupScreen(Game& game, QWidget* parent) : QWidget(parent), game_(game) {
  setObjectName(QStringLiteral("frmSetup"));
  setWindowTitle(QString::fromLatin1(kTitle));
  const SetupAnswers defaults;

  // The player's profile.
  // The profile frame has no caption, but sits level with the SKILLS frame.
  auto* profile = new QGroupBox(this);
  profile->setObjectName(QStringLiteral("fraPlayer"));
  txtCareer_ = TextBox("txtCareer", profile);
  auto* note = new TextLabel(QString::fromLatin1(kCareerNote), profile);
  note->setObjectName(QStringLiteral("lblCareerNote"));
  note->setWordWrap(true);
  SetRole(note, "note");
  txtName_ = TextBox("txtName", profile);
  txtCity_ = TextBox("txtCity", profile);
  txtState_ = DropDown("txtState", profile);
  FillWithoutChoice(txtState_, kStates);
  lstHeight_ = DropDown("lstHeight", profile);
  FillCountingDown(lstHeight_, kTallest, kShortest, defaults.height);
  lstWeight_ = DropDown("lstWeight", profile);
  FillCountingDown(lstWeight_, kHeaviest, kLightest, defaults.weight);
  lstPosition_ = DropDown("lstPosition", profile);
  FillWithoutChoice(lstPosition_, kPositions);

  auto* form = new QGridLayout(profile);
  form->setHorizontalSpacing(10);
  form->setVerticalSpacing(8);
  int row = 0;
  form->addWidget(CaptionOf(txtCareer_, "Career File Name:", profile), row, 0);
  form->addWidget(txtCareer_, row++, 1, 1, 2);
  form->addWidget(note, row++, 0, 1, 3);
  form->addWidget(CaptionOf(txtName_, "Name:", profile), row, 0);
  form->addWidget(txtName_, row++, 1, 1, 2);
  form->addWidget(CaptionOf(txtCity_, "City:", profile), row, 0);
  form->addWidget(txtCity_, row++, 1, 1, 2);
  form->addWidget(CaptionOf(txtState_, "State:", profile), row, 0);
  form->addWidget(txtState_, row++, 1, 1, 2);
  form->addWidget(CaptionOf(lstHeight_, "Height:", profile), row, 0);
  form->addWidget(lstHeight_, row, 1);
  // Each list is read with its caption and unit: "Height: 191 cm".
  QLabel* centimetres = Caption("cm", profile);
  ReadWithUnit(lstHeight_, centimetres);
  form->addWidget(centimetres, row++, 2);
  form->addWidget(CaptionOf(lstWeight_, "Weight:", profile), row, 0);
  form->addWidget(lstWeight_, row, 1);
  QLabel* kilograms = Caption("kg", profile);
  ReadWithUnit(lstWeight_, kilograms);
  form->addWidget(kilograms, row++, 2);
  form->addWidget(CaptionOf(lstPosition_, "Favoured Position:", profile), row, 0);
  form->addWidget(lstPosition_, row++, 1, 1, 2);
  form->setRowStretch(row, 1);
  form->setColumnStretch(1, 1);

  // The five skills and the overall they give.
  auto* skills = new QGroupBox(QStringLiteral("SKILLS"), this);
  skills->setObjectName(QStringLiteral("fraSkills"));
  hsbKicking_ = SkillBar("hsbKicking", skills);
  hsbHandBalling_ = SkillBar("hsbHandBalling", skills);
  hsbTackling_ = SkillBar("hsbTackling", skills);
  hsbMarking_ = SkillBar("hsbMarking", skills);
  hsbRunning_ = SkillBar("hsbRunning", skills);
  lblKicking_ = SkillLabel("lblKicking", skills);
  lblHandballing_ = SkillLabel("lblHandballing", skills);
  lblTackling_ = SkillLabel("lblTackling", skills);
  lblMarking_ = SkillLabel("lblMarking", skills);
  lblRunning_ = SkillLabel("lblRunning", skills);
  lblOverall_ = new TextLabel(skills);
  lblOverall_->setObjectName(QStringLiteral("lblOverall"));
  SetRole(lblOverall_, "overall");

  struct SkillRow {
    const char* caption;
    QScrollBar* bar;
    QLabel* label;
  };
  const SkillRow skillRows[] = {{"Kicking:", hsbKicking_, lblKicking_},
                                {"Handballing:", hsbHandBalling_, lblHandballing_},
                                {"Tackling:", hsbTackling_, lblTackling_},
                                {"Marking:", hsbMarking_, lblMarking_},
                                {"Running:", hsbRunning_, lblRunning_}};
  auto* skillGrid = new QGridLayout(skills);
  skillGrid->setHorizontalSpacing(10);
  skillGrid->setVerticalSpacing(12);
  row = 0;
  for (const SkillRow& skill : skillRows) {
    skillGrid->addWidget(CaptionOf(skill.bar, skill.caption, skills), row, 0);
    ReadWithCaption(skill.label, QString::fromLatin1(skill.caption));
    skillGrid->addWidget(skill.bar, row, 1);
    skillGrid->addWidget(skill.label, row++, 2);
  }
  auto* overallRow = new QHBoxLayout;
  overallRow->addStretch(1);
  overallRow->addWidget(CaptionOf(lblOverall_, "Player's Overall Skill:", skills));
  overallRow->addWidget(lblOverall_);
  skillGrid->addLayout(overallRow, row++, 0, 1, 3);
  skillGrid->setRowStretch(row, 1);
  skillGrid->setColumnStretch(1, 1);

  connect(hsbKicking_, &QScrollBar::valueChanged, this, &SetupScreen::hsbKicking_Change);
  connect(hsbHandBalling_, &QScrollBar::valueChanged, this, &SetupScreen::hsbHandBalling_Change);
  connect(hsbTackling_, &QScrollBar::valueChanged, this, &SetupScreen::hsbTackling_Change);
  connect(hsbMarking_, &QScrollBar::valueChanged, this, &SetupScreen::hsbMarking_Change);
  connect(hsbRunning_, &QScrollBar::valueChanged, this, &SetupScreen::hsbRunning_Change);

  auto* cmdStart = Button("Start", "cmdStart", this);
  auto* cmdBack = Button("Back", "cmdBack", this);
  auto* cmdExit = Button("Exit", "cmdExit", this);
  cmdStart->setDefault(true);
  connect(cmdStart, &QPushButton::clicked, this, &SetupScreen::cmdStart_Click);
  connect(cmdBack, &QPushButton::clicked, this, &SetupScreen::cmdBack_Click);
  connect(cmdExit, &QPushButton::clicked, this, &SetupScreen::cmdExit_Click);

  auto* panels = new QHBoxLayout;
  panels->setSpacing(14);
  panels->addWidget(profile);
  panels->addWidget(skills);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmdStart);
  buttons->addWidget(cmdBack);
  buttons->addWidget(cmdExit);

  auto* layout = new QVBoxLayout(ScreenPage(this));
  layout->setContentsMargins(16, 14, 16, 14);
  layout->setSpacing(14);
  layout->addLayout(panels, 1);
  layout->addLayout(buttons);

  note->ensurePolished();
  KeepWrappedTextWhole(note, note->fontMetrics().averageCharWidth() * 56);

  // Enter is Start wherever the focus is, but on Back or Exit.
  UseScreenKeys(this, {cmdStart});

  ShowOverall();
  txtCareer_->setFocus();
}

SetupAnswers SetupScreen::answers() const {
  const SetupAnswers defaults;
  SetupAnswers a;
  a.careerName = ToStd(txtCareer_->text());
  a.name = ToStd(txtName_->text());
  a.city = ToStd(txtCity_->text());
  a.state = ToStd(txtState_->currentText());
  a.height = ChosenNumber(lstHeight_, defaults.height);
  a.weight = ChosenNumber(lstWeight_, defaults.weight);
  a.position = ToStd(lstPosition_->currentText());
  a.kicking = hsbKicking_->value();
  a.handballing = hsbHandBalling_->value();
  a.tackling = hsbTackling_->value();
  a.marking = hsbMarking_->value();
  a.running = hsbRunning_->value();
  return a;
}

void SetupScreen::hsbKicking_Change(int value) { ShowSkill(lblKicking_, value); }
void SetupScreen::hsbHandBalling_Change(int value) { ShowSkill(lblHandballing_, value); }
void SetupScreen::hsbTackling_Change(int value) { ShowSkill(lblTackling_, value); }
void SetupScreen::hsbMarking_Change(int value) { ShowSkill(lblMarking_, value); }
void SetupScreen::hsbRunning_Change(int value) { ShowSkill(lblRunning_, value); }

void SetupScreen::cmdStart_Click() {
  // The game checks the answers and shows its own messages; a refused Start
  // leaves everything on this screen as typed. An accepted one brings up the
  // offers before a special name's message.
  game_.StartNewCareer(answers(), [this] { Q_EMIT careerStarted(); });
}

void SetupScreen::cmdBack_Click() { Q_EMIT backChosen(); }

void SetupScreen::cmdExit_Click() { Q_EMIT exitChosen(); }

void SetupScreen::closeEvent(QCloseEvent* event) {
  // Closing the window leaves the game, like Exit.
  event->ignore();
  cmdExit_Click();
}

void SetupScreen::ShowSkill(QLabel* label, int value) {
  label->setText(QString::number(value));
  ShowOverall();
}

void SetupScreen::ShowOverall() {
  const SetupAnswers now = answers();
  lblOverall_->setText(QString::number(now.overall()));
}

}  // namespace km::screens
