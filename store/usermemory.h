// SPDX-License-Identifier: MIT
#pragma once
// Small texts the program keeps for whoever uses the computer, outside the Documents folder: in
// the registry on Windows (HKEY_CURRENT_USER\Software\Durava\<area>), in the user's config folder
// on Linux ($XDG_CONFIG_HOME, else ~/.config, /durava/<area>/<name>). Whoever copies the
// Documents folder back does not copy these with it.
#include <optional>
#include <string>
#include <string_view>

namespace durava::store {

// `area` and `name` are ASCII letters, digits and '-'.
std::optional<std::string> RecallUserText(std::string_view area, std::string_view name);
// Not flushed: a text that a power cut loses or tears is read as an older one or as none, which
// its reader must take as knowing less, never as a fault.
bool KeepUserText(std::string_view area, std::string_view name, std::string_view text);

}  // namespace durava::store
