// The modes library starts empty; the modelling modes join it one by one.
#include "modes/modes.h"
