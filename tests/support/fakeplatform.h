#pragma once

#include "wizard/platform.h"

#include <QQueue>
#include <QStringList>

// A scripted stand-in for the desktop: tests queue the paths the dialogs will return and read back
// what the program asked for. An empty queue answers like a cancelled dialog.
class FakePlatform : public quenbury::wizard::Platform {
public:
    QQueue<QString> openPaths;
    QQueue<QString> savePaths;
    QQueue<bool> discards; // the answers to questions; an empty queue answers Cancel

    QStringList openStartFolders;
    QStringList saveStartFolders;
    QStringList errors;
    QStringList questions;
    int beeps = 0;
    int endRequests = 0;

    QString openFileName(const QString& /*filter*/, const QString& startFolder) override {
        openStartFolders.append(startFolder);
        return openPaths.isEmpty() ? QString() : openPaths.dequeue();
    }
    QString saveFileName(const QString& /*filter*/, const QString& startFolder) override {
        saveStartFolders.append(startFolder);
        return savePaths.isEmpty() ? QString() : savePaths.dequeue();
    }
    void beep() override { ++beeps; }
    void showError(const QString& message) override { errors.append(message); }
    bool confirmDiscard(const QString& question, const QString& /*discard*/) override {
        questions.append(question);
        return !discards.isEmpty() && discards.dequeue();
    }
    void endProgram() override { ++endRequests; }
};
