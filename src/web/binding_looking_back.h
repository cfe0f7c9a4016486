// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Looking back on careers in the browser: the start screen's hall of fame
// over every career in the careers' folder, and the Career screen's log of
// one career (the running one, or any other by name, read only).

#include <nlohmann/json.hpp>
#include <optional>
#include <string_view>

namespace km {
class Game;
}

namespace km::web {

// The answer of a looking-back op (`hallOfFame`, `careerLog`), or nothing
// when `op` is none of them. Neither op writes a file or locks a career.
std::optional<nlohmann::json> LookingBackOp(std::string_view op, const nlohmann::json& args,
                                            const Game& game);

}  // namespace km::web
