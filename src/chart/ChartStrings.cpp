#include "chart/ChartStrings.h"
