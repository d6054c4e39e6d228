// SPDX-License-Identifier: MIT
// Writes the settings file and the month file in a loop until it is killed, resuming from what the
// files hold. Each finished step is told on standard output, one line per write(2), so the kill
// test knows the least that must have landed:
//   gen <item> <g>    the batch that moves counted item <item> to generation g has landed
//   seq <s>           the record with sequence number s has been appended
//   remove <item>     moved item <item> is about to be removed
//   added <item>      moved item <item> is back
//   ready             resumed; the loop starts
// On resuming it tells the generations and the last sequence number it found.
//
// With "checkouts" after the folder it runs uses through the operations instead, as the program
// does, journaling each: use g starts counted item g % 4 at StartText(g) and checks it out a
// minute later.
//   use <g>           use g has started
//   seq <g>           use g has been checked out
//   ready             resumed: every use found in the files is billed; the loop starts
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/numbers.h"
#include "history/historyfile.h"
#include "operations/operations.h"
#include "store/settings/settings.h"
#include "store_script.h"
#include "support/child_output.h"

namespace durava::store_script {
namespace {

void Tell(const std::string& line) {
    const std::string whole = line + "\n";
    if (::write(STDOUT_FILENO, whole.data(), whole.size()) != static_cast<ssize_t>(whole.size())) {
        std::exit(3);
    }
}

void Require(bool done, const char* what) {
    if (!done) {
        std::fprintf(stderr, "store_writer: %s failed\n", what);
        std::exit(2);
    }
}

class Writer {
  public:
    explicit Writer(const std::string& folder)
        : m_settings(folder + SettingsName()), m_month(folder + MonthName()) {}

    void Resume() {
        const auto& counted = CountedItems();
        for (std::size_t i = 0; i < counted.size(); ++i) {
            const std::string period = m_settings.ReadSetting(counted[i], SettingsKeys()[0]);
            if (period.empty()) WriteAll(counted[i], IdleValues());
            Tell("gen " + std::to_string(i) + " " + std::to_string(core::TextToInteger(period)));
        }
        const auto& moved = MovedItems();
        for (std::size_t i = 0; i < moved.size(); ++i) {
            if (m_settings.ReadSetting(moved[i], SettingsKeys()[0]).empty()) {
                WriteAll(moved[i], IdleValues());
                Tell("added " + std::to_string(i));
            }
        }
        const history::HistoryMonth month = history::ReadHistoryMonth(m_month);
        const std::vector<std::size_t> whole = WholeRecords(month);
        if (!whole.empty()) m_sequence = SequenceOf(month, whole.back());
        Tell("seq " + std::to_string(m_sequence));
        Tell("ready");
    }

    void Step(long long step) {
        const auto& counted = CountedItems();
        const std::size_t i = static_cast<std::size_t>(step) % counted.size();
        const std::string& item = counted[i];
        const long long generation =
            core::TextToInteger(m_settings.ReadSetting(item, SettingsKeys()[0])) + 1;
        WriteAll(item, BatchValues(generation));
        Tell("gen " + std::to_string(i) + " " + std::to_string(generation));
        // Timing ends as the program's checkout once did it: one value at a time.
        Require(m_settings.WriteSetting(item, SettingsKeys()[4], core::Texts().idle),
                "WriteSetting");
        Require(m_settings.WriteSetting(item, SettingsKeys()[5], core::Texts().none),
                "WriteSetting");
        Require(history::AppendHistoryRecord(m_month, Record(item, generation, ++m_sequence)),
                "AppendHistoryRecord");
        Tell("seq " + std::to_string(m_sequence));

        if (step % 3 == 0) {
            const std::size_t m = static_cast<std::size_t>(step / 3) % MovedItems().size();
            Tell("remove " + std::to_string(m));
            Require(m_settings.RemoveSection(MovedItems()[m]), "RemoveSection");
            WriteAll(MovedItems()[m], IdleValues());
            Tell("added " + std::to_string(m));
        }
    }

  private:
    void WriteAll(const std::string& item, const std::array<std::string, 6>& values) {
        const auto keys = SettingsKeys();
        store::SettingWrite writes[6];
        for (std::size_t k = 0; k < keys.size(); ++k) writes[k] = {item, keys[k], values[k]};
        Require(m_settings.WriteSettings(writes), "WriteSettings");
    }

    store::SettingsFile m_settings;
    std::string m_month;
    long long m_sequence = 0;
};

// Starts and checks out one use after another. The kill test checks out what a kill left in use
// before the writer resumes, so every use in the files has been billed by then.
void RunCheckouts(const std::string& folder) {
    store::SettingsFile settings(folder + SettingsName());
    journal::Journal journal(folder + JournalFolderName(), journal::Protection::Unkeyed);
    operations::Journaling journaling{journal};
    operations::Store store{settings, folder + "History/", store::kLockPatience, &journaling};
    const history::HistoryMonth month = history::ReadHistoryMonth(folder + MonthName());
    Tell("ready");
    for (auto g = static_cast<long long>(WholeRecords(month).size()) + 1;; ++g) {
        const std::string& item = UseItem(g);
        const core::DateTime start = core::ParseDateTime(StartText(g));
        Require(operations::StartUse(store, item, start) == operations::Outcome::Done, "StartUse");
        Tell("use " + std::to_string(g));
        const operations::Bill bill = operations::ComputeBill(settings, item, start + 60 / 86400.0);
        Require(operations::Checkout(store, bill) == operations::Outcome::Done, "Checkout");
        Tell("seq " + std::to_string(g));
    }
}

}  // namespace
}  // namespace durava::store_script

int main(int argc, char** argv) {
    durava::testing::TellLinesAsWritten();
    if (argc == 3 && std::string(argv[2]) == "checkouts")
        durava::store_script::RunCheckouts(argv[1]);
    if (argc != 2) {
        std::fprintf(stderr, "usage: store_writer FOLDER/ [checkouts]\n");
        return 1;
    }
    durava::store_script::Writer writer(argv[1]);
    writer.Resume();
    for (long long step = 0;; ++step) writer.Step(step);
}
