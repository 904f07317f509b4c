#include "mechanism/Gears.h"
