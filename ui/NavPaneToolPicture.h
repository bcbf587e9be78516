#pragma once
// State images of a tool picture, made once after the picture is loaded and
// sized: layer lists 0 normal (empty: the plain picture), 1 hot, 2 disabled,
// 3 pressed.

class CBmp;

void PrepareToolPicture(CBmp& picture);
