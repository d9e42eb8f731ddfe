#pragma once

#include "sheet/SheetLayout.h"
