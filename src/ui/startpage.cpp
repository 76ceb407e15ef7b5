#include "ui/startpage.h"

#include "ui/logo.h"
#include "wizard/wizard.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace quenbury::ui {

StartPage::StartPage(wizard::Wizard& wizard, ActionRunner run)
    : WizardPage(wizard, std::move(run)) {
    QLabel* name = label(this, u"Label4"_s, u"Quenbury(tm)"_s);
    QFont nameFont = name->font();
    nameFont.setPointSizeF(13.8);
    name->setFont(nameFont);

    QLabel* picture = label(this, u"Picture1"_s, QString());
    picture->setFixedSize(LogoWidth, LogoHeight);
    picture->setPixmap(logoPixmap(devicePixelRatioF()));
    picture->setAccessibleName(u"Quenbury logo"_s);
    picture->setAccessibleDescription(u"A weather-alert radio receiving a broadcast under a thunder cloud"_s);

    QPushButton* cmdContinue1 =
        boundButton(u"cmdContinue1"_s, u"&Continue"_s, &wizard::Wizard::cmdContinue1_Click);
    QPushButton* cmdEnd1 = boundButton(u"cmdEnd1"_s, u"&End"_s, &wizard::Wizard::cmdEnd1_Click);
    m_tabOrder = {cmdContinue1, cmdEnd1};

    auto* buttons = new QVBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdContinue1);
    buttons->addWidget(cmdEnd1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(picture, 0, Qt::AlignLeft | Qt::AlignTop);
    bottom->addStretch();
    bottom->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(name);
    layout->addWidget(label(this, u"lblStart1"_s,
                            u"Use this program to create a text file (*.txt) of events and counties "
                            u"(FIPS-Federal Information Processing System) codes and translations to upload "
                            u"into the Brisvane units."_s,
                            true));
    layout->addWidget(label(this, u"lblStart7"_s, u"Version 1.05"_s));
    layout->addSpacing(8);
    layout->addLayout(bottom);
    layout->addStretch();
    layout->setContentsMargins(PageMargins);
}

} // namespace quenbury::ui
