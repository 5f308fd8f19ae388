#!/usr/bin/env bash
# Hostile menu folders (bench/hostile/make-cases.py) against the figures every menu folder of at
# most 16 MiB must hold on the 2-core machine: the window or the error box within 5 s, and a
# peak resident memory under 1.25 x the largest decoded picture + 128 MiB. Runs the menu
# program on a private Xvfb and ostrel-inspect --render on each case and prints time and peak
# memory per case with its limits. OSTREL_BENCH_DIR chooses the build folder (default
# build-bench); OSTREL_BENCH_PROGRAMS=DIR takes ostrel and ostrel-inspect from DIR instead of
# building them (to measure another build the same way); CASES=DIR keeps the generated cases.
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ -n "${OSTREL_BENCH_PROGRAMS:-}" ]]; then
  ostrel=$OSTREL_BENCH_PROGRAMS/ostrel
  inspect=$OSTREL_BENCH_PROGRAMS/ostrel-inspect
else
  build=$(realpath -m "${OSTREL_BENCH_DIR:-build-bench}")
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DOSTREL_TESTS=OFF >/dev/null
  cmake --build "$build" --target ostrel ostrel-inspect >/dev/null
  ostrel=$build/src/app/ostrel
  inspect=$build/tools/inspect/ostrel-inspect
fi

cases=${CASES:-$(mktemp -d)}
xvfb=
cleanup() {
  [[ -n $xvfb ]] && kill "$xvfb" 2>/dev/null || true
  [[ -z ${CASES:-} ]] && rm -rf "$cases"
}
trap cleanup EXIT
[[ -e $cases/largest-done ]] || { python3 bench/hostile/make-cases.py "$cases"; touch "$cases/largest-done"; }

exec 3< <(Xvfb -displayfd 4 -screen 0 1280x1024x24 -nolisten tcp 4>&1 2>/dev/null)
read -r number <&3
xvfb=$!
export DISPLAY=:$number

python3 - "$cases" "$ostrel" "$inspect" <<'PY'
import os, resource, shutil, signal, subprocess, sys, threading, time

cases, ostrel, inspect = sys.argv[1:4]
MIB = 1 << 20
TIME_LIMIT = 5.0
# A build that runs away with memory fails its case instead of the machine.
ADDRESS_SPACE = 3 << 30


def limited():
    resource.setrlimit(resource.RLIMIT_AS, (ADDRESS_SPACE, ADDRESS_SPACE))


def visible_window(pid):
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)],
                           capture_output=True, text=True)
    return found.stdout.strip() != ""


def run_menu(folder, env):
    """Seconds to the first visible window of the program (its menu or its error box), or the
    text of how it ended without one, and the peak resident memory in bytes; the program is
    ended then."""
    program = os.path.join(folder, "ostrel")
    shutil.copy(ostrel, program)
    start = time.monotonic()
    process = subprocess.Popen([program], cwd=folder, env=env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL, preexec_fn=limited)
    shown, usage = None, None
    while time.monotonic() - start < 60:
        pid, status, done = os.wait4(process.pid, os.WNOHANG)
        if pid:
            usage = done
            shown = f"ended {os.waitstatus_to_exitcode(status)}"
            break
        if visible_window(process.pid):
            shown = time.monotonic() - start
            break
        time.sleep(0.02)
    if usage is None:
        os.kill(process.pid, signal.SIGKILL)
        _, _, usage = os.wait4(process.pid, 0)
    process.returncode = 0
    os.remove(program)
    return shown, usage.ru_maxrss * 1024


def run_inspect(folder, env):
    """Seconds ostrel-inspect takes to render the menu (None past 60 s) and its peak memory."""
    out = os.path.join(folder, "face.png")
    start = time.monotonic()
    process = subprocess.Popen([inspect, "--render", out, folder], cwd=folder, env=env,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                               preexec_fn=limited)
    watchdog = threading.Timer(60, process.kill)
    watchdog.start()
    _, _, usage = os.wait4(process.pid, 0)
    took = time.monotonic() - start
    late = not watchdog.is_alive()
    watchdog.cancel()
    process.returncode = 0
    if os.path.exists(out):
        os.remove(out)
    return (None if late else took), usage.ru_maxrss * 1024


print(f"{'case':40} {'limit MiB':>9} {'menu s':>7} {'menu MiB':>8} {'inspect s':>9} "
      f"{'inspect MiB':>11}  result")
failures = 0
for name in sorted(os.listdir(cases)):
    folder = os.path.join(cases, name)
    if not os.path.isdir(folder):
        continue
    largest = int(open(os.path.join(folder, "largest")).read())
    runs = int(open(os.path.join(folder, "runs")).read())
    limit = 1.25 * largest + 128 * MIB
    env = dict(os.environ)
    env["XDG_CACHE_HOME"] = os.path.join(folder, "cache")
    if os.path.isdir(os.path.join(folder, "prefix")):
        env["WINEPREFIX"] = os.path.join(folder, "prefix")
    for _ in range(runs):
        shown, peak = run_menu(folder, env)
    took, inspect_peak = run_inspect(folder, env)
    ok = (isinstance(shown, float) and shown <= TIME_LIMIT and peak <= limit and took is not None and
          took <= TIME_LIMIT and inspect_peak <= limit)
    failures += not ok
    show = lambda t: f"{t:7.2f}" if isinstance(t, float) else ("  >60 s" if t is None else t)
    print(f"{name:40} {limit / MIB:9.0f} {show(shown)} {peak / MIB:8.0f} {show(took):>9} "
          f"{inspect_peak / MIB:11.0f}  {'ok' if ok else 'OVER'}")
print(f"{failures} case(s) over the limits")
PY
