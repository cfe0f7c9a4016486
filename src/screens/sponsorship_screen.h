// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "screens/screen_parts.h"

#include <QAbstractButton>
#include <QWidget>
#include <array>
#include <memory>

#include "core/game_data.h"
#include "game/game.h"

class QButtonGroup;
class QLabel;
class QPushButton;
class QRadioButton;

namespace km::screens {

// One piece of the player's kit drawn as a clickable picture: the jumper,
// the shorts, the boots or the socks. Clicking it (or Space with the focus
// on it) opens that slot's offers; a disabled piece is drawn in greys.
class KitPiece : public QAbstractButton {
  Q_OBJECT

 public:
  enum class Item { Jumper, Shorts, Boots, Socks };

  KitPiece(Item item, const char* name, QWidget* parent = nullptr);

  [[nodiscard]] Item item() const { return item_; }
  [[nodiscard]] QSize sizeHint() const override;
  [[nodiscard]] QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Item item_;
};

// frmSponsorBoots, frmSponsorJumper, frmSponsorMajor, frmSponsorShorts and
// frmSponsorSocks: the sixteen companies' offers for one slot. Only the
// companies that made an offer can be chosen; OK makes the chosen one the
// slot's deal, Cancel leaves the deal as it was.
class SponsorOfferScreen : public CancellableScreen {
  Q_OBJECT

 public:
  SponsorOfferScreen(Game& game, SponsorSlot slot, QWidget* parent = nullptr);

  // Readies the slot's offers as the record holds them, to be shown.
  void Open();

  [[nodiscard]] SponsorSlot slot() const { return slot_; }

  // The screen's object name for a slot ("frmSponsorJumper").
  static const char* ScreenName(SponsorSlot slot);

 Q_SIGNALS:
  // OK or Cancel (or the close box) put the screen away.
  void closed();

 public Q_SLOTS:
  void cmdOK_Click();
  void cmdCancel_Click();

 protected:
  void Cancel() override { cmdCancel_Click(); }

 private:
  void PutAway();

  Game& game_;
  SponsorSlot slot_;
  QButtonGroup* options_ = nullptr;
  std::array<QRadioButton*, kCompanyCount> optCompany_{};
  std::array<QLabel*, kCompanyCount> lblCompany_{};
  QPushButton* cmdOK_ = nullptr;
};

// frmSponsorship: the player's five sponsors and the matches to the next
// sponsor window. While the window is open the kit pieces open the jumper,
// shorts, boots and socks offers and Negotiate the major sponsor's; Close
// puts the screen away and, at a window, frees Play.
class SponsorshipScreen : public QWidget {
  Q_OBJECT

 public:
  explicit SponsorshipScreen(Game& game, QWidget* parent = nullptr);
  ~SponsorshipScreen() override;

  // The hub's Sponsorship button: works out the weeks to the next window and
  // whether the slots can be changed, ready to be shown (OpenFrom). Whoever
  // opens it takes input again on `closed`.
  void Open();

  // Shows the five sponsors as the record holds them.
  void refresh();

  // A slot's offer screen, once it has been opened.
  [[nodiscard]] SponsorOfferScreen* offers(SponsorSlot slot) const;

 Q_SIGNALS:
  // Close (or the close box) put the screen away.
  void closed();

 public Q_SLOTS:
  void shpJumper_Click();
  void shpShorts_Click();
  void shpBoots_Click();
  void shpSocks_Click();
  void cmdNegotiate_Click();
  void cmdClose_Click();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* MakeKit();
  QWidget* MakeSponsors();
  // Opens a slot's offers over this screen, which waits until they are put
  // away.
  void ShowOffers(SponsorSlot slot);

  Game& game_;
  std::array<KitPiece*, 4> pieces_{};
  QPushButton* cmdNegotiate_ = nullptr;
  QPushButton* cmdClose_ = nullptr;
  QLabel* lblRemaining_ = nullptr;
  std::array<QLabel*, kSlotCount> lblSlot_{};
  std::array<std::unique_ptr<SponsorOfferScreen>, kSlotCount> offers_;
};

}  // namespace km::screens
