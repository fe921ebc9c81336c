#include "Gost.h"
