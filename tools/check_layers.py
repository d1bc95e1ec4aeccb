#!/usr/bin/env python3
"""Fails when the product's folders include upward or in a circle.

Layers, lowest first; folders of one layer may include each other, but
no chain of includes between folders may lead back to where it started.
"""
import os
import re
import sys

LAYERS = [["base"], ["fs"], ["unzip", "progress", "progman"], ["setup"], ["install"], ["startup"]]
RANK = {folder: rank for rank, group in enumerate(LAYERS) for folder in group}
INCLUDE = re.compile(r'^#include "([a-z]+)/', re.M)


def folder_edges(root):
    edges = {}
    for folder in RANK:
        for name in sorted(os.listdir(os.path.join(root, folder))):
            if not name.endswith((".cpp", ".h")):
                continue
            with open(os.path.join(root, folder, name), encoding="latin-1") as source:
                for included in INCLUDE.findall(source.read()):
                    if included in RANK and included != folder:
                        edges.setdefault(folder, {}).setdefault(included, f"{folder}/{name}")
    return edges


def cycle_from(start, edges):
    stack = [(start, [start])]
    while stack:
        folder, path = stack.pop()
        for nxt in edges.get(folder, {}):
            if nxt == start:
                return path + [start]
            if nxt not in path:
                stack.append((nxt, path + [nxt]))
    return None


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    edges = folder_edges(root)
    faults = []
    for folder, targets in edges.items():
        for included, where in targets.items():
            if RANK[included] > RANK[folder]:
                faults.append(f"{where} includes {included}/, a higher layer")
    for folder in RANK:
        cycle = cycle_from(folder, edges)
        if cycle:
            faults.append("folders include each other: " + " -> ".join(cycle))
            break
    for fault in faults:
        print(fault, file=sys.stderr)
    print(f"{sum(len(t) for t in edges.values())} folder dependencies, {len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
