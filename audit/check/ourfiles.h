// SPDX-License-Identifier: MIT
#pragma once
// The owner's and the operators' files, as they are now, against what the owner's file and the
// journal say there should be: a cashier who deletes or empties them turns the protection off.
#include <filesystem>
#include <vector>

#include "audit/check.h"

namespace durava::audit {

void CheckOurFiles(const std::filesystem::path& journalFolder, std::vector<Finding>& findings);

}  // namespace durava::audit
