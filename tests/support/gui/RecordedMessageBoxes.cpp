#include "RecordedMessageBoxes.h"
#include "TestNamespaces.h"

CRecordedMessageBoxes::CRecordedMessageBoxes() {
    m_previous = SetMessageBoxHandler([this](const MessageBoxRequest& request) {
        m_boxes.append(request);
        if (onBox) {
            onBox(request);
        }
        return 1;
    });
}

CRecordedMessageBoxes::~CRecordedMessageBoxes() {
    SetMessageBoxHandler(m_previous);
}

QStringList CRecordedMessageBoxes::Texts() const {
    QStringList texts;
    for (const MessageBoxRequest& box : m_boxes) {
        texts.append(QString::fromStdString(box.text));
    }
    return texts;
}
