// The keys of config.json.
#include "config_keys.h"

namespace tools {

namespace {

const std::vector<KeyInfo> kTopLevel = {
    {"EnablePermissions", KeyType::kBoolean, "false",
     "Take creature settings from the player's permission entry under \"Permissions\" instead "
     "of \"Dinos\"; needs the Permissions plugin."},
    {"Commands", KeyType::kObject, "{}", "Names of the chat commands, read at load only."},
    {"Dinos", KeyType::kObject, "{}",
     "Creature settings by selection key: a blueprint key Blueprint'<class path>', a category "
     "(\"Terrestrial\", \"Aerial\", \"Aquatic\") or \"All\", tried in that order."},
    {"Permissions", KeyType::kObject, "{}",
     "Permission entries by permission group name, matched without regard to letter case; the "
     "first entry in the file that one of the player's groups names wins."},
    {"Messages", KeyType::kObject, "",
     "Messages sent to the player after each speed action; a missing message is not sent."},
};

const std::vector<KeyInfo> kCommands = {
    {"Speed", KeyType::kString, "\"/speed\"", "Chat command that speeds up the ridden creature."},
    {"Unspeed", KeyType::kString, "\"/unspeed\"",
     "Chat command that returns the ridden creature to its normal values."},
};

const std::vector<KeyInfo> kPermissionEntry = {
    {"Dinos", KeyType::kObject, "",
     "Creature settings for the players of this group, by selection key as in the top-level "
     "\"Dinos\"; without it the group's players get no settings."},
};

const std::vector<KeyInfo> kSettingsEntry = {
    {"AbsoluteSpeedPercentage", KeyType::kBoolean, "false",
     "\"SpeedPercentage\" sets the speed value instead of adding to it."},
    {"SpeedPercentage", KeyType::kFloat, "0",
     "Percentage points added to (or set as) the speed value; 0 or less leaves it alone."},
    {"FlyInWater", KeyType::kBoolean, "false", "A flyer may be ridden in water (flyers only)."},
    {"FlyInCaves", KeyType::kBoolean, "false", "A flyer may be ridden in caves (flyers only)."},
    {"StaminaConsumptionMultiplier", KeyType::kFloat, "1",
     "Factor on the running stamina consumption."},
    {"StaminaRecoveryMultiplier", KeyType::kFloat, "1", "Factor on the stamina recovery."},
    {"InfiniteWeight", KeyType::kBoolean, "false", "The creature carries unlimited weight."},
    {"MegalosaurusSleepDebtMultiplier", KeyType::kFloat, "1",
     "Sleep-debt multiplier of a Megalosaurus; any other value than 1 also clears its sleep "
     "debt."},
    {"MegalosaurusRemoveGroggyBuff", KeyType::kBoolean, "false",
     "Remove one groggy or sleep-deprived buff of a Megalosaurus."},
    {"AutoSpeedOnMount", KeyType::kBoolean, "false", "Speed up the creature when it is mounted."},
    {"AutoUnspeedOnDismount", KeyType::kBoolean, "false",
     "Return the creature to normal when it is dismounted."},
};

const std::vector<KeyInfo> kMessageEntry = {
    {"Msg", KeyType::kString, "\"\"", "The text; an empty text sends nothing."},
    {"Type", KeyType::kString, "\"Notification\"",
     "Exactly \"Notification\" sends an on-screen notification; any other text (\"Chat\") a "
     "chat line."},
    {"Color", KeyType::kString, "\"\"",
     "Notification colour: \"R, G, B\" (0 to 255) or \"Random\"; anything else is green."},
    {"Size", KeyType::kDouble, "1.2", "Notification text size."},
    {"Time", KeyType::kInt32, "10", "Notification display time in seconds (whole seconds)."},
    {"Sender", KeyType::kString, "\"Server\"", "Sender name of a chat line."},
};

}  // namespace

const std::vector<KeyInfo>& KeysOf(Section section) {
    switch (section) {
        case Section::kTopLevel:
            return kTopLevel;
        case Section::kCommands:
            return kCommands;
        case Section::kPermissionEntry:
            return kPermissionEntry;
        case Section::kSettingsEntry:
            return kSettingsEntry;
        case Section::kMessageEntry:
            break;
    }
    return kMessageEntry;
}

const KeyInfo* FindKey(Section section, const std::string& name) {
    for (const KeyInfo& key : KeysOf(section)) {
        if (name == key.name) return &key;
    }
    return nullptr;
}

const std::vector<std::string>& MessageEvents() {
    static const std::vector<std::string> events = {"OnSpeedCmd", "OnUnspeedCmd", "OnAutoSpeed",
                                                    "OnAutoUnspeed"};
    return events;
}

const std::vector<std::string>& Categories() {
    static const std::vector<std::string> categories = {"Terrestrial", "Aerial", "Aquatic"};
    return categories;
}

const char* ExpectedTypeName(KeyType type) {
    switch (type) {
        case KeyType::kBoolean:
            return "boolean";
        case KeyType::kFloat:
        case KeyType::kDouble:
        case KeyType::kInt32:
            return "number";
        case KeyType::kString:
            return "string";
        case KeyType::kObject:
            break;
    }
    return "object";
}

}  // namespace tools
