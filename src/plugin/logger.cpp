// The plugin's logger on the host's shared sinks.
#include "plugin/logger.h"

#include <spdlog/sinks/sink.h>

#include <memory>
#include <mutex>

#include "host/arkapi.h"

spdlog::logger& Log() {
    static std::once_flag once;
    static std::shared_ptr<spdlog::logger> logger;
    std::call_once(once, [] {
        // Not registered with spdlog: the registry belongs to the host and outlives us.
        const auto& sinks = GetLogSinks();
        logger = std::make_shared<spdlog::logger>("Kestravel", sinks.begin(), sinks.end());
        // The pattern belongs to each sink. Each sink makes its formatter itself (in local
        // time): one made here would stay with the host's sinks after our library is unloaded,
        // and the host's next line would run code that is gone.
        for (const auto& sink : logger->sinks()) sink->set_pattern("%D %R [%n][%l] %v");
        logger->set_level(spdlog::level::info);
        logger->flush_on(spdlog::level::info);
    });
    return *logger;
}
