#include "week/shops.h"

namespace km {}  // namespace km
