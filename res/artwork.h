// Ids of the program's pictures; made by tools/make_artwork.py.
#pragma once

#define IDB_ART_103 103  // 96x96 white gear: settings button base
#define IDB_ART_104 104  // 96x96 glow of the gear
#define IDB_ART_108 108  // 16x16 ticked check box
#define IDB_ART_109 109  // 16x16 empty check box
#define IDB_ART_110 110  // 16x16 four coloured squares
#define IDB_ART_112 112  // 16x16 short dark bar
#define IDB_ART_113 113  // 16x16 yellow star
#define IDB_ART_114 114  // 16x16 person
#define IDB_ART_115 115  // 16x16 small blue gear
#define IDB_ART_118 118  // 96x96 white glow: globe shading of the web button
#define IDB_ART_119 119  // 96x96 white disc: web button base
#define IDB_ART_121 121  // 32x32 person
#define IDB_ART_122 122  // 128x128 photo in a tilted blue frame
#define IDB_ART_123 123  // 128x128 grey gear
#define IDB_ART_124 124  // 48x48 red cross badge
#define IDB_ART_125 125  // 48x48 yellow sparkle badge
#define IDB_ART_126 126  // 48x48 green plus badge
#define IDB_ART_128 128  // 128x128 photo album
#define IDB_ART_131 131  // 32x32 up arrow
#define IDB_ART_132 132  // 32x32 down arrow
#define IDB_ART_133 133  // 128x128 yellow folder holding a photo
#define IDB_ART_134 134  // 96x96 green play triangle: start button base
#define IDB_ART_135 135  // 96x96 glow of the play triangle
#define IDB_ART_137 137  // 48x48 small green play triangle
#define IDB_ART_141 141  // 96x96 red rounded square: stop button base
#define IDB_ART_142 142  // 96x96 glow of the red square
#define IDB_ART_143 143  // 96x96 green letter i: about button base
#define IDB_ART_144 144  // 96x96 glow of the letter i
#define IDB_ART_154 154  // 96x96 photo between two green arrows
#define IDB_ART_160 160  // 24x24 small photo
#define IDB_ART_161 161  // 24x24 orange cross
#define IDG_ART_105 105  // 256x256 azure water (spare texture)
#define IDG_ART_120 120  // 256x128 globe map under the web button (256 x 128)
#define IDG_ART_136 136  // 256x256 green light under the start button
#define IDG_ART_145 145  // 256x256 red silk under the stop button
#define IDG_ART_151 151  // 256x256 gold under the settings gear
#define IDG_ART_153 153  // 256x256 sea-glass teal under the about button
#define IDI_ART_FRAME 102  // window and tray icon: 16, 24, 32, 48, 64 pixels
