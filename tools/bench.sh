#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs the benchmarks and, on the same 1,000-item settings file, the platform's own profile
# functions under Wine; prints the figures and the ratios each is held to. Usage: tools/bench.sh
# DURAVA_PEER names the script that times the platform's functions (default ../shared/peer/run.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
peer="${DURAVA_PEER:-../shared/peer/run.sh}"
tools/install-deps.sh wine64 gcc-mingw-w64-x86-64
cmake --preset release >/dev/null
cmake --build --preset release --target durava_bench

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Laid out as the benchmarks' own sample: every item in use.
python3 - "$work/ROOMSETTING.ini" <<'PY'
import sys
item = "]\r\n状态=使用中\r\n开始时间=2024/05/06 13:00:00\r\n初始时段=240\r\n初始费用=70\r\n最小单位=30\r\n超时单价=20\r\n"
open(sys.argv[1], "wb").write("".join(f"[R{n}{item}" for n in range(1, 1001)).encode("gbk"))
PY
# Its clean-up can fail while Wine still writes to its prefix; the figures count, not that.
"$peer" "$work/ROOMSETTING.ini" | tee "$work/peer.txt" || grep -q SectionNames "$work/peer.txt"
build/release/bench/durava_bench --benchmark_repetitions=3 --benchmark_report_aggregates_only=true \
    --benchmark_filter='BM_RefreshPass$|BM_ReadSettingParsingEachCall|BM_ReadSettingUnchangedFile|BM_ReadSectionNames|BM_ShowHistoryMonth|BM_ReadMonthBytesOnly|BM_RefreshListButton|BM_YearTakings|BM_ReadYearBytesOnly|BM_ShowTakingsYear|BM_Checkout|BM_CheckYear|BM_HashYearBytes' \
    --benchmark_out="$work/ours.json" --benchmark_out_format=json >/dev/null
python3 - "$work/peer.txt" "$work/ours.json" <<'PY'
import json, re, sys
peer = {m[1]: float(m[2]) for m in re.finditer(r"^(.*?)\s+([\d.]+) us", open(sys.argv[1]).read(), re.M)}
to_us = {"ns": 1e-3, "us": 1.0, "ms": 1e3, "s": 1e6}
medians = [b for b in json.load(open(sys.argv[2]))["benchmarks"] if b.get("aggregate_name") == "median"]
ours = {b["run_name"]: b["real_time"] * to_us[b["time_unit"]] for b in medians}
cpu = {b["run_name"]: b["cpu_time"] * to_us[b["time_unit"]] for b in medians}
def row(what, value, goal):
    print(f"{what:58} {value:9.2f}   {goal}")
print("\nmedians of 3 runs: wall time (processor time of this thread); ratios of wall times")
for name, us in sorted(ours.items()):
    print(f"  {name:44} {us:12.1f} us ({cpu[name]:10.1f} us)")
print()
row("GetPrivateProfileSectionNamesA / BM_ReadSectionNames",
    peer["GetPrivateProfileSectionNamesA"] / ours["BM_ReadSectionNames"], "at least 3")
row("GetPrivateProfileStringA / BM_ReadSettingUnchangedFile",
    peer["GetPrivateProfileStringA, unchanged file"] / ours["BM_ReadSettingUnchangedFile"],
    "at least 50")
row("BM_RefreshPass / BM_ReadSettingParsingEachCall",
    ours["BM_RefreshPass"] / ours["BM_ReadSettingParsingEachCall"], "at most 0.5")
row("BM_ShowHistoryMonth / BM_ReadMonthBytesOnly",
    ours["BM_ShowHistoryMonth"] / ours["BM_ReadMonthBytesOnly"], "at most 10")
row("BM_RefreshListButton, ms", ours["BM_RefreshListButton"] / 1e3, "at most 50")
row("BM_YearTakings / BM_ReadYearBytesOnly",
    ours["BM_YearTakings"] / ours["BM_ReadYearBytesOnly"], "at most 20")
row("BM_ShowTakingsYear - BM_YearTakings, ms",
    (ours["BM_ShowTakingsYear"] - ours["BM_YearTakings"]) / 1e3, "at most 1000")
checkout = "/min_time:2.000/real_time"
row("BM_CheckoutWithJournal / BM_Checkout",
    ours["BM_CheckoutWithJournal" + checkout] / ours["BM_Checkout" + checkout], "at most 1.5")
row("BM_CheckYear / BM_HashYearBytes",
    ours["BM_CheckYear/real_time"] / ours["BM_HashYearBytes/real_time"], "at most 5")
PY
