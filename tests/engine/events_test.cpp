#include <gtest/gtest.h>

#include "week/events.h"
