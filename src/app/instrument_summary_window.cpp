#include "instrument_summary_window.h"

#include <QPlainTextEdit>
#include <QTimer>
#include <QVBoxLayout>
#include <vector>

#include "frames.h"
#include "libusb_binding.h"
#include "reply_reader.h"

namespace porvel {

using protocol::Command;

InstrumentSummaryWindow::InstrumentSummaryWindow(QWidget* parent)
    : QWidget(parent), text_(new QPlainTextEdit(this)) {
    setWindowTitle(QStringLiteral("Porvel"));
    text_->setReadOnly(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    resize(520, 640);
    QTimer::singleShot(0, this, &InstrumentSummaryWindow::ReadInstrument);
}

void InstrumentSummaryWindow::ReadInstrument() {
    LibUsbBinding& usb = LibUSB();
    SystemClock clock;
    auto say = [this](const QString& line) { text_->appendPlainText(line); };

    say(QStringLiteral("USB library: %1").arg(QString::fromStdString(usb.LibraryFileName())));
    if (const int loaded = usb.Load(); loaded != LibUsbBinding::kLoaded) {
        say(loaded == LibUsbBinding::kLibraryMissing ? QStringLiteral("cannot be loaded")
                                                     : QStringLiteral("lacks an entry"));
        return;
    }
    if (usb.FindAndOpen() != LibUsbBinding::kFound) {
        say(QStringLiteral("The instrument is not on the bus."));
        return;
    }

    std::vector<std::uint8_t> version(protocol::kVersionBufferSize, 0);
    if (const ReplyResult r =
            ReadReply(usb, clock, Command::ReadVersion, 0, version.data(), version.size());
        r.ok) {
        const std::size_t n = std::min<std::size_t>(std::max(r.received, 0), protocol::kVersionCap);
        for (std::size_t i = 0; i < n; ++i)
            if (version[i] == 0) version[i] = ' ';
        say(QStringLiteral("Version: %1")
                .arg(QString::fromLatin1(reinterpret_cast<char*>(version.data()),
                                         static_cast<qsizetype>(n))));
    }

    ParameterBlock params{};
    if (ReadReply(usb, clock, Command::ReadParameters, 0, params.data(), params.size()).ok &&
        ParametersValid(params))
        say(QStringLiteral("Records in the archive: %1").arg(RecordCount(params)));

    MaterialListBlock materials{};
    if (ReadReply(usb, clock, Command::ReadMaterials, 0, materials.data(), materials.size()).ok) {
        say(QStringLiteral("\nMaterials (a0, a1):"));
        for (const MaterialEntry& m : DecodeMaterials(materials))
            say(QStringLiteral("  %1 / %2  %3  %4%5")
                    .arg(m.russian, m.english)
                    .arg(m.a0)
                    .arg(m.a1)
                    .arg(m.valid ? QString() : QStringLiteral("  (CRC error)")));
    }
    ObjectListBlock objects{};
    if (ReadReply(usb, clock, Command::ReadObjects, 0, objects.data(), objects.size()).ok) {
        say(QStringLiteral("\nObjects (material):"));
        for (const ObjectEntry& o : DecodeObjects(objects))
            say(QStringLiteral("  %1 / %2  %3%4")
                    .arg(o.russian, o.english)
                    .arg(o.material)
                    .arg(o.valid ? QString() : QStringLiteral("  (CRC error)")));
    }
    usb.Close();
}

}  // namespace porvel
