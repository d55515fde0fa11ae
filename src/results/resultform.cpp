// Placeholder until the form is ported: the widgets exist, the commands do nothing yet.
#include "results/resultform.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

ResultForm::ResultForm(const PageContext& context, QWidget* parent) : QWidget(parent), context(context) {
    w.leftName = new QLabel(this);
    w.rightName = new QLabel(this);
    w.mirror = new QCheckBox(this);
    w.insert = new QPushButton(this);
    w.update = new QPushButton(this);
    for (auto& side : w.fields)
        for (QLineEdit*& field : side)
            field = new QLineEdit(this);
}
bool ResultForm::load(tavorin::Id, const Side&, const Side&) { return false; }
void ResultForm::reset() {}
void ResultForm::clearFields() {}
void ResultForm::save() {}
void ResultForm::takeOver(const std::array<tavorin::resultentry::SideTexts, 2>&, const QString&, const QString&) {}
void ResultForm::forgetImport() {}
bool ResultForm::check(const tavorin::resultentry::SideTexts&, const tavorin::resultentry::SideTexts&) { return true; }
