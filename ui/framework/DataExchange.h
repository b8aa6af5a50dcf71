#pragma once

#include <string>

namespace radiosetup {

class CDialog;

// Moves values between a dialog's fields and its members, field by field, in one
// direction. Loading writes the fields without raising their change notifications.
// Saving parses and range-checks each field in turn: the first bad one gets the
// framework's message, the focus and a full selection, and later calls do nothing.
class CDataExchange {
public:
    CDataExchange(CDialog& dialog, bool saveAndValidate);

    bool IsSaving() const { return m_bSaving; }
    bool Failed() const { return m_bFailed; }

    // A decimal integer, optionally surrounded by blanks. A parsed value is stored
    // before its range is checked; the range applies only when saving.
    void Integer(int id, int& value, int minimum, int maximum);
    void Text(int id, std::string& value);

private:
    void Load(int id, const std::string& text);
    void Fail(int id, const std::string& message);

    CDialog& m_dialog;
    bool m_bSaving;
    bool m_bFailed = false;
};

}  // namespace radiosetup
