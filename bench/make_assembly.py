"""Writes a large assembly in the Inventor stand-in's file format, for timing the main job:
100 parts, 10 sub-assemblies of 99 part occurrences each, and a top assembly that uses the
sub-assemblies USES times in turn (200 uses: 20,001 occurrences with the top). With
--thumbnails, each file has a picture of its own.
    make_assembly.py FOLDER [USES] [--thumbnails]"""
import json
import sys
from pathlib import Path


def properties(number, kind):
    return {
        "Inventor Summary Information": {"4": "A. Author", "9": "A"},
        "Design Tracking Properties": {"5": f"{kind}-{number:04d}",
                                       "29": f"{kind} number {number}", "20": "Steel",
                                       "36": 12.5, "40": 1, "41": "D. Designer"},
        "Model Information": {"2": 7.85, "3": 120.0},
    }


def write(path, document, number=None):
    if number is not None:
        from thumbnails import write_thumbnail  # PIL, only where pictures are asked for
        write_thumbnail(path.with_suffix(".bmp"), number)
        document["thumbnail"] = path.with_suffix(".bmp").name
    path.write_text(json.dumps(document, indent=1), encoding="utf-8")


def main(folder, uses, thumbnails):
    folder = Path(folder)
    numbered = (lambda n: n) if thumbnails else (lambda n: None)
    (folder / "Parts").mkdir(parents=True, exist_ok=True)
    for p in range(100):
        write(folder / "Parts" / f"P{p}.ipt", {"type": "part", "propertySets": properties(p, "P")},
              numbered(p))
    for a in range(10):
        occurrences = [{"name": f"P{(a + i) % 100}:{i + 1}", "file": f"Parts/P{(a + i) % 100}.ipt",
                        "matrix": [1, 0, 0, i * 10, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1]}
                       for i in range(99)]
        write(folder / f"A{a}.iam", {"type": "assembly", "propertySets": properties(a, "A"),
                                     "occurrences": occurrences}, numbered(100 + a))
    top = [{"name": f"A{u % 10}:{u // 10 + 1}", "file": f"A{u % 10}.iam"} for u in range(uses)]
    write(folder / "Top.iam", {"type": "assembly", "displayName": "Top",
                               "propertySets": properties(0, "T"), "occurrences": top},
          numbered(110))


numbers = [a for a in sys.argv[2:] if not a.startswith("--")]
main(sys.argv[1], int(numbers[0]) if numbers else 200, "--thumbnails" in sys.argv[2:])
