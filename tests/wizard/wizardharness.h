#pragma once

#include "support/fakeplatform.h"
#include "support/testfiles.h"
#include "wizard/wizard.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// A started wizard on a scripted desktop, with a scratch folder for the files a test hands it, and
// the user's actions by short names, so that a test or a random walk can write a path as a string.
struct WizardHarness {
    static inline const QString databaseFolder = QStringLiteral("/opt/quenbury/share/quenbury");
    static inline const QString typed = QStringLiteral("TYPED*\r\n");

    QTemporaryDir dir;
    quenbury::wizard::FormModel form;
    FakePlatform platform;
    quenbury::wizard::Wizard wizard{form, platform, databaseFolder};

    WizardHarness() { wizard.Form_Load(); }

    const QString& fileText() const { return wizard.variables().FileText; }
    QString writeFile(const QString& name, const QByteArray& bytes) const {
        return ::writeFile(dir.filePath(name), bytes);
    }
    // "&Database" with the open dialog answering `path` (an empty path cancels).
    void load(const QString& path) {
        if (!path.isEmpty())
            platform.openPaths.enqueue(path);
        wizard.cmbLocation4_Click();
    }

    // One user action by its short name; false for a name it does not know. "Events" passes the Start
    // and Events pages with only TOR ticked; "Load" loads a database of three lines, Alabama's second,
    // "Shipped" the shipped one; "Area1"/"Area2" choose Alabama on the Locations/Translations page.
    [[nodiscard]] bool act(const QString& step) {
        using W = quenbury::wizard::Wizard;
        static const QHash<QString, void (W::*)()> clicks = {
            {u"C1"_s, &W::cmdContinue1_Click},     {u"C2"_s, &W::cmdContinue2_Click},
            {u"C3"_s, &W::cmdContinue3_Click},     {u"B100"_s, &W::cmdContinue4_Click},
            {u"B400"_s, &W::cmdBrisvane400_Click}, {u"C5"_s, &W::cmdContinue5_Click},
            {u"Back1"_s, &W::cmdBack1_Click},      {u"Back3"_s, &W::cmdBack3_Click},
            {u"Back5"_s, &W::cmdBack5_Click},      {u"None"_s, &W::cmdClearAll1_Click},
            {u"Add1"_s, &W::cmdAdd1_Click},        {u"Add2"_s, &W::cmdAddItem2_Click},
            {u"Clear1"_s, &W::cmdClear1_Click},    {u"Clear2"_s, &W::cmdClear2_Click},
            {u"Clear3"_s, &W::cmdClear3_Click},    {u"Verify"_s, &W::cmdCreate1_Click},
            {u"Area1"_s, &W::cboLocation1_Click},  {u"Area2"_s, &W::cboTranslations1_Click},
        };
        form.cboLocation1 = 0;
        form.cboTranslations1 = 0;
        const auto click = clicks.value(step);
        if (click) {
            (wizard.*click)();
        } else if (step == u"Events"_s) {
            wizard.cmdContinue1_Click();
            form.Check.fill(false);
            form.Check[44] = true;
            wizard.cmdContinue2_Click();
        } else if (step == u"Load"_s) {
            load(writeFile(u"db.txt"_s, "002000EntireArea*\r\n001000EntireArea*\r\n001001Autauga*\r\n"));
        } else if (step == u"Shipped"_s) {
            load(QStringLiteral(QUENBURY_BUILD_DATA_DIR "/locations.txt"));
        } else if (step.startsWith(u"Typed"_s)) { // "Typed1:clark_nv": typed into a find field, _ a blank
            const bool first = step[5] == u'1';
            (first ? form.txtFind1 : form.txtFind2) = step.section(u':', 1).replace(u'_', u' ');
            (wizard.*(first ? &W::txtFind1_Change : &W::txtFind2_Change))();
        } else if (step == u"Type1"_s || step == u"Type2"_s) {
            (step == u"Type1"_s ? form.txtText1 : form.txtTranslations1) += typed;
        } else if (step.startsWith(u"Show"_s)) {
            wizard.ShowPage(step.mid(4).toInt());
        } else if (step == u"End"_s) {
            wizard.End_Click();
        } else if (step == u"Yes"_s) { // the next question is answered Discard
            platform.discards.enqueue(true);
        } else if (step == u"Save"_s) {
            platform.savePaths.enqueue(dir.filePath(u"saved.txt"_s));
            wizard.cmdSave1_Click();
        } else if (step.startsWith(u"Open:"_s)) { // "Open:lf": a file whose lines end in LF alone
            const bool lf = step == u"Open:lf"_s;
            if (step == u"Open:folder"_s)
                QDir(dir.path()).mkdir(u"folder"_s);
            const QByteArray bytes = lf ? QByteArray(nineLineBytes).replace("\r", "") : nineLineBytes;
            const QString folder = dir.filePath(u"folder"_s);
            platform.openPaths.enqueue(step == u"Open:folder"_s ? folder : writeFile(step.mid(5), bytes));
            wizard.Open_Click();
        } else if (step == u"Strip"_s) {
            form.focus = u"SSTab1"_s; // the user walks the page headers
        } else if (step == u"Find"_s) {
            wizard.Find_Shortcut();
        } else if (step.startsWith(u"Key"_s)) { // "KeyDown1": Down in the Locations page's find field
            const QString key = step.mid(3).chopped(1);
            const Qt::KeyboardModifiers shift =
                key.startsWith(u"Shift+"_s) ? Qt::ShiftModifier : Qt::NoModifier;
            const auto what = W::findKey(key.endsWith(u"Down"_s) ? Qt::Key_Down : Qt::Key_Escape, shift);
            (wizard.*(step.endsWith(u'1') ? &W::txtFind1_KeyDown : &W::txtFind2_KeyDown))(what);
        } else {
            return false;
        }
        return true;
    }
};
