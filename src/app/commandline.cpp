#include "commandline.h"

#include "app/demoleague.h"
#include "app/textescape.h"
#include "app/translation.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

namespace tavorin {

namespace {

QString german(const char* text) {
    return replaceUmlautEscapes(QString::fromUtf8(text));
}

void print(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

} // namespace

QString programVersion() {
    return QStringLiteral(TAVORIN_VERSION);
}

QString applicationId() {
    return QStringLiteral(TAVORIN_APP_ID);
}

CommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        german("Tavorin verwaltet Online-Dartligen: Spieler, Ligen, Spielpl:ae:ne, Ergebnisse, Tabellen und "
               "Statistiken,\nund macht daraus Foren-Code."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, german("Zeigt diese Hilfe an."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     german("Zeigt die Versionsnummer an."));
    const QCommandLineOption demo(QStringLiteral("demo"),
                                  german("Schreibt eine Demo-Liga in die neue Datei DATEI und startet mit ihr. Die "
                                         "Datenbank in config.ini bleibt dabei, wie sie ist."),
                                  QStringLiteral("DATEI"));
    parser.addOptions({help, version, demo});

    CommandLine out;
    const bool parsed = parser.parse(arguments);
    if (parsed && parser.isSet(help)) {
        out.action = CommandLine::Help;
        out.text = parser.helpText();
    } else if (parsed && parser.isSet(version)) {
        out.action = CommandLine::Version;
        out.text = QStringLiteral("Tavorin %1\n").arg(programVersion());
    } else if (!parsed || !parser.positionalArguments().isEmpty()) {
        out.action = CommandLine::Mistake;
        const QString what = parsed ? german("Unerwartetes Argument: %1").arg(parser.positionalArguments().constFirst())
                                    : parser.errorText();
        out.text = what + german("\n:Ue:bersicht der Optionen: tavorin --help\n");
    } else if (parser.isSet(demo)) {
        out.demoFile = QFileInfo(parser.value(demo)).absoluteFilePath();
    }
    return out;
}

StartRequest answerCommandLine(int& argc, char** argv) {
    QCoreApplication app(argc, argv);
    installGermanTranslation(app);
    const CommandLine read = parseCommandLine(QCoreApplication::arguments());
    StartRequest request;
    request.startWindow = read.action == CommandLine::Start;
    request.exitCode = read.action == CommandLine::Mistake ? 1 : 0;
    request.demoFile = read.demoFile;
    print(read.action == CommandLine::Mistake ? stderr : stdout, read.text);
    return request;
}

bool prepareDemoFile(const StartRequest& request) {
    if (request.demoFile.isEmpty())
        return true;
    const db::Result r = writeDemoLeague(request.demoFile);
    if (!r)
        print(stderr,
              german("Die Demo-Liga kann nicht nach %1 geschrieben werden: %2\n").arg(request.demoFile, r.error));
    return r.ok;
}

} // namespace tavorin
