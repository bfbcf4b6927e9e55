// The walk over "Messages": what fails a message, and what it sends that is probably not meant.
#include <cstdint>

#include "check_document.h"
#include "host/platform.h"

namespace tools {

namespace {

// The colour pieces as the plugin splits a "Color" text: at every ",", and when that does not
// give three pieces, at every ", " instead; empty pieces are dropped.
std::vector<std::string> ColorPieces(const std::string& text) {
    auto split = [&](const std::string& separator) {
        std::vector<std::string> pieces;
        std::size_t start = 0;
        while (true) {
            const std::size_t at = text.find(separator, start);
            const std::string piece = text.substr(start, at == std::string::npos ? at : at - start);
            if (!piece.empty()) pieces.push_back(piece);
            if (at == std::string::npos) return pieces;
            start = at + separator.size();
        }
    };
    auto pieces = split(",");
    return pieces.size() == 3 ? pieces : split(", ");
}

// What the notification's colour will be, when it is not what the text seems to say.
std::string ColorProblem(const std::string& text) {
    if (text.empty() || text == "Random") return "";
    if (Lower(text) == "random") return "only \"Random\" gives a random colour";
    const auto pieces = ColorPieces(text);
    if (pieces.size() < 3) return "is not three numbers R, G, B";
    std::string problem;
    for (std::size_t i = 0; i < 3; ++i) {
        // The plugin reads each piece as wide text, every byte above 0x7F turned into '?'.
        platform::WideString wide;
        for (unsigned char c : pieces[i]) wide += c < 0x80 ? platform::WideChar(c) : u'?';
        std::int32_t value = 0;
        if (!platform::WideToInt32(wide.c_str(), &value)) {
            return "\"" + pieces[i] + "\" is not a whole number that fits 32 bits";
        }
        if ((value < 0 || value > 255) && problem.empty()) {
            problem = std::to_string(value) + " is not within 0 to 255 and reads as " +
                      std::to_string(value & 0xFF);
        }
    }
    return problem.empty() ? "" : "keeps its colour, but " + problem;
}

void CheckColor(const Json& entry, const std::string& pointer, Findings& findings) {
    if (!entry.contains("Color") || !entry["Color"].is_string()) return;
    const std::string problem = ColorProblem(entry["Color"].get<std::string>());
    if (problem.empty()) return;
    const bool keeps = problem.rfind("keeps", 0) == 0;
    findings.Warning(Pointer(pointer, "Color"),
                     keeps ? problem : problem + ": the notification falls back to green");
}

void CheckType(const Json& entry, const std::string& pointer, Findings& findings) {
    if (!entry.contains("Type") || !entry["Type"].is_string()) return;
    const std::string type = entry["Type"].get<std::string>();
    // "Chat" is how a configuration asks for chat on purpose.
    if (type == "Notification" || type == "Chat") return;
    std::string message = "is not exactly \"Notification\": the message is sent as chat";
    if (!NearestName(type, {"Notification"}).empty()) message += "; did you mean \"Notification\"?";
    findings.Warning(Pointer(pointer, "Type"), message);
}

void CheckEntry(const Json& entry, const std::string& pointer, Findings& findings) {
    if (!entry.is_object()) {
        findings.Warning(
            pointer, "is " + WithArticle(entry.type_name()) + ", not an object: nothing is sent");
        return;
    }
    const std::string consequence = "sending the message fails";
    CheckKey(entry, pointer, *FindKey(Section::kMessageEntry, "Msg"), consequence, findings);
    const Json msg = entry.value("Msg", Json(""));
    const bool silent = msg.is_string() && msg.get<std::string>().empty();
    if (silent && !entry.contains("Msg") && !entry.empty()) {
        findings.Warning(pointer, "has no \"Msg\": nothing is sent");
    }
    const Json type = entry.value("Type", Json("Notification"));
    const bool notification = !type.is_string() || type.get<std::string>() == "Notification";
    for (const KeyInfo& key : KeysOf(Section::kMessageEntry)) {
        if (std::string(key.name) == "Msg") continue;
        const bool chat_key = std::string(key.name) == "Sender";
        const bool type_key = std::string(key.name) == "Type";
        std::string unread;
        if (silent) {
            unread = "while \"Msg\" is empty";
        } else if (!type_key && chat_key == notification) {
            unread = notification ? "for a notification" : "for a chat message";
        }
        CheckKey(entry, pointer, key, consequence, findings, unread);
    }
    if (!silent) {
        CheckType(entry, pointer, findings);
        if (notification) CheckColor(entry, pointer, findings);
    }
    WarnUnknownKeys(entry, pointer, Section::kMessageEntry, findings);
}

}  // namespace

void CheckMessages(const Json& document, Findings& findings) {
    if (!document.contains("Messages") || document["Messages"].is_null()) return;
    const Json& messages = document["Messages"];
    if (!messages.is_object()) {
        findings.NotAnObject(
            "/Messages", messages, true,
            "every speed action fails after its change, with " + IndexError(messages));
        return;
    }
    for (const auto& [name, entry] : messages.items()) {
        const std::string pointer = Pointer("/Messages", name);
        bool known = false;
        for (const std::string& event : MessageEvents()) known = known || name == event;
        if (!known) {
            std::string message = "unknown message: the plugin never sends it";
            const std::string nearest = NearestName(name, MessageEvents());
            if (!nearest.empty()) message += "; did you mean \"" + nearest + "\"?";
            findings.Warning(pointer, message);
            continue;
        }
        CheckEntry(entry, pointer, findings);
    }
}

}  // namespace tools
