#include "screens/start_screen.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "screens/look.h"
#include "screens/qt_text.h"
#include "screens/screen_parts.h"

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

}  // namespace

StartScreen::StartScreen(Game& game, QWidget* parent) : QWidget(parent), game_(game) {
  setObjectName(QStringLiteral("frmStart"));
  setWindowTitle(QString::fromLatin1(kProgramTitle));

  auto* heading = new TextLabel(QString::fromLatin1(kProgramTitle), this);
  heading->setObjectName(QStringLiteral("lblTitle"));
  heading->setAlignment(Qt::AlignCenter);
  SetRole(heading, "heading");

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
  // Room for a sentence that names a file and a line.
  lblLoadError_->ensurePolished();
  lblLoadError_->setMinimumHeight(lblLoadError_->fontMetrics().lineSpacing() * 4);
  lblLoadError_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

  auto* buttons = new QVBoxLayout;
  buttons->setSpacing(10);
  buttons->addWidget(cmdNew);
  buttons->addWidget(cmdLoad);
  buttons->addWidget(cmdExit);

  auto* centred = new QHBoxLayout;
  centred->addStretch(1);
  centred->addLayout(buttons);
  centred->addStretch(1);

  auto* layout = new QVBoxLayout(ScreenPage(this));
  layout->setContentsMargins(0, 0, 0, 16);
  layout->setSpacing(14);
  layout->addWidget(new Banner(this));
  layout->addWidget(heading);
  layout->addLayout(centred);
  auto* errorRow = new QHBoxLayout;
  errorRow->setContentsMargins(16, 0, 16, 0);
  errorRow->addWidget(lblLoadError_);
  layout->addLayout(errorRow);
  layout->addStretch(1);

  setMinimumWidth(fontMetrics().averageCharWidth() * 72);
  UseScreenKeys(this, {cmdNew});
  cmdNew->setFocus();
}

void StartScreen::cmdNew_Click() { Q_EMIT newCareerChosen(); }

void StartScreen::cmdLoad_Click() {
  const Game::LoadResult result = game_.LoadFromChoice();
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
      break;
  }
}

void StartScreen::cmdExit_Click() { Q_EMIT exitChosen(); }

void StartScreen::closeEvent(QCloseEvent* event) {
  // Closing the start screen's window leaves the game, like Exit Game.
  event->ignore();
  cmdExit_Click();
}

void StartScreen::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // A load error belongs to the visit in which it happened.
  if (!event->spontaneous()) lblLoadError_->clear();
}

}  // namespace km::screens
