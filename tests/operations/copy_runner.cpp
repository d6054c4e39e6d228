// SPDX-License-Identifier: MIT
// One copy of the program without its windows: random operations on a folder, each acknowledged
// outcome told on standard output, one line each:
//   start <start time>          a use began
//   billed <start time>         its record was written and the item set idle
//   saved <item> <value>        an own item was saved with that initial period
//   deleted <item>              an own item was deleted
//   outcome <n> <count>         at the end, how often each outcome came back
// Every operation is journaled, in the journal beside the settings file's target.
// It says "ready" and waits for a byte on standard input before it begins, so that both copies
// start together.
#include <unistd.h>

#include <array>
#include <cstdio>
#include <iostream>
#include <random>
#include <string>

#include "copies_script.h"
#include "core/fixedtexts.h"
#include "journal/files/ourfiles.h"
#include "operations/operations.h"
#include "support/child_output.h"

namespace durava::copies_script {
namespace {

using operations::Outcome;

int Run(const std::string& folder, int copy, unsigned seed, int steps) {
    store::SettingsFile settings(folder + "ROOMSETTING.ini");
    journal::Journal journal(journal::DuravaFolder(settings.Path()), journal::Protection::Unkeyed);
    operations::Journaling journaling{journal, "P" + std::to_string(copy)};
    operations::Store store{settings, folder + "History/", store::kLockPatience, &journaling};
    core::DateTime now = 0;
    core::SetClock([&now] { return now; });
    std::mt19937 random(seed);
    auto pick = [&](const std::vector<std::string>& items) -> const std::string& {
        return items[std::uniform_int_distribution<std::size_t>(0, items.size() - 1)(random)];
    };
    const std::vector<std::string> own = OwnItems(copy);
    std::array<int, static_cast<std::size_t>(Outcome::StoreUnavailable) + 1> outcomes{};
    std::uint64_t generation = settings.Generation();

    std::cout << "ready" << std::endl;
    char go;
    if (::read(STDIN_FILENO, &go, 1) != 1) return 2;
    now = ClockOf(copy, 0);
    operations::JournalProgramStart(store, now);
    for (int step = 0; step < steps; ++step) {
        now = ClockOf(copy, step);
        // As the refresh pass looks each second: the check of the journal finds the other copy's
        // changes never named as made outside.
        if (settings.Generation() != generation) {
            generation = settings.Generation();
            operations::JournalChangeOutside(store, now);
        }
        Outcome outcome;
        switch (std::uniform_int_distribution<int>(0, 9)(random)) {
            case 0:
            case 1:
            case 2: {
                const std::string& item = pick(SharedItems());
                outcome = operations::StartUse(store, item, now);
                if (outcome == Outcome::Done) {
                    std::cout << "start "
                              << core::FormatDateTime(now, "yyyy/MM/dd ", "hh:mm:ss", true) << "\n";
                }
                break;
            }
            case 3:
            case 4:
            case 5: {
                const operations::Bill bill =
                    operations::ComputeBill(settings, pick(SharedItems()), now);
                outcome = operations::Checkout(store, bill);
                if (outcome == Outcome::Done) std::cout << "billed " << bill.Start() << "\n";
                break;
            }
            case 6:
                outcome = operations::SwitchUse(store, pick(SharedItems()), pick(SharedItems()));
                break;
            case 7:
            case 8: {
                const std::string& item = pick(own);
                const std::string value = std::to_string(step);
                outcome = operations::SaveItem(store, item, {value, "70", "30", "20"});
                if (outcome == Outcome::Done) std::cout << "saved " << item << " " << value << "\n";
                break;
            }
            default: {
                const std::string& item = pick(own);
                outcome = operations::DeleteItem(store, item);
                if (outcome == Outcome::Done) std::cout << "deleted " << item << "\n";
                break;
            }
        }
        ++outcomes[static_cast<std::size_t>(outcome)];
    }
    for (std::size_t i = 0; i < outcomes.size(); ++i) {
        std::cout << "outcome " << i << " " << outcomes[i] << "\n";
    }
    std::cout.flush();
    return 0;
}

}  // namespace
}  // namespace durava::copies_script

int main(int argc, char** argv) {
    durava::testing::TellLinesAsWritten();
    if (argc != 5) {
        std::fprintf(stderr, "usage: copy_runner FOLDER/ COPY SEED STEPS\n");
        return 1;
    }
    return durava::copies_script::Run(argv[1], std::stoi(argv[2]),
                                      static_cast<unsigned>(std::stoul(argv[3])),
                                      std::stoi(argv[4]));
}
