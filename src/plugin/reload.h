// The "Kestravel.Reload" console and RCON commands and the server-start hook.
#pragma once

#include "host/arkapi.h"

// Console command: reloads config.json and answers the issuer (may be null: no answer) in chat.
void ReloadConfigCmd(APlayerController* issuer, FString* command, bool);

// RCON command: reloads config.json and answers with the packet's id: "Reloaded config", or the
// error's own text.
void ReloadConfigRcon(RCONClientConnection* connection, RCONPacket* packet, UWorld*);

// Detour of "AShooterGameMode.InitGame": runs the game's InitGame, then switches the permissions
// mode on when the Permissions plugin is loaded and the configuration asks for it.
using InitGameFunction = void (*)(AShooterGameMode*, FString*, FString*, FString*);
extern InitGameFunction InitGameOriginal;
void InitGameHook(AShooterGameMode* game_mode, FString* map_name, FString* options,
                  FString* error_message);
