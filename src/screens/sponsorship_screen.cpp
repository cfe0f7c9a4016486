// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/sponsorship_screen.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <string>

#include "screens/look.h"
#include "screens/qt_text.h"
#include "screens/screen_parts.h"
#include "week/sponsors.h"

namespace km::screens {

namespace {

constexpr const char* kTitle = "Kickmark - Sponsorship";
constexpr const char* kRemainingCaption = "Matches Remaining:";
constexpr const char* kCompanyColumn = "Company";
constexpr const char* kOffersColumn = "Offers ($)";

// A sponsor slot's line on the sponsorship screen.
struct SlotLine {
  SponsorSlot slot;
  const char* caption;
  const char* label;
};
constexpr SlotLine kSlotLines[kSlotCount] = {
    {SponsorSlot::Major, "Major Sponsor:", "lblMajor"},
    {SponsorSlot::Jumper, "Jumper Sponsor:", "lblJumper"},
    {SponsorSlot::Shorts, "Shorts Sponsor:", "lblShorts"},
    {SponsorSlot::Boots, "Boots Sponsor:", "lblBoots"},
    {SponsorSlot::Socks, "Socks Sponsor:", "lblSocks"},
};

// What tells the five offer screens apart, in SponsorSlot order. Each names
// the piece of kit the company's logo goes on; the major sponsor's goes on
// the player himself.
struct OfferTexts {
  const char* screen;
  const char* title;
  const char* heading;
  const char* line;
};
constexpr OfferTexts kOfferTexts[kSlotCount] = {
    {"frmSponsorBoots", "Boot Sponsorship", "BOOT SPONSORSHIP OFFERS",
     "The following companies have offered money for you to display their logo on your boots"},
    {"frmSponsorJumper", "Jumper Sponsorship", "JUMPER SPONSORSHIP OFFERS",
     "The following companies have offered money for you to display their logo on your jumper"},
    {"frmSponsorMajor", "Major Sponsor", "MAJOR SPONSOR OFFERS",
     "The following companies have offered money for you to display their logo as your major "
     "sponsor"},
    {"frmSponsorShorts", "Shorts Sponsorship", "SHORTS SPONSORSHIP OFFERS",
     "The following companies have offered money for you to display their logo on your shorts"},
    {"frmSponsorSocks", "Sock Sponsorship", "SOCK SPONSORSHIP OFFERS",
     "The following companies have offered money for you to display their logo on your socks"},
};

const OfferTexts& TextsOf(SponsorSlot slot) { return kOfferTexts[static_cast<int>(slot)]; }

// The kit pieces, top to bottom as the player wears them, and the slot each
// one opens.
struct PieceLine {
  KitPiece::Item item;
  const char* name;
  SponsorSlot slot;
};
constexpr PieceLine kPieces[4] = {
    {KitPiece::Item::Jumper, "shpJumper", SponsorSlot::Jumper},
    {KitPiece::Item::Shorts, "shpShorts", SponsorSlot::Shorts},
    {KitPiece::Item::Socks, "shpSocks", SponsorSlot::Socks},
    {KitPiece::Item::Boots, "shpBoots", SponsorSlot::Boots},
};

QLabel* ColumnHead(const QString& text, QWidget* parent) {
  auto* label = new TextLabel(text, parent);
  SetRole(label, "columnHead");
  label->setAlignment(Qt::AlignCenter);
  return label;
}

QFrame* Card(const char* name, QWidget* parent) {
  auto* frame = new QFrame(parent);
  frame->setObjectName(QString::fromLatin1(name));
  return frame;
}

// --- The kit pictures --------------------------------------------------------

// The club strip: navy with gold trim, boots in black. A disabled piece is
// drawn in greys.
struct KitColours {
  QColor body;
  QColor trim;
  QColor dark;
  QColor patch;
  QColor outline;
};

KitColours ColoursFor(KitPiece::Item item, bool enabled) {
  if (!enabled) {
    return {QColor("#b4bbb6"), QColor("#dadedb"), QColor("#9aa29c"), QColor("#f1f3f1"),
            QColor("#8a918c")};
  }
  if (item == KitPiece::Item::Boots) {
    return {QColor("#222326"), QColor("#f1c232"), QColor("#0d0d0e"), QColor("#ffffff"),
            QColor("#000000")};
  }
  return {QColor("#1f3f77"), QColor("#f1c232"), QColor("#142a50"), QColor("#ffffff"),
          QColor("#0c1a33")};
}

// Each piece is drawn on its own canvas, scaled evenly into the widget.
QSizeF CanvasOf(KitPiece::Item item) {
  switch (item) {
    case KitPiece::Item::Jumper:
      return {140, 124};
    case KitPiece::Item::Shorts:
      return {120, 72};
    case KitPiece::Item::Socks:
      return {120, 84};
    case KitPiece::Item::Boots:
      break;
  }
  return {140, 56};
}

void FillClipped(QPainter& p, const QPainterPath& shape, const QRectF& band, const QColor& c) {
  p.save();
  p.setClipPath(shape, Qt::IntersectClip);
  p.fillRect(band, c);
  p.restore();
}

void Outline(QPainter& p, const QPainterPath& shape, const QColor& c) {
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(c, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(shape);
}

void Patch(QPainter& p, const QRectF& area, const KitColours& k) {
  p.setPen(QPen(k.dark, 0.8));
  p.setBrush(k.patch);
  p.drawRoundedRect(area, 2.5, 2.5);
}

// A sleeveless guernsey with a V neck, a gold hoop across the chest and the
// sponsor's patch under it.
void PaintJumper(QPainter& p, const KitColours& k) {
  QPainterPath body;
  body.moveTo(50, 8);
  body.quadTo(70, 34, 90, 8);
  body.lineTo(112, 13);
  body.quadTo(100, 36, 117, 52);
  body.lineTo(119, 116);
  body.quadTo(70, 123, 21, 116);
  body.lineTo(23, 52);
  body.quadTo(40, 36, 28, 13);
  body.closeSubpath();

  QLinearGradient shade(0, 0, 140, 0);
  shade.setColorAt(0.0, k.dark);
  shade.setColorAt(0.35, k.body);
  shade.setColorAt(0.65, k.body);
  shade.setColorAt(1.0, k.dark);
  p.setPen(Qt::NoPen);
  p.setBrush(shade);
  p.drawPath(body);
  FillClipped(p, body, QRectF(0, 56, 140, 12), k.trim);

  // Gold trim round the neck and the arm holes.
  QPen trim(k.trim, 4.5, Qt::SolidLine, Qt::RoundCap);
  p.setPen(trim);
  p.setBrush(Qt::NoBrush);
  QPainterPath neck;
  neck.moveTo(51, 9);
  neck.quadTo(70, 33, 89, 9);
  p.drawPath(neck);
  QPainterPath arms;
  arms.moveTo(111, 14);
  arms.quadTo(100, 36, 116, 51);
  arms.moveTo(29, 14);
  arms.quadTo(40, 36, 24, 51);
  p.drawPath(arms);

  Patch(p, QRectF(56, 78, 28, 15), k);
  Outline(p, body, k.outline);
}

// Football shorts: a dark waistband, a gold stripe down each side and the
// patch on the left leg.
void PaintShorts(QPainter& p, const KitColours& k) {
  QPainterPath shorts;
  shorts.moveTo(12, 5);
  shorts.lineTo(108, 5);
  shorts.lineTo(116, 62);
  shorts.lineTo(66, 68);
  shorts.lineTo(60, 34);
  shorts.lineTo(54, 68);
  shorts.lineTo(4, 62);
  shorts.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(k.body);
  p.drawPath(shorts);
  FillClipped(p, shorts, QRectF(0, 5, 120, 9), k.dark);
  p.setPen(QPen(k.trim, 4, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(QPointF(15, 15), QPointF(9, 60));
  p.drawLine(QPointF(105, 15), QPointF(111, 60));
  Patch(p, QRectF(22, 36, 20, 11), k);
  Outline(p, shorts, k.outline);
}

// A hooped football sock, its foot to the left, standing with its top at
// `x`.
QPainterPath Sock(double x) {
  QPainterPath sock;
  sock.moveTo(x, 4);
  sock.lineTo(x + 22, 4);
  sock.lineTo(x + 22, 64);
  sock.quadTo(x + 22, 79, x + 7, 79);
  sock.lineTo(x - 14, 79);
  sock.quadTo(x - 22, 79, x - 22, 71);
  sock.quadTo(x - 22, 63, x - 12, 61);
  sock.lineTo(x, 57);
  sock.closeSubpath();
  return sock;
}

void PaintSocks(QPainter& p, const KitColours& k) {
  for (const double x : {32.0, 84.0}) {
    const QPainterPath sock = Sock(x);
    p.setPen(Qt::NoPen);
    p.setBrush(k.body);
    p.drawPath(sock);
    FillClipped(p, sock, QRectF(0, 4, 120, 7), k.dark);
    FillClipped(p, sock, QRectF(0, 14, 120, 7), k.trim);
    FillClipped(p, sock, QRectF(0, 26, 120, 7), k.trim);
    Patch(p, QRectF(x + 4, 38, 14, 9), k);
    Outline(p, sock, k.outline);
  }
}

// A football boot seen from the side, toe to the left, with its studs and a
// gold flash; the pair stands one behind the other.
void PaintBoot(QPainter& p, const KitColours& k, double x) {
  QPainterPath boot;
  boot.moveTo(x + 2, 40);
  boot.quadTo(x + 2, 28, x + 17, 26);
  boot.lineTo(x + 35, 20);
  boot.lineTo(x + 44, 8);
  boot.lineTo(x + 60, 8);
  boot.quadTo(x + 67, 24, x + 64, 40);
  boot.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(k.dark);
  for (const double stud : {8.0, 20.0, 46.0, 57.0}) {
    p.drawRoundedRect(QRectF(x + stud, 42, 5, 8), 1.5, 1.5);
  }
  p.fillRect(QRectF(x + 1, 39, 65, 5), k.dark);
  p.setBrush(k.body);
  p.drawPath(boot);
  p.setPen(QPen(k.trim, 3.5, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(x + 20, 35), QPointF(x + 52, 17));
  p.setPen(QPen(k.patch, 1.4, Qt::SolidLine, Qt::RoundCap));
  for (int lace = 0; lace < 4; ++lace) {
    const double lx = x + 24 + lace * 4.5;
    const double ly = 23 - lace * 3.2;
    p.drawLine(QPointF(lx, ly), QPointF(lx + 4, ly + 3));
  }
  Outline(p, boot, k.outline);
}

void PaintBoots(QPainter& p, const KitColours& k) {
  PaintBoot(p, k, 70);
  PaintBoot(p, k, 4);
}

// The ground the player's sponsors watch him on, filling the room beside
// the kit.
class GroundPicture : public QWidget {
 public:
  explicit GroundPicture(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("picGround"));
    setMinimumSize(160, 90);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  }

 protected:
  void paintEvent(QPaintEvent* /*event*/) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath frame;
    frame.addRoundedRect(area, 6, 6);
    p.save();
    p.setClipPath(frame);
    PaintGround(p, area);
    p.restore();
    p.setPen(QPen(QColor("#6f8f72"), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(frame);
  }
};

}  // namespace

// --- KitPiece -----------------------------------------------------------------

KitPiece::KitPiece(Item item, const char* name, QWidget* parent)
    : QAbstractButton(parent), item_(item) {
  setObjectName(QString::fromLatin1(name));
  setAttribute(Qt::WA_Hover);
  setCursor(Qt::PointingHandCursor);
  setFocusPolicy(Qt::StrongFocus);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

QSize KitPiece::sizeHint() const {
  const QSizeF canvas = CanvasOf(item_);
  return {static_cast<int>(canvas.width()) + 24, static_cast<int>(canvas.height()) + 12};
}

QSize KitPiece::minimumSizeHint() const { return sizeHint(); }

void KitPiece::paintEvent(QPaintEvent* /*event*/) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF area = QRectF(rect()).adjusted(2, 2, -2, -2);
  // The piece lights up under the pointer and is ringed when it has the
  // focus.
  if (isEnabled() && (underMouse() || isDown())) {
    p.setPen(Qt::NoPen);
    p.setBrush(isDown() ? QColor("#cddbc9") : QColor("#e3efe0"));
    p.drawRoundedRect(area, 8, 8);
  }
  if (hasFocus()) {
    p.setPen(QPen(QColor("#2f6b3a"), 1.5, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(area, 8, 8);
  }
  const QSizeF canvas = CanvasOf(item_);
  const QRectF inner = area.adjusted(8, 4, -8, -4);
  const double scale = std::min(inner.width() / canvas.width(), inner.height() / canvas.height());
  p.translate(inner.center().x() - canvas.width() * scale / 2,
              inner.center().y() - canvas.height() * scale / 2);
  p.scale(scale, scale);
  const KitColours colours = ColoursFor(item_, isEnabled());
  switch (item_) {
    case Item::Jumper:
      PaintJumper(p, colours);
      break;
    case Item::Shorts:
      PaintShorts(p, colours);
      break;
    case Item::Socks:
      PaintSocks(p, colours);
      break;
    case Item::Boots:
      PaintBoots(p, colours);
      break;
  }
}

// --- SponsorOfferScreen ---------------------------------------------------------

const char* SponsorOfferScreen::ScreenName(SponsorSlot slot) { return TextsOf(slot).screen; }

SponsorOfferScreen::SponsorOfferScreen(Game& game, SponsorSlot slot, QWidget* parent)
    : CancellableScreen(parent, Qt::Window), game_(game), slot_(slot) {
  const OfferTexts& texts = TextsOf(slot);
  setObjectName(QString::fromLatin1(texts.screen));
  setWindowTitle(QString::fromLatin1(texts.title));

  auto* layout = new QVBoxLayout(ScreenPage(this));
  layout->setContentsMargins(16, 10, 16, 14);
  layout->setSpacing(10);
  layout->addWidget(Heading(QString::fromLatin1(texts.heading), "lblHeading", this));
  auto* line = new TextLabel(QString::fromLatin1(texts.line), this);
  line->setObjectName(QStringLiteral("lblMessage"));
  line->setWordWrap(true);
  SetRole(line, "caption");
  KeepWrappedTextWhole(line, line->fontMetrics().averageCharWidth() * 44);
  layout->addWidget(line);

  QFrame* frame = Card("fraOffers", this);
  auto* grid = new QGridLayout(frame);
  grid->setContentsMargins(12, 10, 12, 10);
  grid->setHorizontalSpacing(16);
  grid->setVerticalSpacing(4);
  grid->addWidget(ColumnHead(QString::fromLatin1(kCompanyColumn), frame), 0, 0);
  grid->addWidget(ColumnHead(QString::fromLatin1(kOffersColumn), frame), 0, 1);
  options_ = new QButtonGroup(this);
  for (int i = 0; i < kCompanyCount; ++i) {
    const Company& company = kCompanies[static_cast<std::size_t>(i)];
    auto* option = new QRadioButton(ToQt(company.shown), frame);
    option->setObjectName(QStringLiteral("opt") + ToQt(company.key));
    options_->addButton(option, i);
    QLabel* amount = ValueLabel("", frame);
    amount->setObjectName(QStringLiteral("lbl") + ToQt(company.key));
    ReadWithCaption(amount, option->text());
    amount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SetNarrowest(amount, amount->fontMetrics().averageCharWidth() * 10);
    grid->addWidget(option, i + 1, 0);
    grid->addWidget(amount, i + 1, 1);
    optCompany_[static_cast<std::size_t>(i)] = option;
    lblCompany_[static_cast<std::size_t>(i)] = amount;
  }
  grid->setColumnStretch(0, 1);
  layout->addWidget(frame);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  cmdOK_ = Button(QStringLiteral("OK"), "cmdOK", this);
  cmdOK_->setDefault(true);
  connect(cmdOK_, &QPushButton::clicked, this, &SponsorOfferScreen::cmdOK_Click);
  auto* cmdCancel = Button(QStringLiteral("Cancel"), "cmdCancel", this);
  connect(cmdCancel, &QPushButton::clicked, this, &SponsorOfferScreen::cmdCancel_Click);
  buttons->addWidget(cmdOK_);
  buttons->addWidget(cmdCancel);
  layout->addLayout(buttons);
  // Enter is OK, Escape Cancel.
  UseScreenKeys(this, {cmdOK_});
}

void SponsorOfferScreen::Open() {
  const SponsorScreen& screen = game_.career().Offers(slot_);
  // The options show the record's choice, whatever was clicked and
  // cancelled the time before; none may be chosen at all.
  options_->setExclusive(false);
  for (std::size_t i = 0; i < kCompanyCount; ++i) {
    const SponsorOffer& offer = screen.Offers[i];
    optCompany_[i]->setChecked(offer.Chosen);
    optCompany_[i]->setEnabled(offer.Enabled);
    lblCompany_[i]->setEnabled(offer.Enabled);
    lblCompany_[i]->setText(ToQt(offer.Amount.ToString()));
  }
  options_->setExclusive(true);
  // The keyboard starts on the company chosen, or else the first that
  // offers, or else OK.
  QWidget* start = cmdOK_;
  for (QRadioButton* option : optCompany_) {
    if (!option->isEnabled()) continue;
    if (option->isChecked()) {
      start = option;
      break;
    }
    if (start == cmdOK_) start = option;
  }
  start->setFocus();
  adjustSize();
}

void SponsorOfferScreen::cmdOK_Click() {
  Career& career = game_.career();
  if (const int company = options_->checkedId(); company >= 0) {
    SelectSponsorOffer(career, slot_, company);
  }
  ConfirmSponsorOffer(career, slot_);
  PutAway();
}

void SponsorOfferScreen::cmdCancel_Click() { PutAway(); }

void SponsorOfferScreen::PutAway() {
  // The opener takes input again before this window goes, so that the focus
  // never comes back to a window that is still held.
  Q_EMIT closed();
  hide();
}

// --- SponsorshipScreen ----------------------------------------------------------

SponsorshipScreen::SponsorshipScreen(Game& game, QWidget* parent)
    : QWidget(parent, Qt::Window), game_(game) {
  setObjectName(QStringLiteral("frmSponsorship"));
  setWindowTitle(QString::fromLatin1(kTitle));

  auto* right = new QVBoxLayout;
  right->setSpacing(10);
  right->addWidget(MakeSponsors());
  right->addWidget(new GroundPicture(this), 1);
  cmdNegotiate_ = Button(QStringLiteral("Negotiate"), "cmdNegotiate", this);
  connect(cmdNegotiate_, &QPushButton::clicked, this, &SponsorshipScreen::cmdNegotiate_Click);
  cmdClose_ = Button(QStringLiteral("Close"), "cmdClose", this);
  connect(cmdClose_, &QPushButton::clicked, this, &SponsorshipScreen::cmdClose_Click);
  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(8);
  buttons->addStretch(1);
  buttons->addWidget(cmdNegotiate_);
  buttons->addWidget(cmdClose_);
  right->addLayout(buttons);

  auto* layout = new QHBoxLayout(ScreenPage(this));
  layout->setContentsMargins(16, 14, 16, 14);
  layout->setSpacing(14);
  layout->addWidget(MakeKit());
  layout->addLayout(right, 1);

  // The keyboard reads the kit on the left before the buttons; Escape is
  // Close.
  for (std::size_t i = 1; i < pieces_.size(); ++i) setTabOrder(pieces_[i - 1], pieces_[i]);
  setTabOrder(pieces_.back(), cmdNegotiate_);
  setTabOrder(cmdNegotiate_, cmdClose_);
  UseScreenKeys(this, {cmdClose_}, {cmdClose_});
}

SponsorshipScreen::~SponsorshipScreen() = default;

QWidget* SponsorshipScreen::MakeKit() {
  QFrame* frame = Card("fraKit", this);
  auto* column = new QVBoxLayout(frame);
  column->setContentsMargins(10, 8, 10, 8);
  column->setSpacing(2);
  using Slot = void (SponsorshipScreen::*)();
  constexpr Slot kSlots[4] = {
      &SponsorshipScreen::shpJumper_Click, &SponsorshipScreen::shpShorts_Click,
      &SponsorshipScreen::shpSocks_Click, &SponsorshipScreen::shpBoots_Click};
  for (std::size_t i = 0; i < pieces_.size(); ++i) {
    auto* piece = new KitPiece(kPieces[i].item, kPieces[i].name, frame);
    const QString title = QString::fromLatin1(TextsOf(kPieces[i].slot).title);
    piece->setToolTip(title);
    piece->setAccessibleName(title);
    connect(piece, &QAbstractButton::clicked, this, kSlots[i]);
    column->addWidget(piece, 0, Qt::AlignHCenter);
    pieces_[i] = piece;
  }
  return frame;
}

QWidget* SponsorshipScreen::MakeSponsors() {
  QFrame* frame = Card("fraSponsors", this);
  auto* grid = new QGridLayout(frame);
  grid->setContentsMargins(12, 10, 12, 10);
  grid->setHorizontalSpacing(10);
  grid->setVerticalSpacing(8);
  int row = 0;
  for (const SlotLine& line : kSlotLines) {
    QLabel* value = ValueLabel(line.label, frame);
    grid->addWidget(CaptionOf(value, QString::fromLatin1(line.caption), frame), row, 0);
    SetNarrowest(value, value->fontMetrics().horizontalAdvance(
                            QStringLiteral("Australia Physio Association")) +
                            value->fontMetrics().averageCharWidth() * 3);
    grid->addWidget(value, row++, 1);
    lblSlot_[static_cast<std::size_t>(line.slot)] = value;
  }
  grid->setRowMinimumHeight(row++, 8);
  lblRemaining_ = ValueLabel("lblRemaining", frame);
  grid->addWidget(CaptionOf(lblRemaining_, QString::fromLatin1(kRemainingCaption), frame), row, 0);
  lblRemaining_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  auto* remaining = new QHBoxLayout;
  remaining->addWidget(lblRemaining_);
  remaining->addStretch(1);
  grid->addLayout(remaining, row, 1);
  grid->setColumnStretch(1, 1);
  return frame;
}

void SponsorshipScreen::Open() {
  RunState& run = game_.run();
  run.sponsorship = OpenSponsorship(game_.career(), run.sponsorship);
  const SponsorshipView& view = run.sponsorship;
  lblRemaining_->setText(view.remaining ? QString::number(*view.remaining) : QString());
  for (KitPiece* piece : pieces_) piece->setEnabled(view.windowOpen);
  cmdNegotiate_->setEnabled(view.windowOpen);
  // At a sponsor window the keyboard starts on the kit, otherwise on Close.
  if (view.windowOpen) {
    pieces_.front()->setFocus();
  } else {
    cmdClose_->setFocus();
  }
  refresh();
}

void SponsorshipScreen::refresh() {
  Career& career = game_.career();
  for (const SlotLine& line : kSlotLines) {
    lblSlot_[static_cast<std::size_t>(line.slot)]->setText(
        ToQt(SlotSponsorLabel(career, line.slot)));
  }
}

SponsorOfferScreen* SponsorshipScreen::offers(SponsorSlot slot) const {
  return offers_[static_cast<std::size_t>(slot)].get();
}

void SponsorshipScreen::shpJumper_Click() { ShowOffers(SponsorSlot::Jumper); }
void SponsorshipScreen::shpShorts_Click() { ShowOffers(SponsorSlot::Shorts); }
void SponsorshipScreen::shpBoots_Click() { ShowOffers(SponsorSlot::Boots); }
void SponsorshipScreen::shpSocks_Click() { ShowOffers(SponsorSlot::Socks); }
void SponsorshipScreen::cmdNegotiate_Click() { ShowOffers(SponsorSlot::Major); }

void SponsorshipScreen::ShowOffers(SponsorSlot slot) {
  auto& screen = offers_[static_cast<std::size_t>(slot)];
  if (!screen) {
    screen = std::make_unique<SponsorOfferScreen>(game_, slot);
    connect(screen.get(), &SponsorOfferScreen::closed, this, [this] {
      refresh();
      HandBackTo(this);
    });
  }
  screen->Open();
  OpenFrom(this, screen.get());
}

void SponsorshipScreen::cmdClose_Click() {
  CloseSponsorship(game_.career(), game_.run());
  // The opener takes input again before this window goes, so that the focus
  // never comes back to a window that is still held.
  Q_EMIT closed();
  hide();
}

void SponsorshipScreen::closeEvent(QCloseEvent* event) {
  // The close box is Close, unless an offer screen is still up.
  event->ignore();
  if (isVisible() && isEnabled()) cmdClose_Click();
}

}  // namespace km::screens
