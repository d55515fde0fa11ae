#pragma once

#include "db/serveraddress.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QSpinBox;

// "Mit Liga-Server verbinden...": where the league database lies on a PostgreSQL server (host, port,
// database, user, TLS mode) and, when the server asks for one, the password. The password is kept in memory
// only; libpq also finds it in ~/.pgpass or PGPASSWORD.
class ServerDialog : public QDialog {
    Q_OBJECT

public:
    explicit ServerDialog(const tavorin::db::ServerAddress& proposed, QWidget* parent = nullptr);

    tavorin::db::ServerAddress address() const;
    QString password() const;

private:
    QLineEdit* host = nullptr;
    QSpinBox* port = nullptr;
    QLineEdit* database = nullptr;
    QLineEdit* user = nullptr;
    QComboBox* sslMode = nullptr;
    QLineEdit* secret = nullptr;
};
