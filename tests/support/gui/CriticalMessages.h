#pragma once

#include <QStringList>

#include "TestNamespaces.h"

// Every critical message Qt logs (a broken dialog template, an unknown control id) fails
// the running GUI test, unless an object of this class is collecting them.
class CCriticalMessages {
public:
    CCriticalMessages();
    ~CCriticalMessages();
    CCriticalMessages(const CCriticalMessages&) = delete;
    CCriticalMessages& operator=(const CCriticalMessages&) = delete;

    // Installed once by the GUI tests' main().
    static void FailTestsOnCriticals();

    QStringList messages;
};
