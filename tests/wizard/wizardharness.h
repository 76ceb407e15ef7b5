#pragma once

#include "support/fakeplatform.h"
#include "support/testfiles.h"
#include "wizard/wizard.h"

#include <QTemporaryDir>

// A started wizard on a scripted desktop, with a scratch folder for the files a test hands it.
struct WizardHarness {
    static inline const QString databaseFolder = QStringLiteral("/opt/quenbury/share/quenbury");

    QTemporaryDir dir;
    quenbury::wizard::FormModel form;
    FakePlatform platform;
    quenbury::wizard::Wizard wizard{form, platform, databaseFolder};

    WizardHarness() { wizard.Form_Load(); }

    const QString& fileText() const { return wizard.variables().FileText; }
    QString writeFile(const QString& name, const QByteArray& bytes) const {
        return ::writeFile(dir.filePath(name), bytes);
    }

    // Start and Events pages passed with only the given events ticked (0-based rows).
    void toLocationsPage(std::initializer_list<int> ticked = {}) {
        wizard.cmdContinue1_Click();
        form.Check.fill(false);
        for (int row : ticked)
            form.Check[std::size_t(row)] = true;
        wizard.cmdContinue2_Click();
    }
    // "&Database" with the open dialog answering `path` (an empty path cancels).
    void load(const QString& path) {
        if (!path.isEmpty())
            platform.openPaths.enqueue(path);
        wizard.cmbLocation4_Click();
    }
    void chooseLocationArea(int row) {
        form.cboLocation1 = row;
        wizard.cboLocation1_Click();
    }
    void chooseTranslationArea(int row) {
        form.cboTranslations1 = row;
        wizard.cboTranslations1_Click();
    }
    bool allTicked() const {
        return std::all_of(form.Check.begin(), form.Check.end(), [](bool t) { return t; });
    }
};
