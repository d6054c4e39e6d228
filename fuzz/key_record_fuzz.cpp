// SPDX-License-Identifier: MIT
// Any bytes as the key file: it reads or not, and what reads writes back to the same bytes. A
// chain's state written reads back as it was, and no change of one byte of its record reads as
// that state.
// Input: the key file; the same bytes make the state and the change.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <optional>

#include "journal/chain/chain.h"
#include "reference.h"

namespace durava::fuzz {
namespace {

using namespace durava::journal;

bool Same(const ChainState& a, const ChainState& b) {
    return a.next == b.next && a.key == b.key && a.last == b.last && a.lastMonth == b.lastMonth;
}

template <typename Bytes>
void Fill(FuzzedDataProvider& input, Bytes& bytes) {
    const std::vector<std::uint8_t> taken = input.ConsumeBytes<std::uint8_t>(bytes.size());
    std::copy(taken.begin(), taken.end(), bytes.begin());
}

// A state a chain can reach: entries from 1, a journal file of a month or none.
ChainState FuzzedState(FuzzedDataProvider& input) {
    ChainState state;
    state.next = input.ConsumeIntegralInRange<std::uint64_t>(1, UINT64_MAX);
    state.lastMonth = input.ConsumeBool() ? 0 : input.ConsumeIntegralInRange(1, 999999);
    Fill(input, state.key);
    Fill(input, state.last);
    return state;
}

}  // namespace
}  // namespace durava::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace durava::fuzz;
    using namespace durava::journal;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (const std::optional<ChainState> read = ReadKeyRecord(bytes)) {
        // Only a record with its checksum whole reads, and the checksum covers every byte.
        Require(read->next != 0 && KeyRecord(*read) == bytes);
    }

    FuzzedDataProvider input(data, size);
    const ChainState state = FuzzedState(input);
    std::string record = KeyRecord(state);
    const std::optional<ChainState> read = ReadKeyRecord(record);
    Require(read && Same(*read, state));
    const std::size_t at = input.ConsumeIntegralInRange<std::size_t>(0, record.size() - 1);
    const auto change = input.ConsumeIntegralInRange<int>(1, 255);
    record[at] = static_cast<char>(static_cast<unsigned char>(record[at]) ^ change);
    const std::optional<ChainState> changed = ReadKeyRecord(record);
    Require(!changed || !Same(*changed, state));
    return 0;
}
