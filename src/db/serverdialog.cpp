#include "db/serverdialog.h"

#include "app/textescape.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace {

QLineEdit* field(const QString& text, const char* name) {
    auto* edit = new QLineEdit(text);
    edit->setObjectName(QLatin1StringView(name));
    return edit;
}

} // namespace

ServerDialog::ServerDialog(const tavorin::db::ServerAddress& proposed, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("serverDialog"));
    setWindowTitle(QStringLiteral("Mit Liga-Server verbinden"));
    host = field(proposed.host, "serverHostLineEdit");
    port = new QSpinBox;
    port->setObjectName(QStringLiteral("serverPortSpinBox"));
    port->setRange(1, 65535);
    port->setValue(proposed.port);
    database = field(proposed.database, "serverDatenbankLineEdit");
    user = field(proposed.user, "serverBenutzerLineEdit");
    sslMode = new QComboBox;
    sslMode->setObjectName(QStringLiteral("serverSslComboBox"));
    sslMode->addItems({QStringLiteral("prefer"), QStringLiteral("require"), QStringLiteral("verify-ca"),
                       QStringLiteral("verify-full"), QStringLiteral("disable")});
    if (!proposed.sslMode.isEmpty())
        sslMode->setCurrentText(proposed.sslMode);
    secret = field(QString(), "serverPasswortLineEdit");
    secret->setEchoMode(QLineEdit::Password);
    secret->setPlaceholderText(tavorin::replaceUmlautEscapes(QStringLiteral("leer: aus ~/.pgpass oder PGPASSWORD")));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Server:"), host);
    form->addRow(QStringLiteral("Port:"), port);
    form->addRow(QStringLiteral("Datenbank:"), database);
    form->addRow(QStringLiteral("Benutzer:"), user);
    form->addRow(QStringLiteral("TLS (sslmode):"), sslMode);
    form->addRow(QStringLiteral("Passwort:"), secret);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Verbinden"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("verbindenButton"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    auto* note = new QLabel(tavorin::replaceUmlautEscapes(
        QStringLiteral("Das Passwort wird nicht gespeichert; es gilt nur f:ue:r diesen Programmlauf.")));
    note->setWordWrap(true);
    column->addWidget(note);
    column->addWidget(buttons);
}

tavorin::db::ServerAddress ServerDialog::address() const {
    tavorin::db::ServerAddress a;
    a.host = host->text().trimmed();
    a.port = port->value();
    a.database = database->text().trimmed();
    a.user = user->text().trimmed();
    a.sslMode = sslMode->currentText();
    return a;
}

QString ServerDialog::password() const {
    return secret->text();
}
