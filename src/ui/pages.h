#pragma once

#include "events/eventcatalogue.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QWidget;

namespace quenbury::ui {

class EventsPage;
class LineListView;

// The controls the binding reads or writes. Every control also carries its name as objectName;
// labels whose caption never changes are not listed.
struct Controls {
    QTabWidget* SSTab1 = nullptr;
    std::array<QWidget*, 5> pages{};
    // Where the focus goes when a page is shown: its first input in tab order, on the Start page
    // "&Continue" and on the Create File page "&Verify File". Never a Back or End button, so that
    // Enter right after a page change neither goes back nor ends the program.
    std::array<QWidget*, 5> pageFocus{};

    // Start
    QPushButton* cmdContinue1 = nullptr;
    QPushButton* cmdEnd1 = nullptr;

    // Events
    EventsPage* eventsPage = nullptr;
    std::array<QCheckBox*, events::EventCount> Check{};
    QPushButton* cmdSelectAll1 = nullptr;
    QPushButton* cmdClearAll1 = nullptr;
    QPushButton* cmdContinue2 = nullptr;
    QPushButton* cmdBack0 = nullptr;
    QPushButton* cmdEnd2 = nullptr;

    // Locations
    QPushButton* cmbLocation4 = nullptr;
    QLabel* lblLocation10 = nullptr;
    QLabel* lblLocation9 = nullptr;
    QLabel* lblLocation8 = nullptr;
    QLabel* lblLocations13 = nullptr;
    QComboBox* cboLocation1 = nullptr;
    QLineEdit* txtFind1 = nullptr;
    LineListView* lstList1 = nullptr;
    QLabel* lblSelected1 = nullptr;
    QPlainTextEdit* txtText1 = nullptr;
    QPushButton* cmdAdd1 = nullptr;
    QPushButton* cmdClear1 = nullptr;
    QPushButton* cmdContinue3 = nullptr;
    QPushButton* cmdBack1 = nullptr;
    QPushButton* cmdEnd3 = nullptr;

    // Translations
    QPushButton* cmdContinue4 = nullptr;
    QPushButton* cmdBrisvane400 = nullptr;
    QComboBox* cboTranslations1 = nullptr;
    QLineEdit* txtFind2 = nullptr;
    LineListView* lstList2 = nullptr;
    QLabel* lblSelected2 = nullptr;
    QPlainTextEdit* txtTranslations1 = nullptr;
    QListView* rtxtTranslations1 = nullptr; // the last loaded database, one line per row
    QPushButton* cmdAddItem2 = nullptr;
    QPushButton* cmdClear2 = nullptr;
    QPushButton* cmdContinue5 = nullptr;
    QPushButton* cmdBack3 = nullptr;
    QPushButton* cmdEnd4 = nullptr;

    // Create File
    QPlainTextEdit* txtCreate1 = nullptr;
    QPlainTextEdit* txtCreate2 = nullptr;
    QPlainTextEdit* txtCreate3 = nullptr;
    QPushButton* cmdCreate1 = nullptr;
    QPushButton* cmdSave1 = nullptr;
    QPushButton* cmdClear3 = nullptr;
    QPushButton* cmdBack5 = nullptr;
    QPushButton* cmdEnd5 = nullptr;
};

// Builds the tab control with its five page headers and the Start page, every control named and
// captioned as the program shows it at start. The other four pages get an empty place each.
Controls buildPages(QWidget* parent);

// Builds the Events, Locations, Translations and Create File pages into their places.
void buildLaterPages(Controls& c);

} // namespace quenbury::ui
