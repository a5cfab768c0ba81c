#include "VeltraneKit/Time/Clock.h"
