#include "Twofish.h"
