#!/usr/bin/env python3
"""Edits taken back by keys reach the files as the show was.

On an initialised show: scene 1 renamed and all its fixtures sized; the open
editor writes the edit within a second or two. Ctrl+Z twice takes both back
and the file holds the first scene again without closing; Ctrl+Y and
Ctrl+Shift+Z do them again, Ctrl+Z twice more takes them back, Ctrl+H lists
the undo keys, and the close writes the scene as it was. In the patch
editor two fixtures patched and everything unpatched, then three undos: the
patch file after the close equals the initialised one.
"""
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from console import check, run


def file_bytes(c, ext):
    with open(c.path("PRSMDATA." + ext), "rb") as f:
        return f.read()


def scenario(c, rx, peer):
    c.init_show()
    scenes, patch = file_bytes(c, "SCN"), file_bytes(c, "LPT")
    c.start()
    c.keys("Escape")                      # main menu

    c.keys("F1")                          # scene 1
    c.keys("F2")
    c.type("UNDO")
    c.keys("F6")                          # every fixture marked
    c.keys("F4")
    c.type("50")
    time.sleep(2.0)                       # the open editor writes its change
    edited = file_bytes(c, "SCN")
    check(edited != scenes and b"UNDO" in edited[:21], "the edited scene on disk while the editor is open")

    c.keys("ctrl+z", "ctrl+z", pause=0.3)
    c.screenshot("scene_undone")
    time.sleep(2.0)
    check(file_bytes(c, "SCN") == scenes, "both edits taken back on disk while the editor is open")
    c.keys("ctrl+y", "ctrl+shift+z", pause=0.3)
    time.sleep(2.0)
    check(file_bytes(c, "SCN") == edited, "both edits done again on disk")
    c.keys("ctrl+z", "ctrl+z", "ctrl+z", pause=0.3)  # the third finds nothing left
    c.screenshot("nothing_left")
    c.keys("ctrl+h", pause=0.5)
    c.screenshot("scene_key_map")
    c.keys("Escape", pause=0.3)           # closes the key map
    c.keys("Escape", pause=0.5)           # closes the editor, which writes its table
    check(file_bytes(c, "SCN") == scenes, "the scene file as initialised after the close")

    c.keys("F6")                          # the patch editor
    c.keys("F6", "F6", pause=0.3)         # fixtures 1 and 2 patched
    c.keys("F8")
    c.answer_yes()                        # everything unpatched
    c.keys("ctrl+z", pause=0.3)
    c.screenshot("patch_undone")
    c.keys("ctrl+z", "ctrl+z", pause=0.3)
    c.keys("Escape", pause=0.5)
    check(file_bytes(c, "LPT") == patch, "the patch file as initialised after three undos and the close")
    c.quit()


sys.exit(run(scenario))
