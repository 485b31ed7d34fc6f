// .xlsx through libxlsxwriter in its constant-memory mode. The library writes to a file name, so
// the workbook is made in a private temporary folder and then copied onto the device.
#include <xlsxwriter.h>

#include <QDir>
#include <QFile>
#include <QIODevice>
#include <QTemporaryDir>
#include <memory>
#include <vector>

#include "cell_value.h"
#include "spreadsheet_export.h"

namespace porvel {
namespace {

constexpr int kProgressStep = 1024;
constexpr qint64 kCopyChunk = qint64{1} << 20;

struct WorkbookCloser {
    void operator()(lxw_workbook* workbook) const { workbook_close(workbook); }
};

// The centred formats of one workbook: one for text, one per number format.
class CentredFormats {
public:
    explicit CentredFormats(lxw_workbook* workbook) : workbook_(workbook) { text_ = Centred(); }
    lxw_format* Text() const { return text_; }
    lxw_format* Number(int index, const std::vector<QString>& formats) {
        while (numbers_.size() <= static_cast<std::size_t>(index)) {
            lxw_format* format = Centred();
            format_set_num_format(format, formats[numbers_.size()].toUtf8().constData());
            numbers_.push_back(format);
        }
        return numbers_[static_cast<std::size_t>(index)];
    }

private:
    lxw_format* Centred() {
        lxw_format* format = workbook_add_format(workbook_);
        format_set_align(format, LXW_ALIGN_CENTER);
        return format;
    }
    lxw_workbook* workbook_;
    lxw_format* text_;
    std::vector<lxw_format*> numbers_;
};

QString Reason(lxw_error error) {
    return QString::fromUtf8(lxw_strerror(error));
}

bool CopyInto(const QString& path, QIODevice& out, QString* reason) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *reason = file.errorString();
        return false;
    }
    while (!file.atEnd()) {
        const QByteArray chunk = file.read(kCopyChunk);
        if (chunk.isEmpty() && file.error() != QFile::NoError) {
            *reason = file.errorString();
            return false;
        }
        if (out.write(chunk) != chunk.size()) {
            *reason = out.errorString();
            return false;
        }
    }
    return true;
}

}  // namespace

bool WriteXlsx(const ArchiveTable& table, const QString& title, QIODevice& out,
               const ExportProgress& progress, QString* reason) {
    QTemporaryDir scratch;
    if (!scratch.isValid()) {
        *reason = scratch.errorString();
        return false;
    }
    const QByteArray folder = QFile::encodeName(scratch.path());
    const QString bookPath = QDir(scratch.path()).filePath(QStringLiteral("book.xlsx"));
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = const_cast<char*>(folder.constData());
    options.use_zip64 = LXW_FALSE;
    std::unique_ptr<lxw_workbook, WorkbookCloser> workbook(
        workbook_new_opt(QFile::encodeName(bookPath).constData(), &options));
    if (!workbook) {
        *reason = Reason(LXW_ERROR_MEMORY_MALLOC_FAILED);
        return false;
    }
    CentredFormats formats(workbook.get());
    CellClassifier classifier;
    const int total = table.GridRowCount();
    int done = 0;
    for (const SheetPart& part : SplitIntoSheets(total, title)) {
        lxw_worksheet* sheet =
            workbook_add_worksheet(workbook.get(), part.name.toUtf8().constData());
        if (!sheet) {
            *reason = Reason(LXW_ERROR_PARAMETER_VALIDATION);
            return false;
        }
        ColumnWidths widths;
        for (int r = 0; r < part.rows; ++r) {
            const int row = part.firstRow + r;
            for (int col = 0; col < kExportColumns; ++col) {
                const QString text = table.Cell(col, row);
                const CellValue& value = classifier.Classify(text);
                lxw_error error = LXW_NO_ERROR;
                if (value.kind == CellKind::Number) {
                    error = worksheet_write_number(
                        sheet, static_cast<lxw_row_t>(r), static_cast<lxw_col_t>(col), value.number,
                        formats.Number(value.format, classifier.Formats()));
                } else if (value.kind == CellKind::Text) {
                    error = worksheet_write_string(sheet, static_cast<lxw_row_t>(r),
                                                   static_cast<lxw_col_t>(col),
                                                   text.toUtf8().constData(), formats.Text());
                }
                if (error != LXW_NO_ERROR) {
                    *reason = Reason(error);
                    return false;
                }
                widths.Take(col, text);
            }
            if (progress && ++done % kProgressStep == 0) progress(done, total);
        }
        for (int col = 0; col < kExportColumns; ++col)
            worksheet_set_column(sheet, static_cast<lxw_col_t>(col), static_cast<lxw_col_t>(col),
                                 widths.Width(col), formats.Text());
    }
    const lxw_error closed = workbook_close(workbook.release());
    if (closed != LXW_NO_ERROR) {
        *reason = Reason(closed);
        return false;
    }
    if (progress) progress(total, total);
    return CopyInto(bookPath, out, reason);
}

}  // namespace porvel
