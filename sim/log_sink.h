// The host's shared log sink: it keeps every line written by the host or a plugin, formatted and
// as parts, and passes each on to an optional listener.
#pragma once

#include <spdlog/sinks/base_sink.h>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "sim_api.h"

namespace sim {

struct LogLine {
    std::string logger;
    std::string level;  // spdlog's level name: "error", "info", ...
    std::string text;   // the message alone
    std::string formatted;  // as the logger's pattern made it, without the line end
};

class SIM_API RecordingSink : public spdlog::sinks::base_sink<std::mutex> {
public:
    std::vector<LogLine> Lines();
    void Clear();
    void SetListener(std::function<void(const LogLine&)> listener);
    std::size_t Flushes();

protected:
    void sink_it_(const spdlog::details::log_msg& msg) override;
    void flush_() override;

private:
    std::vector<LogLine> lines_;
    std::function<void(const LogLine&)> listener_;
    std::size_t flushes_ = 0;
};

}  // namespace sim
