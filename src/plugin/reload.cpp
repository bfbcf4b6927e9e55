// The reload commands and the server-start hook.
#include "plugin/reload.h"

#include <exception>

#include "config/config.h"
#include "plugin/logger.h"

InitGameFunction InitGameOriginal = nullptr;

void ReloadConfigCmd(APlayerController*, FString*, bool) {
    try {
        ReadConfig();
    } catch (const std::exception& error) {
        Log().error(error.what());
    }
}

void ReloadConfigRcon(RCONClientConnection*, RCONPacket*, UWorld*) {
    try {
        ReadConfig();
    } catch (const std::exception& error) {
        Log().error(error.what());
    }
}

void InitGameHook(AShooterGameMode* game_mode, FString* map_name, FString* options,
                  FString* error_message) {
    InitGameOriginal(game_mode, map_name, options, error_message);
    SwitchOnPermissionsModeIfRequested();
}
