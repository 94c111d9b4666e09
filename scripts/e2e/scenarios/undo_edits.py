#!/usr/bin/env python3
"""Edits taken back by keys reach the files as the show was: scene 1 renamed
and sized, written by the open editor, undone twice (on disk again without a
close), redone, undone, closed; in the patch editor two fixtures patched and
all unpatched, undone three times and closed. Both files end as initialised.
"""
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from console import check, run


def scenario(c, rx, peer):
    def data(ext):
        with open(c.path("PRSMDATA." + ext), "rb") as f:
            return f.read()

    c.init_show()
    scenes, patch = data("SCN"), data("LPT")
    c.start()
    c.keys("Escape", "F1", "F2")          # main menu, scene editor, scene 1's name
    c.type("UNDO")
    c.keys("F6", "F4")                    # every fixture marked, its size
    c.type("50")
    time.sleep(2.0)                       # the open editor writes its change
    edited = data("SCN")
    check(edited != scenes and b"UNDO" in edited[:21], "the edited scene on disk while the editor is open")
    c.keys("ctrl+z", "ctrl+z", pause=0.3)
    c.screenshot("scene_undone")
    time.sleep(2.0)
    check(data("SCN") == scenes, "both edits taken back on disk while the editor is open")
    c.keys("ctrl+y", "ctrl+shift+z", pause=0.3)
    time.sleep(2.0)
    check(data("SCN") == edited, "both edits done again on disk")
    c.keys("ctrl+z", "ctrl+z", "ctrl+z", "ctrl+h", pause=0.4)  # the third finds nothing left
    c.screenshot("scene_key_map")
    c.keys("Escape", "Escape", pause=0.5)  # the key map, the editor (which writes)
    check(data("SCN") == scenes, "the scene file as initialised after the close")

    c.keys("F6", "F6", "F6", "F8", pause=0.3)  # the patch editor: fixtures 1 and 2 patched, all unpatched
    c.answer_yes()
    c.keys("ctrl+z", "ctrl+z", "ctrl+z", pause=0.3)
    c.screenshot("patch_undone")
    c.keys("Escape", pause=0.5)
    check(data("LPT") == patch, "the patch file as initialised after three undos and the close")
    c.quit()


sys.exit(run(scenario))
