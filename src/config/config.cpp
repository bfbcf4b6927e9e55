// Reading config.json into the process-wide document.
#include "config/config.h"

#include <fstream>
#include <stdexcept>

#include "host/arkapi.h"

namespace {
Json document;
bool permissions_mode = false;

bool PermissionsRequested(const Json& doc) {
    return doc.value("EnablePermissions", false) && ArkApi::Tools::IsPluginLoaded("Permissions");
}
}  // namespace

Json& Config() { return document; }

bool PermissionsMode() { return permissions_mode; }

void SwitchOnPermissionsModeIfRequested() {
    if (PermissionsRequested(document)) permissions_mode = true;
}

std::string ConfigPath() {
    return ArkApi::Tools::GetCurrentDir() + "/ArkApi/Plugins/" + "Kestravel" + "/config.json";
}

void ReadConfig() {
    std::ifstream file(ConfigPath());
    if (!file.is_open()) throw std::runtime_error("Error on open the config.json");

    // Stream extraction, as `file >> doc` does it: no comments, and whatever follows the first
    // complete value is not read. The new document is parsed aside and committed only whole.
    Json doc;
    file >> doc;
    file.close();

    const bool mode = PermissionsRequested(doc);  // type error 306 or 302 on a bad document
    if (doc["Permissions"].is_null()) doc["Permissions"] = Json::object();
    if (doc["Commands"].is_null()) doc["Commands"] = Json::object();

    document = std::move(doc);
    permissions_mode = mode;
}
