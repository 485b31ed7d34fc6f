#include "progress_dialog.h"

#include <QBoxLayout>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>

#include "design_metrics.h"
#include "device/exchange_types.h"
#include "exchange_progress.h"

namespace porvel {
namespace {

constexpr int kDesignWidth = 416;
constexpr int kBarHeight = 21;
// The widest status text an exchange shows, in either language.
int WidestStatus(const QFontMetrics& metrics) {
    using S = ExchangeStep;
    using L = LinkStatus;
    int widest = 0;
    for (Language language : {Language::Russian, Language::English})
        for (S step :
             {S::Connect, S::ReadVersion, S::ReadParameters, S::ReadRecords, S::ReadMaterials,
              S::WriteMaterials, S::ReadObjects, S::WriteObjects, S::ReadScreen, S::End})
            for (L link : {L::Ok, L::LibraryNotReady, L::NotOnBus, L::LinkError, L::NoData}) {
                ExchangeProgress progress;
                progress.step = step;
                progress.link = link;
                if (const auto status = ComputeUpdate(progress, language).status)
                    widest = std::max(widest, metrics.horizontalAdvance(*status));
            }
    return widest;
}

}  // namespace

ExchangeProgressDialog::ExchangeProgressDialog(std::atomic<bool>& cancel, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      progressGauge(new QProgressBar(this)),
      statusLabel(new QLabel(this)),
      cancelButton(new QPushButton(QStringLiteral("Отмена"), this)),
      cancel_(cancel) {
    // The bar across the top, the status text and Cancel under it: each whole, and the dialog
    // keeps one size whatever the status says.
    progressGauge->setRange(0, 100);
    progressGauge->setValue(0);
    progressGauge->setTextVisible(true);
    progressGauge->setMinimumHeight(Design(kBarHeight));
    statusLabel->setMinimumWidth(WidestStatus(QFontMetrics(statusLabel->font())));
    auto* row = new QHBoxLayout;
    row->addWidget(statusLabel, 1);
    row->addWidget(cancelButton);
    auto* column = new QVBoxLayout(this);
    column->addWidget(progressGauge);
    column->addLayout(row);
    setFixedSize(sizeHint().expandedTo(QSize(kDesignWidth, 0)));
    connect(cancelButton, &QPushButton::clicked, this, &ExchangeProgressDialog::OnCancelClicked);
}

// Escape presses Cancel, so the exchange stops with the dialog; only its close box leaves a read
// going on in the background.
void ExchangeProgressDialog::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Cancel)) {
        cancelButton->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ExchangeProgressDialog::OnCancelClicked() {
    cancel_ = true;
    // An exchange's message standing over the dialog is answered with it; the exchange then
    // ends at its next step instead of asking again.
    for (QMessageBox* box : findChildren<QMessageBox*>(Qt::FindDirectChildrenOnly)) box->reject();
}

}  // namespace porvel
