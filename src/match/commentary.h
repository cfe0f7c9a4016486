// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace km {

// The commentator's verdict after a quarter: quarters 1 to 3 are judged by
// the disposals projected over a full match, the last by the match rating.
// `v` (1..3) picks one of the band's three sentences.
std::string Commentary(int quarter, int disposals, double rating, const std::string& name, int v);

// What a quarter is judged by: the disposals projected over a full match in
// quarters 1 to 3 (x4, x2, x1.33), the match rating in the last.
double CommentaryMeasure(int quarter, int disposals, double rating);

// The band (1..6) a quarter's measure falls in; 0 when none does.
int CommentaryBand(int quarter, double measure);

}  // namespace km
