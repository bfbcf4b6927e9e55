// The host's shared log sink.
#include "log_sink.h"

namespace sim {

void RecordingSink::sink_it_(const spdlog::details::log_msg& msg) {
    spdlog::memory_buf_t buffer;
    formatter_->format(msg, buffer);
    std::string formatted(buffer.data(), buffer.size());
    while (!formatted.empty() && (formatted.back() == '\n' || formatted.back() == '\r')) {
        formatted.pop_back();
    }
    const auto level = spdlog::level::to_string_view(msg.level);
    LogLine line{std::string(msg.logger_name.data(), msg.logger_name.size()),
                 std::string(level.data(), level.size()),
                 std::string(msg.payload.data(), msg.payload.size()), std::move(formatted)};
    lines_.push_back(line);
    if (listener_) listener_(line);
}

void RecordingSink::flush_() { ++flushes_; }

std::vector<LogLine> RecordingSink::Lines() {
    std::lock_guard<std::mutex> lock(mutex_);
    return lines_;
}

void RecordingSink::Clear() {
    std::lock_guard<std::mutex> lock(mutex_);
    lines_.clear();
}

void RecordingSink::SetListener(std::function<void(const LogLine&)> listener) {
    std::lock_guard<std::mutex> lock(mutex_);
    listener_ = std::move(listener);
}

std::size_t RecordingSink::Flushes() {
    std::lock_guard<std::mutex> lock(mutex_);
    return flushes_;
}

}  // namespace sim
