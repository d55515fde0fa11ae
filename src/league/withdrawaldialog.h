#pragma once

#include "results/withdrawal.h"

#include <QDialog>

class QRadioButton;
class QSpinBox;

// "Rückzug...": from which match day a member is out of his league, and by which rule his matches count.
class WithdrawalDialog : public QDialog {
    Q_OBJECT

public:
    // `lastDay`: the league's last match day (1 without a schedule).
    WithdrawalDialog(const QString& playerName, int lastDay, QWidget* parent = nullptr);

    int fromDay() const;
    tavorin::withdrawal::Rule rule() const;

private:
    QSpinBox* day = nullptr;          // abSpieltagSpinBox
    QRadioButton* annul = nullptr;    // annullierenRadioButton
    QRadioButton* walkover = nullptr; // kampflosRadioButton
};
