#include "week/events.h"

namespace km {}  // namespace km
