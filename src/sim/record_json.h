// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <nlohmann/json.hpp>

#include "core/career.h"

namespace km::sim {

// The career record as one JSON object: a key per field, named and ordered
// as the record lists them. Text is a string, whole numbers and bars are
// integers, decimals are numbers, money is a number (an integer when it is
// whole dollars), switches are true or false.
nlohmann::ordered_json CareerJson(const Career& career);

}  // namespace km::sim
