#pragma once
// The small star that marks a favourite photo, in the strip and in the
// photo's menu.

class CBmp;

// A gold five-pointed star, size x size pixels with soft edges; false when
// the picture cannot be made.
bool MakeFavouriteStar(int size, CBmp& out);
