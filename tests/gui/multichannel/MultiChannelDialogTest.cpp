// The dialog's layout, Enter with its data exchange, and the ways out.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "DialogTemplate.h"
#include "MultiChannelRig.h"
#include "TestNamespaces.h"

namespace {

const QString kSaved = QString::fromUtf8("保存数据成功");

QRect AsQRect(const TemplateRect& rect) {
    return QRect(rect.x, rect.y, rect.width, rect.height);
}

TEST(MultiChannelLayout, TemplateHoldsTheRowsAtTheirPlacesInTabOrder) {
    const DialogTemplate layout = DialogTemplate::Load(CMultiChannelDlg::kTemplateId);
    EXPECT_EQ(layout.caption, "多信道设置");
    EXPECT_EQ(QSize(layout.width, layout.height), QSize(243, 325));
    EXPECT_EQ(layout.fontFace, "宋体");
    EXPECT_EQ(layout.fontPoints, 9);

    QList<int> tabOrder;
    QMap<int, ControlTemplate> byId;
    for (const ControlTemplate& control : layout.controls) {
        if (control.id != -1) {
            tabOrder.append(control.id);
            byId.insert(control.id, control);
        }
    }
    EXPECT_EQ(tabOrder, QList<int>({1093, 1071, 1044, 1094, 1062, 1045, 1098, 1063, 1072, 1099,
                                    1064, 1047, 1095, 1065, 1048, 1100, 1066, 1049, 1101, 1067,
                                    1050, 1102, 1068, 1051, 1096, 1069, 1052, 1097, 1070, 1053,
                                    1073, 1074, 1075, 1076, 2,    1092, 1091}));

    struct Row {
        QPoint group, rx, tx;
    };
    const Row rows[10] = {
        {{23, 33}, {68, 42}, {68, 58}},       {{23, 82}, {67, 93}, {67, 109}},
        {{24, 133}, {68, 143}, {68, 159}},    {{24, 183}, {69, 192}, {69, 208}},
        {{24, 232}, {68, 242}, {68, 258}},    {{123, 33}, {167, 43}, {167, 59}},
        {{123, 82}, {167, 92}, {167, 108}},   {{123, 133}, {167, 143}, {167, 159}},
        {{123, 183}, {167, 194}, {167, 210}}, {{123, 231}, {167, 241}, {167, 258}}};
    for (int row = 0; row < 10; ++row) {
        const ControlTemplate group = byId.value(Mc::kRows[row].group);
        EXPECT_EQ(AsQRect(group.rect), QRect(rows[row].group, QSize(92, 46))) << "row " << row + 1;
        EXPECT_EQ(group.text, "信道" + std::to_string(row + 1));
        for (const auto& [id, at] : {std::pair(Mc::kRows[row].rx, rows[row].rx),
                                     std::pair(Mc::kRows[row].tx, rows[row].tx)}) {
            const ControlTemplate edit = byId.value(id);
            EXPECT_EQ(AsQRect(edit.rect), QRect(at, QSize(40, 14))) << "edit " << id;
            EXPECT_TRUE(edit.Has("digits")) << "edit " << id;
        }
    }
    EXPECT_EQ(AsQRect(byId.value(Mc::kStartChannel).rect), QRect(41, 12, 25, 14));
    EXPECT_EQ(AsQRect(byId.value(Mc::kChannelCount).rect), QRect(129, 12, 26, 14));
    EXPECT_EQ(AsQRect(byId.value(Mc::kQuery).rect), QRect(24, 284, 38, 14));
    EXPECT_EQ(AsQRect(byId.value(Mc::kSave).rect), QRect(70, 284, 40, 14));
    EXPECT_EQ(AsQRect(byId.value(Mc::kSet).rect), QRect(121, 284, 41, 14));
    EXPECT_EQ(AsQRect(byId.value(kIdCancel).rect), QRect(175, 284, 40, 14));
    EXPECT_EQ(AsQRect(byId.value(Mc::kStatus).rect), QRect(7, 305, 236, 16));
    EXPECT_TRUE(byId.value(Mc::kStatus).Has("readonly"));
    for (int id : {int(Mc::kQuery), int(Mc::kSave), int(Mc::kSet), kIdCancel}) {
        EXPECT_FALSE(byId.value(id).Has("default")) << "button " << id;
    }
}

TEST(MultiChannelEnter, FieldsAreCheckedInTheExchangeOrderWithTheFrameworkMessages) {
    CMultiChannelRig rig;
    rig.OpenDialog();
    auto pressEnter = [&rig] {
        QTest::keyClick(rig.Edit(Mc::kChannelCount), Qt::Key_Return);
        const QStringList texts = rig.boxes.Texts();
        return texts.value(texts.size() - 1);
    };
    // Frequencies that Save would accept; receive edits go rows 2, 3, 1, ... and all of
    // them before the transmit edits.
    const QString frequencyRange = QString::fromUtf8("“请填入一个在0和2400000之间的整数。”");
    rig.SetRow(1, "4500000", "4500000");
    rig.SetRow(2, "4500000", "2300000");
    EXPECT_EQ(pressEnter(), frequencyRange);
    EXPECT_EQ(rig.boxes.Boxes().value(0).icon, MsgIcon::Exclamation);
    EXPECT_EQ(rig.boxes.Boxes().value(0).caption, ApplicationTitle());
    EXPECT_EQ(rig.dialog->focusWidget(), rig.Edit(Mc::kRows[1].rx));
    EXPECT_EQ(rig.Edit(Mc::kRows[1].rx)->selectedText(), "4500000");
    rig.SetRow(2, "2300000", "2300000");
    EXPECT_EQ(pressEnter(), frequencyRange);
    EXPECT_EQ(rig.dialog->focusWidget(), rig.Edit(Mc::kRows[0].rx));
    rig.SetRow(1, "2300000", "4500000");
    EXPECT_EQ(pressEnter(), frequencyRange);
    EXPECT_EQ(rig.dialog->focusWidget(), rig.Edit(Mc::kRows[0].tx));
    rig.SetRow(1, "2400000", "0");  // both bounds pass

    rig.Edit(Mc::kStartChannel)->setText("abc");
    EXPECT_EQ(pressEnter(), QString::fromUtf8("请键入一个整数。"));
    EXPECT_EQ(rig.dialog->focusWidget(), rig.Edit(Mc::kStartChannel));
    EXPECT_EQ(rig.Edit(Mc::kStartChannel)->selectedText(), "abc");
    rig.Edit(Mc::kStartChannel)->setText("12 3");
    EXPECT_EQ(pressEnter(), QString::fromUtf8("请键入一个整数。"));
    rig.Edit(Mc::kStartChannel)->setText("101");
    EXPECT_EQ(pressEnter(), QString::fromUtf8("“请填入一个在1和100之间的整数。”"));
    rig.Edit(Mc::kStartChannel)->setText(" 100\t");
    rig.Edit(Mc::kChannelCount)->setText("11");
    EXPECT_EQ(pressEnter(), QString::fromUtf8("“请填入一个在1和10之间的整数。”"));
    EXPECT_EQ(rig.dialog->focusWidget(), rig.Edit(Mc::kChannelCount));
    EXPECT_FALSE(rig.dialog->IsEnded());

    // Passing fields end the run without sending or saving.
    rig.Edit(Mc::kChannelCount)->setText("+10");
    QTest::keyClick(rig.Edit(Mc::kChannelCount), Qt::Key_Return);
    EXPECT_TRUE(rig.dialog->IsEnded());
    EXPECT_EQ(rig.dialog->result(), kIdOk);
    EXPECT_EQ(rig.boxes.Boxes().size(), 7);
    EXPECT_EQ(rig.FramesSent(), 0u);
    EXPECT_EQ(rig.FileContent(), DefaultFile());
}

TEST(MultiChannelEnter, AFocusedButtonIsClickedInstead) {
    CMultiChannelRig rig;
    rig.OpenDialog();
    rig.dialog->Item(Mc::kSave)->setFocus();
    QTest::keyClick(rig.dialog->Item(Mc::kSave), Qt::Key_Return);
    EXPECT_EQ(rig.Text(Mc::kStatus), kSaved);
    EXPECT_FALSE(rig.dialog->IsEnded());
}

TEST(MultiChannelDialog, CancelEscAndTheCloseBoxEndWithoutSendingOrSaving) {
    CMultiChannelRig rig;
    rig.OpenDialog();
    rig.SetRow(1, "4500000", "4600000");
    rig.Click(kIdCancel);
    EXPECT_TRUE(rig.dialog->IsEnded());
    EXPECT_EQ(rig.dialog->result(), kIdCancel);

    rig.OpenDialog();
    rig.SetRow(1, "4500000", "4600000");
    QTest::keyClick(rig.Edit(Mc::kRows[0].rx), Qt::Key_Escape);
    EXPECT_TRUE(rig.dialog->IsEnded());
    EXPECT_EQ(rig.dialog->result(), kIdCancel);

    rig.OpenDialog();
    rig.dialog->close();
    EXPECT_TRUE(rig.dialog->IsEnded());
    EXPECT_EQ(rig.dialog->result(), kIdCancel);

    EXPECT_EQ(rig.FramesSent(), 0u);
    EXPECT_EQ(rig.FileContent(), DefaultFile());
}

TEST(MultiChannelDialog, AModalRunShowsTheWindowAndEndsOnEsc) {
    CMultiChannelRig rig;
    CMultiChannelDlg dialog(rig.radio.Link(), nullptr, rig.clock);
    QStringList seen;
    QTimer::singleShot(0, &dialog, [&dialog, &seen] {
        for (const int id : {1044, int(Mc::kStartChannel), int(Mc::kChannelCount)}) {
            seen << QString::fromStdString(dialog.GetText(id));
        }
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    EXPECT_EQ(dialog.DoModal(), kIdCancel);
    EXPECT_EQ(seen, QStringList({"2300000", "1", "10"}));
}

}  // namespace
