#pragma once
// The pure text transforms of the editor's text commands, on Windows-1251 byte strings.

#include "OrvelCase.h"
#include "OrvelCoding.h"
#include "OrvelLayout.h"
#include "OrvelLines.h"
#include "OrvelNumbers.h"
