#!/usr/bin/env python3
"""Reads back the exports written by make_export_samples with readers we did not write:
openpyxl for .xlsx, xlrd for .xls, olefile for the compound file, the csv module for .csv."""
import csv
import datetime
import io
import os
import sys
import unittest

import olefile
import openpyxl
import xlrd

SAMPLES = sys.argv.pop(1) if len(sys.argv) > 1 else "."

RUSSIAN_HEADER = ["№", "Время", "Дата", "Объект", "Материал", "Ратм, кПа", "m, с/см3",
                  "a, см3/с", "h, см", "Марка водонепроницаемости"]
ENGLISH_HEADER = ["№", "Time", "Date", "Object", "Material", "Pair, kPa", "m, s/cm3",
                  "a, cm3/s", "h, cm", "Brand waterproof"]
OBJECTS = ["Плита", "=SUM(A1:A3)", "+7", "-5 кг", "@cmd", "a;b,c", 'say "hi"', "Line\nTwo",
           "Мост", "Стена"]
DATE = datetime.datetime(2026, 11, 5)
DATE_FORMAT = r"dd\.mm\.yyyy"
TIME_FORMAT = r"hh\:mm"


def expected_rows(header):
    """Every row as (value, number format) pairs; None for an empty cell."""
    rows = [[(text, None) for text in header]]
    for r in range(1, 11):
        row = [(r, "0"), ("10:00", TIME_FORMAT), (DATE, DATE_FORMAT), (OBJECTS[r - 1], None),
               ("Бетон", None), (101.3, "0.0"), (12.5, "0.0"), (0.08, "0.0000"), (1.2, "0.0"),
               ("W8", None)]
        if r == 2:
            row[8] = None
            row[9] = (" - ", None)
        if r == 3:
            row[6] = ("NAN", None)
        if r == 4:
            row[5] = (-2.5, "0.0")
        rows.append(row)
    return rows


def plain(value):
    """Times as "hh:mm", whatever form the reader gives them."""
    if isinstance(value, datetime.time):
        return value.strftime("%H:%M")
    if isinstance(value, datetime.datetime) and value.date() == datetime.date(1899, 12, 30):
        return value.strftime("%H:%M")
    return value


class Xlsx(unittest.TestCase):
    def check(self, name, header, sheet_name):
        book = openpyxl.load_workbook(os.path.join(SAMPLES, name))
        self.assertEqual(book.sheetnames, [sheet_name])
        sheet = book[sheet_name]
        self.assertEqual(sheet.max_row, 11)
        self.assertEqual(sheet.max_column, 10)
        for r, row in enumerate(expected_rows(header), start=1):
            for c, want in enumerate(row, start=1):
                cell = sheet.cell(row=r, column=c)
                where = f"{name} {cell.coordinate}"
                if want is None:
                    self.assertIsNone(cell.value, where)
                    continue
                value, number_format = want
                if isinstance(value, float):
                    self.assertAlmostEqual(cell.value, value, msg=where)
                else:
                    self.assertEqual(plain(cell.value), value, where)
                if number_format:
                    self.assertEqual(cell.number_format, number_format, where)
                else:
                    self.assertEqual(cell.data_type, "s", where)  # text, never a formula
                self.assertEqual(cell.alignment.horizontal, "center", where)
            self.assertIsNone(sheet.cell(row=r, column=11).value)
        widths = [sheet.column_dimensions[chr(ord("A") + c)].width for c in range(10)]
        self.assertTrue(all(w and w > 0 for w in widths), widths)
        self.assertGreater(widths[9], widths[0])  # the long grade header against "№"

    def test_ten_measurements_russian(self):
        self.check("ten.xlsx", RUSSIAN_HEADER, "Архив измерений 1")

    def test_ten_measurements_english(self):
        self.check("english.xlsx", ENGLISH_HEADER, "Archive of measurements 1")

    def test_russian_table_exported_on_an_english_desktop(self):
        self.check("travelled.xlsx", RUSSIAN_HEADER, "Архив измерений 1")

    def test_65535_rows_one_sheet_65536_two(self):
        one = openpyxl.load_workbook(os.path.join(SAMPLES, "rows65535.xlsx"), read_only=True)
        self.assertEqual(one.sheetnames, ["Архив измерений 1"])
        self.assertEqual(one["Архив измерений 1"].max_row, 65535)
        two = openpyxl.load_workbook(os.path.join(SAMPLES, "rows65536.xlsx"), read_only=True)
        self.assertEqual(two.sheetnames, ["Архив измерений 1", "Архив измерений 2"])
        self.assertEqual(two["Архив измерений 1"].max_row, 65535)
        rows = list(two["Архив измерений 2"].iter_rows(values_only=True))
        self.assertEqual(len(rows), 1)
        self.assertEqual(rows[0][0], 65535)
        self.assertEqual(rows[0][3], "Объект 65535")


class Xls(unittest.TestCase):
    def check(self, name, header, sheet_name):
        path = os.path.join(SAMPLES, name)
        self.assertTrue(olefile.isOleFile(path))
        with olefile.OleFileIO(path) as ole:
            self.assertEqual(ole.listdir(), [["Workbook"]])
        book = xlrd.open_workbook(path, formatting_info=True)
        self.assertEqual(book.sheet_names(), [sheet_name])
        sheet = book.sheet_by_index(0)
        self.assertEqual((sheet.nrows, sheet.ncols), (11, 10))
        for r, row in enumerate(expected_rows(header)):
            for c, want in enumerate(row):
                cell = sheet.cell(r, c)
                where = f"{name} row {r + 1} column {c + 1}"
                if want is None:
                    self.assertEqual(cell.ctype, xlrd.XL_CELL_EMPTY, where)
                    continue
                value, number_format = want
                xf = book.xf_list[cell.xf_index]
                self.assertEqual(xf.alignment.hor_align, 2, where)  # centred
                if number_format is None:
                    self.assertEqual(cell.ctype, xlrd.XL_CELL_TEXT, where)
                    self.assertEqual(cell.value, value, where)
                    continue
                self.assertEqual(book.format_map[xf.format_key].format_str, number_format, where)
                if number_format in (DATE_FORMAT, TIME_FORMAT):
                    self.assertEqual(cell.ctype, xlrd.XL_CELL_DATE, where)
                    got = xlrd.xldate.xldate_as_datetime(cell.value, book.datemode)
                    self.assertEqual(got if number_format == DATE_FORMAT else got.strftime("%H:%M"),
                                     value, where)
                else:
                    self.assertEqual(cell.ctype, xlrd.XL_CELL_NUMBER, where)
                    self.assertAlmostEqual(cell.value, value, msg=where)
        for c in range(10):
            self.assertGreater(sheet.colinfo_map[c].width, 0)
        self.assertNotIn(10, sheet.colinfo_map)
        self.assertGreater(sheet.colinfo_map[9].width, sheet.colinfo_map[0].width)

    def test_ten_measurements_russian(self):
        self.check("ten.xls", RUSSIAN_HEADER, "Архив измерений 1")

    def test_ten_measurements_english(self):
        self.check("english.xls", ENGLISH_HEADER, "Archive of measurements 1")

    def test_65536_rows_two_sheets_in_a_file_with_difat_sectors(self):
        path = os.path.join(SAMPLES, "rows65536.xls")
        with olefile.OleFileIO(path) as ole:
            self.assertGreater(ole.num_fat_sectors, 109)  # beyond the header's own list
            size = ole.get_size("Workbook")
        self.assertGreater(size, 7 * 1024 * 1024)
        book = xlrd.open_workbook(path, on_demand=True)
        self.assertEqual(book.sheet_names(), ["Архив измерений 1", "Архив измерений 2"])
        second = book.sheet_by_index(1)
        self.assertEqual((second.nrows, second.ncols), (1, 10))
        self.assertEqual(second.cell_value(0, 0), 65535)
        self.assertEqual(second.cell_value(0, 3), "Объект 65535")
        book.unload_sheet(1)
        first = book.sheet_by_index(0)
        self.assertEqual(first.nrows, 65535)
        self.assertEqual(first.cell_value(0, 0), "№")
        self.assertEqual(first.cell_value(65534, 3), "Объект 65534")


class Csv(unittest.TestCase):
    def read(self, name):
        with open(os.path.join(SAMPLES, name), "rb") as f:
            data = f.read()
        self.assertTrue(data.startswith(b"\xef\xbb\xbf"))
        text = data[3:].decode("utf-8")
        self.assertTrue(text.endswith("\r\n"))
        return text

    def test_semicolons_where_the_comma_is_the_decimal_separator(self):
        text = self.read("ten.csv")
        rows = list(csv.reader(io.StringIO(text, newline=""), delimiter=";"))
        self.assertEqual(len(rows), 11)
        self.assertEqual(rows[0], RUSSIAN_HEADER)
        self.assertEqual(rows[1], ["1", "10:00", "05.11.2026", "Плита", "Бетон", "101,3", "12,5",
                                   "0,0800", "1,2", "W8"])
        # Texts that would start a formula are marked as text; numbers are left alone.
        self.assertEqual([row[3] for row in rows[1:]],
                         ["Плита", "'=SUM(A1:A3)", "'+7", "'-5 кг", "'@cmd", "a;b,c", 'say "hi"',
                          "Line\nTwo", "Мост", "Стена"])
        self.assertEqual(rows[4][5], "-2,5")
        self.assertEqual(rows[2][8:], ["", " - "])
        self.assertIn('"\'=SUM(A1:A3)"', text)

    def test_commas_where_the_point_is_the_decimal_separator(self):
        rows = list(csv.reader(io.StringIO(self.read("english.csv"), newline="")))
        self.assertEqual(rows[0], ENGLISH_HEADER)
        self.assertEqual(rows[1][5], "101.3")
        self.assertEqual(rows[6][3], "a;b,c")


if __name__ == "__main__":
    unittest.main(verbosity=1)
