#include "ui/frmcgggkk.h"

#include "platform/prompts.h"
#include "ui/sectionpainter.h"
#include "ui/typeicons.h"
#include "ui/windowhelpers.h"

#include <QButtonGroup>
#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>
#include <QStyledItemDelegate>

namespace {

const QString kTitle = QStringLiteral("槽钢、工字钢、角钢螺钉连接开孔尺寸");
const QString kNoteTitle = QStringLiteral("说明");
const QString kNoteSecondLine = QStringLiteral("  ② 尺寸、参数仅摘录了一部分，具体查看手册。");

// Window and panel geometry.
constexpr int kWindowWidth = twips(6580);
constexpr int kWindowHeight = twips(3950);
constexpr int kPanelTop = twips(480);

// One gauge table row: size designation, a, a1 (absent on the angle), D, all in mm. "—" marks
// a size without a second gauge line.
struct GaugeRow
{
    const char *size;
    const char *a;
    const char *a1;
    const char *d;
};

const GaugeRow kChannelTable[] = {
    {"5", "21", "—", "12"},     {"6.3", "22", "—", "12"}, {"8", "25", "29", "14"},  {"10", "28", "30", "14"},
    {"12.6", "30", "34", "18"}, {"14", "35", "36", "18"}, {"16", "36", "39", "20"}, {"18", "38", "40", "20"},
    {"20", "40", "41", "22"},   {"22", "42", "43", "22"}, {"25", "45", "46", "26"}, {"28", "46", "48", "26"},
    {"32", "49", "50", "30"},   {"36", "55", "55", "30"}, {"40", "60", "59", "30"},
};

const GaugeRow kIBeamTable[] = {
    {"10", "36", "—", "12"},  {"12.6", "40", "—", "12"}, {"14", "44", "—", "12"},  {"16", "48", "—", "14"},
    {"18", "50", "45", "17"}, {"20", "54", "47", "17"},  {"22", "60", "48", "17"}, {"25", "65", "54", "20"},
    {"28", "66", "56", "20"}, {"32", "75", "58", "22"},  {"36", "80", "64", "22"}, {"40", "80", "65", "24"},
    {"45", "85", "67", "24"}, {"50", "90", "70", "24"},  {"56", "94", "72", "26"}, {"63", "95", "75", "26"},
};

const GaugeRow kAngleTable[] = {
    {"20", "13", nullptr, "4.5"},  {"25", "15", nullptr, "5.5"},   {"30", "18", nullptr, "6.6"},
    {"36", "20", nullptr, "9"},    {"40", "22", nullptr, "11"},    {"45", "25", nullptr, "11"},
    {"50", "30", nullptr, "13"},   {"56", "30", nullptr, "13"},    {"63", "35", nullptr, "17"},
    {"70", "40", nullptr, "20"},   {"75", "45", nullptr, "21.5"},  {"80", "45", nullptr, "21.5"},
    {"90", "50", nullptr, "23.5"}, {"100", "55", nullptr, "23.5"}, {"110", "60", nullptr, "26"},
    {"125", "70", nullptr, "26"},  {"140", "80", nullptr, "32"},   {"160", "90", nullptr, "32"},
    {"180", "100", nullptr, "32"}, {"200", "110", nullptr, "32"},
};

// Columns of a text table line up in a fixed-pitch font when every cell has the same width:
// the integer part is right-aligned, the fraction left-aligned, and the full-width dash
// counts as two columns.
int displayWidth(const QString &text)
{
    int width = 0;
    for (QChar ch : text)
        width += ch == QChar(0x2014) ? 2 : 1;
    return width;
}

QStringList formatRows(const QList<QStringList> &table, bool closingBar)
{
    if (table.isEmpty())
        return {};
    const qsizetype columns = table.first().size();
    QList<int> intWidth(columns, 0), fracWidth(columns, 0);
    auto split = [](const QString &value) {
        const qsizetype dot = value.indexOf(QLatin1Char('.'));
        return dot < 0 ? std::pair{value, QString()} : std::pair{value.left(dot), value.mid(dot)};
    };
    for (const QStringList &row : table)
        for (qsizetype c = 0; c < columns; ++c) {
            const auto [whole, fraction] = split(row[c]);
            intWidth[c] = std::max(intWidth[c], displayWidth(whole));
            fracWidth[c] = std::max(fracWidth[c], int(fraction.size()));
        }
    QStringList rows;
    for (const QStringList &row : table) {
        QString line;
        for (qsizetype c = 0; c < columns; ++c) {
            const auto [whole, fraction] = split(row[c]);
            const QString cell = QString(intWidth[c] - displayWidth(whole), QLatin1Char(' ')) + whole +
                                 fraction + QString(fracWidth[c] - int(fraction.size()), QLatin1Char(' '));
            line += c == 0 ? cell + QLatin1Char('|') : QLatin1Char(' ') + cell + QLatin1Char(' ');
            if (c > 0 && (c < columns - 1 || closingBar))
                line += QLatin1Char('|');
        }
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
        rows << line;
    }
    return rows;
}

template <std::size_t N> QList<QStringList> cellsOf(const GaugeRow (&table)[N])
{
    QList<QStringList> cells;
    for (const GaugeRow &r : table) {
        QStringList row{QString::fromUtf8(r.size), QString::fromUtf8(r.a)};
        if (r.a1)
            row << QString::fromUtf8(r.a1);
        row << QString::fromUtf8(r.d);
        cells << row;
    }
    return cells;
}

// What tells the three panels apart.
struct PanelInfo
{
    QString caption;
    SectionKind section;
    QStringList columnTitles;
    int model, a, a1, d, notes; // caption label indices, -1 for none
    QString noteFirstLine;
};

const PanelInfo &panelInfo(int kind)
{
    static const PanelInfo panels[3] = {
        {QStringLiteral("槽 钢"),
         SectionKind::Channel,
         {QStringLiteral("型号"), QStringLiteral("a"), QStringLiteral("a1"), QStringLiteral("D")},
         0,
         1,
         2,
         3,
         8,
         QStringLiteral("  ① 槽钢 螺栓、铆钉连接规线，摘自《机械设计手册》第五版 第一卷 1-355。")},
        {QStringLiteral("工字钢"),
         SectionKind::IBeam,
         {QStringLiteral("型号"), QStringLiteral("a"), QStringLiteral("a1"), QStringLiteral("D")},
         7,
         6,
         5,
         4,
         9,
         QStringLiteral("  ① 工字钢 螺栓、铆钉连接规线，摘自《机械设计手册》第五版 第一卷 1-356。")},
        {QStringLiteral("角 钢"),
         SectionKind::Angle,
         {QStringLiteral("型号b"), QStringLiteral("a"), QStringLiteral("D")},
         13,
         12,
         -1,
         10,
         14,
         QStringLiteral("  ① 角钢 螺栓、铆钉连接规线，摘自《机械设计手册》第五版 第一卷 1-353。")},
    };
    return panels[kind];
}

// Columns of the lists and their headers: the first (designation) column a little wider.
QRectF columnRect(const QRectF &row, int index, int count)
{
    const qreal first = 1.3;
    const qreal unit = row.width() / (first + (count - 1));
    const qreal left = index == 0 ? 0 : unit * (first + index - 1);
    const qreal width = index == 0 ? unit * first : unit;
    return QRectF(row.left() + left, row.top(), width, row.height());
}

const QColor kGrid(0xc8, 0xcf, 0xd6);

// Draws a row's cells in columns, so the table lines up in any font.
class GaugeRowDelegate : public QStyledItemDelegate
{
public:
    GaugeRowDelegate(int columns, QObject *parent) : QStyledItemDelegate(parent), m_columns(columns) {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QString text = opt.text;
        opt.text.clear();
        const QWidget *widget = opt.widget;
        QStyle *style = widget ? widget->style() : nullptr;
        if (style)
            style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
        const QStringList cells = text.split(QLatin1Char('|'));
        painter->save();
        const bool selected = opt.state & QStyle::State_Selected;
        for (int c = 0; c < m_columns; ++c) {
            const QRectF cell = columnRect(QRectF(opt.rect), c, m_columns);
            if (c > 0) {
                painter->setPen(kGrid);
                painter->drawLine(cell.topLeft(), cell.bottomLeft());
            }
            painter->setPen(opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
            if (c < cells.size())
                painter->drawText(cell, Qt::AlignCenter, cells[c].trimmed());
        }
        painter->restore();
    }

private:
    int m_columns;
};

class GaugeListHeader : public QWidget
{
public:
    GaugeListHeader(const QStringList &titles, QWidget *parent) : QWidget(parent), m_titles(titles) {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::Button));
        const QRectF all(rect());
        const int count = int(m_titles.size());
        for (int c = 0; c < count; ++c) {
            const QRectF cell = columnRect(all, c, count);
            if (c > 0) {
                painter.setPen(kGrid);
                painter.drawLine(cell.topLeft(), cell.bottomLeft());
            }
            painter.setPen(palette().color(QPalette::ButtonText));
            painter.drawText(cell, Qt::AlignCenter, m_titles[c]);
        }
        painter.setPen(kGrid);
        painter.drawLine(all.bottomLeft(), all.bottomRight());
    }

private:
    QStringList m_titles;
};

// A list with its column titles fixed above the rows.
class GaugeList : public QListWidget
{
public:
    GaugeList(const QStringList &titles, QWidget *parent) : QListWidget(parent)
    {
        m_header = new GaugeListHeader(titles, this);
        setItemDelegate(new GaugeRowDelegate(int(titles.size()), this));
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setSelectionMode(QAbstractItemView::SingleSelection);
        setUniformItemSizes(true);
        setViewportMargins(0, headerHeight(), 0, 0);
    }

protected:
    void resizeEvent(QResizeEvent *event) override
    {
        QListWidget::resizeEvent(event);
        const QRect vp = viewport()->geometry();
        m_header->setGeometry(vp.left(), vp.top() - headerHeight(), vp.width(), headerHeight());
    }

private:
    int headerHeight() const { return fontMetrics().height() + 4; }
    GaugeListHeader *m_header;
};

QString indexed(const char *name, int i)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i);
}

} // namespace

const QString &FrmCGGGKK::title()
{
    return kTitle;
}

QStringList FrmCGGGKK::channelRows()
{
    return formatRows(cellsOf(kChannelTable), true);
}

QStringList FrmCGGGKK::iBeamRows()
{
    return formatRows(cellsOf(kIBeamTable), false);
}

QStringList FrmCGGGKK::angleRows()
{
    return formatRows(cellsOf(kAngleTable), false);
}

FrmCGGGKK::FrmCGGGKK(Prompts &prompts, quint8 &gaugeTableIndex, QWidget *parent)
    : QWidget(parent, Qt::Window), m_prompts(prompts), m_gaugeTableIndex(gaugeTableIndex)
{
    setObjectName(QStringLiteral("FrmCGGGKK"));
    setWindowTitle(kTitle);
    setWindowIcon(typeIcon(CalculationType::Channel));

    auto *group = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        OptXG[i] = new QRadioButton(panelInfo(i).caption, this);
        OptXG[i]->setObjectName(indexed("OptXG", i));
        OptXG[i]->setGeometry(14 + i * 100, 7, 92, 20);
        group->addButton(OptXG[i], i);
        connect(OptXG[i], &QRadioButton::clicked, this, [this, i] { OptXG_Click(i); });
    }
    for (int kind = 0; kind < 3; ++kind)
        buildPanel(kind);
    Form_Load();
}

void FrmCGGGKK::buildPanel(int kind)
{
    const PanelInfo &info = panelInfo(kind);
    auto *panel = new QWidget(this);
    PicXG[kind] = panel;
    panel->setObjectName(indexed("PicXG", kind));

    Labbel1[kind] = new QLabel(info.caption, panel);
    Labbel1[kind]->setObjectName(indexed("Labbel1", kind));
    QFont heading = Labbel1[kind]->font();
    heading.setBold(true);
    Labbel1[kind]->setFont(heading);
    Labbel1[kind]->setGeometry(10, 0, 80, 20);

    auto *list = new GaugeList(info.columnTitles, panel);
    list->setGeometry(8, 22, 180, 203);
    list->addItems(kind == 0 ? channelRows() : kind == 1 ? iBeamRows() : angleRows());

    SectionOptions options;
    options.annotate = true;
    options.textRoom = kind == 2 ? QMarginsF(58, 12, 14, 30) : QMarginsF(14, 24, 66, 30);
    auto *view = new SectionView(info.section, options, panel);
    view->setGeometry(194, 22, 239, 205);

    std::array<QLabel *, 4> *values = nullptr;
    switch (kind) {
    case 0:
        LstCG = list;
        list->setObjectName(QStringLiteral("LstCG"));
        Image1 = view;
        view->setObjectName(QStringLiteral("Image1"));
        values = &LabCG;
        connect(list, &QListWidget::itemSelectionChanged, this, &FrmCGGGKK::LstCG_Click);
        break;
    case 1:
        LstGZG = list;
        list->setObjectName(QStringLiteral("LstGZG"));
        Image2 = view;
        view->setObjectName(QStringLiteral("Image2"));
        values = &LabGG;
        connect(list, &QListWidget::itemSelectionChanged, this, &FrmCGGGKK::LstGZG_Click);
        break;
    default:
        LstJG = list;
        list->setObjectName(QStringLiteral("LstJG"));
        Image3 = view;
        view->setObjectName(QStringLiteral("Image3"));
        values = &LabJG;
        connect(list, &QListWidget::itemSelectionChanged, this, &FrmCGGGKK::LstJG_Click);
        break;
    }

    // Labels go on top of the drawing, so they are made after it.
    const char *valueName = kind == 0 ? "LabCG" : kind == 1 ? "LabGG" : "LabJG";
    for (int k = 0; k < 4; ++k) {
        auto *value = new QLabel(panel);
        value->setObjectName(indexed(valueName, k));
        (*values)[k] = value;
    }
    QFont valueFont = (*values)[0]->font();
    valueFont.setBold(true);
    (*values)[0]->setFont(valueFont);

    auto caption = [&](int index, const QString &text) {
        if (index < 0)
            return;
        auto *label = new QLabel(text, panel);
        label->setObjectName(indexed("Lab_BS", index));
        label->setProperty("gaugeCaption", index);
        label->installEventFilter(this);
        Lab_BS[index] = label;
    };
    caption(info.model, info.columnTitles[0]);
    caption(info.a, QStringLiteral("a"));
    caption(info.a1, QStringLiteral("a1"));
    caption(info.d, QStringLiteral("D"));
    caption(info.notes, QStringLiteral("+"));
    QLabel *notes = Lab_BS[info.notes];
    notes->setGeometry(kWindowWidth - 24, 0, 16, 20);
    notes->setAlignment(Qt::AlignCenter);
    notes->setCursor(Qt::PointingHandCursor);
    notes->setToolTip(kNoteTitle);
    QFont plus = notes->font();
    plus.setBold(true);
    notes->setFont(plus);
    if (kind == 2) {
        m_angleLegCaption = new QLabel(QStringLiteral("b"), panel);
        m_angleLegCaption->setObjectName(QStringLiteral("LabLegB"));
    }
    placeMarks(kind);
}

// Puts every caption with its value label beside the dimension it names.
void FrmCGGGKK::placeMarks(int kind)
{
    const PanelInfo &info = panelInfo(kind);
    const std::array<QLabel *, 4> &values = kind == 0 ? LabCG : kind == 1 ? LabGG : LabJG;
    const SectionView *view = kind == 0 ? Image1 : kind == 1 ? Image2 : Image3;
    const QPoint offset = view->geometry().topLeft();
    const SectionMarks marks = view->marks();

    auto place = [&](QLabel *captionLabel, QLabel *value, QPointF at, int alignment, int gap = 0) {
        captionLabel->adjustSize();
        value->adjustSize();
        const int width = captionLabel->width() + (value->text().isEmpty() ? 0 : gap + value->width());
        const int height = std::max(captionLabel->height(), value->height());
        qreal left = at.x();
        if (alignment & Qt::AlignHCenter)
            left -= width / 2.0;
        else if (alignment & Qt::AlignRight)
            left -= width;
        qreal top = at.y();
        if (alignment & Qt::AlignVCenter)
            top -= height / 2.0;
        else if (alignment & Qt::AlignBottom)
            top -= height;
        const QPoint topLeft = offset + QPointF(left, top).toPoint();
        captionLabel->move(topLeft);
        value->move(topLeft + QPoint(captionLabel->width() + gap, 0));
    };
    // The designation sits in the heading row above the drawing.
    place(Lab_BS[info.model], values[0], QPointF(offset.x() + 4, 10) - offset,
          Qt::AlignLeft | Qt::AlignVCenter, 6);
    place(Lab_BS[info.a], values[kind == 2 ? 2 : 1], marks.a.at, marks.a.alignment);
    place(Lab_BS[info.d], values[3], marks.d.at, marks.d.alignment);
    if (kind == 2)
        place(m_angleLegCaption, values[1], marks.b.at, marks.b.alignment);
    else
        place(Lab_BS[info.a1], values[2], marks.a1.at, marks.a1.alignment);
}

void FrmCGGGKK::Form_Load()
{
    setFixedSize(kWindowWidth, kWindowHeight);
    for (auto *labels : {&LabCG, &LabGG, &LabJG})
        for (QLabel *label : *labels)
            label->clear();
    for (int kind = 0; kind < 3; ++kind) {
        PicXG[kind]->hide();
        PicXG[kind]->setGeometry(0, kPanelTop, kWindowWidth, kWindowHeight - kPanelTop);
        placeMarks(kind);
    }
    // The shared index only ever holds 0 to 2; anything else shows the first table.
    const int index = m_gaugeTableIndex < 3 ? m_gaugeTableIndex : 0;
    OptXG[index]->setChecked(true);
    OptXG_Click(index);
}

void FrmCGGGKK::OptXG_Click(int index)
{
    for (int kind = 0; kind < 3; ++kind) {
        PicXG[kind]->hide();
        QFont font = OptXG[kind]->font();
        font.setBold(false);
        OptXG[kind]->setFont(font);
    }
    PicXG[index]->show();
    QFont font = OptXG[index]->font();
    font.setBold(true);
    OptXG[index]->setFont(font);
    m_gaugeTableIndex = quint8(index);
}

namespace {

// The row's cells with the blanks removed, each cell after the first led by "=".
QStringList clickedParts(const QListWidget *list)
{
    const QList<QListWidgetItem *> selected = list->selectedItems();
    if (selected.isEmpty())
        return {};
    QString text = selected.first()->text();
    text.remove(QLatin1Char(' '));
    text.replace(QLatin1String("|"), QLatin1String("|="));
    QStringList parts = text.split(QLatin1Char('|'));
    while (parts.size() < 4)
        parts << QString();
    return parts;
}

} // namespace

void FrmCGGGKK::LstCG_Click()
{
    const QStringList p = clickedParts(LstCG);
    if (p.isEmpty())
        return;
    LabCG[0]->setText(QStringLiteral("[") + p[0] + QStringLiteral("#"));
    for (int k = 1; k < 4; ++k)
        LabCG[k]->setText(p[k]);
    placeMarks(0);
}

void FrmCGGGKK::LstGZG_Click()
{
    const QStringList p = clickedParts(LstGZG);
    if (p.isEmpty())
        return;
    LabGG[0]->setText(QStringLiteral("工") + p[0] + QStringLiteral("#"));
    for (int k = 1; k < 4; ++k)
        LabGG[k]->setText(p[k]);
    placeMarks(1);
}

void FrmCGGGKK::LstJG_Click()
{
    const QStringList p = clickedParts(LstJG);
    if (p.isEmpty())
        return;
    LabJG[0]->setText(QStringLiteral("∠") + p[0] + QStringLiteral("#"));
    LabJG[1]->setText(QStringLiteral("=") + p[0]);
    LabJG[2]->setText(p[1]);
    LabJG[3]->setText(p[2]);
    placeMarks(2);
}

void FrmCGGGKK::Lab_BS_Click(int index)
{
    for (int kind = 0; kind < 3; ++kind) {
        const PanelInfo &info = panelInfo(kind);
        if (info.notes == index) {
            m_prompts.message(MessageIcon::Information, kNoteTitle,
                              info.noteFirstLine + Crlf + Crlf + kNoteSecondLine, MessageButtons::Ok);
            return;
        }
    }
}

bool FrmCGGGKK::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const QVariant index = watched->property("gaugeCaption");
        auto *label = qobject_cast<QLabel *>(watched);
        if (mouse->button() == Qt::LeftButton && index.isValid() && label &&
            label->rect().contains(mouse->position().toPoint()))
            Lab_BS_Click(index.toInt());
    }
    return QWidget::eventFilter(watched, event);
}
