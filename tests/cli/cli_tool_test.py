"""porvel-cli as a script runs it, against the simulated instrument: the archive read and its
append, Ctrl+C in the middle of a read, the files of export, print and screenshot read back by
openpyxl, xlrd, the csv module, pdftotext and Pillow, the lists, the help, and every failure with its exit code and
its one line on stderr.

Usage: cli_tool_test.py PORVEL_CLI LIBPORVEL_SIM"""
import csv
import datetime
import io
import json
import os
import signal
import subprocess
import sys
import tempfile
import unittest

import openpyxl
import xlrd
from PIL import Image

TOOL, SIM = sys.argv[1], sys.argv[2]

BASE = """object 3 ru="Свая" en="Pile" material=2
record number=12 date=2026-11-05 time=14:05:37 object=3 m=12.5 h=1.24 samples=120
record number=13 m=2.5 h=0 samples=80
record number=14 date=2026-11-06 time=09:30 m=45 samples=60
"""
# The same three, one more in the minute of number 13 (14:15:37, the seconds differ), and two
# new ones.
LATER = BASE + """record number=20 date=2026-11-05 time=14:15:59 m=7 samples=40
record number=21 date=2026-11-07 time=08:00 m=9 samples=40
record number=22 m=11 samples=40
"""


class Tool(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.dir = tempfile.TemporaryDirectory()
        cls.base = cls.path("base.wpa")
        code, _, err = cls.run_tool(["download", "-o", cls.base], BASE)
        assert code == 0, err

    @classmethod
    def tearDownClass(cls):
        cls.dir.cleanup()

    @classmethod
    def path(cls, name):
        return os.path.join(cls.dir.name, name)

    @classmethod
    def environment(cls, scenario, extra):
        env = dict(os.environ, PORVEL_USB_LIBRARY=SIM, LC_ALL="en_US.UTF-8")
        env.pop("PORVEL_SIM_SCENARIO", None)
        if scenario is not None:
            scenario_file = cls.path("scenario.txt")
            with open(scenario_file, "w", encoding="utf-8") as f:
                f.write(scenario)
            env["PORVEL_SIM_SCENARIO"] = scenario_file
        env.update(extra or {})
        return env

    @classmethod
    def run_tool(cls, args, scenario=None, env=None, lang="en"):
        command = [TOOL] + (["--lang", lang] if lang else []) + args
        done = subprocess.run(command, env=cls.environment(scenario, env), capture_output=True,
                              timeout=120)
        return done.returncode, done.stdout.decode("utf-8"), done.stderr.decode("utf-8")

    def info(self, archive):
        code, out, err = self.run_tool(["info", archive, "--json"])
        self.assertEqual(code, 0, err)
        return json.loads(out)


class Download(Tool):
    def test_info_shows_the_visible_columns_as_tab_separated_text(self):
        code, out, err = self.run_tool(["info", self.base])
        self.assertEqual(code, 0, err)
        lines = out.splitlines()
        self.assertEqual(lines[0].split("\t")[:4], ["№", "Time", "Date", "Object"])
        self.assertEqual(len(lines), 4)
        self.assertEqual([line.split("\t")[0] for line in lines[1:]], ["12", "13", "14"])
        self.assertEqual(lines[1].split("\t")[3], "Pile")
        self.assertEqual(len(lines[1].split("\t")), 10)

    def test_info_lists_and_sums_up_the_named_rows(self):
        code, out, err = self.run_tool(["info", self.base, "--rows", "3,1"])
        self.assertEqual(code, 0, err)
        self.assertEqual([line.split("\t")[0] for line in out.splitlines()], ["№", "14", "12"])
        code, out, err = self.run_tool(["info", self.base, "--rows", "1,3", "--summary", "--json"])
        self.assertEqual(code, 0, err)
        s = json.loads(out)
        self.assertEqual((s["rows"], s["withoutM"], s["minM"], s["maxM"]), (2, 0, 12.5, 45.0))
        self.assertAlmostEqual(s["meanM"], 28.75)
        self.assertAlmostEqual(s["variationPercent"], 100 * 32.5 / 2 ** 0.5 / 28.75)
        self.assertAlmostEqual(s["meanA"], (0.08 + 0.0222) / 2)
        self.assertEqual((s["grade"], s["gradePlace"]), ("W12", "within"))
        code, out, err = self.run_tool(["info", self.base, "--rows", "2", "--summary"])
        self.assertEqual(code, 0, err)
        self.assertEqual(out, "Selected 1: mean m 2.5 (2.5 – 2.5), coefficient of variation —, "
                              "mean a 0.4000, grade of the mean m below W2\n")
        code, _, err = self.run_tool(["info", self.base, "--rows", "2-9", "--summary"])
        self.assertNotEqual(code, 0)
        self.assertIn("2-9", err)

    def test_append_adds_only_the_new_measurements(self):
        archive = self.path("append.wpa")
        with open(self.base, "rb") as f, open(archive, "wb") as g:
            g.write(f.read())
        before = self.info(archive)["rows"]
        code, _, err = self.run_tool(["download", "-o", archive, "--append"], LATER)
        self.assertEqual(code, 0, err)
        self.assertIn("5 measurements, 2 new", err)
        rows = self.info(archive)["rows"]
        self.assertEqual(rows[:3], before)
        self.assertEqual([r["cells"][0] for r in rows], ["12", "13", "14", "21", "22"])
        self.assertEqual(len({r["slot"] for r in rows}), 5)
        # Nothing new: the file stays as it was.
        with open(archive, "rb") as f:
            written = f.read()
        code, _, err = self.run_tool(["download", "-o", archive, "--append"], LATER)
        self.assertEqual(code, 0, err)
        self.assertIn("no new measurements", err)
        with open(archive, "rb") as f:
            self.assertEqual(f.read(), written)

    def test_keep_partial_writes_what_arrived_and_names_the_rest(self):
        archive = self.path("partial.wpa")
        scenario = "generate count=36 samples=40\nfault record_crc record=5\nfault curve_crc record=8\n"
        line = "Not read: 6 (CRC error), 9 (no curve)"
        code, _, err = self.run_tool(["download", "-o", archive], scenario)
        self.assertEqual(code, 4, err)
        self.assertIn(line, err)
        self.assertFalse(os.path.exists(archive))
        code, _, err = self.run_tool(["download", "-o", archive, "--keep-partial"], scenario)
        self.assertEqual(code, 4, err)
        self.assertIn(line, err)
        rows = self.info(archive)["rows"]
        self.assertEqual(len(rows), 35)
        self.assertNotIn("6", [r["cells"][0] for r in rows])
        code, _, err = self.run_tool(["--lang", "ru", "download", "-o", archive, "--keep-partial"],
                                     scenario, lang=None)
        self.assertEqual(code, 4, err)
        self.assertIn("Не прочитаны: 6 (ошибка контрольной суммы), 9 (без кривой)", err)

    def test_ctrl_c_ends_the_read_closes_the_instrument_and_writes_nothing(self):
        out_dir = self.path("interrupted")
        os.mkdir(out_dir)
        log = self.path("sim.log")
        env = self.environment("generate count=40\n", {"PORVEL_SIM_LOG": log})
        tool = subprocess.Popen([TOOL, "--lang", "en", "download", "-o",
                                 os.path.join(out_dir, "out.wpa")],
                                env=env, stderr=subprocess.PIPE, text=True)
        for line in tool.stderr:
            if "measurement" in line:
                break
        tool.send_signal(signal.SIGINT)
        rest = tool.stderr.read()
        self.assertEqual(tool.wait(timeout=30), 130)
        self.assertEqual(rest.strip().splitlines()[-1],
                         "porvel-cli: interrupted: the instrument is closed, nothing written")
        self.assertEqual(os.listdir(out_dir), [])
        with open(log, encoding="utf-8") as f:
            entries = [line.split(" ", 1)[1] for line in f.read().splitlines()]
        self.assertEqual(entries[-1], "device closed")
        self.assertEqual(entries.count("device opened"), 1)
        self.assertLess(sum(e.startswith("ReadRecord") for e in entries), 40)


def table_value(text, comma):
    """What a reader should find for a table text of a desktop with the decimal comma or point:
    a number, a date or a time, or the text itself."""
    number = text.replace(",", ".") if comma else text
    try:
        return float(number)
    except ValueError:
        pass
    for form in ("%d.%m.%Y", "%m/%d/%Y"):
        try:
            return datetime.datetime.strptime(text, form)
        except ValueError:
            pass
    try:
        return datetime.datetime.strptime(text, "%H:%M").time()
    except ValueError:
        return text


class Outputs(Tool):
    def test_export_writes_the_table_into_each_workbook_kind_on_both_desktops(self):
        # printf inside the workbook library follows the C library's locale: on a Russian desktop
        # every number, time and width once came out as "0,38".
        for desktop, comma in (("en_US.UTF-8", False), ("ru_RU.UTF-8", True)):
            env = {"LC_ALL": desktop}
            base = self.path(f"base-{desktop}.wpa")
            code, _, err = self.run_tool(["download", "-o", base], BASE, env=env)
            self.assertEqual(code, 0, err)
            code, out, err = self.run_tool(["info", base, "--json"], env=env)
            self.assertEqual(code, 0, err)
            table = json.loads(out)
            header, rows = table["columns"], [r["cells"] for r in table["rows"]]
            self.assertIn("," if comma else ".", rows[0][5])
            want = [[table_value(t, comma) for t in row] for row in rows]
            for kind in ("xlsx", "xls", "csv"):
                where = f"{desktop} {kind}"
                target = self.path(f"export-{desktop}.{kind}")
                code, _, err = self.run_tool(["export", base, target], env=env)
                self.assertEqual(code, 0, err)
                if kind == "xlsx":
                    sheet = openpyxl.load_workbook(target).worksheets[0]
                    self.assertEqual(sheet.title, "Archive of measurements 1")
                    got = [[c.value for c in row] for row in sheet.iter_rows(max_col=10)]
                    for letter in "ABCDEFGHIJ":
                        self.assertGreater(float(sheet.column_dimensions[letter].width), 0)
                elif kind == "xls":
                    book = xlrd.open_workbook(target, formatting_info=True)
                    sheet = book.sheet_by_index(0)
                    got = [sheet.row_values(r) for r in range(sheet.nrows)]
                    for r in range(1, sheet.nrows):
                        for c in range(sheet.ncols):
                            if sheet.cell_type(r, c) == xlrd.XL_CELL_DATE:
                                got[r][c] = xlrd.xldate_as_datetime(got[r][c], book.datemode)
                                if got[r][c].year == 1899:
                                    got[r][c] = got[r][c].time()
                else:
                    with open(target, encoding="utf-8-sig", newline="") as f:
                        got = list(csv.reader(f, delimiter=";" if comma else ","))
                    self.assertEqual(got, [header] + rows, where)
                    continue
                self.assertEqual(got[0], header, where)
                self.assertEqual(len(got), len(rows) + 1, where)
                for r, (got_row, want_row) in enumerate(zip(got[1:], want), start=1):
                    for c, (value, expected) in enumerate(zip(got_row, want_row)):
                        cell = f"{where} row {r} column {c}: {value!r} for {rows[r - 1][c]!r}"
                        if expected == "":
                            self.assertIn(value, (None, ""), cell)
                        elif isinstance(expected, float):
                            self.assertIsInstance(value, (int, float), cell)
                            self.assertAlmostEqual(value, expected, places=9, msg=cell)
                        elif isinstance(expected, datetime.time):
                            value = value.time() if isinstance(value, datetime.datetime) else value
                            self.assertEqual(value, expected, cell)
                        else:
                            self.assertEqual(value, expected, cell)

    def test_print_writes_the_listing_and_the_record_of_the_named_rows(self):
        def text_of(pdf):
            pages = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True).stdout
            self.assertIn("Pages:           1", pages)
            return subprocess.run(["pdftotext", "-layout", pdf, "-"], capture_output=True,
                                  text=True).stdout.splitlines()

        def numbers(lines):  # the first field of every table line, in page order
            return [l.split()[0] for l in lines if l.strip()[:2] in ("12", "13", "14")]

        listing, record = self.path("listing.pdf"), self.path("record.pdf")
        self.assertEqual(self.run_tool(["print", self.base, listing])[0], 0)
        lines = text_of(listing)
        self.assertTrue(lines[0].strip().startswith("Archive of measurements "), lines[0])
        self.assertEqual(numbers(lines), ["12", "13", "14"])
        # Rows in the order named, a row named twice printed twice.
        self.assertEqual(self.run_tool(["print", self.base, record, "--record", "3,1-2,1"])[0], 0)
        lines = text_of(record)
        self.assertTrue(any("Page" in l and "1 / 1" in l for l in lines), lines)
        self.assertEqual([n[:2] for n in numbers(lines)][-4:], ["14", "12", "13", "12"])

    def test_screenshot_draws_the_screen_block_in_the_chosen_colours(self):
        # Byte 0 bit 0 is display pixel (0, 0); byte 97 bit 7 is (97, 7); byte 98 bit 0 is (0, 8).
        block = ["00"] * 784
        block[0], block[97], block[98] = "01", "80", "01"
        scenario = "screen hex " + " ".join(block) + "\n"
        for kind in ("png", "bmp"):
            target = self.path("screen." + kind)
            code, _, err = self.run_tool(["screenshot", "-o", target, "--ink", "#ff0000",
                                          "--background", "navy"], scenario)
            self.assertEqual(code, 0, err)
            with Image.open(target) as picture:
                self.assertEqual(picture.format, kind.upper())
                image = picture.convert("RGB")
            self.assertEqual(image.size, (102, 68))
            ink, paper = (255, 0, 0), (0, 0, 128)
            for x, y in ((0, 0), (101, 67), (2, 2), (99, 9), (2, 10)):
                self.assertEqual(image.getpixel((x, y)), ink, (kind, x, y))
            for x, y in ((1, 1), (3, 2), (2, 3), (100, 66)):
                self.assertEqual(image.getpixel((x, y)), paper, (kind, x, y))
            ink_pixels = sum(p == ink for p in image.getdata())
            self.assertEqual(ink_pixels, 2 * 102 + 2 * 66 + 3)

    def test_lists_give_both_languages_and_name_damaged_entries(self):
        scenario = ('material 2 ru="Бетон-М" en="Concrete M" a0=1.5e-3 a1=250\n'
                    'object 3 ru="Свая" en="Pile" material=2\n'
                    "fault material_crc entry=4\n")
        code, out, err = self.run_tool(["lists", "--json"], scenario)
        self.assertEqual(code, 4, err)
        self.assertEqual(err.strip().splitlines()[-1], "porvel-cli: material 5 is damaged: CRC16 error")
        lists = json.loads(out)
        self.assertEqual(len(lists["materials"]), 20)
        self.assertEqual(len(lists["objects"]), 20)
        material = lists["materials"][2]
        self.assertEqual((material["ru"], material["en"], material["a0"], material["a1"]),
                         ("Бетон-М", "Concrete M", 0.0015, 250))
        self.assertFalse(lists["materials"][4]["valid"])
        pile = lists["objects"][3]
        self.assertEqual((pile["ru"], pile["en"], pile["valid"]), ("Свая", "Pile", True))
        self.assertEqual(pile["material"], {"number": 3, "ru": "Бетон-М", "en": "Concrete M"})
        # As text, in the Russian of the default, with the coefficients of the locale.
        code, out, err = self.run_tool(["lists"], "", env={"LC_ALL": "ru_RU.UTF-8"}, lang=None)
        self.assertEqual(code, 0, err)
        self.assertTrue(out.startswith("Материалы\n№\tНазвание (рус.)\tНазвание (англ.)\ta0\ta1\n"))
        self.assertIn("\nОбъекты\n", out)

    def test_help_lists_the_commands_and_the_exit_codes(self):
        code, out, _ = self.run_tool(["--help"], lang=None)
        self.assertEqual(code, 0)
        self.assertIn("Коды завершения:", out)
        code, out, _ = self.run_tool(["--help"])
        for command in ("download", "info", "export", "screenshot", "lists"):
            self.assertIn("\n  " + command + " ", out)
        self.assertIn("\n  130  interrupted", out)
        code, out, _ = self.run_tool(["download", "--help"])
        self.assertEqual(code, 0)
        self.assertIn("--append", out)
        self.assertIn("--timeout <s>", out)
        code, out, _ = self.run_tool(["--version"])
        self.assertRegex(out, r"^porvel-cli \d+\.\d+\.\d+\.\d+\n")


class Failures(Tool):
    def test_every_failure_has_its_code_and_one_line(self):
        garbage = self.path("garbage.wpa")
        with open(garbage, "wb") as f:
            f.write(b"\x0d\x00\x00\x00not an archive at all")
        missing = self.path("missing.wpa")
        target = self.path("target.wpa")
        three = "record\nrecord\nrecord\n"
        cases = [
            ([], None, None, 2, "no command given"),
            (["frobnicate"], None, None, 2, 'unknown command "frobnicate"'),
            (["download"], None, None, 2, "download: -o OUT.wpa is missing"),
            (["info", self.base, "extra"], None, None, 2, "info: unexpected arguments: extra"),
            (["info", "--bogus", self.base], None, None, 2, "Unknown option '--bogus'."),
            (["export", self.base, self.path("x.pdf")], None, None, 2, "unknown extension"),
            (["print", self.base, self.path("p.pdf"), "--record", "2,4"], None, None, 2,
             '--record: "4" is not a row number from 1 to 3'),
            (["print", missing, self.path("p.pdf")], None, None, 5, "could not be opened"),
            (["screenshot", "-o", self.path("s.png"), "--ink", "nocolour"], None, None, 2,
             '--ink: unknown colour "nocolour"'),
            (["download", "-o", target, "--timeout", "soon"], None, None, 2, '"soon"'),
            (["info", missing], None, None, 5, "could not be opened"),
            (["info", garbage], None, None, 5, "is not a Porvel archive"),
            (["download", "-o", garbage, "--append"], three, None, 5, "is not a Porvel archive"),
            (["export", self.base, self.path("no/such/x.xlsx")], None, None, 6,
             "does not exist"),
            (["download", "-o", self.dir.name], three, None, 6, "it is a folder"),
            (["download", "-o", target, "--timeout", "1"], "instruments 0\n", None, 3,
             "no instrument found within 1 s"),
            (["download", "-o", target], three, {"PORVEL_USB_LIBRARY": "/nonexistent/libusb.so"},
             3, "the USB library /nonexistent/libusb.so cannot be loaded"),
            (["download", "-o", target], three + "fault record_crc record=1\n", None, 4,
             "read only in part: 2 of 3 measurements. Not read: 2 (CRC error); nothing written"),
            (["download", "-o", target], three + "fault unplug after=14\n", None, 4,
             "the read failed at measurement 1 of 3: Link Error; nothing written"),
            (["download", "-o", target, "--timeout", "1"],
             three + "fault parameters_marker replies=1000\n", None, 4,
             "no progress for 1 s: CRC16 Error"),
            (["download", "-o", target], 'version "x"\n', None, 7,
             "the instrument holds no measurements"),
        ]
        for args, scenario, env, want_code, want_text in cases:
            with self.subTest(args=args):
                code, _, err = self.run_tool(args, scenario, env)
                self.assertEqual(code, want_code, err)
                last = err.strip().splitlines()[-1]
                self.assertTrue(last.startswith("porvel-cli: "), err)
                self.assertIn(want_text, last)
                self.assertFalse(os.path.exists(target))
        # Output that cannot be written is a failure, not a result.
        with open("/dev/full", "w") as full:
            done = subprocess.run([TOOL, "--lang", "en", "info", self.base], stdout=full,
                                  stderr=subprocess.PIPE, env=self.environment(None, None),
                                  timeout=60)
        self.assertEqual(done.returncode, 6)
        self.assertIn("stdout cannot be written: No space left on device", done.stderr.decode())
        # Bad language: said in Russian, since the language itself is in question.
        code, _, err = self.run_tool(["info", self.base], lang="de")
        self.assertEqual((code, err), (2, "porvel-cli: --lang: язык «de» не поддерживается, "
                                           "только ru или en\n"))

    def test_lines_are_in_the_language_asked_on_either_desktop(self):
        missing = self.path("missing.wpa")
        cases = [  # arguments, exit code, rows summed, the line in Russian and in English
            (["info", self.base, "--rows", "1,4"], 2, None,
             "--rows: «4» — не номер строки от 1 до 3",
             '--rows: "4" is not a row number from 1 to 3'),
            (["print", self.base, self.path("r.pdf"), "--record", "2-0"], 2, None,
             "--record: «2-0» — не номер строки от 1 до 3",
             '--record: "2-0" is not a row number from 1 to 3'),
            (["info", self.base, "--rows", "3-1"], 2, None,
             "--rows: «3-1» — диапазон задан в обратном порядке; меньший номер пишется первым",
             '--rows: "3-1" is a reversed range; the smaller number comes first'),
            (["info", self.base, "--rows", "2,2,2", "--summary", "--json"], 0, 1,
             "--rows: строка 2 указана повторно; учтена один раз",
             "--rows: row 2 is given more than once; counted once"),
            (["info", self.base, "--rows", "3,1-3,1", "--summary", "--json"], 0, 3,
             "--rows: строки 3, 1 указаны повторно; каждая учтена один раз",
             "--rows: rows 3, 1 are given more than once; each counted once"),
            (["info", "--frobnicate", "-z", self.base], 2, None,
             "неизвестные параметры: --frobnicate, -z", "Unknown options: --frobnicate, -z."),
            (["info", missing], 5, None,
             f"Не удалось открыть файл {missing}: нет такого файла или папки",
             f"The file {missing} could not be opened: No such file or directory"),
        ]
        for desktop in ("ru_RU.UTF-8", "en_US.UTF-8"):
            env = {"LC_ALL": desktop}
            for lang in (None, "en"):  # Russian is the default
                for args, want_code, summed, russian, english in cases:
                    with self.subTest(desktop=desktop, lang=lang, args=args):
                        code, out, err = self.run_tool(args, env=env, lang=lang)
                        want = english if lang else russian
                        self.assertEqual((code, err), (want_code, f"porvel-cli: {want}\n"))
                        if summed:
                            self.assertEqual(json.loads(out)["rows"], summed)
                with open("/dev/full", "w") as full:
                    done = subprocess.run([TOOL] + (["--lang", lang] if lang else []) +
                                          ["info", self.base], stdout=full, stderr=subprocess.PIPE,
                                          env=self.environment(None, env), timeout=60)
                self.assertTrue(done.stderr.decode().endswith(
                    "stdout cannot be written: No space left on device\n" if lang else
                    "stdout нельзя записать: на диске нет места\n"), done.stderr.decode())


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
