#include <gtest/gtest.h>

#include "week/sponsors.h"
