#include "framework/core/Resources.h"
