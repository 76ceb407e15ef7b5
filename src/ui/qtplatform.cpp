#include "ui/qtplatform.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace quenbury::ui {

QString qtFileFilter(QStringView wizardFilter) {
    const QList<QStringView> parts = wizardFilter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed().toString();
        const QString pattern = parts[i + 1].trimmed().toString();
        QString suffix = u"("_s;
        suffix += pattern;
        suffix += u')';
        if (description.endsWith(suffix)) {
            filters.append(description);
        } else {
            QString filter = description;
            filter += u' ';
            filter += suffix;
            filters.append(filter);
        }
    }
    return filters.join(u";;"_s);
}

namespace {

QString firstFilter(const QString& qtFilter) {
    return qtFilter.section(u";;"_s, 0, 0);
}

// "txt" for a filter of the one pattern "*.txt"; nothing for "*.*".
QString filterSuffix(const QString& qtFilter) {
    static const QRegularExpression onePattern(u"\\(\\*\\.([A-Za-z0-9]+)\\)$"_s);
    return onePattern.match(qtFilter).captured(1);
}

} // namespace

void setUpSaveDialog(QFileDialog& dialog, QStringView wizardFilter, const QString& start) {
    const QString filters = qtFileFilter(wizardFilter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    const QFileInfo offered(start);
    if (offered.isDir()) {
        dialog.setDirectory(start);
    } else {
        dialog.setDirectory(offered.absolutePath());
        dialog.selectFile(offered.fileName());
    }
    dialog.setNameFilters(filters.split(u";;"_s));
    dialog.selectNameFilter(firstFilter(filters));
    dialog.setDefaultSuffix(filterSuffix(firstFilter(filters)));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& filter) { dialog.setDefaultSuffix(filterSuffix(filter)); });
}

QtPlatform::QtPlatform(QWidget* window)
    : m_window(window) {}

// Qt's own dialog, as for saving: the same look for both, wherever the program runs.
QString QtPlatform::openFileName(const QString& filter, const QString& start) {
    const QString filters = qtFileFilter(filter);
    QString selected = firstFilter(filters);
    return QFileDialog::getOpenFileName(m_window, QString(), start, filters, &selected,
                                        QFileDialog::DontUseNativeDialog);
}

QString QtPlatform::saveFileName(const QString& filter, const QString& start) {
    QFileDialog dialog(m_window); // a new one each time: a cancel must never return an earlier path
    setUpSaveDialog(dialog, filter, start);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

void QtPlatform::beep() {
    QApplication::beep();
}

void QtPlatform::showError(const QString& message) {
    const QString title = m_window ? m_window->windowTitle() : QCoreApplication::applicationName();
    QMessageBox::warning(m_window, title, message);
}

bool QtPlatform::confirmDiscard(const QString& question, const QString& discard) {
    QMessageBox box(QMessageBox::Warning,
                    m_window ? m_window->windowTitle() : QCoreApplication::applicationName(), question,
                    QMessageBox::NoButton, m_window);
    QAbstractButton* yes = box.addButton(discard, QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == yes;
}

// The window goes at once; it is not closed, since closing it would ask the wizard again.
void QtPlatform::endProgram() {
    QCoreApplication::quit();
    if (m_window)
        m_window->hide();
}

} // namespace quenbury::ui
