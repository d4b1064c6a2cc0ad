// Loads and saves the settings in the per-user INI store.
#pragma once

#include <QString>

#include "model/settings.h"

namespace orvane {

// The store's file: the ORVANE_SETTINGS environment variable when set, else the
// per-user INI file of "PELORIN WORKS" / "ORVANE".
QString DefaultSettingsPath();

// Reads every value in load order (a missing or unreadable value keeps its
// default), then applies the clamps. Never fails.
void LoadSettings(TAppSettings& settings, const QString& path);

// Writes every value in save order, "Maximized Window" from the argument.
// Returns false with the reason in *reason when the store could not be written.
bool SaveSettings(const TAppSettings& settings, bool maximized, const QString& path, QString* reason = nullptr);

}  // namespace orvane
