// The reload commands and the server-start hook.
#include "plugin/reload.h"

#include <exception>

#include "config/config.h"
#include "host/bindings.h"
#include "host/color.h"
#include "host/text.h"
#include "plugin/callback_guard.h"
#include "plugin/logger.h"

InitGameFunction InitGameOriginal = nullptr;

namespace {

constexpr ByteColor kSuccessColor{0, 255, 0, 255};  // blue, green, red, alpha
constexpr ByteColor kFailureColor{0, 0, 255, 255};

void ReplyInChat(APlayerController* issuer, const char* text, ByteColor color) {
    if (issuer == nullptr) return;
    FString message = FStringFromAnsi(text);
    LinearColor linear = LinearColorFromColor(color);
    // The console hands over the issuer's APlayerController; the game's players are
    // AShooterPlayerControllers.
    CallGameFunction<void, AShooterPlayerController*, FString*, LinearColor*, bool>(
        "AShooterPlayerController.ClientServerChatDirectMessage",
        static_cast<AShooterPlayerController*>(issuer), &message, &linear, false);
}

void ReplyOverRcon(RCONClientConnection* connection, const RCONPacket* packet, const char* text) {
    FString message = FStringFromAnsi(text);
    CallGameFunction<void>("RCONClientConnection.SendMessageW", connection, packet->id,
                           std::int32_t(0), &message);
}

}  // namespace

void ReloadConfigCmd(APlayerController* issuer, FString*, bool) {
    RunGuarded("ReloadConfigCmd", [&] {
        try {
            ReadConfig();
        } catch (const std::exception& error) {
            ReplyInChat(issuer, "Failed to reload config", kFailureColor);
            Log().error(error.what());
            return;
        }
        ReplyInChat(issuer, "Reloaded config", kSuccessColor);
    });
}

void ReloadConfigRcon(RCONClientConnection* connection, RCONPacket* packet, UWorld*) {
    RunGuarded("ReloadConfigRcon", [&] {
        try {
            ReadConfig();
        } catch (const std::exception& error) {
            Log().error(error.what());
            ReplyOverRcon(connection, packet, error.what());
            return;
        }
        ReplyOverRcon(connection, packet, "Reloaded config");
    });
}

void InitGameHook(AShooterGameMode* game_mode, FString* map_name, FString* options,
                  FString* error_message) {
    InitGameOriginal(game_mode, map_name, options, error_message);
    RunGuarded("InitGameHook", [] { SwitchOnPermissionsModeIfRequested(); });
}
