#include <gtest/gtest.h>

#include "week/shops.h"
