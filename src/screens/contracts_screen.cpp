#include "screens/contracts_screen.h"
