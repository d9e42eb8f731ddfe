#pragma once

#include "capture/ui/ShotCommands.h"
