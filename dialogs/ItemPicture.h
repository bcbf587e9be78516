#pragma once
// Pictures of page items and tools: a program bitmap sized to a square, with
// an optional badge (16 x 16 at 96 DPI) in its bottom-right corner, ready to
// be drawn in its normal, hot, disabled and pressed states.

#include "picture/Bmp.h"
#include "ui/Dpi.h"

class CNavPaneItemAbstract;

// badgeId 0: no badge. An empty picture when the bitmap cannot be loaded.
CBmp MakeItemPicture(int bitmapId, int size, int badgeId = 0, int dpi = kDesignDpi);

// Appends a plain picture tool (no behaviour) on the left of the item.
void AddPictureTool(CNavPaneItemAbstract& item, int bitmapId, int size, int badgeId = 0, int dpi = kDesignDpi);
