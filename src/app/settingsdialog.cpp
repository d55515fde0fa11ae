// Placeholder until the dialog is ported.
#include "app/settingsdialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

SettingsDialog::SettingsDialog(const PageContext& context, QWidget* parent) : QDialog(parent), context(context) {
    w.store = new QPushButton(this);
}
tavorin::DialogValues SettingsDialog::store() { return {}; }
