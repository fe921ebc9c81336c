#include "Base64.h"
