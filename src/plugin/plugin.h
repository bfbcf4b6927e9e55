// The plugin's load and unload routines, run by the library entry point.
#pragma once

// Creates the logger, reads the configuration and registers the reload commands, the chat
// commands and the hooks. Throws when the configuration cannot be used; nothing is registered
// then, and the failure has been logged.
void Load();

// Removes what Load registered, in the same order. Never throws.
void Unload();
