// Load and Unload: the logger, the configuration and the seven registrations.
#include "plugin/plugin.h"

#include <exception>
#include <string>

#include "commands/mount_hooks.h"
#include "commands/speed_commands.h"
#include "config/config.h"
#include "host/arkapi.h"
#include "host/text.h"
#include "plugin/logger.h"
#include "plugin/reload.h"

namespace {

constexpr const char* kReloadCommand = "Kestravel.Reload";

// The chat command names as registered, so that Unload removes exactly those even after a
// reload changed or broke the "Commands" section.
struct Registration {
    bool active = false;
    std::string speed;
    std::string unspeed;
};
Registration registration;

void ReadCommandNames(std::string& speed, std::string& unspeed) {
    Json& commands = Config()["Commands"];
    speed = commands.value("Speed", std::string("/speed"));
    unspeed = commands.value("Unspeed", std::string("/unspeed"));
}

}  // namespace

void Load() {
    Log();
    std::string speed;
    std::string unspeed;
    try {
        ReadConfig();
        ReadCommandNames(speed, unspeed);
        if (ArkApi::GetApiUtils().GetStatus() == ArkApi::ServerStatus::Ready) {
            SwitchOnPermissionsModeIfRequested();
        }
    } catch (const std::exception& error) {
        Log().error(error.what());
        throw;
    }

    auto& commands = ArkApi::GetCommands();
    commands.AddConsoleCommand(FStringFromAnsi(kReloadCommand),
                               ArkApi::ConsoleCommandCallback(&ReloadConfigCmd));
    commands.AddRconCommand(FStringFromAnsi(kReloadCommand),
                            ArkApi::RconCommandCallback(&ReloadConfigRcon));
    commands.AddChatCommand(FStringFromUtf8(speed), ArkApi::ChatCommandCallback(&OnSpeedCommand));
    commands.AddChatCommand(FStringFromUtf8(unspeed),
                            ArkApi::ChatCommandCallback(&OnUnspeedCommand));
    SetHook("AShooterGameMode.InitGame", &InitGameHook, &InitGameOriginal);
    SetHook("APrimalDinoCharacter.SetRider", &SetRiderHook, &SetRiderOriginal);
    SetHook("APrimalDinoCharacter.ClearRider", &ClearRiderHook, &ClearRiderOriginal);
    registration = {true, std::move(speed), std::move(unspeed)};
}

void Unload() {
    if (!registration.active) return;
    registration.active = false;
    try {
        auto& commands = ArkApi::GetCommands();
        commands.RemoveConsoleCommand(FStringFromAnsi(kReloadCommand));
        commands.RemoveRconCommand(FStringFromAnsi(kReloadCommand));
        commands.RemoveChatCommand(FStringFromUtf8(registration.speed));
        commands.RemoveChatCommand(FStringFromUtf8(registration.unspeed));
        DisableHook("AShooterGameMode.InitGame", &InitGameHook);
        DisableHook("APrimalDinoCharacter.SetRider", &SetRiderHook);
        DisableHook("APrimalDinoCharacter.ClearRider", &ClearRiderHook);
    } catch (const std::exception& error) {
        Log().error("Unload: {}", error.what());
    } catch (...) {
        Log().error("Unload: unknown error");
    }
}
