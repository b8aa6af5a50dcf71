#include "ChannelPlanCsv.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <sstream>
#include <string_view>
#include <utility>

#include "MessageText.h"
#include "RadioLimits.h"

namespace radiosetup {

namespace {

constexpr const char* kHeader = "channel,rx_mhz,tx_mhz";
constexpr std::size_t kFieldCount = 3;
constexpr std::size_t kFractionDigits = 4;
constexpr std::int64_t kUnitsPerMhz = 10000;
// Every larger whole number is out of range alike; the cap keeps the arithmetic in range.
constexpr std::int64_t kWholeCap = 1000000000;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kBlanks = " \t";

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

void Fields(std::string_view line, std::vector<std::string_view>& fields) {
    fields.clear();
    for (;;) {
        const auto comma = line.find(',');
        fields.push_back(Trimmed(line.substr(0, comma)));
        if (comma == std::string_view::npos) {
            return;
        }
        line.remove_prefix(comma + 1);
    }
}

bool IsHeader(const std::vector<std::string_view>& fields) {
    std::string joined;
    for (std::size_t index = 0; index < fields.size(); ++index) {
        joined.append(index == 0 ? "" : ",").append(fields[index]);
    }
    return joined == kHeader;
}

// At least one digit and nothing else; values past the cap read as the cap.
std::optional<std::int64_t> WholeNumber(std::string_view digits) {
    if (digits.empty()) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = std::min(value * 10 + (c - '0'), kWholeCap);
    }
    return value;
}

enum class MhzFault { kNone, kNoFrequency, kTooManyDecimals, kNotAllowed };

// "229.0125" as 2290125: digits, and after a point one to four more; the frequency must be
// one a plan can hold.
MhzFault ReadMhz(std::string_view text, std::int64_t& units) {
    const auto point = text.find('.');
    const std::string_view fraction =
        point == std::string_view::npos ? "0" : text.substr(point + 1);
    const auto whole = WholeNumber(text.substr(0, point));
    const auto fractionValue = WholeNumber(fraction);
    if (!whole || !fractionValue) {
        return MhzFault::kNoFrequency;
    }
    if (fraction.size() > kFractionDigits) {
        return MhzFault::kTooManyDecimals;
    }
    std::int64_t fractionUnits = *fractionValue;
    for (std::size_t digits = fraction.size(); digits < kFractionDigits; ++digits) {
        fractionUnits *= 10;
    }
    units = *whole * kUnitsPerMhz + fractionUnits;
    return CChannelPlanCsv::FrequencyFault(units).empty() ? MhzFault::kNone : MhzFault::kNotAllowed;
}

std::string MhzFaultText(MhzFault kind, std::string_view text, std::int64_t units) {
    const std::string shown = Echoed(text);
    switch (kind) {
        case MhzFault::kNoFrequency:
            return "\"" + shown + "\" is not a frequency in MHz";
        case MhzFault::kTooManyDecimals:
            return shown + " has more than four decimals";
        case MhzFault::kNotAllowed:
            return shown + " MHz " + CChannelPlanCsv::FrequencyFault(units);
        case MhzFault::kNone:
            break;
    }
    return {};
}

// Hands out a stream's lines one at a time through a fixed buffer; of a longer line only
// the first kLongestLine bytes are kept.
class CLineSource {
public:
    explicit CLineSource(std::istream& in) : m_in(in) {}

    // False at the end of the stream.
    bool Next(std::string& line, bool& cut) {
        line.clear();
        cut = false;
        for (bool any = false;; any = true) {
            if (m_nNext == m_nEnd && !Refill()) {
                return any;
            }
            const char* start = m_buffer.data() + m_nNext;
            const std::size_t left = m_nEnd - m_nNext;
            const auto* newline = static_cast<const char*>(std::memchr(start, '\n', left));
            const std::size_t length = newline ? static_cast<std::size_t>(newline - start) : left;
            const std::size_t room = CChannelPlanCsv::kLongestLine - line.size();
            line.append(start, std::min(length, room));
            cut = cut || length > room;
            m_nNext += length + (newline ? 1 : 0);
            if (newline) {
                return true;
            }
        }
    }

private:
    bool Refill() {
        m_in.read(m_buffer.data(), static_cast<std::streamsize>(m_buffer.size()));
        m_nNext = 0;
        m_nEnd = static_cast<std::size_t>(m_in.gcount());
        return m_nEnd > 0;
    }

    std::istream& m_in;
    std::array<char, 64 * 1024> m_buffer{};
    std::size_t m_nNext = 0;
    std::size_t m_nEnd = 0;
};

// Collects the rows and, for each faulty line, one message per fault.
class CPlanReader {
public:
    explicit CPlanReader(std::string fileName) : m_strFileName(std::move(fileName)) {}

    // cut: the line went on beyond what was kept.
    void Line(std::string_view line, int number, bool cut) {
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        line = Trimmed(line);
        if (line.empty() || line.front() == '#') {
            return;
        }
        if (cut) {
            Fault(number, [] {
                return "longer than " + std::to_string(CChannelPlanCsv::kLongestLine) +
                       " bytes, which no row is";
            });
            m_bHeaderSeen = true;
            return;
        }
        Fields(line, m_fields);
        if (m_bHeaderSeen) {
            Row(m_fields, number);
            return;
        }
        m_bHeaderSeen = true;
        if (!IsHeader(m_fields)) {
            MissingHeader(number);
        }
    }

    CChannelPlanCsv::Plan Finish() {
        if (!m_bHeaderSeen) {
            MissingHeader(1);
        }
        if (m_nFaults > kListedFaults) {
            m_plan.errors.push_back(m_strFileName + ": " + MoreFaults(m_nFaults - kListedFaults));
        }
        if (!m_plan.errors.empty()) {
            m_plan.rows.clear();
        }
        return m_plan;
    }

private:
    // The reason is put in words only for a fault that is listed: a file of bad rows costs
    // no more than their count.
    template <typename Reason>
    void Fault(int line, const Reason& reason) {
        if (++m_nFaults > kListedFaults) {
            return;
        }
        m_plan.errors.push_back(m_strFileName + ":" + std::to_string(line) + ": " + reason());
    }

    void MissingHeader(int line) {
        Fault(line, [] { return std::string("missing the header line ") + kHeader; });
    }

    void Row(const std::vector<std::string_view>& fields, int line) {
        if (fields.size() != kFieldCount) {
            Fault(line, [&fields] {
                return std::string("expected 3 fields (") + kHeader + "), found " +
                       std::to_string(fields.size());
            });
            return;
        }
        const auto channel = Channel(fields[0], line);
        const auto rx = Frequency("rx", fields[1], line);
        const auto tx = Frequency("tx", fields[2], line);
        if (channel && rx && tx) {
            m_plan.rows.push_back({*channel, {*rx, *tx}});
        }
    }

    std::optional<int> Channel(std::string_view text, int line) {
        const auto number = WholeNumber(text);
        if (!number) {
            Fault(line,
                  [text] { return "channel \"" + Echoed(text) + "\" is not a whole number"; });
            return std::nullopt;
        }
        if (*number < 1 || *number > kRadioChannels) {
            Fault(line, [text] {
                return "channel " + Echoed(text) + " is outside 1.." +
                       std::to_string(kRadioChannels);
            });
            return std::nullopt;
        }
        const int channel = static_cast<int>(*number);
        int& firstLine = m_firstLines[static_cast<std::size_t>(channel)];
        if (firstLine != 0) {
            Fault(line, [channel, firstLine] {
                return "channel " + std::to_string(channel) + " appears twice (first on line " +
                       std::to_string(firstLine) + ")";
            });
            return std::nullopt;
        }
        firstLine = line;
        return channel;
    }

    std::optional<std::int32_t> Frequency(const char* which, std::string_view text, int line) {
        std::int64_t units = 0;
        const MhzFault kind = ReadMhz(text, units);
        if (kind != MhzFault::kNone) {
            Fault(line, [=] { return which + (" " + MhzFaultText(kind, text, units)); });
            return std::nullopt;
        }
        return static_cast<std::int32_t>(units);
    }

    std::string m_strFileName;
    bool m_bHeaderSeen = false;
    std::size_t m_nFaults = 0;
    std::array<int, kRadioChannels + 1> m_firstLines{};  // 0 until named
    std::vector<std::string_view> m_fields;              // of the line at hand
    CChannelPlanCsv::Plan m_plan;
};

}  // namespace

CChannelPlanCsv::Plan CChannelPlanCsv::Parse(std::istream& in, const std::string& fileName) {
    CPlanReader reader(fileName);
    CLineSource lines(in);
    std::string line;
    bool cut = false;
    for (int number = 1; lines.Next(line, cut); ++number) {
        std::string_view text(line);
        if (number == 1 && text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
            text.remove_prefix(kByteOrderMark.size());
        }
        reader.Line(text, number, cut);
    }
    return reader.Finish();
}

CChannelPlanCsv::Plan CChannelPlanCsv::Parse(const std::string& text, const std::string& fileName) {
    std::istringstream in(text);
    return Parse(in, fileName);
}

std::string CChannelPlanCsv::Format(std::vector<Row> rows) {
    std::stable_sort(rows.begin(), rows.end(),
                     [](const Row& a, const Row& b) { return a.channel < b.channel; });
    std::string text = std::string(kHeader) + "\n";
    for (const Row& row : rows) {
        text += std::to_string(row.channel) + "," + Mhz(row.freq.rxFreq) + "," +
                Mhz(row.freq.txFreq) + "\n";
    }
    return text;
}

std::string CChannelPlanCsv::FrequencyFault(std::int64_t units) {
    if (units < kLowestFrequency || units > kHighestFrequency) {
        return "is outside 100..600 MHz";
    }
    if (units % kChannelStep != 0) {
        return "is not on a 12.5 kHz step";
    }
    return {};
}

std::optional<std::int32_t> CChannelPlanCsv::ParseMhz(std::string_view text, std::string& fault) {
    std::int64_t units = 0;
    const MhzFault kind = ReadMhz(text, units);
    if (kind != MhzFault::kNone) {
        fault = MhzFaultText(kind, text, units);
        return std::nullopt;
    }
    return static_cast<std::int32_t>(units);
}

std::string CChannelPlanCsv::Mhz(std::int32_t units) {
    const std::int64_t magnitude = units < 0 ? -std::int64_t{units} : units;
    std::string fraction = std::to_string(magnitude % kUnitsPerMhz);
    fraction.insert(0, kFractionDigits - fraction.size(), '0');
    return (units < 0 ? "-" : "") + std::to_string(magnitude / kUnitsPerMhz) + "." + fraction;
}

}  // namespace radiosetup
