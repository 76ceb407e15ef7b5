#include "wizard/wizard.h"

#include "events/eventcatalogue.h"
#include "locations/areatable.h"
#include "locations/locationdatabase.h"
#include "matchfile/encoding.h"
#include "matchfile/format.h"
#include "matchfile/lineends.h"
#include "matchfile/readfile.h"
#include "matchfile/savefile.h"
#include "matchfile/verifier.h"
#include "sections/sectioncheck.h"
#include "translations/translationheader.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace quenbury::wizard {

using matchfile::LineEnd;

namespace {

// Where the focus goes when a page is shown: its first input, on the Create File page Verify File, at
// start Continue. Never Back, End or Brisvane 100, so that Enter right after a page change never goes
// back, ends the program or chooses a receiver.
constexpr std::array<QStringView, PageCount> FirstInputs = {u"cmdContinue1", u"Check1", u"cboLocation1",
                                                            u"cboTranslations1", u"cmdCreate1"};

} // namespace

Wizard::Wizard(FormModel& form, Platform& platform, const QString& databaseFolder)
    : m_form(form)
    , m_platform(platform)
    , m_databaseFolder(databaseFolder) {}

// ---- Start-up and navigation ------------------------------------------------------------------

void Wizard::Form_Load() {
    ShowPage(StartPage);
    m_form.focus = FirstInputs[StartPage].toString();
    m_form.enabled.fill(false); // every button that later pages unlock
    m_saved = work();
    // The shipped database lives beside the program, not in a fixed Windows folder.
    m_form.lblLocation10 = u"Default database is at: "_s + QDir::toNativeSeparators(m_databaseFolder);
}

void Wizard::ShowPage(int page) {
    if (page < StartPage || page >= PageCount || page == m_form.SSTab1)
        return;
    const int previous = m_form.SSTab1;
    m_form.SSTab1 = page;
    // A user walking the page headers with the arrow keys keeps the focus there.
    if (m_form.focus != HeaderStrip)
        m_form.focus = FirstInputs[std::size_t(page)].toString();
    SSTab1_Click(previous);
}

// Every change of the shown page ticks all events again, whoever changed it.
void Wizard::SSTab1_Click(int /*previousPage*/) {
    SelectAllEvents();
}

void Wizard::SSTab1_DblClick() {
    SelectAllEvents();
}

Wizard::Work Wizard::work() const {
    return {m_vars.FileText, m_form.txtText1, m_form.txtTranslations1, m_form.txtCreate2};
}

// An hour of ticking, adding and editing is not thrown away by one click: with work not saved since
// the start or the last save, the user is asked first. With nothing to lose, nothing is asked.
bool Wizard::mayLoseWork() {
    return work() == m_saved || m_platform.confirmDiscard(UnsavedWork.toString(), u"&Discard"_s);
}

bool Wizard::endProgram() {
    if (!mayLoseWork())
        return false;
    m_platform.endProgram();
    return true;
}

void Wizard::End_Click() {
    endProgram();
}

bool Wizard::Form_QueryUnload() {
    return endProgram();
}

void Wizard::cmdEnd1_Click() {
    endProgram();
}
void Wizard::cmdEnd2_Click() {
    endProgram();
}
void Wizard::cmdEnd3_Click() {
    endProgram();
}
void Wizard::cmdEnd4_Click() {
    endProgram();
}
void Wizard::cmdEnd5_Click() {
    endProgram();
}

void Wizard::cmdContinue1_Click() {
    SelectAllEvents();
    ShowPage(EventsPage);
}

void Wizard::cmdBack0_Click() {
    ShowPage(StartPage);
}
void Wizard::cmdBack1_Click() {
    ShowPage(EventsPage);
}
void Wizard::cmdBack3_Click() {
    ShowPage(LocationsPage);
}
void Wizard::cmdBack5_Click() {
    ShowPage(TranslationsPage);
}

// ---- Events page ------------------------------------------------------------------------------

void Wizard::SelectAllEvents() {
    m_form.Check.fill(true);
}

void Wizard::cmdSelectAll1_Click(int /*index*/) {
    SelectAllEvents();
}

void Wizard::cmdClearAll1_Click() {
    m_form.Check.fill(false);
}

void Wizard::cmdContinue2_Click() {
    m_vars.FileText = events::matchEventSection(m_form.Check);
    m_form.txtText1 = m_vars.FileText;
    ShowPage(LocationsPage);
}

// ---- Locations page ---------------------------------------------------------------------------

void Wizard::cmbLocation4_Click() {
    const QString path = m_platform.openFileName(DatabaseFilter.toString(), m_databaseFolder);
    if (!path.isEmpty())
        LoadDatabaseLines(path);
    // Unlocked even after a cancel or a refused file: the lists may hold lines of an earlier load.
    m_form.enabled[FormModel::cmdAdd1] = true;
    m_form.enabled[FormModel::cmdClear1] = true;
}

// A refused file changes nothing: no list line, caption or module value.
void Wizard::LoadDatabaseLines(const QString& path) {
    locations::DatabaseReadResult read = locations::readLocationDatabase(path);
    if (read.error) {
        m_platform.showError(*read.error);
        return;
    }
    const qsizetype count = read.database.lines.size();
    const qsizetype room = locations::MaxListLines - std::max(m_form.lstList1.size(), m_form.lstList2.size());
    if (count > room) {
        m_platform.showError(
            QStringLiteral(
                "The location database \u201C%1\u201D could not be loaded: it has %2 lines, and the lists "
                "can take only %3 more (at most %4 lines in all).")
                .arg(QDir::toNativeSeparators(path))
                .arg(count)
                .arg(room)
                .arg(locations::MaxListLines));
        return;
    }

    m_form.lblLocation9 = QDir::toNativeSeparators(path);
    m_vars.DatabaseLength = QString::number(read.database.byteLength);
    m_form.lblLocation8 = u"File Length in bytes:  "_s + m_vars.DatabaseLength;
    m_vars.DatabaseText = std::move(read.database.text);
    m_form.rtxtTranslations1 = read.database.lines; // shares its lines with the two lists
    m_vars.CharCount = qint32(m_vars.DatabaseText.size());
    m_vars.LineCount = qint32(count);
    m_form.lblLocations13 = QString::number(m_vars.LineCount);
    m_form.lstList1.appendLines(read.database.lines);
    m_form.lstList2.appendLines(read.database.lines);
}

void Wizard::cboLocation1_Click() {
    chooseArea(m_form.cboLocation1, m_form.txtFind1, m_form.lstList1, m_vars.LocationAreaLine);
}

void Wizard::txtFind1_Change() {
    m_form.lstList1.filter(m_form.txtFind1);
}

void Wizard::txtFind1_KeyDown(FindKey key) {
    findKeyDown(key, m_form.txtFind1, m_form.lstList1, u"lstList1");
}

Wizard::FindKey Wizard::findKey(int key, Qt::KeyboardModifiers modifiers) {
    const bool into = key == Qt::Key_Down || key == Qt::Key_Return || key == Qt::Key_Enter;
    if (into && (modifiers & ~Qt::KeypadModifier) == Qt::NoModifier)
        return FindKey::IntoList;
    if (key == Qt::Key_Escape && modifiers == Qt::NoModifier)
        return FindKey::Empties;
    return FindKey::Typed;
}

void Wizard::findKeyDown(FindKey key, QString& find, LineListModel& list, QStringView listName) {
    if (key == FindKey::IntoList) {
        list.enterFromFind();
        m_form.focus = listName.toString();
    } else if (key == FindKey::Empties) {
        find.clear();
        list.filter(find);
    }
}

void Wizard::Find_Shortcut() {
    if (m_form.SSTab1 == LocationsPage)
        m_form.focus = u"txtFind1"_s;
    else if (m_form.SSTab1 == TranslationsPage)
        m_form.focus = u"txtFind2"_s;
}

// The area's line must be in sight once chosen, so a find that hides it goes first.
void Wizard::chooseArea(int row, QString& find, LineListModel& list, QString& areaLine) {
    find.clear();
    list.filter(find);
    areaLine = locations::entireAreaLine(row).toString();
    list.clearSelection();
    const qsizetype found = locations::firstLineContaining(list.lines(), areaLine);
    if (found >= 0) {
        list.setSelected(found, true);
        list.reveal(found);
    }
}

void Wizard::addSelectedLines(const LineListModel& list, QString& box) {
    // List order, not the order in which the user picked the lines.
    const QStringList& lines = list.lines();
    const QList<qsizetype> rows = list.selectedRows();
    // Grown once: 32,767 lines grown line by line would move the text a dozen times.
    qsizetype size = m_vars.FileText.size();
    for (qsizetype row : rows)
        size += lines[row].size() + LineEnd.size();
    m_vars.FileText.reserve(size);
    for (qsizetype row : rows) {
        m_vars.FileText += lines[row];
        m_vars.FileText += LineEnd;
    }
    box = m_vars.FileText;
}

void Wizard::cmdAdd1_Click() {
    addSelectedLines(m_form.lstList1, m_form.txtText1);
}

void Wizard::cmdClear1_Click() {
    m_form.txtText1.clear();
}

void Wizard::cmdContinue3_Click() {
    m_vars.FileText = m_form.txtText1;
    showCurrentFile(m_vars.FileText);
    m_form.txtTranslations1 = m_vars.FileText;
    ShowPage(TranslationsPage);
}

// ---- Translations page ------------------------------------------------------------------------

// Only this page's choice beeps, found or not.
void Wizard::cboTranslations1_Click() {
    chooseArea(m_form.cboTranslations1, m_form.txtFind2, m_form.lstList2, m_vars.TranslationAreaLine);
    m_platform.beep();
}

void Wizard::txtFind2_Change() {
    m_form.lstList2.filter(m_form.txtFind2);
}

void Wizard::txtFind2_KeyDown(FindKey key) {
    findKeyDown(key, m_form.txtFind2, m_form.lstList2, u"lstList2");
}

void Wizard::BuildTranslationHeaders() {
    const auto& blocks = translations::translationHeaderBlocks();
    m_vars.OrgBlock = blocks[0];
    m_vars.EventBlock1 = blocks[1];
    m_vars.EventBlock2 = blocks[2];
    m_vars.EventBlock3 = blocks[3];
    m_vars.StateBlock1 = blocks[4];
    m_vars.StateBlock2 = blocks[5];
    m_vars.StateBlock3 = blocks[6];
    for (const QString* block :
         {&m_vars.OrgBlock, &m_vars.EventBlock1, &m_vars.EventBlock2, &m_vars.EventBlock3,
          &m_vars.StateBlock1, &m_vars.StateBlock2, &m_vars.StateBlock3})
        m_vars.FileText += *block;
}

void Wizard::cmdBrisvane400_Click() {
    BuildTranslationHeaders();
    m_form.enabled[FormModel::cmdAddItem2] = true;
    m_form.enabled[FormModel::cmdClear2] = true;
    m_form.enabled[FormModel::cmdContinue5] = true;
}

void Wizard::cmdAddItem2_Click() {
    addSelectedLines(m_form.lstList2, m_form.txtTranslations1);
}

void Wizard::cmdClear2_Click() {
    m_form.txtTranslations1.clear();
    m_vars.FileText.clear();
}

void Wizard::cmdContinue4_Click() {
    m_vars.FileText += matchfile::ClosingLines;
    showCurrentFile(m_vars.FileText);
    ShowPage(CreateFilePage);
}

void Wizard::cmdContinue5_Click() {
    m_vars.FileText = m_form.txtTranslations1;
    m_vars.FileText += matchfile::ClosingLines;
    showCurrentFile(m_vars.FileText);
    ShowPage(CreateFilePage);
}

// ---- Create File page -------------------------------------------------------------------------

void Wizard::cmdCreate1_Click() {
    m_form.txtCreate3Colour = BoxColour::White;
    m_vars.FileText = m_form.txtCreate2;
    matchfile::VerifyResult result = matchfile::verify(m_vars.FileText);
    m_vars.CharCount = result.CharCount;
    m_vars.LineCount = result.LineCount;
    m_vars.ErrorCount = result.ErrorCount;
    m_vars.RunLength = result.RunLength;
    m_vars.LongLineFlag = result.LongLineFlag;
    m_vars.AsteriskFlag = result.AsteriskFlag;
    m_vars.StatusText = std::move(result.StatusText);
    // The receivers' rules first, as they stand; then where the text departs from the sections the
    // wizard writes. Only a character the save would refuse stops the save: the rest is the user's
    // call, shown in yellow.
    const sections::SectionCheck structure = sections::checkSections(m_vars.FileText);
    const bool clean = result.isClean() && !structure.hasErrors();
    m_form.txtCreate3Colour = !clean                         ? BoxColour::Red
                              : structure.findings.isEmpty() ? BoxColour::Green
                                                             : BoxColour::Yellow;
    m_form.enabled[FormModel::cmdSave1] = clean;
    m_form.txtCreate3 = m_vars.StatusText + structure.report();
    m_form.enabled[FormModel::cmdEnd5] = true;
    m_reportCurrent = true;
    // The box shows the first problem; the focus stays on Verify File.
    m_form.problems = findProblems(m_vars.FileText, result, structure, m_form.txtCreate3);
    m_form.currentProblem = -1;
    if (!m_form.problems.isEmpty()) {
        m_form.currentProblem = 0;
        ++m_form.txtCreate2GoTo;
    }
    m_form.verdict = verdictWords(clean, m_form.problems);
    say(m_form.verdict);
}

void Wizard::say(const QString& words) {
    m_form.spoken = words;
    ++m_form.spokenCount;
}

// The box's text is no longer what the last verification and save were about: their colour,
// verdict, problems, unlocked Save and word are taken back. (The report itself stays or goes as the
// caller decides.)
void Wizard::forgetVerification() {
    m_reportCurrent = false;
    m_form.enabled[FormModel::cmdSave1] = false;
    m_form.txtCreate3Colour = BoxColour::White;
    m_form.verdict.clear();
    m_form.problems.clear();
    m_form.currentProblem = -1;
    m_form.lblSaved.clear();
    m_form.spoken.clear();
}

void Wizard::goToProblem(int index) {
    m_form.currentProblem = index;
    ++m_form.txtCreate2GoTo;
    m_form.focus = u"txtCreate2"_s;
}

void Wizard::NextProblem_Shortcut() {
    const auto count = int(m_form.problems.size());
    if (count > 0)
        goToProblem((m_form.currentProblem + 1) % count);
}

void Wizard::PreviousProblem_Shortcut() {
    const auto count = int(m_form.problems.size());
    if (count > 0)
        goToProblem((std::max(m_form.currentProblem, 0) + count - 1) % count);
}

void Wizard::txtCreate3_DblClick(qsizetype reportLine) {
    for (int i = 0; i < m_form.problems.size(); ++i) {
        const Problem& problem = m_form.problems[i];
        if (problem.reportFirst <= reportLine && reportLine <= problem.reportLast)
            return goToProblem(i);
    }
}

// Save trusts a verification only of the very text in the box: any change, typed or written by a
// button, takes the verdict back until the user verifies again. The old report stays below, so the
// user still sees what to correct.
void Wizard::txtCreate2_Change() {
    const bool reportWasCurrent = m_reportCurrent;
    forgetVerification(); // the saved file no longer holds what the box shows; lines may have moved
    if (!reportWasCurrent)
        return;
    QString report = ChangedSinceReport.toString();
    report += LineEnd;
    report += LineEnd;
    report += m_form.txtCreate3;
    m_form.txtCreate3 = report;
}

void Wizard::showCurrentFile(const QString& text) {
    if (text == m_form.txtCreate2)
        return;
    m_form.txtCreate2 = text;
    txtCreate2_Change();
}

void Wizard::Open_Click() {
    if (!mayLoseWork())
        return;
    const QString path = m_platform.openFileName(SaveFilter.toString(), lastFolder());
    if (!path.isEmpty())
        openFile(path);
}

// Read as quenbury-verify reads a file, so the same file is refused or taken alike. A refused file
// changes nothing. The box shows every line end as a line break, so the text takes CR LF where the
// file had another, and the report says so before the first verification.
void Wizard::openFile(const QString& path) {
    const matchfile::UserFileBytes read = matchfile::readUserFile(path);
    const std::optional<QString> text = read.error ? std::nullopt : matchfile::decodeWindows1252(read.bytes);
    if (!text) {
        m_platform.showError(u"The file \u201C%1\u201D could not be opened: %2."_s.arg(
            QDir::toNativeSeparators(path),
            read.error.value_or(u"it could not be read as Windows-1252 text"_s)));
        return;
    }
    const QFileInfo file(path);
    m_lastFolder = file.absolutePath();
    m_offeredFile = file.absoluteFilePath();
    m_vars.FileText = matchfile::withCrLfLineEnds(*text);
    m_form.txtCreate2 = m_vars.FileText;
    forgetVerification();
    m_form.txtCreate3 = u"Opened %1 (%2 bytes): verify it before saving."_s.arg(
        file.fileName(), QLocale(QLocale::English).toString(qlonglong(read.bytes.size())));
    if (const std::optional<matchfile::ForeignLineEnds> ends = matchfile::findForeignLineEnds(*text)) {
        m_form.txtCreate3 += u"\r\n\r\n"_s + ends->finding();
        m_form.txtCreate3 += u"\r\nA save ends every line with CR LF."_s;
    }
    ShowPage(CreateFilePage);
}

// Writes the Current File box as it stands now, verified or not: a clean verification unlocked it.
void Wizard::cmdSave1_Click() {
    m_form.lblSaved.clear();
    m_form.spoken.clear(); // as the status bar, a cancelled or failed save says nothing
    const QString path = m_platform.saveFileName(SaveFilter.toString(),
                                                 m_offeredFile.isEmpty() ? lastFolder() : m_offeredFile);
    if (!path.isEmpty()) {
        if (std::optional<QString> error = matchfile::saveMatchFile(path, m_form.txtCreate2)) {
            m_platform.showError(*error);
        } else {
            m_lastFolder = QFileInfo(path).absolutePath();
            m_offeredFile.clear();
            m_saved = work();
            // Windows-1252 has one byte for each character, and the save refuses any other.
            m_form.lblSaved = savedMessage(path, m_form.txtCreate2.size());
            say(m_form.lblSaved);
        }
    }
    m_form.enabled[FormModel::cmdEnd5] = true;
}

// "Saved 2,038 bytes to ~/Documents/kitchen.txt": the size as people read it, the home folder
// as a shell writes it.
QString Wizard::savedMessage(const QString& path, qsizetype bytes) {
    QString shown = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    const QString home = QDir::homePath() + u'/';
    if (home != u"//"_s && shown.startsWith(home))
        shown.replace(0, home.size() - 1, u'~');
    return u"Saved %1 bytes to %2"_s.arg(QLocale(QLocale::English).toString(qlonglong(bytes)),
                                         QDir::toNativeSeparators(shown));
}

// Never the data folder: once installed the user cannot write there, and a file named like the
// shipped database would replace it.
QString Wizard::lastFolder() const {
    if (!m_lastFolder.isEmpty())
        return m_lastFolder;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

// Also takes back a verification's Save: the report it showed is gone.
void Wizard::cmdClear3_Click() {
    forgetVerification();
    m_vars.FileText.clear();
    m_form.txtCreate3.clear();
    m_form.txtText1.clear();
    m_form.txtTranslations1.clear();
}

} // namespace quenbury::wizard
