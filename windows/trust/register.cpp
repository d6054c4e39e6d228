// SPDX-License-Identifier: MIT
#include "windows/trust/register.h"

#include "windows/trust/checkwindow.h"
#include "windows/trust/login.h"
#include "windows/trust/ownerprompt.h"
#include "windows/trust/ownersettings.h"

namespace durava::windows {

void RegisterOwnerWindows(Globals& globals) {
    RegisterLogin(globals);
    RegisterOwnerPrompt(globals);
    RegisterOwnerSettings(globals);
    RegisterCheckWindow(globals);
}

}  // namespace durava::windows
