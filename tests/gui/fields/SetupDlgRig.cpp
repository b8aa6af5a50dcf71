#include "SetupDlgRig.h"

#include <QApplication>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <sstream>
#include <stdexcept>
#include <string>

#include "OpKind.h"
#include "SliderMouse.h"
#include "TestNamespaces.h"
#include "VirtualTimers.h"

namespace {

std::string TextsOf(const QVector<MessageBoxRequest>& shown) {
    QStringList texts;
    for (const MessageBoxRequest& box : shown) {
        texts.append(QString::fromStdString(box.text));
    }
    return "[" + texts.join(" | ").toStdString() + "]";
}

}  // namespace

void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

CSetupDlgRig::CSetupDlgRig(const SimRadioState& radioState)
    : radio(links.ports.AddRadio(1, radioState)), dlg(links.Links()) {
    dlg.ShowModeless();
    dlg.activateWindow();
    if (!QTest::qWaitForWindowActive(&dlg)) {
        throw std::runtime_error("the main window did not become active");
    }
    if (!WaitUntilDone()) {
        throw std::runtime_error("connect and query did not finish");
    }
    TakeFrameCount();
    TakeBoxes();
}

bool CSetupDlgRig::WaitUntilDone(int limitMs) {
    return RunInVirtualTime(
        links.clock,
        [this] {
            return dlg.Engine().State() == COperationEngine::EngineState::Idle &&
                   dlg.Engine().CurrentOpKind() == OpKind::kNone;
        },
        std::chrono::milliseconds(limitMs));
}

std::size_t CSetupDlgRig::TakeFrameCount() {
    const std::size_t count = radio.Frames().size();
    radio.ClearFrames();
    return count;
}

QVector<MessageBoxRequest> CSetupDlgRig::TakeBoxes() {
    const QVector<MessageBoxRequest> fresh = boxes.Boxes().mid(m_nBoxesTaken);
    m_nBoxesTaken = static_cast<int>(boxes.Boxes().size());
    return fresh;
}

void CSetupDlgRig::Click(int id) {
    QWidget* control = dlg.Item(id);
    // Radio buttons and check boxes take clicks on their mark or label, not beyond.
    const bool pushButton = qobject_cast<QPushButton*>(control) != nullptr;
    const QPoint at = pushButton ? control->rect().center() : QPoint(6, control->height() / 2);
    QTest::mouseClick(control, Qt::LeftButton, Qt::NoModifier, at);
}

void CSetupDlgRig::TypeInto(int id, const QString& text) {
    QWidget* edit = dlg.Item(id);
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

void CSetupDlgRig::DragSliderToEnd(int id, bool rightEnd) {
    DragSliderHandleToEnd(*qobject_cast<QSlider*>(dlg.Item(id)), rightEnd);
}

void CSetupDlgRig::ClickSliderHandle(int id) {
    auto* slider = qobject_cast<QSlider*>(dlg.Item(id));
    QTest::mouseClick(slider, Qt::LeftButton, Qt::NoModifier, SliderHandleRect(*slider).center());
}

void CSetupDlgRig::PressKey(int id, Qt::Key key, int times) {
    for (int i = 0; i < times; ++i) {
        QTest::keyClick(dlg.Item(id), key);
    }
}

::testing::AssertionResult CSetupDlgRig::ShowedOneBox(const QString& text, MsgIcon icon) {
    const QVector<MessageBoxRequest> shown = TakeBoxes();
    if (shown.size() != 1) {
        return ::testing::AssertionFailure()
               << shown.size() << " boxes instead of one: " << TextsOf(shown);
    }
    const MessageBoxRequest& box = shown.front();
    if (box.text != text.toStdString() || box.caption != ApplicationTitle() || box.icon != icon ||
        box.owner != &dlg) {
        return ::testing::AssertionFailure()
               << "box \"" << box.text << "\" captioned \"" << box.caption << "\" with icon "
               << static_cast<int>(box.icon);
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult CSetupDlgRig::ShowedBusyBox() {
    const QVector<MessageBoxRequest> shown = TakeBoxes();
    if (shown.size() != 1 || shown.front().text != "正在接收数据" ||
        shown.front().caption != "禁止" || shown.front().icon != MsgIcon::Exclamation) {
        return ::testing::AssertionFailure() << "expected the busy box, got " << TextsOf(shown);
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult CSetupDlgRig::Refuses(int buttonId, const QString& text, int focusId,
                                                 MsgIcon icon) {
    Click(buttonId);
    ::testing::AssertionResult box = ShowedOneBox(text, icon);
    if (!box) {
        return box;
    }
    QWidget* focus = QApplication::focusWidget();
    if (focus != dlg.Item(focusId)) {
        return ::testing::AssertionFailure()
               << "the focus is not in " << focusId << " but in "
               << (focus != nullptr ? focus->metaObject()->className() : "nothing");
    }
    if (Busy()) {
        return ::testing::AssertionFailure() << "an operation was begun";
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult CSetupDlgRig::Performs(int id, const QString& name,
                                                  const QString& result) {
    Click(id);
    if (!Busy()) {
        return ::testing::AssertionFailure() << "no operation was begun";
    }
    if (!WaitUntilDone()) {
        return ::testing::AssertionFailure() << "the operation did not end";
    }
    // The bytes each button sends are pinned by the main-window and payload tests.
    TakeFrameCount();
    std::ostringstream problems;
    if (Text(Ctl::kOperationField) != name || Text(Ctl::kResultField) != result) {
        problems << "shown: \"" << Text(Ctl::kOperationField).toStdString() << "\" / \""
                 << Text(Ctl::kResultField).toStdString() << "\"; ";
    }
    const QVector<MessageBoxRequest> shown = TakeBoxes();
    if (!shown.isEmpty()) {
        problems << "message boxes: " << TextsOf(shown);
    }
    if (problems.str().empty()) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << problems.str();
}

// The simulated radio logs each frame as it is sent.
bool CSetupDlgRig::NothingReachedRadio() {
    return TakeFrameCount() == 0;
}
