// What the plugin decides for one creature and one player. The decision is traced with the
// plugin's own code in this process; the actions are played by the built plugin in a simulated
// server, as a real server would run them.
#include "explain.h"

#include "check_support.h"
#include "commands/permissions.h"
#include "config/config.h"
#include "config_keys.h"
#include "game_events.h"
#include "host/bindings.h"
#include "host/text.h"
#include "server.h"
#include "server_folder.h"
#include "speed/category.h"
#include "speed/selection.h"
#include "tool_paths.h"

namespace tools {

namespace {

const Json kNull;

// Why the permissions mode is off.
std::string ModeOffReason(bool plugin_present) {
    const Json flag = Config().value("EnablePermissions", Json(false));
    if (!(flag.is_boolean() && flag.get<bool>())) return "\"EnablePermissions\" is not true";
    if (!plugin_present) return "the Permissions plugin is not present (--permissions-plugin)";
    return "";
}

// Each selection key tried, as the plugin's selection tries them.
Event TraceSelection(const std::string& blueprint_key, std::string_view category,
                     const std::string& entry_name) {
    Event steps = Event::array();
    bool found = false;
    for (const std::string& key : {blueprint_key, std::string(category), std::string(kAllKey)}) {
        Event step = {{"key", key}};
        if (found) {
            step["outcome"] = "not tried";
            steps.push_back(step);
            continue;
        }
        try {
            Json& config = Config();
            const Json& permission = config["Permissions"][entry_name]["Dinos"];
            const Json& plain = PermissionsMode() ? kNull : config["Dinos"];
            const Json& source = PermissionsMode() ? permission : plain;
            const Json& entry = FindCreatureSettings(permission, plain, key, kNull);
            if (!entry.is_null()) {
                step["outcome"] = "selected";
                found = true;
            } else {
                step["outcome"] =
                    source.is_object() && source.contains(key) ? "null, skipped" : "absent";
            }
        } catch (const std::exception& error) {
            step["outcome"] = "fails";
            step["error"] = error.what();
            found = true;
        }
        steps.push_back(step);
    }
    return steps;
}

// Why the plugin never reads `key` for this creature; "" when it does.
std::string NotReadFor(const std::string& key, std::string_view category, bool megalosaurus) {
    if ((key == "FlyInWater" || key == "FlyInCaves") && category != kAerial) {
        return "read for flyers only";
    }
    if (key.rfind("Megalosaurus", 0) == 0 && !megalosaurus) return "read for a Megalosaurus only";
    return "";
}

// Every key of the selected entry: its value as the plugin reads it, or its default.
Event FilledEntry(const Json& entry, std::string_view category, bool megalosaurus) {
    Event keys = Event::array();
    for (const KeyInfo& key : KeysOf(Section::kSettingsEntry)) {
        Event item = {{"key", key.name}};
        if (!entry.is_object()) {
            item["error"] = ReadError(entry, key).value_or("");
        } else if (const auto error = ReadError(entry, key)) {
            item["error"] = *error;
        } else if (key.type == KeyType::kBoolean) {
            item["value"] = entry.value(key.name, false);
        } else {
            item["value"] = FloatValue(entry.value(key.name, 0.0f));
        }
        if (entry.is_object() && !entry.contains(key.name)) {
            item["value"] = Event::parse(key.default_json);
        }
        item["from"] = entry.is_object() && entry.contains(key.name) ? "entry" : "default";
        const std::string not_read = NotReadFor(key.name, category, megalosaurus);
        if (!not_read.empty()) item["not_read"] = not_read;
        keys.push_back(item);
    }
    return keys;
}

// Plays the plugin's actions on a creature and reports what each changed and said.
class ActionPlayer {
public:
    explicit ActionPlayer(sim::Server& server) : server_(server) {
        server_.world().delivery_listener = [this](const sim::Delivery& delivery) {
            messages_.push_back(DeliveryEvent(delivery));
        };
        server_.host().sink->SetListener(
            [this](const sim::LogLine& line) { log_.push_back(line.text); });
    }
    ~ActionPlayer() {
        server_.world().delivery_listener = nullptr;
        server_.host().sink->SetListener(nullptr);
    }

    template <typename Action>
    Event Play(const std::string& name, sim::Creature& creature, Action&& action) {
        messages_ = Event::array();
        log_ = Event::array();
        const Event before = CreatureEvent(server_.world(), creature);
        action();
        const Event after = CreatureEvent(server_.world(), creature);
        return {{"action", name},
                {"changes", CreatureChanges(before, after)},
                {"messages", messages_},
                {"log", log_}};
    }

private:
    sim::Server& server_;
    Event messages_ = Event::array();
    Event log_ = Event::array();
};

Event PlayActions(sim::Server& server, const sim::CreatureClass& creature_class,
                  const std::vector<std::string>& groups, sim::Player& rider,
                  sim::Creature& ridden) {
    std::string reason;
    ActionPlayer player(server);
    if (!server.LoadPlugin(&reason)) return Event::array();
    server.Start();
    const auto names = server.host().commands.ChatNames();  // speed, then unspeed
    sim::World& world = server.world();
    auto* controller = reinterpret_cast<AShooterPlayerController*>(rider.controller);
    Event actions = Event::array();
    actions.push_back(player.Play(
        names.at(0), ridden, [&] { server.host().commands.RunChat(controller, names.at(0)); }));
    actions.push_back(player.Play(
        names.at(1), ridden, [&] { server.host().commands.RunChat(controller, names.at(1)); }));
    sim::Player& mounter = world.Connect("mounter", 2, groups);
    sim::Creature& mounted = world.Spawn("mounted", creature_class);
    actions.push_back(player.Play("mounting", mounted, [&] { world.Mount(mounter, mounted); }));
    actions.push_back(player.Play("dismounting", mounted, [&] { world.Dismount(mounter); }));
    server.UnloadPlugin();
    return actions;
}

}  // namespace

Event Explain(const ExplainRequest& request) {
    ServerFolder folder;
    sim::Server server({folder.path(), PluginLibrary(), PermissionsLibrary()});
    Event out = Event::object();
    if (request.permissions_plugin) {
        std::string error;
        if (!server.SetPermissionsPlugin(true, &error)) {
            out["load_error"] = "the Permissions plugin did not load: " + error;
            return out;
        }
    }
    server.WriteConfig(request.config_text);
    try {
        ReadConfig();
    } catch (const std::exception& error) {
        out["load_error"] = error.what();
        return out;
    }
    // The server runs: a load switches the permissions mode on when the configuration asks.
    SwitchOnPermissionsModeIfRequested();

    sim::CreatureClass creature_class{request.class_path, request.flyer, request.water,
                                      request.vehicle};
    sim::World& world = server.world();
    sim::Creature& creature = world.Spawn("creature", creature_class);
    sim::Player& rider = world.Connect("player", 1, request.groups);
    const bool megalosaurus_class = world.IsMegalosaurus(creature);
    if (megalosaurus_class) {
        // So that clearing the debt and removing the buff show.
        creature.object->dino.current_sleep_debt = 30.0f;
        world.AddBuff(creature, "Buff_NocturnalState_Groggy_C");
    }
    // Mounted before the plugin is loaded, so that the mount hook does not act yet.
    world.Mount(rider, creature);

    auto* object = reinterpret_cast<APrimalDinoCharacter*>(creature.object);
    auto* controller = reinterpret_cast<AShooterPlayerController*>(rider.controller);
    const FString path = GetBlueprintPath(object);
    const std::string key = FStringToUtf8(path);
    const std::string_view category = GetCreatureCategory(object);
    const bool megalosaurus = IsMegalosaurus(category, path);
    out["creature"] = {{"class", request.class_path},
                       {"blueprint_key", key},
                       {"category", std::string(category)},
                       {"megalosaurus", megalosaurus},
                       {"vehicle", request.vehicle}};
    if (megalosaurus_class) out["creature"]["starts_with"] = "sleep debt 30, a groggy buff";

    Event permissions = {{"mode", PermissionsMode()}, {"groups", request.groups}};
    std::string entry_name;
    if (PermissionsMode()) {
        entry_name = ResolvePermissionGroup(controller, Config()["Permissions"]);
        permissions["entry"] = entry_name.empty() ? Event() : Event(entry_name);
    } else {
        permissions["reason"] = ModeOffReason(request.permissions_plugin);
    }
    out["permissions"] = permissions;
    out["selection"] = TraceSelection(key, category, entry_name);

    try {
        const Json selected = SelectCreatureSettings(object, controller);
        if (!selected.is_null()) {
            for (const auto& step : out["selection"]) {
                if (step["outcome"] != "selected") continue;
                const std::string pointer =
                    PermissionsMode() ? Pointer(Pointer("/Permissions", entry_name), "Dinos")
                                      : "/Dinos";
                out["entry"] = {{"pointer", Pointer(pointer, step["key"].get<std::string>())},
                                {"keys", FilledEntry(selected, category, megalosaurus)}};
            }
        }
    } catch (const std::exception& error) {
        out["selection_error"] = error.what();
    }
    out["actions"] = PlayActions(server, creature_class, request.groups, rider, creature);
    if (out["actions"].empty()) {
        out["load_error"] = "the plugin does not load";
        for (const auto& line : server.host().sink->Lines()) out["load_error"] = line.text;
    }
    return out;
}

}  // namespace tools
