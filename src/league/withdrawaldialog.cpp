#include "league/withdrawaldialog.h"

#include "app/textescape.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

WithdrawalDialog::WithdrawalDialog(const QString& playerName, int lastDay, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("rueckzugDialog"));
    setWindowTitle(tavorin::replaceUmlautEscapes(QStringLiteral("R:ue:ckzug - ")) + playerName);
    day = new QSpinBox;
    day->setObjectName(QStringLiteral("abSpieltagSpinBox"));
    day->setRange(1, qMax(1, lastDay));
    annul = new QRadioButton(QStringLiteral("Alle Spiele annullieren"));
    annul->setObjectName(QStringLiteral("annullierenRadioButton"));
    annul->setChecked(true);
    walkover = new QRadioButton(QStringLiteral("Restliche Spiele kampflos werten"));
    walkover->setObjectName(QStringLiteral("kampflosRadioButton"));
    auto* explain = new QLabel(tavorin::replaceUmlautEscapes(QStringLiteral(
        "Gespeicherte Ergebnisse bleiben erhalten. Annulliert z:ae:hlt keines seiner Spiele; kampflos z:ae:hlen "
        "seine gespielten Spiele, und jedes offene Spiel ab dem Spieltag gewinnt sein Gegner.")));
    explain->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(tavorin::replaceUmlautEscapes(QStringLiteral("Zur:ue:ckziehen")));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("zurueckziehenButton"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Nicht mehr dabei ab Spieltag:"), day);
    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(annul);
    column->addWidget(walkover);
    column->addWidget(explain);
    column->addWidget(buttons);
}

int WithdrawalDialog::fromDay() const {
    return day->value();
}

tavorin::withdrawal::Rule WithdrawalDialog::rule() const {
    return walkover->isChecked() ? tavorin::withdrawal::Rule::Walkover : tavorin::withdrawal::Rule::Annul;
}
