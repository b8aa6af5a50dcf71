#pragma once

#include <string>
#include <vector>

#include "OperationEngine.h"
#include "TestNamespaces.h"

// An engine host without a window: remembers every text it was given.
class CRecordingHost : public IEngineHost {
public:
    void SetOperationText(const std::string& text) override { operationTexts.push_back(text); }
    void SetResultText(const std::string& text) override { resultTexts.push_back(text); }
    void ShowParams() override { ++showParamsCalls; }
    void ShowBusyMessage() override { ++busyMessages; }

    std::string OperationText() const { return Last(operationTexts); }
    std::string ResultText() const { return Last(resultTexts); }

    std::vector<std::string> operationTexts;
    std::vector<std::string> resultTexts;
    int showParamsCalls = 0;
    int busyMessages = 0;

private:
    static std::string Last(const std::vector<std::string>& texts) {
        return texts.empty() ? std::string() : texts.back();
    }
};
