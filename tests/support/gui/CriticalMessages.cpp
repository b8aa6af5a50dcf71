#include "CriticalMessages.h"

#include <gtest/gtest.h>

#include <QtGlobal>

#include "TestNamespaces.h"

namespace {

CCriticalMessages* g_pCollector = nullptr;

void OnMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtCriticalMsg && type != QtFatalMsg) {
        return;
    }
    if (g_pCollector != nullptr) {
        g_pCollector->messages.append(message);
    } else {
        ADD_FAILURE() << "critical message: " << message.toStdString();
    }
}

}  // namespace

CCriticalMessages::CCriticalMessages() {
    g_pCollector = this;
}

CCriticalMessages::~CCriticalMessages() {
    g_pCollector = nullptr;
}

void CCriticalMessages::FailTestsOnCriticals() {
    qInstallMessageHandler(OnMessage);
}
