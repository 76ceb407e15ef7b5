#pragma once

#include "wizard/formmodel.h"
#include "wizard/platform.h"
#include "wizard/variables092604.h"

namespace quenbury::wizard {

// The window without a toolkit: one method per user action, named after its control and event.
// Each reads the form model and the module values, calls the rules of a subsystem and writes back.
class Wizard {
public:
    // What a key does in a find field: Down or Enter goes into the list, at its first line in view
    // selected alone as a click would select it; Escape empties the field; any other key is typed.
    enum class FindKey { Typed, IntoList, Empties };
    static FindKey findKey(int key, Qt::KeyboardModifiers modifiers);

    Wizard(FormModel& form, Platform& platform, const QString& databaseFolder);

    FormModel& form() { return m_form; }
    const Variables092604& variables() const { return m_vars; }
    Variables092604& variables() { return m_vars; }

    // Start-up and navigation
    void Form_Load();
    void ShowPage(int page);
    void SSTab1_Click(int previousPage);
    void SSTab1_DblClick();
    void End_Click();
    // The window's close box: whether the window may close.
    bool Form_QueryUnload();
    void cmdEnd1_Click();
    void cmdEnd2_Click();
    void cmdEnd3_Click();
    void cmdEnd4_Click();
    void cmdEnd5_Click();
    void cmdContinue1_Click();
    void cmdBack0_Click();
    void cmdBack1_Click();
    void cmdBack3_Click();
    void cmdBack5_Click();

    // Events page
    void SelectAllEvents();
    void cmdSelectAll1_Click(int index);
    void cmdClearAll1_Click();
    void cmdContinue2_Click();

    // Locations page
    void cmbLocation4_Click();
    void cboLocation1_Click();
    void txtFind1_Change();
    void txtFind1_KeyDown(FindKey key);
    void cmdAdd1_Click();
    void cmdClear1_Click();
    void cmdContinue3_Click();

    // Translations page
    void cboTranslations1_Click();
    void txtFind2_Change();
    void txtFind2_KeyDown(FindKey key);
    // Ctrl+F: the shown page's find field.
    void Find_Shortcut();
    void cmdBrisvane400_Click();
    void cmdAddItem2_Click();
    void cmdClear2_Click();
    void cmdContinue4_Click();
    void cmdContinue5_Click();

    // File menu "Open…", and a file named when the program starts
    void Open_Click();
    void openFile(const QString& path);

    // Create File page
    void cmdCreate1_Click();
    void txtCreate2_Change(); // the user changed the Current File box
    // F8 and Shift+F8 on the Create File page: the next or previous problem, round from the last to
    // the first, in the Current File box.
    void NextProblem_Shortcut();
    void PreviousProblem_Shortcut();
    // A double click on a line of the report box, counted from 0: the problem told there.
    void txtCreate3_DblClick(qsizetype reportLine);
    void cmdSave1_Click();
    void cmdClear3_Click();

    static constexpr QStringView DatabaseFilter = u"Text files (*.txt)|*.txt|All(*.*)|*.*";
    // The name FormModel::focus gives the page headers.
    static constexpr QStringView HeaderStrip = u"SSTab1";

    // One sentence on two lines, as narrow as the report box.
    static constexpr QStringView ChangedSinceReport =
        u"The Current File has changed:\r\nverify it again before saving.";
    static constexpr QStringView SaveFilter = u"Text (*.txt)|*.txt| All(*.*)|*.*";
    static constexpr QStringView UnsavedWork = u"The match file has changes that are not saved.";

private:
    // The texts the user would lose by ending: the match file and the boxes that show it.
    struct Work {
        QString FileText;
        QString txtText1;
        QString txtTranslations1;
        QString txtCreate2;
        bool operator==(const Work&) const = default;
    };
    Work work() const;
    // True when nothing would be lost, or the user chose to discard it.
    bool mayLoseWork();
    bool endProgram();
    void LoadDatabaseLines(const QString& path);
    // Selects only the first line of the list that holds the chosen row's area line (none when no
    // line holds it) and asks the view to show it.
    void chooseArea(int row, QString& find, LineListModel& list, QString& areaLine);
    void findKeyDown(FindKey key, QString& find, LineListModel& list, QStringView listName);
    void BuildTranslationHeaders();
    void addSelectedLines(const LineListModel& list, QString& box);
    QString lastFolder() const;
    static QString savedMessage(const QString& path, qsizetype bytes);
    void showCurrentFile(const QString& text);
    void goToProblem(int index);
    void forgetVerification();
    // Words for a screen reader to hear where the focus is after this action.
    void say(const QString& words);

    FormModel& m_form;
    Platform& m_platform;
    Variables092604 m_vars;
    QString m_databaseFolder;
    // Of this run only: nothing is kept between runs.
    QString m_lastFolder;  // of the last save or open
    QString m_offeredFile; // the file last opened, until a save
    Work m_saved;          // as it stood at start or at the last save
    bool m_reportCurrent = false;
};

} // namespace quenbury::wizard
