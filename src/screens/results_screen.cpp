#include "screens/results_screen.h"
