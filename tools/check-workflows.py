#!/usr/bin/env python3
"""Checks the CI workflows that this machine cannot run (.github/workflows/).

Each file must be YAML that a runner can read: triggers, jobs with runs-on and
steps, and every step either uses an action or runs a command. Every CMake
preset a command names (cmake --preset, cmake --build --preset,
ctest --preset, cmake --workflow --preset) must exist in CMakePresets.json,
of that kind. Prints one line per fault and exits 1 if there is any.
"""

import json
import pathlib
import re
import shlex
import sys

import yaml

root = pathlib.Path(__file__).resolve().parent.parent
presets = json.loads((root / "CMakePresets.json").read_text())
names = {
    kind: {p["name"] for p in presets.get(kind + "Presets", [])}
    for kind in ("configure", "build", "test", "workflow")
}


def presets_named(command):
    """(kind, name) for each preset that one shell command names."""
    for line in re.split(r"[\n;&|]+", command):
        try:
            words = shlex.split(line, comments=True)
        except ValueError:
            continue
        if not words or words[0] not in ("cmake", "ctest"):
            continue
        kind = "test" if words[0] == "ctest" else "configure"
        for i, word in enumerate(words):
            if word == "--build":
                kind = "build"
            elif word == "--workflow":
                kind = "workflow"
            elif word == "--preset" and i + 1 < len(words):
                yield kind, words[i + 1]
            elif word.startswith("--preset="):
                yield kind, word.split("=", 1)[1]


def check(file):
    path = file.relative_to(root)
    faults = []
    try:
        flow = yaml.safe_load(file.read_text())
    except yaml.YAMLError as error:
        return [f"{path}: not valid YAML: {error}"]
    if not isinstance(flow, dict):
        return [f"{path}: not a mapping"]
    # YAML 1.1 reads the key "on" as true.
    if "on" not in flow and True not in flow:
        faults.append(f"{path}: no triggers (on:)")
    jobs = flow.get("jobs")
    if not isinstance(jobs, dict) or not jobs:
        return faults + [f"{path}: no jobs"]
    for job_name, job in jobs.items():
        where = f"{path}: job {job_name}"
        if not isinstance(job, dict) or "runs-on" not in job:
            faults.append(f"{where}: no runs-on")
            continue
        steps = job.get("steps")
        if not isinstance(steps, list) or not steps:
            faults.append(f"{where}: no steps")
            continue
        for n, step in enumerate(steps, 1):
            if not isinstance(step, dict) or ("uses" in step) == ("run" in step):
                faults.append(f"{where}, step {n}: needs either uses or run")
                continue
            for kind, name in presets_named(str(step.get("run", ""))):
                if name not in names[kind]:
                    faults.append(f"{where}, step {n}: no {kind} preset {name!r} in CMakePresets.json")
    return faults


files = sorted((root / ".github" / "workflows").glob("*.y*ml"))
faults = [fault for file in files for fault in check(file)]
for fault in faults:
    print(fault, file=sys.stderr)
sys.exit(1 if faults else 0)
