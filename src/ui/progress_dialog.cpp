#include "progress_dialog.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "design_metrics.h"
#include "device/exchange_types.h"

namespace porvel {

TForm2::TForm2(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      CGauge1(new QProgressBar(this)),
      Label1(new QLabel(this)),
      Button1(new QPushButton(QStringLiteral("Отмена"), this)) {
    setFixedSize(Design(416), Design(49));
    CGauge1->setGeometry(0, 0, Design(415), Design(21));
    CGauge1->setRange(0, 100);
    CGauge1->setValue(0);
    CGauge1->setTextVisible(true);
    Label1->setGeometry(Design(4), Design(30), Design(320), Design(17));
    Button1->setGeometry(Design(331), Design(23), Design(85), Design(26));
    connect(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);
}

void TForm2::Button1Click() {
    TheExchange().cancel = true;
}

}  // namespace porvel
