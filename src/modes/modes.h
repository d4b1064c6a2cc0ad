// Umbrella header of the modelling modes; each mode adds its own module here.
#pragma once

#include "modes/mode_handlers.h"
#include "modes/lathe.h"
