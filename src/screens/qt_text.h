// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Conversions between the engine's UTF-8 strings and paths and Qt's strings.

#include <QString>
#include <filesystem>
#include <string>
#include <string_view>

namespace km::screens {

inline QString ToQt(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToStd(const QString& text) { return text.toStdString(); }

inline QString PathToQt(const std::filesystem::path& path) {
  return QString::fromStdU16String(path.u16string());
}

inline std::filesystem::path PathFromQt(const QString& path) { return {path.toStdU16String()}; }

}  // namespace km::screens
