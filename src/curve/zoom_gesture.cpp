#include "zoom_gesture.h"

namespace porvel {

ZoomGesture ZoomGestureOf(QPoint press, QPoint release) {
    if (release.x() > press.x() && release.y() > press.y()) return ZoomGesture::Zoom;
    if (release.x() < press.x() || release.y() < press.y()) return ZoomGesture::Undo;
    return ZoomGesture::None;
}

}  // namespace porvel
