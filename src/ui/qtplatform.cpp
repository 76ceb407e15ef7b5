#include "ui/qtplatform.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>
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

void setUpSaveDialog(QFileDialog& dialog, QStringView wizardFilter, const QString& startFolder) {
    const QString filters = qtFileFilter(wizardFilter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDirectory(startFolder);
    dialog.setNameFilters(filters.split(u";;"_s));
    dialog.selectNameFilter(firstFilter(filters));
    dialog.setDefaultSuffix(filterSuffix(firstFilter(filters)));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& filter) { dialog.setDefaultSuffix(filterSuffix(filter)); });
}

QtPlatform::QtPlatform(QWidget* window)
    : m_window(window) {}

QString QtPlatform::openFileName(const QString& filter, const QString& startFolder) {
    const QString filters = qtFileFilter(filter);
    QString selected = firstFilter(filters);
    return QFileDialog::getOpenFileName(m_window, QString(), startFolder, filters, &selected);
}

QString QtPlatform::saveFileName(const QString& filter, const QString& startFolder) {
    QFileDialog dialog(m_window); // a new one each time: a cancel must never return an earlier path
    setUpSaveDialog(dialog, filter, startFolder);
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
