#include "DialogDriver.h"

#include <QApplication>
#include <QBackingStore>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QSlider>
#include <QTest>

#include "DialogClock.h"
#include "SliderMouse.h"
#include "VirtualTimers.h"

void Click(CDialog& dialog, int id) {
    QTest::mouseClick(dialog.Item(id), Qt::LeftButton);
}

void DragSliderToEnd(CDialog& dialog, int id, bool rightEnd) {
    DragSliderHandleToEnd(*qobject_cast<QSlider*>(dialog.Item(id)), rightEnd);
}

void Type(CDialog& dialog, int id, const std::string& text) {
    auto* edit = qobject_cast<QLineEdit*>(dialog.Item(id));
    edit->clear();
    QTest::keyClicks(edit, QString::fromStdString(text));
}

std::vector<std::string> ListItems(const CDialog& dialog, int id) {
    std::vector<std::string> items;
    if (auto* list = qobject_cast<QComboBox*>(dialog.Item(id))) {
        for (int i = 0; i < list->count(); ++i) {
            items.push_back(list->itemText(i).toStdString());
        }
    }
    return items;
}

// The offscreen platform's screen is the window's backing store image.
std::vector<std::uint32_t> ShownPixels(const CDialog& dialog, int id) {
    const QWidget* item = dialog.Item(id);
    QBackingStore* store = item->window()->backingStore();
    const auto* image = store != nullptr ? dynamic_cast<QImage*>(store->paintDevice()) : nullptr;
    if (image == nullptr) {
        return {};
    }
    const QImage shown = image->copy(QRect(item->mapTo(item->window(), QPoint()), item->size()))
                             .convertToFormat(QImage::Format_RGB32);
    const auto* first = reinterpret_cast<const std::uint32_t*>(shown.constBits());
    return std::vector<std::uint32_t>(first, first + shown.sizeInBytes() / 4);
}

CVirtualClock& DialogClock() {
    static CVirtualClock clock;
    return clock;
}

bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    return RunInVirtualTime(DialogClock(), done, limit);
}
