#include "ui/frmmain.h"

#include "common/errorvalue.h"
#include "platform/contact.h"
#include "platform/prompts.h"
#include "platform/version.h"
#include "settings/profilefile.h"
#include "settings/startuperror.h"
#include "ui/expressionpanel.h"
#include "ui/frmcgggkk.h" // GaugeWindows reads the window through a QPointer
#include "ui/frmmain_texts.h"
#include "ui/gaugewindows.h"
#include "ui/linkscontroller.h"
#include "ui/windowhelpers.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QLabel>
#include <QScopedValueRollback>
#include <QTime>

#include <algorithm>

QString FrmMain::makeVersionText(int major, int minor, int revision)
{
    const QString revisionText =
        revision <= 999 ? QStringLiteral("0") + QString::number(revision) : QString::number(revision);
    return QStringLiteral("%1.%2.%3").arg(major).arg(minor).arg(revisionText);
}

bool FrmMain::Form_Load()
{
    const QScopedValueRollback<bool> startingUp(m_startingUp, true);
    m_versionText = makeVersionText(VardekoVersionMajor, VardekoVersionMinor, VardekoVersionRevision);
    setWindowTitle(FrmMainText::ProductName + QStringLiteral("_") + m_versionText + FrmMainText::TopMostMark);
    try {
        return runStartupSteps();
    } catch (const ErrorValue &error) {
        if (m_ended)
            return false;
        // Start-up stopped early: leave the start-up mode of the settings store, which
        // remembers (silently here) whether the file could be written.
        try {
            m_rwini.finishStartup();
        } catch (const ErrorValue &) {
        }
        if (handleStartupError(error, m_prompts, m_rwini.IniPath()) == StartupErrorOutcome::KeepRunning)
            return true;
        endProgram();
        return false;
    }
}

bool FrmMain::runStartupSteps()
{
    m_rwini.setProgramDirectory(m_programDirectory);
    m_rwini.beginStartup();
    createTypeItems();

    m_links->createUserLinkItems();
    if (m_ended)
        return false;

    // A stored size that names no menu item (edited by hand, say) falls back to "8 个", which
    // the click below writes back, rather than keeping the program from starting.
    int historySize = m_rwini.GetIniN(FrmMainText::SectionExpression, FrmMainText::KeyHistorySize, 1);
    if (historySize < 0 || historySize >= static_cast<int>(MSBDSSL.size()))
        historySize = 1;
    MSBDSSL_Click(historySize);
    if (m_ended)
        return false;
    if (!MSBDSSL[0]->isChecked())
        loadHistory();

    applyStartupLayout();
    m_expression.ToHDu = MSjddw[0]->isChecked() ? DegreeFactor : 1.0f;
    m_material = MaterialDensity(); // steel, custom density 7.85

    m_catalogue.CurrentType = CalculationType::HexNut;
    MnuJS_Click(0);

    if (MnuS_Top->isChecked()) {
        setTopMost(true);
        setWindowTitle(FrmMainText::ProductName + QStringLiteral("→") + MnuJS[0]->text() +
                       QStringLiteral(" _") + m_versionText + FrmMainText::TopMostMark);
    }
    m_rwini.finishStartup();
    hideSettingsFile(m_rwini.IniPath());
    return !m_ended;
}

void FrmMain::loadHistory()
{
    const int count =
        m_rwini.GetIniCount(FrmMainText::SectionExpression, FrmMainText::KeyHistoryCount, [this](int i) {
            return m_rwini.hasIniValue(FrmMainText::SectionExpression,
                                       FrmMainText::KeyHistoryEntry + QString::number(i));
        });
    for (int i = 0; i < count && !m_ended; ++i) {
        const QString entry = trimBlanks(m_rwini.GetIniS(
            FrmMainText::SectionExpression, FrmMainText::KeyHistoryEntry + QString::number(i), QString()));
        if (entry.isEmpty())
            continue;
        m_expressionPanel->appendHistoryEntry(entry);
        setPanelText(1, FrmMainText::HistoryLoadedStatus + QString::number(i) + QStringLiteral(":") + entry);
    }
    m_expressionPanel->openEmpty();
}

void FrmMain::storeHistory()
{
    // An entry the settings file would cut is left out (the running list keeps it): stored
    // cut, it would calculate another value at the next start.
    QStringList entries = m_expressionPanel->historyEntries();
    entries.removeIf([](const QString &entry) { return !Profile::keepsWhole(entry); });
    const int count = static_cast<int>(entries.size());
    if (count <= 0 || m_historyLimit <= 0)
        return;
    m_rwini.SetIniN(FrmMainText::SectionExpression, FrmMainText::KeyHistoryCount,
                    std::min(m_historyLimit, count));
    // Every entry is stored, also those beyond the limit; the next start loads only the count.
    for (int i = 0; i < count && !m_ended; ++i)
        m_rwini.SetIniS(FrmMainText::SectionExpression, FrmMainText::KeyHistoryEntry + QString::number(i),
                        entries.at(i));
}

void FrmMain::closeEvent(QCloseEvent *event)
{
    // A close request is never refused: the history is stored and the program ends.
    if (!m_closing) {
        m_closing = true;
        if (!m_ended)
            storeHistory();
        closeGaugeWindow();
    }
    event->accept();
    endProgram();
}

void FrmMain::MnuEnd_Click()
{
    close();
}

void FrmMain::Form_LinkExecute(const QString &command)
{
    if (command != QStringLiteral("Normal"))
        return;
    if (m_startingUp) {
        // A start-up box is open (the second start came while it waits): the window behind it
        // is half built and stays hidden; the box is what the user is brought back to.
        if (QWidget *box = QApplication::activeModalWidget()) {
            box->raise();
            box->activateWindow();
        }
        return;
    }
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
    show();
    raise();
    activateWindow();
}

QString FrmMain::typeTitle() const
{
    const QAction *item = MnuJS[static_cast<std::size_t>(typeIndex(m_catalogue.CurrentType))];
    QString title = FrmMainText::ProductName + QStringLiteral(" →") + (item ? item->text() : QString()) +
                    QStringLiteral(" _") + m_versionText;
    if (MnuS_Top->isChecked())
        title += FrmMainText::TopMostMark;
    return title;
}

void FrmMain::setTopMost(bool topMost)
{
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) != topMost) {
        const bool visible = isVisible();
        setWindowFlag(Qt::WindowStaysOnTopHint, topMost);
        if (visible)
            show(); // changing a window flag hides the window
    }
    if (topMost && isVisible())
        raise();
}

void FrmMain::MnuS_Top_Click()
{
    // The action has toggled its own check mark.
    setTopMost(MnuS_Top->isChecked());
    setWindowTitle(typeTitle());
}

void FrmMain::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)) && MnuS_Top->isChecked() &&
        !windowFlags().testFlag(Qt::WindowStaysOnTopHint) && !m_closing)
        setTopMost(true);
}

void FrmMain::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    const auto *change = static_cast<QWindowStateChangeEvent *>(event);
    // Coming back from the task bar the window goes above the others again.
    if (change->oldState().testFlag(Qt::WindowMinimized) && !(windowState() & Qt::WindowMinimized) &&
        MnuS_Top->isChecked())
        setTopMost(true);
}

void FrmMain::MnuH_About_Click()
{
    m_prompts.message(MessageIcon::Information, FrmMainText::AboutTitle + contactAddress(),
                      FrmMainText::AboutLines.join(Crlf));
}

void FrmMain::updateClock()
{
    setPanelText(4, QTime::currentTime().toString(QStringLiteral("HH:mm")));
    setPanelText(5, QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
}

void FrmMain::MnuQT_Click(int index)
{
    m_gauge->show(index);
}

void FrmMain::closeGaugeWindow()
{
    m_gauge->closeAll();
}
