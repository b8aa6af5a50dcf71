#pragma once

#include <QRect>

class QSlider;

// Where a slider draws its handle, in the slider's coordinates.
QRect SliderHandleRect(const QSlider& slider);

// Presses the mouse on the handle, moves it to one end of the slider and releases it there.
void DragSliderHandleToEnd(QSlider& slider, bool rightEnd);
