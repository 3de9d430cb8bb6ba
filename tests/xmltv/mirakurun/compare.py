#!/usr/bin/env python3
"""Compares the exported programme records with the seed's: every seeded
programme of a declared channel once, with its times, title, genre and
flags, and nothing else; with --api (a guide read from the server's JSON
API) also its ids, channel type, genre classes, extended text and series,
absent where the seed has none. Prints each difference; exit 1 when any.

usage: compare.py [--api] EXPECTED.json EXPORTED.json"""
import json
import sys


def key(record):
    return (record["channel"], record["start"])


API_FIELDS = ("channelId", "channelType", "programId", "networkId", "serviceId", "eventId", "genreClasses",
              "extended", "series")


def main(expected_path, exported_path, api=False):
    expected = {key(r): r for r in json.load(open(expected_path, encoding="utf-8"))}
    exported = json.load(open(exported_path, encoding="utf-8"))
    faults = []
    seen = set()
    for record in exported:
        want = expected.get(key(record))
        if want is None:
            faults.append(f"not seeded: {record['channel']} {record['start']} {record['title']}")
            continue
        seen.add(key(record))
        for field in ("stop", "title", "genre") + (API_FIELDS if api else ()):
            if record.get(field) != want.get(field):
                faults.append(f"{want['channel']} {want['start']} {field}: {record[field]!r}, seeded {want[field]!r}")
        if sorted(record["flags"]) != want["flags"]:
            faults.append(f"{want['channel']} {want['start']} flags: {record['flags']}, seeded {want['flags']}")
    for missing in sorted(set(expected) - seen):
        faults.append(f"missing: {missing[0]} {missing[1]} {expected[missing]['title']}")
    for fault in faults:
        print(fault)
    print(f"{len(expected)} seeded, {len(exported)} exported, {len(faults)} differences")
    return 1 if faults else 0


if __name__ == "__main__":
    api = sys.argv[1] == "--api"
    sys.exit(main(sys.argv[-2], sys.argv[-1], api))
