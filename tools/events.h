// Events of `kestravel server`, each a JSON object, printed as one JSON line or as a line for a
// person to read.
#pragma once

#include <nlohmann/json.hpp>
#include <ostream>
#include <string>

namespace tools {

using Event = nlohmann::ordered_json;

// A 32-bit float as the shortest JSON number that reads back to the same float. A value that
// JSON cannot hold (infinite or NaN) becomes the string "inf", "-inf" or "nan".
Event FloatValue(float value);

// A number (or the string of a non-finite one) for a person: a whole value without ".0".
std::string ReadableNumber(const Event& value);

// Text that is not valid UTF-8 still prints: bad bytes become U+FFFD.
std::string JsonText(const Event& value);

class EventPrinter {
public:
    EventPrinter(std::ostream& out, bool json) : out_(out), json_(json) {}

    // Prints at once and flushes, so that a reader of a pipe sees each event as it happens.
    void Print(const Event& event);
    // A script line, shown before its events in the readable form only: "> command", comments
    // and blank lines as they are.
    void Echo(const std::string& line);
    bool Json() const { return json_; }

private:
    std::ostream& out_;
    bool json_;
};

// The readable form of one event.
std::string EventText(const Event& event);

}  // namespace tools
