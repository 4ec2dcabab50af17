#pragma once

#include <QPoint>
#include <QRect>

// The window layouts are given in twips (1/1440 inch). This is the one place where they become logical pixels, and
// where a size in points meets them: a point is 20 twips, so a logical pixel (15 twips) is three quarters of a point,
// which is the 96 pixels to the inch the layouts were drawn at.
namespace twips {

constexpr int kPerPixel = 15;
constexpr int kPerPoint = 20;

int toPixels(int twips);
int fromPixels(int pixels);
QPoint point(int x, int y);
QRect rect(int left, int top, int width, int height);

// A logical pixel in points: what a picture drawn in pixels measures once put on paper at the size it has on screen.
constexpr qreal pointsPerPixel()
{
    return qreal(kPerPixel) / kPerPoint;
}

// A font size in points as whole logical pixels: 8.25 points are 11 pixels. A font drawn into a picture that is
// scaled later takes its size in pixels, so that it scales with the picture.
int pixelsOfPoints(qreal points);

} // namespace twips
