// The configuration document, the permissions mode derived from it, and ReadConfig, which
// replaces both from config.json.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "config/indexed_ordered_map.h"

// Object members keep the order of the file: permission entries are matched in that order.
using Json = nlohmann::basic_json<IndexedOrderedMap>;

// The process-wide configuration document; null before the first successful read. Members read
// by key that are missing are entered as null, as the JSON library's indexing does.
Json& Config();

// On only when "EnablePermissions" is true and the Permissions plugin is loaded.
bool PermissionsMode();

// Switches the permissions mode on when the Permissions plugin is loaded and the document asks
// for it ("EnablePermissions", default false). Never switches it off. Throws the JSON library's
// type error when "EnablePermissions" cannot be read.
void SwitchOnPermissionsModeIfRequested();

// The server's directory + "/ArkApi/Plugins/Kestravel/config.json".
std::string ConfigPath();

// Reads config.json and replaces the document and the permissions mode. All or nothing: the file
// must open, parse, hold an object at the top and a boolean or no "EnablePermissions"; otherwise
// this throws (std::runtime_error "Error on open the config.json", or the JSON library's error)
// and the document and mode in force stay exactly as they were.
void ReadConfig();
