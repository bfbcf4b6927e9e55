// The walk over the sections that decide what the plugin registers and which settings apply.
#include "check_document.h"

namespace tools {

namespace {

bool IsBlueprintKey(const std::string& key) {
    return key.size() > 11 && key.rfind("Blueprint'", 0) == 0 && key.back() == '\'';
}

bool NamesMegalosaurus(const std::string& key) {
    return Lower(key).find("megalosaurus") != std::string::npos;
}

void CheckCommands(const Json& document, Findings& findings) {
    if (!document.contains("Commands") || document["Commands"].is_null()) return;
    const Json& commands = document["Commands"];
    if (!commands.is_object()) {
        findings.NotAnObject("/Commands", commands, true,
                             "the load fails with " + ValueError(commands));
        return;
    }
    for (const KeyInfo& key : KeysOf(Section::kCommands)) {
        CheckKey(commands, "/Commands", key, "the load fails", findings);
        if (!commands.contains(key.name) || !commands[key.name].is_string()) continue;
        const std::string name = commands[key.name].get<std::string>();
        if (name.empty() || name.find_first_of(" \t") != std::string::npos) {
            findings.Warning(Pointer("/Commands", key.name),
                             "the host runs a chat command when the first word of a line is its "
                             "name, so a name that is empty or holds a blank is never run");
        }
    }
    const Json speed = commands.value("Speed", Json("/speed"));
    const Json unspeed = commands.value("Unspeed", Json("/unspeed"));
    if (speed.is_string() && unspeed.is_string() &&
        Lower(speed.get<std::string>()) == Lower(unspeed.get<std::string>())) {
        findings.Warning("/Commands/Unspeed",
                         "names the same command as \"Speed\": only the speed command runs");
    }
    WarnUnknownKeys(commands, "/Commands", Section::kCommands, findings);
}

// Why the plugin never reads `key` in an entry selected by `selection`; "" when it may.
std::string UnreadReason(const std::string& selection, const std::string& key) {
    const bool flyer_key = key == "FlyInWater" || key == "FlyInCaves";
    const bool megalosaurus_key = key.rfind("Megalosaurus", 0) == 0;
    if (flyer_key && (selection == "Terrestrial" || selection == "Aquatic")) {
        return "for \"" + selection + "\" creatures: it applies to flyers only";
    }
    if (megalosaurus_key && (selection == "Aerial" || selection == "Aquatic")) {
        return "for \"" + selection + "\" creatures: a Megalosaurus walks";
    }
    if (megalosaurus_key && IsBlueprintKey(selection) && !NamesMegalosaurus(selection)) {
        return "for a blueprint that does not name Megalosaurus";
    }
    return "";
}

std::string Consequence(const std::string& key) {
    if (key == "AutoSpeedOnMount") return "mounting the creature fails";
    if (key == "AutoUnspeedOnDismount") return "dismounting the creature fails";
    return "speeding up the creature fails";
}

// False, with a warning, for a key that no creature selects.
bool CheckSelectionKey(const std::string& key, const std::string& pointer, Findings& findings) {
    if (key == kAllKey || IsBlueprintKey(key)) return true;
    for (const std::string& category : Categories()) {
        if (key == category) return true;
    }
    std::vector<std::string> known = Categories();
    known.push_back(kAllKey);
    std::string message =
        "is neither \"All\", a category nor a blueprint key Blueprint'...': no creature "
        "selects it";
    const std::string nearest = NearestName(key, known);
    if (!nearest.empty()) {
        message += "; did you mean \"" + nearest + "\"?";
    } else if (key.rfind("/Game/", 0) == 0) {
        message += "; did you mean \"Blueprint'" + key + "'\"?";
    }
    findings.Warning(pointer, message);
    return false;
}

void CheckDinos(const Json& parent, const std::string& parent_pointer, const std::string& users,
                Findings& findings) {
    if (!parent.contains("Dinos") || parent["Dinos"].is_null()) return;
    const Json& dinos = parent["Dinos"];
    const std::string pointer = Pointer(parent_pointer, "Dinos");
    if (!dinos.is_object()) {
        findings.NotAnObject(pointer, dinos, true,
                             "every speed action " + users + "fails with " + ValueError(dinos));
        return;
    }
    for (const auto& [selection, entry] : dinos.items()) {
        const std::string entry_pointer = Pointer(pointer, selection);
        const bool selectable = CheckSelectionKey(selection, entry_pointer, findings);
        if (entry.is_null()) {
            findings.Warning(entry_pointer, "is null: it is skipped as if it were absent");
            continue;
        }
        if (!entry.is_object()) {
            findings.NotAnObject(entry_pointer, entry, selectable,
                                 "once selected, every speed action on the creature fails with " +
                                     ValueError(entry));
            continue;
        }
        for (const KeyInfo& key : KeysOf(Section::kSettingsEntry)) {
            const std::string unread = selectable ? UnreadReason(selection, key.name)
                                                  : "while no creature selects the entry";
            CheckKey(entry, entry_pointer, key, Consequence(key.name), findings, unread);
        }
        WarnUnknownKeys(entry, entry_pointer, Section::kSettingsEntry, findings);
    }
}

void CheckPermissions(const Json& document, Findings& findings) {
    const Json flag = document.value("EnablePermissions", Json(false));
    const bool enabled = flag.is_boolean() && flag.get<bool>();
    const bool present = document.contains("Permissions") && !document["Permissions"].is_null();
    const Json& permissions = present ? document["Permissions"] : Json::object();
    if (!permissions.is_object()) {
        findings.NotAnObject("/Permissions", permissions, true,
                             "every speed action fails with " + IndexError(permissions));
        return;
    }
    if (enabled && permissions.empty()) {
        findings.Warning("/EnablePermissions",
                         "is true but \"Permissions\" has no entries: in the permissions mode no "
                         "player gets settings");
    }
    for (const auto& [name, entry] : permissions.items()) {
        const std::string pointer = Pointer("/Permissions", name);
        if (entry.is_null()) {
            findings.Warning(pointer, "is null: the group's players get no settings");
            continue;
        }
        if (!entry.is_object()) {
            findings.NotAnObject(pointer, entry, true,
                                 "in the permissions mode every speed action of the group's "
                                 "players fails with " +
                                     IndexError(entry));
            continue;
        }
        if (!entry.contains("Dinos")) {
            findings.Warning(pointer, "has no \"Dinos\": the group's players get no settings");
        }
        CheckDinos(entry, pointer, "of the group's players ", findings);
        WarnUnknownKeys(entry, pointer, Section::kPermissionEntry, findings);
    }
}

}  // namespace

std::string ValueError(const Json& value) {
    try {
        value.value("key", false);
    } catch (const Json::exception& error) {
        return error.what();
    }
    return "";
}

std::string IndexError(const Json& value) {
    try {
        Json copy = value;
        copy["key"];
    } catch (const Json::exception& error) {
        return error.what();
    }
    return "";
}

void CheckDocument(const Json& document, Findings& findings) {
    if (!document.is_object()) {
        findings.NotAnObject("", document, true,
                             "the load and every reload fail with " + ValueError(document));
        return;
    }
    CheckKey(document, "", *FindKey(Section::kTopLevel, "EnablePermissions"),
             "the load and every reload fail", findings);
    WarnUnknownKeys(document, "", Section::kTopLevel, findings);
    CheckCommands(document, findings);
    CheckDinos(document, "", "", findings);
    CheckPermissions(document, findings);
    CheckMessages(document, findings);
}

}  // namespace tools
