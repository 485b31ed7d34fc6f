// The chart's rectangle zoom: dragged towards the lower right it zooms into the rectangle,
// towards the upper left (on either axis) it undoes the zoom.
#pragma once

#include <QPoint>

namespace porvel {

enum class ZoomGesture { None, Zoom, Undo };

ZoomGesture ZoomGestureOf(QPoint press, QPoint release);

}  // namespace porvel
