// Printing events.
#include "events.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace tools {

namespace {

std::string Flag(const Event& value) {
    return value.is_boolean() && value.get<bool>() ? "yes" : "no";
}

std::string List(const Event& values) {
    std::string text;
    for (const auto& value : values) {
        if (!text.empty()) text += ", ";
        text += value.is_string() ? value.get<std::string>() : JsonText(value);
    }
    return "[" + text + "]";
}

std::string Color(const Event& color) {
    std::string text;
    for (const auto& channel : color) text += (text.empty() ? "" : " ") + ReadableNumber(channel);
    return "colour " + text;
}

std::string Quoted(const Event& text) { return JsonText(text); }

std::string CreatureText(const Event& e) {
    std::string text = "creature " + e["name"].get<std::string>() + ": speed " +
                       ReadableNumber(e["speed"]) + ", stamina consumption " +
                       ReadableNumber(e["stamina_consumption"]) + ", stamina recovery " +
                       ReadableNumber(e["stamina_recovery"]) + ", infinite weight " +
                       Flag(e["infinite_weight"]) + " (refresh " + Flag(e["force_refresh_weight"]) +
                       "), ignores water " + Flag(e["can_ignore_water"]) + ", flies in caves " +
                       Flag(e["flyer_allow_caves"]);
    if (!e["sleep_debt"].is_null()) {
        text += ", sleep debt " + ReadableNumber(e["sleep_debt"]) + " (multiplier " +
                ReadableNumber(e["sleep_debt_multiplier"]) + ")";
    }
    return text + ", buffs " + List(e["buffs"]) + ", rescales " + ReadableNumber(e["rescales"]) +
           ", syncs " + ReadableNumber(e["syncs"]);
}

}  // namespace

std::string ReadableNumber(const Event& value) {
    if (value.is_string()) return value.get<std::string>();
    std::string text = JsonText(value);
    if (text.size() > 2 && text.compare(text.size() - 2, 2, ".0") == 0)
        text.resize(text.size() - 2);
    return text;
}

Event FloatValue(float value) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
    // The shortest decimal form of the float, read as a double, is printed by the JSON library
    // in that same shortest form.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::strtod(std::string(buffer, result.ptr).c_str(), nullptr);
}

std::string JsonText(const Event& value) {
    return value.dump(-1, ' ', false, Event::error_handler_t::replace);
}

void EventPrinter::Print(const Event& event) {
    out_ << (json_ ? JsonText(event) : EventText(event)) << std::endl;
}

void EventPrinter::Echo(const std::string& line) {
    if (json_) return;
    const auto start = line.find_first_not_of(" \t\r\n");
    const auto end = line.find_last_not_of(" \t\r\n");
    if (start == std::string::npos) {
        out_ << "\n";
    } else {
        out_ << (line[start] == '#' ? "" : "> ") << line.substr(start, end - start + 1) << "\n";
    }
}

std::string EventText(const Event& e) {
    const std::string kind = e.value("event", "");
    if (kind == "load") {
        if (e["ok"].get<bool>()) return "load: ok";
        return "load: failed" +
               (e.contains("reason") ? " (" + e["reason"].get<std::string>() + ")" : std::string());
    }
    if (kind == "unload") return "unload";
    if (kind == "start") return "start: InitGame ran, server status " + ReadableNumber(e["status"]);
    if (kind == "log") {
        return "log [" + e["logger"].get<std::string>() + "][" + e["level"].get<std::string>() +
               "] " + e["text"].get<std::string>();
    }
    if (kind == "notification") {
        return "notification to " + e["player"].get<std::string>() + ": " + Quoted(e["text"]) +
               " (" + Color(e["color"]) + ", size " + ReadableNumber(e["size"]) + ", time " +
               ReadableNumber(e["time"]) + ")";
    }
    if (kind == "chat") {
        return "chat to " + e["player"].get<std::string>() + " from " + Quoted(e["sender"]) + ": " +
               Quoted(e["text"]);
    }
    if (kind == "direct") {
        return "direct message to " + e["player"].get<std::string>() + ": " + Quoted(e["text"]) +
               " (" + Color(e["color"]) + ")";
    }
    if (kind == "rcon") {
        return "rcon reply on connection " + ReadableNumber(e["connection"]) + " to request " +
               ReadableNumber(e["id"]) + " (type " + ReadableNumber(e["type"]) +
               "): " + Quoted(e["text"]);
    }
    if (kind == "rcon-listening") {
        return "rcon: listening on 127.0.0.1:" + ReadableNumber(e["port"]);
    }
    if (kind.rfind("rcon-", 0) == 0) {
        // A connection's notices: connected, authenticated, refused, unhandled, closed, rejected.
        std::string text = "rcon connection " + ReadableNumber(e["connection"]) + ": " +
                           kind.substr(5);
        if (e.contains("text")) {
            text += " " + (kind == "rcon-unhandled" ? Quoted(e["text"])
                                                    : "(" + e["text"].get<std::string>() + ")");
        }
        return text;
    }
    if (kind == "served") return "served until " + e["reason"].get<std::string>();
    if (kind == "creature") return CreatureText(e);
    if (kind == "player") {
        return "player " + e["name"].get<std::string>() + ": id " + ReadableNumber(e["id"]) +
               ", groups " + List(e["groups"]) + ", riding " +
               (e["riding"].is_null() ? std::string("nothing") : e["riding"].get<std::string>());
    }
    if (kind == "registry") {
        return "registry: console " + List(e["console"]) + ", rcon " + List(e["rcon"]) + ", chat " +
               List(e["chat"]) + ", hooks " + List(e["hooks"]);
    }
    if (kind == "heap") {
        return "heap: " + ReadableNumber(e["blocks"]) + " blocks, " + ReadableNumber(e["bytes"]) +
               " bytes";
    }
    if (kind == "unhandled") {
        return "no " + e["kind"].get<std::string>() + " command takes " + Quoted(e["text"]);
    }
    if (kind == "escape") {
        return "exception left " + e["callback"].get<std::string>() + ": " +
               e["text"].get<std::string>();
    }
    if (kind == "help") return e["text"].get<std::string>();
    if (kind == "fault") return "game fault: " + e["text"].get<std::string>();
    if (kind == "error") {
        std::string where = e.contains("file") ? e["file"].get<std::string>() + ":" : "line ";
        return "error (" + where + ReadableNumber(e["line"]) + "): " + e["text"].get<std::string>();
    }
    return JsonText(e);
}

}  // namespace tools
