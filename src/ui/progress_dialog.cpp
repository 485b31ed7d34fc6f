#include "progress_dialog.h"

#include <QBoxLayout>
#include <QFontMetrics>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>

#include "design_metrics.h"
#include "device/exchange_texts.h"
#include "device/exchange_types.h"

namespace porvel {
namespace {

constexpr int kDesignWidth = 416;
constexpr int kBarHeight = 21;
// The widest status text an exchange shows, in either language.
int WidestStatus(const QFontMetrics& metrics) {
    using S = ExchangeState;
    using L = LinkStatus;
    int widest = 0;
    for (Language language : {Language::Russian, Language::English})
        for (S state :
             {S::Connect, S::ReadVersion, S::ReadParameters, S::ReadRecords, S::ReadMaterials,
              S::WriteMaterials, S::ReadObjects, S::WriteObjects, S::ReadScreen, S::End})
            for (L link : {L::Ok, L::LibraryNotReady, L::NotOnBus, L::LinkError, L::NoData})
                if (const auto status = ComputeUpdate(0, link, state, language).status)
                    widest = std::max(widest, metrics.horizontalAdvance(*status));
    return widest;
}

}  // namespace

TForm2::TForm2(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      CGauge1(new QProgressBar(this)),
      Label1(new QLabel(this)),
      Button1(new QPushButton(QStringLiteral("Отмена"), this)) {
    // The bar across the top, the status text and Cancel under it: each whole, and the dialog
    // keeps one size whatever the status says.
    CGauge1->setRange(0, 100);
    CGauge1->setValue(0);
    CGauge1->setTextVisible(true);
    CGauge1->setMinimumHeight(Design(kBarHeight));
    Label1->setMinimumWidth(WidestStatus(QFontMetrics(Label1->font())));
    auto* row = new QHBoxLayout;
    row->addWidget(Label1, 1);
    row->addWidget(Button1);
    auto* column = new QVBoxLayout(this);
    column->addWidget(CGauge1);
    column->addLayout(row);
    setFixedSize(sizeHint().expandedTo(QSize(kDesignWidth, 0)));
    connect(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);
}

void TForm2::Button1Click() {
    TheExchange().cancel = true;
}

}  // namespace porvel
