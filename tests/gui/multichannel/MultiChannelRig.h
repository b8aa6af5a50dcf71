#pragma once

#include <QLineEdit>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "MultiChannelDlg.h"
#include "MultiChannelIds.h"
#include "RecordedMessageBoxes.h"
#include "SimLink.h"
#include "TestNamespaces.h"
#include "TestSupport.h"
#include "VirtualClock.h"

namespace Mc = MultiChannelId;

struct Record {
    std::int32_t rx;
    std::int32_t tx;
};

// The channel file's bytes for these records, channel 1 first.
std::string FileBytes(const std::vector<Record>& records);
// 100 records, channel n holding (rx + n, tx + n).
std::string NumberedFile(std::int32_t rx, std::int32_t tx);
std::string DefaultFile();
std::vector<std::uint8_t> Bytes(std::initializer_list<int> values);

// A multi-channel dialog in a fresh working folder, talking to the simulated radio in
// virtual time; its message boxes are recorded and answered.
class CMultiChannelRig {
public:
    CMultiChannelRig();

    // A new dialog over the radio (the previous one is destroyed first), shown and
    // initialised.
    CMultiChannelDlg& OpenDialog();
    // The same over another link, on the rig's clock.
    CMultiChannelDlg& OpenDialog(IRadioLink& link);
    CMultiChannelDlg& OpenDialog(IRadioLink& link, IClock& linkClock);

    std::string FilePath() const { return m_work.File(CChannelFile::kFileName); }
    std::string FileContent() const { return ReadWholeFile(FilePath()); }
    void WriteFile(const std::string& content) const { WriteWholeFile(FilePath(), content); }

    QLineEdit* Edit(int id) const;
    QString Text(int id) const;
    // Replaces an edit's text by typing, one change per key, as an operator does.
    void Type(int id, const QString& text) const;
    // Sets the count field, then types the start field, which reloads the window.
    void ChooseWindow(int start, int count) const;
    void Click(int id) const;
    // Row k's receive or transmit text, k from 1.
    QString Rx(int row) const { return Text(Mc::kRows[row - 1].rx); }
    QString Tx(int row) const { return Text(Mc::kRows[row - 1].tx); }
    void SetRow(int row, const QString& rx, const QString& tx) const;
    QStringList Captions() const;
    std::size_t FramesSent() const { return radio.Frames().size(); }

    CRecordedMessageBoxes boxes;
    CVirtualClock clock;
    CSimLink radio{clock};
    std::unique_ptr<CMultiChannelDlg> dialog;

private:
    CTempDir m_work;
    CScopedWorkingDir m_workingDir;
};
