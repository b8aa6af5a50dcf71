#include "DialogDriver.h"

#include <QApplication>
#include <QBackingStore>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStyleOption>
#include <QTest>
#include <QTimer>

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

namespace {

// The width a control's style leaves for its text.
int TextRoom(QWidget* widget) {
    QStyle* style = widget->style();
    QStyleOptionButton option;
    option.initFrom(widget);
    if (qobject_cast<QCheckBox*>(widget) != nullptr) {
        return style->subElementRect(QStyle::SE_CheckBoxContents, &option, widget).width();
    }
    if (qobject_cast<QRadioButton*>(widget) != nullptr) {
        return style->subElementRect(QStyle::SE_RadioButtonContents, &option, widget).width();
    }
    if (qobject_cast<QPushButton*>(widget) != nullptr) {
        return style->subElementRect(QStyle::SE_PushButtonContents, &option, widget).width();
    }
    if (auto* list = qobject_cast<QComboBox*>(widget)) {
        QStyleOptionComboBox box;
        box.initFrom(list);
        return style
            ->subControlRect(QStyle::CC_ComboBox, &box, QStyle::SC_ComboBoxEditField, widget)
            .width();
    }
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        const int frame = edit->hasFrame() ? style->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
        constexpr int kEditMargin = 2;  // QLineEdit's own, each side
        return edit->width() - 2 * (frame + kEditMargin);
    }
    if (qobject_cast<QGroupBox*>(widget) != nullptr) {
        constexpr int kTitleInset = 7;  // the dialog's style sheet: 6 px and a pixel of padding
        return widget->width() - 2 * kTitleInset;
    }
    return widget->width();
}

QStringList TextsOf(QWidget* widget) {
    if (auto* list = qobject_cast<QComboBox*>(widget)) {
        QStringList items;
        for (int i = 0; i < list->count(); ++i) {
            items.append(list->itemText(i));
        }
        return items.isEmpty() ? QStringList{QString()} : items;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        return {edit->text()};
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        return {button->text()};
    }
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        return {label->text()};
    }
    if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        return {group->title()};
    }
    return {QString()};  // a picture, a frame, a trackbar
}

}  // namespace

std::vector<ShownText> ShownTexts(const CDialog& dialog) {
    std::vector<ShownText> shown;
    for (std::size_t index = 0; index < dialog.Template().controls.size(); ++index) {
        QWidget* widget = dialog.Control(index);
        if (widget == nullptr || !widget->isVisible() || widget->width() == 0) {
            continue;
        }
        const QFontMetrics metrics = widget->fontMetrics();
        const QRect place = widget->geometry();
        for (const QString& text : TextsOf(widget)) {
            shown.push_back({index, text.toStdString(), place.x(), place.y(), place.width(),
                             place.height(), TextRoom(widget), metrics.horizontalAdvance(text),
                             metrics.height()});
        }
    }
    return shown;
}

// The menu runs its own loop: the entry is chosen from there once it shows.
void ChooseSystemMenuEntry(CDialog& dialog, int command) {
    QTimer::singleShot(0, &dialog, [command] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr) {
            return;
        }
        for (QAction* action : menu->findChildren<QAction*>()) {
            if (action->data().toInt() == command && !action->menu()) {
                action->trigger();
            }
        }
        menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(1, 1),
                            dialog.mapToGlobal(QPoint(1, 1)));
    QApplication::sendEvent(&dialog, &event);
}
