#include "PoFile.h"

#include <sstream>

namespace radiosetup {

namespace {

// The text between the quotes of a .po string, its C escapes resolved.
std::string QuotedText(const std::string& line) {
    const std::size_t open = line.find('"');
    const std::size_t close = line.rfind('"');
    std::string text;
    if (open == std::string::npos || close <= open) {
        return text;
    }
    for (std::size_t at = open + 1; at < close; ++at) {
        if (line[at] != '\\' || at + 1 == close) {
            text += line[at];
            continue;
        }
        const char escaped = line[++at];
        text += escaped == 'n' ? '\n' : escaped == 't' ? '\t' : escaped;
    }
    return text;
}

bool StartsWith(const std::string& line, const char* prefix) {
    return line.rfind(prefix, 0) == 0;
}

class CPoReader {
public:
    void Line(const std::string& line) {
        if (StartsWith(line, "#,")) {
            Finish();
            m_bFuzzy = line.find("fuzzy") != std::string::npos;
        } else if (StartsWith(line, "msgid ")) {
            Finish();
            m_pTarget = &m_id;
            m_id = QuotedText(line);
        } else if (StartsWith(line, "msgstr ")) {
            m_pTarget = &m_str;
            m_str = QuotedText(line);
        } else if (StartsWith(line, "\"") && m_pTarget != nullptr) {
            *m_pTarget += QuotedText(line);
        } else if (line.empty() || line[0] == '#') {
            Finish();
        }
    }

    std::map<std::string, std::string> Entries() {
        Finish();
        return m_entries;
    }

private:
    void Finish() {
        if (m_pTarget == &m_str && !m_id.empty() && !m_str.empty() && !m_bFuzzy) {
            m_entries[m_id] = m_str;
        }
        if (m_pTarget != nullptr) {
            m_bFuzzy = false;
        }
        m_pTarget = nullptr;
        m_id.clear();
        m_str.clear();
    }

    std::map<std::string, std::string> m_entries;
    std::string m_id;
    std::string m_str;
    std::string* m_pTarget = nullptr;  // what a continuation line extends
    bool m_bFuzzy = false;
};

}  // namespace

std::map<std::string, std::string> ParsePoText(const std::string& poText) {
    CPoReader reader;
    std::istringstream lines(poText);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        reader.Line(line);
    }
    return reader.Entries();
}

}  // namespace radiosetup
