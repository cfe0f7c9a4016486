#include "screens/sponsorship_screen.h"
