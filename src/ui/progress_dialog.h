// ExchangeProgressDialog: the progress dialog of an archive read, with its gauge, status label and
// Cancel.
#pragma once

#include <QDialog>

class QKeyEvent;
class QLabel;
class QProgressBar;
class QPushButton;

namespace porvel {

class ExchangeProgressDialog : public QDialog {
    Q_OBJECT
public:
    explicit ExchangeProgressDialog(QWidget* parent = nullptr);

    QProgressBar* progressGauge;
    QLabel* statusLabel;
    QPushButton* cancelButton;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OnCancelClicked();
};

}  // namespace porvel
