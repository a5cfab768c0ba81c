#include "MoorletCore/SessionPhase.h"
