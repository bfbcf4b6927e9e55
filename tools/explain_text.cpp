// The readable form of an explanation.
#include <sstream>

#include "explain.h"

namespace tools {

namespace {

std::string Padded(const std::string& text, std::size_t width) {
    return text.size() >= width ? text + " " : text + std::string(width - text.size(), ' ');
}

std::string MessageText(const Event& message) {
    const std::string kind = message["event"].get<std::string>();
    if (kind == "chat") {
        return "chat from " + JsonText(message["sender"]) + ": " + JsonText(message["text"]);
    }
    std::string colour;
    for (const auto& channel : message["color"])
        colour += (colour.empty() ? "" : " ") + ReadableNumber(channel);
    return kind + " " + JsonText(message["text"]) + " (colour " + colour + ", size " +
           ReadableNumber(message["size"]) + ", time " + ReadableNumber(message["time"]) + ")";
}

std::string ActionText(const Event& action) {
    std::vector<std::string> parts;
    for (const auto& change : action["changes"]) {
        parts.push_back(change["field"].get<std::string>() + " " + ReadableNumber(change["from"]) +
                        " -> " + ReadableNumber(change["to"]));
    }
    for (const auto& message : action["messages"]) parts.push_back(MessageText(message));
    for (const auto& line : action["log"]) parts.push_back("error: " + line.get<std::string>());
    if (parts.empty()) return "nothing happens";
    std::string text;
    for (const auto& part : parts) text += (text.empty() ? "" : "; ") + part;
    return text;
}

}  // namespace

std::string ExplanationText(const Event& e) {
    std::ostringstream out;
    if (e.contains("load_error") && !e.contains("creature")) {
        out << "the plugin does not load: " << e["load_error"].get<std::string>() << "\n";
        return out.str();
    }
    const Event& creature = e["creature"];
    out << "creature      " << creature["blueprint_key"].get<std::string>() << "\n"
        << "              " << creature["category"].get<std::string>()
        << (creature["megalosaurus"].get<bool>() ? ", a Megalosaurus" : ", not a Megalosaurus")
        << (creature["vehicle"].get<bool>() ? ", a vehicle" : "") << "\n";
    if (creature.contains("starts_with")) {
        out << "              starts with " << creature["starts_with"].get<std::string>() << "\n";
    }

    const Event& permissions = e["permissions"];
    if (!permissions["mode"].get<bool>()) {
        out << "permissions   mode off: " << permissions["reason"].get<std::string>()
            << "; settings come from \"Dinos\"\n";
    } else if (permissions["entry"].is_null()) {
        out << "permissions   mode on: no entry under \"Permissions\" names one of the groups "
            << JsonText(permissions["groups"]) << ", so the player gets no settings\n";
    } else {
        out << "permissions   mode on: the groups " << JsonText(permissions["groups"])
            << " give the entry " << JsonText(permissions["entry"]) << "\n";
    }

    out << "selection\n";
    for (const auto& step : e["selection"]) {
        out << "  " << step["key"].get<std::string>() << ": " << step["outcome"].get<std::string>();
        if (step.contains("error")) out << ": " << step["error"].get<std::string>();
        out << "\n";
    }
    if (e.contains("selection_error")) {
        out << "  the selection fails: " << e["selection_error"].get<std::string>() << "\n";
    }
    if (!e.contains("entry")) {
        out << "entry         none: the commands and hooks leave this creature alone\n";
    } else {
        out << "entry         " << e["entry"]["pointer"].get<std::string>() << "\n";
        for (const auto& key : e["entry"]["keys"]) {
            out << "  " << Padded(key["key"].get<std::string>(), 34);
            if (key.contains("error")) {
                out << "fails: " << key["error"].get<std::string>();
            } else {
                out << Padded(ReadableNumber(key["value"]), 8) << "("
                    << key["from"].get<std::string>();
                if (key.contains("not_read")) out << "; " << key["not_read"].get<std::string>();
                out << ")";
            }
            out << "\n";
        }
    }
    if (e.contains("load_error")) {
        out << "the plugin does not load: " << e["load_error"].get<std::string>() << "\n";
    }
    if (!e["actions"].empty()) out << "what happens\n";
    for (const auto& action : e["actions"]) {
        out << "  " << Padded(action["action"].get<std::string>(), 12) << ActionText(action)
            << "\n";
    }
    return out.str();
}

}  // namespace tools
