#include "DataExchange.h"

#include <algorithm>
#include <limits>
#include <optional>

#include "Dialog.h"
#include "MessageBoxSeam.h"
#include "TextFormat.h"

namespace radiosetup {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Blanks are spaces and tabs around one number with at least one digit. A number too large
// for an int saturates, so it fails every range check rather than the integer test.
std::optional<int> ParseInteger(const std::string& text) {
    std::size_t at = 0;
    std::size_t end = text.size();
    while (at < end && IsBlank(text[at])) {
        ++at;
    }
    while (end > at && IsBlank(text[end - 1])) {
        --end;
    }
    const bool negative = at < end && text[at] == '-';
    if (at < end && (text[at] == '-' || text[at] == '+')) {
        ++at;
    }
    if (at == end) {
        return std::nullopt;
    }
    constexpr long long kBeyond = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
    long long magnitude = 0;
    for (; at < end; ++at) {
        if (text[at] < '0' || text[at] > '9') {
            return std::nullopt;
        }
        magnitude = std::min(magnitude * 10 + (text[at] - '0'), kBeyond);
    }
    const long long value = negative ? -magnitude : magnitude;
    return static_cast<int>(std::clamp<long long>(value, std::numeric_limits<int>::min(),
                                                  std::numeric_limits<int>::max()));
}

}  // namespace

CDataExchange::CDataExchange(CDialog& dialog, bool saveAndValidate)
    : m_dialog(dialog), m_bSaving(saveAndValidate) {}

void CDataExchange::Integer(int id, int& value, int minimum, int maximum) {
    if (m_bFailed) {
        return;
    }
    if (!m_bSaving) {
        Load(id, std::to_string(value));
        return;
    }
    const std::optional<int> parsed = ParseInteger(m_dialog.GetText(id));
    if (!parsed) {
        Fail(id, "请键入一个整数。");
        return;
    }
    value = *parsed;
    if (value < minimum || value > maximum) {
        Fail(id, FormatText("“请填入一个在%1和%2之间的整数。”",
                            {std::to_string(minimum), std::to_string(maximum)}));
    }
}

void CDataExchange::Text(int id, std::string& value) {
    if (m_bFailed) {
        return;
    }
    if (m_bSaving) {
        value = m_dialog.GetText(id);
    } else {
        Load(id, value);
    }
}

void CDataExchange::Load(int id, const std::string& text) {
    m_dialog.SetTextSilently(id, text);
}

void CDataExchange::Fail(int id, const std::string& message) {
    m_bFailed = true;
    ShowMessageBox(&m_dialog, message, ApplicationTitle(), MsgIcon::Exclamation);
    m_dialog.FocusItem(id);
    m_dialog.SelectAllText(id);
}

}  // namespace radiosetup
