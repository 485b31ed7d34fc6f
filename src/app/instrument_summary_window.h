// A plain window that connects to the instrument once and lists what it reports: version,
// record count and both lists. It stands in until the archive window is built.
#pragma once

#include <QWidget>

class QPlainTextEdit;

namespace porvel {

class InstrumentSummaryWindow : public QWidget {
    Q_OBJECT
public:
    explicit InstrumentSummaryWindow(QWidget* parent = nullptr);

private:
    void ReadInstrument();
    QPlainTextEdit* text_;
};

}  // namespace porvel
