// Drives the wizard through long runs of random user actions, from fixed seeds, and after every
// action compares the whole form and the module values with a small model of what the actions must
// have done. A failure names the seed and the step, so that it can be replayed:
//   QUENBURY_RANDOMWALK_SEEDS=200 QUENBURY_RANDOMWALK_STEPS=2000 tst_randomwalk
// raises the number of seeds and the steps per seed for a long run; a row name ("seed 17") picks
// one seed.
#include "support/fakeplatform.h"

#include "events/eventcatalogue.h"
#include "locations/areatable.h"
#include "locations/locationdatabase.h"
#include "matchfile/encoding.h"
#include "translations/translationheader.h"
#include "wizard/wizard.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <array>
#include <functional>
#include <optional>
#include <set>

using namespace Qt::StringLiterals;
using namespace quenbury;
using wizard::BoxColour;
using wizard::FormModel;
using wizard::Wizard;

namespace {

constexpr int MaxListLines = 32767;
const QString ClosingLines = u"YYYYYY*\r\nEOFEOF*\r\nXXXXXX*\r\n"_s;

int fromEnvironment(const char* name, int fallback) {
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok && value > 0 ? value : fallback;
}

// A database file the walk can pick in the open dialog, with the lines it must bring into the lists.
struct Database {
    QString name;
    QString path;
    QStringList lines; // as written, without line ends
    qint64 bytes = 0;
    bool refused = false; // not a text file the program can read
};

// Where a save may go. A good target is written; every other one must fail with one message.
struct SaveTarget {
    QString name;
    QString path;
    bool writable = false;
    bool takesEmptyText = false; // a full disk still takes a file of no bytes
};

// What a person can type: plain characters, asterisks, every kind of line end, characters that
// Windows-1252 has (no-break space, e acute, euro sign) and some it lacks.
const QStringList TypedPieces = {u"A"_s,      u"z"_s,      u"7"_s,         u"*"_s,       u"**"_s,
                                 u"\r\n"_s,   u"\n"_s,     u"\r"_s,        u" "_s,       u"\u00A0"_s,
                                 u"\u00E9"_s, u"\u20AC"_s, u"EOFEOF*"_s,   u"eofeof*"_s, u"YYYYYY*\r\n"_s,
                                 u"\u0100"_s, u"\u4E2D"_s, u"\U0001F600"_s};
const QStringList Foreign = {u"\u0100"_s, u"\u4E2D"_s, u"\U0001F600"_s};

bool hasForeignCharacter(const QString& text) {
    for (const QString& f : Foreign) {
        if (text.contains(f))
            return true;
    }
    return false;
}

// The format rules as a reader of the file would check them, over the whole text.
bool followsFormatRules(const QString& text) {
    qsizetype run = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'*') {
            run = 0;
            continue;
        }
        if (++run > 32)
            return false;
        if (text[i] == u'\r' && (i == 0 || text[i - 1] != u'*'))
            return false;
    }
    return text.count(u'\r') < 2000 && text.contains(u"EOFEOF*"_s);
}

QString shown(const QString& text) {
    QString out;
    for (const QChar c : text.left(80)) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7F)
            out += c;
        else
            out += u"\\u%1"_s.arg(uint(c.unicode()), 4, 16, QLatin1Char('0'));
    }
    return text.size() > 80 ? out + u"... (%1 characters)"_s.arg(text.size()) : out;
}

// Plain files only: /dev/full, a save target, reads zeros without end.
QByteArray readAll(const QString& path) {
    if (!QFileInfo(path).isFile())
        return {};
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// One seeded walk: the wizard under test, and the model it is compared with after every step.
class Walk {
public:
    Walk(quint32 seed, const QList<Database>& databases, const QList<SaveTarget>& saves,
         const QString& folder)
        : m_rng(seed)
        , m_wizard(m_form, m_platform, folder)
        , m_databases(databases)
        , m_saves(saves) {
        m_wizard.Form_Load();
    }

    // Runs one random action; on a broken rule returns what broke.
    std::optional<QString> step() {
        m_failure.reset();
        m_before = m_page;
        act();
        if (!m_failure)
            checkEverything();
        return m_failure.has_value() ? std::optional<QString>(m_action + u": "_s + *m_failure) : std::nullopt;
    }

    QString summary() const {
        return u"%1 clean and %2 failing verifications, %3 saves written, %4 refused, %5 loads, %6 refused"_s
            .arg(m_cleanVerifies)
            .arg(m_failedVerifies)
            .arg(m_savesWritten)
            .arg(m_savesRefused)
            .arg(m_loads)
            .arg(m_loadsRefused);
    }

private:
    struct Action {
        int weight;
        std::function<void()> run;
    };

    int pick(int n) { return n <= 0 ? 0 : int(m_rng.bounded(quint32(n))); }
    bool chance(int percent) { return pick(100) < percent; }

    void fail(const QString& what) {
        if (!m_failure)
            m_failure = what;
    }
    // Long texts are shown from a little before the first character that differs.
    void expectText(const QString& name, const QString& actual, const QString& expected) {
        if (actual == expected)
            return;
        qsizetype at = 0;
        while (at < actual.size() && at < expected.size() && actual[at] == expected[at])
            ++at;
        const qsizetype from = std::max<qsizetype>(0, at - 20);
        fail(u"%1 differs from character %2 on (%3 characters, expected %4): \"%5\", expected \"%6\""_s
                 .arg(name)
                 .arg(at + 1)
                 .arg(actual.size())
                 .arg(expected.size())
                 .arg(shown(actual.mid(from)), shown(expected.mid(from))));
    }
    void expectNumber(const QString& name, qint64 actual, qint64 expected) {
        if (actual != expected)
            fail(u"%1 is %2, expected %3"_s.arg(name).arg(actual).arg(expected));
    }

    // ---- the actions a person can take now: buttons of the shown page that are enabled --------

    void act() {
        QList<Action> actions;
        const auto& e = m_form.enabled;
        const auto add = [&](int weight, bool enabled, std::function<void()> run) {
            if (enabled) // a disabled button takes no click
                actions.append({weight, std::move(run)});
        };
        add(4, true, [this] { choosePageHeader(); });
        add(1, true, [this] { doubleClickHeader(); });
        add(1, true, [this] { endProgram(u"End_Click"_s, [this] { m_wizard.End_Click(); }); });
        switch (m_page) {
        case wizard::StartPage:
            add(8, true, [this] { pageButton(u"cmdContinue1_Click"_s, &Wizard::cmdContinue1_Click, 1); });
            add(1, true, [this] { endProgram(u"cmdEnd1_Click"_s, [this] { m_wizard.cmdEnd1_Click(); }); });
            break;
        case wizard::EventsPage:
            add(6, true, [this] { toggleEvent(); });
            add(1, true, [this] { setAllEvents(u"cmdSelectAll1_Click"_s, true); });
            add(1, true, [this] { setAllEvents(u"cmdClearAll1_Click"_s, false); });
            add(6, true, [this] { continueFromEvents(); });
            add(1, true, [this] { pageButton(u"cmdBack0_Click"_s, &Wizard::cmdBack0_Click, 0); });
            add(1, true, [this] { endProgram(u"cmdEnd2_Click"_s, [this] { m_wizard.cmdEnd2_Click(); }); });
            break;
        case wizard::LocationsPage:
            add(4, true, [this] { loadDatabase(); });
            add(4, true, [this] { chooseArea(false); });
            add(4, true, [this] { changeSelection(false); });
            add(3, true, [this] { typeInto(u"txtText1"_s, m_form.txtText1, m_txtText1); });
            add(5, e.cmdAdd1, [this] { addItem(false); });
            add(1, e.cmdClear1, [this] { clearLocations(); });
            add(4, true, [this] { continueFromLocations(); });
            add(1, true, [this] { pageButton(u"cmdBack1_Click"_s, &Wizard::cmdBack1_Click, 1); });
            add(1, true, [this] { endProgram(u"cmdEnd3_Click"_s, [this] { m_wizard.cmdEnd3_Click(); }); });
            break;
        case wizard::TranslationsPage:
            add(3, true, [this] { chooseArea(true); });
            add(3, true, [this] { changeSelection(true); });
            add(2, true,
                [this] { typeInto(u"txtTranslations1"_s, m_form.txtTranslations1, m_txtTranslations1); });
            add(2, true, [this] { brisvane400(); });
            add(4, e.cmdAddItem2, [this] { addItem(true); });
            add(1, e.cmdClear2, [this] { clearTranslations(); });
            add(3, true, [this] { brisvane100(); });
            add(3, e.cmdContinue5, [this] { continueFromTranslations(); });
            add(1, true, [this] { pageButton(u"cmdBack3_Click"_s, &Wizard::cmdBack3_Click, 2); });
            add(1, true, [this] { endProgram(u"cmdEnd4_Click"_s, [this] { m_wizard.cmdEnd4_Click(); }); });
            break;
        case wizard::CreateFilePage:
            add(4, true, [this] { typeInto(u"txtCreate2"_s, m_form.txtCreate2, m_txtCreate2); });
            add(6, true, [this] { verify(); });
            add(6, e.cmdSave1, [this] { save(); });
            add(1, true, [this] { clearAll(); });
            add(2, true, [this] { pageButton(u"cmdBack5_Click"_s, &Wizard::cmdBack5_Click, 3); });
            add(1, e.cmdEnd5,
                [this] { endProgram(u"cmdEnd5_Click"_s, [this] { m_wizard.cmdEnd5_Click(); }); });
            break;
        }
        int total = 0;
        for (const Action& a : actions)
            total += a.weight;
        int roll = pick(total);
        for (const Action& a : actions) {
            if (roll < a.weight) {
                a.run();
                return;
            }
            roll -= a.weight;
        }
    }

    // A page change ticks every event box again, whoever caused it.
    void expectPage(int page) {
        if (page != m_page)
            m_checks.fill(true);
        m_page = page;
    }

    void choosePageHeader() {
        const int page = pick(wizard::PageCount);
        m_action = u"header %1"_s.arg(page);
        m_wizard.ShowPage(page);
        expectPage(page);
    }

    void doubleClickHeader() {
        m_action = u"SSTab1_DblClick"_s;
        m_wizard.SSTab1_DblClick();
        m_checks.fill(true);
    }

    void endProgram(const QString& name, const std::function<void()>& click) {
        m_action = name;
        click();
        ++m_endRequests; // the fake desktop only counts; nothing else may change
    }

    void pageButton(const QString& name, void (Wizard::*click)(), int page) {
        m_action = name;
        (m_wizard.*click)();
        if (name == u"cmdContinue1_Click"_s)
            m_checks.fill(true);
        expectPage(page);
    }

    void toggleEvent() {
        const int box = pick(events::EventCount);
        m_action = u"Check%1 toggled"_s.arg(box + 1);
        m_form.Check[box] = !m_form.Check[box];
        m_checks[box] = !m_checks[box];
    }

    void setAllEvents(const QString& name, bool ticked) {
        m_action = name;
        if (ticked)
            m_wizard.cmdSelectAll1_Click(0);
        else
            m_wizard.cmdClearAll1_Click();
        m_checks.fill(ticked);
    }

    void continueFromEvents() {
        m_action = u"cmdContinue2_Click"_s;
        QString text = u"#MatchEvent*\r\n"_s;
        for (int i = 0; i < events::EventCount; ++i) {
            if (m_checks[i])
                text += events::EventCatalogue[i].matchLine.toString() + u"\r\n"_s;
        }
        text += u"YYYYYY*\r\n#MatchLocation*\r\n000000*\r\n"_s;
        m_wizard.cmdContinue2_Click();
        m_fileText = text;
        m_txtText1 = text;
        expectPage(wizard::LocationsPage);
    }

    void loadDatabase() {
        const int choice = pick(m_databases.size() + 1);
        if (choice == m_databases.size()) {
            m_action = u"cmbLocation4_Click, cancelled"_s;
            m_wizard.cmbLocation4_Click();
        } else {
            const Database& db = m_databases[choice];
            m_action = u"cmbLocation4_Click, %1"_s.arg(db.name);
            m_platform.openPaths.enqueue(db.path);
            m_wizard.cmbLocation4_Click();
            if (db.refused || m_lines.size() + db.lines.size() > MaxListLines) {
                ++m_errors;
                ++m_loadsRefused;
            } else {
                ++m_loads;
                m_lines += db.lines;
                m_lblLocation9 = QDir::toNativeSeparators(db.path);
                m_lblLocation8 = u"File Length in bytes:  "_s + QString::number(db.bytes);
                m_lblLocations13 = QString::number(db.lines.size());
            }
        }
        m_addAndClearUnlocked = true;
    }

    std::set<qsizetype>& selectionOf(bool translations) { return translations ? m_selected2 : m_selected1; }
    wizard::LineListModel& listOf(bool translations) {
        return translations ? m_form.lstList2 : m_form.lstList1;
    }

    void chooseArea(bool translations) {
        const int row = pick(locations::AreaCount);
        const QStringView areaLine = locations::AreaTable[row].entireAreaLine;
        std::set<qsizetype>& selected = selectionOf(translations);
        selected.clear();
        for (qsizetype i = 0; i < m_lines.size(); ++i) {
            if (m_lines[i].contains(areaLine)) {
                selected.insert(i);
                break;
            }
        }
        if (translations) {
            m_action = u"cboTranslations1 row %1"_s.arg(row);
            m_form.cboTranslations1 = row;
            m_wizard.cboTranslations1_Click();
            ++m_beeps;
        } else {
            m_action = u"cboLocation1 row %1"_s.arg(row);
            m_form.cboLocation1 = row;
            m_wizard.cboLocation1_Click();
        }
    }

    // Clicks, control-clicks and shift-clicks in a list, as its view would pass them on.
    void changeSelection(bool translations) {
        wizard::LineListModel& list = listOf(translations);
        std::set<qsizetype>& selected = selectionOf(translations);
        const QString name = translations ? u"lstList2"_s : u"lstList1"_s;
        const qsizetype n = m_lines.size();
        const int kind = n == 0 ? 3 : pick(4);
        if (kind == 0) { // control-click: one line in or out
            const qsizetype row = pick(int(n));
            const bool select = !selected.count(row);
            m_action = u"%1 row %2 %3"_s.arg(name).arg(row).arg(select ? u"selected"_s : u"deselected"_s);
            list.setSelected(row, select);
            if (select)
                selected.insert(row);
            else
                selected.erase(row);
        } else if (kind == 1) { // shift-click: a range added
            const qsizetype first = pick(int(n));
            const qsizetype last = std::min(n - 1, first + pick(40));
            m_action = u"%1 rows %2 to %3 selected"_s.arg(name).arg(first).arg(last);
            list.selectRange(first, last);
            for (qsizetype r = first; r <= last; ++r)
                selected.insert(r);
        } else if (kind == 2) { // plain click: this line alone
            const qsizetype row = pick(int(n));
            m_action = u"%1 row %2 alone"_s.arg(name).arg(row);
            list.clearSelection();
            list.setSelected(row, true);
            selected = {row};
        } else {
            m_action = u"%1 selection cleared"_s.arg(name);
            list.clearSelection();
            selected.clear();
        }
    }

    QString randomText(int pieces) {
        QString text;
        for (int i = 0; i < pieces; ++i)
            text += TypedPieces[pick(TypedPieces.size())];
        return text;
    }

    // A cursor never stands inside a surrogate pair.
    static qsizetype cursor(const QString& text, qsizetype at) {
        if (at > 0 && at < text.size() && text[at - 1].isHighSurrogate() && text[at].isLowSurrogate())
            ++at;
        return at;
    }

    void typeInto(const QString& name, QString& box, QString& expected) {
        const int kind = pick(10);
        if (chance(3)) {
            // A pasted file of about the receivers' line limit, so that verifications land on both
            // sides of it.
            const int lines = std::max(1, 1990 - int(box.count(u'\r')) + pick(20));
            m_action = u"pasted %1 lines at the start of %2"_s.arg(lines).arg(name);
            box.prepend(u"AB*\r\n"_s.repeated(lines));
        } else if (kind < 4) {
            const qsizetype at = cursor(box, pick(int(box.size()) + 1));
            const QString typed = randomText(1 + pick(6));
            m_action = u"typed \"%1\" into %2 at %3"_s.arg(shown(typed), name).arg(at);
            box.insert(at, typed);
        } else if (kind < 6) {
            const qsizetype from = cursor(box, pick(int(box.size()) + 1));
            const qsizetype to = cursor(box, from + pick(int(box.size() - from) + 1));
            m_action = u"deleted %1 to %2 of %3"_s.arg(from).arg(to).arg(name);
            box.remove(from, to - from);
        } else if (kind < 9) {
            const QString line = QString(1 + pick(30), QChar(u'A' + pick(26))) + u"*\r\n"_s;
            m_action = u"typed line \"%1\" at the end of %2"_s.arg(shown(line), name);
            box += line;
        } else {
            const QString typed = randomText(pick(12));
            m_action = u"replaced %1 by \"%2\""_s.arg(name, shown(typed));
            box = typed;
        }
        expected = box;
    }

    void addItem(bool translations) {
        m_action = translations ? u"cmdAddItem2_Click"_s : u"cmdAdd1_Click"_s;
        for (qsizetype row : selectionOf(translations))
            m_fileText += m_lines[row] + u"\r\n"_s;
        if (translations) {
            m_wizard.cmdAddItem2_Click();
            m_txtTranslations1 = m_fileText;
        } else {
            m_wizard.cmdAdd1_Click();
            m_txtText1 = m_fileText;
        }
    }

    void clearLocations() {
        m_action = u"cmdClear1_Click"_s;
        m_wizard.cmdClear1_Click();
        m_txtText1.clear();
    }

    void continueFromLocations() {
        m_action = u"cmdContinue3_Click"_s;
        m_wizard.cmdContinue3_Click();
        m_fileText = m_txtText1;
        m_txtCreate2 = m_fileText;
        m_txtTranslations1 = m_fileText;
        expectPage(wizard::TranslationsPage);
    }

    void brisvane400() {
        m_action = u"cmdBrisvane400_Click"_s;
        m_wizard.cmdBrisvane400_Click();
        m_fileText += translations::translationHeader();
        m_translationsUnlocked = true;
    }

    void clearTranslations() {
        m_action = u"cmdClear2_Click"_s;
        m_wizard.cmdClear2_Click();
        m_txtTranslations1.clear();
        m_fileText.clear();
    }

    void brisvane100() {
        m_action = u"cmdContinue4_Click (Brisvane 100)"_s;
        m_wizard.cmdContinue4_Click();
        m_fileText += ClosingLines;
        m_txtCreate2 = m_fileText;
        expectPage(wizard::CreateFilePage);
    }

    void continueFromTranslations() {
        m_action = u"cmdContinue5_Click"_s;
        m_wizard.cmdContinue5_Click();
        m_fileText = m_txtTranslations1 + ClosingLines;
        m_txtCreate2 = m_fileText;
        expectPage(wizard::CreateFilePage);
    }

    void verify() {
        m_action = u"cmdCreate1_Click"_s;
        m_wizard.cmdCreate1_Click();
        m_fileText = m_txtCreate2;
        m_lastVerifyClean = followsFormatRules(m_txtCreate2);
        m_endUnlocked = true;
        (*m_lastVerifyClean ? m_cleanVerifies : m_failedVerifies)++;
        expectText(u"FileText after verifying"_s, m_wizard.variables().FileText, m_form.txtCreate2);
        const QString head = u"Number of Characters: %1\r\n"_s.arg(m_txtCreate2.size());
        expectText(u"the head of the report"_s, m_form.txtCreate3.left(head.size()), head);
        m_txtCreate3 = m_form.txtCreate3;
        m_colour = *m_lastVerifyClean ? BoxColour::Green : BoxColour::Red;
    }

    void save() {
        const int choice = pick(m_saves.size() + 1);
        const QString box = m_form.txtCreate2;
        m_endUnlocked = true;
        if (choice == m_saves.size()) {
            m_action = u"cmdSave1_Click, cancelled"_s;
            m_wizard.cmdSave1_Click();
            return;
        }
        const SaveTarget& target = m_saves[choice];
        m_action = u"cmdSave1_Click to %1"_s.arg(target.name);
        const bool existed = QFileInfo(target.path).isFile();
        const QByteArray before = readAll(target.path);
        m_platform.savePaths.enqueue(target.path);
        m_wizard.cmdSave1_Click();

        if ((target.writable || (target.takesEmptyText && box.isEmpty())) && !hasForeignCharacter(box)) {
            ++m_savesWritten;
            // One byte per character, and the same characters back: nothing added, nothing lost.
            const QByteArray written = readAll(target.path);
            expectNumber(u"bytes written to %1"_s.arg(target.name), written.size(), box.size());
            expectText(u"text saved to %1"_s.arg(target.name), matchfile::fromWindows1252(written), box);
            return;
        }
        ++m_savesRefused;
        ++m_errors;
        if (existed && readAll(target.path) != before)
            fail(u"a refused save changed the file at %1"_s.arg(target.name));
        if (!existed && QFileInfo(target.path).isFile())
            fail(u"a refused save created a file at %1"_s.arg(target.name));
    }

    void clearAll() {
        m_action = u"cmdClear3_Click"_s;
        m_wizard.cmdClear3_Click();
        m_fileText.clear();
        m_txtCreate3.clear();
        m_colour = BoxColour::White;
        m_txtText1.clear();
        m_txtTranslations1.clear();
    }

    // ---- the checks after every step -----------------------------------------------------------

    void checkList(const QString& name, const wizard::LineListModel& list, QStringList& seen,
                   const std::set<qsizetype>& selected) {
        if (list.size() > MaxListLines)
            fail(u"%1 holds %2 lines"_s.arg(name).arg(list.size()));
        // Sharing the last checked lines makes this cheap until the list changes.
        if (list.lines().constData() != seen.constData() || list.lines().size() != seen.size()) {
            if (list.lines() != m_lines) {
                fail(u"%1 holds %2 lines, expected %3 (or the lines differ)"_s.arg(name)
                         .arg(list.size())
                         .arg(m_lines.size()));
                return;
            }
            seen = list.lines();
        }
        const QList<qsizetype> rows = list.selectedRows();
        if (qsizetype(selected.size()) != rows.size() ||
            !std::equal(rows.begin(), rows.end(), selected.begin())) {
            QStringList a, b;
            for (qsizetype r : rows)
                a << QString::number(r);
            for (qsizetype r : selected)
                b << QString::number(r);
            fail(u"%1 has rows %2 selected, expected %3"_s.arg(name, a.join(u','), b.join(u',')));
        }
    }

    void checkEverything() {
        expectNumber(u"shown page"_s, m_form.SSTab1, m_page);
        if (m_page != m_before &&
            !std::all_of(m_form.Check.begin(), m_form.Check.end(), [](bool b) { return b; }))
            fail(u"a page change left an event box unticked"_s);
        for (int i = 0; i < events::EventCount; ++i) {
            if (m_form.Check[i] != m_checks[i])
                fail(u"Check%1 is %2"_s.arg(i + 1).arg(m_form.Check[i]));
        }

        expectText(u"FileText"_s, m_wizard.variables().FileText, m_fileText);
        expectText(u"txtText1"_s, m_form.txtText1, m_txtText1);
        expectText(u"txtTranslations1"_s, m_form.txtTranslations1, m_txtTranslations1);
        expectText(u"txtCreate2"_s, m_form.txtCreate2, m_txtCreate2);
        expectText(u"txtCreate3"_s, m_form.txtCreate3, m_txtCreate3);
        expectNumber(u"txtCreate3 colour"_s, int(m_form.txtCreate3Colour), int(m_colour));

        checkList(u"lstList1"_s, m_form.lstList1, m_seen1, m_selected1);
        checkList(u"lstList2"_s, m_form.lstList2, m_seen2, m_selected2);
        expectText(u"lblLocation9"_s, m_form.lblLocation9, m_lblLocation9);
        expectText(u"lblLocation8"_s, m_form.lblLocation8, m_lblLocation8);
        expectText(u"lblLocations13"_s, m_form.lblLocations13, m_lblLocations13);

        const auto& e = m_form.enabled;
        expectNumber(u"cmdSave1 enabled"_s, e.cmdSave1, m_lastVerifyClean.value_or(false));
        expectNumber(u"cmdAdd1 enabled"_s, e.cmdAdd1, m_addAndClearUnlocked);
        expectNumber(u"cmdClear1 enabled"_s, e.cmdClear1, m_addAndClearUnlocked);
        expectNumber(u"cmdAddItem2 enabled"_s, e.cmdAddItem2, m_translationsUnlocked);
        expectNumber(u"cmdClear2 enabled"_s, e.cmdClear2, m_translationsUnlocked);
        expectNumber(u"cmdContinue5 enabled"_s, e.cmdContinue5, m_translationsUnlocked);
        expectNumber(u"cmdEnd5 enabled"_s, e.cmdEnd5, m_endUnlocked);

        if (m_platform.errors.size() != m_errors) {
            fail(u"%1 messages shown, expected %2; the last: %3"_s.arg(m_platform.errors.size())
                     .arg(m_errors)
                     .arg(m_platform.errors.isEmpty() ? u"none"_s : m_platform.errors.last()));
        }
        expectNumber(u"beeps"_s, m_platform.beeps, m_beeps);
        expectNumber(u"end requests"_s, m_platform.endRequests, m_endRequests);
        expectNumber(u"queued dialog answers left"_s,
                     m_platform.openPaths.size() + m_platform.savePaths.size(), 0);
    }

    QRandomGenerator m_rng;
    FormModel m_form;
    FakePlatform m_platform;
    Wizard m_wizard;
    const QList<Database>& m_databases;
    const QList<SaveTarget>& m_saves;

    QString m_action;
    std::optional<QString> m_failure;

    // The model: what the form and the module values must hold.
    int m_page = wizard::StartPage;
    int m_before = wizard::StartPage;
    std::array<bool, events::EventCount> m_checks{};
    QString m_fileText;
    QString m_txtText1 = u"Text1"_s;
    QString m_txtTranslations1 = u"txtTranslations1"_s;
    QString m_txtCreate2 = u"Text1"_s;
    QString m_txtCreate3 = u"txtCreate3"_s;
    BoxColour m_colour = BoxColour::White;
    QStringList m_lines;
    QStringList m_seen1, m_seen2;
    std::set<qsizetype> m_selected1, m_selected2;
    QString m_lblLocation9 = u"FileName"_s;
    QString m_lblLocation8 = u"FileSize:"_s;
    QString m_lblLocations13 = u"Label5"_s;
    std::optional<bool> m_lastVerifyClean;
    bool m_addAndClearUnlocked = false;
    bool m_translationsUnlocked = false;
    bool m_endUnlocked = false;
    qsizetype m_errors = 0;
    int m_beeps = 0;
    int m_endRequests = 0;

    int m_cleanVerifies = 0, m_failedVerifies = 0, m_savesWritten = 0, m_savesRefused = 0;
    int m_loads = 0, m_loadsRefused = 0;
};

} // namespace

class TestRandomWalk : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void walk_data();
    void walk();

private:
    void writeDatabase(const QString& name, const QStringList& lines, const QStringList& ends,
                       const QByteArray& extra = {});

    // In memory where the system offers it: a save syncs its file to disk, and a long walk saves
    // thousands of times.
    QTemporaryDir m_dir{QFileInfo(u"/dev/shm"_s).isWritable()
                            ? u"/dev/shm/tst_randomwalk-XXXXXX"_s
                            : QDir::tempPath() + u"/tst_randomwalk-XXXXXX"_s};
    QList<Database> m_databases;
    QList<SaveTarget> m_saves;
};

// Writes the lines, each followed by the line end at the same index of `ends` (cycled), then `extra`.
void TestRandomWalk::writeDatabase(const QString& name, const QStringList& lines, const QStringList& ends,
                                   const QByteArray& extra) {
    QByteArray bytes;
    for (qsizetype i = 0; i < lines.size(); ++i)
        bytes += matchfile::toWindows1252(lines[i] + ends[i % ends.size()]).bytes;
    bytes += extra;
    const QString path = m_dir.filePath(name);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
    m_databases.append({name, path, lines, bytes.size(), bytes.contains('\0')});
}

void TestRandomWalk::initTestCase() {
    QVERIFY(m_dir.isValid());

    // Every area's entire-area line with two county lines after it, as the shipped database has them.
    QStringList areas;
    for (const locations::Area& area : locations::AreaTable) {
        const QString line = area.entireAreaLine.toString();
        areas << line << line.left(3) + u"001County*"_s << line.left(3) + u"003County*"_s;
    }
    writeDatabase(u"areas.txt"_s, areas, {u"\r\n"_s});

    // Every kind of line end, blank lines, bytes beyond ASCII, lines the verifier rejects, an area
    // line inside a longer line and in lower case, and a last line without a line end.
    const QStringList mixed = {u"001000EntireArea*"_s,
                               u"x010000EntireArea*y*"_s,
                               u"006000entirearea*"_s,
                               u""_s,
                               u"\u00E9t\u00E9 \u20AC\u00A0*"_s,
                               u"a line that is far too long for a receiver*"_s,
                               u"no asterisk"_s,
                               u"A*B*"_s,
                               u"072000EntireArea*"_s,
                               u"TAIL*"_s};
    writeDatabase(u"mixed.txt"_s, mixed.first(mixed.size() - 1), {u"\r\n"_s, u"\r"_s, u"\n"_s, u"\r\n"_s},
                  "TAIL*");
    m_databases.last().lines = mixed;

    writeDatabase(u"empty.txt"_s, {}, {u"\r\n"_s});
    writeDatabase(u"nul.txt"_s, {u"001000EntireArea*"_s}, {u"\r\n"_s}, QByteArray("NUL\0*\r\n", 7));

    // Three loads of this one pass what the lists can hold.
    QStringList large;
    for (int i = 0; i < 12000; ++i)
        large << u"L%1*"_s.arg(i, 5, 10, QLatin1Char('0'));
    writeDatabase(u"large.txt"_s, large, {u"\r\n"_s});

    QStringList oversize(MaxListLines + 1, u"O*"_s);
    writeDatabase(u"oversize.txt"_s, oversize, {u"\r\n"_s});
    m_databases.last().refused = true; // more lines than a list can ever hold

    QVERIFY(QDir(m_dir.path()).mkdir(u"folder"_s));
    m_databases.append({u"a folder"_s, m_dir.filePath(u"folder"_s), {}, 0, true});
    m_databases.append({u"a missing file"_s, m_dir.filePath(u"missing.txt"_s), {}, 0, true});

    const QString existing = m_dir.filePath(u"existing.txt"_s);
    QFile file(existing);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("an earlier file, kept unless a save succeeds\r\n");
    file.close();
    m_saves = {{u"a new file"_s, m_dir.filePath(u"out.txt"_s), true},
               {u"an existing file"_s, existing, true},
               {u"a missing folder"_s, m_dir.filePath(u"no such folder/out.txt"_s), false},
               {u"a folder"_s, m_dir.filePath(u"folder"_s), false}};
    if (QFileInfo(u"/dev/full"_s).exists())
        m_saves.append({u"a full disk"_s, u"/dev/full"_s, false, true});
}

void TestRandomWalk::walk_data() {
    QTest::addColumn<int>("seed");
    const int seeds = fromEnvironment("QUENBURY_RANDOMWALK_SEEDS", 24);
    for (int seed = 1; seed <= seeds; ++seed)
        QTest::newRow(qPrintable(u"seed %1"_s.arg(seed))) << seed;
}

void TestRandomWalk::walk() {
    QFETCH(int, seed);
    const int steps = fromEnvironment("QUENBURY_RANDOMWALK_STEPS", 250);
    // Each walk starts from the same files.
    for (const SaveTarget& t : std::as_const(m_saves)) {
        if (t.name == u"a new file"_s)
            QFile::remove(t.path);
    }
    Walk walk(quint32(seed), m_databases, m_saves, m_dir.path());
    for (int step = 1; step <= steps; ++step) {
        if (const std::optional<QString> broken = walk.step())
            QFAIL(qPrintable(u"seed %1 step %2: %3"_s.arg(seed).arg(step).arg(*broken)));
    }
    qInfo("seed %d, %d steps: %s", seed, steps, qPrintable(walk.summary()));
}

QTEST_GUILESS_MAIN(TestRandomWalk)
#include "tst_randomwalk.moc"
