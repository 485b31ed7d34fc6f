// PDF files read back by poppler-utils, programs we did not write: the text as laid out on the
// page, the document's information, its fonts and its raster images.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace porvel::testing {

// The standard output of `tool` (pdftotext, pdfinfo, pdffonts, pdfimages) run on `args`;
// a failing run gives its error output after "FAILED: ".
inline QString Poppler(const QString& tool, const QStringList& args) {
    QProcess run;
    run.start(tool, args);
    if (!run.waitForFinished(30000) || run.exitCode() != 0)
        return QStringLiteral("FAILED: ") + QString::fromUtf8(run.readAllStandardError());
    return QString::fromUtf8(run.readAllStandardOutput());
}

// Points per character of the printouts' monospaced lines: 0.6 em at 8 pt in the listing, at
// 10 pt in the test record.
constexpr double kListingPitch = 4.8;
constexpr double kTestRecordPitch = 6.0;

// The text of pages `first` to `last` (0: to the end) as pdftotext -layout lays it out on a grid
// of `pitch` points a character, so that fixed-width columns come back blank for blank; every
// line with its trailing blanks taken off.
inline QStringList PdfLines(const QString& pdf, double pitch, int first = 1, int last = 0) {
    QStringList args{QStringLiteral("-layout"), QStringLiteral("-fixed"), QString::number(pitch),
                     QStringLiteral("-f"), QString::number(first)};
    if (last > 0) args << QStringLiteral("-l") << QString::number(last);
    args << pdf << QStringLiteral("-");
    QStringList lines = Poppler(QStringLiteral("pdftotext"), args).split(QLatin1Char('\n'));
    for (QString& line : lines) {
        while (line.endsWith(QLatin1Char(' ')) || line.endsWith(QLatin1Char('\f'))) line.chop(1);
        if (line.startsWith(QLatin1Char('\f'))) line.remove(0, 1);
    }
    return lines;
}

// The line that reads `text` once its indent is taken off, or -1.
inline int LineIndex(const QStringList& lines, const QString& text, int from = 0) {
    for (int i = from; i < lines.size(); ++i)
        if (lines[i].trimmed() == text) return i;
    return -1;
}

}  // namespace porvel::testing
