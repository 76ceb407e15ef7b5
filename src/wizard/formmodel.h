#pragma once

#include "events/eventcatalogue.h"
#include "wizard/linelistmodel.h"
#include "wizard/problems.h"

#include <QString>
#include <QStringList>

#include <array>

namespace quenbury::wizard {

enum Page : int {
    StartPage = 0,
    EventsPage = 1,
    LocationsPage = 2,
    TranslationsPage = 3,
    CreateFilePage = 4
};
inline constexpr int PageCount = 5;

enum class BoxColour { White, Red, Green, Yellow };

// The state of every control the handlers read or write, named as the controls are. A toolkit binds
// to it: it keeps the user's edits here before a handler runs and shows what a handler left.
struct FormModel {
    int SSTab1 = StartPage; // the shown page

    // Events page
    std::array<bool, events::EventCount> Check{}; // Check1 .. Check53, unticked at start

    // Locations page
    QString lblLocation10 = QStringLiteral("Default database is at: C:\\Program Files\\Corvanta");
    QString lblLocation9 = QStringLiteral("FileName");
    QString lblLocation8 = QStringLiteral("FileSize:");
    QString lblLocations13 = QStringLiteral("Label5");
    int cboLocation1 = -1; // chosen row; -1 shows the prompt
    QString txtFind1;      // what lstList1 shows: the lines this text finds
    LineListModel lstList1;
    QString txtText1 = QStringLiteral("Text1");

    // Translations page
    int cboTranslations1 = -1;
    QString txtFind2;
    LineListModel lstList2;
    QString txtTranslations1 = QStringLiteral("txtTranslations1");
    QStringList rtxtTranslations1 = {
        QStringLiteral("rtxtTranslations1")}; // the last database loaded, by lines

    // Create File page
    QString txtCreate2 = QStringLiteral("Text1");
    QString txtCreate3 = QStringLiteral("txtCreate3");
    BoxColour txtCreate3Colour = BoxColour::White;
    // Where the last verification found problems in the Current File box, in line order, until the
    // box changes; the box tints their lines.
    QList<Problem> problems;
    // The problem the box's cursor was last put on, and how many times a handler put it there, so
    // that the box follows each time, to the same problem too.
    int currentProblem = -1;
    int txtCreate2GoTo = 0;
    // Where the last save went ("Saved 2,038 bytes to ~/Documents/kitchen.txt"), until the Current
    // File box changes, Clear or the next save; empty when none did.
    QString lblSaved;
    // The report's colour and what it found, in words ("Red: 1 error on line 150. Save File is
    // disabled."), while the report is the box's own: a screen reader cannot see the colour.
    QString verdict;
    // The word of the last Verify File or save, for a screen reader: the window puts it on the control
    // that has the focus after that action, where it is heard, until it no longer holds (empty).
    // Each handler that says something counts, so that the same words are said again.
    QString spoken;
    int spokenCount = 0;

    // The buttons whose enabled flag changes during a run, in the order start-up disables them;
    // every other control stays enabled.
    enum Button { cmdAdd1, cmdClear1, cmdEnd5, cmdAddItem2, cmdClear2, cmdContinue5, cmdSave1, ButtonCount };
    std::array<bool, ButtonCount> enabled = [] {
        std::array<bool, ButtonCount> flags{};
        flags.fill(true);
        return flags;
    }();

    // The control that has the keyboard focus, by its name; "SSTab1" while the page headers have it.
    // The window keeps it here before a handler runs and moves the focus where a handler put it.
    QString focus;
};

} // namespace quenbury::wizard
