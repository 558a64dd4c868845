#pragma once

#include <QString>

class ErrorValue;
class Prompts;

// What the window does after the start-up error handler has spoken.
enum class StartupErrorOutcome {
    KeepRunning, // start-up stops where it failed; the window opens with what is prepared
    EndProgram,  // the program ends at once, without the saving done at a normal exit
};

// Shows the one dialog for an error raised while the window starts (from setting the
// settings path to the end of start-up), chosen by the error's number. For a damaged
// settings file (380) the user may delete the file at `iniPath`.
StartupErrorOutcome handleStartupError(const ErrorValue &error, Prompts &prompts, const QString &iniPath);

// The last start-up step. Linux files carry no hidden attribute, so this only checks that
// the settings file exists: throws ErrorValue 53 when it does not.
void hideSettingsFile(const QString &iniPath);
