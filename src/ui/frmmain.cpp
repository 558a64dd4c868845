#include "ui/frmmain.h"

#include "ui/frmcgggkk.h" // GaugeWindows reads the window through a QPointer
#include "ui/frmmain_texts.h"
#include "ui/gaugewindows.h"
#include "ui/linkscontroller.h"
#include "ui/typeicons.h"

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>

#include <algorithm>

FrmMain::FrmMain(Prompts &prompts, Shell &shell, QString programDirectory, std::function<void()> endProgram,
                 QWidget *parent)
    : QMainWindow(parent), m_prompts(prompts), m_shell(shell),
      m_programDirectory(std::move(programDirectory)), m_endProgram(std::move(endProgram)),
      m_rwini([this](const QString &notice) {
          // Shown after the action that stored the setting has written its own status text.
          QMetaObject::invokeMethod(
              this, [this, notice] { setPanelText(1, notice); }, Qt::QueuedConnection);
      })
{
    setObjectName(QStringLiteral("FrmMain"));
    setWindowTitle(FrmMainText::ProductName);
    setWindowIcon(typeIcon(CalculationType::Expression));
    buildMenus();
    buildToolbar();
    buildPanel();
    buildStatusBar();
    connectWeightInputs();

    m_gauge = std::make_unique<GaugeWindows>(m_prompts);
    m_links =
        new LinksController(MnuLJ, centralWidget(), m_rwini, m_prompts, m_shell, m_programDirectory, this);
    PicSet = m_links->PicSet();
    connect(m_links, &LinksController::editorShown, this, [this] { showLinkEditor(true); });
    connect(m_links, &LinksController::editorHidden, this, [this] { showLinkEditor(false); });
}

void FrmMain::showLinkEditor(bool shown)
{
    // The calculator panel and the link editor take turns in the same place.
    PicMain->setVisible(!shown);
    MnuF->menuAction()->setEnabled(!shown);
    if (shown) {
        m_sizeBeforeEditor = size();
        PicSet->raise();
        const QSize needed = PicSet->size() + (size() - centralWidget()->size());
        if (width() < needed.width() || height() < needed.height())
            resize(std::max(width(), needed.width()), std::max(height(), needed.height()));
    } else {
        resize(m_sizeBeforeEditor);
    }
}

FrmMain::~FrmMain()
{
    // The children outlive this object's own members; while they are deleted nothing of
    // theirs may reach the handlers here any more.
    const QList<QObject *> children = findChildren<QObject *>();
    for (QObject *child : children) {
        child->removeEventFilter(this);
        child->blockSignals(true);
    }
}

QString FrmMain::panelText(int panel) const
{
    if (panel < 1 || panel > 5)
        return {};
    return m_panels[static_cast<std::size_t>(panel - 1)]->text();
}

void FrmMain::setPanelText(int panel, const QString &text)
{
    if (panel < 1 || panel > 5)
        return;
    m_panels[static_cast<std::size_t>(panel - 1)]->setText(text);
    Q_EMIT panelTextChanged(panel, text);
}

void FrmMain::endProgram()
{
    if (m_ended)
        return;
    m_ended = true;
    if (m_endProgram)
        m_endProgram();
}

AngleUnit FrmMain::angleUnit() const
{
    return MSjddw[1]->isChecked() ? AngleUnit::Radians : AngleUnit::Degrees;
}

bool FrmMain::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    // The box has the focus and hands keys on to its line edit; either may see an event first.
    if (watched == CombKJSR || watched == CombKJSR->lineEdit()) {
        if (type == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter)
                return CombKJSR_KeyPress(13);
        } else if (type == QEvent::FocusOut) {
            CombKJSR_Validate();
        }
        return false;
    }
    if (watched == LabBDS && type == QEvent::MouseButtonDblClick) {
        LabBDS_DblClick();
        return true;
    }
    if (weightEventFilter(watched, event))
        return true;
    return QMainWindow::eventFilter(watched, event);
}
