// Decorative fills of the front end: four-corner gradients and rows and
// rectangles blended over the screen with a gradient of colour and opacity.
// Channels and opacities are 0-255.
#pragma once

void DrawGradientRect(int x, int y, int width, int height, int r0, int g0, int b0, int r1, int g1, int b1,
                      int r2, int g2, int b2, int r3, int g3, int b3);
void DrawBlendedSpan(int x, int y, int width, int r0, int g0, int b0, int a0, int r1, int g1, int b1, int a1);
// Top row left (r, g, b, a) and right, then the bottom row's.
void DrawBlendedGradientRect(int x, int y, int width, int height, const int top[8], const int bottom[8]);

// A soft three-pixel line in the draw colour: the centre pixels and a fixed
// pattern of darker neighbours (the same line always looks the same).
// Nothing unless both ends lie on the 800 x 600 layout.
void DrawBrushLine(int x1, int y1, int x2, int y2);
// The head of an arrow from (x, y) to (x + dx, y + dy); nothing for a zero
// vector.
void DrawArrowHead(int x, int y, int dx, int dy);
// An arc of eight brush-line segments from (x, y) to (x + dx, y + dy),
// bulging to one side or the other, then an arrow head (moved sideways with
// the arc when head is set).
void DrawCurvedArrow(int x, int y, int dx, int dy, int head, int side);
// A solid block seen from the front, as a bar of a chart, in the draw
// colour with a top and a right face 9 pixels deep and a black outline;
// (x, y) is the bottom-left corner of the front face.  Leaves the draw
// colour black.
void DrawBevelPanel(int x, int y, int width, int height);
