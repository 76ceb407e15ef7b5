#pragma once

#include "support/fakeplatform.h"
#include "support/testfiles.h"
#include "wizard/wizard.h"

#include <QTemporaryDir>
#include <QTest>

#include <array>

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

    // "Events" passes the Start and Events pages with only TOR ticked; "Load" loads a database of
    // three lines, Alabama's second; "Area1"/"Area2" choose Alabama on the Locations/Translations page.
    void act(const QString& step) {
        using W = quenbury::wizard::Wizard;
        static const QStringList names =
            QStringLiteral("C1 C2 C3 B100 B400 C5 Back1 Back3 Back5 None Add1 Add2 "
                           "Clear1 Clear2 Clear3 Verify Area1 Area2")
                .split(u' ');
        static constexpr std::array clicks = {
            &W::cmdContinue1_Click, &W::cmdContinue2_Click,   &W::cmdContinue3_Click,
            &W::cmdContinue4_Click, &W::cmdBrisvane400_Click, &W::cmdContinue5_Click,
            &W::cmdBack1_Click,     &W::cmdBack3_Click,       &W::cmdBack5_Click,
            &W::cmdClearAll1_Click, &W::cmdAdd1_Click,        &W::cmdAddItem2_Click,
            &W::cmdClear1_Click,    &W::cmdClear2_Click,      &W::cmdClear3_Click,
            &W::cmdCreate1_Click,   &W::cboLocation1_Click,   &W::cboTranslations1_Click};
        form.cboLocation1 = form.cboTranslations1 = 0;
        if (const qsizetype i = names.indexOf(step); i >= 0)
            (wizard.*clicks[std::size_t(i)])();
        else if (step == QStringLiteral("Events"))
            wizard.cmdContinue1_Click(), form.Check.fill(false), form.Check[44] = true,
                                                                 wizard.cmdContinue2_Click();
        else if (step == QStringLiteral("Load"))
            load(writeFile(QStringLiteral("db.txt"),
                           "002000EntireArea*\r\n001000EntireArea*\r\n001001Autauga*\r\n"));
        else if (step == QStringLiteral("Type1"))
            form.txtText1 += typed;
        else if (step == QStringLiteral("Type2"))
            form.txtTranslations1 += typed;
        else if (step == QStringLiteral("Show3"))
            wizard.ShowPage(3);
        else
            QFAIL(qPrintable(step));
    }
    void run(const QString& steps) {
        for (const QString& step : steps.split(u' ', Qt::SkipEmptyParts))
            act(step);
    }
};
