#!/usr/bin/env python3
"""scripts/check_layers.py on small trees: a CMakeLists.txt and sources in, exit status and the
problem named out."""
import os
import subprocess
import sys
import tempfile
import unittest

SCRIPT = os.path.join(os.path.dirname(__file__), '..', '..', 'scripts', 'check_layers.py')
LOW = 'add_library(low STATIC src/low/low.cpp src/low/low.h)\n'
LOW_FILES = {'src/low/low.cpp': '#include "low/low.h"\n', 'src/low/low.h': ''}
ROWS = [
    # name, CMakeLists.txt, files beyond the low layer's, exit status, problem named
    ('included and linked',
     LOW + 'add_library(high STATIC src/high/high.cpp)\ntarget_link_libraries(high PUBLIC low)',
     {'src/high/high.cpp': '#include "low/low.h"\n#include "ui_form.h"\n'}, 0, ''),
    ('included, not linked',
     LOW + 'add_library(high STATIC src/high/high.cpp)',
     {'src/high/high.cpp': '#include "low/low.h"\n'}, 1,
     'src/high/high.cpp: includes low/low.h of low, which high does not link'),
    ('linked, nothing included',
     LOW + 'add_executable(tool tools/tool.cpp)\ntarget_link_libraries(tool PRIVATE low Qt6::Core)',
     {'tools/tool.cpp': '#include <QString>\n'}, 1, 'tool: links low but includes nothing of it'),
    ('a header no library lists',
     'add_library(low STATIC src/low/low.cpp)',
     {}, 1, 'src/low/low.cpp: includes src/low/low.h, which no library lists'),
    ('sources taken from a folder',
     'zanu_sources(LOW_SRC src/low)\nadd_library(low STATIC ${LOW_SRC})\n'
     'add_executable(app src/low/main.cpp)  # main.cpp: the program\'s, not the library\'s\n'
     'target_link_libraries(app PRIVATE low)',
     {'src/low/main.cpp': '#include "low/low.h"\n'}, 0, ''),
]


class CheckLayers(unittest.TestCase):
    def test_rows(self):
        for name, cmake, files, status, problem in ROWS:
            with self.subTest(name), tempfile.TemporaryDirectory() as root:
                for path, text in {**LOW_FILES, **files, 'CMakeLists.txt': cmake}.items():
                    os.makedirs(os.path.join(root, os.path.dirname(path)), exist_ok=True)
                    with open(os.path.join(root, path), 'w', encoding='utf-8') as f:
                        f.write(text)
                run = subprocess.run([sys.executable, SCRIPT, root], capture_output=True,
                                     text=True, timeout=60)
                self.assertEqual(run.returncode, status, run.stderr)
                self.assertIn(problem, run.stderr)


if __name__ == '__main__':
    unittest.main()
