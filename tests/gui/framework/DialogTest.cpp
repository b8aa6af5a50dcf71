#include "Dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include "CriticalMessages.h"
#include "DialogTemplate.h"
#include "ModalSeam.h"
#include "RadioPortIds.h"
#include "RecordedMessageBoxes.h"
#include "SetupDlgIds.h"
#include "TestNamespaces.h"

namespace {

namespace Id = SetupId;

constexpr int kMainTemplate = 102;
constexpr int kRadioPortTemplate = 145;

QRect Pixels(double perUnit, int x, int y, int w, int h) {
    return QRect(qRound(x * perUnit), qRound(y * perUnit), qRound(w * perUnit),
                 qRound(h * perUnit));
}

TEST(DialogLayer, PlacesControlsInDialogUnitsOfTheTemplateFont) {
    CDialog main(kMainTemplate);
    const double scale = main.logicalDpiX() / 96.0;
    EXPECT_EQ(main.size(), QSize(qRound(438 * 1.5 * scale), qRound(229 * 1.5 * scale)));
    EXPECT_EQ(main.Item(Id::kRxFrequency)->geometry(), Pixels(1.5 * scale, 161, 26, 40, 14));
    EXPECT_EQ(main.Item(Id::kExit)->geometry(), Pixels(1.5 * scale, 11, 166, 45, 37));
    EXPECT_EQ(main.Item(Id::kRxChannelGain)->geometry(), Pixels(1.5 * scale, 265, 29, 62, 25));

    CDialog radioPort(kRadioPortTemplate);
    EXPECT_EQ(radioPort.size(), QSize(qRound(237 * 2 * scale), qRound(86 * 2 * scale)));
    EXPECT_EQ(radioPort.Item(1)->geometry(), Pixels(2 * scale, 34, 54, 43, 13));
}

TEST(DialogLayer, BuildsEachKindOfControlWithItsStyle) {
    CDialog main(kMainTemplate);
    auto* frequency = qobject_cast<QLineEdit*>(main.Item(Id::kRxFrequency));
    ASSERT_NE(frequency, nullptr);
    EXPECT_NE(frequency->validator(), nullptr);
    auto* result = qobject_cast<QLineEdit*>(main.Item(Id::kResultField));
    ASSERT_NE(result, nullptr);
    EXPECT_TRUE(result->isReadOnly());
    EXPECT_FALSE(result->hasFrame());
    EXPECT_TRUE(main.Item(Id::kUnusedStatusField)->isHidden());
    EXPECT_FALSE(main.Item(Id::kRxChannelGainText)->isEnabled());
    EXPECT_NE(qobject_cast<QRadioButton*>(main.Item(Id::kDataMode)), nullptr);
    EXPECT_NE(qobject_cast<QCheckBox*>(main.Item(Id::kCompander)), nullptr);
    auto* slider = qobject_cast<QSlider*>(main.Item(Id::kRxVoiceGain));
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->tickPosition(), QSlider::TicksAbove);
    EXPECT_EQ(main.GetText(Id::kExit), "退 出");

    CDialog radioPort(kRadioPortTemplate);
    auto* rates = qobject_cast<QComboBox*>(radioPort.Item(RadioPortId::kRateList));
    ASSERT_NE(rates, nullptr);
    EXPECT_EQ(rates->count(), 4);
    EXPECT_EQ(rates->itemText(0), "19200bps");
    EXPECT_EQ(rates->itemText(1), "9600 bps");
    auto* confirm = qobject_cast<QPushButton*>(radioPort.Item(1));
    ASSERT_NE(confirm, nullptr);
    EXPECT_TRUE(confirm->isDefault());
}

TEST(DialogLayer, ReadOnlyFieldsShowTheDialogFace) {
    for (const auto& [templateId, id] :
         {std::pair{kMainTemplate, Id::kResultField}, std::pair{147, DetectId::kProgress}}) {
        CDialog dialog(templateId);
        dialog.ShowModeless();
        QWidget* field = dialog.Item(id);
        const QImage picture = field->grab().toImage();
        EXPECT_EQ(picture.pixelColor(picture.width() - 2, 2),
                  dialog.palette().color(QPalette::Window))
            << templateId;
    }
}

TEST(DialogLayer, DigitsOnlyEditsRefuseTypedAndPastedNonDigits) {
    CDialog main(kMainTemplate);
    main.ShowModeless();
    main.SetTextLimit(Id::kRxFrequency, 7);
    auto* edit = qobject_cast<QLineEdit*>(main.Item(Id::kRxFrequency));
    edit->clear();
    QTest::keyClicks(edit, "12a3-4");
    EXPECT_EQ(edit->text(), "1234");
    edit->clear();
    edit->insert("9x9");  // what a paste does
    EXPECT_EQ(edit->text(), "");
    QTest::keyClicks(edit, "123456789");
    EXPECT_EQ(edit->text(), "1234567");
}

TEST(DialogLayer, RadioButtonsNeverUncheckThemselvesOrTheirPartners) {
    CDialog main(kMainTemplate);
    main.ShowModeless();
    main.SetCheck(Id::kDataMode, true);
    QTest::mouseClick(main.Item(Id::kVoiceMode), Qt::LeftButton);
    EXPECT_TRUE(main.IsChecked(Id::kDataMode));
    EXPECT_TRUE(main.IsChecked(Id::kVoiceMode));
    QTest::mouseClick(main.Item(Id::kVoiceMode), Qt::LeftButton);
    EXPECT_TRUE(main.IsChecked(Id::kVoiceMode));
}

// A dialog whose handlers record what reached them.
class CProbeDialog : public CDialog {
public:
    CProbeDialog() : CDialog(kMainTemplate) {
        OnClicked(Id::kQuery, [this] { ++queryClicks; });
        OnTextChanged(Id::kRxFrequency, [this] { ++textChanges; });
        OnSliderReleased(Id::kRxChannelGain, [this] { ++sliderReleases; });
    }
    int queryClicks = 0;
    int textChanges = 0;
    int sliderReleases = 0;
    int initialisations = 0;
    QList<int> timerTicks;

protected:
    void OnInitDialog() override { ++initialisations; }
    void OnTimer(int timerId) override { timerTicks.append(timerId); }
};

TEST(DialogLayer, DispatchesCommandsTextChangesAndSliderReleasesById) {
    CProbeDialog dialog;
    dialog.ShowModeless();
    QTest::mouseClick(dialog.Item(Id::kQuery), Qt::LeftButton);
    EXPECT_EQ(dialog.queryClicks, 1);
    dialog.SetText(Id::kRxFrequency, "123");
    EXPECT_EQ(dialog.textChanges, 1);
    auto* slider = qobject_cast<QSlider*>(dialog.Item(Id::kRxChannelGain));
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_Right);
    EXPECT_EQ(dialog.sliderReleases, 0);
    QTest::mouseClick(slider, Qt::LeftButton);
    EXPECT_EQ(dialog.sliderReleases, 1);
}

TEST(DialogLayer, EnterClicksTheFocusedButtonOrSendsTheDefaultCommand) {
    CProbeDialog dialog;
    dialog.ShowModeless();
    dialog.Item(Id::kQuery)->setFocus();
    QTest::keyClick(&dialog, Qt::Key_Return);
    EXPECT_EQ(dialog.queryClicks, 1);
    dialog.Item(Id::kRxFrequency)->setFocus();
    QTest::keyClick(&dialog, Qt::Key_Return);  // no handler for OK: the dialog ends with 1
    EXPECT_TRUE(dialog.IsEnded());
    EXPECT_EQ(dialog.result(), kIdOk);
}

TEST(DialogLayer, EscAndTheCloseBoxEndWithCancel) {
    CProbeDialog escaped;
    escaped.ShowModeless();
    QTest::keyClick(&escaped, Qt::Key_Escape);
    EXPECT_TRUE(escaped.IsEnded());
    EXPECT_EQ(escaped.result(), kIdCancel);

    CProbeDialog closed;
    closed.ShowModeless();
    closed.close();
    EXPECT_TRUE(closed.IsEnded());
    EXPECT_EQ(closed.result(), kIdCancel);
}

TEST(DialogLayer, ModalRunInitialisesOnceAndEndsWithTheResult) {
    CProbeDialog dialog;
    QTimer::singleShot(0, &dialog, [&dialog] { dialog.EndDialog(7); });
    EXPECT_EQ(dialog.DoModal(), 7);
    EXPECT_EQ(dialog.initialisations, 1);
}

TEST(DialogLayer, ModalSeamLetsTestsAnswerANestedRun) {
    const ModalHandler previous = SetModalHandler([](CDialog& dialog) {
        dialog.ShowModeless();
        dialog.EndDialog(kIdCancel);
        return kIdCancel;
    });
    CProbeDialog dialog;
    EXPECT_EQ(dialog.DoModal(), kIdCancel);
    EXPECT_EQ(dialog.initialisations, 1);
    SetModalHandler(previous);
}

TEST(DialogLayer, WindowTimersFireById) {
    CProbeDialog dialog;
    dialog.SetTimer(27, 10);
    dialog.SetTimer(1, 15);
    EXPECT_TRUE(QTest::qWaitFor(
        [&dialog] { return dialog.timerTicks.contains(27) && dialog.timerTicks.contains(1); },
        5000));
    dialog.KillTimer(27);
    dialog.KillTimer(1);
}

TEST(DialogLayer, MessageBoxesGoThroughTheSeam) {
    CRecordedMessageBoxes boxes;
    CDialog dialog(kMainTemplate);
    EXPECT_EQ(ShowMessageBox(&dialog, "text", "caption", MsgIcon::Exclamation), 1);
    ShowMessageBox(nullptr, "plain");
    ASSERT_EQ(boxes.Boxes().size(), 2);
    EXPECT_EQ(boxes.Boxes()[0].owner, &dialog);
    EXPECT_EQ(boxes.Boxes()[0].caption, "caption");
    EXPECT_EQ(boxes.Boxes()[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(boxes.Boxes()[1].caption, ApplicationTitle());
    EXPECT_EQ(boxes.Boxes()[1].icon, MsgIcon::None);
}

TEST(DialogLayer, MissingTemplatesAndUnknownIdsAreReportedLoudly) {
    CCriticalMessages criticals;
    CDialog missing(4711);
    ASSERT_EQ(criticals.messages.size(), 1);
    EXPECT_EQ(criticals.messages[0], "dialog template 4711: no template 4711");

    CDialog main(kMainTemplate);
    EXPECT_EQ(main.GetText(4242), "");  // nothing to read, nothing breaks
    EXPECT_EQ(criticals.messages.last(), "dialog template 102: no control 4242");
}

}  // namespace
