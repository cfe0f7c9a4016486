#include "screens/round_screen.h"
