// SPDX-License-Identifier: MIT
#pragma once
// The seed of a randomly driven test: fresh each run, or the one DURAVA_TEST_SEED names, so that a
// failure, which prints its seed, can be replayed.
namespace durava::testing {

unsigned TestSeed();

}  // namespace durava::testing
