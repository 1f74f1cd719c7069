// Decorative fills of the front end: four-corner gradients and rows and
// rectangles blended over the screen with a gradient of colour and opacity.
// Channels and opacities are 0-255.
#pragma once

void DrawGradientRect(int x, int y, int width, int height, int r0, int g0, int b0, int r1, int g1, int b1,
                      int r2, int g2, int b2, int r3, int g3, int b3);
void DrawBlendedSpan(int x, int y, int width, int r0, int g0, int b0, int a0, int r1, int g1, int b1, int a1);
// Top row left (r, g, b, a) and right, then the bottom row's.
void DrawBlendedGradientRect(int x, int y, int width, int height, const int top[8], const int bottom[8]);
