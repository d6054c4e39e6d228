// SPDX-License-Identifier: MIT
#include "support/test_seed.h"

#include <cstdlib>
#include <random>
#include <string>

namespace durava::testing {

unsigned TestSeed() {
    if (const char* given = std::getenv("DURAVA_TEST_SEED"); given && *given) {
        return static_cast<unsigned>(std::stoul(given));
    }
    return std::random_device{}();
}

}  // namespace durava::testing
