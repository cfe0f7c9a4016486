// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/look.h"

#include <QApplication>
#include <QIconEngine>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPixmapCache>
#include <QRadialGradient>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <QVariant>
#include <QWidget>
#include <algorithm>
#include <array>

namespace km::screens {

namespace {

// Club colours of the game: grass greens, a goal-umpire white and the red of
// a match ball. Sizes are in points and em so that the screens grow with the
// system's scaling.
constexpr const char* kStyleSheet = R"(
QWidget {
  font-size: 10pt;
  color: #1b261d;
}
QWidget#frmSetup, QWidget#frmMain, QWidget#frmStart, QDialog#frmAbout, QDialog#frmPosition,
QWidget#frmMatch, QWidget#frmRecords, QWidget#frmRecordsTeam, QWidget#frmTeam,
QWidget#frmLadder, QWidget#frmLocalAwards, QWidget#frmRegionalAwards, QWidget#frmStateAwards,
QWidget#frmAFLAwards, QDialog#frmAboutTeam {
  background: #e9efe6;
}
QGroupBox {
  background: #fbfcf9;
  border: 1px solid #6f8f72;
  border-radius: 6px;
  margin-top: 1.1em;
  padding: 0.9em 0.6em 0.5em 0.6em;
  font-weight: bold;
}
QGroupBox::title {
  subcontrol-origin: margin;
  subcontrol-position: top left;
  left: 0.8em;
  padding: 0.1em 0.5em;
  color: #ffffff;
  background: #2f6b3a;
  border-radius: 4px;
}
QGroupBox#fraPlayer::title {
  background: transparent;
  padding: 0;
}
QLabel[role="heading"] {
  font-size: 20pt;
  font-weight: bold;
  color: #1f5a2c;
}
QLabel[role="caption"] {
  font-weight: normal;
  color: #3b4a3d;
}
QLabel[role="value"] {
  font-weight: bold;
  color: #10240f;
  background: #ffffff;
  border: 1px solid #c5d1c3;
  border-radius: 3px;
  padding: 0.1em 0.4em;
}
QLabel[role="bare"] {
  font-weight: bold;
  color: #1f5a2c;
}
QLabel[role="note"] {
  font-size: 9pt;
  font-style: italic;
  color: #4c5a4e;
}
QLabel[role="error"] {
  color: #a5161c;
  font-weight: bold;
}
QLabel[role="overall"] {
  font-size: 16pt;
  font-weight: bold;
  color: #1f5a2c;
}
QLineEdit {
  background: #ffffff;
  border: 1px solid #98ab96;
  border-radius: 3px;
  padding: 0.15em 0.4em;
  font-weight: normal;
  min-height: 1.4em;
}
QComboBox QAbstractItemView {
  background: #ffffff;
  selection-background-color: #2f6b3a;
  selection-color: #ffffff;
}
QLineEdit:focus {
  border: 1px solid #2f6b3a;
}
QPushButton {
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #dfe7dc);
  border: 1px solid #6f8f72;
  border-radius: 4px;
  padding: 0.3em 1em;
  min-height: 1.4em;
  font-weight: bold;
  color: #1d3b22;
}
QPushButton:hover {
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #eaf3e6);
  border-color: #2f6b3a;
}
QPushButton:pressed {
  background: #cddbc9;
}
QPushButton:focus {
  border: 2px solid #2f6b3a;
}
QPushButton:disabled {
  color: #9aa59b;
  background: #eef1ec;
  border-color: #c3ccc2;
}
QPushButton#cmdPlay {
  font-size: 16pt;
  color: #ffffff;
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #368f41, stop:1 #1b6427);
  border: 1px solid #14501d;
  padding: 0.35em 1.5em;
}
QPushButton#cmdPlay:hover {
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #389143, stop:1 #1e6a2a);
}
QPushButton#cmdPlay:disabled {
  color: #f1f1f1;
  background: #b9b9b9;
  border-color: #9a9a9a;
}
QPushButton#cmdTeamDetails, QPushButton#cmdStart, QPushButton#cmdNew {
  color: #ffffff;
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #3f8a4c, stop:1 #275f31);
  border: 1px solid #1b4523;
}
QPushButton#cmdTeamDetails:hover, QPushButton#cmdStart:hover, QPushButton#cmdNew:hover {
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #428f4f, stop:1 #2a6535);
}
QPushButton#cmdTeamDetails:disabled, QPushButton#cmdStart:disabled, QPushButton#cmdNew:disabled,
QPushButton#cmdCareerDetails:disabled {
  color: #9aa59b;
  background: #eef1ec;
  border-color: #c3ccc2;
}
QProgressBar {
  background: #ffffff;
  border: 1px solid #98ab96;
  border-radius: 3px;
  text-align: center;
  font-weight: bold;
  min-height: 1.3em;
  selection-color: #1b261d;
}
QProgressBar::chunk {
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #8fd18e, stop:1 #4e9f4f);
  border-radius: 2px;
}
QFrame#fraScoreboard {
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #1e4a27, stop:1 #12301a);
  border: 2px solid #0b1f10;
  border-radius: 8px;
}
QFrame#fraScoreboard QLabel {
  color: #f4f7f2;
  background: transparent;
}
QLabel[role="boardCaption"] {
  font-size: 9pt;
  color: #b9d3bc;
}
QLabel[role="team"] {
  font-size: 13pt;
  font-weight: bold;
}
QLabel[role="quarter"] {
  font-size: 11pt;
  color: #dfe9de;
}
QLabel[role="score"] {
  font-size: 14pt;
  font-weight: bold;
  color: #ffd84a;
}
QLabel[role="points"] {
  font-size: 18pt;
  font-weight: bold;
  color: #ffffff;
  background: #0b1f10;
  border-radius: 4px;
  padding: 0 0.3em;
}
QLabel[role="break"] {
  font-size: 14pt;
  font-weight: bold;
  color: #9c1414;
}
QLabel[role="rating"] {
  font-size: 16pt;
  font-weight: bold;
  color: #1f5a2c;
  background: #ffffff;
  border: 1px solid #6f8f72;
  border-radius: 4px;
  padding: 0.1em 0.5em;
}
QLabel[role="comments"] {
  font-style: italic;
  color: #23301f;
  background: #ffffff;
  border: 1px solid #c5d1c3;
  border-radius: 3px;
  padding: 0.3em 0.5em;
}
QPushButton#cmdCareerDetails {
  color: #ffffff;
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #3f8a4c, stop:1 #275f31);
  border: 1px solid #1b4523;
}
QPushButton#cmdCareerDetails:hover {
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #428f4f, stop:1 #2a6535);
}
QTableWidget#grdLadder {
  background: #ffffff;
  alternate-background-color: #eef4ec;
  gridline-color: #c5d1c3;
  border: 1px solid #6f8f72;
}
QHeaderView::section {
  background: #2f6b3a;
  color: #ffffff;
  font-weight: bold;
  border: none;
  border-right: 1px solid #1f5a2c;
  padding: 0.25em 0.5em;
}
/* Message boxes, questions and the file dialog stand on the screens' ground. */
QMessageBox, QInputDialog, QFileDialog {
  background: #e9efe6;
}
QDialog#frmNewspaper {
  background: #f5efdf;
}
QDialog#frmNewspaper QLabel {
  color: #1c1a16;
  font-family: "DejaVu Serif", "Georgia", "Times New Roman", serif;
}
QLabel#lblNewspaperName {
  font-size: 24pt;
  font-weight: bold;
}
QLabel#lblHeadline {
  font-size: 16pt;
  font-weight: bold;
}
QLabel#lblText {
  font-size: 11pt;
}
QLabel#lblPressKey {
  font-size: 9pt;
  font-style: italic;
  color: #5b564b;
}
QFrame[role="rule"] {
  background: #1c1a16;
  border: none;
  max-height: 2px;
  min-height: 2px;
}
QWidget#frmSplash QLabel {
  color: #ffffff;
  background: transparent;
}
QLabel#lblSplashTitle {
  font-size: 40pt;
  font-weight: bold;
}
QLabel#lblClick {
  font-size: 14pt;
  font-weight: bold;
}
QLabel#lblSplashVersion, QLabel#lblCredit {
  font-size: 10pt;
}
QLabel#lblLoadError {
  font-size: 9pt;
}
QWidget#frmContracts, QWidget#frmMatchRound, QWidget#frmResults, QWidget#frmDraftCamp,
QWidget#frmDraft {
  background: #e9efe6;
}
QTableWidget#grdContracts {
  background: #ffffff;
  alternate-background-color: #eef4ec;
  gridline-color: #c5d1c3;
  border: 1px solid #6f8f72;
}
QPushButton#cmdPlay[playColour="injured"] {
  color: #3a3300;
  background: rgb(255, 255, 0);
  border-color: #8f8500;
}
QPushButton#cmdPlay[playColour="suspended"] {
  color: #1c0000;
  background: rgb(255, 0, 0);
  border-color: #7a0000;
}
QPushButton#cmdPlay[playColour="lastMissed"] {
  color: #1d3b22;
  background: rgb(224, 224, 224);
  border-color: #8a8a8a;
}
/* A sponsor window waits: the Sponsorship button turns the gold of the
   scoreboard's figures (and the hub draws a dot before its caption). */
QPushButton#cmdSponsorship[highlight="true"] {
  color: #1d3b22;
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffe27a, stop:1 #f0c419);
  border-color: #7a5c00;
}
QPushButton#cmdSponsorship[highlight="true"]:hover {
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffeb9c, stop:1 #f5cd3a);
}
QPushButton#cmdSponsorship[highlight="true"]:disabled {
  color: #9aa59b;
  background: #eef1ec;
  border-color: #c3ccc2;
}
/* The hub's bars: the figure takes selection-color over the filled part and
   color over the empty part. */
QProgressBar[barColour="restored"]::chunk {
  background: rgb(255, 255, 0);
}
QProgressBar#pbGearOverall[barColour="restored"]::chunk,
QProgressBar#pbHealthOverall[barColour="restored"]::chunk {
  background: rgb(0, 0, 198);
}
QProgressBar#pbGearOverall[barColour="restored"],
QProgressBar#pbHealthOverall[barColour="restored"],
QProgressBar[barColour="low"] {
  selection-color: #ffffff;
}
QProgressBar[barColour="low"]::chunk {
  background: rgb(175, 0, 0);
}
QFrame[role="slot"] {
  background: #fbfcf9;
  border: 1px solid #c5d1c3;
  border-radius: 4px;
}
QLabel[role="roundName"] {
  font-weight: bold;
  color: #10240f;
  background: rgb(224, 224, 224);
  border: none;
  border-left: 0.3em solid transparent;
  padding: 0.1em 0.4em 0.1em 0.1em;
}
QLabel[role="roundName"][nameColour="player"] {
  background: rgb(225, 128, 128);
  text-decoration: underline;
}
QLabel[role="roundName"][nameColour="next"] {
  background: rgb(190, 190, 255);
  border-left: 0.3em solid rgb(60, 60, 150);
}
QLabel[role="slotHead"] {
  font-size: 9pt;
  color: #3b4a3d;
}
QLabel[role="slotBehinds"] {
  color: #4c5a4e;
}
QLabel[role="slotPoints"] {
  font-weight: bold;
  color: #ffffff;
  background: #2f6b3a;
  border-radius: 3px;
}
QLabel[role="draftClub"] {
  padding: 0.1em 0.4em;
  border-radius: 3px;
}
QLabel[role="draftClub"][current="true"] {
  font-weight: bold;
  color: #ffffff;
  background: #2f6b3a;
}
/* The shops, the sponsorship screen and its offer screens. */
QWidget#frmTraining, QWidget#frmHealth, QWidget#frmStore {
  background: #e9efe6;
}
QFrame#fraRates, QFrame#fraBalances {
  background: #fbfcf9;
  border: 1px solid #6f8f72;
  border-radius: 6px;
}
QLabel[role="columnHead"] {
  background: #2f6b3a;
  color: #ffffff;
  font-weight: bold;
  border-radius: 3px;
  padding: 0.25em 0.6em;
}

QWidget#frmSponsorship, QWidget#frmSponsorBoots, QWidget#frmSponsorJumper,
QWidget#frmSponsorMajor, QWidget#frmSponsorShorts, QWidget#frmSponsorSocks {
  background: #e9efe6;
}
QFrame#fraKit, QFrame#fraSponsors, QFrame#fraOffers {
  background: #fbfcf9;
  border: 1px solid #6f8f72;
  border-radius: 6px;
}
/* The balance after purchase: in the red when the purchase is more than the
   bank holds, blue while money is left over. */
QLabel#lblBalanceAfter[balance="short"] {
  color: #ffffff;
  background: #a5161c;
  border-color: #7a0f14;
}
QLabel#lblBalanceAfter[balance="inCredit"] {
  color: #1f3a93;
  background: #dde4fa;
  border-color: #1f3a93;
}
QLabel[role="value"]:disabled {
  color: #9aa59b;
  background: #f3f5f2;
}
QRadioButton {
  spacing: 0.5em;
}
/* Keyboard focus. The screens ring the control with the focus in green and
   frame a grid's current cell; the style's own focus marks are green too,
   not the system's blue. */
QAbstractSpinBox:focus, QComboBox:focus, QRadioButton:focus {
  selection-background-color: #2f6b3a;
}
)";

// A tiny fixed pseudo-random sequence for the crowd's dots, so that the
// picture is the same every time it is drawn.
class Speckle {
 public:
  double next() {
    state_ = state_ * 1103515245u + 12345u;
    return static_cast<double>((state_ >> 8) & 0xFFFF) / 65536.0;
  }

 private:
  unsigned state_ = 20240u;
};

// The picture is drawn on a 400 x 260 canvas that is stretched to the area.
constexpr double kCanvasWidth = 400.0;
constexpr double kCanvasHeight = 260.0;
constexpr double kHorizon = 96.0;

void PaintSkyAndStand(QPainter& p) {
  QLinearGradient sky(0, 0, 0, kHorizon);
  sky.setColorAt(0.0, QColor("#3d7fc0"));
  sky.setColorAt(1.0, QColor("#cfe6f5"));
  p.fillRect(QRectF(0, 0, kCanvasWidth, kHorizon), sky);

  // The grandstand along the far boundary, with its crowd.
  QPainterPath roof;
  roof.moveTo(0, 70);
  roof.lineTo(kCanvasWidth, 62);
  roof.lineTo(kCanvasWidth, 70);
  roof.lineTo(0, 76);
  roof.closeSubpath();
  p.fillPath(roof, QColor("#e8ecef"));
  p.fillRect(QRectF(0, 74, kCanvasWidth, kHorizon - 72), QColor("#4b4f5c"));
  Speckle speckle;
  const std::array<QColor, 5> scarves = {QColor("#f2f2f2"), QColor("#d33b3b"), QColor("#f0c419"),
                                         QColor("#2e5fa8"), QColor("#1d1d1d")};
  for (int i = 0; i < 420; ++i) {
    const double x = speckle.next() * kCanvasWidth;
    const double y = 76 + speckle.next() * (kHorizon - 78);
    const QColor& c = scarves[static_cast<std::size_t>(speckle.next() * scarves.size())];
    p.fillRect(QRectF(x, y, 1.6, 1.4), c);
  }
}

void PaintGrass(QPainter& p) {
  QLinearGradient grass(0, kHorizon, 0, kCanvasHeight);
  grass.setColorAt(0.0, QColor("#4f9a45"));
  grass.setColorAt(1.0, QColor("#24601f"));
  p.fillRect(QRectF(0, kHorizon, kCanvasWidth, kCanvasHeight - kHorizon), grass);

  // Mowing stripes running towards the far goal.
  const QPointF vanish(kCanvasWidth / 2, kHorizon - 60);
  const double depth = (kCanvasHeight - vanish.y());
  const double atHorizon = (kHorizon - vanish.y()) / depth;
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 22));
  // So faint a stripe shows no stair at its edge: filled without smoothing,
  // it costs the first paint of the splash a fraction of the time.
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  for (int i = -8; i < 10; i += 2) {
    const double x0 = kCanvasWidth / 2 + i * 48.0;
    const double x1 = x0 + 48.0;
    QPolygonF stripe;
    stripe << QPointF(x0, kCanvasHeight) << QPointF(x1, kCanvasHeight)
           << QPointF(vanish.x() + (x1 - vanish.x()) * atHorizon, kHorizon)
           << QPointF(vanish.x() + (x0 - vanish.x()) * atHorizon, kHorizon);
    p.drawPolygon(stripe);
  }
  p.restore();

  // The boundary line and the centre square's far edge.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(255, 255, 255, 210), 1.6));
  p.drawEllipse(QPointF(kCanvasWidth / 2, 300), 300, 196);
  p.setPen(QPen(QColor(255, 255, 255, 150), 1.2));
  p.drawEllipse(QPointF(kCanvasWidth / 2, 210), 34, 12);
}

void PaintGoalPosts(QPainter& p) {
  const double base = kHorizon + 16;
  struct Post {
    double x;
    double height;
    double width;
  };
  // Two tall goal posts between two shorter behind posts.
  constexpr std::array<Post, 4> posts = {
      {{170, 34, 2.2}, {189, 56, 3.0}, {211, 56, 3.0}, {230, 34, 2.2}}};
  for (const Post& post : posts) {
    p.fillRect(
        QRectF(post.x - post.width / 2 + 1.2, base - post.height + 1, post.width, post.height),
        QColor(0, 0, 0, 60));
    QLinearGradient shine(post.x - post.width / 2, 0, post.x + post.width / 2, 0);
    shine.setColorAt(0.0, QColor("#ffffff"));
    shine.setColorAt(1.0, QColor("#c8cfd6"));
    p.fillRect(QRectF(post.x - post.width / 2, base - post.height, post.width, post.height), shine);
  }
  // The goal square in front of the posts.
  p.setPen(QPen(QColor(255, 255, 255, 200), 1.0));
  p.setBrush(Qt::NoBrush);
  p.drawPolygon(QPolygonF() << QPointF(184, base) << QPointF(216, base) << QPointF(220, base + 7)
                            << QPointF(180, base + 7));
}

void PaintFlight(QPainter& p) {
  // The ball's path from a kick on the near flank, sailing towards goal: a
  // curve from the kick, pulled towards the sky, drawn dotted for the first
  // 55 per cent of its course with the ball where the dots end.
  const QPointF from(118, 262);
  const QPointF pull(120, 130);
  const QPointF to(196, 100);
  const auto at = [&](double t) {
    const double u = 1 - t;
    return u * u * from + 2 * u * t * pull + t * t * to;
  };
  QPen dotted(QColor(255, 255, 255, 170), 1.4, Qt::DotLine);
  p.setPen(dotted);
  p.setBrush(Qt::NoBrush);
  const double stop = 0.55;
  QPainterPath drawn;
  drawn.moveTo(from);
  for (int i = 1; i <= 40; ++i) drawn.lineTo(at(stop * i / 40.0));
  p.drawPath(drawn);
  const QPointF ball = at(stop);
  PaintFootball(p, QRectF(ball.x() - 22, ball.y() - 14, 44, 28));
}

// The game's icon in a square of `side` pixels: a football on a green disc.
QPixmap PaintIcon(int side) {
  QPixmap pixmap(side, side);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  PaintGameIcon(p, side);
  p.end();
  return pixmap;
}

// The icon is drawn at the size asked for, when it is asked for: most
// platforms ask for one or two sizes of a window's icon, or none at all, and
// painting every size up front slowed the game's start.
class GameIconEngine : public QIconEngine {
 public:
  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    const QSize size = actualSize(rect.size(), mode, state);
    QRect square(QPoint(0, 0), size);
    square.moveCenter(rect.center());
    painter->drawPixmap(square, pixmap(size, mode, state));
  }

  QSize actualSize(const QSize& size, QIcon::Mode /*mode*/, QIcon::State /*state*/) override {
    const int side = std::max(0, std::min(size.width(), size.height()));
    return {side, side};
  }

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    const int side = actualSize(size, mode, state).width();
    if (side == 0) return {};
    const QString key = QStringLiteral("kickmark-icon-%1-%2").arg(side).arg(static_cast<int>(mode));
    QPixmap icon;
    if (QPixmapCache::find(key, &icon)) return icon;
    icon = PaintIcon(side);
    if (mode != QIcon::Normal && mode != QIcon::Active) {
      QStyleOption option;
      option.palette = QApplication::palette();
      icon = QApplication::style()->generatedIconPixmap(mode, icon, &option);
    }
    QPixmapCache::insert(key, icon);
    return icon;
  }

  // The sizes a window manager that wants them all is given.
  QList<QSize> availableSizes(QIcon::Mode /*mode*/, QIcon::State /*state*/) override {
    return {QSize(16, 16), QSize(32, 32), QSize(64, 64), QSize(128, 128), QSize(256, 256)};
  }

  [[nodiscard]] QString key() const override { return QStringLiteral("kickmark"); }
  [[nodiscard]] QIconEngine* clone() const override { return new GameIconEngine; }
  bool isNull() override { return false; }
};

}  // namespace

QString GameStyleSheet() { return QString::fromUtf8(kStyleSheet); }

void ApplyGameLook(QApplication& app) {
  if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) app.setStyle(fusion);
  app.setStyleSheet(GameStyleSheet());
  app.setWindowIcon(GameIcon());
}

void PaintGround(QPainter& painter, const QRectF& area) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setClipRect(area);
  // The picture covers the area without being stretched: it is scaled evenly
  // and cut at the sides or at the top and bottom, keeping the goal posts in
  // view.
  const double scale = std::max(area.width() / kCanvasWidth, area.height() / kCanvasHeight);
  const QPointF focus(kCanvasWidth / 2, kHorizon + 10);
  double left = area.center().x() - focus.x() * scale;
  double top = area.center().y() - focus.y() * scale;
  left = std::clamp(left, area.right() - kCanvasWidth * scale, area.left());
  top = std::clamp(top, area.bottom() - kCanvasHeight * scale, area.top());
  painter.translate(left, top);
  painter.scale(scale, scale);
  PaintSkyAndStand(painter);
  PaintGrass(painter);
  PaintGoalPosts(painter);
  PaintFlight(painter);
  painter.restore();
}

void PaintGameIcon(QPainter& p, double side) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  QRadialGradient grass(QPointF(side * 0.4, side * 0.35), side * 0.7);
  grass.setColorAt(0.0, QColor("#5fb055"));
  grass.setColorAt(1.0, QColor("#1f5a1d"));
  p.setPen(Qt::NoPen);
  p.setBrush(grass);
  p.drawEllipse(QRectF(0.5, 0.5, side - 1.0, side - 1.0));
  PaintFootball(p, QRectF(side * 0.08, side * 0.22, side * 0.84, side * 0.56));
  p.restore();
}

void PaintFootball(QPainter& painter, const QRectF& area) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.translate(area.center());
  painter.rotate(-28);
  const double rx = area.width() / 2 * 0.9;
  const double ry = area.height() / 2 * 0.8;

  // Shadowed leather.
  QRadialGradient leather(QPointF(-rx * 0.3, -ry * 0.45), rx * 1.3);
  leather.setColorAt(0.0, QColor("#e2584a"));
  leather.setColorAt(0.5, QColor("#b0241c"));
  leather.setColorAt(1.0, QColor("#5b0e0b"));
  painter.setPen(QPen(QColor("#3d0807"), std::max(0.6, ry * 0.06)));
  painter.setBrush(leather);
  painter.drawEllipse(QPointF(0, 0), rx, ry);

  // The seam along the top with its lacing.
  QPen seam(QColor("#f7f2e8"), std::max(0.6, ry * 0.09));
  seam.setCapStyle(Qt::RoundCap);
  painter.setPen(seam);
  painter.drawLine(QPointF(-rx * 0.38, -ry * 0.38), QPointF(rx * 0.38, -ry * 0.38));
  for (int i = -2; i <= 2; ++i) {
    const double x = rx * 0.14 * i;
    painter.drawLine(QPointF(x, -ry * 0.52), QPointF(x, -ry * 0.24));
  }
  painter.restore();
}

QIcon GameIcon() { return QIcon(new GameIconEngine); }

void KeepWrappedTextWhole(QLabel* label, int narrowest) {
  label->ensurePolished();
  label->setMinimumWidth(narrowest);
  label->setMinimumHeight(label->heightForWidth(narrowest));
}

void TextLabel::SetNarrowest(int width) {
  narrowest_ = width;
  updateGeometry();
}

QSize TextLabel::sizeHint() const {
  QSize size = QLabel::sizeHint();
  size.setWidth(std::max(size.width(), narrowest_));
  return size;
}

QSize TextLabel::minimumSizeHint() const {
  QSize size = QLabel::minimumSizeHint();
  // A wrapped text may fold; a single line is kept whole.
  if (!wordWrap()) size.setWidth(std::max(size.width(), QLabel::sizeHint().width()));
  size.setWidth(std::max(size.width(), narrowest_));
  return size;
}

void SetNarrowest(QLabel* label, int width) {
  if (auto* text = dynamic_cast<TextLabel*>(label)) {
    text->SetNarrowest(width);
  } else {
    label->setMinimumWidth(width);
  }
}

void SetRole(QWidget* widget, const char* role) {
  widget->setProperty("role", QString::fromLatin1(role));
  // A boxed value is one line high however tall its row grows.
  if (qstrcmp(role, "value") == 0) {
    widget->setSizePolicy(widget->sizePolicy().horizontalPolicy(), QSizePolicy::Fixed);
  }
}

void Restyle(QWidget* widget, const char* property, const QVariant& value) {
  if (widget->property(property) == value) return;
  widget->setProperty(property, value);
  widget->style()->unpolish(widget);
  widget->style()->polish(widget);
  widget->update();
}

QString FullVersion() {
  return QStringLiteral("%1.%2.%3")
      .arg(KICKMARK_VERSION_MAJOR)
      .arg(KICKMARK_VERSION_MINOR)
      .arg(KICKMARK_VERSION_REVISION);
}

}  // namespace km::screens
