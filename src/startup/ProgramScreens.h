#pragma once

#include "screens/common/FormRegistry.h"

// The screens the main menu can open in this program, by window name.
FormRegistry ProgramScreens();
