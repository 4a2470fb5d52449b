"""Writes an assembly of FILES distinct parts, each used once, in the Inventor stand-in's file
format: the shape of a plant or a steel structure, where the cost per distinct file shows.
With --thumbnails, each part has a picture of its own.
    make_distinct.py FOLDER FILES [--thumbnails]"""
import json
import sys
from pathlib import Path


def main(folder, files, thumbnails):
    folder = Path(folder)
    occurrences = []
    for p in range(files):
        part = Path(f"F{p // 1000}") / f"P{p}.ipt"
        (folder / part.parent).mkdir(parents=True, exist_ok=True)
        document = {"type": "part", "propertySets": {
            "Design Tracking Properties": {"5": f"P-{p:06d}", "29": f"Part number {p}",
                                           "20": "Steel", "36": 12.5}}}
        if thumbnails:
            from thumbnails import write_thumbnail  # PIL, only where pictures are asked for
            write_thumbnail(folder / part.with_suffix(".bmp"), p)
            document["thumbnail"] = part.with_suffix(".bmp").name
        (folder / part).write_text(json.dumps(document), encoding="utf-8")
        occurrences.append({"name": f"P{p}:1", "file": part.as_posix()})
    (folder / "Top.iam").write_text(json.dumps({"type": "assembly", "occurrences": occurrences}),
                                    encoding="utf-8")


if __name__ == "__main__":
    main(sys.argv[1], int(sys.argv[2]), "--thumbnails" in sys.argv[3:])
