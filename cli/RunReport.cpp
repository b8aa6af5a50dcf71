#include "RunReport.h"

#include <cstdio>
#include <ctime>
#include <filesystem>

#include "CommandRun.h"

namespace radiosetup {

namespace {

constexpr char kCsvHeader[] =
    "time,port,device,ani_before,ani_after,operation,result,differences\n";

bool IsJsonLines(const std::string& path) {
    const std::string extension = std::filesystem::path(path).extension().string();
    return extension == ".json" || extension == ".jsonl";
}

// Only the caller's lock makes the C library's shared time buffer safe here.
std::string UtcNow() {
    const std::time_t now = std::time(nullptr);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", std::gmtime(&now));
    return text;
}

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return quoted + '"';
}

JsonDocument RowJson(const CCommandRun& run) {
    const Invocation& asked = run.invocation;
    const auto ani = [](std::optional<std::int32_t> value) {
        return value ? JsonDocument(*value) : JsonDocument(nullptr);
    };
    const JsonDocument found = run.report.is_object() && run.report.contains("differences")
                                   ? run.report["differences"]
                                   : JsonDocument::array();
    return {{"time", UtcNow()},
            {"port", asked.device.empty() ? JsonDocument(run.line.m_nPortNumber)
                                          : JsonDocument(asked.device)},
            {"device", run.DevicePath()},
            {"ani_before", ani(run.Session().AniBefore())},
            {"ani_after", ani(run.Session().AniAfter())},
            {"operation", asked.command == "channels" && !asked.args.empty()
                              ? asked.command + " " + asked.args[0]
                              : asked.command},
            {"result", run.Result()},
            {"differences", found}};
}

std::string CsvRow(const JsonDocument& row) {
    std::string text;
    for (const auto& [key, value] : row.items()) {
        const std::string field = key == "differences" ? std::to_string(value.size())
                                  : value.is_string()  ? value.get<std::string>()
                                  : value.is_null()    ? std::string()
                                                       : value.dump();
        text += (text.empty() ? "" : ",") + CsvField(field);
    }
    return text + '\n';
}

bool Appended(const std::string& path, const CCommandRun& run) {
    const JsonDocument row = RowJson(run);
    const bool jsonLines = IsJsonLines(path);
    std::error_code ignored;
    const bool fresh =
        !std::filesystem::exists(path, ignored) || std::filesystem::file_size(path, ignored) == 0;
    const std::string text =
        jsonLines ? row.dump(-1, ' ', false, JsonDocument::error_handler_t::replace) + '\n'
                  : (fresh ? std::string(kCsvHeader) : "") + CsvRow(row);
    std::FILE* file = std::fopen(path.c_str(), "ab");
    if (file == nullptr) {
        return false;
    }
    // Unbuffered, the row leaves in the one write fwrite makes of it.
    std::setvbuf(file, nullptr, _IONBF, 0);
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace

int AppendReportRow(CCommandRun& run, int status) {
    const std::string& path = run.invocation.report;
    if (path.empty() || Appended(path, run)) {
        return status;
    }
    run.err << "radioctl: --report " << path << ": the row could not be appended\n";
    return status == kExitOk ? kExitUsage : status;
}

}  // namespace radiosetup
