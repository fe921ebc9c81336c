#include "SecHash.h"
