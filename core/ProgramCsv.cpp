#include "core/ProgramCsv.h"

#include "core/TimerProgram.h"

std::string CsvField(std::string_view field) {
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        return std::string(field);
    }
    std::string quoted = "\"";
    for (const char c : field) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    quoted += '"';
    return quoted;
}

std::string ProgramToCsv(const TimerProgram& program) {
    std::string csv = kCsvHeader;
    csv += "\r\n";
    for (const TimerRun& run : GetTimerRuns(program)) {
        std::uint64_t start = 0;
        int number = 0;
        const TimerBlock* block = run.first;
        for (int b = 0; b < run.blocks && block != nullptr; ++b, block = block->GetNext()) {
            for (int i = 0; i < block->GetCount(); ++i) {
                const Interval& interval = *block->GetInterval(i);
                const std::string fields[] = {
                    std::to_string(run.timer),
                    std::to_string(++number),
                    interval.IsOn() ? "ON" : "OFF",
                    std::to_string(interval.GetHours()),
                    std::to_string(interval.GetMinutes()),
                    std::to_string(interval.GetSeconds()),
                    std::to_string(interval.GetTicks()),
                    std::to_string(interval.GetTotalTicks()),
                    std::to_string(start),
                    i == 0 ? "1" : "0",
                };
                for (std::size_t f = 0; f < std::size(fields); ++f) {
                    if (f > 0) {
                        csv += ',';
                    }
                    csv += CsvField(fields[f]);
                }
                csv += "\r\n";
                start += interval.GetTotalTicks();
            }
        }
    }
    return csv;
}
