// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMessageBox>
#include <QString>
#include <functional>
#include <string_view>

#include "core/ports.h"

class QWidget;

namespace km::screens {

class MainScreen;

// The game's Prompter: message boxes, Yes/No questions, the newspaper screen
// and the file-open dialog. Each is modal and shown over the window the
// player is using.
class QtPrompter final : public Prompter {
 public:
  // The hub of the moment, if there is one: the newspaper comes up over it
  // and, if the hub took input before, hands back to it when it is put away.
  void SetHub(std::function<MainScreen*()> hub) { hub_ = std::move(hub); }

  void inform(const std::string& text, const std::string& title) override;
  bool askYesNo(const std::string& text, const std::string& title, Icon icon) override;
  void publish(const Story& story) override;
  std::optional<std::filesystem::path> chooseFileToOpen(
      const std::string& filter, const std::filesystem::path& folder) override;

 private:
  std::function<MainScreen*()> hub_;
};

// The message box icon for a question's icon (a stop sign is the critical
// icon).
QMessageBox::Icon MessageBoxIcon(Icon icon);

// A file filter as the engine writes it, description and patterns separated
// by bars ("Kickmark Save files (*.kms)|*.kms"), in the form Qt's file
// dialog reads ("Kickmark Save files (*.kms)"). Several patterns of one entry
// are separated by semicolons in the engine's form and by spaces in Qt's;
// several entries are joined by ";;".
QString QtFileFilter(std::string_view filter);

}  // namespace km::screens
