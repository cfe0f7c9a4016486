#pragma once

namespace km {}  // namespace km
