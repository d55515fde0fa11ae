#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

// A file's bytes, empty when it cannot be read.
inline QByteArray fileContent(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Writes `content` to `path`, making its folder first.
inline void writeFile(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(content) == content.size());
}

// A fresh, empty per-user settings location for one test: config.ini and the default league database
// go into it, never into a real user's files. Build it before the window.
class TempSettings {
public:
    TempSettings() {
        qputenv("XDG_CONFIG_HOME", tmp.path().toUtf8());
        // QSettings reads the environment only once per process; this points it at the new place.
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, tmp.path());
    }
    // The temporary location, for files of the test's own beside the program's.
    QString root() const { return tmp.path(); }
    // The program's settings directory inside the temporary location.
    QString dir() const { return tmp.path() + QStringLiteral("/Tavorin"); }
    QString configPath() const { return dir() + QStringLiteral("/config.ini"); }
    QString defaultDatabase() const { return dir() + QStringLiteral("/tavorin.db"); }
    // A value of config.ini ("group/key").
    QString config(const QString& key) const {
        return QSettings(configPath(), QSettings::IniFormat).value(key).toString();
    }
    void setConfig(const QString& key, const QVariant& value) const {
        QSettings(configPath(), QSettings::IniFormat).setValue(key, value);
    }

private:
    QTemporaryDir tmp;
};
