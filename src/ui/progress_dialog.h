// ExchangeProgressDialog: the progress dialog of an archive read, with its gauge, status label and
// Cancel.
#pragma once

#include <QDialog>
#include <atomic>

class QKeyEvent;
class QLabel;
class QProgressBar;
class QPushButton;

namespace porvel {

class ExchangeProgressDialog : public QDialog {
    Q_OBJECT
public:
    // `cancel` is the flag of the exchange the dialog shows.
    explicit ExchangeProgressDialog(std::atomic<bool>& cancel, QWidget* parent = nullptr);

    QProgressBar* progressGauge;
    QLabel* statusLabel;
    QPushButton* cancelButton;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OnCancelClicked();

    std::atomic<bool>& cancel_;
};

}  // namespace porvel
