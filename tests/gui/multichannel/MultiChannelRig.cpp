#include "MultiChannelRig.h"

#include <QTest>
#include <stdexcept>

#include "TestNamespaces.h"

std::string FileBytes(const std::vector<Record>& records) {
    std::string bytes;
    for (const Record& record : records) {
        for (const std::int32_t value : {record.rx, record.tx}) {
            const auto bits = static_cast<std::uint32_t>(value);
            for (unsigned shift = 0; shift < 32; shift += 8) {
                bytes.push_back(static_cast<char>((bits >> shift) & 0xFFu));
            }
        }
    }
    return bytes;
}

std::string NumberedFile(std::int32_t rx, std::int32_t tx) {
    std::vector<Record> records;
    for (std::int32_t channel = 1; channel <= CChannelFile::kChannels; ++channel) {
        records.push_back({rx + channel, tx + channel});
    }
    return FileBytes(records);
}

std::string DefaultFile() {
    return FileBytes(std::vector<Record>(CChannelFile::kChannels, Record{2300000, 2300000}));
}

std::vector<std::uint8_t> Bytes(std::initializer_list<int> values) {
    std::vector<std::uint8_t> bytes;
    for (int value : values) {
        bytes.push_back(static_cast<std::uint8_t>(value));
    }
    return bytes;
}

CMultiChannelRig::CMultiChannelRig() : m_workingDir(m_work.Path()) {}

CMultiChannelDlg& CMultiChannelRig::OpenDialog() {
    return OpenDialog(radio.Link());
}

CMultiChannelDlg& CMultiChannelRig::OpenDialog(IRadioLink& link) {
    return OpenDialog(link, clock);
}

CMultiChannelDlg& CMultiChannelRig::OpenDialog(IRadioLink& link, IClock& linkClock) {
    dialog.reset();
    dialog = std::make_unique<CMultiChannelDlg>(link, nullptr, linkClock);
    dialog->ShowModeless();
    // Painting needs a window the platform has exposed.
    if (!QTest::qWaitForWindowExposed(dialog.get())) {
        throw std::runtime_error("the dialog's window was never exposed");
    }
    return *dialog;
}

QLineEdit* CMultiChannelRig::Edit(int id) const {
    return qobject_cast<QLineEdit*>(dialog->Item(id));
}

QString CMultiChannelRig::Text(int id) const {
    return QString::fromStdString(dialog->GetText(id));
}

void CMultiChannelRig::Type(int id, const QString& text) const {
    QLineEdit* edit = Edit(id);
    if (!edit->text().isEmpty()) {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
    }
    QTest::keyClicks(edit, text);
}

void CMultiChannelRig::ChooseWindow(int start, int count) const {
    Type(Mc::kChannelCount, QString::number(count));
    Type(Mc::kStartChannel, QString::number(start));
}

void CMultiChannelRig::Click(int id) const {
    QTest::mouseClick(dialog->Item(id), Qt::LeftButton);
}

void CMultiChannelRig::SetRow(int row, const QString& rx, const QString& tx) const {
    Type(Mc::kRows[row - 1].rx, rx);
    Type(Mc::kRows[row - 1].tx, tx);
}

QStringList CMultiChannelRig::Captions() const {
    QStringList captions;
    for (const Mc::RowIds& row : Mc::kRows) {
        captions.append(Text(row.group));
    }
    return captions;
}
