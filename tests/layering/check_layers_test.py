#!/usr/bin/env python3
"""The layer checker on small trees of its own: what it lets through and what it reports."""
import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_layers  # noqa: E402

LAYERS = 'wire\ndevice archive sim\nui\n'


class LayerRules(unittest.TestCase):
    def tree(self, files, layers=LAYERS):
        root = tempfile.mkdtemp()
        files = dict(files)
        files['src/layers.txt'] = layers
        for path, text in files.items():
            full = os.path.join(root, path)
            os.makedirs(os.path.dirname(full), exist_ok=True)
            with open(full, 'w', encoding='utf-8') as out:
                out.write(text)
        return root

    def test_downward_and_own_folder_includes_pass(self):
        root = self.tree({
            'src/wire/frames.h': '#include <cstdint>\n',
            'src/device/exchange.cpp': '#include "exchange.h"\n#include "wire/frames.h"\n',
            'src/device/exchange.h': '',
            'src/ui/view.cpp': '#include "device/exchange.h"\n#include "wire/frames.h"\n',
            'sim/instrument.cpp': '#include "wire/frames.h"\n',
        })
        self.assertEqual(check_layers.violations(root), [])

    def test_wrong_includes_are_named_with_file_line_and_reason(self):
        cases = [
            ('src/wire/frames.cpp', '\n#include "device/exchange.h"\n', 'frames.cpp:2', 'above'),
            ('src/device/exchange.cpp', '#include "archive/table.h"\n', 'exchange.cpp:1', 'beside'),
            ('sim/shim.cpp', '#include "device/exchange.h"\n', 'shim.cpp:1', 'beside'),
            ('src/device/exchange.cpp', '#include "table.h"\n', 'exchange.cpp:1', 'no such file'),
            ('src/ui/view.cpp', '#include "report/page.h"\n', 'view.cpp:1', 'no layer'),
        ]
        for path, text, at, reason in cases:
            with self.subTest(path=path, text=text):
                problems = check_layers.violations(self.tree({path: text}))
                self.assertEqual(len(problems), 1, problems)
                self.assertIn(at, problems[0])
                self.assertIn(reason, problems[0])

    def test_windowless_folders_include_no_window(self):
        files = {'src/ui/progress_dialog.h': 'class ProgressDialog : public QDialog {\n',
                 'src/ui/texts.h': '', 'src/output/listing.cpp': '#include "ui/texts.h"\n'}
        self.assertEqual(check_layers.violations(self.tree(files, 'ui\noutput\n')), [])
        files['src/output/listing.cpp'] += '#include "ui/progress_dialog.h"\n'
        problems = check_layers.violations(self.tree(files, 'ui\noutput\n'))
        self.assertEqual(len(problems), 1, problems)
        self.assertIn('listing.cpp:2', problems[0])
        self.assertIn('uses no window', problems[0])

    def test_folder_missing_from_the_order_is_reported(self):
        problems = check_layers.violations(self.tree({'src/report/page.h': ''}))
        self.assertEqual(problems, ['src/report: folder not placed in src/layers.txt'])


if __name__ == '__main__':
    unittest.main()
