#include "DataExchange.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <algorithm>
#include <limits>
#include <optional>

#include "Dialog.h"
#include "MessageBoxSeam.h"

namespace radiosetup {

namespace {

// Blanks are spaces and tabs; the number needs at least one digit. A number too large
// for an int saturates, so it fails every range check rather than the integer test.
std::optional<int> ParseInteger(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^[ \\t]*([+-]?[0-9]+)[ \\t]*$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const QString number = match.captured(1);
    constexpr int kLowest = std::numeric_limits<int>::min();
    constexpr int kHighest = std::numeric_limits<int>::max();
    bool fits = false;
    const qlonglong value = number.toLongLong(&fits);
    if (!fits) {
        return number.startsWith(QLatin1Char('-')) ? kLowest : kHighest;
    }
    return static_cast<int>(std::clamp<qlonglong>(value, kLowest, kHighest));
}

}  // namespace

CDataExchange::CDataExchange(CDialog& dialog, bool saveAndValidate)
    : m_dialog(dialog), m_bSaving(saveAndValidate) {}

void CDataExchange::Integer(int id, int& value, int minimum, int maximum) {
    if (m_bFailed) {
        return;
    }
    if (!m_bSaving) {
        Load(id, QString::number(value));
        return;
    }
    const std::optional<int> parsed = ParseInteger(m_dialog.GetText(id));
    if (!parsed) {
        Fail(id, QString::fromUtf8("请键入一个整数。"));
        return;
    }
    value = *parsed;
    if (value < minimum || value > maximum) {
        Fail(id, QString::fromUtf8("“请填入一个在%1和%2之间的整数。”").arg(minimum).arg(maximum));
    }
}

void CDataExchange::Text(int id, QString& value) {
    if (m_bFailed) {
        return;
    }
    if (m_bSaving) {
        value = m_dialog.GetText(id);
    } else {
        Load(id, value);
    }
}

void CDataExchange::Load(int id, const QString& text) {
    const QSignalBlocker quiet(m_dialog.Item(id));
    m_dialog.SetText(id, text);
}

void CDataExchange::Fail(int id, const QString& message) {
    m_bFailed = true;
    ShowMessageBox(&m_dialog, message, ApplicationTitle(), MsgIcon::Exclamation);
    m_dialog.FocusItem(id);
    if (auto* edit = qobject_cast<QLineEdit*>(m_dialog.Item(id))) {
        edit->selectAll();
    }
}

}  // namespace radiosetup
