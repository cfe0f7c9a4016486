#include "week/sponsors.h"

namespace km {}  // namespace km
