#include "SliderMouse.h"

#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

QRect SliderHandleRect(const QSlider& slider) {
    QStyleOptionSlider option;
    option.initFrom(&slider);
    option.orientation = slider.orientation();
    option.minimum = slider.minimum();
    option.maximum = slider.maximum();
    option.sliderPosition = slider.sliderPosition();
    option.sliderValue = slider.value();
    option.singleStep = slider.singleStep();
    option.pageStep = slider.pageStep();
    option.tickPosition = slider.tickPosition();
    option.tickInterval = slider.tickInterval();
    option.subControls = QStyle::SC_SliderGroove | QStyle::SC_SliderHandle;
    return slider.style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle,
                                          &slider);
}

void DragSliderHandleToEnd(QSlider& slider, bool rightEnd) {
    const QPoint grip = SliderHandleRect(slider).center();
    const QPoint end(rightEnd ? slider.width() - 1 : 0, grip.y());
    QTest::mousePress(&slider, Qt::LeftButton, Qt::NoModifier, grip);
    QTest::mouseMove(&slider, end);
    QTest::mouseRelease(&slider, Qt::LeftButton, Qt::NoModifier, end);
}
