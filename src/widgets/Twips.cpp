#include "widgets/Twips.h"

#include <cmath>

namespace twips {

int toPixels(int twips)
{
    return int(std::lround(double(twips) / kPerPixel));
}

int fromPixels(int pixels)
{
    return pixels * kPerPixel;
}

QPoint point(int x, int y)
{
    return {toPixels(x), toPixels(y)};
}

QRect rect(int left, int top, int width, int height)
{
    return {toPixels(left), toPixels(top), toPixels(width), toPixels(height)};
}

int pixelsOfPoints(qreal points)
{
    return int(std::lround(points / pointsPerPixel()));
}

} // namespace twips
