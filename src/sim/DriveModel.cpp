#include "sim/DriveModel.h"
