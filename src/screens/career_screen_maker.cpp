// SPDX-License-Identifier: GPL-3.0-or-later
// The entry point of the Career screen's library (see career_library.h):
// the one symbol the game looks up when it loads the library.

#include "screens/career_library.h"
#include "screens/career_screen.h"

namespace km::screens {
namespace {

class Maker final : public CareerScreenMaker {
 public:
  [[nodiscard]] std::unique_ptr<QWidget> Make(const Career& career, CareerLog log,
                                              const std::filesystem::path& dataFolder,
                                              QObject* context,
                                              std::function<void()> closed) const override {
    auto screen = std::make_unique<CareerScreen>(career, std::move(log));
    screen->SetDataFolder(dataFolder);
    QObject::connect(screen.get(), &CareerScreen::closed, context, std::move(closed));
    return screen;
  }
};

}  // namespace
}  // namespace km::screens

extern "C" __attribute__((visibility("default"))) const km::screens::CareerScreenMaker*
kickmark_career_screen_maker() {
  static const km::screens::Maker maker;
  return &maker;
}
