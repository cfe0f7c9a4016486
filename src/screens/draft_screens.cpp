#include "screens/draft_screens.h"
