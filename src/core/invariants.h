#pragma once

#include <string>
#include <vector>

#include "core/career.h"

namespace km {

// What must hold of a career between any two weeks, whatever happened in
// them. Each broken rule comes back as a sentence naming the field.
std::vector<std::string> CheckInvariants(const Career& career);

}  // namespace km
