#include "ui/qtplatform.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>

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

} // namespace

QtPlatform::QtPlatform(QWidget* window)
    : m_window(window) {}

QString QtPlatform::openFileName(const QString& filter, const QString& startFolder) {
    const QString filters = qtFileFilter(filter);
    QString selected = firstFilter(filters);
    return QFileDialog::getOpenFileName(m_window, QString(), startFolder, filters, &selected);
}

QString QtPlatform::saveFileName(const QString& filter, const QString& startFolder) {
    // No default suffix: the user names the file in full.
    const QString filters = qtFileFilter(filter);
    QString selected = firstFilter(filters);
    return QFileDialog::getSaveFileName(m_window, QString(), startFolder, filters, &selected);
}

void QtPlatform::beep() {
    QApplication::beep();
}

void QtPlatform::showError(const QString& message) {
    const QString title = m_window ? m_window->windowTitle() : QCoreApplication::applicationName();
    QMessageBox::warning(m_window, title, message);
}

void QtPlatform::endProgram() {
    // Closing the window ends the program as well and comes back here: end only once.
    if (m_ending)
        return;
    m_ending = true;
    QCoreApplication::quit();
    if (m_window)
        m_window->close();
}

} // namespace quenbury::ui
