#pragma once

#include <QVector>

#include "MessageBoxSeam.h"
#include "TestNamespaces.h"

// Answers every message box with OK and remembers it, for the object's lifetime.
class CRecordedMessageBoxes {
public:
    CRecordedMessageBoxes();
    ~CRecordedMessageBoxes();
    CRecordedMessageBoxes(const CRecordedMessageBoxes&) = delete;
    CRecordedMessageBoxes& operator=(const CRecordedMessageBoxes&) = delete;

    const QVector<MessageBoxRequest>& Boxes() const { return m_boxes; }
    QStringList Texts() const;
    // Called with each box before it is answered, e.g. to look at the focus.
    std::function<void(const MessageBoxRequest&)> onBox;

private:
    QVector<MessageBoxRequest> m_boxes;
    MessageBoxHandler m_previous;
};
