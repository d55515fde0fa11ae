#pragma once

#include <QString>
#include <QStringList>

namespace tavorin {

// The program's version, as --version prints it.
QString programVersion();
// The program's id on the desktop: its desktop entry, icon and AppStream metadata are named after it.
QString applicationId();

// What the command line asks for.
struct CommandLine {
    enum Action {
        Start,   // start the window
        Help,    // print `text` (the help) and end
        Version, // print `text` (the version) and end
        Mistake, // print `text` (what is wrong) to the error output and end unsuccessfully
    };
    Action action = Start;
    QString text;
    // --demo DATEI: the demo league file to write and to work on for this run only, as an absolute path.
    QString demoFile;
};

// Reads the arguments (the program's name first). The help and the messages are German when Qt's German
// translation is installed in the running application.
CommandLine parseCommandLine(const QStringList& arguments);

// What main() goes on with after the command line has been read.
struct StartRequest {
    bool startWindow = true;
    int exitCode = 0; // when the window is not started
    QString demoFile;
};

// Reads and answers the command line before any window exists: help, version and mistakes are printed
// under an application object of its own, which needs no display and is gone again on return.
StartRequest answerCommandLine(int& argc, char** argv);

// Writes the demo league file of the request, if it names one; a failure is printed to the error output.
bool prepareDemoFile(const StartRequest& request);

} // namespace tavorin
