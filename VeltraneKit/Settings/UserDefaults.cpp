#include "VeltraneKit/Settings/UserDefaults.h"
