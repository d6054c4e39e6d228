// SPDX-License-Identifier: MIT
// A login or an owner prompt must answer within a second on the hall's computer: one Argon2id
// check at the interactive cost, and what setting a password costs (a hash and the journal key).
#include <benchmark/benchmark.h>

#include "people/owner.h"

namespace durava::people {
namespace {

void BM_LoginCheck(benchmark::State& state) {
    const std::string hash = *journal::HashSecret(u"2468", journal::kInteractiveCost);
    for (auto _ : state) benchmark::DoNotOptimize(journal::VerifySecret(hash, u"2468"));
}
BENCHMARK(BM_LoginCheck)->Unit(benchmark::kMillisecond);

void BM_SetOwnerPassword(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(MakePassword(u"owner password"));
}
BENCHMARK(BM_SetOwnerPassword)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace durava::people
