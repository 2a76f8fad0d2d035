#!/usr/bin/python3
"""Long runs stay flat: runs the default case for 30 years (hourly series, streamed) and
samples the resident memory of tamo1d (/proc/PID/status VmRSS) and the simulated time (last
row of the streamed series) twice a second. Prints resident memory and wall time per
simulated year. Usage: scripts/measure_long_run.py [BUILD_DIR] [YEARS]"""
import json, os, pathlib, shutil, subprocess, sys, tempfile, time

root = pathlib.Path(__file__).resolve().parent.parent
build = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else root / "build").resolve()
years = int(sys.argv[2]) if len(sys.argv) > 2 else 30
cases = root / "examples" / "cases"
work = pathlib.Path(tempfile.mkdtemp(prefix="tamo1d_long_"))
case = json.loads((cases / "masonry_interior_insulation.json").read_text())
case["time"]["duration_hours"] = 8760 * years
case["outputs"]["profiles"]["times_hours"] = [0, 8760, 8760 * years]
(work / "long.json").write_text(json.dumps(case))
shutil.copy(cases / "synthetic_climate.csv", work)

def rss_kib(pid):
    for line in open(f"/proc/{pid}/status"):
        if line.startswith("VmRSS:"):
            return int(line.split()[1])
    return 0

def cpu_seconds(pid):
    fields = open(f"/proc/{pid}/stat").read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")

def simulated_hours(path):
    try:
        with open(path, "rb") as f:
            f.seek(max(0, os.path.getsize(path) - 600))
            last = f.read().splitlines()[-1]
        return float(last.split(b",")[0])
    except (OSError, ValueError, IndexError):
        return 0.0

series = work / "out" / "masonry_series.csv.partial"
start = time.monotonic()
proc = subprocess.Popen([str(build / "apps" / "tamo1d" / "tamo1d"), "-q", "-o", "out",
                         "--checkpoint-hours", "8760", "long.json"], cwd=work)
samples = []  # (wall s, simulated years, rss KiB, cpu s)
while proc.poll() is None:
    try:
        samples.append((time.monotonic() - start, simulated_hours(series) / 8760,
                        rss_kib(proc.pid), cpu_seconds(proc.pid)))
    except (OSError, IndexError):
        pass
    time.sleep(0.5)
wall = time.monotonic() - start
print(f"exit {proc.returncode}, {years} years in {wall:.1f} s wall ({wall / years:.2f} s/year)")
print("year  rss_MiB  wall_s  cpu_s")
for y in sorted({1, 2, 5, 10, 15, 20, 25, years - 1}):
    s = next((s for s in samples if s[1] >= y), None)
    if s:
        print(f"{y:4d}  {s[2] / 1024:7.1f}  {s[0]:6.1f}  {s[3]:5.1f}")
done = [s for s in samples if s[1] >= 1]
if len(done) > 2:
    first, last = done[0], done[-1]
    span = last[1] - first[1]
    print(f"per year from year {first[1]:.1f} to {last[1]:.1f}: "
          f"{(last[0] - first[0]) / span:.2f} s wall, {(last[3] - first[3]) / span:.2f} s cpu")
    half = [s for s in done if s[1] >= first[1] + span / 2][0]
    for name, a, b in (("first half", first, half), ("second half", half, last)):
        print(f"  {name}: {(b[3] - a[3]) / (b[1] - a[1]):.2f} s cpu per year")
shutil.rmtree(work)
