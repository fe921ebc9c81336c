#include "Rijndael.h"
