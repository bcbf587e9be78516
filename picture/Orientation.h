#pragma once
// Turning a picture stored as a camera held it into the way it is seen.
// Orientation values as EXIF numbers them: 1 as stored, 2 mirrored left to
// right, 3 turned half round, 4 mirrored top to bottom, 5 mirrored about the
// top-left to bottom-right diagonal, 6 to be turned a quarter clockwise, 7
// mirrored about the other diagonal, 8 to be turned a quarter anticlockwise.
// Any other value is treated as 1.

#include "picture/Fit.h"

class CBmp;

// Values 5 to 8 exchange width and height.
bool SwapsSides(int orientation);
FitSize UprightSize(int storedW, int storedH, int orientation);

// In place; false (picture unchanged) when memory runs out.
bool OrientUpright(CBmp& picture, int orientation);
